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

TEST_F(PhysicsTest, GravityFallsWithTheSquareOfTheDistance) {
    Sprite body(false), sun(true);
    sun.setPos(395, 295);
    body.setPos(295, 295);
    pullGravity(body, sun, 980.0);
    EXPECT_NEAR(body.getVel().magnitude, 0.098, 1e-12);
    EXPECT_NEAR(body.getVel().angle, 0.0, 1e-12);

    Sprite near(false);
    near.setPos(395, 285);
    pullGravity(near, sun, 980.0);
    EXPECT_NEAR(near.getVel().magnitude, 9.8, 1e-9);
    EXPECT_NEAR(near.getVel().angle, 1.570795, 1e-8);  // 90 degrees in the bodies' radians
    EXPECT_DOUBLE_EQ(sun.getVel().magnitude, 0.0);
}

TEST_F(PhysicsTest, GravityUsesItsOwnPiForTheDirection) {
    Sprite body(false), sun(true);
    sun.setPos(0, 100);
    pullGravity(body, sun, 980.0);
    // 90 degrees converted back with the bodies' rounded pi.
    const double degrees = std::atan2(100.0, 0.0) * 180.0 / 3.1415926535859;
    EXPECT_NEAR(body.getVel().angle, degrees * 3.14159 / 180.0, 1e-15);
}

TEST_F(PhysicsTest, GravityIsCappedAtFiftyAndPointsEastAtDistanceZero) {
    Sprite body(false), sun(true);
    sun.setPos(100, 100);
    body.setPos(100, 100);
    pullGravity(body, sun, 980.0);
    EXPECT_DOUBLE_EQ(body.getVel().magnitude, 50.0);
    EXPECT_DOUBLE_EQ(body.getVel().angle, 0.0);
    Sprite close(false);
    close.setPos(96, 100);
    pullGravity(close, sun, 980.0);
    EXPECT_DOUBLE_EQ(close.getVel().magnitude, 50.0);
}

TEST_F(PhysicsTest, CollisionNeedsBothBodiesCollidable) {
    Sprite a(true), b(false);
    EXPECT_FALSE(collision(a, b));
    EXPECT_FALSE(collision(b, a));
    b.setCollid(true);
    EXPECT_TRUE(collision(a, b));
}

TEST_F(PhysicsTest, TouchingEdgesDoNotCollide) {
    Sprite a(true), b(true);
    a.resize(10, 10);
    b.resize(10, 10);
    b.setPos(10, 0);
    EXPECT_FALSE(collision(a, b));
    b.setPos(9, 9);
    EXPECT_TRUE(collision(a, b));
    EXPECT_TRUE(collision(b, a));
    b.setPos(9, 10);
    EXPECT_FALSE(collision(a, b));
}

TEST_F(PhysicsTest, OddSizesLoseTheirHalfPixel) {
    Sprite a(true), b(true);
    a.resize(48, 45);
    b.resize(48, 45);
    b.setPos(44, 0);
    EXPECT_FALSE(collision(a, b));
    b.setPos(43, 0);
    EXPECT_TRUE(collision(a, b));
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

TEST_F(PhysicsTest, WrapShiftsBothAxesInOneCallKeepingTheFraction) {
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
}

TEST_F(PhysicsTest, EachAxisShiftsAtMostOncePerCall) {
    Sprite body(false);
    body.setPos(2000, 0);
    update_wrapAroundScreen(body, screen);
    EXPECT_EQ(body.getx(), 1200);
}

}  // namespace
