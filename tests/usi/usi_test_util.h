// What the protocol tests share.
#ifndef KORVANE_USI_TEST_UTIL_H
#define KORVANE_USI_TEST_UTIL_H

#include "engine_board.h"

namespace usitest {

using enginetest::Sfen; // fails the test on a refusal

// The side to move is in check without a legal move.
inline bool IsMate(const usi::Position &p)
{
    return usi::InCheck(p, p.side) && usi::LegalMoves(p).empty();
}

} // namespace usitest

#endif
