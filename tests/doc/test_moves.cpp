// Destination lists, in exact order.
#include "docfixture.h"

#include <gtest/gtest.h>

namespace {

void Clear(ShogiDoc &doc)
{
    for (BYTE x = 0; x < 9; ++x)
        for (BYTE y = 0; y < 9; ++y)
            doc.DelBoardInfo(x, y);
}

std::vector<int> Way(ShogiDoc &doc, BYTE x, BYTE y, bool *result = nullptr)
{
    BYTE way[32];
    for (BYTE &w : way)
        w = 0xEE;
    BYTE num = 77;
    const bool r = doc.GetWay(x, y, doc.GetBoardInfo(x, y), num, way);
    if (result)
        *result = r;
    EXPECT_EQ(r, num != 0);
    EXPECT_LE(num, 20);
    return std::vector<int>(way, way + num);
}

using V = std::vector<int>;

} // namespace

TEST(Moves, PawnOnTheFarRowHasNoSquare)
{
    ShogiDoc doc;
    Clear(doc);
    doc.SetBoardInfo(4, 0, 111);
    bool r = true;
    EXPECT_EQ(Way(doc, 4, 0, &r), V{});
    EXPECT_FALSE(r);
    doc.SetBoardInfo(3, 1, 111);
    doc.SetBoardInfo(3, 0, 115);
    EXPECT_EQ(Way(doc, 3, 1, &r), V{});
    EXPECT_FALSE(r);
    // Bottom pawn on row 1 with an opponent ahead captures it.
    doc.SetBoardInfo(3, 0, 125);
    EXPECT_EQ(Way(doc, 3, 1), V{30});
    // Top player's pawn moves down; on row 8 it has nothing.
    doc.SetBoardInfo(5, 5, 121);
    EXPECT_EQ(Way(doc, 5, 5), V{56});
    doc.SetBoardInfo(6, 8, 121);
    EXPECT_EQ(Way(doc, 6, 8), V{});
}

TEST(Moves, DirectionFollowsTheOrientation)
{
    ShogiDoc doc;
    doc.SetFirstUp(true);
    Clear(doc);
    doc.SetBoardInfo(4, 4, 111);
    doc.SetBoardInfo(2, 4, 121);
    EXPECT_EQ(Way(doc, 4, 4), V{45});
    EXPECT_EQ(Way(doc, 2, 4), V{23});
}

TEST(Moves, KnightFromTheEdge)
{
    ShogiDoc doc;
    Clear(doc);
    doc.SetBoardInfo(0, 2, 113);
    EXPECT_EQ(Way(doc, 0, 2), V{10});
    doc.SetBoardInfo(4, 4, 113);
    EXPECT_EQ(Way(doc, 4, 4), (V{32, 52}));
    doc.SetBoardInfo(4, 1, 113); // bottom knight on row 1: nowhere
    EXPECT_EQ(Way(doc, 4, 1), V{});
    doc.SetBoardInfo(4, 6, 123); // top knight on row 6 reaches row 8
    EXPECT_EQ(Way(doc, 4, 6), (V{38, 58}));
    doc.SetBoardInfo(4, 7, 123); // on row 7: nowhere
    EXPECT_EQ(Way(doc, 4, 7), V{});
    doc.SetBoardInfo(8, 3, 123);
    EXPECT_EQ(Way(doc, 8, 3), V{75});
    doc.SetBoardInfo(7, 5, 111); // the opponent's piece: a capture
    EXPECT_EQ(Way(doc, 8, 3), V{75});
    doc.SetBoardInfo(7, 5, 121);
    EXPECT_EQ(Way(doc, 8, 3), V{});
}

TEST(Moves, SilverGoldKingOrder)
{
    ShogiDoc doc;
    Clear(doc);
    doc.SetBoardInfo(4, 4, 114);
    EXPECT_EQ(Way(doc, 4, 4), (V{33, 43, 53, 35, 55}));
    doc.SetBoardInfo(4, 4, 124);
    EXPECT_EQ(Way(doc, 4, 4), (V{55, 45, 35, 53, 33}));
    doc.SetBoardInfo(4, 4, 115);
    EXPECT_EQ(Way(doc, 4, 4), (V{33, 43, 53, 34, 54, 45}));
    doc.SetBoardInfo(4, 4, 125);
    EXPECT_EQ(Way(doc, 4, 4), (V{55, 45, 35, 54, 34, 43}));
    for (BYTE code : {BYTE(118), BYTE(128)}) {
        doc.SetBoardInfo(4, 4, code);
        EXPECT_EQ(Way(doc, 4, 4), (V{33, 43, 53, 34, 54, 45, 35, 55}));
    }
    // Promoted pawn, lance, knight, silver move like a gold.
    for (BYTE code : {BYTE(211), BYTE(212), BYTE(213), BYTE(214)}) {
        doc.SetBoardInfo(4, 4, code);
        EXPECT_EQ(Way(doc, 4, 4), (V{33, 43, 53, 34, 54, 45})) << int(code);
    }
    for (BYTE code : {BYTE(221), BYTE(222), BYTE(223), BYTE(224)}) {
        doc.SetBoardInfo(4, 4, code);
        EXPECT_EQ(Way(doc, 4, 4), (V{55, 45, 35, 54, 34, 43})) << int(code);
    }
    // King in the corner; own pieces are left out, opponents kept.
    Clear(doc);
    doc.SetBoardInfo(0, 0, 128);
    doc.SetBoardInfo(1, 0, 121);
    doc.SetBoardInfo(1, 1, 111);
    EXPECT_EQ(Way(doc, 0, 0), (V{1, 11}));
}

TEST(Moves, RookOnAnEmptyBoard)
{
    for (BYTE code : {BYTE(117), BYTE(127)}) {
        ShogiDoc doc;
        Clear(doc);
        doc.SetBoardInfo(4, 4, code);
        EXPECT_EQ(Way(doc, 4, 4),
                  (V{43, 42, 41, 40, 45, 46, 47, 48, 34, 24, 14, 4, 54, 64, 74, 84}));
    }
}

TEST(Moves, BishopAndPromotedPieces)
{
    ShogiDoc doc;
    Clear(doc);
    doc.SetBoardInfo(0, 0, 216);
    EXPECT_EQ(Way(doc, 0, 0), (V{11, 22, 33, 44, 55, 66, 77, 88, 1, 10}));
    Clear(doc);
    doc.SetBoardInfo(4, 4, 116);
    EXPECT_EQ(Way(doc, 4, 4), (V{33, 22, 11, 0, 53, 62, 71, 80, 35, 26, 17, 8, 55, 66, 77, 88}));
    doc.SetBoardInfo(4, 4, 226);
    const V horse = Way(doc, 4, 4);
    EXPECT_EQ(horse.size(), 20u);
    EXPECT_EQ(V(horse.end() - 4, horse.end()), (V{43, 45, 34, 54}));
    doc.SetBoardInfo(4, 4, 217);
    const V dragon = Way(doc, 4, 4);
    EXPECT_EQ(dragon.size(), 20u);
    EXPECT_EQ(V(dragon.end() - 4, dragon.end()), (V{33, 53, 35, 55}));
    // Blocked rays: an opponent is included and stops the ray, an own piece not.
    doc.SetBoardInfo(4, 4, 117);
    doc.SetBoardInfo(4, 2, 121);
    doc.SetBoardInfo(4, 6, 111);
    doc.SetBoardInfo(2, 4, 111);
    doc.SetBoardInfo(7, 4, 128);
    EXPECT_EQ(Way(doc, 4, 4), (V{43, 42, 45, 34, 54, 64, 74}));
}

TEST(Moves, LanceBlocked)
{
    ShogiDoc doc;
    Clear(doc);
    doc.SetBoardInfo(3, 6, 112);
    doc.SetBoardInfo(3, 5, 121);
    EXPECT_EQ(Way(doc, 3, 6), V{35});
    doc.SetBoardInfo(3, 5, 111);
    EXPECT_EQ(Way(doc, 3, 6), V{});
    doc.DelBoardInfo(3, 5);
    EXPECT_EQ(Way(doc, 3, 6), (V{35, 34, 33, 32, 31, 30}));
    doc.SetBoardInfo(3, 2, 122);
    EXPECT_EQ(Way(doc, 3, 2), (V{33, 34, 35, 36}));
}

TEST(Moves, MoveExposingTheKingIsStillListed)
{
    ShogiDoc doc;
    Clear(doc);
    doc.SetBoardInfo(4, 8, 118);
    doc.SetBoardInfo(4, 7, 115);
    doc.SetBoardInfo(4, 0, 127);
    EXPECT_EQ(Way(doc, 4, 7), (V{36, 46, 56, 37, 57}));
}

TEST(Moves, EnableMove)
{
    ShogiDoc doc;
    doc.Init();
    EXPECT_FALSE(doc.EnableMove(255, 4, 0, 6));
    EXPECT_FALSE(doc.EnableMove(4, 9, 4, 6));
    EXPECT_TRUE(doc.EnableMove(4, 5, 4, 6));
    EXPECT_FALSE(doc.EnableMove(5, 6, 4, 6)); // own pawn
    EXPECT_TRUE(doc.EnableMove(4, 2, 4, 6));  // opponent's pawn
}

TEST(Moves, GetWayOtherCodes)
{
    ShogiDoc doc;
    doc.Init();
    BYTE way[32];
    BYTE num = 5;
    EXPECT_FALSE(doc.GetWay(4, 4, 0, num, way));
    EXPECT_EQ(num, 0);
    num = 5;
    EXPECT_FALSE(doc.GetWay(4, 4, 50, num, way));
    EXPECT_EQ(num, 0);
    num = 5;
    EXPECT_FALSE(doc.GetWay(9, 4, 117, num, way));
    EXPECT_EQ(num, 0);
}
