#include "gameclock.h"
#include "gamejudge.h"
#include "sfentext.h"

#include <gtest/gtest.h>

using namespace usic;

namespace {

usi::Position Sfen(const char *text)
{
    usi::Position p;
    EXPECT_EQ(ReadSfen(text, p), "") << text;
    return p;
}

// Plays moves until the game is over; returns the verdict of the last.
Verdict PlayAll(GameJudge &j, const std::vector<const char *> &moves)
{
    Verdict v;
    for (const char *t : moves) {
        usi::Move m;
        EXPECT_TRUE(usi::ParseMove(t, m)) << t;
        if ((v = j.Play(m)).Over())
            return v;
    }
    return v;
}

std::vector<const char *> Times(std::vector<const char *> cycle, int n)
{
    std::vector<const char *> out;
    for (int i = 0; i < n; i++)
        out.insert(out.end(), cycle.begin(), cycle.end());
    return out;
}

// The kings step out and back.
const std::vector<const char *> kKings = {"5i4h", "5a4b", "4h5i", "4b5a"};

TEST(GameJudge, EndsByTheRules)
{
    const std::vector<const char *> checks = {"5e4e", "4a5a", "4e5e", "5a4a"};
    const struct
    {
        const char *what;
        const char *sfen; // nullptr: the start position
        std::vector<const char *> moves;
        int maxPlies;
        GameEnding ending;
        int loser;
        int plies; // at which the game ended
    } cases[] = {
        {"mate by a drop", "4k4/9/4P4/9/9/9/9/9/4K4 b G 1", {"G*5b"}, 0, GameEnding::Mate, 1, 1},
        {"an illegal move", nullptr, {"5i5h", "5a5b", "1a1b"}, 0, GameEnding::IllegalMove, 0, 2},
        {"fourth repetition", nullptr, Times(kKings, 4), 0, GameEnding::Repetition, -1, 12},
        {"third is not enough", nullptr, Times(kKings, 2), 0, GameEnding::None, -1, 0},
        {"checks all through", "5k3/9/9/9/4R4/9/9/9/K8 b - 1", Times(checks, 4), 0,
         GameEnding::PerpetualCheck, 0, 12},
        {"checks broken once", "5k3/9/9/9/4R4/9/9/9/K8 b - 1",
         {"5e4e", "4a5a", "4e5e", "5a4a", "9i9h", "4a3a", "9h9i", "3a4a", "5e4e", "4a5a", "4e5e", "5a4a"},
         0, GameEnding::Repetition, -1, 12},
        {"the move limit", nullptr, {"7g7f", "3c3d", "2g2f", "8c8d"}, 4, GameEnding::MaxPlies, -1, 4},
        {"one before the limit", nullptr, {"7g7f", "3c3d", "2g2f"}, 4, GameEnding::None, -1, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        GameJudge j(c.sfen ? Sfen(c.sfen) : usi::StartPosition());
        j.SetMaxPlies(c.maxPlies);
        const Verdict v = PlayAll(j, c.moves);
        EXPECT_EQ(v.ending, c.ending);
        EXPECT_EQ(v.loser, c.loser);
        EXPECT_EQ(v.Over() ? j.Plies() : 0, c.plies);
    }
}

TEST(GameJudge, TakenBackMovesLeaveTheCount)
{
    GameJudge j;
    std::vector<const char *> moves = Times(kKings, 3);
    moves.pop_back();
    EXPECT_FALSE(PlayAll(j, moves).Over());
    j.TakeBack(2);
    EXPECT_EQ(j.Plies(), 9);
    EXPECT_FALSE(PlayAll(j, {"5a4b", "4h5i"}).Over());
    EXPECT_EQ(PlayAll(j, {"4b5a"}).ending, GameEnding::Repetition); // the fourth time
}

TEST(GameJudge, DeclarationAtItsBoundaries)
{
    const struct
    {
        const char *what;
        const char *sfen;
        bool holds;
    } cases[] = {
        {"sente 28 points, 10 pieces", "GGGG1SSSS/2R1K1B2/9/9/9/9/9/9/4k4 b 10P 1", true},
        {"sente 27 points", "GGGG1SSSS/2R1K1B2/9/9/9/9/9/9/4k4 b 9P 1", false},
        {"sente 9 pieces in the camp", "GGGG1SSS1/2R1K1B2/9/9/9/9/9/9/4k4 b S10P 1", false},
        {"sente king outside the camp", "GGGG1SSSS/2R3B2/9/4K4/9/9/9/9/4k4 b 10P 1", false},
        {"sente king in check", "GGGG1SSSS/2R1K1B2/9/4r4/9/9/9/9/4k4 b 10P 1", false},
        {"gote 27 points", "4K4/9/9/9/9/9/9/2b1k1r2/ssss1gggg w 9p 1", true},
        {"gote 26 points", "4K4/9/9/9/9/9/9/2b1k1r2/ssss1gggg w 8p 1", false},
        {"gote king on its camp's edge", "4K4/9/9/9/9/9/2b1k1r2/9/ssss1gggg w 9p 1", true},
        {"gote king one rank short", "4K4/9/9/9/9/4k4/2b3r2/9/ssss1gggg w 9p 1", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const usi::Position p = Sfen(c.sfen);
        const Verdict v = GameJudge(p).Declare();
        EXPECT_EQ(v.ending, c.holds ? GameEnding::Impasse : GameEnding::IllegalMove);
        EXPECT_EQ(v.loser, c.holds ? 1 - p.side : p.side);
    }
}

TEST(GameClock, MainByoyomiIncrementAtTheirBoundaries)
{
    const struct
    {
        const char *what;
        TimeControl tc;
        std::vector<qint64> spent; // by one side, move after move
        bool inTime;               // for the last move
        qint64 mainAfter;
    } cases[] = {
        {"main used to the end", {1000, 0, 0}, {1000}, true, 0},
        {"main overrun by 1 ms", {1000, 0, 0}, {1001}, false, 0},
        {"byoyomi to the end", {0, 1000, 0}, {1000, 1000}, true, 0},
        {"byoyomi overrun", {0, 1000, 0}, {999, 1001}, false, 0},
        {"main then byoyomi", {500, 1000, 0}, {1500}, true, 0},
        {"main then byoyomi overrun", {500, 1000, 0}, {1501}, false, 0},
        {"increment after each move", {1000, 0, 100}, {600, 500}, true, 100},
        {"increment needs the move in time", {1000, 0, 100}, {600, 501}, false, 0},
        {"untimed only counts", {0, 0, 0}, {100000000}, true, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        GameClock clock(c.tc, TimeControl{});
        qint64 now = 0;
        bool inTime = true;
        for (qint64 s : c.spent) {
            clock.Start(0, now);
            now += s;
            EXPECT_EQ(clock.OutOfTime(now), !c.inTime && s == c.spent.back());
            inTime = clock.Stop(now);
        }
        EXPECT_EQ(inTime, c.inTime);
        EXPECT_EQ(clock.MainLeft(0, now), c.mainAfter);
    }
}

TEST(GameClock, BreaksDoNotCountAndEnginesAreToldTheClock)
{
    GameClock clock({60000, 10000, 0}, {30000, 0, 2000});
    clock.Start(0, 0);
    clock.Pause(1000);
    clock.Resume(500000);
    EXPECT_EQ(clock.Allowance(0, 502000), 67000);
    EXPECT_TRUE(clock.Stop(502000));
    EXPECT_EQ(clock.Used(0, 502000), 3000);
    clock.Start(1, 502000);
    EXPECT_EQ(clock.GoArguments(502000, 5000), QStringLiteral("btime 57000 wtime 30000 binc 0 winc 2000"));
    EXPECT_TRUE(clock.Stop(503000));
    EXPECT_EQ(clock.MainLeft(1, 503000), 31000);
    clock.Start(0, 503000);
    EXPECT_EQ(clock.GoArguments(503000, 5000),
              QStringLiteral("btime 57000 wtime 31000 byoyomi 10000 binc 0 winc 2000"));
    EXPECT_EQ(GameClock().GoArguments(0, 5000), QStringLiteral("btime 0 wtime 0 byoyomi 5000"));
}

} // namespace
