// The strategic generators over many positions, in both twins: candidates
// are moves of the right side, nothing outside the candidate block is
// written, and the position is left as it was.
#include "engine_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <tuple>

using namespace enginetest;

namespace {

#ifdef KORVANE_SANITIZE
constexpr int kGames = 12;
#else
constexpr int kGames = 90;
#endif

struct Harness
{
    EnginePtr z = enginetest::NewEngine();
    Snapshot before{};
    Pos pos{};
    Rng rng{1};

    void Expect(const std::string &name, bool com, const CANDI_MOVE *p, int n)
    {
        std::string err = CheckCandidates(pos, com, p, n);
        ASSERT_EQ(err, "") << name;
        ASSERT_EQ(CompareWithSnapshot(*z, before), "") << name << " changed the position";
        for (CANDI_MOVE *pre : z->m_pPreCandi) {
            ASSERT_EQ(pre, nullptr) << name << " wrote past the candidate area";
        }
    }

    // A generator that takes its block and returns its count.
    void Block(const std::string &name, bool com, const std::function<int(CANDI_MOVE *)> &gen)
    {
        int depth = z->m_nDepth, tag = z->m_nMinTagDepth;
        CANDI_MOVE *p = z->CandiRow(depth) + 5;
        p[-1] = {77, 77, 77, 77, 77, 77};
        int n = gen(p);
        ASSERT_GE(n, 0) << name;
        ASSERT_LE(n, z->CandiEnd() - p) << name;
        ASSERT_EQ(p[-1].nSrcPos, 77) << name << " wrote before its block";
        ASSERT_EQ(z->m_nDepth, depth) << name;
        ASSERT_EQ(z->m_nMinTagDepth, tag) << name;
        Expect(name, com, p, n);
    }

    // A generator that finds its place at row m_nDepth, index *pnCount.
    void Counted(const std::string &name, bool com, const std::function<void(int *)> &gen)
    {
        int depth = z->m_nDepth;
        int start = rng.Below(2) ? 0 : 7;
        CANDI_MOVE *row = z->CandiRow(depth);
        for (int i = 0; i < start; i++)
            row[i] = {88, 88, 88, 88, 88, 88};
        int n = start;
        gen(&n);
        ASSERT_GE(n, start) << name;
        ASSERT_EQ(z->m_nDepth, depth) << name;
        for (int i = 0; i < start; i++) {
            ASSERT_EQ(row[i].nSrcPos, 88) << name << " overwrote the entries before its count";
        }
        Expect(name, com, row + start, n - start);
    }
};

// A remembered line for the current ply: some moves of the side still
// playable, some not.
void FillOwnLine(Harness &h, bool com)
{
    ZelkorCore &z = *h.z;
    int d = z.m_nDepth;
    std::vector<Move> own = PseudoMoves(h.pos, com);
    for (int p = d; p < d + 8; p++) {
        if (own.empty() || h.rng.Below(4) == 0) {
            z.m_moveTree[d][p] = {0x11 + h.rng.Below(0x89), 0x11 + h.rng.Below(0x89),
                                  h.rng.Below(2) ? 0 : 129, 0};
            continue;
        }
        const Move &m = own[h.rng.Below(static_cast<int>(own.size()))];
        z.m_moveTree[d][p] = {m.src, m.dst, m.kind, m.naru};
    }
    z.m_nSearchedDepth[d] = d + 1 + h.rng.Below(7);
}

// A threat of the opponent: usually a real move of it, sometimes stale.
Move PickThreat(Harness &h, bool com)
{
    std::vector<Move> theirs = PseudoMoves(h.pos, !com);
    if (theirs.empty())
        return {255, 0x55, com ? 1 : 129, 0};
    Move m = theirs[h.rng.Below(static_cast<int>(theirs.size()))];
    if (h.rng.Below(5) == 0)
        m.kind ^= 0x85; // no longer what the destination holds
    return m;
}

template <bool C> void RunSide(Harness &h)
{
    ZelkorCore &z = *h.z;
    const std::string side = C ? "Com " : "Man ";
    auto nm = [&](const char *g) { return side + g; };
    FillOwnLine(h, C);
    TakeSnapshot(z, h.before);

    Move th = PickThreat(h, C);
    h.Counted(nm("Disturb"), C, [&](int *n) {
        C ? z.GCCM_Disturb(th.src, th.dst, th.kind, 0, n)
          : z.GMCM_Disturb(th.src, th.dst, th.kind, 0, n);
    });
    if (C)
        h.Counted("Com PsbDisturb", C,
                  [&](int *n) { z.GCCM_PsbDisturb(th.src, th.dst, th.kind, th.naru, n); });
    int done = h.rng.Below(3) ? 0 : th.dst;
    h.Counted(nm("DisturbSurface"), C, [&](int *n) {
        C ? z.GCCM_DisturbSurfaceByMan(done, n) : z.GMCM_DisturbSurfaceByCom(done, n);
    });
    int quota = 1 + h.rng.Below(20);
    h.Counted(nm("ToruOrNaru"), C,
              [&](int *n) { C ? z.GCCM_ToruOrNaru(quota, n) : z.GMCM_ToruOrNaru(quota, n); });
    h.Counted(nm("ThreatKoma"), C,
              [&](int *n) { C ? z.GCCM_ThreatManKoma(quota, n) : z.GMCM_ThreatComKoma(quota, n); });

    for (int s = 0x11; s <= 0x99; s++) {
        int c = z.m_nBoard[s];
        if ((s & 15) == 0 || (s & 15) > 9 || !(C ? IsMan(c) : IsCom(c)))
            continue;
        int u = z.m_nUniBoard[s];
        int p1 = u < 7 ? 6 : u < 23 ? 7 : 9, p2 = u < 7 ? 4 : u < 23 ? 5 : 8;
        h.Block(nm("Demand"), C, [&](CANDI_MOVE *p) {
            return C ? z.GCCM_DemandManKoma(p1, p2, s, p) : z.GMCM_DemandComKoma(p1, p2, s, p);
        });
    }

    using Gen = int (ZelkorCore::*)(CANDI_MOVE *);
    const std::tuple<const char *, Gen, Gen> plain[] = {
        {"UtsuDemandTwo", &ZelkorCore::GCCM_UtsuDemandTwo, &ZelkorCore::GMCM_UtsuDemandTwo},
        {"BreakThroughOfShaKaku", &ZelkorCore::GCCM_BreakThroughOfShaKaku,
         &ZelkorCore::GMCM_BreakThroughOfShaKaku},
        {"BreakThroughOfSha", &ZelkorCore::GCCM_BreakThroughOfSha, &ZelkorCore::GMCM_BreakThroughOfSha},
        {"DefenceShaKaku", &ZelkorCore::GCCM_DefenceShaKaku, &ZelkorCore::GMCM_DefenceShaKaku},
        {"AttackByKin", &ZelkorCore::GCCM_AttackByKin, &ZelkorCore::GMCM_AttackByKin},
        {"UtsuOfShaKaku", &ZelkorCore::GCCM_UtsuOfShaKaku, &ZelkorCore::GMCM_UtsuOfShaKaku},
        {"UtsuHu / FowardHuNaru", &ZelkorCore::GCCM_UtsuHu, &ZelkorCore::GMCM_FowardHuNaru},
        {"UtsuHu / UtsuOfHu", &ZelkorCore::GCCM_UtsuHu, &ZelkorCore::GMCM_UtsuOfHu},
    };
    for (const auto &g : plain) {
        Gen gen = C ? std::get<1>(g) : std::get<2>(g);
        h.Block(nm(std::get<0>(g)), C, [&](CANDI_MOVE *p) { return (z.*gen)(p); });
    }

    using QGen = int (ZelkorCore::*)(int, CANDI_MOVE *);
    const std::tuple<const char *, QGen, QGen> quoted[] = {
        {"AttackOnGyokuNarrowAround", &ZelkorCore::GCCM_AttackOnGyokuNarrowAround,
         &ZelkorCore::GMCM_AttackOnGyokuNarrowAround},
        {"AttackOnGyokuWideAround", &ZelkorCore::GCCM_AttackOnGyokuWideAround,
         &ZelkorCore::GMCM_AttackOnGyokuWideAround},
        {"AttackbyHishaKakuKyou", &ZelkorCore::GCCM_AttackbyHishaKakuKyou,
         &ZelkorCore::GMCM_AttackbyHishaKakuKyou},
        {"AttackHu", &ZelkorCore::GCCM_AttackHu, &ZelkorCore::GMCM_AttackHu},
        {"AttackOnEnemyHu", &ZelkorCore::GCCM_AttackOnEnemyHu, &ZelkorCore::GMCM_AttackOnEnemyHu},
        {"UtsuHuOnEnemyField", &ZelkorCore::GCCM_UtsuHuOnEnemyField,
         &ZelkorCore::GMCM_UtsuHuOnEnemyField},
        {"ToruOnKeimaKyouHu", &ZelkorCore::GCCM_ToruOnKeimaKyouHu, &ZelkorCore::GMCM_ToruOnKeimaKyouHu},
        {"FeedOverEffect", &ZelkorCore::GCCM_FeedOverEffect, &ZelkorCore::GMCM_FeedOverEffect},
    };
    for (const auto &g : quoted) {
        QGen gen = C ? std::get<1>(g) : std::get<2>(g);
        int q = 1 + h.rng.Below(6);
        h.Block(nm(std::get<0>(g)), C, [&](CANDI_MOVE *p) {
            int n = (z.*gen)(q, p);
            EXPECT_LE(n, q) << std::get<0>(g) << " beyond its quota";
            return n;
        });
    }
}

TEST(StrategicGenerators, CandidatesAreMovesOfTheSideAndLeaveThePositionAlone)
{
    Harness h;
    std::vector<Pos> positions = MakePositions(kGames, 2718);
    ASSERT_GT(positions.size(), 100u);
    for (const Pos &p : positions) {
        for (bool com : {true, false}) {
            // The side to move must not be able to take the king.
            if (Attacked(p, KingSquare(p, !com), com))
                continue;
            Load(*h.z, p);
            h.pos = p;
            h.z->m_nDepth = (com ? 0 : 1) + 2 * h.rng.Below(3);
            h.z->m_nMinTagDepth = h.z->m_nDepth + 1 + h.rng.Below(6);
            h.z->m_bBattle = h.rng.Below(2) == 0;
            if (com)
                RunSide<true>(h);
            else
                RunSide<false>(h);
            if (::testing::Test::HasFatalFailure())
                return;
        }
    }
}

} // namespace
