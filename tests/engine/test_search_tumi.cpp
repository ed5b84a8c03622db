// Mate detection: problems with known answers, checked against an
// independent mate solver built on the reference rules, for both twins.
#include "EngineTestUtil.h"
#include "refmoves.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace enginetest;

namespace {

#ifdef KORVANE_SANITIZE
constexpr int kCheckedPlies = 3; // the reference proof of a mate in 5 is slow there
#else
constexpr int kCheckedPlies = 5;
#endif

struct Piece
{
    int sq;
    int code;
};

struct Problem
{
    std::vector<Piece> pieces;
    std::vector<int> comHand; // pawn .. rook
};

// Com mates Man: a gold dropped on the king's head, covered by a pawn.
const Problem kMateInOne = {{{0x15, 136}, {0x95, 8}, {0x75, 129}}, {0, 0, 0, 0, 1, 0, 0}};
// The only mating blow is a pawn drop on 0x89, covered by the dragon.
const Problem kPawnDropOnly = {{{0x17, 136}, {0x78, 143}, {0x99, 8}}, {1, 0, 0, 0, 0, 0, 0}};
const Problem kMateInThree = {
    {{0x13, 136}, {0x71, 7}, {0x73, 143}, {0x84, 142}, {0x91, 8}, {0x98, 3}},
    {0, 0, 0, 0, 0, 0, 1}};
const Problem kMateInFive = {{{0x14, 136}, {0x68, 135}, {0x91, 8}}, {0, 0, 0, 0, 1, 1, 0}};

RefPos ToRef(const Problem &p)
{
    RefPos r = RefEmpty();
    for (const Piece &x : p.pieces)
        r.board[x.sq] = x.code;
    for (int k = 1; k <= 7; k++)
        r.captCom[k] = p.comHand[k - 1];
    return r;
}

EnginePtr NewThinker()
{
    auto z = NewCore();
    EXPECT_EQ(z->InitGame(), 0);
    z->m_nReflexMax = 1500;
    return z;
}

void Load(ZelkorCore &z, const RefPos &p)
{
    RefToEngine(p, z);
    z.InitResultArea();
    z.m_nDepth = 0;
    z.PreparePosScore();
}

// Reference: can the side `com` force mate by checks within `plies` (odd)?
// A pawn drop that leaves no reply is not a mate.
bool RefMates(const RefPos &p, int plies, bool com)
{
    for (const RefMove &m : RefLegalMoves(p, com)) {
        const RefPos q = RefApply(p, m);
        if (!RefAttacked(q, RefKing(q, !com), com))
            continue;
        const std::vector<RefMove> replies = RefLegalMoves(q, !com);
        if (replies.empty()) {
            if (m.src == 255 && (m.kind & 15) == 1)
                continue;
            return true;
        }
        if (plies == 1)
            continue;
        bool all = true;
        for (const RefMove &r : replies)
            if (!RefMates(RefApply(q, r), plies - 2, com)) {
                all = false;
                break;
            }
        if (all)
            return true;
    }
    return false;
}

// Every reply to `first` still loses within plies - 2.
bool RefForces(const RefPos &p, const RefMove &first, int plies, bool com)
{
    const RefPos q = RefApply(p, first);
    if (!RefAttacked(q, RefKing(q, !com), com))
        return false;
    const std::vector<RefMove> replies = RefLegalMoves(q, !com);
    if (replies.empty())
        return !(first.src == 255 && (first.kind & 15) == 1);
    for (const RefMove &r : replies)
        if (plies < 3 || !RefMates(RefApply(q, r), plies - 2, com))
            return false;
    return true;
}

struct Found
{
    int value;
    RefMove move;
};

Found SolveOnMan(ZelkorCore &z, const RefPos &p, int limit)
{
    Load(z, p);
    Found f{0, {0, 0, 0, 0}};
    f.value = z.SearchTumiOnMan(f.move.src, f.move.dst, f.move.kind, f.move.naru, limit);
    EXPECT_EQ(z.m_nDepth, 0);
    return f;
}

// The same problem turned round: Man hunts Com's king.
Found SolveOnCom(ZelkorCore &z, const RefPos &p, int limit)
{
    Load(z, RefMirror(p));
    Found f{0, {0, 0, 0, 0}};
    f.value = z.SearchTumiOnCom(f.move.src, f.move.dst, f.move.kind, f.move.naru, limit);
    EXPECT_EQ(z.m_nDepth, 0);
    f.move = RefMirrorMove(f.move);
    return f;
}

class MateProblems : public ::testing::TestWithParam<bool>
{
protected:
    Found Solve(ZelkorCore &z, const RefPos &p, int limit)
    {
        return GetParam() ? SolveOnCom(z, p, limit) : SolveOnMan(z, p, limit);
    }
};

TEST_P(MateProblems, MateInOneIsTheGoldOnTheHead)
{
    auto z = NewThinker();
    const RefPos p = ToRef(kMateInOne);
    const Found f = Solve(*z, p, 31);
    EXPECT_GE(f.value, 100);
    EXPECT_EQ(f.move, (RefMove{255, 0x85, 133, 0}));
}

TEST_P(MateProblems, MatesInThreeAndFiveAreForced)
{
    auto z = NewThinker();
    struct Case
    {
        const Problem *problem;
        int plies;
    };
    for (const Case &c : {Case{&kMateInThree, 3}, Case{&kMateInFive, 5}}) {
        SCOPED_TRACE(c.plies);
        const RefPos p = ToRef(*c.problem);
        // Not within fewer plies: the deepening has to reach the full length.
        EXPECT_LT(Solve(*z, p, c.plies - 2).value, 100);
        const Found f = Solve(*z, p, c.plies);
        ASSERT_GE(f.value, 100);
        if (c.plies <= kCheckedPlies) {
            EXPECT_TRUE(RefForces(p, f.move, c.plies, true))
                << std::hex << f.move.src << "->" << f.move.dst;
        }
        EXPECT_GE(Solve(*z, p, 31).value, 100);
    }
}

TEST_P(MateProblems, PawnDropMateIsNeverReportedAsMate)
{
    auto z = NewThinker();
    const RefPos p = ToRef(kPawnDropOnly);
    ASSERT_FALSE(RefMates(p, 1, true));
    const Found f = Solve(*z, p, 1);
    EXPECT_LT(f.value, 100);
    const Found deeper = Solve(*z, p, 31);
    if (deeper.value >= 100) {
        EXPECT_FALSE(deeper.move.src == 255 && (deeper.move.kind & 15) == 1);
    }
}

INSTANTIATE_TEST_SUITE_P(BothTwins, MateProblems, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool> &i) {
                             return i.param ? std::string("HuntingCom") : std::string("HuntingMan");
                         });

TEST(MateTests, ExactTestAndAndNodeKnowTheDropPawnRule)
{
    auto z = NewThinker();
    Load(*z, ToRef(kPawnDropOnly));
    z->m_nDepth = 1;
    z->MoveKomaOnCapt(0x89, 129);
    EXPECT_EQ(z->IsTumiOnManJust(true), -30000);
    EXPECT_EQ(z->IsTumiOnManJust(false), 30000);
    // Inside the mate search every answer fails, so the node says 99.
    z->m_nStartDepth = 0;
    z->m_nTagDepth = 3;
    z->m_nReflex2 = 0;
    z->m_nStartWeightScore = z->m_nWeightScore - 2 * zelkor::kWeight2[7];
    EXPECT_EQ(z->AvoidOuteOnMan(true, false, 0), 99);
    EXPECT_EQ(z->AvoidOuteOnMan(false, false, 0), 100);
    z->BackKomaToCapt(0x89);
    z->m_nDepth = 0;
    // The one-move test never offers the pawn drop.
    EXPECT_NE(z->IsTumiOnManByOneMove(), 30000);
}

TEST(MateTests, OneMoveTestFindsTheMateAndSparesAFreeKing)
{
    auto z = NewThinker();
    Load(*z, ToRef(kMateInOne));
    ASSERT_EQ(z->IsTumiOnManByOneMove(), 30000);
    const CANDI_MOVE &m = z->m_moveCandi[0][0];
    EXPECT_EQ(m.nSrcPos, 255);
    EXPECT_EQ(m.nDstPos, 0x85);
    EXPECT_EQ(m.nKind, 133);

    // A king in the open with six or more free squares is never mated in one,
    // whatever Com holds.
    RefPos open = RefEmpty();
    open.board[0x15] = 136;
    open.board[0x55] = 8;
    open.board[0x45] = 129;
    for (int k = 2; k <= 7; k++)
        open.captCom[k] = 2;
    Load(*z, open);
    EXPECT_EQ(z->IsTumiOnManByOneMove(), z->m_nWeightScore);
}

TEST(MateTests, NoCheckLeavesTheOutputsAlone)
{
    auto z = NewThinker();
    RefPos p = RefEmpty();
    p.board[0x15] = 136;
    p.board[0x95] = 8;
    p.board[0x11] = 130;
    Load(*z, p);
    int src = -1, dst = -1, kind = -1, naru = -1;
    EXPECT_EQ(z->SearchTumiOnMan(src, dst, kind, naru, 31), -30000);
    EXPECT_EQ(src, -1);
    EXPECT_EQ(dst, -1);
    EXPECT_EQ(kind, -1);
    EXPECT_EQ(naru, -1);
}

} // namespace
