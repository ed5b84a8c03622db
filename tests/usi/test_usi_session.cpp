// The protocol session in process: clock budgets, options, refused positions
// and moves, and the promotion flag of the answer.
#include "engine_board.h"
#include "usi_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

using namespace usi;
using enginetest::Sfen; // fails the test on a refusal

namespace {

GoLimits Go(const std::string &args)
{
    GoLimits g;
    std::string err;
    EXPECT_TRUE(ParseGo(SplitWords(args), g, err)) << args << ": " << err;
    return g;
}

TEST(UsiClock, BudgetStaysWithinTheClock)
{
    const struct
    {
        const char *go;
        int side;
        long long least, most;
    } rows[] = {
        {"", kSente, 0, 0}, // no clock: the level decides
        {"infinite", kSente, 0, 0},
        {"btime 600000 wtime 600000 byoyomi 0 infinite", kSente, 0, 0},
        {"btime 0 wtime 0 byoyomi 3000", kGote, 2001, 2999}, // all but the margin
        // The side to move's own clock counts, not the other's.
        {"btime 2000 wtime 600000", kSente, 1, 1999},
        {"btime 2000 wtime 600000", kGote, 2001, 600000},
        // Increments come after the move: never more than the time left now.
        {"btime 1000 wtime 1000 binc 5000 winc 5000", kSente, 1, 999},
        // Out of time altogether: still an answer, as fast as the engine can.
        {"btime 0 wtime 0", kSente, 1, 1},
        {"btime -50 wtime 0 byoyomi 0", kSente, 1, 1},
    };
    for (const auto &r : rows) {
        const long long t = ThinkBudgetMs(Go(r.go), r.side);
        EXPECT_GE(t, r.least) << r.go;
        EXPECT_LE(t, r.most) << r.go;
    }

    const long long grid[] = {0, 50, 400, 1000, 10000, 600000};
    for (long long left : grid)
        for (long long b : grid)
            for (long long inc : {0LL, 2000LL}) {
                GoLimits g;
                g.btime = left, g.byoyomi = b, g.binc = inc;
                const long long t = ThinkBudgetMs(g, kSente);
                EXPECT_TRUE(t >= 1 && (left + b <= 2 || t < left + b)) << left << " " << b << " " << inc;
            }

    GoLimits g;
    std::string err;
    EXPECT_FALSE(ParseGo(SplitWords("btime"), g, err));
    EXPECT_FALSE(ParseGo(SplitWords("btime soon"), g, err));
    EXPECT_TRUE(ParseGo(SplitWords("searchmoves 7g7f"), g, err)); // unknown words pass
}

// Collects the session's lines; waits for one with a prefix.
class Lines
{
public:
    Session::Writer Writer()
    {
        return [this](const std::string &l) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_lines.push_back(l);
            m_cv.notify_all();
        };
    }
    std::string WaitFor(const std::string &prefix, double seconds = 120)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        std::string found;
        m_cv.wait_for(lock, std::chrono::duration<double>(seconds), [&] {
            for (; m_next < m_lines.size(); m_next++)
                if (m_lines[m_next].rfind(prefix, 0) == 0) {
                    found = m_lines[m_next++];
                    return true;
                }
            return false;
        });
        return found;
    }
    std::vector<std::string> All()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_lines;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::vector<std::string> m_lines;
    std::size_t m_next = 0;
};

struct SessionFixture : ::testing::Test
{
    std::unique_ptr<CZelkor> engine = std::make_unique<CZelkor>();
    Lines lines;
    Session session{*engine, lines.Writer()};

    void SetUp() override
    {
        engine->m_nFixedRandDraw = 0;
        ASSERT_TRUE(session.Handle("isready"));
        ASSERT_EQ(lines.WaitFor("readyok", 5), "readyok");
        session.Handle("setoption name FixedDepth value 2");
    }
    std::string BestMove(const std::string &position)
    {
        session.Handle(position);
        session.Handle("go");
        return lines.WaitFor("bestmove ");
    }
};

TEST_F(SessionFixture, OptionsRefuseBadValuesAndIgnoreUnknownNames)
{
    session.Handle("usi");
    EXPECT_EQ(lines.WaitFor("usiok", 5), "usiok");
    const auto all = lines.All();
    EXPECT_NE(
        std::find(all.begin(), all.end(), "option name Level type spin default 0 min 0 max 2"),
        all.end());
    for (const char *bad : {"setoption name Level value 3", "setoption name Level value -1",
                            "setoption name Level value two", "setoption name Level",
                            "setoption name FixedDepth value 33"}) {
        session.Handle(bad);
        EXPECT_NE(lines.WaitFor("info string refused", 5), "") << bad;
    }
    const std::size_t before = lines.All().size();
    session.Handle("setoption name USI_Hash value 256");
    session.Handle("setoption name level value 2"); // names are read without case
    EXPECT_EQ(lines.All().size(), before);
}

TEST_F(SessionFixture, RefusedPositionsAnswerResign)
{
    const char *bad[] = {
        "position sfen 4k4/9/9/9/9/9/9/9/4K4 b 19P 1",
        "position startpos moves 7g7f 7g7f",
        "position startpos moves 7g7f 3c3d 8h2b 2b3c", // 2b3c: nothing of gote's on 2b
        "position startpos moves 7g7e",
        "position startpos moves 7g7f xyz",
        "position sfen 7nk/7p1/7G1/9/9/9/9/9/4K4 b P 1 moves P*1b", // pawn-drop mate
        "position",
        "position startpos 7g7f",
    };
    for (const char *p : bad) {
        session.Handle(p);
        EXPECT_NE(lines.WaitFor("info string", 1), "") << p;
        session.Handle("go");
        EXPECT_EQ(lines.WaitFor("bestmove "), "bestmove resign") << p;
    }
    // A good position afterwards is played again.
    const std::string best = BestMove("position startpos moves 7g7f");
    Move m;
    ASSERT_TRUE(ParseMove(best.substr(9), m)) << best;
    EXPECT_TRUE(
        IsLegal(Sfen("lnsgkgsnl/1r5b1/ppppppppp/9/9/2P6/PP1PPPPPP/1B5R1/LNSGKGSNL w - 2"), m));
}

TEST_F(SessionFixture, AnswersCarryExactPromotions)
{
    // A silver stepping out of the zone unpromoted still has byte 3 of the
    // packed word set; the answer must follow the engine's own choice. Here
    // the only legal moves are the king's and the silver's; every answer is
    // checked against the rules, and a pawn that must promote does.
    const char *cases[] = {
        "k8/2S6/9/9/9/9/9/9/8K b - 1",
        "8k/9/9/9/9/9/9/6s2/K8 w - 1",
        "4k4/P8/9/9/9/9/9/9/4K4 b - 1",
        "8k/9/9/9/9/9/9/p8/4K4 w - 1",
    };
    for (const char *sfen : cases) {
        const std::string best = BestMove(std::string("position sfen ") + sfen);
        Move m;
        ASSERT_TRUE(ParseMove(best.substr(9), m)) << sfen << ": " << best;
        EXPECT_TRUE(IsLegal(Sfen(sfen), m)) << sfen << ": " << best;
    }
    for (const std::string &l : lines.All())
        EXPECT_EQ(l.find("corrected"), std::string::npos)
            << "the engine's own choice was lost: " << l;
    EXPECT_EQ(BestMove("position sfen 4k4/P8/9/9/9/9/9/9/4K4 b - 1 moves 5a4a"), "bestmove resign")
        << "an illegal start (sente to move twice) must be refused";
}

TEST_F(SessionFixture, StopEndsAnInfiniteThinkAndGoWaitsForIt)
{
    session.Handle("setoption name FixedDepth value 0");
    session.Handle("position startpos moves 7g7f 3c3d 2g2f 4c4d");
    session.Handle("go infinite");
    session.Handle("go"); // refused while thinking
    EXPECT_NE(lines.WaitFor("info string go refused", 5), "");
    EXPECT_EQ(lines.WaitFor("bestmove", 0.3), ""); // infinite: nothing before stop
    session.Handle("isready"); // answered while the think runs
    EXPECT_EQ(lines.WaitFor("readyok", 5), "readyok");
    session.Handle("stop");
    // Stop returns once the answer is written.
    const auto all = lines.All();
    EXPECT_EQ(std::count_if(all.begin(), all.end(),
                            [](const std::string &l) { return l.rfind("bestmove ", 0) == 0; }),
              1);
    EXPECT_NE(lines.WaitFor("bestmove ", 1), "");
    session.Handle("stop"); // nothing left to stop: no second answer
    EXPECT_EQ(lines.WaitFor("bestmove", 0.2), "");
    EXPECT_FALSE(session.Handle("quit")); // the program's input loop ends on this
}

} // namespace
