#include "appfixture.h"
#include "cbgkibo.h"
#include "cinfowidget.h"
#include "ckibowidget.h"
#include "kibotext.h"
#include "language.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>

namespace {

KIBO Entry(int sx, int sy, int skoma, int dx, int dy, int dkoma, int koma, unsigned t = 0)
{
    return KIBO{BYTE(sx), BYTE(sy), BYTE(skoma), BYTE(dx), BYTE(dy), BYTE(dkoma), BYTE(koma), t};
}

// A short game as stored with the first player at the bottom.
QVector<KIBO> ShortGame()
{
    return {
        Entry(2, 6, 111, 2, 5, 0, 111, 75),    // pawn forward
        Entry(6, 2, 121, 6, 3, 0, 121, 3),     // pawn forward
        Entry(1, 7, 116, 7, 1, 126, 216, 620), // bishop takes bishop, promotes
        Entry(6, 0, 124, 7, 1, 216, 124, 0),   // silver takes back on that square
        Entry(10, 10, 116, 5, 2, 0, 116, 1),   // bishop dropped into the zone
        Entry(3, 5, 124, 3, 6, 0, 124, 2),     // silver enters the zone, stays
        Entry(50, 50, 50, 50, 50, 50, 50, 0),  // the first player resigns
    };
}

QString Row(const KiboRowText &r)
{
    return r.sign + QLatin1Char('|') + r.number + QLatin1Char('|') + r.move + QLatin1Char('|') +
           r.time;
}

TEST(KiboRows, JapaneseNotationOfAShortGameFromBothSides)
{
    const QStringList expected = {
        QStringLiteral("▲|1|7六歩|01:15"),   QStringLiteral("△|2|3四歩|00:03"),
        QStringLiteral("▲|3|2二角成|10:20"), QStringLiteral("△|4|同銀|00:00"),
        QStringLiteral("▲|5|4三角|00:01"),   QStringLiteral("△|6|6七銀不成|00:02"),
        QStringLiteral("▲|7|投了|"),
    };
    const QVector<KIBO> game = ShortGame();
    // The same game stored with the first player at the top reads the same.
    QVector<KIBO> turned = game;
    for (KIBO &e : turned)
        for (BYTE *c : {&e.sx, &e.sy, &e.dx, &e.dy})
            if (*c < 9)
                *c = BYTE(8 - *c);
    for (int i = 1; i <= game.size(); ++i) {
        EXPECT_EQ(Row(GetKiboRowText(game, i, false)), expected[i - 1]) << i;
        EXPECT_EQ(Row(GetKiboRowText(turned, i, true)), expected[i - 1]) << i;
    }
    // Read from the wrong side, files and ranks come out mirrored.
    EXPECT_EQ(GetKiboRowText(game, 1, true).move, QStringLiteral("3四歩"));
    EXPECT_TRUE(GetKiboRowText(game, 0, false).move.isEmpty());
    EXPECT_TRUE(GetKiboRowText(game, 8, false).move.isEmpty());
}

TEST(KiboRows, PieceNamesAndTheUnpromotedSuffixRule)
{
    // Promoted names are not the base name with a suffix.
    EXPECT_EQ(GetKomaText(211), QStringLiteral("と"));
    EXPECT_EQ(GetKomaText(223), QStringLiteral("成桂"));
    EXPECT_TRUE(IsNotSong(114, 5, 3));
    EXPECT_FALSE(IsNotSong(114, 5, 4));
    EXPECT_TRUE(IsNotSong(124, 5, 7));
    EXPECT_FALSE(IsNotSong(124, 5, 3)) << "the second player's zone is ranks 7-9";
    EXPECT_FALSE(IsNotSong(115, 5, 1)) << "gold never promotes";
    EXPECT_FALSE(IsNotSong(118, 5, 1));
    EXPECT_FALSE(IsNotSong(214, 5, 1)) << "already promoted";
}

TEST(KiboRows, ScrollingRule)
{
    EXPECT_EQ(KiboScrollTarget(2, 100, 100), 40) << "above the band";
    EXPECT_EQ(KiboScrollTarget(5, 110, 100), 100) << "cut at the top";
    EXPECT_EQ(KiboScrollTarget(10, 0, 100), 120) << "below the band";
    EXPECT_EQ(KiboScrollTarget(4, 0, 90), 10) << "cut at the bottom";
    EXPECT_EQ(KiboScrollTarget(2, 0, 100), -1) << "fully visible";
    EXPECT_EQ(KiboScrollTarget(4, 0, 100), -1) << "last visible row";
}

// Sends one press-move-release of the left button in the frame's coordinates.
void DragFrame(QWidget *w, QPoint from, QPoint to)
{
    QMouseEvent press(QEvent::MouseButtonPress, from, w->mapToGlobal(from), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent move(QEvent::MouseMove, to, w->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, to, w->mapToGlobal(to), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

TEST_F(App, RecordWindowMovesAndResizesWithinLimits)
{
    CBGKibo *kibo = app->GetBGKibo();
    EXPECT_EQ(kibo->ClassifyPress({50, 10}), CBGKibo::Title);
    EXPECT_EQ(kibo->ClassifyPress({1, 50}), CBGKibo::LeftEdge);
    EXPECT_EQ(kibo->ClassifyPress({50, 1}), CBGKibo::TopEdge);
    kibo->setGeometry(100, 100, 150, 200);
    EXPECT_EQ(kibo->ClassifyPress({149, 50}), CBGKibo::RightEdge);
    EXPECT_EQ(kibo->ClassifyPress({50, 199}), CBGKibo::BottomEdge);
    EXPECT_EQ(kibo->ClassifyPress({50, 50}), CBGKibo::Inside);

    DragFrame(kibo, {50, 10}, {70, 30});
    EXPECT_EQ(kibo->geometry(), QRect(120, 120, 150, 200)) << "moved by its title";
    kibo->setGeometry(100, 100, 150, 200);
    DragFrame(kibo, {1, 50}, {52, 50}); // would leave 99 pixels
    EXPECT_EQ(kibo->geometry(), QRect(100, 100, 150, 200));
    DragFrame(kibo, {1, 50}, {51, 50}); // leaves 100
    EXPECT_EQ(kibo->geometry(), QRect(150, 100, 100, 200)) << "the right edge stays";
    kibo->setGeometry(100, 100, 150, 200);
    DragFrame(kibo, {50, 1}, {50, 102});
    EXPECT_EQ(kibo->geometry(), QRect(100, 100, 150, 200));
    DragFrame(kibo, {50, 1}, {50, 101});
    EXPECT_EQ(kibo->geometry(), QRect(100, 200, 150, 100)) << "the bottom edge stays";
    kibo->setGeometry(100, 100, 150, 200);
    DragFrame(kibo, {149, 50}, {0, 50});
    EXPECT_EQ(kibo->size(), QSize(100, 200)) << "the right edge stops at the minimum size";
    DragFrame(kibo, {50, 199}, {50, 260});
    EXPECT_EQ(kibo->size(), QSize(100, 261));
    EXPECT_EQ(kibo->InfoWidget()->geometry(), QRect(3, 21, 96, 239));
}

TEST_F(App, RecordWindowFollowsTheGameAndKeepsTheCurrentRowInView)
{
    CBGKibo *kibo = app->GetBGKibo();
    CInfoWidget *list = kibo->InfoWidget();
    kibo->setGeometry(10, 10, 200, 150);
    NewHumanGame();
    EXPECT_EQ(kibo->ItemNum(), 1);
    EXPECT_EQ(kibo->CurPos(), 0);
    // Pawns of both sides up and down the board, 24 moves.
    for (int i = 0; i < 12; ++i) {
        const int c = i % 9;
        const int up = i / 9;
        Drag(c, 6 - up, c, 5 - up);
        Drag(c, 2 + up, c, 3 + up);
    }
    ASSERT_EQ(doc->GetKiboNum(), 24);
    EXPECT_EQ(kibo->ItemNum(), 25);
    EXPECT_EQ(kibo->CurPos(), 24);
    QScrollBar *bar = list->verticalScrollBar();
    const int vh = list->viewport()->height();
    auto visible = [&](int row) {
        return 20 * row >= bar->value() && 20 * row + 20 <= bar->value() + vh;
    };
    EXPECT_TRUE(visible(24));
    EXPECT_EQ(list->KiboWidget()->height(), 25 * 20);
    Trigger(11020);
    Trigger(12010);
    EXPECT_EQ(kibo->CurPos(), 0);
    EXPECT_EQ(bar->value(), 0);
    Trigger(12040);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !app->IsForwardStepPending(); }, 5000));
    EXPECT_EQ(kibo->CurPos(), 1);
    // The highlighted row is painted in the focus colour.
    list->KiboWidget()->UpdateKibo();
    const QImage picture = list->KiboWidget()->Picture().toImage();
    const int x = picture.width() - 2;
    EXPECT_EQ(picture.pixel(x, 30), QColor(Qt::blue).lighter(60).rgb());
    EXPECT_EQ(picture.pixel(x, 10), QColor(Qt::gray).rgb());
    EXPECT_EQ(picture.pixel(x, 50), QColor(Qt::white).rgb());
}

} // namespace
