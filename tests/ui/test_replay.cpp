#include "appfixture.h"
#include "language.h"
#include "replayschedule.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <limits>

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

namespace {

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
        Trigger(10010);
        ASSERT_EQ(doc->GetKiboTestPos(), -1);
        doc->SetKiboSpeed(ReplaySchedule::AsPlayedSpeed);
        app->SetReplayFactor(3); // ten times
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(AsPlayed, MovesComeAtTheirOwnPaceAndTheClockRuns)
{
    Open(30, 0); // three seconds at ten times
    QElapsedTimer t;
    t.start();
    Trigger(12050);
    QTest::qWait(1000);
    EXPECT_EQ(doc->GetKiboTestPos(), -1);
    EXPECT_NE(app->FieldText(3), GetViewTime(0, 0)) << "the mover's clock runs";
    Trigger(12060);
    QTest::qWait(2500);
    EXPECT_EQ(doc->GetKiboTestPos(), -1) << "a pause holds the move";
    Trigger(12050);
    ASSERT_TRUE(QTest::qWaitFor([this] { return doc->GetKiboTestPos() == 0; }, 5000));
    EXPECT_GE(t.elapsed(), 5000) << "the pause added to the wait";
    EXPECT_EQ(app->FieldText(3), GetViewTime(0, 30));
    // The instant reply needs no more than its preview.
    ASSERT_TRUE(QTest::qWaitFor([this] { return doc->GetKiboTestPos() == 1; }, 2500));
}

TEST_F(AsPlayed, WithoutTimesTheStandardSpeedAndANote)
{
    Open(0, 0);
    Trigger(12050);
    EXPECT_EQ(app->StatusMessage(), JStr(JC_ReplayNoTimes));
    ASSERT_TRUE(QTest::qWaitFor([this] { return doc->GetKiboTestPos() == 1; }, 6000));
}
