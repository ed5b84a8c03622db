#include "export.h"

#include <QBuffer>
#include <QFileInfo>
#include <QMimeData>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace {
// Natural size of an exported diagram, in millimetres, and its margin.
constexpr qreal PdfWidthMm = 124, PdfMarginMm = 4;
constexpr int PdfResolution = 600;
// SVG user units per diagram width (any: the picture scales).
constexpr int SvgWidth = 620;

QSize SizeForWidth(int width)
{
    return {width, qRound(width / DiagramAspect)};
}
} // namespace

DiagramFormat DiagramFormatOf(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return DiagramFormat::Pdf;
    if (suffix == QLatin1String("svg"))
        return DiagramFormat::Svg;
    if (suffix == QLatin1String("png"))
        return DiagramFormat::Png;
    return DiagramFormat::Unknown;
}

QImage DiagramImage(const DiagramPosition &pos, int width)
{
    QImage image(SizeForWidth(qMax(width, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    PaintDiagram(p, image.rect(), pos);
    return image;
}

QByteArray DiagramSvg(const DiagramPosition &pos)
{
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    const QSize size = SizeForWidth(SvgWidth);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(), size));
    QPainter p(&svg);
    p.fillRect(QRect(QPoint(), size), Qt::white);
    PaintDiagram(p, QRectF(QPoint(), size), pos);
    p.end();
    return buffer.data();
}

QByteArray DiagramPdf(const DiagramPosition &pos)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(PdfResolution);
    const QSizeF page(PdfWidthMm + 2 * PdfMarginMm, PdfWidthMm / DiagramAspect + 2 * PdfMarginMm);
    pdf.setPageLayout(QPageLayout(QPageSize(page, QPageSize::Millimeter), QPageLayout::Portrait,
                                  QMarginsF(PdfMarginMm, PdfMarginMm, PdfMarginMm, PdfMarginMm),
                                  QPageLayout::Millimeter));
    if (!PaintDiagramPage(&pdf, pos))
        return QByteArray();
    buffer.close();
    return buffer.data();
}

bool WriteDiagram(const QString &fileName, const DiagramPosition &pos, int pngWidth)
{
    QByteArray data;
    switch (DiagramFormatOf(fileName)) {
    case DiagramFormat::Pdf:
        data = DiagramPdf(pos);
        break;
    case DiagramFormat::Svg:
        data = DiagramSvg(pos);
        break;
    case DiagramFormat::Png: {
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        if (!DiagramImage(pos, pngWidth).save(&buffer, "PNG"))
            return false;
        break;
    }
    case DiagramFormat::Unknown:
        return false;
    }
    if (data.isEmpty())
        return false;
    QSaveFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
}

bool PaintDiagramPage(QPagedPaintDevice *dev, const DiagramPosition &pos)
{
    QPainter p;
    if (!p.begin(dev))
        return false;
    const qreal width = dev->width();
    PaintDiagram(p, QRectF(0, 0, width, qMin<qreal>(width / DiagramAspect, dev->height())), pos);
    return p.end();
}

QMimeData *DiagramMimeData(const DiagramPosition &pos, int width)
{
    auto *mime = new QMimeData;
    mime->setImageData(DiagramImage(pos, width));
    mime->setData(QStringLiteral("image/svg+xml"), DiagramSvg(pos));
    return mime;
}
