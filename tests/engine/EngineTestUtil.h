// Helpers for the engine tests: position set-up, state snapshots and a
// from-scratch comparison of the incrementally kept state.
#ifndef KORVANE_ENGINETESTUTIL_H
#define KORVANE_ENGINETESTUTIL_H

#include "zelkor_access.h"

#include <cstdint>
#include <string>
#include <type_traits>
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

// Everything make/unmake must restore, one X(snapshot field, engine member)
// a row: the fields that must come back byte for byte, then those compared
// with care (pieces in hand, stacks to their sizes, lists as multisets). The
// snapshot's fields, its copy and its exact comparison are made from these.
// clang-format off
#define ENGINETEST_EXACT(X)                                                                        \
    X(board, m_nBoard) X(uniBoard, m_nUniBoard) X(uniNumPos, m_nCurrUniNumPos)                     \
    X(captByCom, m_nCaptByCom) X(captByMan, m_nCaptByMan) X(psbComs, m_nPsbComKomas)               \
    X(psbMans, m_nPsbManKomas) X(board1, m_dwBoard1) X(board2, m_dwBoard2) X(dai, m_dwDai)         \
    X(weightScore, m_nWeightScore)
#define ENGINETEST_RESTORED(X)                                                                     \
    ENGINETEST_EXACT(X) X(komaUni, m_komaUni) X(uniNum, m_nUniNum) X(psbCom, m_nPsbComKoma)        \
    X(psbMan, m_nPsbManKoma)
// clang-format on

struct Snapshot
{
#define ENGINETEST_FIELD(field, member) std::remove_const_t<decltype(ZelkorCore::member)> field;
    ENGINETEST_RESTORED(ENGINETEST_FIELD)
#undef ENGINETEST_FIELD
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
