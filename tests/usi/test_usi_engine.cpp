// Moves between the protocol's board and the engine's think orientation, and
// the engine's protocol hooks: stop and the wall-clock limit.
#include "engine_board.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace usi;

namespace {

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

// The game's calls: UpdateBoard, then OnFindMove with the side's turn; the
// move the engine played, if any.
std::optional<Move> ThinkOn(CZelkor &z, const Position &p)
{
    const EngineInput in = ToEngineInput(p);
    z.UpdateBoard(in.board, in.up, in.down, in.counter);
    unsigned int word = 0;
    int result = -1, src, dst, kind, naru, srcKind;
    z.OnFindMove(in.turn, &word, &result);
    if (!z.m_bThinkMoved || !z.GetKomaMove(src, dst, kind, naru, srcKind))
        return std::nullopt;
    return FromEngineMove({src, dst, kind, naru}, in.turn == 0);
}

// Every legal move crosses into the think orientation and back unchanged, and
// lands on the thinker's own piece there: the drops of either side included.
TEST(UsiEngineMoves, EveryLegalMoveRoundTripsAndTheEngineAcceptsIt)
{
    std::vector<Position> positions = enginetest::MakePositions(5, 11);
    positions.push_back(StartPosition());
    auto z = Thinker(1);
    int checked = 0, drops[2] = {};
    for (std::size_t i = 0; i < positions.size(); i++) {
        // Either side to move, as long as the other is not in check.
        Position p = positions[i];
        p.side = i % 2 == 0 ? kSente : kGote;
        if (InCheck(p, 1 - p.side))
            continue;
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
            drops[p.side] += m.src == kDrop;
            checked++;
        }
    }
    EXPECT_GT(checked, 500);
    EXPECT_GT(drops[kSente] * drops[kGote], 0);
}

TEST(UsiEngineHooks, StopAndWallLimitEndADeepThinkWithALegalMove)
{
    const Position p = enginetest::MakePositions(1, 9).at(2);
    auto z = Thinker(32); // would run for a very long time
    z->m_bStopRequest = true;
    std::optional<Move> a = ThinkOn(*z, p);
    ASSERT_TRUE(a);
    EXPECT_TRUE(IsLegal(p, *a)) << MoveText(*a);
    EXPECT_EQ(z->m_nCompletedDepth, 0); // cut within the first iteration

    z->m_bStopRequest = false;
    z->m_nWallLimitMs = 100; // uncut, this think would not end in the test's time
    a = ThinkOn(*z, p);
    ASSERT_TRUE(a);
    EXPECT_TRUE(IsLegal(p, *a)) << MoveText(*a);
    EXPECT_LT(z->m_nCompletedDepth, 32);
}

} // namespace
