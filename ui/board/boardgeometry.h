#ifndef KORVANE_BOARDGEOMETRY_H
#define KORVANE_BOARDGEOMETRY_H

#include "Gloval.h"

#include <QPoint>

// Where everything of the board widget lies for one widget size: the size
// class (0 largest .. 3), the cell, the board picture and grid origins and
// the two stands.
struct BoardGeometry
{
    int sizeClass = 3;
    int w = 0, h = 0;             // cell = sprite size
    int startX1 = 0, startY1 = 0; // board picture, 10 x 10 cells
    int startX2 = 0, startY2 = 0; // grid, half a cell inside the picture
    int daiWidth = 0, daiHeight = 0;
    int firstDaiX = 0, firstDaiY = 0;
    int secondDaiX = 0, secondDaiY = 0;
};

// The largest size class whose board and stands fit in width x height (class
// 3 when none fits) and the layout around it.
BoardGeometry ComputeBoardGeometry(int width, int height, bool firstUp);

// One stand slot: pieces of a kind lie between x1 and x2 on the row at y.
struct DaiSlot
{
    int x1, x2, y;
};
// The slot of kind 1..7 on a stand at (daiX, daiY); bottom: the stand of the
// side drawn at the bottom (the other one is turned a half turn).
DaiSlot GetDaiSlot(int daiX, int daiY, int w, int h, bool bottom, BYTE kind);
// x of each of n pieces in a slot: one centred, more overlapping from the
// right end leftwards.
void GetDaiX(int x1, int x2, int w, int n, int out[]);

// Top-left of the sprite of a piece in the sheet. Orientation 0 (upright) for
// the side drawn at the bottom.
QPoint KomaSprite(int sizeClass, bool standard, BYTE code, bool firstUp);
int KomaOrientation(BYTE code, bool firstUp);

#endif
