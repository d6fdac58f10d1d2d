#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace {
// A glow is negligible past this many radii.
constexpr float kGlowReach = 3.0f;
}  // namespace

Color operator+(Color a, Color b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
Color operator*(Color a, float k) {
    return {a.r * k, a.g * k, a.b * k};
}
Color operator*(Color a, Color b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b};
}
Color mix(Color a, Color b, float t) {
    return a * (1 - t) + b * t;
}

float bilinear(float topLeft, float topRight, float bottomLeft, float bottomRight, float tx,
               float ty) {
    float top = topLeft + (topRight - topLeft) * tx;
    float bottom = bottomLeft + (bottomRight - bottomLeft) * tx;
    return top + (bottom - top) * ty;
}

Color hex(unsigned rgb) {
    auto channel = [rgb](int shift) { return ((rgb >> shift) & 0xFF) / 255.0f; };
    return {channel(16), channel(8), channel(0)};
}

Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y};
}
Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y};
}
Vec operator*(Vec a, float k) {
    return {a.x * k, a.y * k};
}
float dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y;
}
float length(Vec a) {
    return std::sqrt(dot(a, a));
}

Box boxAround(Vec centre, float radius) {
    return {int(std::floor(centre.x - radius)), int(std::floor(centre.y - radius)),
            int(std::ceil(centre.x + radius)) + 1, int(std::ceil(centre.y + radius)) + 1};
}

float clamp01(float v) {
    return std::min(1.0f, std::max(0.0f, v));
}

float smoothstep(float edge0, float edge1, float v) {
    float t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

Canvas::Canvas(int width, int height)
    : w(width), h(height), pixels(size_t(width) * height), coverage(size_t(width) * height) {}

Color Canvas::color(int x, int y) const {
    return pixels[size_t(y) * w + x];
}
float Canvas::alpha(int x, int y) const {
    return coverage[size_t(y) * w + x];
}

void Canvas::paint(int x, int y, Color c, float cover) {
    if (!inside(x, y) || cover <= 0) return;
    size_t i = size_t(y) * w + x;
    pixels[i] = mix(pixels[i], c, cover);
    coverage[i] = coverage[i] * (1 - cover) + cover;
}

void Canvas::light(int x, int y, Color c) {
    if (!inside(x, y)) return;
    size_t i = size_t(y) * w + x;
    pixels[i] = pixels[i] + c;
    coverage[i] = std::min(1.0f, coverage[i] + std::max({c.r, c.g, c.b}));
}

void Canvas::fill(const Shape& shape, const Shader& shader, Box area) {
    area = clipped(area);
    for (int y = area.y0; y < area.y1; ++y)
        for (int x = area.x0; x < area.x1; ++x) {
            Vec centre{x + 0.5f, y + 0.5f};
            float cover = clamp01(0.5f - shape(centre));
            if (cover > 0) paint(x, y, shader(centre), cover);
        }
}

void Canvas::fill(const Shape& shape, const Shader& shader) {
    fill(shape, shader, bounds());
}

void Canvas::fill(const Shape& shape, Color c, Box area) {
    fill(
        shape, [c](Vec) { return c; }, area);
}

void Canvas::fill(const Shape& shape, Color c) {
    fill(shape, c, bounds());
}

void Canvas::glow(Vec centre, float radius, Color c) {
    Box area = clipped(boxAround(centre, radius * kGlowReach));
    for (int y = area.y0; y < area.y1; ++y)
        for (int x = area.x0; x < area.x1; ++x) {
            Vec d = Vec{x + 0.5f, y + 0.5f} - centre;
            light(x, y, c * std::exp(-dot(d, d) / (radius * radius)));
        }
}

bool Canvas::inside(int x, int y) const {
    return x >= 0 && y >= 0 && x < w && y < h;
}

Box Canvas::clipped(Box area) const {
    return {std::max(area.x0, 0), std::max(area.y0, 0), std::min(area.x1, w), std::min(area.y1, h)};
}
