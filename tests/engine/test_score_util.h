// Position set-up from a diagram for the evaluation and estimate tests.
#ifndef KORVANE_TEST_SCORE_UTIL_H
#define KORVANE_TEST_SCORE_UTIL_H

#include "engine_board.h"

#include <array>
#include <cstring>
#include <string>

namespace scoretest {

using Hand = std::array<int, 7>; // pawn .. rook

// An SFEN board field written through the engine's own entry (the hands
// come separately), then prepared for the given ply count as a think would.
inline void Place(ZelkorCore &z, const char *sfen, Hand com = {}, Hand man = {}, int counter = 30)
{
    z.UpdateBoard(usi::ToEngineInput(enginetest::Sfen(sfen)).board, com.data(), man.data(),
                  counter);
    z.PreparePosScore();
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
