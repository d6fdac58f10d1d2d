#include "Noise.h"
#include "Palette.h"
#include "Pictures.h"

#include <algorithm>
#include <cmath>

using namespace shapes;

namespace {
// Stars per pixel in each brightness class at density 1: mostly faint, a few bright.
constexpr float kFaintRate = 0.0026f;
constexpr float kMediumRate = 0.0005f;
constexpr float kBrightRate = 0.00009f;

constexpr uint32_t kFieldSeed = 2024;
constexpr float kSunRadius = kSunSize / 2.0f;
constexpr float kSunClearance = 40;  // no star shows through the sun's glow
// Faint enough that a black box over the veil goes unnoticed.
constexpr float kFieldNebula = 0.035f;

// Mostly white, some blue, fewer yellow and orange, the odd red dwarf.
Color starTint(Random& random) {
    float pick = random.uniform();
    if (pick < 0.55f) return {0.95f, 0.96f, 1.0f};
    if (pick < 0.75f) return {0.72f, 0.82f, 1.0f};
    if (pick < 0.9f) return {1.0f, 0.92f, 0.74f};
    if (pick < 0.97f) return {1.0f, 0.76f, 0.52f};
    return {1.0f, 0.58f, 0.48f};
}

// Faint stars are one pixel; brighter ones get a halo, the brightest four short spikes.
void drawStar(Canvas& canvas, Vec at, float brightness, Color tint) {
    int x = int(at.x);
    int y = int(at.y);
    canvas.light(x, y, tint * brightness);
    if (brightness < 0.45f) return;
    canvas.glow({x + 0.5f, y + 0.5f}, 0.9f, tint * (brightness * 0.22f));
    if (brightness < 0.8f) return;
    for (int step = 1; step <= 3; ++step) {
        Color spike = tint * (brightness * 0.3f / float(step * step));
        canvas.light(x + step, y, spike);
        canvas.light(x - step, y, spike);
        canvas.light(x, y + step, spike);
        canvas.light(x, y - step, spike);
    }
}

void scatter(Canvas& canvas, Random& random, int count, float low, float high, const Shape& avoid) {
    for (int i = 0; i < count; ++i) {
        Vec at{random.range(0, float(canvas.width())), random.range(0, float(canvas.height()))};
        float brightness = random.range(low, high);
        Color tint = starTint(random);
        if (!avoid || avoid(at) > 0) drawStar(canvas, at, brightness, tint);
    }
}

// A colour that changes slowly across the picture, so it is worked out every few pixels
// and blended in between.
class CoarseField {
public:
    static constexpr int kStep = 4;

    CoarseField(int width, int height, const Shader& source)
        : columns(width / kStep + 2), rows(height / kStep + 2), samples(size_t(columns) * rows) {
        for (int j = 0; j < rows; ++j)
            for (int i = 0; i < columns; ++i)
                samples[size_t(j) * columns + i] = source({float(i * kStep), float(j * kStep)});
    }

    Color at(int x, int y) const {
        int i = x / kStep;
        int j = y / kStep;
        float tx = float(x % kStep) / kStep;
        float ty = float(y % kStep) / kStep;
        Color top = mix(sample(i, j), sample(i + 1, j), tx);
        Color bottom = mix(sample(i, j + 1), sample(i + 1, j + 1), tx);
        return mix(top, bottom, ty);
    }

private:
    Color sample(int i, int j) const { return samples[size_t(j) * columns + i]; }

    int columns;
    int rows;
    std::vector<Color> samples;
};

void drawField(Canvas& canvas) {
    drawNebula(canvas, kFieldSeed, [](Vec) { return kFieldNebula; });
    drawStars(canvas, kFieldSeed, 1, circle(kSunCentre, kSunClearance));
}

// The bright disc is the sun's body; the glow around it fades well before it matters.
void drawSun(Canvas& canvas, Vec centre, float radius) {
    Box area = boxAround(centre, radius * 7);
    for (int y = area.y0; y < area.y1; ++y)
        for (int x = area.x0; x < area.x1; ++x) {
            float outside = std::max(0.0f, length(Vec{x + 0.5f, y + 0.5f} - centre) - radius);
            float glow = 0.5f * std::exp(-outside / 4) + 0.16f * std::exp(-outside / 15);
            canvas.light(x, y,
                         mix(palette::kSunLimb, palette::kSunGlow, clamp01(outside / 10)) * glow);
        }
    canvas.fill(circle(centre, radius), Shader([=](Vec p) {
                    float t = length(p - centre) / radius;
                    Color inner = mix(palette::kSunCore, palette::kSunBody, t * t);
                    return mix(inner, palette::kSunLimb, smoothstep(0.75f, 1.0f, t));
                }),
                area);
}
}  // namespace

void drawStars(Canvas& canvas, uint32_t seed, float density, const Shape& avoid) {
    Random random(seed);
    float area = float(canvas.width()) * canvas.height() * density;
    scatter(canvas, random, int(area * kFaintRate), 0.14f, 0.36f, avoid);
    scatter(canvas, random, int(area * kMediumRate), 0.45f, 0.72f, avoid);
    scatter(canvas, random, int(area * kBrightRate), 0.8f, 1.0f, avoid);
}

void drawNebula(Canvas& canvas, uint32_t seed, const std::function<float(Vec)>& strength) {
    ValueNoise violet(seed);
    ValueNoise teal(seed + 1);
    // Warping the lookup by more noise draws the veils out into wisps.
    CoarseField veil(canvas.width(), canvas.height(), [&](Vec p) {
        Vec warp{violet.fractal(p * (1 / 300.0f) + Vec{3, 7}, 3),
                 teal.fractal(p * (1 / 300.0f) + Vec{11, 2}, 3)};
        Vec q = p * (1 / 220.0f) + warp * 2.5f;
        float v = smoothstep(0.42f, 0.8f, violet.fractal(q, 5));
        float t = smoothstep(0.48f, 0.85f, teal.fractal(q * 1.3f + Vec{9, 3}, 5));
        return palette::kNebulaViolet * (v * v) + palette::kNebulaTeal * (t * t);
    });
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            float weight = strength({float(x), float(y)});
            if (weight > 0) canvas.light(x, y, veil.at(x, y) * weight);
        }
}

Canvas space() {
    Canvas canvas(kFieldWidth, kFieldHeight);
    drawField(canvas);
    return canvas;
}

Canvas spaceWithSun(Canvas field) {
    drawSun(field, kSunCentre, kSunRadius);
    return field;
}

namespace {
// The planet's light comes from the upper left, like everything else.
const float kPlanetLightX = -0.62f;
const float kPlanetLightY = -0.45f;
const float kPlanetLightZ = 0.64f;

// A ring band in the ring's own frame, kept to one half so the planet can sit between them.
Shape ringHalf(const Placement& frame, float radius, bool front) {
    Shape band = subtract(ellipse({0, 0}, radius * 2.05f, radius * 0.5f),
                          ellipse({0, 0}, radius * 1.4f, radius * 0.33f));
    Shape gap = subtract(ellipse({0, 0}, radius * 1.78f, radius * 0.435f),
                         ellipse({0, 0}, radius * 1.72f, radius * 0.42f));
    Shape half = [front](Vec p) { return front ? -p.y : p.y; };
    return frame.place(intersect(subtract(band, gap), half));
}

Shader ringShade(const Placement& frame, float radius) {
    return frame.place(Shader([radius](Vec p) {
        float k = length(Vec{p.x / 2.05f, p.y / 0.5f}) / radius;
        float stripes = 0.75f + 0.25f * std::sin(k * 60);
        return palette::kRing * (stripes * (p.y < 0 ? 0.55f : 0.9f));
    }));
}

Shader planetShade(Vec centre, float radius) {
    ValueNoise bands(31);
    return [=](Vec p) {
        Vec q = (p - centre) * (1 / radius);
        float z = std::sqrt(std::max(0.0f, 1 - dot(q, q)));
        float lit =
            clamp01((q.x * kPlanetLightX + q.y * kPlanetLightY + z * kPlanetLightZ) * 1.1f + 0.05f);
        float band = bands.fractal(Vec{q.y * 7 + q.x * 0.8f, q.x * 0.6f}, 4);
        Color surface = band < 0.5f ? mix(palette::kPlanetDeep, palette::kPlanetMid, band * 2)
                                    : mix(palette::kPlanetMid, palette::kPlanetLight, band * 2 - 1);
        float rim = std::pow(1 - z, 3) * lit;
        return surface * (0.08f + 0.95f * lit) + palette::kPlanetLight * (0.5f * rim);
    };
}
}  // namespace

void drawPlanet(Canvas& canvas, Vec centre, float radius, float ringTilt) {
    Placement frame{centre, ringTilt, 1};
    Box area = boxAround(centre, radius * 2.2f);
    canvas.fill(ringHalf(frame, radius, false), ringShade(frame, radius), area);
    canvas.fill(circle(centre, radius), planetShade(centre, radius), area);
    canvas.fill(ringHalf(frame, radius, true), ringShade(frame, radius), area);
}
