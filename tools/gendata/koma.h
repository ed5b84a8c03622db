#ifndef KORVANE_GENDATA_KOMA_H
#define KORVANE_GENDATA_KOMA_H

#include <QImage>
#include <QSizeF>
#include <QString>
#include <cstdint>

struct PieceLook
{
    QString face;          // one or two characters, top to bottom
    QString letter;        // Western letter under a one-character face, or empty
    bool promoted = false; // red lacquer instead of black ink
    QSizeF size;           // outline of the piece in pixels, base width by height
    bool halfTurn = false; // turned toward the player at the top
    std::uint64_t woodSeed = 1;
};

// One boxwood piece centred on a transparent canvas, lit from the top left
// whichever way it faces.
QImage paintPiece(const PieceLook &look, QSize canvas);

// The flat colour around every sprite; the program's heuristic mask removes it.
QColor komaBackground();

// The whole sprite sheet in the layout of komasheet.h; western: every piece
// shows its one-character face with its Western letter under it, in both sets.
QImage paintKomaSheet(bool western = false);

#endif
