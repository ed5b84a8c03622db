#include "docfixture.h"
#include "gameflow.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// Plays every computer move at once, the way the board widget does after
// its second of showing.
class FlowHost : public FakeHost
{
public:
    using FakeHost::FakeHost;
    int computerMoves = 0;
    std::vector<int> last; // sx, sy, dx, dy, kind

    void slotGameBreak() override { g_byGameStatus = GameStatus::Stopped; }
    Answer AskYesNoCancel(const char *) override { return No; }
    bool Disabled(int id) const
    {
        return log.lastIndexOf(QString("disable(%1)").arg(id)) >
               log.lastIndexOf(QString("enable(%1)").arg(id));
    }
    void ProComputerMove(BYTE sx, BYTE sy, BYTE dx, BYTE dy, BYTE kind, bool, int nR) override
    {
        ++computerMoves;
        last = {sx, sy, dx, dy, kind};
        if (nR != EngineResult::ComputerDefeated) // the tests' engines move on the board only
            doc->AddKibo(sx, sy, doc->GetBoardInfo(sx, sy), dx, dy, doc->GetBoardInfo(dx, dy),
                         doc->GetBoardInfo(sx, sy));
    }
};

class GameFlow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        saved = EngineCalls();
        g_bMoveEnd = false;
        doc.SetHost(&host);
        doc.Init();
        doc.SetMustWait(false);
    }
    void TearDown() override
    {
        doc.GameFlow().thread.Join();
        EngineCalls() = saved;
        g_bMoveEnd = false;
        g_byGameStatus = GameStatus::Start;
    }
    // An engine that answers with a fixed word and result.
    void FixedEngine(unsigned int word, int result, int thinkMs = 0)
    {
        EngineCalls().UpdateBoard = [this](const CEnginePosition &p) { seen = p; };
        EngineCalls().OnFindMove = [word, result, thinkMs](int, unsigned int *m, int *r) {
            std::this_thread::sleep_for(std::chrono::milliseconds(thinkMs));
            *m = word;
            *r = result;
        };
    }

    CEngineCalls saved;
    FlowHost host{&doc};
    ShogiDoc doc;
    CEnginePosition seen{};
};

TEST_F(GameFlow, ComputerAtTheBottomThinksMirrored)
{
    doc.GetFirstPlayer()->SetProperty(2);
    doc.GetSecondPlayer()->SetProperty(1); // one think only: what it saw stays put
    doc.GetFirstPlayer()->AddKoma(1);
    doc.GetSecondPlayer()->AddKoma(7);
    // First player's pawn from (2, 6) to (2, 5): think orientation 0x76 -> 0x66.
    FixedEngine(PackEngineMove(2, 6, 2, 5, 111, false, false), EngineResult::Move);
    g_byGameStatus = GameStatus::Playing;
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.computerMoves == 1; }));
    EXPECT_EQ(g_nTurn, 0);
    EXPECT_EQ(seen.board[6][2], 1) << "first player's pawn carries no bit 128 at the bottom";
    EXPECT_EQ(seen.board[0][4], 8 + 128);
    EXPECT_EQ(seen.up[6], 1);   // the second player's rook in hand
    EXPECT_EQ(seen.down[0], 1); // the first player's pawn
    EXPECT_EQ(host.last, (std::vector<int>{2, 6, 2, 5, 1}));
    EXPECT_EQ(doc.GetBoardInfo(2, 5), 111);
    EXPECT_EQ(doc.GetCurPlayer(), 2);
}

TEST_F(GameFlow, CommandsAndBoardLockedWhileThinking)
{
    std::atomic<bool> release{false};
    EngineCalls().UpdateBoard = [](const CEnginePosition &) {};
    EngineCalls().OnFindMove = [&release](int, unsigned int *m, int *r) {
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        *m = PackEngineMove(2, 2, 2, 3, 121, false, true);
        *r = 0;
    };
    doc.SetCurPlayer(2);
    g_byGameStatus = GameStatus::Playing;
    ASSERT_TRUE(QTest::qWaitFor([&] { return doc.IsComputerMoveing(); }));
    EXPECT_TRUE(doc.IsMustWait());
    for (int id : {11040, 11050})
        EXPECT_TRUE(host.Disabled(id)) << id;
    EXPECT_FALSE(host.Disabled(11020)) << "break abandons the think";
    release = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.computerMoves == 1; }));
    EXPECT_FALSE(doc.IsMustWait());
    EXPECT_EQ(doc.GetBoardInfo(2, 3), 121);
}

TEST_F(GameFlow, AnswerOfAnAbandonedThinkIsThrownAway)
{
    FixedEngine(PackEngineMove(2, 2, 2, 3, 121, false, true), 0, 150);
    doc.SetCurPlayer(2);
    g_byGameStatus = GameStatus::Playing;
    ASSERT_TRUE(QTest::qWaitFor([&] { return doc.IsComputerMoveing(); }));
    // A new game: the same side to move, a fresh position.
    doc.AbandonComputerMove();
    ASSERT_EQ(SetSfen(doc, "lnsgkgsnl/1r5b1/pp1pppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w -"), "");
    FixedEngine(PackEngineMove(6, 2, 6, 3, 121, false, true), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.computerMoves == 1; }));
    EXPECT_EQ(host.last.at(0), 6) << "only the new think's answer is played";
    EXPECT_EQ(doc.GetKiboNum(), 1);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
