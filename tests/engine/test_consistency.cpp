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

// Walks from z's position until `pairs` make/unmake pairs have been checked,
// then unwinds to it. Returns the number of pairs checked.
int Walk(ZelkorCore &z, ZelkorCore &scratch, Rng &rng, int pairs, bool comFirst)
{
    std::vector<Frame> stack(kMaxPly);
    int depth = 0, checked = 0;
    while (checked < pairs || depth > 0) {
        Move m;
        bool back = checked >= pairs || depth == kMaxPly || (depth > 0 && rng.Below(100) < 30) ||
                    !RandomLegalMove(z, (depth % 2 == 0) == comFirst, rng, m);
        if (back && depth == 0)
            break; // no move at the root
        Frame &f = stack[back ? --depth : depth++];
        if (!back) {
            f.move = m;
            TakeSnapshot(z, f.before);
            MakeMove(z, m);
        } else {
            UnmakeMove(z, f.move);
        }
        const std::string diff =
            back ? CompareWithSnapshot(z, f.before) : CompareWithRebuild(z, scratch);
        if (!diff.empty()) {
            ADD_FAILURE() << (back ? "unmake of " : "make of ") << f.move.src << "->" << f.move.dst
                          << " kind " << f.move.kind << " naru " << f.move.naru << " at depth "
                          << depth << ": " << diff;
            return checked;
        }
        checked += back;
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
    const int perWalk = kPairsPerRun / (2 * std::size(kStarts)) + 1;
    int total = 0;
    for (const auto &start : kStarts) {
        SCOPED_TRACE(start.name);
        Write(Sfen(start.sfen), *z);
        ASSERT_EQ(CompareWithRebuild(*z, *scratch), "");
        for (bool comFirst : {false, true}) {
            total += Walk(*z, *scratch, rng, perWalk, comFirst);
            if (HasFailure())
                return;
        }
    }
    EXPECT_GE(total, kPairsPerRun);
}
