#ifndef KORVANE_GLOVAL_H
#define KORVANE_GLOVAL_H

#include <QString>

// Document piece code: 100 * property + 10 * owner + kind.
typedef unsigned char BYTE;

BYTE GetKomaProperty(BYTE pk);
BYTE GetWhoseKoma(BYTE pk);
BYTE GetKomaSort(BYTE pk);
BYTE MakePhysicsKoma(BYTE s, BYTE k, BYTE p);
BYTE MakePhysicsPos(BYTE x, BYTE y);

// Kanji numeral JC_Num1 .. JC_Num19 for n = 1..19; any other n leaves s as it was.
void ConvertJapan(int n, QString &s);
// Clock text: each number "%d", a one-character result given a leading "0",
// joined with ":" (62, 5 -> "62:05").
QString GetViewTime(int minute, int second);

#endif
