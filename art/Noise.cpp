#include "Noise.h"

#include <cmath>

namespace {
// A zero state would stick at zero; any other fixed value keeps the sequence going.
constexpr uint32_t kNonZero = 0x9E3779B9u;

uint32_t hash(uint32_t v) {
    v ^= v >> 16;
    v *= 0x7FEB352Du;
    v ^= v >> 15;
    v *= 0x846CA68Bu;
    v ^= v >> 16;
    return v;
}

// About 37 degrees between octaves.
constexpr float kTurnCos = 0.8f;
constexpr float kTurnSin = 0.6f;

float fade(float t) {
    return t * t * (3 - 2 * t);
}
}  // namespace

Random::Random(uint32_t seed) : state(hash(seed) ? hash(seed) : kNonZero) {}

uint32_t Random::next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

float Random::uniform() {
    return (next() >> 8) / float(1 << 24);
}
float Random::range(float low, float high) {
    return low + (high - low) * uniform();
}

ValueNoise::ValueNoise(uint32_t seed) : seed(seed) {}

float ValueNoise::lattice(int x, int y) const {
    uint32_t h = hash(uint32_t(x) * 0x8DA6B343u ^ hash(uint32_t(y) * 0xD8163841u ^ seed));
    return (h >> 8) / float(1 << 24);
}

float ValueNoise::at(Vec p) const {
    int x = int(std::floor(p.x));
    int y = int(std::floor(p.y));
    float tx = fade(p.x - x);
    float ty = fade(p.y - y);
    return bilinear(lattice(x, y), lattice(x + 1, y), lattice(x, y + 1), lattice(x + 1, y + 1), tx,
                    ty);
}

// Each octave has twice the detail and half the weight, and is turned a little against the
// last so the lattice never lines up into visible squares; the sum stays in 0..1.
float ValueNoise::fractal(Vec p, int octaves) const {
    float sum = 0;
    float weight = 0.5f;
    float total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += at(p) * weight;
        total += weight;
        weight *= 0.5f;
        p = Vec{p.x * kTurnCos - p.y * kTurnSin, p.x * kTurnSin + p.y * kTurnCos} * 2 +
            Vec{17.3f, 5.1f};
    }
    return sum / total;
}
