#include "boardgeometry.h"

#include <gtest/gtest.h>

namespace {

TEST(Geometry, SizeClassIsTheLargestThatFits)
{
    EXPECT_EQ(ComputeBoardGeometry(1210, 840, false).sizeClass, 0);
    EXPECT_EQ(ComputeBoardGeometry(1209, 840, false).sizeClass, 1);
    EXPECT_EQ(ComputeBoardGeometry(1210, 839, false).sizeClass, 1);
    EXPECT_EQ(ComputeBoardGeometry(976, 680, false).sizeClass, 1);
    EXPECT_EQ(ComputeBoardGeometry(975, 680, false).sizeClass, 2);
    EXPECT_EQ(ComputeBoardGeometry(634, 450, false).sizeClass, 3);
    // Too small for every class: still class 3, with negative margins.
    const BoardGeometry g = ComputeBoardGeometry(600, 400, false);
    EXPECT_EQ(g.sizeClass, 3);
    EXPECT_EQ(g.w, 33);
    EXPECT_EQ(g.h, 41);
    EXPECT_EQ(g.secondDaiY, -5);
}

TEST(Geometry, StandSlots)
{
    const int w = 65, h = 80, X = 961, Y = 500;
    // Bottom side: bishop and rook on top, pawns alone at the bottom.
    DaiSlot bishop = GetDaiSlot(X, Y, w, h, true, 6);
    EXPECT_EQ(bishop.x1, X + 16);
    EXPECT_EQ(bishop.x2, X + 16 + 97);
    EXPECT_EQ(bishop.y, Y);
    DaiSlot rook = GetDaiSlot(X, Y, w, h, true, 7);
    EXPECT_EQ(rook.x1, int(X + 16 + 97.5));
    EXPECT_EQ(rook.y, Y);
    DaiSlot pawn = GetDaiSlot(X, Y, w, h, true, 1);
    EXPECT_EQ(pawn.x1, X + 16);
    EXPECT_EQ(pawn.x2, X + 16 + 195);
    EXPECT_EQ(pawn.y, Y + 3 * h);
    // Top side: turned a half turn.
    EXPECT_EQ(GetDaiSlot(X, Y, w, h, false, 1).y, Y);
    EXPECT_EQ(GetDaiSlot(X, Y, w, h, false, 3).x1, X + 16);
    EXPECT_EQ(GetDaiSlot(X, Y, w, h, false, 2).x1, rook.x1);
    EXPECT_EQ(GetDaiSlot(X, Y, w, h, false, 7).y, Y + 3 * h);
    EXPECT_EQ(GetDaiSlot(X, Y, w, h, false, 6).x1, rook.x1);
}

TEST(Geometry, PiecesInAStandSlot)
{
    int xs[7];
    GetDaiX(100, 295, 65, 1, xs);
    EXPECT_EQ(xs[0], 100 + 97 - 32) << "one piece is centred";
    GetDaiX(100, 295, 65, 7, xs);
    EXPECT_EQ(xs[0], 230) << "the first at the right end";
    for (int i = 1; i < 7; ++i)
        EXPECT_EQ(xs[i - 1] - xs[i], 130 / 6) << "evenly overlapping";
    EXPECT_GE(xs[6], 100);
}

TEST(Geometry, SpriteByCodeAndOrientation)
{
    EXPECT_EQ(KomaSprite(0, true, 111, false), QPoint(130, 0));
    EXPECT_EQ(KomaSprite(0, true, 121, false), QPoint(130, 80)) << "upside down";
    EXPECT_EQ(KomaSprite(0, true, 121, true), QPoint(130, 0));
    EXPECT_EQ(KomaSprite(1, true, 118, false), QPoint(7 * 52 + 104, 160));
    EXPECT_EQ(KomaSprite(2, false, 226, false), QPoint(588, 812)) << "horse, one character";
    EXPECT_EQ(KomaSprite(3, true, 217, true), QPoint(495, 433)) << "dragon of the top side";
    EXPECT_EQ(KomaSprite(3, false, 214, false), QPoint(429, 864)) << "promoted silver";
    EXPECT_EQ(KomaOrientation(111, false), 0);
    EXPECT_EQ(KomaOrientation(111, true), 1);
}

} // namespace
