// Every generator, in both twins, over many positions: candidates are moves
// of the right side, and the position is left as it was.
#include "engine_board.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

using namespace enginetest;

namespace {

#ifdef KORVANE_SANITIZE
constexpr int kGames = 40;
#else
constexpr int kGames = 260;
#endif

struct Harness
{
    EnginePtr z = enginetest::NewEngine();
    Snapshot before{};
    Snapshot after{};
    Pos pos{};
    int runs = 0;

    // Runs one generator writing into row `row`, checks its candidates and
    // that the position is untouched.
    void Run(const char *name, bool com, const std::function<int(CANDI_MOVE *)> &gen, int row = 3)
    {
        CANDI_MOVE *p = z->CandiRow(row);
        int depth = z->m_nDepth;
        int n = gen(p);
        runs++;
        ASSERT_GE(n, 0) << name;
        ASSERT_LE(n, z->CandiEnd() - p) << name;
        std::string err = CheckCandidates(pos, com, p, n);
        ASSERT_EQ(err, "") << name;
        // Byte-equal is the common case; lists rebuilt by make/unmake may
        // differ in order only, which the multiset comparison accepts.
        TakeSnapshot(*z, after);
        if (std::memcmp(&after, &before, sizeof after) != 0) {
            ASSERT_EQ(CompareWithSnapshot(*z, before), "") << name << " changed the position";
        }
        ASSERT_EQ(z->m_nDepth, depth) << name;
    }
};

template <bool C> void RunSide(Harness &h)
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
                h.Run(name("UsePointedKoma").c_str(), C, [&](CANDI_MOVE *p) {
                    return C ? z.GCCM_UsePointedKoma(all, s, p) : z.GMCM_UsePointedKoma(all, s, p);
                });
        } else {
            h.Run(name("ToruOnPreMoveOfEnemy").c_str(), C, [&](CANDI_MOVE *p) {
                return C ? z.GCCM_ToruOnPreMoveOfEnemy(s, p) : z.GMCM_ToruOnPreMoveOfEnemy(s, p);
            });
            int k = c & 15;
            if (c != 0 && (k == 2 || (c & 7) >= 6)) {
                for (int t : {ownKing, s + (C ? 48 : -48) > 0 ? s + (C ? 48 : -48) : ownKing})
                    for (int all = 0; all <= 1; all++) {
                        h.Run(name("BreakOffShaKaku").c_str(), C, [&](CANDI_MOVE *p) {
                            return C ? z.GCCM_BreakOffShaKaku(all, s, t, p)
                                     : z.GMCM_BreakOffShaKaku(all, s, t, p);
                        });
                        if (C)
                            h.Run("Com PsbBreakOffShaKaku", C, [&](CANDI_MOVE *p) {
                                return z.GCCM_PsbBreakOffShaKaku(all, s, t, p);
                            });
                    }
            }
        }
        if ((s * 7) % 5 == 0 || s == oppKing)
            for (int mode = 0; mode <= 2; mode++)
                h.Run(name("DestPointedPos").c_str(), C, [&](CANDI_MOVE *p) {
                    return C ? z.GCCM_DestPointedPos(mode, s, p)
                             : z.GMCM_DestPointedPos(mode, s, p);
                });
    }
    h.Run(name("Oute").c_str(), C,
          [&](CANDI_MOVE *p) { return C ? z.GCCM_Oute(p) : z.GMCM_Oute(p); });
    h.Run(name("DemandKomaOute").c_str(), C,
          [&](CANDI_MOVE *p) { return C ? z.GCCM_DemandKomaOute(p) : z.GMCM_DemandKomaOute(p); });
    h.Run(name("BreakThroughOfShaKakuOute").c_str(), C, [&](CANDI_MOVE *p) {
        return C ? z.GCCM_BreakThroughOfShaKakuOute(p) : z.GMCM_BreakThroughOfShaKakuOute(p);
    });
    // Trial-based selection on the moves of the first few own pieces.
    for (int u = 3; u <= 40; u += 9) {
        int c = z.m_komaUni[u].nKind, sq = z.m_komaUni[u].nPos;
        if (!own(c))
            continue;
        h.Run(name("SelectUsePointedKoma").c_str(), C, [&](CANDI_MOVE *p) {
            int n = C ? z.GCCM_UsePointedKoma(1, sq, p) : z.GMCM_UsePointedKoma(1, sq, p);
            return C ? z.GCCM_SelectUsePointedKoma(n, sq, p)
                     : z.GMCM_SelectUsePointedKoma(n, sq, p);
        });
    }
    // Escapes write from the start of row m_nDepth.
    if (z.m_nPsbManKomas[ownKing] != 0 || z.m_nPsbComKomas[ownKing] != 0) {
        bool inCheck = C ? z.m_nPsbManKomas[ownKing] != 0 : z.m_nPsbComKomas[ownKing] != 0;
        if (inCheck) {
            z.m_nDepth = C ? 2 : 3;
            h.Run(
                name("EscapeFromOute").c_str(), C,
                [&](CANDI_MOVE *) { return C ? z.GCCM_EscapeFromOute() : z.GMCM_EscapeFromOute(); },
                z.m_nDepth);
            if (C)
                h.Run(
                    "Com PsbEscapeFromOute", C,
                    [&](CANDI_MOVE *) { return z.GCCM_PsbEscapeFromOute(); }, z.m_nDepth);
            z.m_nDepth = 0;
        }
    }
}

// The assemblers and the recipes, with a fake last move of the opponent.
void RunLists(Harness &h)
{
    ZelkorCore &z = *h.z;
    z.m_nDepth = 0;
    h.Run(
        "CalcScore", true,
        [&](CANDI_MOVE *) {
            int n = 0;
            z.AppendCandiMovebyCalcScore(&n);
            return n;
        },
        0);
    h.Run(
        "root list", true,
        [&](CANDI_MOVE *) {
            int n = z.MakeRootCandi();
            std::copy(z.m_CandiInZeroDepth, z.m_CandiInZeroDepth + n, z.CandiRow(0));
            return n;
        },
        0);
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
        h.Run(
            com ? "Com reply list" : "Man reply list", com == 1,
            [&](CANDI_MOVE *) {
                int n = com ? z.BeginComReplyCandi() : z.BeginManReplyCandi();
                return com ? z.EndComReplyCandi(n) : z.EndManReplyCandi(n);
            },
            z.m_nDepth);
        z.m_pPreCandi[z.m_nDepth - 1] = nullptr;
    }
    z.m_nDepth = 0;
}

} // namespace

TEST(CandidateProperty, EveryGeneratorProposesMovesOfItsSideAndRestoresThePosition)
{
    Harness h;
    std::vector<Pos> positions = MakePositions(kGames, 20240611);
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
            RunSide<true>(h);
        if (manMayMove)
            RunSide<false>(h);
        if (comMayMove && manMayMove)
            RunLists(h);
        if (::testing::Test::HasFatalFailure())
            return;
    }
    EXPECT_GT(h.runs, 20 * kGames);
}
