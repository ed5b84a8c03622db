#include "appfixture.h"
#include "cbgkibo.h"
#include "cinfowidget.h"
#include "ckibowidget.h"
#include "displayprefs.h"
#include "kibotext.h"
#include "language.h"
#include "replayschedule.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>

#include <limits>

namespace {

using namespace cmd;

KIBO Entry(int sx, int sy, int skoma, int dx, int dy, int dkoma, int koma, unsigned t = 0)
{
    return KIBO{BYTE(sx), BYTE(sy), BYTE(skoma), BYTE(dx), BYTE(dy), BYTE(dkoma), BYTE(koma), t};
}

QString Row(const KiboRowText &r)
{
    return r.sign + QLatin1Char('|') + r.number + QLatin1Char('|') + r.move + QLatin1Char('|') +
           r.time;
}

QStringList Rows(int teai, bool firstUp, const QVector<KIBO> &game,
                 Notation notation = Notation::Japanese)
{
    const Notation shown = CurrentDisplayPrefs().notation;
    CurrentDisplayPrefs().notation = notation;
    ShogiDoc doc;
    doc.SetTeai(BYTE(teai));
    doc.SetFirstUp(firstUp);
    doc.Init();
    for (const KIBO &e : game) {
        doc.AddKibo(e.sx, e.sy, e.skoma, e.dx, e.dy, e.dkoma, e.koma);
        (*doc.GetKibo()).last().time = e.time;
    }
    QStringList out;
    for (const KiboRowText &r : GetKiboRows(doc))
        out << Row(r);
    CurrentDisplayPrefs().notation = shown;
    return out;
}

QVector<KIBO> Turned(QVector<KIBO> game)
{
    for (KIBO &e : game)
        for (BYTE *c : {&e.sx, &e.sy, &e.dx, &e.dy})
            if (*c < 9)
                *c = BYTE(8 - *c);
    return game;
}

// A short legal game as stored with the first player at the bottom.
QVector<KIBO> ShortGame()
{
    return {
        Entry(2, 6, 111, 2, 5, 0, 111, 75),    // pawn forward
        Entry(6, 2, 121, 6, 3, 0, 121, 3),     // pawn forward
        Entry(1, 7, 116, 7, 1, 126, 216, 620), // bishop takes bishop, promotes
        Entry(6, 0, 124, 7, 1, 216, 124, 0),   // silver takes back on that square
        Entry(10, 10, 116, 5, 4, 0, 116, 1),   // bishop dropped
        Entry(7, 1, 124, 6, 2, 0, 124, 2),     // silver forward
        Entry(50, 50, 50, 50, 50, 50, 50, 0),  // the first player resigns
    };
}

// Each game's rows in both notations, with either side drawn at the bottom.
// In the two-piece handicap the giver (gote, at the top of the record) moves
// first, and the gold from 4九 is told apart from the one on 6九.
TEST(KiboRows, BothNotationsFromBothSides)
{
    const QVector<KIBO> handicap = {
        Entry(4, 6, 111, 4, 5, 0, 111), // the giver at the bottom: its pawn 5三 -> 5四
        Entry(3, 0, 225, 4, 1, 0, 225), // the receiver's gold 4九 -> 5八
    };
    const struct
    {
        int teai;
        QVector<KIBO> game; // stored with the first player at the bottom
        QStringList japanese, western;
    } rows[] = {
        {0,
         ShortGame(),
         {"▲|1|７六歩|01:15", "△|2|３四歩|00:03", "▲|3|２二角成|10:20", "△|4|同銀|00:00",
          "▲|5|４五角|00:01", "△|6|３三銀|00:02", "▲|7|投了|"},
         {"▲|1|P-7f|01:15", "△|2|P-3d|00:03", "▲|3|Bx2b+|10:20", "△|4|Sx2b|00:00",
          "▲|5|B*4e|00:01", "△|6|S-3c|00:02", "▲|7|投了|"}},
        {5, handicap, {"△|1|５四歩|00:00", "▲|2|５八金右|00:00"}, {"△|1|P-5d|00:00", "▲|2|G4i-5h|00:00"}},
    };
    for (const auto &r : rows)
        for (bool firstUp : {false, true}) {
            SCOPED_TRACE(testing::Message() << "teai " << r.teai << ", first up " << firstUp);
            const QVector<KIBO> game = firstUp ? Turned(r.game) : r.game;
            EXPECT_EQ(Rows(r.teai, firstUp, game), r.japanese);
            EXPECT_EQ(Rows(r.teai, firstUp, game, Notation::Western), r.western);
        }
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

// Each drag starts from the window at (100, 100), 150 by 200; it keeps at
// least 100 by 100 pixels.
TEST_F(App, RecordWindowMovesAndResizesWithinLimits)
{
    CBGKibo *kibo = app->GetBGKibo();
    const struct
    {
        const char *name;
        CBGKibo::PressSort press;
        QPoint from, to;
        QRect after;
    } drags[] = {
        {"moved by its title", CBGKibo::Title, {50, 10}, {70, 30}, {120, 120, 150, 200}},
        {"left edge, 99 left", CBGKibo::LeftEdge, {1, 50}, {52, 50}, {100, 100, 150, 200}},
        {"left edge, the right stays", CBGKibo::LeftEdge, {1, 50}, {51, 50}, {150, 100, 100, 200}},
        {"top edge, 99 left", CBGKibo::TopEdge, {50, 1}, {50, 102}, {100, 100, 150, 200}},
        {"top edge, the bottom stays", CBGKibo::TopEdge, {50, 1}, {50, 101}, {100, 200, 150, 100}},
        {"right edge stops at the minimum", CBGKibo::RightEdge, {149, 50}, {0, 50},
         {100, 100, 100, 200}},
        {"bottom edge", CBGKibo::BottomEdge, {50, 199}, {50, 260}, {100, 100, 150, 261}},
    };
    for (const auto &d : drags) {
        SCOPED_TRACE(d.name);
        kibo->setGeometry(100, 100, 150, 200);
        EXPECT_EQ(kibo->ClassifyPress(d.from), d.press);
        DragFrame(kibo, d.from, d.to);
        EXPECT_EQ(kibo->geometry(), d.after);
    }
    EXPECT_EQ(kibo->ClassifyPress({50, 50}), CBGKibo::Inside);
    EXPECT_EQ(kibo->InfoWidget()->geometry(), QRect(3, 21, 146, 239));
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
    Trigger(GameBreak);
    Trigger(RecordFirst);
    EXPECT_EQ(kibo->CurPos(), 0);
    EXPECT_EQ(bar->value(), 0);
    Trigger(RecordForward);
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

TEST(ReplaySchedule, DelaysAndClocksFromRecordedTimes)
{
    constexpr quint32 Longest = std::numeric_limits<quint32>::max();
    // Delay with a preview of one second; the clock after waitedMs.
    const struct
    {
        quint32 seconds;
        int factorIndex;
        qint64 delayMs, waitedMs;
        int clock;
    } cases[] = {
        {0, 0, 0, 5000, 0},        // an instant move is due at once
        {30, 0, 29000, 10500, 10}, // the clock counts whole seconds
        {30, 3, 2000, 1500, 15},   // ten times as fast
        {5, 1, 1500, 60000, 5},    // the clock stops at the move's time
        {1, 2, 0, 100, 0},         // shorter than the preview
        {30, 9, 29000, 2000, 2},   // an unknown factor is 1
        {Longest, 0, qint64(Longest) * 1000 - 1000, qint64(Longest) * 2000,
         std::numeric_limits<int>::max()},
    };
    for (const auto &c : cases) {
        const int f = ReplaySchedule::Factor(c.factorIndex);
        EXPECT_EQ(ReplaySchedule::StartDelayMs(c.seconds, f, 1000), c.delayMs) << c.seconds;
        EXPECT_EQ(ReplaySchedule::ClockSeconds(c.seconds, c.waitedMs, f), c.clock) << c.seconds;
    }
}

TEST(ReplaySchedule, RecordsWithoutTimesAndThePausedWait)
{
    KIBO move, resign{50, 50, 50, 50, 50, 50, 50, 9};
    EXPECT_FALSE(ReplaySchedule::HasTimes({move, move, resign})) << "a resignation is no move";
    move.time = 1;
    EXPECT_TRUE(ReplaySchedule::HasTimes({KIBO(), move}));
    ReplayWait w;
    w.Restart(1000, false); // a step before the replay runs
    w.Resume(5000);
    w.Pause(5400);
    w.Resume(9000);
    w.Resume(9100); // a second resume moves nothing
    EXPECT_EQ(w.Waited(9500), 900);
}

class AsPlayed : public App
{
protected:
    // A record of two moves taking the given seconds, opened at its start.
    void Open(quint32 first, quint32 second)
    {
        ShogiDoc d;
        d.Init();
        d.AddKibo(2, 6, 111, 2, 5, 0, 111);
        d.AddKibo(6, 2, 121, 6, 3, 0, 121);
        (*d.GetKibo())[0].time = first;
        (*d.GetKibo())[1].time = second;
        const QString path = dir.filePath(QStringLiteral("g.kvn"));
        ASSERT_TRUE(d.saveDocument(path));
        doc->SetKiboProperty(1);
        TestDesktop::fileNames.push_back(path);
        Trigger(FileOpen);
        ASSERT_EQ(doc->GetKiboTestPos(), -1);
        doc->SetKiboSpeed(ReplaySchedule::AsPlayedSpeed);
        app->SetReplayFactor(3); // ten times
    }
    QTemporaryDir dir;
};

TEST_F(AsPlayed, MovesComeAtTheirOwnPaceAndTheClockRuns)
{
    Open(30, 0); // three seconds at ten times
    QElapsedTimer t;
    t.start();
    Trigger(RecordReplay);
    QTest::qWait(1000);
    EXPECT_EQ(doc->GetKiboTestPos(), -1);
    EXPECT_NE(app->FieldText(3), GetViewTime(0, 0)) << "the mover's clock runs";
    Trigger(RecordStopReplay);
    QTest::qWait(2500);
    EXPECT_EQ(doc->GetKiboTestPos(), -1) << "a pause holds the move";
    Trigger(RecordReplay);
    ASSERT_TRUE(QTest::qWaitFor([this] { return doc->GetKiboTestPos() == 0; }, 5000));
    EXPECT_GE(t.elapsed(), 5000) << "the pause added to the wait";
    EXPECT_EQ(app->FieldText(3), GetViewTime(0, 30));
    // The instant reply needs no more than its preview.
    ASSERT_TRUE(QTest::qWaitFor([this] { return doc->GetKiboTestPos() == 1; }, 2500));
}

TEST_F(AsPlayed, WithoutTimesTheStandardSpeedAndANote)
{
    Open(0, 0);
    Trigger(RecordReplay);
    EXPECT_EQ(app->StatusMessage(), JStr(JC_ReplayNoTimes));
    ASSERT_TRUE(QTest::qWaitFor([this] { return doc->GetKiboTestPos() == 1; }, 6000));
}

} // namespace
