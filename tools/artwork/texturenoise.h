#pragma once

#include <cmath>
#include <cstdint>

namespace artwork {

// A small deterministic random source, so that every run draws the same pictures and
// synthesises the same sounds.
class Random {
public:
    explicit Random(std::uint32_t seed) : m_state(seed ? seed : 1u) {}
    std::uint32_t next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    // Uniform in [0, 1).
    double unit() { return (next() >> 8) / double(1u << 24); }
    // Uniform in [-1, 1).
    double signedUnit() { return unit() * 2.0 - 1.0; }

private:
    std::uint32_t m_state;
};

// Smooth value noise on a lattice, in [0, 1]: a hash of the lattice corners blended
// with a smoothstep.
inline double latticeValue(int x, int y, std::uint32_t seed) {
    std::uint32_t h = std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffffff) / double(0xffffff);
}

inline double valueNoise(double x, double y, std::uint32_t seed) {
    const int xi = int(std::floor(x));
    const int yi = int(std::floor(y));
    const double fx = x - xi;
    const double fy = y - yi;
    const double sx = fx * fx * (3 - 2 * fx);
    const double sy = fy * fy * (3 - 2 * fy);
    const double a = latticeValue(xi, yi, seed);
    const double b = latticeValue(xi + 1, yi, seed);
    const double c = latticeValue(xi, yi + 1, seed);
    const double d = latticeValue(xi + 1, yi + 1, seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

// Several octaves of value noise, in about [0, 1].
inline double fractalNoise(double x, double y, int octaves, std::uint32_t seed) {
    double sum = 0;
    double amplitude = 0.5;
    double total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(x, y, seed + std::uint32_t(i) * 101u) * amplitude;
        total += amplitude;
        x *= 2.03;
        y *= 2.03;
        amplitude *= 0.5;
    }
    return sum / total;
}

} // namespace artwork
