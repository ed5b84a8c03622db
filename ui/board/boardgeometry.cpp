#include "boardgeometry.h"

#include "komasheet.h"

BoardGeometry ComputeBoardGeometry(int W, int H, bool firstUp)
{
    BoardGeometry g;
    for (int i = 3; i >= 0; --i) {
        const KomaSize s = BMPSIZE[i];
        if ((9 * s.width + 20) * 2 > W || (5 * s.height + 20) * 2 > H)
            break;
        g.sizeClass = i;
    }
    const int w = BMPSIZE[g.sizeClass].width, h = BMPSIZE[g.sizeClass].height;
    g.w = w;
    g.h = h;
    const int x0 = (W - 18 * w) / 2, y0 = (H - 10 * h) / 2;
    g.daiWidth = int(3.5 * w);
    g.daiHeight = 4 * h;
    g.startX1 = x0 + g.daiWidth + int(0.5 * w);
    g.startY1 = y0;
    g.startX2 = g.startX1 + int(0.5 * w);
    g.startY2 = g.startY1 + int(0.5 * h);
    // The stand of the side at the top sits at the top left, the other at the
    // bottom right.
    const int lowX = int(10.5 * w) + g.startX1, lowY = 10 * h + g.startY1 - g.daiHeight;
    if (!firstUp) {
        g.secondDaiX = x0;
        g.secondDaiY = y0;
        g.firstDaiX = lowX;
        g.firstDaiY = lowY;
    } else {
        g.firstDaiX = x0;
        g.firstDaiY = y0;
        g.secondDaiX = lowX;
        g.secondDaiY = lowY;
    }
    return g;
}

DaiSlot GetDaiSlot(int X, int Y, int w, int h, bool bottom, BYTE kind)
{
    const int q = w / 4;
    const int left = X + q;
    const int right = int(X + q + 1.5 * w);
    // Row and half (0 left, 1 right, 2 the whole width) of each kind, pawn ..
    // rook, on the bottom side's stand; the top side's is turned round.
    static const int bottomRow[7] = {3, 2, 2, 1, 1, 0, 0};
    static const int bottomHalf[7] = {2, 0, 1, 0, 1, 0, 1};
    static const int topRow[7] = {0, 1, 1, 2, 2, 3, 3};
    static const int topHalf[7] = {2, 1, 0, 1, 0, 1, 0};
    if (kind < 1 || kind > 7)
        return {0, 0, 0};
    const int row = bottom ? bottomRow[kind - 1] : topRow[kind - 1];
    const int half = bottom ? bottomHalf[kind - 1] : topHalf[kind - 1];
    DaiSlot s;
    s.y = Y + row * h;
    if (half == 2) {
        s.x1 = left;
        s.x2 = left + 3 * w;
    } else {
        s.x1 = half == 0 ? left : right;
        s.x2 = int(s.x1 + 1.5 * w);
    }
    return s;
}

void GetDaiX(int x1, int x2, int w, int n, int out[])
{
    if (n == 1) {
        out[0] = x1 + (x2 - x1) / 2 - w / 2;
        return;
    }
    for (int i = 0; i < n; ++i)
        out[i] = (x2 - w) - ((x2 - x1 - w) / (n - 1)) * i;
}

int KomaOrientation(BYTE code, bool firstUp)
{
    const BYTE owner = GetWhoseKoma(code);
    const bool bottom = (owner == 1 && !firstUp) || (owner == 2 && firstUp);
    return bottom ? 0 : 1;
}

QPoint KomaSprite(int sizeClass, bool standard, BYTE code, bool firstUp)
{
    const int property = GetKomaProperty(code), kind = GetKomaSort(code);
    if (sizeClass < 0 || sizeClass > 3 || property < 1 || property > 2 || kind < 1 || kind > 8)
        return QPoint(1050, 0);
    const int index = (property - 1) * 8 + kind - 1;
    const auto &table = standard ? STANDARDKOMA : NOSTANDARDKOMA;
    const KomaPoint p = table[sizeClass][KomaOrientation(code, firstUp)][index];
    return QPoint(p.x, p.y);
}
