#include "cplayer.h"
#include "moverules.h"
#include "shogidoc.h"

#include <gtest/gtest.h>

namespace {

// The published move counts of the even game, each promotion choice counted.
TEST(Perft, EvenGameShallow)
{
    ShogiDoc doc;
    doc.Init();
    EXPECT_EQ(MoveRules::Perft(doc, 1, 1), 30u);
    EXPECT_EQ(MoveRules::Perft(doc, 1, 2), 900u);
    EXPECT_EQ(MoveRules::Perft(doc, 1, 3), 25470u);
}

TEST(Perft, EvenGameDepthFour)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "too slow under the sanitizers";
#endif
    ShogiDoc doc;
    doc.Init();
    EXPECT_EQ(MoveRules::Perft(doc, 1, 4), 719731u);
}

// The count does not depend on which side is drawn at the bottom, and the
// search leaves the position as it found it.
TEST(Perft, TurnedBoardAndRestoredPosition)
{
    ShogiDoc doc;
    doc.SetFirstUp(true);
    doc.Init();
    EXPECT_EQ(MoveRules::Perft(doc, 1, 3), 25470u);
    ShogiDoc fresh;
    fresh.SetFirstUp(true);
    fresh.Init();
    for (BYTE x = 0; x < 9; ++x)
        for (BYTE y = 0; y < 9; ++y)
            EXPECT_EQ(doc.GetBoardInfo(x, y), fresh.GetBoardInfo(x, y));
    for (BYTE k = 1; k <= 7; ++k) {
        EXPECT_EQ(doc.GetFirstPlayer()->GetDaiNum(k), 0);
        EXPECT_EQ(doc.GetSecondPlayer()->GetDaiNum(k), 0);
    }
}

class Rules : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (BYTE x = 0; x < 9; ++x)
            for (BYTE y = 0; y < 9; ++y)
                doc.DelBoardInfo(x, y);
        doc.SetBoardInfo(4, 8, 118); // first player's king, bottom
        doc.SetBoardInfo(4, 0, 128); // second player's king, top
    }
    ShogiDoc doc;
};

TEST_F(Rules, PinnedPieceMayOnlyMoveAlongThePin)
{
    doc.SetBoardInfo(4, 6, 114); // silver pinned by the rook on (4, 2)
    doc.SetBoardInfo(4, 2, 127);
    EXPECT_FALSE(MoveRules::IsLegalMove(doc, 4, 6, 3, 5));
    EXPECT_TRUE(MoveRules::IsLegalMove(doc, 4, 6, 4, 5));
    EXPECT_TRUE(MoveRules::IsLegalMove(doc, 4, 8, 3, 8));
    EXPECT_FALSE(MoveRules::IsLegalMove(doc, 4, 8, 2, 8)) << "not a king step";
    EXPECT_EQ(doc.GetBoardInfo(4, 6), 114);
    EXPECT_EQ(doc.GetBoardInfo(4, 2), 127);
    doc.DelBoardInfo(4, 6);
    EXPECT_FALSE(MoveRules::IsLegalMove(doc, 4, 8, 4, 7)) << "king steps along the rook's file";
    EXPECT_TRUE(MoveRules::IsKingAttacked(doc, 1));
    EXPECT_FALSE(MoveRules::IsKingAttacked(doc, 2));
}

TEST_F(Rules, DropRefusals)
{
    doc.SetBoardInfo(2, 6, 111); // a pawn of the first player
    doc.SetBoardInfo(5, 6, 211); // a promoted one, which no longer counts
    EXPECT_EQ(MoveRules::CheckDrop(doc, 2, 4, 111), MoveRules::DropTwoPawns);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 5, 4, 111), MoveRules::DropOk);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 4, 1, 111), MoveRules::DropOk) << "check, not mate";
    EXPECT_EQ(MoveRules::CheckDrop(doc, 3, 0, 111), MoveRules::DropDeadSquare);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 3, 0, 112), MoveRules::DropDeadSquare);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 3, 1, 113), MoveRules::DropDeadSquare);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 3, 2, 113), MoveRules::DropOk);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 3, 1, 112), MoveRules::DropOk);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 4, 8, 115), MoveRules::DropOccupied);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 9, 3, 115), MoveRules::DropOccupied);
    // The second player drops towards the bottom: its last row is 8.
    EXPECT_EQ(MoveRules::CheckDrop(doc, 0, 8, 121), MoveRules::DropDeadSquare);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 4, 7, 121), MoveRules::DropOk);
    // Hemmed in by its own lances, the golds holding the rest: no answer.
    doc.SetBoardInfo(3, 0, 122);
    doc.SetBoardInfo(5, 0, 122);
    doc.SetBoardInfo(3, 2, 115);
    doc.SetBoardInfo(5, 2, 115);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 4, 1, 111), MoveRules::DropPawnMate);
    EXPECT_EQ(doc.GetBoardInfo(4, 1), 0);
    // A drop that leaves the dropper in check.
    doc.SetBoardInfo(4, 4, 227);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 0, 4, 115), MoveRules::DropKingAttacked);
    EXPECT_EQ(MoveRules::CheckDrop(doc, 4, 6, 115), MoveRules::DropOk) << "interposes";
    EXPECT_EQ(doc.GetBoardInfo(4, 6), 0);
}

TEST_F(Rules, PromotionWhenTheMoveStartsOrEndsInTheZone)
{
    const struct
    {
        BYTE code, from, to;
        bool firstUp;
        MoveRules::Promotion want;
    } rows[] = {
        {111, 1, 0, false, MoveRules::MustPromote}, {111, 2, 1, false, MoveRules::MayPromote},
        {112, 3, 0, false, MoveRules::MustPromote}, {113, 3, 1, false, MoveRules::MustPromote},
        {113, 4, 2, false, MoveRules::MayPromote},  {114, 4, 3, false, MoveRules::NoPromotion},
        {114, 2, 3, false, MoveRules::MayPromote}, // a silver stepping back out of the zone
        {116, 1, 5, false, MoveRules::MayPromote}, // a bishop leaving the zone far
        {115, 0, 0, false, MoveRules::NoPromotion}, {118, 1, 0, false, MoveRules::NoPromotion},
        {216, 1, 0, false, MoveRules::NoPromotion}, {123, 6, 7, false, MoveRules::MustPromote},
        {124, 6, 5, false, MoveRules::MayPromote},  {126, 4, 5, false, MoveRules::NoPromotion},
        {111, 7, 8, true, MoveRules::MustPromote},  {111, 1, 0, true, MoveRules::NoPromotion},
        {114, 6, 5, true, MoveRules::MayPromote},
    };
    for (const auto &r : rows) {
        doc.SetFirstUp(r.firstUp);
        EXPECT_EQ(MoveRules::PromotionFor(doc, r.code, r.from, r.to), r.want)
            << int(r.code) << " " << int(r.from) << "->" << int(r.to);
    }
}

TEST_F(Rules, DropsComeFromTheHandOnly)
{
    std::vector<MoveRules::Move> moves;
    MoveRules::GenerateMoves(doc, 1, moves);
    const size_t kingOnly = moves.size();
    EXPECT_EQ(kingOnly, 5u);
    doc.GetFirstPlayer()->AddKoma(5); // a gold in hand: every empty square
    moves.clear();
    MoveRules::GenerateMoves(doc, 1, moves);
    EXPECT_EQ(moves.size(), kingOnly + 79);
    MoveRules::MakeMove(doc, moves.back());
    EXPECT_EQ(doc.GetFirstPlayer()->GetDaiNum(5), 0);
    MoveRules::UnmakeMove(doc, moves.back());
    EXPECT_EQ(doc.GetFirstPlayer()->GetDaiNum(5), 1);
}

} // namespace
