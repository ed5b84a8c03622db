// The think driver as the document sees it: result codes, the packed move
// word, level limits, the move record and the bounds of the search tables.
#include "engine_board.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace enginetest;

namespace {

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
        {"mate in one", "4k4/9/9/9/9/9/4p4/9/4K4 w g", 15, Word(255, 0x74, 133, 0), true},
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
    // A pawn on 0x89, covered by the dragon, would leave Man no answer.
    const Pos p = Sfen("6k2/9/9/9/9/9/7+r1/9/8K w p");
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
    Think t = ThinkOnce(*z, Sfen("4k4/9/9/9/9/9/4p4/9/4K4 w g"), 1);
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
