#include "GameMain.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace testsupport;

namespace {

// Bodies in an empty folder: physics never looks at pictures.
class PhysicsTest : public testing::Test {
protected:
    void SetUp() override { screen = makeScreen(800, 600); }
    void TearDown() override { SDL_FreeSurface(screen); }

    TempResources files;
    SDL_Surface* screen = nullptr;
};

// The sun at (395, 295) with the match's strength: the inverse square of the
// distance, capped at 50 and pointing east at distance 0.
TEST_F(PhysicsTest, GravityFallsWithTheSquareOfTheDistanceUpToFifty) {
    // Straight down, converted to degrees with gravity's pi and back with the bodies'.
    const double south = std::atan2(1.0, 0.0) * 180.0 / 3.1415926535859 * 3.14159 / 180.0;
    const struct { int x, y; double pull, angle; } cases[] = {
        {295, 295, 0.098, 0.0}, {395, 285, 9.8, south},
        {391, 295, 50.0, 0.0},  {395, 295, 50.0, 0.0}};
    Sprite sun(true);
    sun.setPos(395, 295);
    for (const auto& c : cases) {
        Sprite body(false);
        body.setPos(c.x, c.y);
        pullGravity(body, sun, 980.0);
        EXPECT_NEAR(body.getVel().magnitude, c.pull, 1e-12) << c.x << "," << c.y;
        EXPECT_NEAR(body.getVel().angle, c.angle, 1e-15) << c.x << "," << c.y;
    }
    EXPECT_DOUBLE_EQ(sun.getVel().magnitude, 0.0);
}

// Both bodies must be collidable, and rectangles that only touch do not meet;
// odd sizes lose their half pixel.
TEST_F(PhysicsTest, CollisionIsStrictAndNeedsBothBodiesCollidable) {
    const struct { int h, w, x, y; bool other, meet; } cases[] = {
        {10, 10, 9, 9, true, true},  {10, 10, 9, 9, false, false}, {10, 10, 10, 0, true, false},
        {10, 10, 9, 10, true, false}, {48, 45, 43, 0, true, true},  {48, 45, 44, 0, true, false}};
    for (const auto& c : cases) {
        Sprite a(true), b(c.other);
        a.resize(c.h, c.w);
        b.resize(c.h, c.w);
        b.setPos(c.x, c.y);
        EXPECT_EQ(collision(a, b), c.meet) << c.w << " wide at " << c.x << "," << c.y;
        EXPECT_EQ(collision(b, a), c.meet) << c.w << " wide at " << c.x << "," << c.y;
    }
}

TEST_F(PhysicsTest, WrapWindowBoundsAreStrict) {
    Sprite body(false);
    const int still[][2] = {{780, 0}, {-20, 0}, {0, 580}, {0, -20}, {-10, -10}};
    for (const auto& p : still) {
        body.setPos(p[0], p[1]);
        update_wrapAroundScreen(body, screen);
        EXPECT_EQ(body.getx(), p[0]);
        EXPECT_EQ(body.gety(), p[1]);
    }
    body.setPos(780, 300);
    body.pushPos(0.001, 0);
    update_wrapAroundScreen(body, screen);
    EXPECT_NEAR(body.getPos().x, -19.999, 1e-9);
    body.setPos(-20, 300);
    body.pushPos(-0.5, 0);
    update_wrapAroundScreen(body, screen);
    EXPECT_NEAR(body.getPos().x, 779.5, 1e-9);
}

TEST_F(PhysicsTest, WrapShiftsEachAxisOnceInOneCallKeepingTheFraction) {
    Sprite body(false);
    body.setVel(2, 45);
    body.pushPos(790.25, 590.5, 1.5);
    update_wrapAroundScreen(body, screen);
    EXPECT_DOUBLE_EQ(body.getPos().x, -9.75);
    EXPECT_DOUBLE_EQ(body.getPos().y, -9.5);
    EXPECT_EQ(body.getx(), -9);
    EXPECT_EQ(body.gety(), -9);
    EXPECT_DOUBLE_EQ(body.getPos().facing, 1.5);
    EXPECT_DOUBLE_EQ(body.getVel().magnitude, 2.0);
    body.setPos(-30, -25);
    update_wrapAroundScreen(body, screen);
    EXPECT_EQ(body.getx(), 770);
    EXPECT_EQ(body.gety(), 575);
    body.setPos(2000, 0);
    update_wrapAroundScreen(body, screen);
    EXPECT_EQ(body.getx(), 1200);
}

}  // namespace
