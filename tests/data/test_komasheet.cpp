// The piece sprite sheet against the layout tables the board widget cuts it with.

#include "komasheet.h"
#include "sharedata.h"

#include <QBitmap>
#include <QImage>
#include <QPixmap>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace {

bool isPiece(int index)
{
    return index != 12 && index != 15;
}

struct Cell
{
    QRect rect;
    const char *what;
};

// Every cell the program may cut out: both face sets, all classes and
// orientations, and the destination marker.
std::vector<Cell> usedCells()
{
    std::vector<Cell> cells;
    for (int cls = 0; cls < 4; ++cls) {
        const QSize size(BMPSIZE[cls].width, BMPSIZE[cls].height);
        for (int o = 0; o < 2; ++o) {
            cells.push_back({QRect(QPoint(WAY[cls][o].x, WAY[cls][o].y), size), "marker"});
            for (int i = 0; i < 16; ++i) {
                if (!isPiece(i))
                    continue;
                const KomaPoint two = STANDARDKOMA[cls][o][i], one = NOSTANDARDKOMA[cls][o][i];
                cells.push_back({QRect(QPoint(two.x, two.y), size), "two-character piece"});
                cells.push_back({QRect(QPoint(one.x, one.y), size), "one-character piece"});
            }
        }
    }
    return cells;
}

class KomaSheet : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ensureGuiApp();
        sheet = new QImage(
            QImage(pixmapPath(QStringLiteral("koma.bmp"))).convertToFormat(QImage::Format_RGB32));
    }
    static void TearDownTestSuite()
    {
        delete sheet;
        sheet = nullptr;
    }

    static QRgb background() { return sheet->pixel(0, sheet->height() - 1); }
    static QImage cell(KomaPoint at, int cls)
    {
        return sheet->copy(at.x, at.y, BMPSIZE[cls].width, BMPSIZE[cls].height);
    }
    static int foreground(const QImage &img)
    {
        int count = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                count += img.pixel(x, y) != background();
        return count;
    }

    static QImage *sheet;
};

QImage *KomaSheet::sheet = nullptr;

// Every cell holds a sprite with a clear frame, which the heuristic mask the
// board draws through keeps whole while it clears all of the background.
TEST_F(KomaSheet, EveryCellHoldsASpriteTheMaskKeeps)
{
    ASSERT_FALSE(sheet->isNull());
    QPixmap pixmap = QPixmap::fromImage(*sheet);
    pixmap.setMask(pixmap.createHeuristicMask());
    const QImage drawn = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (const Cell &c : usedCells()) {
        SCOPED_TRACE(testing::Message() << c.what << " at " << c.rect.x() << "," << c.rect.y());
        const QImage img = sheet->copy(c.rect);
        EXPECT_GT(foreground(img), img.width() * img.height() / 40);
        // Rows overlap by two pixels, and a sprite touching its cell's edge
        // would smear into the neighbouring square.
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const bool frame = x < 2 || y < 2 || x >= img.width() - 2 || y >= img.height() - 2;
                if (frame && img.pixel(x, y) != background()) {
                    ADD_FAILURE() << "sprite reaches " << x << "," << y;
                    return;
                }
            }
        if (c.what == std::string("marker"))
            continue;
        const QPoint mid = c.rect.center();
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx)
                EXPECT_EQ(qAlpha(drawn.pixel(mid.x() + dx, mid.y() + dy)), 255);
        EXPECT_EQ(qAlpha(drawn.pixel(c.rect.topLeft())), 0);
    }
    // Background left opaque would show as patches of its colour on the board.
    int kept = 0;
    for (int y = 0; y < sheet->height(); ++y)
        for (int x = 0; x < sheet->width(); ++x)
            kept += sheet->pixel(x, y) == background() && qAlpha(drawn.pixel(x, y)) != 0;
    EXPECT_EQ(kept, 0);
}

double meanDifference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

// Light falls from the top left whichever way a piece faces, and the king of
// the top side shows the jewel, so the match is close but not exact: the
// turned sprite must be clearly nearer its counterpart than the unturned one
// is, and nearer than any other piece.
TEST_F(KomaSheet, UpsideDownSpritesAreTheUprightOnesTurned)
{
    ASSERT_FALSE(sheet->isNull());
    for (const auto *table : {&STANDARDKOMA, &NOSTANDARDKOMA})
        for (int cls = 0; cls < 4; ++cls)
            for (int i = 0; i < 16; ++i) {
                if (!isPiece(i))
                    continue;
                SCOPED_TRACE(testing::Message() << "class " << cls << " index " << i);
                const QImage turned = cell((*table)[cls][0][i], cls).mirrored(true, true);
                const QImage upsideDown = cell((*table)[cls][1][i], cls);
                const double own = meanDifference(turned, upsideDown);
                EXPECT_LT(own, 0.6 * meanDifference(cell((*table)[cls][0][i], cls), upsideDown));
                for (int j = 0; j < 16; ++j) {
                    if (isPiece(j) && j != i) {
                        EXPECT_LT(own, meanDifference(turned, cell((*table)[cls][1][j], cls)))
                            << "closer to index " << j;
                    }
                }
            }
}

} // namespace
