#include "koma.h"

#include "komasheet.h"
#include "texture.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const QColor kBackground(168, 124, 70);
const QColor kOutline(130, 92, 50);
const QColor kShadow(84, 58, 32);
const QColor kInk(24, 18, 12);
const QColor kLacquer(178, 30, 24);

// Faces by sprite index; empty where no such piece exists.
const char *const kTwoCharFaces[16] = {"歩兵", "香車", "桂馬", "銀将", "金将", "角行",
                                       "飛車", "王将", "と金", "成香", "成桂", "成銀",
                                       "",     "龍馬", "龍王", ""};
const char *const kOneCharFaces[16] = {"歩", "香", "桂", "銀", "金", "角", "飛", "王",
                                       "と", "杏", "圭", "全", "",   "馬", "竜", ""};
// Western letters by sprite index, promoted pieces marked with +.
const char *const kWesternLetters[16] = {"P",  "L",  "N",  "S",  "G", "B",  "R",  "K",
                                         "+P", "+L", "+N", "+S", "",  "+B", "+R", ""};
// The king of the player at the top is the jewel general.
const char *const kTopKing[2] = {"玉将", "玉"};

// Piece outline relative to the king's, by kind 1..8: a real set grows from
// the pawn to the king, more in width than in height.
const double kWidthScale[8] = {0.80, 0.83, 0.87, 0.92, 0.92, 0.96, 0.96, 1.0};
const double kHeightScale[8] = {0.86, 0.89, 0.91, 0.94, 0.94, 0.97, 0.97, 1.0};

QPolygonF pentagon(const QRectF &r)
{
    const double inset = 0.09 * r.width(), shoulder = r.top() + 0.27 * r.height();
    return QPolygonF({QPointF(r.center().x(), r.top()), QPointF(r.right() - inset, shoulder),
                      r.bottomRight(), r.bottomLeft(), QPointF(r.left() + inset, shoulder)});
}

// Moves every edge of a convex polygon, clockwise on screen, inward by d.
QPolygonF inset(const QPolygonF &poly, double d)
{
    const int n = poly.size();
    std::vector<QLineF> edges;
    for (int i = 0; i < n; ++i) {
        const QLineF e(poly[i], poly[(i + 1) % n]);
        const QLineF normal = e.normalVector().unitVector();
        const QPointF shift = (normal.p1() - normal.p2()) * d;
        edges.emplace_back(e.p1() + shift, e.p2() + shift);
    }
    QPolygonF out;
    for (int i = 0; i < n; ++i) {
        QPointF p;
        edges[std::size_t((i + n - 1) % n)].intersects(edges[std::size_t(i)], &p);
        out << p;
    }
    return out;
}

QPainterPath rounded(const QPolygonF &poly, double radius)
{
    const int n = poly.size();
    QPainterPath path;
    for (int i = 0; i < n; ++i) {
        const QPointF prev = poly[(i + n - 1) % n], at = poly[i], next = poly[(i + 1) % n];
        const QLineF in(at, prev), out(at, next);
        const double r = std::min({radius, in.length() / 2, out.length() / 2});
        const QPointF a = in.pointAt(r / in.length()), b = out.pointAt(r / out.length());
        if (i == 0)
            path.moveTo(a);
        else
            path.lineTo(a);
        path.quadTo(at, b);
    }
    path.closeSubpath();
    return path;
}

QFont minchoFont()
{
    QFont font(QStringLiteral("IPAMincho"));
    font.setPixelSize(200);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Brush-like characters: the outlines are thickened a little so that thin
// Mincho strokes keep their weight on the smallest pieces.
void paintFace(QPainter &p, const PieceLook &look, const QRectF &piece)
{
    const QFont font = minchoFont();
    const int count = look.face.size();
    const bool single = count == 1;
    const bool lettered = !look.letter.isEmpty();
    const double top = piece.top() + piece.height() * (single ? 0.26 : 0.21);
    // A letter takes the lower third, under a smaller face.
    const double bottom = lettered ? piece.top() + piece.height() * 0.62
                                   : piece.bottom() - piece.height() * (single ? 0.09 : 0.045);
    const double areaWidth = piece.width() * (single ? 0.80 : 0.74);
    const double cellHeight = (bottom - top) / count;
    const double scale = cellHeight * (single ? 0.98 : 0.96) / 200.0;
    const double widthScale = scale * (single ? 0.96 : 1.0);
    const double weight = std::max(9.0, 0.85 / scale);
    const QColor colour = look.promoted ? kLacquer : kInk;

    for (int i = 0; i < count; ++i) {
        QPainterPath glyph;
        glyph.addText(0, 0, font, look.face.mid(i, 1));
        const QRectF box = glyph.boundingRect();
        const double sx = std::min(widthScale, areaWidth / box.width());
        const QPointF centre(piece.center().x(), top + cellHeight * (i + 0.5));
        QTransform t;
        t.translate(centre.x(), centre.y());
        t.scale(sx, scale);
        t.translate(-box.center().x(), -box.center().y());
        p.save();
        p.setTransform(t);
        p.setPen(QPen(colour, weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(colour);
        p.drawPath(glyph);
        p.restore();
    }
    if (lettered) {
        QFont sans(QStringLiteral("DejaVu Sans"));
        sans.setPixelSize(200);
        sans.setBold(true);
        QPainterPath glyph;
        glyph.addText(0, 0, sans, look.letter);
        const QRectF box = glyph.boundingRect();
        const double h = piece.height() * 0.22, w = piece.width() * 0.62;
        const double s = std::min(h / box.height(), w / box.width());
        QTransform t;
        t.translate(piece.center().x(), piece.top() + piece.height() * 0.79);
        t.scale(s, s);
        t.translate(-box.center().x(), -box.center().y());
        p.save();
        p.setTransform(t);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPath(glyph);
        p.restore();
    }
}

QImage blankCanvas(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

std::vector<double> alphaOf(const QImage &image)
{
    std::vector<double> a(std::size_t(image.width() * image.height()));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            a[std::size_t(y * image.width() + x)] = qAlpha(image.pixel(x, y)) / 255.0;
    return a;
}

std::vector<double> boxBlur(const std::vector<double> &a, int w, int h, int radius)
{
    std::vector<double> out(a.size());
    auto at = [&](int x, int y) {
        return a[std::size_t(std::clamp(y, 0, h - 1) * w + std::clamp(x, 0, w - 1))];
    };
    const double n = (2 * radius + 1) * (2 * radius + 1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double sum = 0;
            for (int dy = -radius; dy <= radius; ++dy)
                for (int dx = -radius; dx <= radius; ++dx)
                    sum += at(x + dx, y + dy);
            out[std::size_t(y * w + x)] = sum / n;
        }
    return out;
}

// Bevel in screen space: edges facing the top left catch the light, the
// others fall into shade, however the piece is turned.
void shadeBevel(QImage &face, double scale)
{
    const int w = face.width(), h = face.height();
    const std::vector<double> soft =
        boxBlur(alphaOf(face), w, h, std::max(1, int(std::lround(1.4 * scale))));
    auto at = [&](int x, int y) {
        return soft[std::size_t(std::clamp(y, 0, h - 1) * w + std::clamp(x, 0, w - 1))];
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb c = face.pixel(x, y);
            if (qAlpha(c) == 0)
                continue;
            const double slope = (at(x + 1, y) - at(x - 1, y)) + (at(x, y + 1) - at(x, y - 1));
            const double f = 1.0 + 0.55 * std::clamp(slope, -1.0, 1.0);
            auto ch = [f](int v) { return std::clamp(int(std::lround(v * f)), 0, 255); };
            const int a = qAlpha(c);
            face.setPixel(x, y,
                          qRgba(std::min(ch(qRed(c)), a), std::min(ch(qGreen(c)), a),
                                std::min(ch(qBlue(c)), a), a));
        }
}

QImage pieceWood(const PieceLook &look, QSize canvas, double scale)
{
    const WoodStyle boxwood{QColor(247, 226, 176),
                            QColor(214, 174, 108),
                            2.2 * scale,
                            4.5 * scale,
                            0.32,
                            0.07,
                            1.5 * scale,
                            0.025};
    return paintWood(boxwood, canvas.width(), canvas.height(), look.woodSeed);
}

} // namespace

QColor komaBackground()
{
    return kBackground;
}

QImage paintPiece(const PieceLook &look, QSize canvas)
{
    const double scale = look.size.height() / 68.0;
    const QRectF piece(QPointF((canvas.width() - look.size.width()) / 2.0,
                               (canvas.height() - look.size.height()) / 2.0),
                       look.size);
    const QPolygonF outline = pentagon(piece);
    const double edge = std::max(1.0, 1.1 * scale);
    const QPainterPath outer = rounded(outline, 2.2 * scale);
    const QPainterPath inner = rounded(inset(outline, edge), 1.6 * scale);

    QImage face = blankCanvas(canvas);
    {
        QPainter p(&face);
        p.setRenderHint(QPainter::Antialiasing);
        p.setClipPath(inner);
        p.drawImage(0, 0, pieceWood(look, canvas, scale));
        paintFace(p, look, piece);
    }
    QImage body = blankCanvas(canvas);
    {
        QPainter p(&body);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(outer, kOutline);
    }
    if (look.halfTurn) {
        face = face.mirrored(true, true);
        body = body.mirrored(true, true);
    }
    shadeBevel(face, scale);

    QImage out = blankCanvas(canvas);
    QPainter p(&out);
    const int drop = std::max(1, int(std::lround(scale)));
    QImage shadow = body;
    {
        QPainter s(&shadow);
        s.setCompositionMode(QPainter::CompositionMode_SourceIn);
        s.fillRect(shadow.rect(), kShadow);
    }
    p.setOpacity(0.6);
    p.drawImage(drop, drop, shadow);
    p.setOpacity(1.0);
    p.drawImage(0, 0, body);
    p.drawImage(0, 0, face);
    return out;
}

namespace {

// The king fills most of its square but leaves room for its shadow and for
// the plain frame every cell keeps.
constexpr double kKingShare = 0.86;
constexpr int kCellFrame = 2;

// Drops the faintest edge pixels into the background and makes sure no
// sprite pixel takes the background colour itself, so that the mask, which
// removes exactly that colour, neither leaves a halo nor bites holes.
QImage flatten(const QImage &sprite)
{
    const QRgb bg = kBackground.rgb();
    QImage out(sprite.size(), QImage::Format_RGB32);
    for (int y = 0; y < sprite.height(); ++y)
        for (int x = 0; x < sprite.width(); ++x) {
            const QRgb c = sprite.pixel(x, y);
            const int a = qAlpha(c);
            if (a < 64) {
                out.setPixel(x, y, bg);
                continue;
            }
            auto over = [a](int src, int back) { return src + (back * (255 - a) + 127) / 255; };
            QRgb mixed = qRgb(over(qRed(c), qRed(bg)), over(qGreen(c), qGreen(bg)),
                              over(qBlue(c), qBlue(bg)));
            if (mixed == bg)
                mixed = qRgb(qRed(bg), qGreen(bg), qBlue(bg) - 1);
            out.setPixel(x, y, mixed);
        }
    return out;
}

// Destination marker: a small triangle in each corner of the square, which
// stays clear of the piece that may stand there.
QImage paintMarker(QSize cell)
{
    QImage marker = blankCanvas(cell);
    QPainter p(&marker);
    const double left = kCellFrame, top = kCellFrame;
    const double right = cell.width() - kCellFrame, bottom = cell.height() - kCellFrame;
    const double t = std::round(cell.width() * 0.24);
    const QPolygonF corners[4] = {
        QPolygonF({QPointF(left, top), QPointF(left + t, top), QPointF(left, top + t)}),
        QPolygonF({QPointF(right, top), QPointF(right, top + t), QPointF(right - t, top)}),
        QPolygonF({QPointF(right, bottom), QPointF(right - t, bottom), QPointF(right, bottom - t)}),
        QPolygonF({QPointF(left, bottom), QPointF(left, bottom - t), QPointF(left + t, bottom)})};
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 48, 30));
    for (const QPolygonF &c : corners)
        p.drawPolygon(c);
    return marker;
}

double kingWidth(KomaSize cell)
{
    return std::min(kKingShare * cell.width, cell.width - 2.0 * (kCellFrame + 1.5));
}

double kingHeight(KomaSize cell)
{
    return std::min(kKingShare * cell.height, cell.height - 2.0 * (kCellFrame + 1.5));
}

QSize sheetSize()
{
    int width = 0, height = 0;
    auto grow = [&](KomaPoint at, KomaSize cell) {
        if (at.x != 1050) {
            width = std::max(width, at.x + cell.width);
            height = std::max(height, at.y + cell.height);
        }
    };
    for (int cls = 0; cls < 4; ++cls)
        for (int o = 0; o < 2; ++o) {
            grow(WAY[cls][o], BMPSIZE[cls]);
            for (int i = 0; i < 16; ++i) {
                grow(STANDARDKOMA[cls][o][i], BMPSIZE[cls]);
                grow(NOSTANDARDKOMA[cls][o][i], BMPSIZE[cls]);
            }
        }
    return QSize(width, height);
}

} // namespace

QImage paintKomaSheet(bool western)
{
    QImage sheet(sheetSize(), QImage::Format_RGB32);
    sheet.fill(kBackground);
    QPainter p(&sheet);
    for (int set = 0; set < 2; ++set) {
        const char *const *faces = set == 0 ? kTwoCharFaces : kOneCharFaces;
        const auto &table = set == 0 ? STANDARDKOMA : NOSTANDARDKOMA;
        for (int cls = 0; cls < 4; ++cls) {
            const KomaSize cell = BMPSIZE[cls];
            for (int o = 0; o < 2; ++o)
                for (int i = 0; i < 16; ++i) {
                    if (!*faces[i])
                        continue;
                    const int kind = i % 8 + 1;
                    PieceLook look;
                    if (western) {
                        look.face =
                            QString::fromUtf8(i == 7 && o == 1 ? kTopKing[1] : kOneCharFaces[i]);
                        look.letter = QString::fromLatin1(kWesternLetters[i]);
                    } else {
                        look.face = QString::fromUtf8(i == 7 && o == 1 ? kTopKing[set] : faces[i]);
                    }
                    look.promoted = i >= 8;
                    look.size = QSizeF(kingWidth(cell) * kWidthScale[kind - 1],
                                       kingHeight(cell) * kHeightScale[kind - 1]);
                    look.halfTurn = o == 1;
                    look.woodSeed = 1000 + 100 * std::uint64_t(set) + std::uint64_t(i);
                    const QImage sprite = paintPiece(look, QSize(cell.width, cell.height));
                    p.drawImage(table[cls][o][i].x, table[cls][o][i].y, flatten(sprite));
                }
        }
    }
    for (int cls = 0; cls < 4; ++cls) {
        const QImage marker = paintMarker(QSize(BMPSIZE[cls].width, BMPSIZE[cls].height));
        p.drawImage(WAY[cls][0].x, WAY[cls][0].y, flatten(marker));
        p.drawImage(WAY[cls][1].x, WAY[cls][1].y, flatten(marker.mirrored(true, true)));
    }
    return sheet;
}
