#include "Ship.h"
#include "TestSupport.h"

#include <cmath>
#include <cstdio>

// The game's pictures and a body with nothing set.
class SpriteTest : public testing::Test {
protected:
    GameFiles files;
    Sprite body{false};
};

// Degrees go in through the rounded pi and add as vectors; a negative
// magnitude points the other way; only a Velocity's magnitude and angle count.
TEST_F(SpriteTest, KinematicsAddAsVectorsThroughTheRoundedPi) {
    EXPECT_EQ(body.getFilename(), "images/Bro_Sprite/Bro_front.bmp");
    EXPECT_EQ(size(body), Pair(46, 40));
    EXPECT_TRUE(Sprite(true).collid() && !body.collid());
    body.setVel(Velocity{5.0, 90.0, 99.0, 99.0});
    EXPECT_NEAR(body.getVel().angle, 1.570795, 1e-12);
    EXPECT_NEAR(body.getVel().x, 5 * std::cos(1.570795), 1e-12);  // about 6.6e-6, not zero
    EXPECT_NEAR(body.getVel().y, 5.0, 1e-9);
    body.setVel(0, 0);
    body.pushVel(-3, 0);
    EXPECT_NEAR(body.getVel().magnitude, 3.0, 1e-12);
    EXPECT_NEAR(std::fabs(body.getVel().angle), M_PI, 1e-12);
    body.pushVel(3, 180);  // leaves the two pis' difference behind
    EXPECT_NEAR(body.getVel().magnitude, 3 + 3 * std::cos(M_PI - 3.14159), 1e-9);
    body.pushAcc(0.2, 0);
    body.pushAcc(0.2, 90);
    EXPECT_NEAR(body.getAcc().magnitude, std::sqrt(0.08), 1e-6);
    EXPECT_NEAR(body.getAcc().angle, 0.785398, 1e-5);
}

// Acceleration is added before the move; only update() counts the age; the
// rectangle follows the position truncated toward zero; setPos(Position)
// truncates the position itself and keeps the facing.
TEST_F(SpriteTest, UpdatesMoveTheBodyAndTruncateItsRectangle) {
    body.setAcc(0.2, 0);
    for (int i = 0; i < 5; ++i) body.update();
    EXPECT_NEAR(body.getVel().magnitude, 1.0, 1e-9);
    EXPECT_NEAR(body.getPos().x, 3.0, 1e-9);
    body.updateVel();
    body.updatePos();
    EXPECT_EQ(body.getAge(), 5);
    EXPECT_NEAR(body.getPos().x, 4.2, 1e-9);
    body.setPos(0, 0);
    body.pushPos(-0.7, 2.9, 2.0);
    EXPECT_EQ(centre(body), Pair(0, 2));
    body.pushPos(-0.6, 0);
    EXPECT_EQ(centre(body), Pair(-1, 2));
    body.setPos(Position{3.9, -2.5, 1.0});
    EXPECT_DOUBLE_EQ(body.getPos().y, -2.0);
    EXPECT_EQ(centre(body), Pair(3, -2));
    EXPECT_DOUBLE_EQ(body.getPos().facing, 2.0);
}

// Gone once ten pixels beyond an edge of the screen; with no screen, never.
TEST_F(SpriteTest, LeavingTheMapNeedsTenPixelsBeyondAnEdge) {
    Console console;
    console.screen = makeScreen(800, 600);
    const struct { int x, y; bool gone; } cases[] = {
        {-10, 0, true}, {810, 0, true}, {0, -10, true}, {0, 610, true},
        {-9, 0, false}, {809, 0, false}, {0, -9, false}, {0, 609, false}};
    for (const auto& c : cases) {
        body.setPos(c.x, c.y);
        EXPECT_EQ(body.offTheMapDeath(console), c.gone) << c.x << "," << c.y;
    }
    SDL_FreeSurface(console.screen);
    console.screen = nullptr;
    EXPECT_FALSE(body.offTheMapDeath(console));
}

// From the east picture: the picture for the new facing when there is one,
// width and height swapped only between the E/W and N/S groups, and the
// selected flag cleared without a word. A name without ".bmp" gains one.
TEST_F(SpriteTest, TurningSwapsTheSizeOnlyBetweenGroups) {
    std::remove("images/ship_sprite/Ship-2_S.bmp");
    const struct { double degrees; char letter, picture; Pair size; } turns[] = {
        {270, 'N', 'N', {48, 45}}, {180, 'W', 'W', {45, 48}}, {0, 'E', 'E', {45, 48}},
        {90, 'S', 'E', {48, 45}}};
    for (const auto& t : turns) {
        Sprite ship(false);
        ship.setImage(shipImage);
        ship.resize(48, 45);
        ship.toggle_selectability(1);
        EXPECT_EQ(stdoutOf([&] { ship.select_this(), ship.turn(t.degrees, t.letter); }),
                  shipImage + "\n");
        EXPECT_FALSE(ship.isSelected());
        EXPECT_NEAR(ship.getPos().facing, toRadians(t.degrees), 1e-12) << t.letter;
        EXPECT_EQ(ship.getFilename(), "images/ship_sprite/Ship-2_" + std::string(1, t.picture) + ".bmp");
        EXPECT_EQ(size(ship), t.size) << t.letter;
        EXPECT_EQ(ship.getImage()->w, t.picture == 'N' ? 48 : 45) << t.letter;
    }
    files.picture("images/plainN.bmp", 4, 4, kWhite);
    body.setImage("images/plain");
    body.turn(270, 'N');
    EXPECT_EQ(body.getFilename(), "images/plainN.bmp");
    EXPECT_EQ(size(body), Pair(46, 40));
}

TEST_F(SpriteTest, CopiesAndAssignmentsTakeEverything) {
    body.setImage(shipImage);
    body.setPos(12, 34);
    body.setVel(2, 45);
    body.setAcc(0.5, 90);
    body.setCollid(true);
    body.update();
    Sprite copy(body), assigned(false);
    assigned = body;
    Sprite& same = assigned;
    assigned = same;
    for (const Sprite* s : {&copy, &assigned}) {
        EXPECT_DOUBLE_EQ(s->getPos().x, body.getPos().x);
        EXPECT_EQ(centre(*s), centre(body));
        EXPECT_DOUBLE_EQ(s->getVel().angle, body.getVel().angle);
        EXPECT_DOUBLE_EQ(s->getAcc().magnitude, 0.5);
        EXPECT_TRUE(s->collid());
        EXPECT_EQ(s->getAge(), 1);
        EXPECT_EQ(s->getFilename(), shipImage);
        EXPECT_NE(s->getImage(), body.getImage());
        EXPECT_NE(s->getImage(), nullptr);
    }
}
