#include "diagram.h"

#include "cplayer.h"
#include "gameflow.h"
#include "language.h"
#include "shogidoc.h"

#include <QFont>
#include <QPainter>

namespace {
// Layout in units of one square's width; DiagramAspect is Width / Height.
constexpr qreal Width = 12.4, Height = 11.0;
constexpr qreal SquareH = 1.1; // book squares stand a little taller
constexpr qreal BoardLeft = 1.4, BoardTop = 0.6;
constexpr qreal RankLabelW = 0.6;
constexpr qreal HandW = 1.0;
constexpr qreal PieceSize = 0.82; // piece letter height
constexpr qreal HandGap = 0.4;    // between pieces of a hand
const QColor LastMoveShade(205, 205, 205);

QFont Mincho(qreal pixelSize)
{
    QFont f(QStringLiteral("IPAMincho"));
    f.setPixelSize(qMax(1, qRound(pixelSize)));
    return f;
}

// The unit square and top-left corner of a Width x Height layout centred in target.
qreal Unit(const QRectF &t)
{
    return qMin(t.width() / Width, t.height() / Height);
}

QPointF Origin(const QRectF &t)
{
    const qreal u = Unit(t);
    return {t.left() + (t.width() - Width * u) / 2, t.top() + (t.height() - Height * u) / 2};
}

void FileRankOfDrawn(bool firstUp, int x, int y, int &file, int &rank)
{
    file = firstUp ? x + 1 : 9 - x;
    rank = firstUp ? 9 - y : y + 1;
}

// The text of a hand column, one character per entry; "" marks a gap.
QStringList HandColumn(const DiagramPosition &pos, int order)
{
    QStringList column;
    const QString head = JStr(order == 1 ? JC_FirstSign : JC_SecondSign) +
                         JStr(order == 1 ? JC_SheetFirst : JC_SheetSecond);
    for (const QChar c : head)
        column << c;
    column << QString();
    for (const QChar c : JStr(JC_DiagramHand))
        column << c;
    column << QString();
    for (const QChar c : HandText(pos.hand[order - 1]))
        column << (c == QLatin1Char(' ') ? QString() : QString(c));
    return column;
}

// The squares and hands read through the given document and player getters,
// the first player at the bottom.
DiagramPosition ReadDiagram(const ShogiDoc &doc, BYTE (ShogiDoc::*square)(BYTE, BYTE) const,
                            BYTE (CPlayer::*hand)(BYTE) const)
{
    DiagramPosition pos;
    const bool up = doc.GetFirstUp();
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y) {
            int f, r;
            FileRankOfDrawn(up, x, y, f, r);
            pos.square[f - 1][r - 1] = (doc.*square)(BYTE(x), BYTE(y));
        }
    for (int order = 1; order <= 2; ++order)
        for (BYTE kind = 1; kind <= 7; ++kind)
            pos.hand[order - 1][kind] = (doc.GetPlayer(BYTE(order))->*hand)(kind);
    return pos;
}
} // namespace

DiagramPosition DiagramFromDoc(const ShogiDoc &doc)
{
    DiagramPosition pos = ReadDiagram(doc, &ShogiDoc::GetBoardInfo, &CPlayer::GetDaiNum);
    const bool up = doc.GetFirstUp();
    // In play the board shows the whole record; stepping shows part of it.
    const bool playing =
        g_byGameStatus == GameStatus::Playing || g_byGameStatus == GameStatus::ShowingComputerMove;
    const int last = playing ? doc.GetKiboNum() - 1 : doc.GetKiboTestPos();
    const QVector<KIBO> &record = *doc.GetKibo();
    if (last >= 0 && last < record.size() && !IsResignKibo(record[last]))
        FileRankOfDrawn(up, record[last].dx, record[last].dy, pos.lastFile, pos.lastRank);
    return pos;
}

DiagramPosition StartDiagramFromDoc(const ShogiDoc &doc)
{
    return ReadDiagram(doc, &ShogiDoc::GetInitBoardInfo, &CPlayer::GetDaiNumF);
}

QString DiagramPieceText(BYTE code)
{
    const int kind = GetKomaSort(code);
    if (kind < 1 || kind > 8)
        return QString();
    return JStr(GetKomaProperty(code) == 2 ? JC_DiagramPromoted : JC_DiagramPieces)
        .mid(kind - 1, 1);
}

QString HandText(const BYTE hand[8])
{
    QStringList parts;
    for (BYTE kind = 7; kind >= 1; --kind) {
        if (hand[kind] == 0)
            continue;
        QString part = DiagramPieceText(kind);
        if (hand[kind] > 1) {
            QString n;
            ConvertJapan(hand[kind], n);
            part += n;
        }
        parts << part;
    }
    return parts.isEmpty() ? JStr(JC_DiagramNone) : parts.join(QLatin1Char(' '));
}

QRectF DiagramSquareRect(const QRectF &target, int file, int rank)
{
    const qreal u = Unit(target);
    const QPointF o = Origin(target);
    return {o.x() + (BoardLeft + (9 - file)) * u, o.y() + (BoardTop + (rank - 1) * SquareH) * u, u,
            SquareH * u};
}

QRectF DiagramHandRect(const QRectF &target, int order)
{
    const qreal u = Unit(target);
    const QPointF o = Origin(target);
    const qreal left = order == 1 ? Width - HandW : 0;
    return {o.x() + left * u, o.y() + BoardTop * u, HandW * u, 9 * SquareH * u};
}

void PaintDiagram(QPainter &p, const QRectF &target, const DiagramPosition &pos)
{
    const qreal u = Unit(target);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF board = DiagramSquareRect(target, 9, 1).united(DiagramSquareRect(target, 1, 9));
    p.fillRect(board, Qt::white);
    if (pos.lastFile >= 1 && pos.lastFile <= 9 && pos.lastRank >= 1 && pos.lastRank <= 9)
        p.fillRect(DiagramSquareRect(target, pos.lastFile, pos.lastRank), LastMoveShade);

    // Thin grid, heavy frame.
    p.setPen(QPen(Qt::black, u * 0.02));
    for (int i = 1; i < 9; ++i) {
        const qreal x = board.left() + i * u, y = board.top() + i * SquareH * u;
        p.drawLine(QPointF(x, board.top()), QPointF(x, board.bottom()));
        p.drawLine(QPointF(board.left(), y), QPointF(board.right(), y));
    }
    p.setPen(QPen(Qt::black, u * 0.06));
    p.drawRect(board);

    p.setPen(Qt::black);
    p.setFont(Mincho(PieceSize * u));
    for (int f = 1; f <= 9; ++f)
        for (int r = 1; r <= 9; ++r) {
            const BYTE code = pos.square[f - 1][r - 1];
            const QString text = DiagramPieceText(code);
            if (text.isEmpty())
                continue;
            const QRectF sq = DiagramSquareRect(target, f, r);
            p.save();
            p.translate(sq.center());
            if (GetWhoseKoma(code) == 2)
                p.rotate(180);
            p.drawText(QRectF(-sq.width() / 2, -sq.height() / 2, sq.width(), sq.height()),
                       Qt::AlignCenter, text);
            p.restore();
        }

    // Files 9..1 above, ranks 一..九 at the right, as diagrams number them.
    p.setFont(Mincho(0.45 * u));
    for (int i = 1; i <= 9; ++i) {
        const QRectF col = DiagramSquareRect(target, i, 1);
        p.drawText(QRectF(col.left(), board.top() - BoardTop * u, col.width(), BoardTop * u),
                   Qt::AlignCenter, QString::number(i));
        QString kanji;
        ConvertJapan(i, kanji);
        const QRectF row = DiagramSquareRect(target, 1, i);
        p.drawText(QRectF(board.right(), row.top(), RankLabelW * u, row.height()), Qt::AlignCenter,
                   kanji);
    }

    // Hands read top to bottom, one character a line.
    for (int order = 1; order <= 2; ++order) {
        const QRectF area = DiagramHandRect(target, order);
        const QStringList column = HandColumn(pos, order);
        qreal lines = 0;
        for (const QString &c : column)
            lines += c.isEmpty() ? HandGap : 1;
        const qreal step = qMin(PieceSize * u * 0.85, area.height() / lines);
        p.setFont(Mincho(step * 0.95));
        qreal y = area.top();
        for (const QString &c : column) {
            if (c.isEmpty()) {
                y += step * HandGap;
                continue;
            }
            p.drawText(QRectF(area.left(), y, area.width(), step), Qt::AlignCenter, c);
            y += step;
        }
    }
    p.restore();
}
