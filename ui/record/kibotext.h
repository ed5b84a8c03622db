#ifndef KORVANE_KIBOTEXT_H
#define KORVANE_KIBOTEXT_H

#include <QString>
#include <QVector>

class ShogiDoc;

// The texts of one row of the record window, kept apart from the widgets so
// that the notation can be checked on its own.
struct KiboRowText
{
    QString sign;   // ▲ sente (下手), △ gote (上手)
    QString number; // move number
    QString move;   // in the notation shown: ７六歩, 同歩, ５八金右, ２二角成, 投了; or P-7f, Bx2b+
    QString time;   // mm:ss the move took; empty for a resignation
};

// Every row of the document's record, in standard coordinates whichever way
// the board is turned.
QVector<KiboRowText> GetKiboRows(const ShogiDoc &doc);

// Scrolling row p of 20-pixel rows into a band [cy, cy + vh): the content y
// to put at the top, or -1 when the row is fully visible.
int KiboScrollTarget(int p, int cy, int vh);

#endif
