#include "Shapes.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace shapes {

namespace {
constexpr float kRoughDistance = 16;

float segmentDistance(Vec p, Vec a, Vec b) {
    Vec ab = b - a;
    float t = clamp01(dot(p - a, ab) / std::max(dot(ab, ab), 1e-6f));
    return length(p - (a + ab * t));
}
}  // namespace

Shape circle(Vec centre, float radius) {
    return [=](Vec p) { return length(p - centre) - radius; };
}

// Not an exact distance, but close enough near the outline to anti-alias it.
Shape ellipse(Vec centre, float rx, float ry) {
    return [=](Vec p) {
        Vec q{(p.x - centre.x) / rx, (p.y - centre.y) / ry};
        float k = length(q);
        return (k - 1) * std::min(rx, ry) * (k < 1 ? 1 : std::sqrt(k));
    };
}

// The exact distance to the outline, signed by even-odd crossing.
Shape polygon(std::vector<Vec> corners) {
    return [corners = std::move(corners)](Vec p) {
        float best = 1e9f;
        bool in = false;
        for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
            Vec a = corners[i];
            Vec b = corners[j];
            best = std::min(best, segmentDistance(p, a, b));
            if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
                in = !in;
        }
        return in ? -best : best;
    };
}

Shape segment(Vec a, Vec b, float halfWidth) {
    return [=](Vec p) { return segmentDistance(p, a, b) - halfWidth; };
}

// Far from the path the distance to its bounding box is close enough, and much quicker.
Shape stroke(std::vector<Vec> path, float halfWidth) {
    Vec low = path.front();
    Vec high = path.front();
    for (Vec v : path) {
        low = {std::min(low.x, v.x), std::min(low.y, v.y)};
        high = {std::max(high.x, v.x), std::max(high.y, v.y)};
    }
    return [path = std::move(path), halfWidth, low, high](Vec p) {
        Vec outside{std::max({low.x - p.x, 0.0f, p.x - high.x}),
                    std::max({low.y - p.y, 0.0f, p.y - high.y})};
        float rough = length(outside) - halfWidth;
        if (rough > kRoughDistance) return rough;
        float best = 1e9f;
        for (size_t i = 1; i < path.size(); ++i)
            best = std::min(best, segmentDistance(p, path[i - 1], path[i]));
        return best - halfWidth;
    };
}

Shape rectangle(float x0, float y0, float x1, float y1) {
    return [=](Vec p) { return std::max({x0 - p.x, p.x - x1, y0 - p.y, p.y - y1}); };
}

Shape unite(Shape a, Shape b) {
    return [=](Vec p) { return std::min(a(p), b(p)); };
}

Shape subtract(Shape from, Shape cut) {
    return [=](Vec p) { return std::max(from(p), -cut(p)); };
}

Shape intersect(Shape a, Shape b) {
    return [=](Vec p) { return std::max(a(p), b(p)); };
}

Shape grown(Shape s, float by) {
    return [=](Vec p) { return s(p) - by; };
}

// Half an outline given above the axis y = 0, completed by its mirror image below.
Shape mirroredY(std::vector<Vec> corners) {
    std::vector<Vec> whole = corners;
    for (auto it = corners.rbegin(); it != corners.rend(); ++it) whole.push_back({it->x, -it->y});
    return polygon(whole);
}

Shape cached(const Shape& s, Box area) {
    int w = area.x1 - area.x0;
    int h = area.y1 - area.y0;
    auto grid = std::make_shared<std::vector<float>>(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            (*grid)[size_t(y) * w + x] = s({area.x0 + x + 0.5f, area.y0 + y + 0.5f});
    return [grid, area, w, h](Vec p) {
        float fx = p.x - 0.5f - area.x0;
        float fy = p.y - 0.5f - area.y0;
        int x = int(std::floor(fx));
        int y = int(std::floor(fy));
        if (x < 0 || y < 0 || x + 1 >= w || y + 1 >= h) return 1e9f;
        auto at = [&](int i, int j) { return (*grid)[size_t(j) * w + i]; };
        return bilinear(at(x, y), at(x + 1, y), at(x, y + 1), at(x + 1, y + 1), fx - x, fy - y);
    };
}

std::vector<Vec> arc(Vec centre, float rx, float ry, float fromDeg, float toDeg, int steps) {
    std::vector<Vec> points;
    for (int i = 0; i <= steps; ++i) {
        float a = (fromDeg + (toDeg - fromDeg) * i / steps) * kDegToRad;
        points.push_back({centre.x + rx * std::cos(a), centre.y + ry * std::sin(a)});
    }
    return points;
}

Shader linear(Vec from, Color a, Vec to, Color b) {
    Vec d = to - from;
    float span = dot(d, d);
    return [=](Vec p) { return mix(a, b, clamp01(dot(p - from, d) / span)); };
}

Shader radial(Vec centre, float radius, Color inner, Color outer) {
    return [=](Vec p) { return mix(inner, outer, clamp01(length(p - centre) / radius)); };
}

Vec Placement::toLocal(Vec world) const {
    float a = -degrees * kDegToRad;
    Vec d = (world - centre) * (1 / scale);
    return {d.x * std::cos(a) - d.y * std::sin(a), d.x * std::sin(a) + d.y * std::cos(a)};
}

Vec Placement::toWorld(Vec local) const {
    float a = degrees * kDegToRad;
    Vec turned{local.x * std::cos(a) - local.y * std::sin(a),
               local.x * std::sin(a) + local.y * std::cos(a)};
    return centre + turned * scale;
}

Shape Placement::place(Shape local) const {
    Placement self = *this;
    return [self, local](Vec p) { return local(self.toLocal(p)) * self.scale; };
}

Shader Placement::place(Shader local) const {
    Placement self = *this;
    return [self, local](Vec p) { return local(self.toLocal(p)); };
}

}  // namespace shapes
