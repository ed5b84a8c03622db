// The squares a piece reaches, each as 10 * column + row, in any order (none
// for an empty square, another code or a square off the board). The
// legal moves of every piece in play, in both orientations, are checked
// against the protocol's rules by LegalMarks; these rows hold corners and
// edges random games seldom reach, and a move listed though it leaves the
// king in check.
#include "docfixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using V = std::vector<int>;

// code: the piece code handed in, when not the square's.
V Way(ShogiDoc &doc, BYTE x, BYTE y, int code)
{
    BYTE way[32];
    for (BYTE &w : way)
        w = 0xEE;
    BYTE num = 77;
    const bool r = doc.GetWay(x, y, BYTE(code < 0 ? doc.GetBoardInfo(x, y) : code), num, way);
    EXPECT_EQ(r, num != 0);
    EXPECT_LE(num, 20);
    V v(way, way + std::min<int>(num, 20));
    std::sort(v.begin(), v.end());
    return v;
}

// The piece on (x, y) of the diagram; kings stand aside at (1, 8) and (7, 0)
// unless they are what is moved.
const struct WayCase
{
    const char *name, *sfen;
    int x, y;
    V want;
    int code = -1;
} kWays[] = {
    {"knight from the edge", "7k1/9/N8/9/9/9/9/9/1K7 b -", 0, 2, {10}},
    {"second player's knight to the last row", "7k1/9/9/9/9/9/4n4/9/1K7 b -", 4, 6, {38, 58}},
    {"king in the corner keeps opponents only", "kp7/1P7/9/9/9/9/9/9/1K7 b -", 0, 0, {1, 11}},
    {"horse from the corner", "+B6k1/9/9/9/9/9/9/9/1K7 b -", 0, 0,
     {11, 22, 33, 44, 55, 66, 77, 88, 1, 10}},
    {"a move exposing the king is listed", "4r3k/9/9/9/9/9/9/4G4/4K4 b -", 4, 7,
     {36, 46, 56, 37, 57}},
    {"an empty square", "7k1/9/9/9/9/9/9/9/1K7 b -", 4, 4, {}},
    {"the resignation marker", "7k1/9/9/9/9/9/9/9/1K7 b -", 4, 4, {}, 50},
    {"off the board", "7k1/9/9/9/9/9/9/9/1K7 b -", 9, 4, {}, 117},
};

} // namespace

TEST(Moves, Destinations)
{
    for (const WayCase &c : kWays) {
        SCOPED_TRACE(c.name);
        ShogiDoc doc;
        ASSERT_EQ(SetSfen(doc, c.sfen), "");
        V want = c.want;
        std::sort(want.begin(), want.end());
        EXPECT_EQ(Way(doc, BYTE(c.x), BYTE(c.y), c.code), want);
    }
}
