#include "Shape.h"

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

// A point index outside the polygon would read or write past its array, so
// it is checked in every build type, release builds included, and stops the
// program as a failed assertion does, naming the condition it broke.
void checkPoint(int num, int count, const char* function) {
    const char* broken = num >= count ? "num < num_points" : num < 0 ? "num >= 0" : nullptr;
    if (!broken) return;
    std::fprintf(stderr, "Shape.cpp: %s: Assertion `%s' failed.\n", function, broken);
    std::abort();
}

// Two ints per point: x then y.
const std::size_t kIntsPerPoint = 2;

int* newPointArray(int count) {
    if (count < 0) throw std::bad_alloc();
    return new int[kIntsPerPoint * static_cast<std::size_t>(count)]();
}

void copyPoints(const int* from, int* to, int count) {
    const std::size_t ints = kIntsPerPoint * static_cast<std::size_t>(count);
    for (std::size_t i = 0; i < ints; ++i) to[i] = from[i];
}

// The edges of a centred rectangle, with the half sizes truncated toward zero.
struct Edges {
    int left, right, top, bottom;
};

Edges edgesOf(const Rect& r) {
    return {r.x - r.width / 2, r.x + r.width / 2, r.y - r.height / 2, r.y + r.height / 2};
}

// Whole-pixel offsets, squared in double so large ones don't overflow.
double distance(int dx, int dy) {
    const double x = dx;
    const double y = dy;
    return std::sqrt(x * x + y * y);
}

}  // namespace

Polygon::Polygon(int n) : num_points(n), points(newPointArray(n)) {}

Polygon::Polygon(const Polygon& other)
    : Shape(other), num_points(other.num_points), points(newPointArray(other.num_points)) {
    copyPoints(other.points, points, num_points);
}

Polygon& Polygon::operator=(const Polygon& other) {
    if (this == &other) return *this;
    // Allocate before letting go, so a failed allocation leaves this polygon whole.
    int* fresh = newPointArray(other.num_points);
    copyPoints(other.points, fresh, other.num_points);
    num_points = other.num_points;
    x = other.x;
    y = other.y;
    delete[] points;
    points = fresh;
    return *this;
}

Polygon::~Polygon() {
    delete[] points;
}

void Polygon::swap(Polygon& other) {
    swapem(num_points, other.num_points);
    swapem(x, other.x);
    swapem(y, other.y);
    swapem(points, other.points);
}

void Polygon::set_point(int num, int px, int py) {
    checkPoint(num, num_points, "Polygon::set_point");
    points[kIntsPerPoint * num] = px;
    points[kIntsPerPoint * num + 1] = py;
}

int Polygon::get_point_x(int num) {
    checkPoint(num, num_points, "Polygon::get_point_x");
    return points[kIntsPerPoint * num];
}

int Polygon::get_point_y(int num) {
    checkPoint(num, num_points, "Polygon::get_point_y");
    return points[kIntsPerPoint * num + 1];
}

bool Rect::on_this(int px, int py) {
    const Edges me = edgesOf(*this);
    return me.left <= px && px <= me.right && me.top <= py && py <= me.bottom;
}

bool Rect::on_this(const Rect& other) {
    const Edges me = edgesOf(*this);
    const Edges them = edgesOf(other);
    return me.bottom > them.top && me.top < them.bottom && me.right > them.left &&
           me.left < them.right;
}

bool Circle::on_this(int px, int py) {
    return static_cast<double>(radius) >= distance(px - x, py - y);
}

bool Circle::on_this(const Circle& other) {
    const double reach = static_cast<double>(radius) + other.radius;
    return reach >= distance(other.x - x, other.y - y);
}
