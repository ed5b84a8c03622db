#ifndef KORVANE_PRINT_DIAGRAM_H
#define KORVANE_PRINT_DIAGRAM_H

#include "Gloval.h"

#include <QRectF>
#include <QString>

class QPainter;
class ShogiDoc;

// A position as a book diagram shows it, the first player at the bottom.
struct DiagramPosition
{
    BYTE square[9][9] = {};         // [file - 1][rank - 1]: document piece code, 0 empty
    BYTE hand[2][8] = {};           // [order - 1][kind 1..7]: pieces in hand
    int lastFile = 0, lastRank = 0; // the square the last move reached; 0: none
};

// The position shown on the board of doc, with its last move.
DiagramPosition DiagramFromDoc(const ShogiDoc &doc);
// The position the record starts from.
DiagramPosition StartDiagramFromDoc(const ShogiDoc &doc);

// One character per piece, as diagrams print them (promoted: と 杏 圭 全 馬 龍).
QString DiagramPieceText(BYTE code);
// "持駒 飛 角 歩二" style list, strongest piece first; "なし" for none.
QString HandText(const BYTE hand[8]);

// Width : height of a diagram; paint into a rectangle of this shape.
constexpr qreal DiagramAspect = 12.4 / 11.0;
// The rectangle of square (file, rank) in a diagram painted into target.
QRectF DiagramSquareRect(const QRectF &target, int file, int rank);
// The hand column of order 1 (right) or 2 (left).
QRectF DiagramHandRect(const QRectF &target, int order);
// Board, pieces (the second player's upside down), coordinates, hands and
// the last move shaded, black on white, in the Mincho font.
void PaintDiagram(QPainter &p, const QRectF &target, const DiagramPosition &pos);

#endif
