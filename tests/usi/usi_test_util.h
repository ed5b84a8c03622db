// Bridges from the protocol's positions to the independent rules of the
// engine tests (refmoves), and positions the protocol tests share.
#ifndef KORVANE_USI_TEST_UTIL_H
#define KORVANE_USI_TEST_UTIL_H

#include "refmoves.h"
#include "zelkor_access.h"
#include "usi_position.h"

#include <string>
#include <vector>

namespace usitest {

// Gote is Com (codes >= 128, moving to higher rows), sente is Man.
RefPos ToRef(const usi::Position &p);
RefMove ToRefMove(const usi::Position &p, const usi::Move &m);
// The legal moves by the reference rules, pawn-drop mates taken out (the
// reference does not know that rule).
std::vector<RefMove> RefLegal(const usi::Position &p);
bool RefIsLegal(const usi::Position &p, const usi::Move &m);
bool RefIsMate(const usi::Position &p); // side to move in check without a move

usi::Position Sfen(const std::string &sfen); // fails the test on a refusal

// Positions reached by random legal play from the start, every few plies.
std::vector<usi::Position> RandomGamePositions(unsigned seed, int plies, int every);

} // namespace usitest

#endif
