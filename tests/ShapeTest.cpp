#include "Shape.h"

#include <gtest/gtest.h>

#include <new>

namespace {

// The smallest concrete polygon: the point list without a hit test.
struct Outline : Polygon {
    explicit Outline(int n) : Polygon(n) {}
    bool on_this(int, int) override { return false; }
};

template <typename S>
S at(int x, int y, int a, int b = 0) {
    S s;
    s.x = x;
    s.y = y;
    if constexpr (std::is_same_v<S, Rect>) s.width = a, s.height = b;
    else s.radius = a;
    return s;
}

// Rectangles: the edges are inside for points, outside for other rectangles,
// and odd sizes reach their truncated half. Circles: the rim is inside, and
// touching circles overlap. Each overlap is asked both ways round.
TEST(ShapeHitTest, EdgesCountForPointsAndCirclesButNotRectangles) {
    Rect r = at<Rect>(10, 10, 4, 6), odd = at<Rect>(0, 0, 5, 1);
    Circle c = at<Circle>(0, 0, 5);
    const struct { Shape& shape; int x, y; bool in; } points[] = {
        {r, 8, 7, true},  {r, 12, 13, true}, {r, 13, 10, false}, {r, 10, 14, false},
        {odd, -2, 0, true}, {odd, 3, 0, false}, {c, 3, 4, true}, {c, -5, 0, true}, {c, 4, 4, false}};
    for (const auto& p : points) EXPECT_EQ(p.shape.on_this(p.x, p.y), p.in) << p.x << "," << p.y;
    for (int x : {3, 4}) {
        Rect a = at<Rect>(0, 0, 4, 4), b = at<Rect>(x, 0, 4, 4);
        EXPECT_EQ(a.on_this(b), x == 3);
        EXPECT_EQ(b.on_this(a), x == 3);
    }
    for (int x : {10, 11}) {
        Circle b = at<Circle>(x, 0, 5);
        EXPECT_EQ(c.on_this(b), x == 10);
        EXPECT_EQ(b.on_this(c), x == 10);
    }
}

// Point i is stored at points[2i] and points[2i + 1]; copies, assignments
// and swaps each own their points; an index past the end stops the program.
TEST(PolygonTest, PointListsAreOwnedAndGuarded) {
    EXPECT_THROW(Outline(-1), std::bad_alloc);
    Outline source(3), assigned(1), swapped(1);
    source.x = 1;
    for (int i = 0; i < 3; ++i) source.set_point(i, 10 * i, 10 * i + 1);
    const auto expectSource = [](Outline& t) {
        EXPECT_EQ(t.num_points * 100 + t.x, 301);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(t.get_point_x(i) + t.points[2 * i], 20 * i) << i;
            EXPECT_EQ(t.get_point_y(i) + t.points[2 * i + 1], 20 * i + 2) << i;
        }
    };
    Outline copy(source);
    assigned = source;
    Outline& same = assigned;
    assigned = same;
    EXPECT_NE(copy.points, source.points);
    EXPECT_NE(assigned.points, source.points);
    copy.set_point(0, 99, 98);
    expectSource(source);
    expectSource(assigned);
    swapped.set_point(0, 4, 44);
    swapped.swap(assigned);
    expectSource(swapped);
    EXPECT_EQ(assigned.num_points * 100 + assigned.get_point_y(0), 144);
    EXPECT_DEATH(source.set_point(3, 1, 1), "num < num_points");
    EXPECT_DEATH(source.get_point_x(3), "num < num_points");
    EXPECT_DEATH(source.get_point_y(3), "num < num_points");
}

}  // namespace
