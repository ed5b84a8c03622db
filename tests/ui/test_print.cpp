#include "appfixture.h"
#include "displayprefs.h"
#include "export.h"
#include "kibotext.h"
#include "language.h"
#include "recordsheet.h"
#include "sheetlayout.h"
#include "shogidoc.h"

#include <QBuffer>
#include <QClipboard>
#include <QDate>
#include <QFontMetricsF>
#include <QInputDialog>
#include <QMimeData>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>

namespace {

using namespace cmd;

// 7六歩 3四歩 2二角成 同銀: each side holds a bishop, the last move on 2二.
void BishopExchange(ShogiDoc &doc, bool resign = false)
{
    doc.Init();
    doc.AddKibo(2, 6, 111, 2, 5, 0, 111);
    doc.AddKibo(6, 2, 121, 6, 3, 0, 121);
    doc.AddKibo(1, 7, 116, 7, 1, 126, 216);
    doc.AddKibo(6, 0, 124, 7, 1, 216, 124);
    if (resign)
        doc.AddKibo(50, 50, 50, 50, 50, 50, 50);
    int i = 0;
    for (quint32 t : {5, 70, 3600, 1})
        (*doc.GetKibo())[i++].time = t;
    doc.SetKiboTestPos(doc.GetKiboNum() - 1);
}

int Ink(const QImage &image, const QRectF &r, int below = 128)
{
    int n = 0;
    for (int y = int(r.top()) + 2; y < int(r.bottom()) - 2; ++y)
        for (int x = int(r.left()) + 2; x < int(r.right()) - 2; ++x)
            n += qGray(image.pixel(x, y)) < below;
    return n;
}

} // namespace

TEST(SheetLayout, RowsGoOnPagesInOrder)
{
    SheetGeometry tiny;
    tiny.pageHeight = 10;
    const struct
    {
        int rows;
        bool diagram;
        SheetGeometry g;
        int pages, firstPageRows, rowsPerColumn;
    } cases[] = {
        {0, false, {}, 1, 0, 36},    // an empty record still has its sheet
        {72, false, {}, 1, 72, 36},  // two full columns under the heading
        {73, false, {}, 2, 72, 36},  // one more row starts a page
        {73, true, {}, 2, 44, 22},   // the start diagram takes rows
        {300, false, {}, 4, 72, 36}, // 72 + 86 + 86 + 56
        {5, false, tiny, 3, 2, 1},   // a page with no room still moves on
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << " rows, diagram " << c.diagram);
        const QVector<SheetPage> pages = PlanSheet(c.rows, c.diagram, c.g);
        ASSERT_EQ(pages.size(), c.pages);
        EXPECT_EQ(pages[0].rowCount, c.firstPageRows);
        EXPECT_EQ(pages[0].rowsPerColumn, c.rowsPerColumn);
        EXPECT_TRUE(pages[0].header);
        EXPECT_EQ(pages[0].diagram, c.diagram);
        int next = 0;
        for (const SheetPage &p : pages) {
            EXPECT_EQ(p.firstRow, next);
            EXPECT_LE(p.rowCount, p.columns * p.rowsPerColumn);
            EXPECT_EQ(p.header, &p == &pages[0]);
            next += p.rowCount;
        }
        EXPECT_EQ(next, c.rows);
    }
}

TEST(SheetLayout, LongNamesShrinkThenAreCut)
{
    QFont font(QStringLiteral("IPAMincho"));
    font.setPixelSize(20);
    const QString shortName = JStr(JC_Human);
    const QString longName = shortName.repeated(30);
    const qreal width = QFontMetricsF(font).horizontalAdvance(shortName) * 3;
    const FittedText same = FitText(shortName, font, width);
    EXPECT_EQ(same.text, shortName);
    const FittedText slightly = FitText(shortName.repeated(3) + shortName.left(1), font, width);
    EXPECT_LT(slightly.pixelSize, 20);
    EXPECT_EQ(slightly.text.size(), 3 * shortName.size() + 1) << "shrunk, not cut";
    const FittedText cut = FitText(longName, font, width);
    EXPECT_TRUE(cut.text.endsWith(QChar(0x2026)));
    font.setPixelSize(cut.pixelSize);
    EXPECT_LE(QFontMetricsF(font).horizontalAdvance(cut.text), width);
}

TEST(RecordSheet, RowsTimesAndResult)
{
    ShogiDoc doc;
    BishopExchange(doc, true);
    const SheetContent sheet = SheetFromDoc(doc, QDate(2026, 12, 6));
    ASSERT_EQ(sheet.rows.size(), 6); // four moves, the resignation, the result
    EXPECT_EQ(sheet.rows[2].move, GetKiboRows(doc)[2].sign + GetKiboRows(doc)[2].move)
        << "the move as the record window writes it";
    EXPECT_EQ(sheet.rows[2].total, QStringLiteral("60:05")) << "the first player's own total";
    EXPECT_EQ(sheet.rows[3].total, GetViewTime(1, 11));
    EXPECT_TRUE(sheet.rows[4].total.isEmpty());
    EXPECT_TRUE(sheet.rows[5].number.isEmpty());
    EXPECT_EQ(sheet.result, JStr(JC_ResultWin).arg(4).arg(JStr(JC_SheetSecond)));
}

TEST(RecordSheet, ResultOfEachEnding)
{
    ShogiDoc doc;
    BishopExchange(doc); // the second player moved last
    const QVector<KIBO> record = *doc.GetKibo();
    const QString first = JStr(JC_SheetFirst), second = JStr(JC_SheetSecond);
    const struct
    {
        GameEnding ending;
        QString text;
    } cases[] = {
        {GameEnding::None, JStr(JC_ResultUpTo).arg(4)},
        {GameEnding::Resign, JStr(JC_ResultWin).arg(4).arg(second)},
        {GameEnding::Mate, JStr(JC_ResultWin).arg(4).arg(second)},
        {GameEnding::Impasse, JStr(JC_ResultWin).arg(4).arg(first)},
        {GameEnding::PerpetualCheck, JStr(JC_ResultWin).arg(4).arg(first)},
        {GameEnding::Repetition, JStr(JC_ResultEnd).arg(4).arg(JStr(JC_EndRepetition))},
        {GameEnding::Interrupt, JStr(JC_ResultEnd).arg(4).arg(JStr(JC_EndInterrupt))},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ResultText(record, c.ending), c.text) << int(c.ending);
    EXPECT_TRUE(ResultText({}, GameEnding::None).isEmpty());
}

TEST(RecordSheet, PdfHasEveryPage)
{
    // A handicap, seen from the other side: the start diagram takes rows.
    for (bool handicap : {false, true}) {
        ShogiDoc doc;
        doc.SetTeai(handicap ? 3 : 0);
        doc.SetFirstUp(handicap);
        BishopExchange(doc);
        SheetContent sheet = SheetFromDoc(doc, QDate(2026, 12, 6));
        EXPECT_EQ(sheet.showStart, handicap);
        while (sheet.rows.size() < 150)
            sheet.rows << sheet.rows[0];
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer); // A4
        ASSERT_TRUE(PaintSheet(&pdf, sheet));
        const QByteArray data = buffer.data();
        EXPECT_TRUE(data.startsWith("%PDF"));
        const int pages = data.count("/Type /Page\n") + data.count("/Type /Page ");
        EXPECT_EQ(pages, handicap ? 3 : 2) << "the diagram pushes rows onto a third page";
    }
}

TEST(Diagram, SquaresHandsAndTheLastMove)
{
    ShogiDoc doc;
    BishopExchange(doc);
    const DiagramPosition pos = DiagramFromDoc(doc);
    EXPECT_EQ(pos.square[7 - 1][6 - 1], 111);
    EXPECT_EQ(pos.square[2 - 1][2 - 1], 124);
    EXPECT_EQ(pos.lastFile * 10 + pos.lastRank, 22);
    EXPECT_EQ(HandText(pos.hand[0]), JStr(JC_UGak));
    BYTE many[8] = {0, 18, 0, 0, 0, 0, 2, 1};
    const QString space = QStringLiteral(" ");
    EXPECT_EQ(HandText(many), JStr(JC_UBi) + space + JStr(JC_UGak) + JStr(JC_Num2) + space +
                                  JStr(JC_UBo) + JStr(JC_Num18));

    // Turning the board round changes nothing in the diagram.
    doc.UpsetBoard();
    doc.SetFirstUp(true);
    const DiagramPosition turned = DiagramFromDoc(doc);
    EXPECT_EQ(memcmp(turned.square, pos.square, sizeof pos.square), 0);
    EXPECT_EQ(turned.lastFile * 10 + turned.lastRank, 22);

    const QImage image = DiagramImage(pos, 1240);
    const QRectF all(image.rect());
    EXPECT_GT(Ink(image, DiagramSquareRect(all, 7, 6)), 50) << "the pawn moved here";
    EXPECT_EQ(Ink(image, DiagramSquareRect(all, 7, 7)), 0) << "and left this square";
    EXPECT_EQ(Ink(image, DiagramSquareRect(all, 8, 8)), 0) << "the bishop is gone";
    const QRectF last = DiagramSquareRect(all, 2, 2);
    EXPECT_GT(Ink(image, last, 230), last.width() * last.height() / 2) << "shaded";
    EXPECT_EQ(Ink(image, DiagramSquareRect(all, 5, 5), 230), 0);
    // The second player's pawn is the first player's turned upside down.
    const QImage mine = image.copy(DiagramSquareRect(all, 6, 7).toRect());
    const QImage theirs = image.copy(DiagramSquareRect(all, 4, 3).toRect()).mirrored(true, true);
    int differ = 0;
    for (int y = 2; y < mine.height() - 2; ++y)
        for (int x = 2; x < mine.width() - 2; ++x)
            differ += qAbs(qGray(mine.pixel(x, y)) - qGray(theirs.pixel(x, y))) > 128;
    EXPECT_LT(differ, Ink(image, DiagramSquareRect(all, 6, 7)) / 5);
    // Taking the bishop out of a hand changes that hand's column only.
    DiagramPosition fewer = pos;
    fewer.hand[1][6] = 0;
    const QImage other = DiagramImage(fewer, 1240);
    EXPECT_NE(other.copy(DiagramHandRect(all, 2).toRect()),
              image.copy(DiagramHandRect(all, 2).toRect()));
    EXPECT_EQ(other.copy(DiagramHandRect(all, 1).toRect()),
              image.copy(DiagramHandRect(all, 1).toRect()));
}

TEST_F(App, PrintExportAndCopyCommands)
{
    int pages = 0;
    TestDesktop::dialogActions.push_back([&pages](QDialog *d) {
        d->show();
        pages = d->findChild<QPrintPreviewWidget *>()->pageCount();
    });
    Trigger(FilePrint);
    EXPECT_EQ(pages, 1);

    // PNG, at the width asked for, unless the name says otherwise; a file
    // that cannot be written is reported.
    QTemporaryDir dir;
    const struct
    {
        const char *name, *file, *head;
    } exports[] = {
        {"pos", "pos.png", "\x89PNG"}, {"a.PDF", "a.PDF", "%PDF"}, {"a.svg", "a.svg", "<?xml"}};
    TestDesktop::dialogActions.push_back([](QDialog *d) {
        static_cast<QInputDialog *>(d)->setIntValue(300);
        d->accept();
    });
    for (const auto &e : exports) {
        TestDesktop::fileNames.push_back(dir.filePath(QLatin1String(e.name)));
        Trigger(FileExportDiagram);
        QFile file(dir.filePath(QLatin1String(e.file)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << e.file;
        EXPECT_TRUE(file.read(8).startsWith(e.head)) << e.file;
    }
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("pos.png"))).width(), 300);
    TestDesktop::fileNames.push_back(dir.filePath(QStringLiteral("no/such/a.svg")));
    Trigger(FileExportDiagram);
    EXPECT_EQ(TestBoxes::Count(JC_ExportFailed), 1);

    Trigger(FileCopyDiagram);
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime && mime->hasImage());
    const QImage copied = qvariant_cast<QImage>(mime->imageData());
    EXPECT_EQ(copied, DiagramImage(DiagramFromDoc(*doc), copied.width()));
    EXPECT_TRUE(mime->data(QStringLiteral("image/svg+xml")).contains("<svg"));
}
