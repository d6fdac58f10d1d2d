#include "Sprite.h"
#include "TestSupport.h"

#include <cmath>

using namespace testsupport;

namespace {

const std::string kEast = "images/ship_sprite/Ship-2_E.bmp", kNorth = "images/ship_sprite/Ship-2_N.bmp",
                  kWest = "images/ship_sprite/Ship-2_W.bmp";

// The default body picture and three of the ship's facings.
class SpriteTest : public testing::Test {
protected:
    void SetUp() override {
        files.picture("images/Bro_Sprite/Bro_front.bmp", 46, 40, kGreen);
        for (const std::string& name : {kEast, kWest}) files.picture(name, 45, 48, kRed);
        files.picture(kNorth, 48, 45, kRed);
    }
    TempResources files;
    Sprite body{false};
};

TEST_F(SpriteTest, ANewBodyIsAStillDefaultPictureAtTheOrigin) {
    Sprite solid(true);
    EXPECT_EQ(solid.getFilename(), "images/Bro_Sprite/Bro_front.bmp");
    EXPECT_EQ(sizeOf(SDL_ConvertSurface(solid.getImage(), solid.getImage()->format, 0)), "46x40");
    EXPECT_EQ(size(solid), Pair(46, 40));
    EXPECT_EQ(solid.getPos().x + solid.getVel().magnitude + solid.getAcc().magnitude, 0.0);
    EXPECT_TRUE(solid.collid());
    EXPECT_FALSE(body.collid());
}

// Degrees go in through the rounded pi and add as vectors; a negative
// magnitude points the other way; only a Velocity's magnitude and angle count.
TEST_F(SpriteTest, KinematicsAddAsVectorsThroughTheRoundedPi) {
    body.setVel(5, 90);
    EXPECT_NEAR(body.getVel().angle, 1.570795, 1e-12);
    EXPECT_NEAR(body.getVel().x, 5 * std::cos(1.570795), 1e-12);  // about 6.6e-6, not zero
    EXPECT_NEAR(body.getVel().y, 5.0, 1e-9);
    body.setVel(Velocity{15.0, 270.0, 99.0, 99.0});
    EXPECT_NEAR(body.getVel().angle, 4.712385, 1e-12);
    EXPECT_NEAR(body.getVel().y, -15.0, 1e-6);
    body.setVel(0, 0);
    body.pushVel(-3, 0);
    EXPECT_NEAR(body.getVel().magnitude, 3.0, 1e-12);
    EXPECT_NEAR(std::fabs(body.getVel().angle), M_PI, 1e-12);
    body.pushVel(3, 180);  // leaves the pis' difference behind
    EXPECT_NEAR(body.getVel().magnitude, 3 + 3 * std::cos(M_PI - 3.14159), 1e-9);
    body.pushAcc(0.2, 0);
    body.pushAcc(0.2, 90);
    EXPECT_NEAR(body.getAcc().magnitude, std::sqrt(0.08), 1e-6);
    EXPECT_NEAR(body.getAcc().angle, 0.785398, 1e-5);
}

TEST_F(SpriteTest, AccelerationIsAddedBeforeTheMoveAndUpdateCountsTheAge) {
    body.setAcc(0.2, 0);
    body.update();
    body.update();
    EXPECT_NEAR(body.getPos().x, 0.6, 1e-9);
    EXPECT_EQ(body.getx(), 0);
    for (int i = 0; i < 3; ++i) body.update();
    EXPECT_NEAR(body.getVel().magnitude, 1.0, 1e-9);
    EXPECT_EQ(centre(body), Pair(3, 0));
    body.updateVel();  // only update() counts the age
    body.updatePos();
    EXPECT_EQ(body.getAge(), 5);
    EXPECT_NEAR(body.getPos().x, 4.2, 1e-9);
}

// pushPos truncates only the rectangle; setPos(Position) truncates the
// position itself and ignores the facing.
TEST_F(SpriteTest, PlacementTruncatesTowardZero) {
    body.pushPos(-0.7, 0);
    EXPECT_EQ(centre(body), Pair(0, 0));
    body.pushPos(-0.6, 2.9, 2.0);
    EXPECT_EQ(centre(body), Pair(-1, 2));
    EXPECT_DOUBLE_EQ(body.getPos().x, -1.3);
    body.setPos(Position{3.9, -2.5, 1.0});
    EXPECT_DOUBLE_EQ(body.getPos().y, -2.0);
    EXPECT_EQ(centre(body), Pair(3, -2));
    EXPECT_DOUBLE_EQ(body.getPos().facing, 2.0);
}

TEST_F(SpriteTest, LeavingTheMapNeedsTenPixelsBeyondAnEdge) {
    Console console;
    const struct { int x, y; bool gone; } cases[] = {
        {-10, 0, true}, {810, 0, true}, {0, -10, true}, {0, 610, true},
        {-9, 0, false}, {809, 0, false}, {0, -9, false}, {0, 609, false}};
    for (const auto& c : cases) {
        body.setPos(c.x, c.y);
        EXPECT_FALSE(body.offTheMapDeath(console));  // no screen, no map to leave
        console.screen = makeScreen(800, 600);
        EXPECT_EQ(body.offTheMapDeath(console), c.gone) << c.x << "," << c.y;
        SDL_FreeSurface(console.screen);
        console.screen = nullptr;
    }
}

// From the east picture: the picture for the new facing when there is one,
// width and height swapped only between the E/W and N/S groups, and the
// selected flag cleared without a word.
TEST_F(SpriteTest, TurningSwapsTheSizeOnlyBetweenGroups) {
    const struct { double degrees; char letter; std::string file; Pair size; double facing; } turns[] = {
        {270, 'N', kNorth, {48, 45}, 4.712385}, {180, 'W', kWest, {45, 48}, 3.14159},
        {0, 'E', kEast, {45, 48}, 0.0}, {90, 'S', kEast, {48, 45}, 1.570795}};
    for (const auto& t : turns) {
        Sprite ship(false);
        ship.setImage(kEast);
        ship.resize(48, 45);
        ship.toggle_selectability(1);
        const std::string said = stdoutOf([&] { ship.select_this(), ship.turn(t.degrees, t.letter); });
        EXPECT_EQ(said, kEast + "\n");
        EXPECT_FALSE(ship.isSelected());
        EXPECT_NEAR(ship.getPos().facing, t.facing, 1e-12) << t.letter;
        EXPECT_EQ(ship.getFilename(), t.file) << t.letter;
        EXPECT_EQ(size(ship), t.size) << t.letter;
        EXPECT_EQ(ship.getImage()->w, t.file == kNorth ? 48 : 45) << t.letter;
    }
    body.setImage("images/plain");  // no extension: the letter and ".bmp" go on the end
    files.picture("images/plainN.bmp", 4, 4, kWhite);
    body.turn(270, 'N');
    EXPECT_EQ(body.getFilename(), "images/plainN.bmp");
    EXPECT_EQ(size(body), Pair(46, 40));
}

TEST_F(SpriteTest, CopiesAndAssignmentsTakeEverything) {
    body.setImage(kEast);
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
        EXPECT_EQ(s->getFilename(), kEast);
        EXPECT_NE(s->getImage(), body.getImage());
        EXPECT_NE(s->getImage(), nullptr);
    }
}

}  // namespace
