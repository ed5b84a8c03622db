// Helpers for the engine tests: position set-up, state snapshots and a
// from-scratch comparison of the incrementally kept state.
#ifndef KORVANE_ENGINETESTUTIL_H
#define KORVANE_ENGINETESTUTIL_H

#include "zelkor_access.h"

#include <cstdint>
#include <string>
#include <vector>

namespace enginetest {

// Deterministic generator (xorshift64*), independent of the standard library.
class Rng
{
public:
    explicit Rng(std::uint64_t seed) : m_state(seed ? seed : 1) {}
    std::uint32_t Next()
    {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return static_cast<std::uint32_t>((m_state * 2685821657736338717ull) >> 32);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }

private:
    std::uint64_t m_state;
};

inline int Sq(int row, int col)
{
    return 16 * row + col;
}

// The attack list of square t for one side, and its length.
inline const int *List(const ZelkorCore &z, bool com, int t)
{
    return com ? z.m_nPsbComKoma[t] : z.m_nPsbManKoma[t];
}
inline int Count(const ZelkorCore &z, bool com, int t)
{
    return com ? z.m_nPsbComKomas[t] : z.m_nPsbManKomas[t];
}

// An engine with the initial position and keys (result table not allocated).
EnginePtr NewEngine();

// Empties the board (keeping the frame) and both hands.
void ClearPosition(ZelkorCore &z);

struct Move
{
    int src; // 255 for a drop
    int dst;
    int kind; // captured code, or the dropped code
    int naru; // 0 or 8
    bool operator==(const Move &o) const
    {
        return src == o.src && dst == o.dst && kind == o.kind && naru == o.naru;
    }
};

// A random legal move for the side given (Com if com); false if none was found.
bool RandomLegalMove(ZelkorCore &z, bool com, Rng &rng, Move &move);

void MakeMove(ZelkorCore &z, const Move &m);
void UnmakeMove(ZelkorCore &z, const Move &m);

// Everything make/unmake must restore.
struct Snapshot
{
    int board[256];
    int uniBoard[256];
    KOMA_BY_UNINUM komaUni[41];
    int uniNum[8][32];
    int uniNumPos[8];
    int captByCom[8];
    int captByMan[8];
    int psbCom[256][32];
    int psbMan[256][32];
    int psbComs[256];
    int psbMans[256];
    std::uint32_t board1, board2, dai;
    int weightScore;
};

void TakeSnapshot(const ZelkorCore &z, Snapshot &s);

// Empty when equal; otherwise a description of the first difference.
// Attack lists are compared as multisets.
std::string CompareWithSnapshot(const ZelkorCore &z, const Snapshot &s);

// Compares z's incrementally kept state with a rebuild of the same position
// in scratch (lists as sets of attacking squares, numbering invariants,
// hands, stacks, material, packed hand). Empty when consistent.
std::string CompareWithRebuild(const ZelkorCore &z, ZelkorCore &scratch);

} // namespace enginetest

#endif
