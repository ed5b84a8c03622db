// Small square and code helpers shared by the engine's source files.
#ifndef KORVANE_ZELKORUTIL_H
#define KORVANE_ZELKORUTIL_H

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

// Index of a code into m_nUniCode.
inline int KeyIndex(int c)
{
    return c < 128 ? c : c - 112;
}

} // namespace zelkor

#endif
