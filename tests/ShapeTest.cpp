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

Outline triangle() {
    Outline t(3);
    t.x = 1;
    t.y = 2;
    t.set_point(0, 10, 11);
    t.set_point(1, 20, 21);
    t.set_point(2, 30, 31);
    return t;
}

TEST(Swapem, ExchangesTwoValues) {
    int a = 3, b = -7;
    swapem(a, b);
    EXPECT_EQ(a, -7);
    EXPECT_EQ(b, 3);
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
    EXPECT_TRUE(r.on_this(-2, 0));
    EXPECT_TRUE(r.on_this(2, 0));
    EXPECT_FALSE(r.on_this(-3, 0));
    EXPECT_FALSE(r.on_this(3, 0));
}

TEST(RectHitTest, RectanglesSharingAnEdgeDoNotOverlap) {
    Rect left = rectAt(0, 0, 4, 4);
    Rect right = rectAt(4, 0, 4, 4);
    EXPECT_FALSE(left.on_this(right));
    EXPECT_FALSE(right.on_this(left));
    right.x = 3;
    EXPECT_TRUE(left.on_this(right));
    EXPECT_TRUE(right.on_this(left));
}

// Circles: the rim is inside, and touching circles overlap.
TEST(CircleHitTest, PointOnTheRimIsInside) {
    Circle c = circleAt(0, 0, 5);
    EXPECT_TRUE(c.on_this(3, 4));
    EXPECT_TRUE(c.on_this(-5, 0));
    EXPECT_FALSE(c.on_this(4, 4));
}

TEST(CircleHitTest, TouchingCirclesOverlap) {
    Circle a = circleAt(0, 0, 5);
    Circle b = circleAt(10, 0, 5);
    EXPECT_TRUE(a.on_this(b));
    EXPECT_TRUE(b.on_this(a));
    b.x = 11;
    EXPECT_FALSE(a.on_this(b));
    EXPECT_FALSE(b.on_this(a));
}

// Polygons: the point list and its ownership.
TEST(PolygonPoints, SetPointIsReadBack) {
    Outline t(3);
    t.set_point(2, 7, 8);
    EXPECT_EQ(t.num_points, 3);
    EXPECT_EQ(t.get_point_x(2), 7);
    EXPECT_EQ(t.get_point_y(2), 8);
    EXPECT_EQ(t.points[4], 7);
    EXPECT_EQ(t.points[5], 8);
}

TEST(PolygonPoints, NegativeCountIsRefusedAsAFailedAllocation) {
    EXPECT_THROW(Outline(-1), std::bad_alloc);
}

TEST(PolygonPointsDeathTest, IndexPastTheLastPointStopsTheProgram) {
    Outline t(3);
    EXPECT_DEATH(t.set_point(3, 1, 1), "num < num_points");
    EXPECT_DEATH(t.get_point_x(3), "num < num_points");
    EXPECT_DEATH(t.get_point_y(3), "num < num_points");
}

TEST(PolygonCopy, CopyOwnsItsOwnPoints) {
    const Outline source = triangle();
    Outline copy(source);
    EXPECT_NE(copy.points, source.points);
    EXPECT_EQ(copy.num_points, 3);
    EXPECT_EQ(copy.x, 1);
    EXPECT_EQ(copy.y, 2);
    EXPECT_EQ(copy.get_point_y(2), 31);
    copy.set_point(0, 99, 98);
    EXPECT_EQ(source.points[0], 10);
    EXPECT_EQ(source.points[1], 11);
}

TEST(PolygonCopy, AssignmentTakesTheOtherSizeCentreAndPoints) {
    const Outline source = triangle();
    Outline target(1);
    target.set_point(0, -1, -1);
    target = source;
    EXPECT_NE(target.points, source.points);
    EXPECT_EQ(target.num_points, 3);
    EXPECT_EQ(target.x, 1);
    EXPECT_EQ(target.y, 2);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(target.get_point_x(i), 10 * (i + 1));
        EXPECT_EQ(target.get_point_y(i), 10 * (i + 1) + 1);
    }
}

TEST(PolygonCopy, SelfAssignmentChangesNothing) {
    Outline t = triangle();
    int* const before = t.points;
    Outline& same = t;
    t = same;
    EXPECT_EQ(t.points, before);
    EXPECT_EQ(t.num_points, 3);
    EXPECT_EQ(t.x, 1);
    EXPECT_EQ(t.get_point_x(1), 20);
    EXPECT_EQ(t.get_point_y(1), 21);
}

TEST(PolygonSwap, ExchangesCentresCountsAndPoints) {
    Outline a = triangle();
    Outline b(1);
    b.x = -5;
    b.y = -6;
    b.set_point(0, 4, 44);
    a.swap(b);
    EXPECT_EQ(a.num_points, 1);
    EXPECT_EQ(a.x, -5);
    EXPECT_EQ(a.y, -6);
    EXPECT_EQ(a.get_point_y(0), 44);
    EXPECT_EQ(b.num_points, 3);
    EXPECT_EQ(b.x, 1);
    EXPECT_EQ(b.y, 2);
    EXPECT_EQ(b.get_point_x(2), 30);
}

}  // namespace
