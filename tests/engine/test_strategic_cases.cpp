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

TEST_F(Strategic, ToruOrNaruWalksARookSidewaysOnlyInsideTheZone)
{
    // Rook on row 5, its file blocked.
    Board b("4k4/9/9/9/2r6/2p6/9/9/4K4");
    Set(b);
    auto v = Counted(&ZelkorCore::GCCM_ToruOrNaru, 5);
    for (const CANDI_MOVE &m : v)
        EXPECT_NE(m.nSrcPos, 0x53);

    // Rook inside the zone, file blocked.
    Board c("4k4/9/9/9/9/9/2r6/2p6/4K4");
    Set(c);
    v = Counted(&ZelkorCore::GCCM_ToruOrNaru, 5);
    const CANDI_MOVE *side = Find(v, 0x73, 0x74);
    ASSERT_NE(side, nullptr);
    EXPECT_EQ(side->nNaru, 8);
    EXPECT_EQ(side->nScore, 260);
}

TEST_F(Strategic, ThreatManKomaKeepsTheQuotaWithTheSmallestPriorities)
{
    Board b;
    b.At(0x55, 7).At(0x33, 132).At(0x37, 132).ComHolds(1).ComHolds(5, 2);
    Set(b);
    auto all = Counted(&ZelkorCore::GCCM_ThreatManKoma, 100);
    ASSERT_GT(all.size(), 3u);
    // The same list, chosen by selection on ascending nTemp1, earliest first.
    std::vector<CANDI_MOVE> expect = all;
    for (int i = 0; i < 3; i++) {
        int best = i;
        for (size_t j = i + 1; j < expect.size(); j++)
            if (expect[j].nTemp1 < expect[best].nTemp1)
                best = static_cast<int>(j);
        std::swap(expect[i], expect[best]);
    }
    auto kept = Counted(&ZelkorCore::GCCM_ThreatManKoma, 3);
    ASSERT_EQ(kept.size(), 3u);
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(kept[i].nSrcPos, expect[i].nSrcPos);
        EXPECT_EQ(kept[i].nDstPos, expect[i].nDstPos);
        EXPECT_EQ(kept[i].nKind, expect[i].nKind);
        EXPECT_EQ(kept[i].nTemp1, expect[i].nTemp1);
    }
}

TEST_F(Strategic, ToruOnKeimaKyouHuNeverTakesWithTheKing)
{
    // Man pawn next to Com's king, lance behind.
    Board b("4kg3/4P4/9/4L4/9/9/9/9/4K4");
    Set(b);
    auto v = Block([&](CANDI_MOVE *p) { return z->GCCM_ToruOnKeimaKyouHu(5, p); });
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].nSrcPos, 0x16);
    EXPECT_EQ(v[0].nScore, -z->m_nUniBoard[0x25]);
    EXPECT_TRUE(Block([&](CANDI_MOVE *p) { return z->GCCM_ToruOnKeimaKyouHu(0, p); }).empty());
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

TEST_F(Strategic, DemandRanksBishopDropsDeepInTheCampHigher)
{
    Board b;
    b.At(0x66, 7).ComHolds(6);
    b.At(kManKing, 0).At(0x91, 8);
    Set(b);
    auto v = Block([&](CANDI_MOVE *p) { return z->GCCM_DemandManKoma(6, 4, 0x66, p); });
    const CANDI_MOVE *deep = Find(v, 255, 0x88), *near = Find(v, 255, 0x55);
    ASSERT_NE(deep, nullptr);
    ASSERT_NE(near, nullptr);
    EXPECT_EQ(deep->nTemp1, 5);
    EXPECT_EQ(near->nTemp1, 6);
    EXPECT_EQ(Find(v, 255, 0x99), nullptr); // two drops per line at most
}

TEST_F(Strategic, KnightForkNeedsAPieceOtherThanAPawn)
{
    Board b;
    b.At(0x55, 7).At(0x57, 5).ComHolds(3);
    Set(b);
    auto v = Block([&](CANDI_MOVE *p) { return z->GCCM_UtsuDemandTwo(p); });
    const CANDI_MOVE *fork = Find(v, 255, 0x36);
    ASSERT_NE(fork, nullptr);
    EXPECT_EQ(fork->nKind, 131);
    EXPECT_EQ(fork->nTemp1, 3);
    EXPECT_EQ(fork->nScore, 2080);

    b.At(0x57, 1);
    Set(b);
    v = Block([&](CANDI_MOVE *p) { return z->GCCM_UtsuDemandTwo(p); });
    EXPECT_EQ(Find(v, 255, 0x36), nullptr);
}

TEST_F(Strategic, ABishopForkSquareIsUsedOnce)
{
    Board b;
    b.At(0x53, 5).At(0x57, 5).ComHolds(6);
    Set(b);
    auto v = Block([&](CANDI_MOVE *p) { return z->GCCM_UtsuDemandTwo(p); });
    int drops = 0;
    for (const CANDI_MOVE &m : v)
        drops += m.nSrcPos == 255 && m.nDstPos == 0x35 && m.nKind == 134;
    EXPECT_EQ(drops, 1);
}

// ---- line pieces, gold, drops ----

TEST_F(Strategic, AttackByKinStepsTowardTheKingsFile)
{
    Board b;
    b.At(kManKing, 0).At(0x85, 8).At(0x75, 133);
    Set(b);
    EXPECT_TRUE(Block([&](CANDI_MOVE *p) { return z->GCCM_AttackByKin(p); }).empty());

    b.At(0x75, 0).At(0x73, 133);
    Set(b);
    auto v = Block([&](CANDI_MOVE *p) { return z->GCCM_AttackByKin(p); });
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0].nDstPos, 0x74);
    EXPECT_EQ(v[0].nScore, 10);
    EXPECT_EQ(v[1].nDstPos, 0x84);
    EXPECT_EQ(v[1].nScore, 0);
    EXPECT_EQ(v[2].nDstPos, 0x63);
    EXPECT_EQ(v[2].nScore, -5);
}

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

TEST_F(Strategic, UtsuOfShaKakuNearTheHorizonDropsOneOfEach)
{
    Board b;
    b.ComHolds(6).ComHolds(7);
    Set(b, 0, 2);
    auto v = Block([&](CANDI_MOVE *p) { return z->GCCM_UtsuOfShaKaku(p); });
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(v[0].nKind, 134);
    EXPECT_EQ(v[0].nDstPos, 0x71);
    EXPECT_EQ(v[1].nKind, 135);
    EXPECT_EQ(v[1].nDstPos, 0x91);
}

TEST_F(Strategic, BreakThroughOfShaPushesOnlyOntoACoveredSquare)
{
    Board b;
    // Lance behind a pawn (it covers the square ahead through the pawn);
    // Man's pawn and silver guard that square.
    b.At(0x31, 130).At(0x51, 129).At(0x71, 1).At(0x72, 4);
    Set(b);
    EXPECT_TRUE(Block([&](CANDI_MOVE *p) { return z->GCCM_BreakThroughOfSha(p); }).empty());
    b.At(0x52, 133); // a gold adds cover
    Set(b);
    auto v = Block([&](CANDI_MOVE *p) { return z->GCCM_BreakThroughOfSha(p); });
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].nSrcPos, 0x51);
    EXPECT_EQ(v[0].nDstPos, 0x61);
}

TEST_F(Strategic, DefenceShaKakuCopesWithARookOnTheFirstRow)
{
    Board b;
    b.At(kComKing, 0).At(0x11, 136).At(0x13, 7).ComHolds(1).ComHolds(5);
    Set(b);
    auto v = Block([&](CANDI_MOVE *p) { return z->GCCM_DefenceShaKaku(p); });
    EXPECT_EQ(CheckCandidates(b.p, true, v.data(), static_cast<int>(v.size())), "");
    EXPECT_LE(v.size(), 2u);
}

// ---- king zone, pins, pawn play ----

TEST_F(Strategic, ARookPinAttackOnADoublyDefendedSquareIsLast)
{
    Board b;
    b.At(0x75, 4).At(0x63, 5).At(0x35, 135).ComHolds(5);
    Set(b);
    auto v = Block([&](CANDI_MOVE *p) { return z->GCCM_AttackbyHishaKakuKyou(50, p); });
    const CANDI_MOVE *drop = Find(v, 255, 0x64);
    ASSERT_NE(drop, nullptr);
    EXPECT_EQ(drop->nTemp1, -30000);
    // Over quota the best priorities come first and the refuted squares go.
    int refuted = static_cast<int>(
        std::count_if(v.begin(), v.end(), [](const CANDI_MOVE &m) { return m.nTemp1 == -30000; }));
    int q = static_cast<int>(v.size()) - refuted;
    ASSERT_GT(q, 1);
    auto kept = Block([&](CANDI_MOVE *p) { return z->GCCM_AttackbyHishaKakuKyou(q, p); });
    ASSERT_EQ(static_cast<int>(kept.size()), q);
    for (int i = 0; i < q; i++) {
        EXPECT_GT(kept[i].nTemp1, -30000);
        if (i > 0) {
            EXPECT_LE(kept[i].nTemp1, kept[i - 1].nTemp1);
        }
    }
}

TEST_F(Strategic, AttackHuPushesAPawnStandingAbove)
{
    Board b;
    b.At(0x75, 5).At(0x55, 129).ComHolds(1);
    Set(b);
    auto v = Block([&](CANDI_MOVE *p) { return z->GCCM_AttackHu(10, p); });
    ASSERT_NE(Find(v, 0x55, 0x65), nullptr);
    EXPECT_EQ(Find(v, 255, 0x65), nullptr);
}

TEST_F(Strategic, UtsuHuOnEnemyFieldWaitsForTheKingOnTheLastRows)
{
    Board b;
    b.At(kManKing, 0).At(0x75, 8).ComHolds(1);
    Set(b);
    EXPECT_TRUE(Block([&](CANDI_MOVE *p) { return z->GCCM_UtsuHuOnEnemyField(3, p); }).empty());
    b.At(0x75, 0).At(0x85, 8);
    Set(b);
    auto v = Block([&](CANDI_MOVE *p) { return z->GCCM_UtsuHuOnEnemyField(3, p); });
    ASSERT_EQ(v.size(), 3u);
    EXPECT_GE(v[0].nScore, v[1].nScore);
    EXPECT_GE(v[1].nScore, v[2].nScore);
}

TEST_F(Strategic, ManPawnPlay)
{
    Board b;
    b.At(0x45, 1).At(0x56, 1).At(0x13, 129).ManHolds(1);
    Set(b, 1);
    auto push = Block([&](CANDI_MOVE *p) { return z->GMCM_FowardHuNaru(p); });
    ASSERT_EQ(push.size(), 1u);
    EXPECT_EQ(push[0].nSrcPos, 0x45);
    EXPECT_EQ(push[0].nNaru, 8);
    EXPECT_EQ(push[0].nScore, -z->m_nUniBoard[0x45]);
    auto drops = Block([&](CANDI_MOVE *p) { return z->GMCM_UtsuOfHu(p); });
    EXPECT_EQ(Find(drops, 255, 0x33), nullptr); // a Com pawn two rows above
    EXPECT_NE(Find(drops, 255, 0x34), nullptr);
    EXPECT_EQ(Find(drops, 255, 0x35), nullptr); // Man pawn on the file
}

// ---- threats and lures ----

TEST_F(Strategic, AStaleThreatGivesNothingOrOnlyTheCover)
{
    Board b;
    b.At(0x55, 7).At(0x35, 133).At(0x44, 132).ComHolds(5);
    Set(b);
    // Man's rook "capturing" on 0x35 what is no longer a silver there.
    int n = 0;
    z->GCCM_Disturb(0x55, 0x35, 132, 0, &n);
    EXPECT_EQ(n, 0);
    CANDI_MOVE *cover = z->CandiRow(5);
    int expect = std::min(z->GCCM_DestPointedPos(1, 0x35, cover), 10);
    std::vector<CANDI_MOVE> want(cover, cover + expect);
    n = 0;
    z->GCCM_PsbDisturb(0x55, 0x35, 132, 0, &n);
    ASSERT_EQ(n, expect);
    for (int i = 0; i < n; i++)
        EXPECT_EQ(z->CandiRow(0)[i].nDstPos, want[i].nDstPos);
}

TEST_F(Strategic, ADropThreatIsOccupiedFirst)
{
    Board b;
    b.At(0x44, 133).ComHolds(1).ComHolds(3).ComHolds(4).ComHolds(7);
    Set(b);
    int n = 0;
    z->GCCM_Disturb(255, 0x55, 5, 0, &n);
    ASSERT_GE(n, 2);
    const CANDI_MOVE *row = z->CandiRow(0);
    EXPECT_EQ(row[0].nKind, 129); // pawn before knight
    EXPECT_EQ(row[1].nKind, 132); // silver before rook
}

TEST_F(Strategic, AttractEstimateBounds)
{
    // Man's rook on Com's king file.
    Board b("4k4/9/9/9/4R4/9/9/9/4K4");
    Set(b, 2);
    EXPECT_EQ(z->ProfitOnAttractMan(0, 0x77), -30000);
    b.At(0x55, 0).At(0x59, 7);
    Set(b, 2);
    EXPECT_EQ(z->ProfitOnAttractMan(0, 0x77), 30000); // nothing of Man takes on 0x77
}

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
