#ifndef KORVANE_PRINT_EXPORT_H
#define KORVANE_PRINT_EXPORT_H

#include "diagram.h"

#include <QByteArray>
#include <QImage>
#include <QString>

class QMimeData;
class QPagedPaintDevice;

enum class DiagramFormat
{
    Pdf,
    Svg,
    Png,
    Unknown
};

// By the file name's suffix, in any case.
DiagramFormat DiagramFormatOf(const QString &fileName);
// White background, width pixels wide, the height by the diagram's shape.
QImage DiagramImage(const DiagramPosition &pos, int width);
QByteArray DiagramSvg(const DiagramPosition &pos);
// A page the size of the diagram, for pasting into documents.
QByteArray DiagramPdf(const DiagramPosition &pos);
// Written whole or not at all; pngWidth applies to PNG only.
bool WriteDiagram(const QString &fileName, const DiagramPosition &pos, int pngWidth);
// The diagram across the printable width of the first page.
bool PaintDiagramPage(QPagedPaintDevice *dev, const DiagramPosition &pos);
// Picture and SVG together, so that a document takes whichever it reads.
QMimeData *DiagramMimeData(const DiagramPosition &pos, int width);

#endif
