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
    EXPECT_TRUE(body.collid());
    EXPECT_EQ(body.getAge(), 0);
    EXPECT_FALSE(Sprite(false).collid());
}

TEST_F(SpriteTest, VelocityUsesTheRoundedPi) {
    Sprite body(false);
    body.setVel(5, 90);
    const Velocity v = body.getVel();
    EXPECT_DOUBLE_EQ(v.magnitude, 5.0);
    EXPECT_NEAR(v.angle, 1.570795, 1e-12);
    EXPECT_NEAR(v.x, 5 * std::cos(1.570795), 1e-12);
    EXPECT_GT(v.x, 6.6e-6);
    EXPECT_LT(v.x, 6.7e-6);
    EXPECT_NEAR(v.y, 5.0, 1e-9);
}

TEST_F(SpriteTest, OpposingPushesLeaveAResidue) {
    Sprite body(false);
    body.pushVel(2, 0);
    EXPECT_DOUBLE_EQ(body.getVel().magnitude, 2.0);
    EXPECT_DOUBLE_EQ(body.getVel().angle, 0.0);
    body.pushVel(2, 180);
    EXPECT_GT(body.getVel().magnitude, 5.2e-6);
    EXPECT_LT(body.getVel().magnitude, 5.4e-6);
}

TEST_F(SpriteTest, NegativeMagnitudePointsTheOtherWay) {
    Sprite body(false);
    body.pushVel(-3, 0);
    EXPECT_NEAR(body.getVel().magnitude, 3.0, 1e-12);
    EXPECT_NEAR(std::fabs(body.getVel().angle), M_PI, 1e-12);
    body.pushAcc(0.2, 90);
    body.pushAcc(-0.2, 90);
    EXPECT_LT(body.getAcc().magnitude, 1e-12);
    EXPECT_GE(body.getAcc().magnitude, 0.0);
}

TEST_F(SpriteTest, AccelerationIsAddedBeforeTheMove) {
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
}

TEST_F(SpriteTest, OnlyUpdateCountsAge) {
    Sprite body(false);
    body.updateVel();
    body.updatePos();
    EXPECT_EQ(body.getAge(), 0);
}

TEST_F(SpriteTest, PushAccAddsVectors) {
    Sprite body(false);
    body.pushAcc(0.2, 0);
    body.pushAcc(0.2, 90);
    EXPECT_NEAR(body.getAcc().magnitude, std::sqrt(0.08), 1e-6);
    EXPECT_NEAR(body.getAcc().angle, 0.785398, 1e-5);
}

TEST_F(SpriteTest, RectangleTruncatesTowardZero) {
    Sprite body(false);
    body.pushPos(-0.7, 0);
    EXPECT_DOUBLE_EQ(body.getPos().x, -0.7);
    EXPECT_EQ(body.getx(), 0);
    body.pushPos(-0.6, 2.9, 1.25);
    EXPECT_EQ(body.getx(), -1);
    EXPECT_EQ(body.gety(), 2);
    EXPECT_DOUBLE_EQ(body.getPos().facing, 1.25);
}

TEST_F(SpriteTest, SetPosFromAPositionTruncatesAndKeepsTheFacing) {
    Sprite body(false);
    body.pushPos(0, 0, 2.0);
    body.setPos(Position{3.9, -2.5, 1.0});
    EXPECT_DOUBLE_EQ(body.getPos().x, 3.0);
    EXPECT_DOUBLE_EQ(body.getPos().y, -2.0);
    EXPECT_EQ(body.getx(), 3);
    EXPECT_EQ(body.gety(), -2);
    EXPECT_DOUBLE_EQ(body.getPos().facing, 2.0);
}

TEST_F(SpriteTest, SetVelFromAVelocityReadsDegrees) {
    Sprite body(false);
    body.setVel(Velocity{15.0, 270.0, 99.0, 99.0});
    EXPECT_NEAR(body.getVel().angle, 4.712385, 1e-9);
    EXPECT_NEAR(body.getVel().y, -15.0, 1e-6);
}

TEST_F(SpriteTest, LeavingTheMapNeedsTenPixelsBeyondAnEdge) {
    Console console;
    console.screen = makeScreen(800, 600);
    Sprite body(false);
    const int edges[][2] = {{-10, 0}, {810, 0}, {0, -10}, {0, 610}};
    const int inside[][2] = {{-9, 0}, {809, 0}, {0, -9}, {0, 609}};
    for (const auto& p : edges) {
        body.setPos(p[0], p[1]);
        EXPECT_TRUE(body.offTheMapDeath(console)) << p[0] << "," << p[1];
    }
    for (const auto& p : inside) {
        body.setPos(p[0], p[1]);
        EXPECT_FALSE(body.offTheMapDeath(console)) << p[0] << "," << p[1];
    }
    SDL_FreeSurface(console.screen);
}

TEST_F(SpriteTest, NothingLeavesAMapWithoutAScreen) {
    Console console;
    Sprite body(false);
    body.setPos(-500, -500);
    EXPECT_FALSE(body.offTheMapDeath(console));
}

TEST_F(SpriteTest, TurningToTheOtherGroupSwapsWidthAndHeight) {
    Sprite body = eastFacingBody();
    body.turn(270, 'N');
    EXPECT_NEAR(body.getPos().facing, 4.712385, 1e-9);
    EXPECT_EQ(body.getFilename(), kNorth);
    EXPECT_EQ(body.getw(), 48);
    EXPECT_EQ(body.geth(), 45);
    ASSERT_NE(body.getImage(), nullptr);
    EXPECT_EQ(body.getImage()->w, 48);
}

TEST_F(SpriteTest, TurningWithinAGroupKeepsTheSize) {
    Sprite body = eastFacingBody();
    body.turn(180, 'W');
    EXPECT_EQ(body.getFilename(), kWest);
    EXPECT_EQ(body.getw(), 45);
    EXPECT_EQ(body.geth(), 48);
    body.turn(0, 'E');
    EXPECT_EQ(body.getFilename(), kEast);
    EXPECT_EQ(body.getw(), 45);
}

TEST_F(SpriteTest, MissingFacingPictureStillTurnsAndSwaps) {
    Sprite body = eastFacingBody();
    body.turn(90, 'S');
    EXPECT_EQ(body.getFilename(), kEast);
    EXPECT_NEAR(body.getPos().facing, 1.570795, 1e-9);
    EXPECT_EQ(body.getw(), 48);
    EXPECT_EQ(body.geth(), 45);
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
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(said, std::string(kEast) + "\n");
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
