#include "Shape.h"

#include <gtest/gtest.h>

#include <new>

namespace {

// The smallest concrete polygon: the point list without a hit test of its own.
class Outline : public Polygon {
public:
    explicit Outline(int n) : Polygon(n) {}
    bool on_this(int, int) override { return false; }
};

Rect rectAt(int x, int y, int width, int height) {
    Rect r;
    r.x = x;
    r.y = y;
    r.width = width;
    r.height = height;
    return r;
}

Circle circleAt(int x, int y, int radius) {
    Circle c;
    c.x = x;
    c.y = y;
    c.radius = radius;
    return c;
}

// Whether two shapes overlap, asked both ways round: the answers must agree.
template <typename S>
bool overlap(S a, S b) {
    const bool answer = a.on_this(b);
    EXPECT_EQ(b.on_this(a), answer);
    return answer;
}

// A triangle centred at (1, 2) with the points (10, 11), (20, 21) and (30, 31).
Outline triangle() {
    Outline t(3);
    t.x = 1;
    t.y = 2;
    for (int i = 0; i < 3; ++i) t.set_point(i, 10 * (i + 1), 10 * (i + 1) + 1);
    return t;
}

// Point i is read back as set, and stored at points[2i] and points[2i + 1].
void expectTriangle(Outline& t) {
    EXPECT_EQ(t.num_points, 3);
    EXPECT_EQ(t.x, 1);
    EXPECT_EQ(t.y, 2);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(t.get_point_x(i), 10 * (i + 1)) << i;
        EXPECT_EQ(t.get_point_y(i), 10 * (i + 1) + 1) << i;
        EXPECT_EQ(t.points[2 * i], 10 * (i + 1)) << i;
        EXPECT_EQ(t.points[2 * i + 1], 10 * (i + 1) + 1) << i;
    }
}

// Rectangles: the edges are inside for points, outside for other rectangles.
TEST(RectHitTest, PointsOnTheEdgesAreInside) {
    Rect r = rectAt(10, 10, 4, 6);
    EXPECT_TRUE(r.on_this(8, 7));
    EXPECT_TRUE(r.on_this(12, 13));
    EXPECT_FALSE(r.on_this(13, 10));
    EXPECT_FALSE(r.on_this(10, 14));
}

TEST(RectHitTest, OddSizesReachTheTruncatedHalfEachWay) {
    Rect r = rectAt(0, 0, 5, 1);
    EXPECT_TRUE(r.on_this(-2, 0) && r.on_this(2, 0));
    EXPECT_FALSE(r.on_this(-3, 0) || r.on_this(3, 0));
}

TEST(RectHitTest, RectanglesSharingAnEdgeDoNotOverlap) {
    EXPECT_FALSE(overlap(rectAt(0, 0, 4, 4), rectAt(4, 0, 4, 4)));
    EXPECT_TRUE(overlap(rectAt(0, 0, 4, 4), rectAt(3, 0, 4, 4)));
}

// Circles: the rim is inside, and touching circles overlap.
TEST(CircleHitTest, PointOnTheRimIsInside) {
    Circle c = circleAt(0, 0, 5);
    EXPECT_TRUE(c.on_this(3, 4));
    EXPECT_TRUE(c.on_this(-5, 0));
    EXPECT_FALSE(c.on_this(4, 4));
}

TEST(CircleHitTest, TouchingCirclesOverlap) {
    EXPECT_TRUE(overlap(circleAt(0, 0, 5), circleAt(10, 0, 5)));
    EXPECT_FALSE(overlap(circleAt(0, 0, 5), circleAt(11, 0, 5)));
}

// Polygons: the point list and its ownership.
TEST(PolygonPoints, NegativeCountIsRefusedAsAFailedAllocation) {
    EXPECT_THROW(Outline(-1), std::bad_alloc);
}

TEST(PolygonPointsDeathTest, IndexPastTheLastPointStopsTheProgram) {
    Outline t(3);
    EXPECT_DEATH(t.set_point(3, 1, 1), "num < num_points");
    EXPECT_DEATH(t.get_point_x(3), "num < num_points");
    EXPECT_DEATH(t.get_point_y(3), "num < num_points");
}

TEST(PolygonCopy, CopiesAndAssignmentsOwnTheirOwnPoints) {
    Outline source = triangle();
    Outline copy(source);
    Outline assigned(1);
    assigned.set_point(0, -1, -1);
    assigned = source;
    for (Outline* made : {&copy, &assigned}) {
        EXPECT_NE(made->points, source.points);
        expectTriangle(*made);
    }
    copy.set_point(0, 99, 98);
    assigned.set_point(1, 97, 96);
    expectTriangle(source);
}

TEST(PolygonCopy, SelfAssignmentChangesNothing) {
    Outline t = triangle();
    int* const before = t.points;
    Outline& same = t;
    t = same;
    EXPECT_EQ(t.points, before);
    expectTriangle(t);
}

// Swapping goes through swapem, member by member.
TEST(PolygonSwap, ExchangesCentresCountsAndPoints) {
    Outline a = triangle();
    Outline b(1);
    b.x = -5;
    b.y = -6;
    b.set_point(0, 4, 44);
    a.swap(b);
    expectTriangle(b);
    EXPECT_EQ(a.num_points, 1);
    EXPECT_EQ(a.x, -5);
    EXPECT_EQ(a.y, -6);
    EXPECT_EQ(a.get_point_y(0), 44);
}

}  // namespace
