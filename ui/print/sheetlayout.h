#ifndef KORVANE_PRINT_SHEETLAYOUT_H
#define KORVANE_PRINT_SHEETLAYOUT_H

#include <QString>
#include <QVector>

class QFont;

// Where the rows of a record sheet go: the first page carries the heading
// (and the start diagram when there is one), every page a page number, and
// the rows run down one column of moves and on into the next.
// Lengths in millimetres.
struct SheetGeometry
{
    qreal pageWidth = 190, pageHeight = 277; // the printable area
    qreal headerHeight = 44;                 // title and the box of game data
    qreal diagramHeight = 84;                // start diagram and its caption
    qreal footerHeight = 8;                  // page number
    qreal rowHeight = 6;                     // one move; the column heading too
    qreal columnWidth = 90;                  // number, move, time, total
    qreal columnGap = 10;
};

struct SheetPage
{
    int firstRow = 0, rowCount = 0;
    int columns = 0, rowsPerColumn = 0;
    bool header = false, diagram = false;
    qreal movesTop = 0; // top of the column headings
};

// Pages for rows rows, at least one; every row on exactly one page, in
// order. A page too small for a row still takes one per column.
QVector<SheetPage> PlanSheet(int rows, bool diagram, const SheetGeometry &g);

// Pixel size of font and text fitted into width pixels: the font shrinks
// down to a floor, then the text is cut with an ellipsis.
struct FittedText
{
    int pixelSize;
    QString text;
};
FittedText FitText(const QString &text, const QFont &font, qreal width);

#endif
