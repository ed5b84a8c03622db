// Moves between the protocol's board and the engine's think orientation, and
// the engine's protocol hooks: stop and the wall-clock limit.
#include "usi_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>

using namespace usi;
using namespace usitest;

namespace {

Move M(const char *t)
{
    Move m;
    EXPECT_TRUE(ParseMove(t, m)) << t;
    return m;
}

std::unique_ptr<CZelkor> Thinker(int depth)
{
    auto z = std::make_unique<CZelkor>();
    EXPECT_EQ(z->InitGame(), 0);
    z->SetComLevel(0);
    z->m_nFixedDepth = depth;
    z->m_bNoTimeLimit = true;
    z->m_nFixedRandDraw = 0;
    return z;
}

struct Answer
{
    int result = -1;
    Move move;
    bool moved = false;
};

// The game's calls: UpdateBoard, then OnFindMove with the side's turn.
Answer ThinkOn(CZelkor &z, const Position &p)
{
    const EngineInput in = ToEngineInput(p);
    z.UpdateBoard(in.board, in.up, in.down, in.counter);
    unsigned int word = 0;
    Answer a;
    z.OnFindMove(in.turn, &word, &a.result);
    int src, dst, kind, naru, srcKind;
    a.moved = z.m_bThinkMoved && z.GetKomaMove(src, dst, kind, naru, srcKind);
    if (a.moved)
        a.move = FromEngineMove({src, dst, kind, naru}, in.turn == 0);
    return a;
}

TEST(UsiEngineMoves, AnchorsInBothOrientations)
{
    // Sente to move: the engine turns the board round. Its usual first pawn
    // step, 0x37 -> 0x47 in think orientation, is 7g7f.
    const Position start = StartPosition();
    EngineMove e = ToEngineMove(start, M("7g7f"));
    EXPECT_EQ(e.src, 0x37);
    EXPECT_EQ(e.dst, 0x47);
    EXPECT_EQ(FromEngineMove({0x37, 0x47, 0, 0}, true), M("7g7f"));
    // Gote to move: no turning; 3c3d is the same pawn step.
    Position gote = Apply(start, M("7g7f"));
    e = ToEngineMove(gote, M("3c3d"));
    EXPECT_EQ(e.src, 0x37);
    EXPECT_EQ(e.dst, 0x47);
    EXPECT_EQ(FromEngineMove({0x37, 0x47, 0, 0}, false), M("3c3d"));
    // Capture with promotion by sente: the captured code is Man's in think orientation.
    gote = Apply(gote, M("3c3d"));
    e = ToEngineMove(gote, M("8h2b+"));
    EXPECT_EQ(e.src, 170 - 0x82);
    EXPECT_EQ(e.dst, 170 - 0x28);
    EXPECT_EQ(e.kind, 6);
    EXPECT_EQ(e.naru, 8);
    // Drops carry Com's code whichever side drops.
    EXPECT_EQ(FromEngineMove({255, 0x44, 129, 0}, false), M("P*6d"));
    EXPECT_EQ(FromEngineMove({255, 0x44, 129, 0}, true), M("P*4f"));
    EXPECT_EQ(ToEngineMove(Sfen("4k4/9/9/9/9/9/9/9/4K4 b S 1"), M("S*4f")).kind, 132);
}

TEST(UsiEngineMoves, EveryLegalMoveRoundTripsAndTheEngineAcceptsIt)
{
    std::vector<Position> positions = RandomGamePositions(11, 120, 7);
    positions.push_back(StartPosition());
    auto z = Thinker(1);
    int checked = 0;
    for (const Position &p : positions) {
        const bool turned = p.side == kSente;
        const EngineInput in = ToEngineInput(p);
        z->UpdateBoard(in.board, in.up, in.down, in.counter);
        if (turned)
            ZelkorTestAccess::Core(*z).ConvertBoard(); // what the think does with turn 0
        for (const Move &m : LegalMoves(p)) {
            const EngineMove e = ToEngineMove(p, m);
            EXPECT_EQ(FromEngineMove(e, turned), m) << MoveText(m);
            const int code = e.src == 255 ? e.kind : z->m_nBoard[e.src];
            ASSERT_GT(code, 128) << "not the thinker's piece: " << MoveText(m) << " in "
                                 << WriteSfen(p);
            if (e.src != 255) {
                EXPECT_EQ(z->m_nBoard[e.dst], e.kind) << MoveText(m);
            }
            const int c = z->CheckMoveable(e.src, e.dst, code);
            EXPECT_TRUE(c == 0 || c == 11 || c == 13) << MoveText(m) << " " << c;
            checked++;
        }
    }
    EXPECT_GT(checked, 500);
}

TEST(UsiEngineHooks, StopAndWallLimitEndADeepThinkWithALegalMove)
{
    const Position p = RandomGamePositions(9, 30, 30).at(0);
    auto z = Thinker(32); // would run for a very long time
    z->m_bStopRequest = true;
    Answer a = ThinkOn(*z, p);
    ASSERT_TRUE(a.moved);
    EXPECT_TRUE(IsLegal(p, a.move)) << MoveText(a.move);
    EXPECT_EQ(z->m_nCompletedDepth, 0); // cut within the first iteration

    z->m_bStopRequest = false;
    z->m_nWallLimitMs = 100;
    const auto t0 = std::chrono::steady_clock::now();
    a = ThinkOn(*z, p);
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    ASSERT_TRUE(a.moved);
    EXPECT_TRUE(IsLegal(p, a.move)) << MoveText(a.move);
    EXPECT_LT(z->m_nCompletedDepth, 32);
    EXPECT_LT(s, 30.0); // generous: only a think the limit did not cut takes longer
}

} // namespace
