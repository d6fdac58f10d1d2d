#pragma once

#include "Canvas.h"

#include <cstdint>

// A small seeded generator (xorshift32), so every run draws the same pictures.
class Random {
public:
    explicit Random(uint32_t seed);

    uint32_t next();
    float uniform();
    float range(float low, float high);

private:
    uint32_t state;
};

// Smooth value noise on an integer lattice, in 0..1, with a fractal sum of octaves.
class ValueNoise {
public:
    explicit ValueNoise(uint32_t seed);

    float at(Vec p) const;
    float fractal(Vec p, int octaves) const;

private:
    float lattice(int x, int y) const;

    uint32_t seed;
};
