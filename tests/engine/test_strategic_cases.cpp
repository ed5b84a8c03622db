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
