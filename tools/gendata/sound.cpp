#include "sound.h"

#include "rng.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

// A ringing mode of the piece or the board, struck at time zero.
struct Mode
{
    double frequency;
    double decay; // seconds to fall to 1/e
    double level;
};

// One strike: a very short burst of high-passed noise for the hard contact of
// boxwood on kaya, then the ringing modes of piece and board.
void strike(std::vector<double> &out, int start, double level, Rng &rng)
{
    const Mode modes[] = {{3150, 0.005, 0.30},
                          {1880, 0.011, 0.55},
                          {960, 0.020, 0.40},
                          {520, 0.026, 0.22},
                          {190, 0.032, 0.20}};
    double previousIn = 0, highPass = 0;
    const double hp = 1.0 / (1.0 + 2.0 * kPi * 1800.0 / kRate);
    for (std::size_t i = std::size_t(start); i < out.size(); ++i) {
        const double t = double(i - std::size_t(start)) / kRate;
        const double noise = (2.0 * rng.unit() - 1.0) * std::exp(-t / 0.0011);
        highPass = hp * (highPass + noise - previousIn);
        previousIn = noise;
        double ring = 0;
        for (const Mode &m : modes)
            ring += m.level * std::exp(-t / m.decay) * std::sin(2.0 * kPi * m.frequency * t);
        out[i] += level * (1.6 * highPass + ring);
    }
}

void putLe16(QByteArray &b, int v)
{
    char bytes[2];
    qToLittleEndian<qint16>(qint16(v), bytes);
    b.append(bytes, 2);
}

void putLe32(QByteArray &b, quint32 v)
{
    char bytes[4];
    qToLittleEndian<quint32>(v, bytes);
    b.append(bytes, 4);
}

QByteArray wavFile(const std::vector<double> &samples)
{
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray b;
    b.append("RIFF");
    putLe32(b, 36 + dataBytes);
    b.append("WAVEfmt ");
    putLe32(b, 16);
    putLe16(b, 1); // PCM
    putLe16(b, 1); // mono
    putLe32(b, kRate);
    putLe32(b, kRate * 2);
    putLe16(b, 2);
    putLe16(b, 16);
    b.append("data");
    putLe32(b, dataBytes);
    for (double s : samples)
        putLe16(b, int(std::lround(std::clamp(s, -1.0, 1.0) * 32767.0)));
    return b;
}

} // namespace

QByteArray synthesisePutKoma()
{
    Rng rng(4242);
    std::vector<double> samples(std::size_t(kRate * 0.12), 0.0);
    strike(samples, 0, 1.0, rng);
    strike(samples, int(kRate * 0.0065), 0.18, rng); // the piece settling on its base

    double peak = 0;
    for (double s : samples)
        peak = std::max(peak, std::abs(s));
    const std::size_t fade = std::size_t(kRate * 0.015);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const std::size_t left = samples.size() - i;
        const double tail = left < fade ? double(left) / fade : 1.0;
        samples[i] *= 0.8 / peak * tail;
    }
    return wavFile(samples);
}
