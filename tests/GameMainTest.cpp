#include "GameMain.h"
#include "TestSupport.h"

#include <cmath>

// Gravity from (395, 295) with the match's strength: the inverse square of the distance, capped at
// 50 and pointing east at distance 0. Collisions need both bodies collidable and rectangles that
// overlap, not touch; odd sizes lose their half pixel.
TEST(Physics, GravityAndCollisions) {
    TempResources files;
    // Straight down, to degrees with gravity's pi and back with the bodies'.
    const double south = std::atan2(1.0, 0.0) * 180.0 / 3.1415926535859 * 3.14159 / 180.0;
    // clang-format off
    const struct { int x, y; double pull, angle; } pulls[] = {
        {295, 295, 0.098, 0.0}, {395, 285, 9.8, south}, {391, 295, 50.0, 0.0}, {395, 295, 50.0, 0.0}};
    // clang-format on
    Sprite sun(true);
    sun.setPos(395, 295);
    for (const auto& c : pulls) {
        Sprite body(false);
        body.setPos(c.x, c.y);
        pullGravity(body, sun, 980.0);
        EXPECT_NEAR(body.getVel().magnitude, c.pull, 1e-12) << c.x << "," << c.y;
        EXPECT_NEAR(body.getVel().angle, c.angle, 1e-15) << c.x << "," << c.y;
    }
    EXPECT_EQ(sun.getVel().magnitude, 0.0);
    // clang-format off
    const struct { int h, w, x, y; bool other, meet; } meets[] = {
        {10, 10, 9, 9, true, true},   {10, 10, 9, 9, false, false}, {10, 10, 10, 0, true, false},
        {10, 10, 9, 10, true, false}, {48, 45, 43, 0, true, true},  {48, 45, 44, 0, true, false}};
    // clang-format on
    for (const auto& c : meets) {
        Sprite a(true), b(c.other);
        a.resize(c.h, c.w);
        b.resize(c.h, c.w);
        b.setPos(c.x, c.y);
        EXPECT_EQ(collision(a, b) + collision(b, a), 2 * c.meet)
            << c.w << " at " << c.x << "," << c.y;
    }
}

// Past 780 or 580 a body goes back by the screen's size, past -20 forward, each axis once a call,
// keeping its fraction; the bounds themselves stay.
TEST(Physics, WrapCarriesBodiesAcrossTheScreenOnceAnAxis) {
    TempResources files;
    SDL_Surface* screen = makeScreen(800, 600);
    // clang-format off
    const struct { double x, y, toX, toY; } cases[] = {
        {780, 580, 780, 580},     {-20, -20, -20, -20},         {780.001, 300, -19.999, 300},
        {-20.5, 300, 779.5, 300}, {790.25, 590.5, -9.75, -9.5}, {-30, -25, 770, 575},
        {2000, 0, 1200, 0}};
    // clang-format on
    for (const auto& c : cases) {
        Sprite body(false);
        body.pushPos(c.x, c.y, 1.5);
        update_wrapAroundScreen(body, screen);
        EXPECT_NEAR(body.getPos().x, c.toX, 1e-9) << c.x << "," << c.y;
        EXPECT_NEAR(body.getPos().y, c.toY, 1e-9) << c.x << "," << c.y;
        EXPECT_EQ(centre(body), Pair(int(c.toX), int(c.toY)));
    }
    SDL_FreeSurface(screen);
}
