#include "texture.h"

#include "rng.h"

#include <algorithm>
#include <cmath>

namespace {

double smooth(double t)
{
    return t * t * (3.0 - 2.0 * t);
}

int channel(double v)
{
    return std::clamp(int(std::lround(v)), 0, 255);
}

QRgb mix(const QColor &a, const QColor &b, double t)
{
    return qRgb(channel(a.red() + (b.red() - a.red()) * t),
                channel(a.green() + (b.green() - a.green()) * t),
                channel(a.blue() + (b.blue() - a.blue()) * t));
}

// Darkness across the grain, sampled `kSub` times per pixel: each growth ring
// darkens slowly toward its late wood and ends in a sharp step back to light.
constexpr int kSub = 4;

std::vector<double> ringProfile(const WoodStyle &style, int length, Rng &rng)
{
    std::vector<double> profile(std::size_t(length) * kSub, 0.0);
    double start = -rng.range(0.0, style.ringMax);
    while (start < length) {
        const double end = start + rng.range(style.ringMin, style.ringMax);
        const double strength = rng.range(0.45, 1.0);
        const int first = std::max(0, int(std::ceil(start * kSub)));
        const int last = std::min(int(profile.size()), int(std::ceil(end * kSub)));
        for (int i = first; i < last; ++i) {
            const double phase = (i / double(kSub) - start) / (end - start);
            profile[std::size_t(i)] = strength * phase * phase * phase;
        }
        start = end;
    }
    return profile;
}

double sampleProfile(const std::vector<double> &profile, double u)
{
    const double s = std::clamp(u * kSub, 0.0, double(profile.size() - 2));
    const int i = int(s);
    const double f = s - i;
    return profile[std::size_t(i)] * (1.0 - f) + profile[std::size_t(i) + 1] * f;
}

} // namespace

TileNoise::TileNoise(int period, std::uint64_t seed) : m_period(period)
{
    Rng rng(seed);
    m_values.resize(std::size_t(period) * std::size_t(period));
    for (double &v : m_values)
        v = rng.unit();
}

double TileNoise::at(double x, double y) const
{
    const double fx = std::floor(x), fy = std::floor(y);
    const double tx = smooth(x - fx), ty = smooth(y - fy);
    auto wrap = [this](double v) {
        const int i = int(std::fmod(v, m_period));
        return i < 0 ? i + m_period : i;
    };
    const int x0 = wrap(fx), x1 = wrap(fx + 1), y0 = wrap(fy), y1 = wrap(fy + 1);
    auto v = [this](int xi, int yi) { return m_values[std::size_t(yi * m_period + xi)]; };
    const double top = v(x0, y0) + (v(x1, y0) - v(x0, y0)) * tx;
    const double bottom = v(x0, y1) + (v(x1, y1) - v(x0, y1)) * tx;
    return top + (bottom - top) * ty;
}

QImage paintWood(const WoodStyle &style, int width, int height, std::uint64_t seed)
{
    Rng rng(seed);
    const int margin = int(std::ceil(style.wander)) + 2;
    const std::vector<double> profile = ringProfile(style, width + 2 * margin, rng);
    const TileNoise drift(64, rng.next());
    const TileNoise bands(64, rng.next());
    const TileNoise fibres(256, rng.next());
    const double slant = rng.range(-0.01, 0.01);

    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double shift = style.wander * (2.0 * drift.at(x / 300.0, y / 220.0) - 1.0);
            const double u = x + margin + shift + slant * y;
            double t = style.lineContrast * sampleProfile(profile, u);
            t += style.bandContrast * (2.0 * bands.at(u / 90.0, y / 900.0) - 1.0);
            t += 0.12 * style.lineContrast * (fibres.at(u / 1.5, y / 30.0) - 0.5);
            t += style.pores * (rng.unit() - 0.5);
            line[x] = mix(style.light, style.dark, t);
        }
    }
    return image;
}

QImage paintFelt(int size, std::uint64_t seed)
{
    Rng rng(seed);
    const TileNoise coarse(4, rng.next()), middle(16, rng.next()), fine(size / 2, rng.next());
    const QColor base(30, 72, 46), deep(14, 44, 26);
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size; ++x) {
            const double u = double(x) / size, v = double(y) / size;
            double t = 0.45 * coarse.at(u * 4, v * 4) + 0.35 * middle.at(u * 16, v * 16) +
                       0.35 * fine.at(u * size / 2, v * size / 2) + 0.25 * rng.unit();
            line[x] = mix(base, deep, t - 0.35);
        }
    }
    return image;
}
