// The squares a piece reaches, each as 10 * column + row, in any order. The
// legal moves of every piece in play are checked against the protocol's rules
// by LegalMarks; these rows hold the edges and the moves that are listed
// though they leave the king in check.
#include "docfixture.h"

#include <gtest/gtest.h>

#include <algorithm>

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
    V v(way, way + num);
    std::sort(v.begin(), v.end());
    return v;
}

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
    {"second player's knight to the last row", "7k1/9/9/9/9/9/4n4/9/1K7 b -", false, 4, 6, {38, 58}},
    {"second player's silver", "7k1/9/9/9/4s4/9/9/9/1K7 b -", false, 4, 4, {55, 45, 35, 53, 33}},
    {"second player's gold", "7k1/9/9/9/4g4/9/9/9/1K7 b -", false, 4, 4, {55, 45, 35, 54, 34, 43}},
    {"promoted pawn", "7k1/9/9/9/4+P4/9/9/9/1K7 b -", false, 4, 4, {33, 43, 53, 34, 54, 45}},
    {"king in the corner keeps opponents only", "kp7/1P7/9/9/9/9/9/9/1K7 b -", false, 0, 0, {1, 11}},
    {"rook", "7k1/9/9/9/4R4/9/9/9/1K7 b -", false, 4, 4,
     {43, 42, 41, 40, 45, 46, 47, 48, 34, 24, 14, 4, 54, 64, 74, 84}},
    {"rays stop at an opponent, before an own piece", "9/9/4p4/9/2P1R2k1/9/4P4/9/1K7 w -", false,
     4, 4, {43, 42, 45, 34, 54, 64, 74}},
    {"horse from the corner", "+B6k1/9/9/9/9/9/9/9/1K7 b -", false, 0, 0,
     {11, 22, 33, 44, 55, 66, 77, 88, 1, 10}},
    {"lance to the last row", "7k1/9/9/9/9/9/3L5/9/1K7 b -", false, 3, 6, {35, 34, 33, 32, 31, 30}},
    {"a move exposing the king is listed", "4r3k/9/9/9/9/9/9/4G4/4K4 b -", false, 4, 7,
     {36, 46, 56, 37, 57}},
};

} // namespace

TEST(Moves, Destinations)
{
    for (const WayCase &c : kWays) {
        SCOPED_TRACE(c.name);
        ShogiDoc doc;
        ASSERT_EQ(SetSfen(doc, c.sfen, c.firstUp), "");
        V want = c.want;
        std::sort(want.begin(), want.end());
        EXPECT_EQ(Way(doc, BYTE(c.x), BYTE(c.y)), want);
    }
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
