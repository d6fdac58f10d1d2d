#include "Shape.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

struct Outline : Polygon {  // the smallest concrete polygon: points without a hit test
    explicit Outline(int n) : Polygon(n) {}
    bool on_this(int, int) override { return false; }
};

// Edges count for points, not between rectangles; circles' rims count both ways.
TEST(ShapeHitTest, EdgesCountForPointsAndCirclesButNotRectangles) {
    Rect r, odd, a, b;
    r.x = r.y = 10, r.width = 4, r.height = 6;
    odd.width = 5, odd.height = 1;
    Circle c, d;
    c.radius = d.radius = 5;
    d.x = 4;
    // clang-format off
    const struct { Shape& shape; int x, y; bool in; } points[] = {
        {r, 8, 7, true},    {r, 12, 13, true}, {r, 13, 10, false}, {r, 10, 14, false},
        {odd, -2, 0, true}, {odd, 3, 0, false}, {c, 3, 4, true},   {c, -5, 0, true},
        {c, 4, 4, false}, {d, 7, 4, true}};
    // clang-format on
    for (const auto& p : points) EXPECT_EQ(p.shape.on_this(p.x, p.y), p.in) << p.x << "," << p.y;
    a.width = a.height = b.width = b.height = 4;
    for (int offset : {3, 4, 10, 11, -3, -4, -10, -11}) {
        for (bool down : {false, true}) {  // along x, then along y
            b.x = d.x = down ? 0 : offset, b.y = d.y = down ? offset : 0;
            EXPECT_EQ(a.on_this(b), std::abs(offset) == 3) << offset << down;
            EXPECT_EQ(b.on_this(a), std::abs(offset) == 3) << offset << down;
            EXPECT_EQ(c.on_this(d), std::abs(offset) <= 10) << offset << down;
            EXPECT_EQ(d.on_this(c), std::abs(offset) <= 10) << offset << down;
        }
    }
}

// Point i is at points[2i] and [2i + 1]; copies own their points; a bad index stops the program.
TEST(PolygonTest, PointListsAreOwnedAndGuarded) {
    EXPECT_THROW(Outline(-1), std::bad_alloc);
    Outline source(3), assigned(1), swapped(1);
    source.x = 1, source.y = 2;
    for (int i = 0; i < 3; ++i) source.set_point(i, 10 * i + 10, 10 * i + 11);
    const auto expectSource = [](Outline& t) {
        EXPECT_EQ(t.num_points, 3);
        EXPECT_EQ(t.x, 1);
        EXPECT_EQ(t.y, 2);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(t.get_point_x(i), 10 * i + 10) << i;
            EXPECT_EQ(t.get_point_y(i), 10 * i + 11) << i;
            EXPECT_EQ(t.points[2 * i + 1], 10 * i + 11) << i;
        }
    };
    Outline copy(source);
    assigned = source;
    Outline& same = assigned;
    assigned = same;
    EXPECT_NE(copy.points, source.points);
    EXPECT_NE(assigned.points, source.points);
    expectSource(copy);
    copy.set_point(0, 99, 98);
    expectSource(source);
    expectSource(assigned);
    swapped.set_point(0, 4, 44);
    swapped.swap(assigned);
    expectSource(swapped);
    EXPECT_EQ(assigned.num_points, 1);
    EXPECT_EQ(assigned.get_point_y(0), 44);
    EXPECT_DEATH(source.set_point(3, 1, 1), "num < num_points");
    EXPECT_DEATH(source.get_point_x(3), "num < num_points");
    EXPECT_DEATH(source.get_point_y(3), "num < num_points");
}
