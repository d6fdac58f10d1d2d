#include "Sprite.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace testsupport;

namespace {

const char* const kEast = "images/ship_sprite/Ship-2_E.bmp";
const char* const kNorth = "images/ship_sprite/Ship-2_N.bmp";
const char* const kWest = "images/ship_sprite/Ship-2_W.bmp";

// A folder with the default body picture and three of the ship's facings.
class SpriteTest : public testing::Test {
protected:
    void SetUp() override {
        files.picture("images/Bro_Sprite/Bro_front.bmp", 46, 40, kGreen);
        files.picture(kEast, 45, 48, kRed);
        files.picture(kNorth, 48, 45, kRed);
        files.picture(kWest, 45, 48, kRed);
    }

    // A ship-like body showing the east picture, 45 wide and 48 high.
    Sprite eastFacingBody() {
        Sprite body(false);
        body.setImage(kEast);
        body.resize(48, 45);
        return body;
    }

    TempResources files;
};

TEST_F(SpriteTest, NewBodyIsAStillDefaultPictureAtTheOrigin) {
    Sprite body(true);
    EXPECT_EQ(body.getFilename(), "images/Bro_Sprite/Bro_front.bmp");
    EXPECT_NE(body.getImage(), nullptr);
    EXPECT_EQ(body.geth(), 40);
    EXPECT_EQ(body.getw(), 46);
    EXPECT_FALSE(body.isSelectable());
    EXPECT_EQ(body.getPos().x, 0.0);
    EXPECT_EQ(body.getPos().facing, 0.0);
    EXPECT_EQ(body.getVel().magnitude, 0.0);
    EXPECT_EQ(body.getAcc().magnitude, 0.0);
    EXPECT_EQ(body.getAge(), 0);
    EXPECT_TRUE(body.collid());
    EXPECT_FALSE(Sprite(false).collid());
}

TEST_F(SpriteTest, SetVelTakesDegreesThroughTheRoundedPi) {
    Sprite body(false);
    body.setVel(5, 90);
    const Velocity v = body.getVel();
    EXPECT_DOUBLE_EQ(v.magnitude, 5.0);
    EXPECT_NEAR(v.angle, 1.570795, 1e-12);
    EXPECT_NEAR(v.x, 5 * std::cos(1.570795), 1e-12);  // about 6.6e-6, not zero
    EXPECT_NEAR(v.y, 5.0, 1e-9);
    // From a Velocity, only the magnitude and the angle in degrees are read.
    body.setVel(Velocity{15.0, 270.0, 99.0, 99.0});
    EXPECT_NEAR(body.getVel().angle, 4.712385, 1e-12);
    EXPECT_NEAR(body.getVel().y, -15.0, 1e-6);
}

TEST_F(SpriteTest, PushesAddAsVectorsWithTheRoundedPi) {
    Sprite body(false);
    body.pushVel(2, 0);
    EXPECT_DOUBLE_EQ(body.getVel().magnitude, 2.0);
    EXPECT_DOUBLE_EQ(body.getVel().angle, 0.0);
    body.pushVel(2, 180);  // leaves a residue
    EXPECT_GT(body.getVel().magnitude, 5.2e-6);
    EXPECT_LT(body.getVel().magnitude, 5.4e-6);
    body.pushAcc(0.2, 0);
    body.pushAcc(0.2, 90);
    EXPECT_NEAR(body.getAcc().magnitude, std::sqrt(0.08), 1e-6);
    EXPECT_NEAR(body.getAcc().angle, 0.785398, 1e-5);
}

TEST_F(SpriteTest, NegativeMagnitudePointsTheOtherWay) {
    Sprite body(false);
    body.pushVel(-3, 0);
    EXPECT_NEAR(body.getVel().magnitude, 3.0, 1e-12);
    EXPECT_NEAR(std::fabs(body.getVel().angle), M_PI, 1e-12);
    body.pushAcc(0.2, 90);
    body.pushAcc(-0.2, 90);
    EXPECT_LT(body.getAcc().magnitude, 1e-12);
}

TEST_F(SpriteTest, AccelerationIsAddedBeforeTheMoveAndUpdateCountsTheAge) {
    Sprite body(false);
    body.setAcc(0.2, 0);
    body.update();
    body.update();
    EXPECT_NEAR(body.getPos().x, 0.6, 1e-9);
    EXPECT_EQ(body.getx(), 0);
    for (int i = 0; i < 3; ++i) body.update();
    EXPECT_NEAR(body.getVel().magnitude, 1.0, 1e-9);
    EXPECT_NEAR(body.getPos().x, 3.0, 1e-9);
    EXPECT_EQ(body.getx(), 3);
    EXPECT_EQ(body.getAge(), 5);
    body.updateVel();  // only update() counts the age
    body.updatePos();
    EXPECT_EQ(body.getAge(), 5);
}

// pushPos truncates only the rectangle; setPos(Position) truncates the
// position itself and ignores the facing.
TEST_F(SpriteTest, PlacementTruncatesTowardZero) {
    Sprite body(false);
    body.pushPos(-0.7, 0);
    EXPECT_DOUBLE_EQ(body.getPos().x, -0.7);
    EXPECT_EQ(body.getx(), 0);
    body.pushPos(-0.6, 2.9, 2.0);
    EXPECT_EQ(body.getx(), -1);
    EXPECT_EQ(body.gety(), 2);
    EXPECT_DOUBLE_EQ(body.getPos().facing, 2.0);
    body.setPos(Position{3.9, -2.5, 1.0});
    EXPECT_DOUBLE_EQ(body.getPos().x, 3.0);
    EXPECT_DOUBLE_EQ(body.getPos().y, -2.0);
    EXPECT_EQ(body.getx(), 3);
    EXPECT_EQ(body.gety(), -2);
    EXPECT_DOUBLE_EQ(body.getPos().facing, 2.0);
}

TEST_F(SpriteTest, LeavingTheMapNeedsTenPixelsBeyondAnEdgeOfTheScreen) {
    Console console;
    console.screen = makeScreen(800, 600);
    Sprite body(false);
    const struct { int x, y; bool gone; } cases[] = {
        {-10, 0, true}, {810, 0, true}, {0, -10, true}, {0, 610, true},
        {-9, 0, false}, {809, 0, false}, {0, -9, false}, {0, 609, false}};
    for (const auto& c : cases) {
        body.setPos(c.x, c.y);
        EXPECT_EQ(body.offTheMapDeath(console), c.gone) << c.x << "," << c.y;
    }
    SDL_FreeSurface(console.screen);
    console.screen = nullptr;  // without a screen there is no map to leave
    body.setPos(-500, -500);
    EXPECT_FALSE(body.offTheMapDeath(console));
}

// From the east picture: the picture for the new facing when it exists, and
// width and height swapped only between the E/W and N/S groups.
TEST_F(SpriteTest, TurningSwapsWidthAndHeightOnlyBetweenGroups) {
    struct Turn { double degrees; char letter; const char* file; int w, h; double facing; };
    const Turn turns[] = {
        {270, 'N', kNorth, 48, 45, 4.712385},
        {180, 'W', kWest, 45, 48, 3.14159},
        {0, 'E', kEast, 45, 48, 0.0},
        {90, 'S', kEast, 48, 45, 1.570795},  // no south picture: only the turn and the swap
    };
    for (const auto& t : turns) {
        Sprite body = eastFacingBody();
        body.turn(t.degrees, t.letter);
        EXPECT_NEAR(body.getPos().facing, t.facing, 1e-12) << t.letter;
        EXPECT_EQ(body.getFilename(), t.file) << t.letter;
        EXPECT_EQ(body.getw(), t.w) << t.letter;
        EXPECT_EQ(body.geth(), t.h) << t.letter;
        ASSERT_NE(body.getImage(), nullptr);
        EXPECT_EQ(body.getImage()->w, t.file == kNorth ? 48 : 45) << t.letter;
    }
}

TEST_F(SpriteTest, TurningANameWithoutExtensionOnlyTurns) {
    Sprite body(false);
    body.setImage("images/plain");
    files.picture("images/plainN.bmp", 4, 4, kWhite);
    body.turn(270, 'N');
    EXPECT_EQ(body.getFilename(), "images/plainN.bmp");
    EXPECT_EQ(body.getw(), 46);
    EXPECT_EQ(body.geth(), 40);
}

TEST_F(SpriteTest, TurningClearsTheSelectedFlagWithoutPrinting) {
    Sprite body = eastFacingBody();
    body.toggle_selectability(1);
    testing::internal::CaptureStdout();
    body.select_this();
    body.turn(0, 'E');
    EXPECT_EQ(testing::internal::GetCapturedStdout(), std::string(kEast) + "\n");
    EXPECT_FALSE(body.isSelected());
}

TEST_F(SpriteTest, CopiesAndAssignmentsTakeEverything) {
    Sprite body = eastFacingBody();
    body.setPos(12, 34);
    body.setVel(2, 45);
    body.setAcc(0.5, 90);
    body.setCollid(true);
    body.update();
    Sprite copy(body);
    Sprite assigned(false);
    assigned = body;
    for (const Sprite* s : {&copy, &assigned}) {
        EXPECT_DOUBLE_EQ(s->getPos().x, body.getPos().x);
        EXPECT_EQ(s->getx(), body.getx());
        EXPECT_DOUBLE_EQ(s->getVel().angle, body.getVel().angle);
        EXPECT_DOUBLE_EQ(s->getAcc().magnitude, 0.5);
        EXPECT_TRUE(s->collid());
        EXPECT_EQ(s->getAge(), 1);
        EXPECT_EQ(s->getFilename(), kEast);
        EXPECT_NE(s->getImage(), body.getImage());
    }
    Sprite& same = assigned;
    assigned = same;
    EXPECT_EQ(assigned.getAge(), 1);
    EXPECT_NE(assigned.getImage(), nullptr);
}

}  // namespace
