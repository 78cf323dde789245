#include "sounds.h"

#include "texturenoise.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

constexpr double kTwoPi = 6.283185307179586;

std::vector<double> silence(double seconds) {
    return std::vector<double>(size_t(seconds * kSampleRate), 0.0);
}

// A mechanical click at `at` seconds: a burst of noise through a resonance, decaying
// within a few milliseconds, and a short body tone under it.
void addClick(std::vector<double>& out, double at, double amplitude, double resonance, double decay,
              std::uint32_t seed) {
    Random random(seed);
    const size_t start = size_t(at * kSampleRate);
    // A two-pole resonator excited by decaying noise.
    const double r = std::exp(-kTwoPi * 400.0 / kSampleRate);
    const double c = 2 * r * std::cos(kTwoPi * resonance / kSampleRate);
    double y1 = 0;
    double y2 = 0;
    const size_t n = size_t(decay * 6 * kSampleRate);
    for (size_t i = 0; i < n && start + i < out.size(); ++i) {
        const double t = double(i) / kSampleRate;
        const double envelope = std::exp(-t / decay);
        const double x = random.signedUnit() * envelope;
        const double y = x + c * y1 - r * r * y2;
        y2 = y1;
        y1 = y;
        const double body = std::sin(kTwoPi * resonance * 0.31 * t) * std::exp(-t / (decay * 1.5));
        out[start + i] += amplitude * (y * 0.35 + body * 0.5);
    }
}

// A motor's hum between two speeds: the rotation's fundamental and harmonics, with
// the rattle of the mechanism at the rotation rate.
void addMotor(std::vector<double>& out, double from, double to, double rpsStart, double rpsEnd,
              double amplitude, std::uint32_t seed) {
    Random random(seed);
    const size_t a = size_t(from * kSampleRate);
    const size_t b = std::min(out.size(), size_t(to * kSampleRate));
    double phase = 0;
    double rattlePhase = 0;
    double noise = 0;
    for (size_t i = a; i < b; ++i) {
        const double u = double(i - a) / double(b - a);
        const double rps = rpsStart + (rpsEnd - rpsStart) * u;
        const double hum = 50.0 * rps / 25.0;
        phase += kTwoPi * hum / kSampleRate;
        rattlePhase += kTwoPi * rps * 0.5 / kSampleRate;
        // Low-passed noise for the brushes and the gears.
        noise = noise * 0.86 + random.signedUnit() * 0.14;
        const double rattle = std::pow(0.5 + 0.5 * std::sin(rattlePhase), 8);
        const double v = std::sin(phase) * 0.55 + std::sin(phase * 2) * 0.25 + std::sin(phase * 3) * 0.12 +
                         noise * (0.35 + rattle * 0.9);
        // Fade in and out over 40 ms so that nothing clicks at the edges.
        const double edge = std::min({1.0, (i - a) / (0.04 * kSampleRate), (b - i) / (0.04 * kSampleRate)});
        out[i] += amplitude * v * edge * (rpsStart + (rpsEnd - rpsStart) * u > 0 ? 1.0 : 0.0);
    }
}

void normalise(std::vector<double>& samples, double peak) {
    double top = 0;
    for (double s : samples)
        top = std::max(top, std::abs(s));
    if (top > 0) {
        for (double& s : samples)
            s *= peak / top;
    }
}

} // namespace

std::vector<double> cipherSound() {
    auto out = silence(0.09);
    addClick(out, 0.000, 0.9, 3200, 0.004, 1);
    addClick(out, 0.026, 0.7, 3600, 0.004, 2);
    addClick(out, 0.052, 0.8, 4100, 0.005, 3);
    normalise(out, 0.6);
    return out;
}

std::vector<double> plainSound() {
    auto out = silence(0.07);
    addClick(out, 0.002, 1.0, 1900, 0.006, 4);
    addClick(out, 0.010, 0.35, 700, 0.010, 5);
    normalise(out, 0.55);
    return out;
}

std::vector<double> runSound() {
    auto out = silence(1.9);
    addMotor(out, 0.0, 1.9, 24, 25, 0.5, 6);
    for (double t = 0.15; t < 1.8; t += 0.163)
        addClick(out, t, 0.25, 2100, 0.005, std::uint32_t(t * 1000));
    normalise(out, 0.5);
    return out;
}

std::vector<double> startSound() {
    auto out = silence(0.9);
    addClick(out, 0.0, 1.0, 2600, 0.006, 7);
    addMotor(out, 0.03, 0.9, 4, 25, 0.6, 8);
    normalise(out, 0.55);
    return out;
}

std::vector<double> stopSound() {
    auto out = silence(0.7);
    addMotor(out, 0.0, 0.62, 25, 3, 0.6, 9);
    addClick(out, 0.62, 1.0, 2300, 0.006, 10);
    normalise(out, 0.55);
    return out;
}

QByteArray waveFile(const std::vector<double>& samples) {
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray out;
    auto put32 = [&out](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        out.append(b, 4);
    };
    auto put16 = [&out](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        out.append(b, 2);
    };
    out.append("RIFF", 4);
    put32(36 + dataBytes);
    out.append("WAVE", 4);
    out.append("fmt ", 4);
    put32(16);
    put16(1); // PCM
    put16(1); // mono
    put32(kSampleRate);
    put32(kSampleRate * 2);
    put16(2);
    put16(16);
    out.append("data", 4);
    put32(dataBytes);
    for (double s : samples)
        put16(quint16(qint16(std::lround(std::clamp(s, -1.0, 1.0) * 32767))));
    return out;
}

} // namespace artwork
