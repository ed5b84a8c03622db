// Small square and code helpers shared by the engine's source files.
#ifndef KORVANE_ZELKORUTIL_H
#define KORVANE_ZELKORUTIL_H

#include "Zelkor.h"

namespace zelkor {

// Largest number of pieces of each base kind (pawn .. rook) in the game.
constexpr int kMaxOfKind[8] = {0, 18, 4, 4, 4, 4, 2, 2};

inline bool IsPlayingSquare(int s)
{
    return s >= 0x11 && s <= 0x99 && (s & 15) >= 1 && (s & 15) <= 9;
}

// A code that may stand on the board: 1..15 or 129..143, neither 13 nor 16.
inline bool IsValidCode(int c)
{
    int k = c & 15;
    return (c & ~0x8F) == 0 && k != 0 && k != 13;
}

inline bool IsComCode(int c)
{
    return c > 128;
}

// An unpromoted piece that may promote: pawn, lance, knight, silver, bishop, rook.
inline bool CanPromote(int code)
{
    const int k = code & 15;
    return k != 0 && k < 8 && k != 5;
}

inline int Abs(int v)
{
    return v < 0 ? -v : v;
}

// Two moves (KOMA_MOVE, CANDI_MOVE) are the same when their four move fields are.
template <typename A, typename B> inline bool SameMove(const A &a, const B &b)
{
    return a.nSrcPos == b.nSrcPos && a.nDstPos == b.nDstPos && a.nKind == b.nKind &&
           a.nNaru == b.nNaru;
}

inline bool IsPawnDrop(const CANDI_MOVE &m, int pawnCode)
{
    return m.nSrcPos == kDrop && m.nKind == pawnCode;
}

// First direct (not x-ray) entry of a square's attacker list, 0 if none.
inline int FirstDirect(const int *list, int count)
{
    for (int i = 0; i < count; i++)
        if (list[i] < kXray)
            return list[i];
    return 0;
}

// Index of a code into m_nUniCode.
inline int KeyIndex(int c)
{
    return c < 128 ? c : c - 112;
}

} // namespace zelkor

#endif
