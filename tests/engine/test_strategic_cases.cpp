// The strategic generators on small constructed positions: quotas, caps,
// priorities and the pawn rules.
#include "engine_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

using namespace enginetest;

namespace {

constexpr int kComKing = 0x15, kManKing = 0x95;

struct Board
{
    Pos p = Sfen("4k4/9/9/9/9/9/9/9/4K4");
    Board() = default;
    explicit Board(const char *sfen) : p(Sfen(sfen)) {}
    Board &At(int s, int code)
    {
        p.Set(s, code);
        return *this;
    }
    Board &ComHolds(int k, int n = 1)
    {
        Hand(p, true, k) = n;
        return *this;
    }
    Board &ManHolds(int k, int n = 1)
    {
        Hand(p, false, k) = n;
        return *this;
    }
};

class Strategic : public ::testing::Test
{
protected:
    EnginePtr z = enginetest::NewEngine();

    // Loads the position for the side to move at ply depth with rem plies left.
    void Set(const Board &b, int depth = 0, int rem = 4)
    {
        Load(*z, b.p);
        z->m_nDepth = depth;
        z->m_nMinTagDepth = depth + rem;
        z->m_bBattle = false;
    }
    std::vector<CANDI_MOVE> Counted(void (ZelkorCore::*gen)(int, int *), int quota)
    {
        int n = 0;
        (z.get()->*gen)(quota, &n);
        const CANDI_MOVE *row = z->CandiRow(z->m_nDepth);
        return std::vector<CANDI_MOVE>(row, row + n);
    }
    template <typename F> std::vector<CANDI_MOVE> Block(F gen)
    {
        CANDI_MOVE *p = z->CandiRow(z->m_nDepth);
        int n = gen(p);
        return std::vector<CANDI_MOVE>(p, p + n);
    }
};

const CANDI_MOVE *Find(const std::vector<CANDI_MOVE> &v, int src, int dst)
{
    for (const CANDI_MOVE &m : v)
        if (m.nSrcPos == src && m.nDstPos == dst)
            return &m;
    return nullptr;
}

// ---- captures and promotions ----

TEST_F(Strategic, ToruOrNaruNearTheHorizonKeepsCapturesLosingAtMostAPawn)
{
    // Man silver guarded by a pawn; Com gold and rook on it; Man pawn guarded by a gold; Com silver
    // on it; a loose Man pawn.
    Board b("4k4/9/9/4gs2p/r3S1P1P/4P1G2/9/9/4K4");
    Set(b, 0, 2);
    auto v = Counted(&ZelkorCore::GCCM_ToruOrNaru, 20);
    const CANDI_MOVE *gold = Find(v, 0x45, 0x55);
    ASSERT_NE(gold, nullptr);
    EXPECT_EQ(gold->nScore, 1280 + 200 - 1380); // silver won, gold lost to the pawn
    EXPECT_EQ(Find(v, 0x51, 0x55), nullptr);    // the rook for a silver
    EXPECT_EQ(Find(v, 0x46, 0x57), nullptr);    // a silver for a pawn
    const CANDI_MOVE *pawn = Find(v, 0x49, 0x59);
    ASSERT_NE(pawn, nullptr);
    EXPECT_EQ(pawn->nScore, 200);
    for (const CANDI_MOVE &m : v)
        EXPECT_GE(m.nScore, -200);
}

TEST_F(Strategic, ToruOrNaruPushesAPawnToPromotionOnlyBelowQuota)
{
    // Pawn on row 6, the gold covers its square.
    Board b("4k4/9/9/9/9/2pg5/9/9/4K4");
    Set(b);
    auto v = Counted(&ZelkorCore::GCCM_ToruOrNaru, 3);
    const CANDI_MOVE *push = Find(v, 0x63, 0x73);
    ASSERT_NE(push, nullptr);
    EXPECT_EQ(push->nNaru, 8);
    EXPECT_EQ(push->nScore, 320);

    b.At(0x59, 1).At(0x49, 129); // a loose pawn to take fills a quota of 1
    Set(b);
    v = Counted(&ZelkorCore::GCCM_ToruOrNaru, 1);
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].nDstPos, 0x59);
}

// ---- demands and forks ----

TEST_F(Strategic, DemandOnAnOverDefendedPawnOffersOnlyPawns)
{
    // Man pawn guarded twice; Com pawn covered by a silver; a gold beside.
    Board b("4k4/9/3sp4/9/4Pg3/3G1G3/9/9/4K4");
    b.ComHolds(4).ComHolds(5).ComHolds(6);
    Set(b);
    auto v = Block([&](CANDI_MOVE *p) { return z->GCCM_DemandManKoma(9, 8, 0x55, p); });
    ASSERT_NE(Find(v, 0x35, 0x45), nullptr);
    for (const CANDI_MOVE &m : v) {
        int piece = m.nSrcPos == 255 ? m.nKind : z->m_nBoard[m.nSrcPos];
        EXPECT_EQ(piece, 129);
        EXPECT_EQ(m.nTemp1, 5);
    }
}

// ---- line pieces, gold, drops ----

TEST_F(Strategic, UtsuHuKeepsFifteenAndRespectsThePawnFile)
{
    Board b;
    for (int c = 1; c <= 4; c++)
        b.At(0x30 + c, 129);
    b.ComHolds(1);
    Set(b);
    auto v = Block([&](CANDI_MOVE *p) { return z->GCCM_UtsuHu(p); });
    ASSERT_EQ(v.size(), 15u);
    for (size_t i = 0; i < v.size(); i++) {
        EXPECT_GE(v[i].nDstPos & 15, 5);
        if (i > 0) {
            EXPECT_LE(v[i].nScore, v[i - 1].nScore);
        }
    }
}

// ---- king zone, pins, pawn play ----

// ---- threats and lures ----

TEST_F(Strategic, FeedOverNeedsRoomForItsScratchRows)
{
    Board b;
    b.At(0x55, 5).At(0x65, 1).ComHolds(4).ComHolds(5);
    Set(b, 50);
    for (auto &pre : z->m_pPreCandi)
        pre = nullptr;
    EXPECT_EQ(z->GCCM_FeedOverEffect(5, z->CandiRow(50)), 0);
    EXPECT_EQ(z->m_nDepth, 50);
    for (CANDI_MOVE *pre : z->m_pPreCandi) {
        EXPECT_EQ(pre, nullptr);
    }
}

} // namespace
