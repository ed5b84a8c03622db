#include "usi_test_util.h"

namespace usitest {

std::vector<usi::Position> RandomGamePositions(unsigned seed, int plies, int every)
{
    enginetest::Rng rng(seed);
    std::vector<usi::Position> out;
    usi::Position p = usi::StartPosition();
    for (int ply = 1; ply <= plies; ply++) {
        const std::vector<usi::Move> moves = usi::LegalMoves(p);
        if (moves.empty())
            break;
        // Captures and drops first when there are any, so that hands fill.
        std::vector<usi::Move> lively;
        for (const usi::Move &m : moves)
            if (m.src == usi::kDrop || p.At(m.dst) != 0 || m.promote)
                lively.push_back(m);
        const auto &from = !lively.empty() && rng.Below(3) != 0 ? lively : moves;
        p = usi::Apply(p, from[rng.Below(int(from.size()))]);
        if (ply % every == 0)
            out.push_back(p);
    }
    return out;
}

} // namespace usitest
