// Mate detection: problems with known answers, checked against a mate
// solver built on the independent rules, for both twins.
#include "engine_board.h"

#include <gtest/gtest.h>

#include <vector>

using namespace enginetest;

namespace {

#ifdef KORVANE_SANITIZE
constexpr int kCheckedPlies = 3; // the independent proof of a mate in 5 is slow there
#else
constexpr int kCheckedPlies = 5;
#endif

// Com mates Man: a gold dropped on the king's head, covered by a pawn.
const char kMateInOne[] = "4k4/9/9/9/9/9/4p4/9/4K4 w g";
// The only mating blow is a pawn drop on 0x89, covered by the dragon.
const char kPawnDropOnly[] = "6k2/9/9/9/9/9/7+r1/9/8K w p";

EnginePtr NewThinker()
{
    auto z = NewCore();
    EXPECT_EQ(z->InitGame(), 0);
    z->m_nReflexMax = 1500;
    return z;
}

void Place(ZelkorCore &z, const Pos &p)
{
    Write(p, z);
    z.InitResultArea();
    z.m_nDepth = 0;
    z.PreparePosScore();
}

// Can Com force mate by checks within `plies` (odd)? A pawn-drop mate is no
// legal move, so it is never counted.
bool Mates(const Pos &p, int plies);

// Every reply to `first` still loses within plies - 2.
bool Forces(const Pos &p, const Move &first, int plies)
{
    const Pos q = Apply(p, first);
    if (!Attacked(q, KingSquare(q, false), true))
        return false;
    for (const Move &r : LegalMoves(q, false))
        if (plies < 3 || !Mates(Apply(q, r), plies - 2))
            return false;
    return true;
}

bool Mates(const Pos &p, int plies)
{
    for (const Move &m : LegalMoves(p, true))
        if (Forces(p, m, plies))
            return true;
    return false;
}

struct Found
{
    int value;
    Move move;
};

class MateProblems : public ::testing::TestWithParam<bool>
{
protected:
    // Hunting Com solves the problem turned round: Man hunts Com's king.
    Found Solve(ZelkorCore &z, const Pos &p, int limit)
    {
        const bool com = GetParam();
        Place(z, com ? Mirror(p) : p);
        Found f{0, {0, 0, 0, 0}};
        Move &m = f.move;
        f.value = com ? z.SearchTumiOnCom(m.src, m.dst, m.kind, m.naru, limit)
                      : z.SearchTumiOnMan(m.src, m.dst, m.kind, m.naru, limit);
        EXPECT_EQ(z.m_nDepth, 0);
        if (com)
            f.move = Mirror(f.move);
        return f;
    }
};

TEST_P(MateProblems, KnownProblems)
{
    const struct
    {
        const char *sfen;
        int rooksInHand; // Com's, beyond the two a game has
        int plies;
    } rows[] = {
        {kMateInOne, 0, 1},
        {"2k6/9/9/9/9/9/R1+r6/3+b5/K6N1", 1, 3},
        {"3k5/9/9/9/9/7r1/9/9/K8 w bg", 0, 5},
    };
    auto z = NewThinker();
    for (const auto &r : rows) {
        SCOPED_TRACE(r.sfen);
        Pos p = Sfen(r.sfen);
        Hand(p, true, 7) += r.rooksInHand;
        // Not within fewer plies: the deepening has to reach the full length.
        if (r.plies > 1) {
            EXPECT_LT(Solve(*z, p, r.plies - 2).value, 100);
        }
        const Found f = Solve(*z, p, r.plies);
        ASSERT_GE(f.value, 100);
        if (r.plies <= kCheckedPlies) {
            EXPECT_TRUE(Forces(p, f.move, r.plies)) << std::hex << f.move.src << "->" << f.move.dst;
        }
        EXPECT_GE(Solve(*z, p, 31).value, 100);
    }
    EXPECT_EQ(Solve(*z, Sfen(kMateInOne), 31).move, (Move{255, 0x85, 133, 0}));
}

TEST_P(MateProblems, PawnDropMateIsNeverReportedAsMate)
{
    auto z = NewThinker();
    const Pos p = Sfen(kPawnDropOnly);
    ASSERT_FALSE(Mates(p, 1));
    EXPECT_LT(Solve(*z, p, 1).value, 100);
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
    Place(*z, Sfen(kPawnDropOnly));
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
    Place(*z, Sfen(kMateInOne));
    ASSERT_EQ(z->IsTumiOnManByOneMove(), 30000);
    const CANDI_MOVE &m = z->m_moveCandi[0][0];
    EXPECT_EQ(Move({m.nSrcPos, m.nDstPos, m.nKind, 0}), (Move{255, 0x85, 133, 0}));
    // A king in the open with six or more free squares is never mated in one,
    // whatever Com holds.
    Place(*z, Sfen("4k4/9/9/4p4/4K4/9/9/9/9 b 2r2b2g2s2n2l"));
    EXPECT_EQ(z->IsTumiOnManByOneMove(), z->m_nWeightScore);
}

TEST(MateTests, NoCheckLeavesTheOutputsAlone)
{
    auto z = NewThinker();
    Place(*z, Sfen("l3k4/9/9/9/9/9/9/9/4K4"));
    int src = -1, dst = -1, kind = -1, naru = -1;
    EXPECT_EQ(z->SearchTumiOnMan(src, dst, kind, naru, 31), -30000);
    EXPECT_EQ(src + dst + kind + naru, -4);
}

} // namespace
