// Long random walks of moves and drops: after every make the incremental
// state must match a rebuild of the position; after every unmake it must be
// exactly what it was before the make.
#include "engine_board.h"

#include <gtest/gtest.h>

using namespace enginetest;

namespace {

#ifdef KORVANE_SANITIZE
constexpr int kPairsPerRun = 24000;
#else
constexpr int kPairsPerRun = 120000;
#endif
constexpr int kMaxPly = 90;

struct Frame
{
    Move move;
    Snapshot before;
};

// Walks from z's position until `pairs` make/unmake pairs have been checked.
// Returns the number of pairs checked.
int Walk(ZelkorCore &z, ZelkorCore &scratch, Rng &rng, int pairs, bool comFirst)
{
    std::vector<Frame> stack(kMaxPly);
    int depth = 0;
    int checked = 0;
    while (checked < pairs) {
        bool com = (depth % 2 == 0) == comFirst;
        Move m;
        bool back = depth == kMaxPly || (depth > 0 && rng.Below(100) < 30);
        if (!back && !RandomLegalMove(z, com, rng, m))
            back = true;
        if (back) {
            if (depth == 0)
                break; // no move at the root
            Frame &f = stack[--depth];
            UnmakeMove(z, f.move);
            std::string diff = CompareWithSnapshot(z, f.before);
            if (!diff.empty()) {
                ADD_FAILURE() << "unmake of " << f.move.src << "->" << f.move.dst << " kind "
                              << f.move.kind << " naru " << f.move.naru << ": " << diff;
                return checked;
            }
            checked++;
            continue;
        }
        Frame &f = stack[depth++];
        f.move = m;
        TakeSnapshot(z, f.before);
        MakeMove(z, m);
        std::string diff = CompareWithRebuild(z, scratch);
        if (!diff.empty()) {
            ADD_FAILURE() << "make of " << m.src << "->" << m.dst << " kind " << m.kind << " naru "
                          << m.naru << " at depth " << depth << ": " << diff;
            return checked;
        }
    }
    while (depth > 0) {
        Frame &f = stack[--depth];
        UnmakeMove(z, f.move);
        EXPECT_EQ(CompareWithSnapshot(z, f.before), "");
        checked++;
    }
    return checked;
}

// Handicaps of either side, most pieces in hand, and promoted and long-range
// pieces everywhere with pieces in hand.
const struct
{
    const char *name;
    const char *sfen;
} kStarts[] = {
    {"even", "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL"},
    {"rook off", "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B7/LNSGKGSNL"},
    {"rook and bishop off", "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/9/LNSGKGSNL"},
    {"Com gives three pieces", "1nsgkgsnl/9/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL"},
    {"many in hand", "3gk4/9/2p6/9/9/9/6P2/9/4KG3 w RBG2S2N2L8Prbg2s2n2l8p"},
    {"middlegame", "4k3l/3g1s3/2+S3+B2/1+R2p2+P1/l3+r3L/1+p2P2+b1/9/3S1G3/L3K4 w G2N4Pgs2n3p"},
};

} // namespace

TEST(IncrementalConsistency, RandomMakeUnmakeMatchesRebuild)
{
    auto z = NewEngine();
    auto scratch = NewEngine();
    Rng rng(0x5eed2024);
    const int nStarts = sizeof(kStarts) / sizeof(kStarts[0]);
    int total = 0;
    for (int i = 0; i < nStarts; i++) {
        Write(Sfen(kStarts[i].sfen), *z);
        ASSERT_EQ(CompareWithRebuild(*z, *scratch), "") << kStarts[i].name;
        for (int comFirst = 0; comFirst < 2; comFirst++) {
            SCOPED_TRACE(kStarts[i].name);
            int done = Walk(*z, *scratch, rng, kPairsPerRun / (2 * nStarts) + 1, comFirst == 1);
            if (HasFailure())
                return;
            total += done;
        }
    }
    EXPECT_GE(total, kPairsPerRun);
}
