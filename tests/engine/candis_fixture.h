// Positions and checks shared by the candidate generator tests.
#ifndef KORVANE_CANDIS_FIXTURE_H
#define KORVANE_CANDIS_FIXTURE_H

#include "EngineTestUtil.h"
#include "refmoves.h"

#include <set>
#include <string>
#include <vector>

namespace candistest {

using enginetest::Rng;

// Positions of random play from the even game and from handicaps, and
// positions with many pieces in hand.
std::vector<RefPos> MakePositions(int games, std::uint64_t seed);
RefPos HandHeavyPosition(Rng &rng);

// A position from a one-line diagram (see enginetest::ParseBoard), empty hands.
RefPos RefDiagram(const char *diagram);

// Loads p into z and prepares it like a search root.
void Load(ZelkorCore &z, const RefPos &p);

// The position as the document hands it over: board, then the hands of the
// top (Com) and bottom (Man) player, pawn .. rook.
void ToDocument(const RefPos &p, BOARD b, int com[7], int man[7]);

std::set<RefMove> MoveSet(const CANDI_MOVE *p, int n);

// Empty when every candidate is a pseudo-legal move of the side; otherwise
// the first offending candidate.
std::string CheckCandidates(const RefPos &pos, bool com, const CANDI_MOVE *p, int n);
std::string CheckCandidates(const RefPos &pos, const std::set<RefMove> &moves, bool com,
                            const CANDI_MOVE *p, int n);

} // namespace candistest

#endif
