#ifndef KORVANE_KIBOTEXT_H
#define KORVANE_KIBOTEXT_H

#include "Gloval.h"

#include <QString>
#include <QVector>

struct KIBO;

// The texts of one row of the record window, kept apart from the widgets so
// that the notation can be checked on its own.
struct KiboRowText
{
    QString sign;   // ▲ first player, △ second player
    QString number; // move number
    QString move;   // e.g. 7六歩, 同歩, 2二角成, 3三銀不成, 投了
    QString time;   // mm:ss the move took; empty for a resignation
};

// Row i (1 = the first move) of record; firstUp: the first player sits at the
// top, so files and ranks are read from the other side.
KiboRowText GetKiboRowText(const QVector<KIBO> &record, int i, bool firstUp);

// Piece name of a document piece code (kind and promotion; owner ignored).
QString GetKomaText(BYTE code);

// An unpromoted pawn, lance, knight, silver, bishop or rook arriving on rank
// (1..9, from the first player's far side) of its owner's promotion zone.
bool IsNotSong(BYTE code, int file, int rank);

// Scrolling row p of 20-pixel rows into a band [cy, cy + vh): the content y
// to put at the top, or -1 when the row is fully visible.
int KiboScrollTarget(int p, int cy, int vh);

#endif
