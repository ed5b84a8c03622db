#ifndef KORVANE_GLOVAL_H
#define KORVANE_GLOVAL_H

// Document piece code: 100 * property + 10 * owner + kind.
typedef unsigned char BYTE;

BYTE GetKomaProperty(BYTE pk);
BYTE GetWhoseKoma(BYTE pk);
BYTE GetKomaSort(BYTE pk);
BYTE MakePhysicsKoma(BYTE s, BYTE k, BYTE p);
BYTE MakePhysicsPos(BYTE x, BYTE y);

#endif
