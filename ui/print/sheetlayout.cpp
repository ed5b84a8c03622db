#include "sheetlayout.h"

#include <QFont>
#include <QFontMetricsF>
#include <QtGlobal>

namespace {
// A long name shrinks to this share of its size before it is cut.
constexpr qreal MinFontShare = 0.7;
} // namespace

QVector<SheetPage> PlanSheet(int rows, bool diagram, const SheetGeometry &g)
{
    const int columns = qMax(1, int((g.pageWidth + g.columnGap) / (g.columnWidth + g.columnGap)));
    QVector<SheetPage> pages;
    int next = 0;
    do {
        SheetPage page;
        page.header = pages.isEmpty();
        page.diagram = page.header && diagram;
        page.movesTop = (page.header ? g.headerHeight : 0) + (page.diagram ? g.diagramHeight : 0);
        // One row height goes to the column headings.
        const qreal room = g.pageHeight - page.movesTop - g.footerHeight - g.rowHeight;
        page.rowsPerColumn = qMax(1, int(room / g.rowHeight));
        page.columns = columns;
        page.firstRow = next;
        page.rowCount = qMin(rows - next, columns * page.rowsPerColumn);
        next += page.rowCount;
        pages << page;
    } while (next < rows);
    return pages;
}

FittedText FitText(const QString &text, const QFont &font, qreal width)
{
    const int full = font.pixelSize() > 0 ? font.pixelSize() : qRound(font.pointSizeF());
    QFont f = font;
    for (int size = full; size >= qMax(1, qRound(full * MinFontShare)); --size) {
        f.setPixelSize(size);
        if (QFontMetricsF(f).horizontalAdvance(text) <= width)
            return {size, text};
    }
    return {f.pixelSize(), QFontMetricsF(f).elidedText(text, Qt::ElideRight, width)};
}
