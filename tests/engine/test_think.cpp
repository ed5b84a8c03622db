// The search as the document sees it: the mate search against a solver built
// on the independent rules (both twins), think result codes, the packed move
// word, level limits, the move record and the bounds of the search tables.
#include "engine_board.h"

#include <gtest/gtest.h>

#include <cstring>
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

EnginePtr NewMateSearcher()
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
    auto z = NewMateSearcher();
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
    auto z = NewMateSearcher();
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
    auto z = NewMateSearcher();
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
    auto z = NewMateSearcher();
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
    auto z = NewMateSearcher();
    Place(*z, Sfen("l3k4/9/9/9/9/9/9/9/4K4"));
    int src = -1, dst = -1, kind = -1, naru = -1;
    EXPECT_EQ(z->SearchTumiOnMan(src, dst, kind, naru, 31), -30000);
    EXPECT_EQ(src + dst + kind + naru, -4);
}

constexpr unsigned int kUntouched = 0xdeadbeefu;

struct Think
{
    unsigned int word = kUntouched;
    int result = -1;
};

EnginePtr NewThinker(int depth)
{
    auto z = NewCore();
    EXPECT_EQ(z->InitGame(), 0);
    z->SetComLevel(0);
    z->m_nFixedDepth = depth;
    z->m_bNoTimeLimit = true;
    z->m_nFixedRandDraw = 0;
    return z;
}

// Hands the position to the engine as the document does and thinks once.
Think ThinkOnce(ZelkorCore &z, const Pos &p, int turn, int counter = 10)
{
    usi::EngineInput in = usi::ToEngineInput(p);
    z.UpdateBoard(in.board, in.up, in.down, counter);
    Think t;
    z.OnFindMove(turn, &t.word, &t.result);
    return t;
}

unsigned int Word(int b0, int b1, int b2, int b3)
{
    return static_cast<unsigned int>(b0 | b1 << 8 | b2 << 16 | b3 << 24);
}

// Result codes of a think with the engine at the top (turn 1) and, on the
// mirrored board, at the bottom (turn 0): the word stays in the think
// orientation either way (the caller maps b to 0x88 - b).
TEST(ThinkResults, CodesAndWordsInBothOrientations)
{
    const struct
    {
        const char *name;
        const char *sfen;
        int result;
        unsigned int word;
        bool mirrored; // the same answer with the board turned round
    } rows[] = {
        // Gold dropped on the head of Man's king, covered by a pawn.
        {"mate in one", kMateInOne, 15, Word(255, 0x74, 133, 0), true},
        // The rook takes the loose rook on Man's king file: check, not mate.
        {"check", "4k4/9/9/9/4r2R1/9/9/9/7K1", 5, Word(0x44, 0x47, 135, 0), true},
        // Com's king is mated by a gold covered by a pawn: no move, word untouched.
        {"mated", "3lkl3/4G4/4P4/9/9/9/9/9/8K", 16, kUntouched, true},
        // Man's last move dropped the pawn on 0x25; Com has no answer.
        {"mated by a dropped pawn", "3lkl3/4P4/5G3/9/9/9/9/9/3L4K", 18, kUntouched, false},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        const Pos p = Sfen(r.sfen);
        auto z = NewThinker(2);
        Think t = ThinkOnce(*z, p, 1);
        EXPECT_EQ(t.result, r.result);
        EXPECT_EQ(t.word, r.word);
        EXPECT_EQ(z->m_bThinkMoved, r.word != kUntouched);
        if (!r.mirrored)
            continue;
        t = ThinkOnce(*z, Mirror(p), 0);
        EXPECT_EQ(t.result, r.result);
        EXPECT_EQ(t.word, r.word);
    }
    // The mating gold stands on the engine's board in the caller's orientation.
    auto z = NewThinker(2);
    ThinkOnce(*z, Mirror(Sfen(rows[0].sfen)), 0);
    EXPECT_EQ(z->m_nBoard[0x88 - 0x74 + 0x11], 5);
}

TEST(ThinkResults, DroppedPawnMateIsNeverPlayed)
{
    const Pos p = Sfen(kPawnDropOnly);
    for (int depth : {1, 2, 3}) {
        auto z = NewThinker(depth);
        const Think t = ThinkOnce(*z, p, 1);
        EXPECT_NE(t.word, Word(255, 0x78, 129, 0)) << depth;
        EXPECT_NE(t.result, 15) << depth;
    }
}

TEST(ThinkResults, CapturableKingEndsTheThinkWithoutAMove)
{
    // Illegal for the document, but the engine must not play stale values.
    Pos p = Sfen("l3k4/9/9/9/9/9/9/9/4K4");
    p.Set(0x55, 135);
    auto z = NewThinker(2);
    Think t = ThinkOnce(*z, p, 1);
    EXPECT_FALSE(z->m_bThinkMoved);
    EXPECT_EQ(t.word, kUntouched);
    EXPECT_EQ(std::memcmp(p.board, PositionOf(*z).board, sizeof p.board), 0);
}

TEST(ThinkResults, BusyEngineIgnoresASecondThink)
{
    auto z = NewThinker(1);
    z->m_nGameStatus = 2;
    Think t = ThinkOnce(*z, Sfen(kMateInOne), 1);
    EXPECT_EQ(t.result, -1);
    EXPECT_EQ(t.word, kUntouched);
}

TEST(PackedMove, ExamplesAndPromotionByte)
{
    EXPECT_EQ(ZelkorCore::PackMove(255, 0x55, 0, 129), Word(255, 0x44, 129, 0));
    EXPECT_EQ(ZelkorCore::PackMove(0x22, 0x72, 8, 135), Word(0x11, 0x61, 135, 1));
    // The promotion byte of unpromoted moves: leaving the zone still offers
    // the promotion; golds, kings, promoted pieces and drops never promote.
    const struct
    {
        int src, dst, code;
        unsigned int offered;
    } rows[] = {{0x75, 0x65, 132, 1}, {0x55, 0x65, 132, 0}, {0x65, 0x75, 129, 1},
                {0x75, 0x85, 133, 0}, {0x75, 0x85, 136, 0}, {0x75, 0x85, 140, 0},
                {255, 0x85, 132, 0}};
    for (const auto &r : rows)
        EXPECT_EQ(ZelkorCore::PackMove(r.src, r.dst, 0, r.code) >> 24, r.offered)
            << std::hex << r.src;
}

// A few pawn steps and a bishop exchange.
Pos MiddleGame()
{
    return Sfen("lnsgkgsnl/1r7/pppppp1pp/6p2/9/2P6/PP1PPPPPP/7R1/LNSGKGSNL w Bb 1");
}

TEST(ThinkLevels, LevelZeroThinksAtMostFourPlies)
{
    auto z = NewThinker(0);
    z->m_bNoTimeLimit = false; // as the game runs it
    ThinkOnce(*z, MiddleGame(), 1);
    EXPECT_TRUE(z->m_bThinkMoved);
    EXPECT_GE(z->m_nCompletedDepth, 1);
    EXPECT_LE(z->m_nCompletedDepth, 4);
    EXPECT_LE(z->m_nHubos, 4);

    // Without the clock the level's full depth is reached.
    z->m_bNoTimeLimit = true;
    ThinkOnce(*z, MiddleGame(), 1);
    EXPECT_EQ(z->m_nCompletedDepth, 4);
    EXPECT_EQ(z->m_nHubos, 4);
    EXPECT_GT(z->m_nSearchNodes, 0u);

    // An unknown level keeps the mate probe only.
    z->SetComLevel(7);
    ThinkOnce(*z, MiddleGame(), 1);
    EXPECT_EQ(z->m_nCompletedDepth, 0);
    EXPECT_EQ(z->m_nSearchNodes, 0u);
}

TEST(ThinkLevels, FixedDepthIsDeterministic)
{
    // A second think on the same object must not see anything the first left
    // behind (result table, tree, record), nor differ from a fresh engine.
    auto a = NewThinker(3);
    auto b = NewThinker(3);
    const Think first = ThinkOnce(*a, MiddleGame(), 1);
    const std::uint64_t firstNodes = a->m_nSearchNodes;
    const Think again = ThinkOnce(*a, MiddleGame(), 1);
    const Think fresh = ThinkOnce(*b, MiddleGame(), 1);
    EXPECT_EQ(again.word, first.word);
    EXPECT_EQ(a->m_nSearchNodes, firstNodes);
    EXPECT_EQ(fresh.word, first.word);
    EXPECT_EQ(b->m_nSearchNodes, firstNodes);
    EXPECT_EQ(a->m_nCompletedDepth, 3);
}

TEST(MoveRecord, LongGamesKeepPlayingAndStayInTheRecord)
{
    auto z = NewThinker(1);
    for (int counter : {510, 511, 512, 700, 1500}) {
        SCOPED_TRACE(counter);
        const Think t = ThinkOnce(*z, MiddleGame(), 1, counter);
        ASSERT_TRUE(z->m_bThinkMoved);
        EXPECT_NE(t.word, kUntouched);
        EXPECT_EQ(z->m_nCounter, counter + 1);
        int src, dst, kind, naru, srcKind;
        ASSERT_TRUE(z->GetKomaMove(src, dst, kind, naru, srcKind));
        EXPECT_EQ(ZelkorCore::PackMove(src, dst, naru, srcKind), t.word);
        // Beyond the counter, and entries already overwritten, are absent.
        EXPECT_FALSE(z->GetSearchedMove(src, dst, kind, naru, srcKind, counter + 2));
        EXPECT_FALSE(z->GetSearchedMove(src, dst, kind, naru, srcKind, counter + 1 - 512));
        EXPECT_FALSE(z->GetSearchedMove(src, dst, kind, naru, srcKind, -1));
    }
}

TEST(SearchBounds, DeepPliesNeverLeaveTheTables)
{
    // Whatever the nominal depth, lines that reach the last plies end there;
    // the sanitizer build checks that nothing is written out of bounds.
    auto z = NewThinker(1);
    ThinkOnce(*z, MiddleGame(), 1);
    Write(MiddleGame(), *z);
    z->InitResultArea();
    z->PreparePosScore();
    z->m_clockStart = std::clock();
    z->m_bTime = false;
    z->m_nRemainDepth = 0;
    for (int d : {36, 38, 62, 63}) {
        SCOPED_TRACE(d);
        z->m_nDepth = d;
        z->m_nMinTagDepth = 64;
        for (int i = 0; i < d; i++)
            z->m_pPreCandi[i] = nullptr;
        Snapshot before;
        TakeSnapshot(*z, before);
        const int v = (d & 1) ? z->SearchManMove(-30000, 30000) : z->SearchComMove(-30000, 30000);
        EXPECT_GE(v, -30000);
        EXPECT_LE(v, 30000);
        EXPECT_EQ(z->m_nDepth, d);
        EXPECT_EQ(z->m_nMinTagDepth, 64);
        EXPECT_LE(z->m_nSearchedDepth[d], 64);
        const std::string diff = CompareWithSnapshot(*z, before);
        EXPECT_TRUE(diff.empty()) << diff;
    }
}

} // namespace
