// Every generator, in both twins, over many positions from random play:
// candidates are moves of the right side, nothing outside a generator's block
// is written, and the position is left as it was.
#include "engine_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

using namespace enginetest;

namespace {

#ifdef KORVANE_SANITIZE
constexpr int kGames = 40, kStrategicGames = 12;
#else
constexpr int kGames = 260, kStrategicGames = 90;
#endif

struct Harness
{
    EnginePtr z = enginetest::NewEngine();
    Snapshot before{};
    Pos pos{};
    Rng rng{1};
    int runs = 0;

    // The n candidates at p are moves of the side; depth, tag depth and the
    // position are as they were.
    void Check(const std::string &name, bool com, const CANDI_MOVE *p, int n, int depth, int tag)
    {
        runs++;
        ASSERT_GE(n, 0) << name;
        ASSERT_LE(n, z->CandiEnd() - p) << name;
        ASSERT_EQ(z->m_nDepth, depth) << name;
        ASSERT_EQ(z->m_nMinTagDepth, tag) << name;
        ASSERT_EQ(CheckCandidates(pos, com, p, n), "") << name;
        // Lists rebuilt by make/unmake may differ in order only.
        ASSERT_EQ(CompareWithSnapshot(*z, before), "") << name << " changed the position";
    }

    // Runs one generator writing into row `row`.
    void Run(const std::string &name, bool com, int row,
             const std::function<int(CANDI_MOVE *)> &gen)
    {
        CANDI_MOVE *p = z->CandiRow(row);
        const int depth = z->m_nDepth, tag = z->m_nMinTagDepth;
        Check(name, com, p, gen(p), depth, tag);
    }

    // A generator that takes its block and returns its count.
    void Block(const std::string &name, bool com, const std::function<int(CANDI_MOVE *)> &gen)
    {
        const int depth = z->m_nDepth, tag = z->m_nMinTagDepth;
        CANDI_MOVE *p = z->CandiRow(depth) + 5;
        p[-1] = {77, 77, 77, 77, 77, 77};
        const int n = gen(p);
        ASSERT_EQ(p[-1].nSrcPos, 77) << name << " wrote before its block";
        Check(name, com, p, n, depth, tag);
        NothingPastTheArea(name);
    }

    // A generator that finds its place at row m_nDepth, index *pnCount.
    void Counted(const std::string &name, bool com, const std::function<void(int *)> &gen)
    {
        const int depth = z->m_nDepth, tag = z->m_nMinTagDepth;
        const int start = rng.Below(2) ? 0 : 7;
        CANDI_MOVE *row = z->CandiRow(depth);
        for (int i = 0; i < start; i++)
            row[i] = {88, 88, 88, 88, 88, 88};
        int n = start;
        gen(&n);
        ASSERT_GE(n, start) << name;
        ASSERT_TRUE(std::all_of(row, row + start, [](auto &c) { return c.nSrcPos == 88; }))
            << name << " overwrote the entries before its count";
        Check(name, com, row + start, n - start, depth, tag);
        NothingPastTheArea(name);
    }

    // The pointers behind the candidate area stay null.
    void NothingPastTheArea(const std::string &name)
    {
        ASSERT_EQ(std::count(std::begin(z->m_pPreCandi), std::end(z->m_pPreCandi), nullptr),
                  std::size(z->m_pPreCandi))
            << name << " wrote past the candidate area";
    }
};

// The generator of a Com/Man pair for side C (inside a template on bool C).
#define TWIN(g) (C ? &ZelkorCore::GCCM_##g : &ZelkorCore::GMCM_##g)

template <bool C> void RunTactical(Harness &h)
{
    ZelkorCore &z = *h.z;
    const char *side = C ? "Com " : "Man ";
    auto name = [&](const char *g) { return std::string(side) + g; };
    auto own = [&](int c) { return C ? IsCom(c) : IsMan(c); };
    int ownKing = z.m_komaUni[C ? 2 : 1].nPos, oppKing = z.m_komaUni[C ? 1 : 2].nPos;
    for (int s = 0x11; s <= 0x99; s++) {
        int c = z.m_nBoard[s];
        if (c == 255 || (s & 15) == 0 || (s & 15) > 9)
            continue;
        if (own(c)) {
            for (int all = 0; all <= 1; all++)
                h.Run(name("UsePointedKoma"), C, 3,
                      [&](CANDI_MOVE *p) { return (z.*TWIN(UsePointedKoma))(all, s, p); });
        } else {
            h.Run(name("ToruOnPreMoveOfEnemy"), C, 3,
                  [&](CANDI_MOVE *p) { return (z.*TWIN(ToruOnPreMoveOfEnemy))(s, p); });
            int k = c & 15;
            if (c != 0 && (k == 2 || (c & 7) >= 6)) {
                for (int t : {ownKing, s + (C ? 48 : -48) > 0 ? s + (C ? 48 : -48) : ownKing})
                    for (int all = 0; all <= 1; all++) {
                        h.Run(name("BreakOffShaKaku"), C, 3, [&](CANDI_MOVE *p) {
                            return (z.*TWIN(BreakOffShaKaku))(all, s, t, p);
                        });
                        if (C)
                            h.Run("Com PsbBreakOffShaKaku", C, 3, [&](CANDI_MOVE *p) {
                                return z.GCCM_PsbBreakOffShaKaku(all, s, t, p);
                            });
                    }
            }
        }
        if ((s * 7) % 5 == 0 || s == oppKing)
            for (int mode = 0; mode <= 2; mode++)
                h.Run(name("DestPointedPos"), C, 3,
                      [&](CANDI_MOVE *p) { return (z.*TWIN(DestPointedPos))(mode, s, p); });
    }
    using Gen = int (ZelkorCore::*)(CANDI_MOVE *);
    const std::pair<const char *, Gen> checks[] = {
        {"Oute", TWIN(Oute)},
        {"DemandKomaOute", TWIN(DemandKomaOute)},
        {"BreakThroughOfShaKakuOute", TWIN(BreakThroughOfShaKakuOute)},
    };
    for (const auto &g : checks)
        h.Run(name(g.first), C, 3, [&](CANDI_MOVE *p) { return (z.*g.second)(p); });
    // Trial-based selection on the moves of the first few own pieces.
    for (int u = 3; u <= 40; u += 9) {
        int c = z.m_komaUni[u].nKind, sq = z.m_komaUni[u].nPos;
        if (!own(c))
            continue;
        h.Run(name("SelectUsePointedKoma"), C, 3, [&](CANDI_MOVE *p) {
            return (z.*TWIN(SelectUsePointedKoma))((z.*TWIN(UsePointedKoma))(1, sq, p), sq, p);
        });
    }
    // Escapes write from the start of row m_nDepth.
    if (Count(z, !C, ownKing) != 0) {
        z.m_nDepth = C ? 2 : 3;
        h.Run(name("EscapeFromOute"), C, z.m_nDepth,
              [&](CANDI_MOVE *) { return (z.*TWIN(EscapeFromOute))(); });
        if (C)
            h.Run("Com PsbEscapeFromOute", C, z.m_nDepth,
                  [&](CANDI_MOVE *) { return z.GCCM_PsbEscapeFromOute(); });
        z.m_nDepth = 0;
    }
}

// The assemblers and the recipes, with a fake last move of the opponent.
void RunLists(Harness &h)
{
    ZelkorCore &z = *h.z;
    z.m_nDepth = 0;
    h.Run("CalcScore", true, 0, [&](CANDI_MOVE *) {
        int n = 0;
        z.AppendCandiMovebyCalcScore(&n);
        return n;
    });
    h.Run("root list", true, 0, [&](CANDI_MOVE *) {
        int n = z.MakeRootCandi();
        std::copy(z.m_CandiInZeroDepth, z.m_CandiInZeroDepth + n, z.CandiRow(0));
        return n;
    });
    CANDI_MOVE last{};
    for (int com = 0; com <= 1; com++) {
        // The opponent's last move ended on one of its pieces.
        int u = com ? 1 : 2;
        for (int v = 3; v <= 40; v++)
            if (z.m_komaUni[v].nKind != 0 && (z.m_komaUni[v].nKind > 128) != (com == 1))
                u = v;
        last = {255, z.m_komaUni[u].nPos, 0, 0, 0, 0};
        z.m_nDepth = com ? 2 : 1;
        z.m_pPreCandi[z.m_nDepth - 1] = &last;
        h.Run(com ? "Com reply list" : "Man reply list", com == 1, z.m_nDepth, [&](CANDI_MOVE *) {
            int n = com ? z.BeginComReplyCandi() : z.BeginManReplyCandi();
            return com ? z.EndComReplyCandi(n) : z.EndManReplyCandi(n);
        });
        z.m_pPreCandi[z.m_nDepth - 1] = nullptr;
    }
    z.m_nDepth = 0;
}

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

template <bool C> void RunStrategic(Harness &h)
{
    ZelkorCore &z = *h.z;
    const std::string side = C ? "Com " : "Man ";
    auto nm = [&](const char *g) { return side + g; };
    FillOwnLine(h, C);
    TakeSnapshot(z, h.before);

    Move th = PickThreat(h, C);
    h.Counted(nm("Disturb"), C, [&](int *n) { (z.*TWIN(Disturb))(th.src, th.dst, th.kind, 0, n); });
    if (C)
        h.Counted("Com PsbDisturb", C,
                  [&](int *n) { z.GCCM_PsbDisturb(th.src, th.dst, th.kind, th.naru, n); });
    int done = h.rng.Below(3) ? 0 : th.dst;
    h.Counted(nm("DisturbSurface"), C, [&](int *n) {
        C ? z.GCCM_DisturbSurfaceByMan(done, n) : z.GMCM_DisturbSurfaceByCom(done, n);
    });
    int quota = 1 + h.rng.Below(20);
    h.Counted(nm("ToruOrNaru"), C, [&](int *n) { (z.*TWIN(ToruOrNaru))(quota, n); });
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
    const std::pair<const char *, Gen> plain[] = {
        {"UtsuDemandTwo", TWIN(UtsuDemandTwo)},
        {"BreakThroughOfShaKaku", TWIN(BreakThroughOfShaKaku)},
        {"BreakThroughOfSha", TWIN(BreakThroughOfSha)},
        {"DefenceShaKaku", TWIN(DefenceShaKaku)},
        {"AttackByKin", TWIN(AttackByKin)},
        {"UtsuOfShaKaku", TWIN(UtsuOfShaKaku)},
        {"UtsuHu / FowardHuNaru", C ? &ZelkorCore::GCCM_UtsuHu : &ZelkorCore::GMCM_FowardHuNaru},
        {"UtsuHu / UtsuOfHu", C ? &ZelkorCore::GCCM_UtsuHu : &ZelkorCore::GMCM_UtsuOfHu},
    };
    for (const auto &g : plain)
        h.Block(nm(g.first), C, [&](CANDI_MOVE *p) { return (z.*g.second)(p); });

    using QGen = int (ZelkorCore::*)(int, CANDI_MOVE *);
    const std::pair<const char *, QGen> quoted[] = {
        {"AttackOnGyokuNarrowAround", TWIN(AttackOnGyokuNarrowAround)},
        {"AttackOnGyokuWideAround", TWIN(AttackOnGyokuWideAround)},
        {"AttackbyHishaKakuKyou", TWIN(AttackbyHishaKakuKyou)},
        {"AttackHu", TWIN(AttackHu)},
        {"AttackOnEnemyHu", TWIN(AttackOnEnemyHu)},
        {"UtsuHuOnEnemyField", TWIN(UtsuHuOnEnemyField)},
        {"ToruOnKeimaKyouHu", TWIN(ToruOnKeimaKyouHu)},
        {"FeedOverEffect", TWIN(FeedOverEffect)},
    };
    for (const auto &g : quoted) {
        int q = 1 + h.rng.Below(6);
        h.Block(nm(g.first), C, [&](CANDI_MOVE *p) {
            int n = (z.*g.second)(q, p);
            EXPECT_LE(n, q) << g.first << " beyond its quota";
            return n;
        });
    }
}

} // namespace

TEST(CandidateProperty, EveryGeneratorProposesMovesOfItsSideAndRestoresThePosition)
{
    Harness h;
    const std::vector<Pos> positions = MakePositions(kGames, 20240611);
    ASSERT_GT(positions.size(), static_cast<size_t>(kGames));
    for (const Pos &pos : positions) {
        h.pos = pos;
        Load(*h.z, pos);
        TakeSnapshot(*h.z, h.before);
        // A side is to move only while the enemy king is not in check (its
        // rays run on through that king in the attack lists).
        bool comMayMove = !Attacked(pos, KingSquare(pos, false), true);
        bool manMayMove = !Attacked(pos, KingSquare(pos, true), false);
        if (comMayMove)
            RunTactical<true>(h);
        if (manMayMove)
            RunTactical<false>(h);
        if (comMayMove && manMayMove)
            RunLists(h);
        if (::testing::Test::HasFatalFailure())
            return;
    }
    EXPECT_GT(h.runs, 20 * kGames);
}

TEST(StrategicGenerators, CandidatesAreMovesOfTheSideAndLeaveThePositionAlone)
{
    Harness h;
    std::vector<Pos> positions = MakePositions(kStrategicGames, 2718);
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
                RunStrategic<true>(h);
            else
                RunStrategic<false>(h);
            if (::testing::Test::HasFatalFailure())
                return;
        }
    }
}
