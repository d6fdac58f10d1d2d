#include "Ship.h"
#include "TestSupport.h"

#include <cstdio>

// The game's pictures and a still body with nothing set.
class SpriteTest : public testing::Test {
protected:
    GameFiles files;
    Sprite body{false};
};

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
    SDL_FreeSurface(console.screen), console.screen = nullptr;
    EXPECT_FALSE(body.offTheMapDeath(console));
}

// A turn, unselecting, takes the facing's picture if there is one and swaps the size between E/W
// and N/S, from whichever facing the picture's name ends in.
TEST_F(SpriteTest, TurningSwapsTheSizeOnlyBetweenGroups) {
    std::remove("images/ship_sprite/Ship-2_S.bmp");
    // clang-format off
    const struct { double degrees; char letter, picture; Pair size; } turns[] = {
        {270, 'N', 'N', {48, 45}}, {270, 'N', 'N', {48, 45}}, {180, 'W', 'W', {45, 48}},
        {0, 'E', 'E', {45, 48}}, {90, 'S', 'E', {48, 45}}};
    // clang-format on
    Sprite ship(false);
    EXPECT_FALSE(ship.isSelectable());
    ship.setImage(shipImage), ship.resize(48, 45), ship.toggle_selectability(1);
    for (const auto& t : turns) {
        EXPECT_EQ(stdoutOf([&] { ship.select_this(); }), ship.getFilename() + "\n");
        ship.turn(t.degrees, t.letter);
        EXPECT_FALSE(ship.isSelected());
        EXPECT_NEAR(ship.getPos().facing, toRadians(t.degrees), 1e-12) << t.letter;
        EXPECT_EQ(ship.getFilename(), facing(t.picture));
        EXPECT_EQ(size(ship), t.size) << t.letter;
        EXPECT_EQ(ship.getImage()->w, t.picture == 'N' ? 48 : 45) << t.letter;
    }
    for (const char* name : {"N.bmp", "W.bmp", "images/plainN.bmp"})
        files.picture(name, 2, 2, kWhite);
    body.setImage(".bmp"), body.turn(270, 'N');  // no letter to replace either
    EXPECT_EQ(body.getFilename(), "N.bmp");
    body.turn(180, 'W');  // and now one
    EXPECT_EQ(body.getFilename(), "W.bmp");
    body.setImage("images/plain"), body.turn(270, 'N');
    EXPECT_EQ(body.getFilename(), "images/plainN.bmp");
    EXPECT_EQ(size(body), Pair(40, 46));  // swapped by the turn from N to W alone
}
