// Destination lists, in exact order: each square as 10 * column + row.
#include "docfixture.h"

#include <gtest/gtest.h>

namespace {

using V = std::vector<int>;

V Way(ShogiDoc &doc, BYTE x, BYTE y)
{
    BYTE way[32];
    for (BYTE &w : way)
        w = 0xEE;
    BYTE num = 77;
    const bool r = doc.GetWay(x, y, doc.GetBoardInfo(x, y), num, way);
    EXPECT_EQ(r, num != 0);
    EXPECT_LE(num, 20);
    return V(way, way + num);
}

const V kGoldUp{33, 43, 53, 34, 54, 45}, kGoldDown{55, 45, 35, 54, 34, 43};

// The piece on (x, y) of the diagram; kings stand aside at (1, 8) and (7, 0)
// unless they are what is moved.
const struct WayCase
{
    const char *name, *sfen;
    bool firstUp;
    int x, y;
    V want;
} kWays[] = {
    {"pawn blocked by its own piece", "3G3k1/3P5/9/9/9/9/9/9/1K7 b -", false, 3, 1, {}},
    {"pawn captures ahead", "3g3k1/3P5/9/9/9/9/9/9/1K7 b -", false, 3, 1, {30}},
    {"second player's pawn steps down", "7k1/9/9/9/9/5p3/9/9/1K7 b -", false, 5, 5, {56}},
    {"first player at the top moves down", "1K7/9/9/9/4P4/9/9/9/7k1 b -", true, 4, 4, {45}},
    {"second player at the bottom moves up", "1K7/9/9/9/6p2/9/9/9/7k1 b -", true, 2, 4, {23}},
    {"knight from the edge", "7k1/9/N8/9/9/9/9/9/1K7 b -", false, 0, 2, {10}},
    {"knight in the open", "7k1/9/9/9/4N4/9/9/9/1K7 b -", false, 4, 4, {32, 52}},
    {"second player's knight to the last row", "7k1/9/9/9/9/9/4n4/9/1K7 b -", false, 4, 6, {38, 58}},
    {"knight captures", "7k1/9/9/8n/9/7P1/9/9/1K7 b -", false, 8, 3, {75}},
    {"knight blocked by its own piece", "7k1/9/9/8n/9/7p1/9/9/1K7 b -", false, 8, 3, {}},
    {"silver", "7k1/9/9/9/4S4/9/9/9/1K7 b -", false, 4, 4, {33, 43, 53, 35, 55}},
    {"second player's silver", "7k1/9/9/9/4s4/9/9/9/1K7 b -", false, 4, 4, {55, 45, 35, 53, 33}},
    {"gold", "7k1/9/9/9/4G4/9/9/9/1K7 b -", false, 4, 4, kGoldUp},
    {"second player's gold", "7k1/9/9/9/4g4/9/9/9/1K7 b -", false, 4, 4, kGoldDown},
    {"promoted pawn", "7k1/9/9/9/4+P4/9/9/9/1K7 b -", false, 4, 4, kGoldUp},
    {"promoted lance", "7k1/9/9/9/4+L4/9/9/9/1K7 b -", false, 4, 4, kGoldUp},
    {"promoted knight", "7k1/9/9/9/4+N4/9/9/9/1K7 b -", false, 4, 4, kGoldUp},
    {"promoted silver", "7k1/9/9/9/4+S4/9/9/9/1K7 b -", false, 4, 4, kGoldUp},
    {"second player's promoted pawn", "7k1/9/9/9/4+p4/9/9/9/1K7 b -", false, 4, 4, kGoldDown},
    {"second player's promoted lance", "7k1/9/9/9/4+l4/9/9/9/1K7 b -", false, 4, 4, kGoldDown},
    {"second player's promoted knight", "7k1/9/9/9/4+n4/9/9/9/1K7 b -", false, 4, 4, kGoldDown},
    {"second player's promoted silver", "7k1/9/9/9/4+s4/9/9/9/1K7 b -", false, 4, 4, kGoldDown},
    {"king", "7k1/9/9/9/4K4/9/9/9/9 b -", false, 4, 4, {33, 43, 53, 34, 54, 45, 35, 55}},
    {"second player's king", "9/9/9/9/4k4/9/9/9/1K7 b -", false, 4, 4,
     {33, 43, 53, 34, 54, 45, 35, 55}},
    {"king in the corner keeps opponents only", "kp7/1P7/9/9/9/9/9/9/1K7 b -", false, 0, 0, {1, 11}},
    {"rook", "7k1/9/9/9/4R4/9/9/9/1K7 b -", false, 4, 4,
     {43, 42, 41, 40, 45, 46, 47, 48, 34, 24, 14, 4, 54, 64, 74, 84}},
    {"second player's rook", "7k1/9/9/9/4r4/9/9/9/1K7 b -", false, 4, 4,
     {43, 42, 41, 40, 45, 46, 47, 48, 34, 24, 14, 4, 54, 64, 74, 84}},
    {"rays stop at an opponent, before an own piece", "9/9/4p4/9/2P1R2k1/9/4P4/9/1K7 w -", false,
     4, 4, {43, 42, 45, 34, 54, 64, 74}},
    {"horse from the corner", "+B6k1/9/9/9/9/9/9/9/1K7 b -", false, 0, 0,
     {11, 22, 33, 44, 55, 66, 77, 88, 1, 10}},
    {"bishop", "7k1/9/9/9/4B4/9/9/9/1K7 b -", false, 4, 4,
     {33, 22, 11, 0, 53, 62, 71, 80, 35, 26, 17, 8, 55, 66, 77, 88}},
    {"lance to the last row", "7k1/9/9/9/9/9/3L5/9/1K7 b -", false, 3, 6, {35, 34, 33, 32, 31, 30}},
    {"lance captures", "7k1/9/9/9/9/3p5/3L5/9/1K7 b -", false, 3, 6, {35}},
    {"lance blocked", "7k1/9/9/9/9/3P5/3L5/9/1K7 b -", false, 3, 6, {}},
    {"second player's lance", "7k1/9/3l5/9/9/9/3L5/9/1K7 b -", false, 3, 2, {33, 34, 35, 36}},
    {"a move exposing the king is listed", "4r3k/9/9/9/9/9/9/4G4/4K4 b -", false, 4, 7,
     {36, 46, 56, 37, 57}},
};

} // namespace

TEST(Moves, DestinationsInOrder)
{
    for (const WayCase &c : kWays) {
        SCOPED_TRACE(c.name);
        ShogiDoc doc;
        ASSERT_EQ(SetSfen(doc, c.sfen, c.firstUp), "");
        EXPECT_EQ(Way(doc, BYTE(c.x), BYTE(c.y)), c.want);
    }
}

TEST(Moves, PromotedRangersAddTheKingSteps)
{
    ShogiDoc doc;
    ASSERT_EQ(SetSfen(doc, "7k1/9/9/9/4+b4/9/9/9/1K7 b -"), "");
    const V horse = Way(doc, 4, 4);
    ASSERT_EQ(horse.size(), 20u);
    EXPECT_EQ(V(horse.end() - 4, horse.end()), (V{43, 45, 34, 54}));
    ASSERT_EQ(SetSfen(doc, "7k1/9/9/9/4+R4/9/9/9/1K7 b -"), "");
    const V dragon = Way(doc, 4, 4);
    ASSERT_EQ(dragon.size(), 20u);
    EXPECT_EQ(V(dragon.end() - 4, dragon.end()), (V{33, 53, 35, 55}));
}

TEST(Moves, EnableMoveAndOtherCodes)
{
    ShogiDoc doc;
    doc.Init();
    EXPECT_FALSE(doc.EnableMove(255, 4, 0, 6));
    EXPECT_FALSE(doc.EnableMove(4, 9, 4, 6));
    EXPECT_TRUE(doc.EnableMove(4, 5, 4, 6));
    EXPECT_FALSE(doc.EnableMove(5, 6, 4, 6)); // own pawn
    EXPECT_TRUE(doc.EnableMove(4, 2, 4, 6));  // opponent's pawn
    BYTE way[32];
    for (const auto &[x, code] : {std::pair<BYTE, BYTE>{4, 0}, {4, 50}, {9, 117}}) {
        BYTE num = 5;
        EXPECT_FALSE(doc.GetWay(x, 4, code, num, way)) << int(code);
        EXPECT_EQ(num, 0);
    }
}
