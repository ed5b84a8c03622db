#ifndef KORVANE_PRINT_RECORDSHEET_H
#define KORVANE_PRINT_RECORDSHEET_H

#include "diagram.h"
#include "gameending.h"

#include <QString>
#include <QVector>

class QDate;
class QPagedPaintDevice;
class ShogiDoc;
struct KIBO;

// What a record sheet shows, gathered from the document.
struct SheetContent
{
    struct Row
    {
        QString number, move, time, total; // no number: a line across the column
    };
    QString title, date, firstName, secondName, handicap, result;
    QVector<Row> rows;
    bool showStart = false; // the record does not start from the even game
    DiagramPosition start;
};

SheetContent SheetFromDoc(const ShogiDoc &doc, const QDate &date);
// "まで77手で先手の勝ち" and the like; moves counts no resignation.
QString ResultText(const QVector<KIBO> &record, GameEnding ending);
// The even game's start, in either orientation of the board.
bool IsEvenStart(const DiagramPosition &pos);

// Paints every page onto dev (a printer or a PDF writer); false when
// nothing could be painted.
bool PaintSheet(QPagedPaintDevice *dev, const SheetContent &sheet);

#endif
