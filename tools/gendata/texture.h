#ifndef KORVANE_GENDATA_TEXTURE_H
#define KORVANE_GENDATA_TEXTURE_H

#include <QColor>
#include <QImage>
#include <cstdint>
#include <vector>

// Straight-grained wood: fine parallel growth lines running down the picture,
// gently wandering, with broad tone variation between them.
struct WoodStyle
{
    QColor light;   // early wood
    QColor dark;    // late wood, at the darkest line
    double ringMin; // spacing of the growth lines, pixels
    double ringMax;
    double lineContrast; // 0..1, how far the lines reach toward `dark`
    double bandContrast; // 0..1, broad light and dark bands
    double wander;       // sideways drift of the lines, pixels
    double pores;        // per-pixel speckle, 0..1
};

QImage paintWood(const WoodStyle &style, int width, int height, std::uint64_t seed);

// Dark green felt that tiles without seams.
QImage paintFelt(int size, std::uint64_t seed);

// Noise that repeats every `period` lattice cells, smoothly interpolated.
class TileNoise
{
public:
    TileNoise(int period, std::uint64_t seed);
    // x, y in lattice units; the value lies in [0, 1).
    double at(double x, double y) const;

private:
    int m_period;
    std::vector<double> m_values;
};

#endif
