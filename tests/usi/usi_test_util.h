// Positions the protocol tests share.
#ifndef KORVANE_USI_TEST_UTIL_H
#define KORVANE_USI_TEST_UTIL_H

#include "engine_board.h"

#include <string>
#include <vector>

namespace usitest {

using enginetest::Sfen; // fails the test on a refusal

// The side to move is in check without a legal move.
inline bool IsMate(const usi::Position &p)
{
    return usi::InCheck(p, p.side) && usi::LegalMoves(p).empty();
}

// Positions reached by random legal play from the start, every few plies.
std::vector<usi::Position> RandomGamePositions(unsigned seed, int plies, int every);

} // namespace usitest

#endif
