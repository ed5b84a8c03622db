#include "art.h"

#include "koma.h"
#include "texture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace {

QImage transparentCanvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage piece(const QString &face, bool promoted, double height, std::uint64_t seed)
{
    PieceLook look;
    look.face = face;
    look.promoted = promoted;
    look.size = QSizeF(height * 0.84, height);
    look.woodSeed = seed;
    const int canvas = int(std::ceil(height * 1.1)) + 4;
    return paintPiece(look, QSize(canvas, canvas));
}

// XPM keeps no partial transparency: each pixel is either drawn or not.
QImage hardenAlpha(const QImage &image)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = out.pixel(x, y);
            out.setPixel(x, y, qAlpha(c) < 128 ? 0u : (c | 0xff000000u));
        }
    return out;
}

QPainterPath triangle(double left, double right, double top, double bottom, bool pointLeft)
{
    QPainterPath path;
    const double mid = (top + bottom) / 2;
    if (pointLeft) {
        path.moveTo(left, mid);
        path.lineTo(right, top);
        path.lineTo(right, bottom);
    } else {
        path.moveTo(right, mid);
        path.lineTo(left, top);
        path.lineTo(left, bottom);
    }
    path.closeSubpath();
    return path;
}

// The white sign on a round badge, drawn in a 20 x 20 box centred on 0, 0.
QPainterPath signPath(IconSign sign)
{
    QPainterPath path;
    switch (sign) {
    case IconSign::Plus:
        path.setFillRule(Qt::WindingFill);
        path.addRect(-7, -2, 14, 4);
        path.addRect(-2, -7, 4, 14);
        return path;
    case IconSign::Pause:
        path.addRect(-6, -6.5, 4.5, 13);
        path.addRect(1.5, -6.5, 4.5, 13);
        return path;
    case IconSign::Play:
        return triangle(-4, 7, -7, 7, false);
    case IconSign::Cross: {
        QPainterPath bar;
        bar.addRect(-8, -2, 16, 4);
        QTransform turn;
        turn.rotate(45);
        const QPainterPath a = turn.map(bar);
        turn.rotate(90);
        return a.united(turn.map(bar));
    }
    case IconSign::Undo: {
        path.moveTo(-3, -8);
        path.lineTo(-9, -3);
        path.lineTo(-3, 2);
        path.lineTo(-3, -1);
        path.cubicTo(3, -1, 6, 1, 5, 8);
        path.cubicTo(9, 0, 6, -5, -3, -5);
        path.closeSubpath();
        return path;
    }
    case IconSign::Flag:
        path.addRect(-6, -8, 2, 17);
        path.moveTo(-4, -8);
        path.cubicTo(0, -10, 3, -5, 8, -7);
        path.lineTo(8, 1);
        path.cubicTo(3, 3, 0, -2, -4, 0);
        path.closeSubpath();
        return path;
    default:
        return path;
    }
}

QColor badgeColour(IconSign sign)
{
    switch (sign) {
    case IconSign::Plus:
    case IconSign::Play:
    case IconSign::Auto:
        return QColor(46, 140, 60);
    case IconSign::Pause:
        return QColor(214, 136, 24);
    case IconSign::Undo:
        return QColor(40, 100, 180);
    case IconSign::Flag:
        return QColor(90, 90, 96);
    default:
        return QColor(190, 40, 32);
    }
}

void paintBadge(QPainter &p, QPointF centre, double radius, const QColor &colour)
{
    QRadialGradient fill(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    fill.setColorAt(0, colour.lighter(135));
    fill.setColorAt(1, colour.darker(115));
    p.setPen(QPen(colour.darker(170), 1.2));
    p.setBrush(fill);
    p.drawEllipse(centre, radius, radius);
}

void paintSign(QPainter &p, QPointF centre, double scale, IconSign sign)
{
    p.save();
    p.translate(centre);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(252, 252, 248));
    p.drawPath(signPath(sign));
    p.restore();
}

// Game commands: a pawn with a round sign at its lower right.
void paintGameIcon(QPainter &p, int size, IconSign sign)
{
    const QImage pawn = piece(QStringLiteral("歩"), false, size * 0.70, 77);
    p.drawImage(QPointF(size * 0.37 - pawn.width() / 2.0, size * 0.42 - pawn.height() / 2.0), pawn);
    const double radius = size * 0.25;
    const QPointF centre(size - radius - 1.5, size - radius - 1.5);
    paintBadge(p, centre, radius, badgeColour(sign));
    paintSign(p, centre, radius / 10.0, sign);
}

// Record commands: player controls in slate, round ones for play and stop.
void paintControlIcon(QPainter &p, int size, IconSign sign)
{
    const double s = size / 32.0;
    if (sign == IconSign::Auto || sign == IconSign::Stop) {
        const QPointF centre(size / 2.0, size / 2.0);
        paintBadge(p, centre, 13 * s, badgeColour(sign));
        QPainterPath mark;
        if (sign == IconSign::Auto)
            mark = triangle(-4 * s, 7 * s, -7 * s, 7 * s, false);
        else
            mark.addRect(-5.5 * s, -5.5 * s, 11 * s, 11 * s);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(252, 252, 248));
        p.drawPath(mark.translated(centre));
        return;
    }
    const bool left = sign == IconSign::First || sign == IconSign::Back;
    const bool bar = sign == IconSign::First || sign == IconSign::Last;
    QPainterPath shape;
    const double top = 7 * s, bottom = 25 * s;
    if (bar) {
        shape.addRect(left ? 6 * s : 22 * s, top, 4 * s, bottom - top);
        shape.addPath(left ? triangle(11 * s, 26 * s, top, bottom, true)
                           : triangle(6 * s, 21 * s, top, bottom, false));
    } else {
        shape.addPath(left ? triangle(8 * s, 24 * s, top, bottom, true)
                           : triangle(8 * s, 24 * s, top, bottom, false));
    }
    QLinearGradient fill(0, top, 0, bottom);
    fill.setColorAt(0, QColor(84, 108, 138));
    fill.setColorAt(1, QColor(36, 52, 76));
    p.setPen(QPen(QColor(24, 34, 50), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPath(shape.simplified());
}

QImage tiled(const QImage &tile, int width, int height)
{
    QImage out(width, height, QImage::Format_RGB32);
    QPainter p(&out);
    p.fillRect(out.rect(), QBrush(tile));
    return out;
}

} // namespace

QImage paintBoard()
{
    const WoodStyle kaya{
        QColor(234, 190, 108), QColor(196, 138, 60), 3.0, 9.0, 0.36, 0.05, 3.0, 0.02};
    return paintWood(kaya, 650, 800, 11);
}

QImage paintStand()
{
    const WoodStyle stand{
        QColor(200, 146, 80), QColor(150, 98, 46), 4.0, 12.0, 0.34, 0.06, 4.0, 0.025};
    QTransform quarter;
    quarter.rotate(90);
    return paintWood(stand, 320, 228, 23).transformed(quarter);
}

std::vector<ToolIcon> toolIcons()
{
    return {{QStringLiteral("gamenew.xpm"), 45, IconSign::Plus},
            {QStringLiteral("gamebreak.xpm"), 45, IconSign::Pause},
            {QStringLiteral("gamereplay.xpm"), 45, IconSign::Play},
            {QStringLiteral("gameretract.xpm"), 45, IconSign::Undo},
            {QStringLiteral("gamethrow.xpm"), 45, IconSign::Flag},
            {QStringLiteral("gameeditkill.xpm"), 45, IconSign::Cross},
            {QStringLiteral("first.xpm"), 32, IconSign::First},
            {QStringLiteral("backone.xpm"), 32, IconSign::Back},
            {QStringLiteral("last.xpm"), 32, IconSign::Last},
            {QStringLiteral("forward.xpm"), 32, IconSign::Forward},
            {QStringLiteral("auto.xpm"), 32, IconSign::Auto},
            {QStringLiteral("stop.xpm"), 32, IconSign::Stop}};
}

QImage paintToolIcon(const ToolIcon &icon)
{
    QImage image = transparentCanvas(icon.size, icon.size);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        if (icon.size == 45)
            paintGameIcon(p, icon.size, icon.sign);
        else
            paintControlIcon(p, icon.size, icon.sign);
    }
    return hardenAlpha(image);
}

QImage paintAppIcon(int size)
{
    PieceLook look;
    look.face = QStringLiteral("将");
    look.size = QSizeF(size * 0.80, size * 0.94);
    look.woodSeed = 31;
    return paintPiece(look, QSize(size, size)).convertToFormat(QImage::Format_ARGB32);
}

QImage paintLogo()
{
    const int width = 480, height = 300;
    QImage logo = tiled(paintFelt(128, 7), width, height);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setPen(QPen(QColor(196, 160, 88), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(6.5, 6.5, width - 13, height - 13));

    const QImage rook = piece(QStringLiteral("飛車"), false, 132, 41);
    const QImage king = piece(QStringLiteral("王将"), false, 176, 43);
    auto place = [&p](const QImage &img, QPointF centre, double degrees) {
        p.save();
        p.translate(centre);
        p.rotate(degrees);
        p.drawImage(QPointF(-img.width() / 2.0, -img.height() / 2.0), img);
        p.restore();
    };
    place(rook, QPointF(82, 140), -14);
    place(king, QPointF(160, 150), 6);

    QFont mincho(QStringLiteral("IPAMincho"));
    mincho.setPixelSize(92);
    p.setFont(mincho);
    p.setPen(QColor(244, 232, 204));
    p.drawText(QRectF(245, 40, 220, 120), Qt::AlignCenter, QStringLiteral("将棋"));
    QFont latin(QStringLiteral("IPAPMincho"));
    latin.setPixelSize(44);
    latin.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(latin);
    p.setPen(QColor(222, 184, 96));
    p.drawText(QRectF(235, 170, 240, 60), Qt::AlignCenter, QStringLiteral("Korvane"));
    p.setPen(QPen(QColor(222, 184, 96), 1.5));
    p.drawLine(QPointF(275, 165), QPointF(435, 165));
    return logo;
}
