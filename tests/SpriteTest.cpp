#include "Ship.h"
#include "TestSupport.h"

#include <cmath>
#include <cstdio>

// The game's pictures and a still body with nothing set.
class SpriteTest : public testing::Test {
protected:
    GameFiles files;
    Sprite body{false};
};

// Degrees go in through the rounded pi 3.14159 and add as vectors; a negative magnitude points the
// other way; only a Velocity's magnitude and angle count. Acceleration is added before the move;
// only update() counts the age; the rectangle is truncated toward zero; setPos(Position) truncates
// the position itself and keeps the facing.
TEST_F(SpriteTest, BodiesMoveThroughTheRoundedPi) {
    EXPECT_EQ(std::tuple(body.getFilename(), size(body), body.collid(), Sprite(true).collid()),
              std::tuple("images/Bro_Sprite/Bro_front.bmp", Pair(46, 40), false, true));
    body.setVel(Velocity{5.0, 90.0, 99.0, 99.0});
    EXPECT_NEAR(body.getVel().x, 5 * std::cos(1.570795), 1e-12);  // about 6.6e-6, not zero
    EXPECT_NEAR(body.getVel().y, 5.0, 1e-9);
    // clang-format off
    const struct { char step; double magnitude, degrees; const char* after; } steps[] = {
        {'v', 2, 0, "0 0 0 | 0 0 | 2 0 | 0 0 | 0"},
        {'p', 2, 180, "0 0 0 | 0 0 | 5.30718e-06 1.5708 | 0 0 | 0"},
        {'p', -3, 0, "0 0 0 | 0 0 | 3 3.14159 | 0 0 | 0"},
        {'v', 0, 0, "0 0 0 | 0 0 | 0 0 | 0 0 | 0"},
        {'a', 0.3, 0, "0 0 0 | 0 0 | 0 0 | 0.3 0 | 0"},
        {'a', 0.4, 90, "0 0 0 | 0 0 | 0 0 | 0.5 0.927294 | 0"},
        {'s', 0.2, 0, "0 0 0 | 0 0 | 0 0 | 0.2 0 | 0"},
        {'u', 5, 0, "3 0 0 | 3 0 | 1 0 | 0.2 0 | 5"},
        {'w', 0, 0, "4.2 0 0 | 4 0 | 1.2 0 | 0.2 0 | 5"},
        {'x', -0.7, 2.9, "3.5 2.9 2 | 3 2 | 1.2 0 | 0.2 0 | 5"},
        {'x', -3.6, 0, "-0.1 2.9 2 | 0 2 | 1.2 0 | 0.2 0 | 5"},
        {'x', -1.2, 0, "-1.3 2.9 2 | -1 2 | 1.2 0 | 0.2 0 | 5"},
        {'P', 3.9, -2.5, "3 -2 2 | 3 -2 | 1.2 0 | 0.2 0 | 5"}};
    // clang-format on
    for (const auto& s : steps) {
        switch (s.step) {
        case 'v': body.setVel(s.magnitude, s.degrees); break;
        case 'p': body.pushVel(s.magnitude, s.degrees); break;
        case 'a': body.pushAcc(s.magnitude, s.degrees); break;
        case 's': body.setAcc(s.magnitude, s.degrees); break;
        case 'u':
            for (int i = 0; i < s.magnitude; ++i) body.update();
            break;
        case 'w': body.updateVel(), body.updatePos(); break;
        case 'x': body.pushPos(s.magnitude, s.degrees, 2.0); break;
        case 'P': body.setPos(Position{s.magnitude, s.degrees, 1.0}); break;
        }
        EXPECT_EQ(motion(body), s.after) << s.step << " " << s.magnitude << " " << s.degrees;
    }
}

// Gone once ten pixels beyond an edge of the screen; with no screen, never.
TEST_F(SpriteTest, LeavingTheMapNeedsTenPixelsBeyondAnEdge) {
    Console console;
    console.screen = makeScreen(800, 600);
    // clang-format off
    const struct { int x, y; bool gone; } cases[] = {
        {-10, 0, true}, {810, 0, true}, {0, -10, true}, {0, 610, true},
        {-9, 0, false}, {809, 0, false}, {0, -9, false}, {0, 609, false}};
    // clang-format on
    for (const auto& c : cases) {
        body.setPos(c.x, c.y);
        EXPECT_EQ(body.offTheMapDeath(console), c.gone) << c.x << "," << c.y;
    }
    SDL_FreeSurface(console.screen);
    console.screen = nullptr;
    EXPECT_FALSE(body.offTheMapDeath(console));
}

// From the east picture: the picture for the new facing when there is one, width and height swapped
// only between the E/W and N/S groups, and the selected flag cleared without a word. A name without
// ".bmp" gains one.
TEST_F(SpriteTest, TurningSwapsTheSizeOnlyBetweenGroups) {
    std::remove("images/ship_sprite/Ship-2_S.bmp");
    // clang-format off
    const struct { double degrees; char letter, picture; Pair size; } turns[] = {
        {270, 'N', 'N', {48, 45}}, {180, 'W', 'W', {45, 48}}, {0, 'E', 'E', {45, 48}},
        {90, 'S', 'E', {48, 45}}};
    // clang-format on
    for (const auto& t : turns) {
        Sprite ship(false);
        ship.setImage(shipImage);
        ship.resize(48, 45);
        ship.toggle_selectability(1);
        EXPECT_EQ(stdoutOf([&] { ship.select_this(), ship.turn(t.degrees, t.letter); }),
                  shipImage + "\n");
        EXPECT_FALSE(ship.isSelected());
        EXPECT_NEAR(ship.getPos().facing, toRadians(t.degrees), 1e-12) << t.letter;
        EXPECT_EQ(ship.getFilename().substr(26, 1), std::string(1, t.picture));
        EXPECT_EQ(size(ship), t.size) << t.letter;
        EXPECT_EQ(ship.getImage()->w, t.picture == 'N' ? 48 : 45) << t.letter;
    }
    files.picture("N.bmp", 2, 2, kWhite);
    body.setImage(".bmp");  // no letter to replace either
    body.turn(270, 'N');
    EXPECT_EQ(body.getFilename(), "N.bmp");
    files.picture("images/plainN.bmp", 4, 4, kWhite);
    body.setImage("images/plain");
    body.turn(270, 'N');
    EXPECT_EQ(std::tuple(body.getFilename(), size(body)),
              std::tuple("images/plainN.bmp", Pair(46, 40)));
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
        EXPECT_EQ(motion(*s), motion(body));
        EXPECT_EQ(std::tuple(s->collid(), s->getFilename()), std::tuple(true, shipImage));
        EXPECT_NE(s->getImage(), body.getImage());
        EXPECT_NE(s->getImage(), nullptr);
    }
}
