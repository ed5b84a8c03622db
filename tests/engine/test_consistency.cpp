// Long random walks of moves and drops: after every make the incremental
// state must match a rebuild of the position; after every unmake it must be
// exactly what it was before the make.
#include "EngineTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace enginetest;

namespace {

#ifdef KORVANE_SANITIZE
constexpr int kPairsPerRun = 24000;
#else
constexpr int kPairsPerRun = 120000;
#endif
constexpr int kMaxPly = 90;

struct Frame
{
    Move move;
    Snapshot before;
};

// Walks from z's position until `pairs` make/unmake pairs have been checked.
// Returns the number of pairs checked.
int Walk(ZelkorCore &z, ZelkorCore &scratch, Rng &rng, int pairs, bool comFirst)
{
    std::vector<Frame> stack(kMaxPly);
    int depth = 0;
    int checked = 0;
    while (checked < pairs) {
        bool com = (depth % 2 == 0) == comFirst;
        Move m;
        bool back = depth == kMaxPly || (depth > 0 && rng.Below(100) < 30);
        if (!back && !RandomLegalMove(z, com, rng, m))
            back = true;
        if (back) {
            if (depth == 0)
                break; // no move at the root
            Frame &f = stack[--depth];
            UnmakeMove(z, f.move);
            std::string diff = CompareWithSnapshot(z, f.before);
            if (!diff.empty()) {
                ADD_FAILURE() << "unmake of " << f.move.src << "->" << f.move.dst << " kind "
                              << f.move.kind << " naru " << f.move.naru << ": " << diff;
                return checked;
            }
            checked++;
            continue;
        }
        Frame &f = stack[depth++];
        f.move = m;
        TakeSnapshot(z, f.before);
        MakeMove(z, m);
        std::string diff = CompareWithRebuild(z, scratch);
        if (!diff.empty()) {
            ADD_FAILURE() << "make of " << m.src << "->" << m.dst << " kind " << m.kind << " naru "
                          << m.naru << " at depth " << depth << ": " << diff;
            return checked;
        }
    }
    while (depth > 0) {
        Frame &f = stack[--depth];
        UnmakeMove(z, f.move);
        EXPECT_EQ(CompareWithSnapshot(z, f.before), "");
        checked++;
    }
    return checked;
}

struct StartPosition
{
    const char *name;
    void (*setUp)(ZelkorCore &z);
};

void Even(ZelkorCore &) {}

// Handicaps remove pieces of the side that gives them; both sides are tried.
void RemoveAndRenumber(ZelkorCore &z, std::initializer_list<int> squares)
{
    for (int s : squares)
        z.m_nBoard[s] = 0;
    z.SetUniBoard();
}
void LanceOff(ZelkorCore &z)
{
    RemoveAndRenumber(z, {Sq(9, 1)});
}
void BishopOff(ZelkorCore &z)
{
    RemoveAndRenumber(z, {Sq(8, 2)});
}
void RookOff(ZelkorCore &z)
{
    RemoveAndRenumber(z, {Sq(8, 8)});
}
void RookLanceOff(ZelkorCore &z)
{
    RemoveAndRenumber(z, {Sq(8, 8), Sq(9, 1)});
}
void TwoOff(ZelkorCore &z)
{
    RemoveAndRenumber(z, {Sq(8, 8), Sq(8, 2)});
}
void ComTwoOff(ZelkorCore &z)
{
    RemoveAndRenumber(z, {Sq(2, 2), Sq(2, 8), Sq(1, 1)});
}

// Most pieces in hand: kings, a few pawns and the golds on the board.
void ManyInHand(ZelkorCore &z)
{
    ClearPosition(z);
    z.m_nBoard[Sq(1, 5)] = 136;
    z.m_nBoard[Sq(9, 5)] = 8;
    z.m_nBoard[Sq(1, 4)] = 133;
    z.m_nBoard[Sq(9, 6)] = 5;
    z.m_nBoard[Sq(3, 3)] = 129;
    z.m_nBoard[Sq(7, 7)] = 1;
    SetHands(z, {8, 2, 2, 2, 1, 1, 1}, {8, 2, 2, 2, 1, 1, 1});
}

// Promoted pieces and long-range pieces everywhere, pieces in hand.
void Middlegame(ZelkorCore &z)
{
    ClearPosition(z);
    const int placed[][2] = {
        {Sq(1, 5), 136}, {Sq(9, 5), 8},   {Sq(2, 4), 133}, {Sq(8, 6), 5},   {Sq(5, 5), 143},
        {Sq(4, 2), 15},  {Sq(6, 8), 142}, {Sq(3, 7), 14},  {Sq(5, 1), 130}, {Sq(5, 9), 2},
        {Sq(7, 3), 138}, {Sq(3, 3), 12},  {Sq(4, 5), 129}, {Sq(6, 5), 1},   {Sq(2, 6), 132},
        {Sq(8, 4), 4},   {Sq(1, 9), 130}, {Sq(9, 1), 2},   {Sq(6, 2), 137}, {Sq(4, 8), 9},
    };
    for (const auto &p : placed)
        z.m_nBoard[p[0]] = p[1];
    SetHands(z, {3, 0, 2, 1, 1, 0, 0}, {4, 0, 2, 1, 1, 0, 0});
}

const StartPosition kStarts[] = {
    {"even", Even},
    {"lance off", LanceOff},
    {"bishop off", BishopOff},
    {"rook off", RookOff},
    {"rook and lance off", RookLanceOff},
    {"rook and bishop off", TwoOff},
    {"Com gives three pieces", ComTwoOff},
    {"many in hand", ManyInHand},
    {"middlegame", Middlegame},
};

} // namespace

TEST(IncrementalConsistency, RandomMakeUnmakeMatchesRebuild)
{
    auto z = NewEngine();
    auto scratch = NewEngine();
    Rng rng(0x5eed2024);
    const int nStarts = sizeof(kStarts) / sizeof(kStarts[0]);
    int total = 0;
    for (int i = 0; i < nStarts; i++) {
        std::memcpy(z->m_nBoard, zelkor::kIniBoard, sizeof(z->m_nBoard));
        std::memset(z->m_nCaptByCom, 0, sizeof(z->m_nCaptByCom));
        std::memset(z->m_nCaptByMan, 0, sizeof(z->m_nCaptByMan));
        ASSERT_TRUE(z->InitBoard());
        kStarts[i].setUp(*z);
        ASSERT_EQ(CompareWithRebuild(*z, *scratch), "") << kStarts[i].name;
        for (int comFirst = 0; comFirst < 2; comFirst++) {
            SCOPED_TRACE(kStarts[i].name);
            int done = Walk(*z, *scratch, rng, kPairsPerRun / (2 * nStarts) + 1, comFirst == 1);
            if (HasFailure())
                return;
            total += done;
        }
    }
    EXPECT_GE(total, kPairsPerRun);
}
