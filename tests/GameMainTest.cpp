#include "GameMain.h"
#include "TestSupport.h"

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
