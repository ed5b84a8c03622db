#include "recordsheet.h"

#include "cplayer.h"
#include "kibotext.h"
#include "language.h"
#include "sheetlayout.h"
#include "shogidoc.h"

#include <QDate>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {
// Share of a move column taken by number, move, time and total.
constexpr qreal ColumnShare[4] = {0.16, 0.40, 0.22, 0.22};
constexpr qreal MmPerInch = 25.4;
constexpr qreal TextShare = 0.62; // letter height over the height of its line

QString OrderName(int order)
{
    return JStr(order == 1 ? JC_SheetFirst : JC_SheetSecond);
}

QString PlayerName(const CPlayer *p)
{
    return JStr(p && p->GetProperty() == 1 ? JC_Human : JC_Computer);
}

QFont Mincho(qreal pixels)
{
    QFont f(QStringLiteral("IPAMincho"));
    f.setPixelSize(qMax(1, qRound(pixels)));
    return f;
}

// Paints in millimetres from the top left of the printable area.
class SheetPainter
{
public:
    SheetPainter(QPainter &p, qreal pxPerMm) : m_p(p), m_k(pxPerMm) {}
    QRectF Mm(qreal x, qreal y, qreal w, qreal h) const
    {
        return {x * m_k, y * m_k, w * m_k, h * m_k};
    }
    void Text(const QRectF &mm, const QString &text, int align, qreal sizeMm)
    {
        const QRectF r = Mm(mm.x(), mm.y(), mm.width(), mm.height());
        const FittedText fit = FitText(text, Mincho(sizeMm * m_k), r.width() - m_k);
        m_p.setFont(Mincho(fit.pixelSize));
        m_p.drawText(r.adjusted(m_k / 2, 0, -m_k / 2, 0), align | Qt::AlignVCenter, fit.text);
    }
    void Box(const QRectF &mm, qreal penMm)
    {
        m_p.setPen(QPen(Qt::black, penMm * m_k));
        m_p.drawRect(Mm(mm.x(), mm.y(), mm.width(), mm.height()));
    }
    void Line(qreal x1, qreal y1, qreal x2, qreal y2, qreal penMm)
    {
        m_p.setPen(QPen(Qt::black, penMm * m_k));
        m_p.drawLine(QPointF(x1 * m_k, y1 * m_k), QPointF(x2 * m_k, y2 * m_k));
    }
    QPainter &m_p;
    qreal m_k;
};

void PaintHeader(SheetPainter &s, const SheetContent &c, const SheetGeometry &g)
{
    const qreal w = g.pageWidth;
    s.Text({0, 0, w, 14}, JStr(JC_SheetTitle) + QStringLiteral("  ") + c.title, Qt::AlignHCenter,
           8);
    // Three lines of labelled fields, the result across the whole width.
    const qreal top = 18, line = 8, label = 20, half = w / 2;
    const struct
    {
        qreal x, y, width;
        const char *label;
        QString value;
    } fields[] = {
        {0, top, half, JC_SheetDate, c.date},
        {half, top, half, JC_SheetHandicap, c.handicap},
        {0, top + line, half, JC_FirstSign, c.firstName},
        {half, top + line, half, JC_SecondSign, c.secondName},
        {0, top + 2 * line, w, JC_SheetResult, c.result},
    };
    for (const auto &f : fields) {
        s.Box({f.x, f.y, f.width, line}, 0.2);
        s.Line(f.x + label, f.y, f.x + label, f.y + line, 0.2);
        // The players' boxes are headed by their sign and side.
        QString head = JStr(f.label);
        if (f.label == JC_FirstSign || f.label == JC_SecondSign)
            head += OrderName(f.label == JC_FirstSign ? 1 : 2);
        s.Text({f.x, f.y, label, line}, head, Qt::AlignHCenter, line * TextShare * 0.8);
        s.Text({f.x + label, f.y, f.width - label, line}, f.value, Qt::AlignLeft,
               line * TextShare * 0.8);
    }
    s.Box({0, top, w, 3 * line}, 0.5);
}

void PaintColumn(SheetPainter &s, const SheetContent &c, const SheetGeometry &g, qreal x, qreal top,
                 int first, int count, int rowsPerColumn)
{
    const qreal h = g.rowHeight, size = h * TextShare;
    qreal cx[5] = {x};
    for (int i = 0; i < 4; ++i)
        cx[i + 1] = cx[i] + ColumnShare[i] * g.columnWidth;
    const char *const heads[4] = {JC_SheetNumber, JC_SheetMove, JC_SheetTime, JC_SheetTotal};
    for (int i = 0; i < 4; ++i)
        s.Text({cx[i], top, cx[i + 1] - cx[i], h}, JStr(heads[i]), Qt::AlignHCenter, size * 0.9);
    // The whole column is ruled, so a short last column still reads as a form.
    const qreal bottom = top + h * (rowsPerColumn + 1);
    for (int r = 1; r <= rowsPerColumn; ++r)
        s.Line(x, top + r * h, x + g.columnWidth, top + r * h, r == 1 ? 0.4 : 0.15);
    for (int i = 1; i < 4; ++i)
        s.Line(cx[i], top, cx[i], bottom, 0.15);
    s.Box({x, top, g.columnWidth, bottom - top}, 0.5);
    for (int i = 0; i < count; ++i) {
        const SheetContent::Row &row = c.rows[first + i];
        const qreal y = top + (i + 1) * h;
        if (row.number.isEmpty()) {
            // A line across the column: the rules under it give way.
            s.m_p.fillRect(
                s.Mm(x, y, g.columnWidth, h).adjusted(s.m_k / 4, s.m_k / 4, -s.m_k / 4, -s.m_k / 4),
                Qt::white);
            s.Text({cx[0], y, g.columnWidth, h}, row.move, Qt::AlignLeft, size);
            continue;
        }
        s.Text({cx[0], y, cx[1] - cx[0], h}, row.number, Qt::AlignRight, size);
        s.Text({cx[1], y, cx[2] - cx[1], h}, row.move, Qt::AlignLeft, size);
        s.Text({cx[2], y, cx[3] - cx[2], h}, row.time, Qt::AlignRight, size);
        s.Text({cx[3], y, cx[4] - cx[3], h}, row.total, Qt::AlignRight, size);
    }
}
} // namespace

QString ResultText(const QVector<KIBO> &record, GameEnding ending)
{
    int moves = 0, lastMover = 2;
    for (const KIBO &e : record) {
        if (IsResignKibo(e)) {
            if (ending == GameEnding::None)
                ending = GameEnding::Resign;
            break;
        }
        ++moves;
        lastMover = GetWhoseKoma(e.skoma) == 1 ? 1 : 2;
    }
    const int toMove = 3 - lastMover;
    auto win = [moves](int winner) { return JStr(JC_ResultWin).arg(moves).arg(OrderName(winner)); };
    auto end = [moves](const char *how) { return JStr(JC_ResultEnd).arg(moves).arg(JStr(how)); };
    switch (ending) {
    // The side to move resigned, lost on time or by a foul, or is mated.
    case GameEnding::Resign:
    case GameEnding::TimeUp:
    case GameEnding::IllegalMove:
    case GameEnding::Mate:
        return win(lastMover);
    // The side to move declared, or suffered the perpetual check.
    case GameEnding::Impasse:
    case GameEnding::PerpetualCheck:
        return win(toMove);
    case GameEnding::Interrupt:
        return end(JC_EndInterrupt);
    case GameEnding::Repetition:
        return end(JC_EndRepetition);
    case GameEnding::MaxPlies:
        return end(JC_EndMaxPlies);
    case GameEnding::None:
        break;
    }
    return moves > 0 ? JStr(JC_ResultUpTo).arg(moves) : QString();
}

bool IsEvenStart(const DiagramPosition &pos)
{
    // Kinds of ranks 1..3 from file 9 to file 1 for the second player; the
    // first player's ranks 9..7 mirror them. 0: empty.
    static const int back[9] = {2, 3, 4, 5, 8, 5, 4, 3, 2};
    for (int order = 1; order <= 2; ++order)
        for (int kind = 1; kind <= 7; ++kind)
            if (pos.hand[order - 1][kind] != 0)
                return false;
    for (int f = 1; f <= 9; ++f)
        for (int r = 1; r <= 9; ++r) {
            // The first player's half is the second's turned about the centre.
            const bool second = r <= 3;
            const int rr = second ? r : 10 - r, ff = second ? f : 10 - f;
            int kind = 0;
            if (rr == 1)
                kind = back[9 - ff];
            else if (rr == 2 && ff == 8)
                kind = 7;
            else if (rr == 2 && ff == 2)
                kind = 6;
            else if (rr == 3)
                kind = 1;
            const BYTE code = pos.square[f - 1][r - 1];
            if (kind == 0 ? code != 0
                          : GetKomaSort(code) != kind || GetKomaProperty(code) == 2 ||
                                GetWhoseKoma(code) != (second ? 2 : 1))
                return false;
        }
    return true;
}

SheetContent SheetFromDoc(const ShogiDoc &doc, const QDate &date)
{
    static const char *const teai[6] = {JC_Pyongsu, JC_Hyangzi,    JC_Gakzi,
                                        JC_Bicazi,  JC_Bicahangzi, JC_Twozi};
    SheetContent c;
    c.title = doc.getTitle();
    c.date = date.toString(QStringLiteral("yyyy/MM/dd"));
    c.firstName = PlayerName(doc.GetFirstPlayer());
    c.secondName = PlayerName(doc.GetSecondPlayer());
    c.handicap = doc.GetTeai() < 6 ? JStr(teai[doc.GetTeai()]) : QString();
    const QVector<KIBO> record = doc.GetKibo()->mid(0, doc.GetKiboNum());
    c.result = ResultText(record, doc.GetEnding());
    int total[3] = {0, 0, 0};
    const QVector<KiboRowText> texts = GetKiboRows(doc);
    for (int i = 1; i <= record.size() && i <= texts.size(); ++i) {
        const KiboRowText &text = texts[i - 1];
        const KIBO &e = record[i - 1];
        // The sheet reads as the record window does.
        SheetContent::Row row{text.number, text.sign + text.move, text.time, QString()};
        if (!IsResignKibo(e)) {
            const int mover = GetWhoseKoma(e.skoma) == 1 ? 1 : 2;
            total[mover] += int(e.time);
            row.total = GetViewTime(total[mover] / 60, total[mover] % 60);
        }
        c.rows << row;
    }
    if (!c.result.isEmpty())
        c.rows << SheetContent::Row{QString(), c.result, QString(), QString()};
    c.start = StartDiagramFromDoc(doc);
    c.showStart = !IsEvenStart(c.start);
    return c;
}

bool PaintSheet(QPagedPaintDevice *dev, const SheetContent &sheet)
{
    const QRectF area = dev->pageLayout().paintRect(QPageLayout::Millimeter);
    SheetGeometry g;
    g.pageWidth = area.width();
    g.pageHeight = area.height();
    const int columns = qMax(1, int((g.pageWidth + g.columnGap) / (g.columnWidth + g.columnGap)));
    // Columns share the width between them.
    g.columnWidth = (g.pageWidth - (columns - 1) * g.columnGap) / columns;
    const QVector<SheetPage> pages = PlanSheet(sheet.rows.size(), sheet.showStart, g);
    QPainter p;
    if (!p.begin(dev))
        return false;
    SheetPainter s(p, dev->logicalDpiX() / MmPerInch);
    for (int n = 0; n < pages.size(); ++n) {
        const SheetPage &page = pages[n];
        if (n > 0)
            dev->newPage();
        if (page.header)
            PaintHeader(s, sheet, g);
        if (page.diagram) {
            const qreal h = g.diagramHeight - 10;
            s.Text({0, g.headerHeight, g.pageWidth, 6}, JStr(JC_SheetStart), Qt::AlignHCenter, 4);
            const qreal w = h * DiagramAspect;
            PaintDiagram(p, s.Mm((g.pageWidth - w) / 2, g.headerHeight + 7, w, h), sheet.start);
        }
        for (int col = 0; col < page.columns; ++col) {
            const int first = page.firstRow + col * page.rowsPerColumn;
            const int count = qMin(page.rowsPerColumn, page.firstRow + page.rowCount - first);
            // Empty forms only where the moves run out on the last page.
            if (count <= 0 && col > 0)
                break;
            PaintColumn(s, sheet, g, col * (g.columnWidth + g.columnGap), page.movesTop, first,
                        qMax(count, 0), page.rowsPerColumn);
        }
        s.Text({0, g.pageHeight - g.footerHeight, g.pageWidth, g.footerHeight},
               JStr(JC_SheetPage).arg(n + 1).arg(pages.size()), Qt::AlignHCenter, 3.5);
    }
    return p.end();
}
