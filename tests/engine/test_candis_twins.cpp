// The Man twin of a generator, run on the ConvertBoard mirror of a
// position, proposes the mirrored moves of the Com generator.
//
// Documented differences, so not compared: the order of a list (the mirror
// is renumbered, so attack lists are walked in another order), and the
// scores (the king's neighbourhood estimate counts an unattacked square with
// an enemy piece as free for Com only, and exchange estimates break ties by
// list order). Generators whose membership depends on list order (mode 0 of
// DestPointedPos, BreakOffShaKaku without all) and the trial-based selection
// (evaluation is not symmetric) are left out.
#include "engine_board.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

using namespace enginetest;

namespace {

#ifdef KORVANE_SANITIZE
constexpr int kGames = 25;
#else
constexpr int kGames = 120;
#endif

std::set<Move> Mirrored(const std::set<Move> &s)
{
    std::set<Move> out;
    for (const Move &m : s)
        out.insert(Mirror(m));
    return out;
}

TEST(CandidateTwins, ManTwinOnTheMirrorGivesTheMirroredMoves)
{
    auto com = enginetest::NewEngine();
    auto man = enginetest::NewEngine();
    int compared = 0;
    for (const Pos &p : MakePositions(kGames, 4242)) {
        Load(*com, p);
        Load(*man, p);
        man->ConvertBoard();
        man->PreparePosScore();
        ASSERT_EQ(std::memcmp(PositionOf(*man).board, Mirror(p).board, sizeof p.board), 0);

        auto same = [&](const char *name, const std::function<int(CANDI_MOVE *)> &g,
                        const std::function<int(CANDI_MOVE *)> &h) {
            CANDI_MOVE *a = com->CandiRow(2), *b = man->CandiRow(2);
            int na = g(a), nb = h(b);
            ASSERT_EQ(MoveSet(a, na), Mirrored(MoveSet(b, nb))) << name;
            compared++;
        };
        ZelkorCore &c = *com, &m = *man;
        for (int s = 0x11; s <= 0x99; s++) {
            if (!usi::OnBoard(s))
                continue;
            int code = p.At(s), t = 170 - s;
            if (IsCom(code)) {
                for (int all = 0; all <= 1; all++)
                    same(
                        "UsePointedKoma",
                        [&](CANDI_MOVE *a) { return c.GCCM_UsePointedKoma(all, s, a); },
                        [&](CANDI_MOVE *b) { return m.GMCM_UsePointedKoma(all, t, b); });
            } else {
                same(
                    "ToruOnPreMoveOfEnemy",
                    [&](CANDI_MOVE *a) { return c.GCCM_ToruOnPreMoveOfEnemy(s, a); },
                    [&](CANDI_MOVE *b) { return m.GMCM_ToruOnPreMoveOfEnemy(t, b); });
                if (code != 0 && ((code & 15) == 2 || (code & 7) >= 6)) {
                    int k = c.m_komaUni[2].nPos;
                    same(
                        "BreakOffShaKaku",
                        [&](CANDI_MOVE *a) { return c.GCCM_BreakOffShaKaku(true, s, k, a); },
                        [&](CANDI_MOVE *b) { return m.GMCM_BreakOffShaKaku(true, t, 170 - k, b); });
                }
            }
            if (s % 3 == 0 || code == 8)
                for (int mode = 1; mode <= 2; mode++)
                    same(
                        "DestPointedPos",
                        [&](CANDI_MOVE *a) { return c.GCCM_DestPointedPos(mode, s, a); },
                        [&](CANDI_MOVE *b) { return m.GMCM_DestPointedPos(mode, t, b); });
        }
        same(
            "Oute", [&](CANDI_MOVE *a) { return c.GCCM_Oute(a); },
            [&](CANDI_MOVE *b) { return m.GMCM_Oute(b); });
        same(
            "DemandKomaOute", [&](CANDI_MOVE *a) { return c.GCCM_DemandKomaOute(a); },
            [&](CANDI_MOVE *b) { return m.GMCM_DemandKomaOute(b); });
        same(
            "BreakThroughOfShaKakuOute",
            [&](CANDI_MOVE *a) { return c.GCCM_BreakThroughOfShaKakuOute(a); },
            [&](CANDI_MOVE *b) { return m.GMCM_BreakThroughOfShaKakuOute(b); });
        int kc = c.m_komaUni[2].nPos, km = c.m_komaUni[1].nPos;
        EXPECT_EQ(c.GetDefendKomasOnManGyoku(km + 16 <= 0x99 ? km - 16 : km - 1),
                  m.GetDefendKomasOnComGyoku(170 - (km + 16 <= 0x99 ? km - 16 : km - 1)));
        if (c.m_nPsbManKomas[kc] != 0) {
            c.m_nDepth = m.m_nDepth = 2;
            same(
                "EscapeFromOute", [&](CANDI_MOVE *) { return c.GCCM_EscapeFromOute(); },
                [&](CANDI_MOVE *) { return m.GMCM_EscapeFromOute(); });
            c.m_nDepth = m.m_nDepth = 0;
        }
        if (HasFatalFailure())
            return;
    }
    EXPECT_GT(compared, 50 * kGames);
}

} // namespace
