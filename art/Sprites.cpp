#include "Noise.h"
#include "Palette.h"
#include "Pictures.h"

#include <algorithm>
#include <cmath>

using namespace shapes;

const std::vector<Vec> kShipHullHalf = {{21, 0},  {15, -2.2f},  {8, -4},
                                        {-2, -5}, {-13, -4.6f}, {-17, -3.4f}};
const std::vector<Vec> kShipWingHalf = {
    {7, -4}, {-9, -19}, {-12, -21.5f}, {-16, -21.5f}, {-14, -4}};

namespace {
constexpr int kShipLength = 45;
constexpr int kShipSpan = 48;
constexpr float kShipReach = 26;  // local units from the ship's centre to its farthest glow

const std::vector<Vec> kTrimHalf = {
    {-8.2f, -16.5f}, {-10.4f, -18.6f}, {-15.4f, -18.6f}, {-15.1f, -16.5f}};
const std::vector<Vec> kGunHalf = {{-3, -20.2f}, {-16, -20.2f}, {-16, -22.6f}, {-3, -22.6f}};

// Light comes from the upper left: the upper side of every part is brighter.
Shader hullShade() {
    return [](Vec p) {
        float across = std::fabs(p.y) / 5;
        Color c = mix(palette::kHullLight, palette::kHullDark, clamp01(across * across));
        return c * (p.y < 0 ? 1.0f : 0.82f);
    };
}

Shader wingShade() {
    return [](Vec p) {
        float out = clamp01((std::fabs(p.y) - 4) / 18);
        Color c = mix(palette::kHull, palette::kHullDark, out * 0.8f);
        return c * (p.y < 0 ? 1.0f : 0.78f);
    };
}

// A part drawn for the upper side, copied to the side given (1 upper, -1 lower).
std::vector<Vec> onSide(const std::vector<Vec>& upper, float side) {
    std::vector<Vec> corners;
    for (Vec v : upper) corners.push_back({v.x, v.y * side});
    return corners;
}

void drawWings(Canvas& canvas, const Placement& at, Box area) {
    Shader gunMetal = [](Vec p) {
        return mix(palette::kHullDark, palette::kHull, clamp01((p.x + 16) / 13));
    };
    canvas.fill(at.place(mirroredY(kGunHalf)), at.place(gunMetal), area);
    for (float side : {1.0f, -1.0f}) {
        canvas.fill(at.place(polygon(onSide(kShipWingHalf, side))), at.place(wingShade()), area);
        Vec root{7, -4 * side};
        Vec tip{-9, -19 * side};
        canvas.fill(at.place(segment(root, tip, 0.45f)), palette::kHullLight * 0.9f, area);
        canvas.fill(at.place(polygon(onSide(kTrimHalf, side))),
                    palette::kTrim * (side > 0 ? 1.0f : 0.8f), area);
    }
}

void drawHull(Canvas& canvas, const Placement& at, Box area) {
    canvas.fill(at.place(rectangle(-19.5f, -2.6f, -16, 2.6f)), palette::kHullDark * 0.7f, area);
    canvas.fill(at.place(mirroredY(kShipHullHalf)), at.place(hullShade()), area);
    canvas.fill(at.place(segment({-14, 0}, {15, 0}, 0.35f)), palette::kHullLight, area);
    canvas.fill(at.place(polygon({{21, 0}, {16.5f, -1.6f}, {16.5f, 1.6f}})), palette::kTrim, area);
}

void drawCanopy(Canvas& canvas, const Placement& at, Box area) {
    Shader glass = linear({6, -2.5f}, palette::kCanopy, {6, 2.5f}, palette::kCanopyDeep);
    canvas.fill(at.place(ellipse({5, 0}, 6, 2.6f)), palette::kHullDark * 0.6f, area);
    canvas.fill(at.place(ellipse({5.3f, 0}, 5, 1.9f)), at.place(glass), area);
    canvas.fill(at.place(ellipse({6.5f, -0.9f}, 2, 0.6f)),
                palette::kCanopy * 0.5f + Color{0.5f, 0.5f, 0.5f}, area);
}

void drawEngine(Canvas& canvas, const Placement& at) {
    float s = at.scale;
    canvas.glow(at.toWorld({-20.5f, 0}), 3.2f * s, palette::kEngine * 0.9f);
    canvas.glow(at.toWorld({-19.8f, 0}), 1.5f * s, palette::kEngineHot);
}
}  // namespace

void drawShip(Canvas& canvas, const Placement& where) {
    Box area = boxAround(where.centre, kShipReach * where.scale);
    drawWings(canvas, where, area);
    drawHull(canvas, where, area);
    drawCanopy(canvas, where, area);
    drawEngine(canvas, where);
}

Canvas ship() {
    Canvas canvas(kShipLength, kShipSpan);
    drawShip(canvas, {{kShipLength / 2.0f + 0.5f, kShipSpan / 2.0f}, 0, 1});
    return canvas;
}

// A ball of light with a level flare through it: it looks the same whichever way it flies.
Canvas photon() {
    Canvas canvas(23, 8);
    Vec centre{11.5f, 4};
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            Vec d = Vec{x + 0.5f, y + 0.5f} - centre;
            float flare = std::exp(-d.x * d.x / 50) * std::exp(-d.y * d.y / 0.8f);
            canvas.light(x, y, palette::kPhotonGlow * (0.75f * flare));
        }
    canvas.glow(centre, 2.8f, palette::kPhotonGlow);
    canvas.glow(centre, 1.6f, palette::kPhotonCore);
    return canvas;
}

namespace {
// Heat 0..1 to colour: smoke, deep red, orange, yellow, white.
Color fireColor(float heat) {
    const Color ramp[] = {palette::kSmoke, palette::kFireDeep, palette::kSunGlow, palette::kSunBody,
                          palette::kSunCore};
    float scaled = clamp01(heat) * 4;
    int i = std::min(3, int(scaled));
    return mix(ramp[i], ramp[i + 1], scaled - i);
}

// Glowing embers thrown clear of the fireball.
void drawEmbers(Canvas& canvas, Vec centre, Random& random) {
    for (int i = 0; i < 12; ++i) {
        float angle = random.range(0, 6.2832f);
        Vec at = centre + Vec{std::cos(angle), std::sin(angle)} * random.range(13, 20);
        canvas.glow(at, random.range(0.5f, 0.9f),
                    mix(palette::kSunBody, palette::kSunGlow, random.uniform()));
    }
}
}  // namespace

// A fireball whose ragged edge comes from noise; hot in the middle, smoke at the rim.
Canvas explosion() {
    Canvas canvas(45, 48);
    Vec centre{22.5f, 24};
    ValueNoise edge(7);
    ValueNoise churn(8);
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            Vec p{x + 0.5f, y + 0.5f};
            Vec d = p - centre;
            float reach = 19 * (0.62f + 0.55f * edge.fractal(d * 0.09f + Vec{40, 40}, 3));
            float heat = (1 - length(d) / reach) * (0.55f + 0.8f * churn.fractal(p * 0.16f, 3));
            if (heat > 0) canvas.paint(x, y, fireColor(heat * 1.25f), clamp01(heat * 6));
        }
    Random random(99);
    drawEmbers(canvas, centre, random);
    canvas.glow(centre, 6, palette::kSunBody * 0.35f);
    return canvas;
}

namespace {
// The light on every rock, pointing towards the viewer's upper left.
const float kLightX = -0.55f;
const float kLightY = -0.6f;
const float kLightZ = 0.58f;

const Color kRocks[] = {hex(0x8C7B6B), hex(0x7E8088), hex(0x967F66), hex(0x85736A), hex(0x7B776F)};

struct Crater {
    Vec centre;
    float radius;
};

// How much a crater darkens or lights a point: the wall facing the light is in shadow.
float craterShade(const std::vector<Crater>& craters, Vec p) {
    float shade = 1;
    for (const Crater& c : craters) {
        Vec d = (p - c.centre) * (1 / c.radius);
        float r = length(d);
        float facing = -(d.x * kLightX + d.y * kLightY) / 0.81f;
        if (r < 1)
            shade *= 0.8f + 0.32f * facing;
        else if (r < 1.35f)
            shade *= 1 - 0.18f * facing * (1.35f - r) / 0.35f;
    }
    return shade;
}

std::vector<Crater> scatterCraters(Random& random, Vec centre, float radius) {
    std::vector<Crater> craters;
    int count = 1 + int(radius / 6);
    for (int i = 0; i < count; ++i) {
        float a = random.range(0, 6.2832f);
        float r = random.range(0, radius * 0.55f);
        craters.push_back(
            {centre + Vec{std::cos(a), std::sin(a)} * r, random.range(1.3f, 0.22f * radius + 1)});
    }
    return craters;
}
}  // namespace

// A lumpy outline around a sphere's shading, with noise grain and a few craters.
Canvas asteroid(int size, uint32_t seed) {
    Canvas canvas(size, size);
    Vec centre{size / 2.0f, size / 2.0f};
    float radius = size / 2.0f - 0.8f;
    ValueNoise outline(seed);
    ValueNoise grain(seed + 100);
    Random random(seed);
    std::vector<Crater> craters = scatterCraters(random, centre, radius);
    Color rock = kRocks[seed % 5];

    auto edgeAt = [&](Vec d) {
        float a = std::atan2(d.y, d.x);
        float lumps = outline.fractal(Vec{std::cos(a), std::sin(a)} * 1.7f + Vec{50, 50}, 2);
        return radius * (0.5f + 0.75f * lumps);
    };
    Shape body = [&](Vec p) { return length(p - centre) - std::min(radius, edgeAt(p - centre)); };
    Shader surface = [&](Vec p) {
        Vec q = (p - centre) * (1 / std::min(radius, edgeAt(p - centre)));
        float z = std::sqrt(std::max(0.0f, 1 - dot(q, q)));
        float lit = std::max(0.0f, q.x * kLightX + q.y * kLightY + z * kLightZ) / 0.97f;
        float texture = 0.7f + 0.6f * grain.fractal(p * (4.0f / radius), 3);
        return rock * ((0.12f + 0.95f * lit) * texture * craterShade(craters, p));
    };
    canvas.fill(body, surface);
    return canvas;
}

namespace {
// One solar wing: a frame around dark blue cells.
void drawPanel(Canvas& canvas, float x0, float x1) {
    canvas.fill(rectangle(x0, 12.5f, x1, 29.5f), palette::kHull * 0.8f);
    canvas.fill(rectangle(x0 + 1, 13.5f, x1 - 1, 28.5f),
                linear({x0, 13}, hex(0x3552A8), {x1, 29}, hex(0x101C48)));
    for (float x = x0 + 4.5f; x < x1 - 1; x += 4)
        canvas.fill(rectangle(x, 13.5f, x + 0.5f, 28.5f), hex(0x0A1030));
    canvas.fill(rectangle(x0 + 1, 20.75f, x1 - 1, 21.25f), hex(0x0A1030));
}
}  // namespace

// A little probe: gold body, a camera eye, two solar wings and a dish on a mast.
Canvas probe() {
    Canvas canvas(46, 40);
    Vec body{23, 21};
    canvas.fill(rectangle(13, 20.3f, 33, 21.7f), palette::kHull);
    drawPanel(canvas, 0.5f, 14.5f);
    drawPanel(canvas, 31.5f, 45.5f);
    canvas.fill(segment({23, 8}, {23, 14}, 0.7f), palette::kHull);
    canvas.fill(subtract(ellipse({23, 6}, 7, 3.2f), ellipse({23, 4.6f}, 6, 2.4f)),
                linear({16, 5}, palette::kHullLight, {30, 8}, palette::kHullDark));
    canvas.glow({23, 4}, 0.9f, palette::kTrim);
    std::vector<Vec> octagon;
    for (int i = 0; i < 8; ++i) {
        float a = (22.5f + 45 * i) * kDegToRad;
        octagon.push_back(body + Vec{std::cos(a), std::sin(a)} * 8.6f);
    }
    canvas.fill(polygon(octagon), radial({20, 17}, 13, hex(0xFFE9A0), hex(0x8A5A18)));
    canvas.fill(circle(body, 3.6f), hex(0x101828));
    canvas.fill(circle(body, 2.4f), radial({22, 20}, 3, palette::kCanopy, palette::kCanopyDeep));
    canvas.glow({22.2f, 20.2f}, 0.7f, Color{0.8f, 0.9f, 1});
    canvas.glow({23, 32.5f}, 1.1f, palette::kTrim * 0.9f);
    return canvas;
}
