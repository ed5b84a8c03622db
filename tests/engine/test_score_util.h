// Position set-up from a diagram for the evaluation and estimate tests.
#ifndef KORVANE_TEST_SCORE_UTIL_H
#define KORVANE_TEST_SCORE_UTIL_H

#include "engine_board.h"

#include <array>
#include <cstring>
#include <string>

namespace scoretest {

using Hand = std::array<int, 7>; // pawn .. rook

// Written through the engine's own entry, then prepared for the given ply
// count as a think would.
inline void Place(ZelkorCore &z, const BOARD &b, Hand com = {}, Hand man = {}, int counter = 30)
{
    z.UpdateBoard(b, com.data(), man.data(), counter);
    z.PreparePosScore();
}

// An SFEN board field; the hands come separately.
inline void Place(ZelkorCore &z, const char *sfen, Hand com = {}, Hand man = {}, int counter = 30)
{
    Place(z, usi::ToEngineInput(enginetest::Sfen(sfen)).board, com, man, counter);
}

// Leaves only the hand-written evaluation terms (and material).
inline void ZeroTables(ZelkorCore &z)
{
    std::memset(z.m_nComPosScore, 0, sizeof(z.m_nComPosScore));
    std::memset(z.m_nManPosScore, 0, sizeof(z.m_nManPosScore));
    std::memset(z.m_nAddScoreInAttack, 0, sizeof(z.m_nAddScoreInAttack));
    std::memset(z.m_nAddScoreInDefense, 0, sizeof(z.m_nAddScoreInDefense));
}

using enginetest::Sq;

} // namespace scoretest

#endif
