// Position set-up from a diagram for the evaluation and estimate tests.
#ifndef KORVANE_TEST_SCORE_UTIL_H
#define KORVANE_TEST_SCORE_UTIL_H

#include "EngineTestUtil.h"

#include <array>
#include <cstring>
#include <string>

namespace scoretest {

using Hand = std::array<int, 7>; // pawn .. rook

// One character per square: "plnsgbrk" (pawn lance knight silver gold bishop
// rook king), lower case for Com, upper case for Man, '.' empty; a '+' before
// a letter promotes it. Spaces are ignored.
inline unsigned char CodeOf(char ch, bool naru)
{
    if (ch == '.')
        return 0;
    const char lower = static_cast<char>(ch | 0x20);
    const int kind = static_cast<int>(std::string("plnsgbrk").find(lower)) + 1;
    return static_cast<unsigned char>(kind + (naru ? 8 : 0) + (ch == lower ? 128 : 0));
}

// 81 squares, row 1 (Com's back rank) first and column 1 first in each row.
// Written through the engine's own entry, then prepared for the given ply
// count as a think would.
inline void Place(CZelkor &z, const char *diagram, Hand com = {}, Hand man = {}, int counter = 30)
{
    BOARD b = {};
    bool naru = false;
    int i = 0;
    for (const char *p = diagram; *p != 0 && i < 81; p++) {
        if (*p == ' ')
            continue;
        if (*p == '+') {
            naru = true;
            continue;
        }
        b[i / 9][i % 9] = CodeOf(*p, naru);
        naru = false;
        i++;
    }
    z.UpdateBoard(b, com.data(), man.data(), counter);
    z.PreparePosScore();
}

// Leaves only the hand-written evaluation terms (and material).
inline void ZeroTables(CZelkor &z)
{
    std::memset(z.m_nComPosScore, 0, sizeof(z.m_nComPosScore));
    std::memset(z.m_nManPosScore, 0, sizeof(z.m_nManPosScore));
    std::memset(z.m_nAddScoreInAttack, 0, sizeof(z.m_nAddScoreInAttack));
    std::memset(z.m_nAddScoreInDefense, 0, sizeof(z.m_nAddScoreInDefense));
}

inline int Sq(int row, int col)
{
    return 16 * row + col;
}

} // namespace scoretest

#endif
