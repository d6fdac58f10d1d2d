#include "Game.h"
#include "Ship.h"
#include "TestSupport.h"

#include <cmath>
#include <cstdlib>

using namespace testsupport;

namespace {

const std::string kFacing = "images/ship_sprite/Ship-2_";

void send(Ship& ship, Uint8 type, SDLKey sym) {
    SDL_Event event{};
    event.key.type = type;
    event.key.keysym.sym = sym;
    ship.handleInput(&event);
}
void press(Ship& ship, SDLKey sym) { send(ship, SDL_KEYDOWN, sym); }
void release(Ship& ship, SDLKey sym) { send(ship, SDL_KEYUP, sym); }

// The ship's and missile's pictures, then a world on an 800 x 600 screen
// with a new ship in it.
class ShipTest : public testing::Test {
protected:
    struct Pictures {
        Pictures(const TempResources& files) {
            for (const char* f : {"E", "W"}) files.picture(kFacing + f + ".bmp", 45, 48, kRed);
            for (const char* f : {"N", "S"}) files.picture(kFacing + f + ".bmp", 48, 45, kRed);
            files.picture(missileImage, 23, 8, kGreen);
        }
    };
    ShipTest() { game.console.screen = makeScreen(800, 600); }
    ~ShipTest() override { SDL_FreeSurface(game.console.screen); }

    TempResources files;
    Pictures pictures{files};
    Game game;
    Ship ship{&game};
};

// Launched with the ship's velocity, two frames ahead at 15 per frame along
// the facing; armed once older than four.
TEST_F(ShipTest, AMissileLeavesTwoFramesAheadAndArmsAtAgeFive) {
    EXPECT_EQ(ship.getFilename(), kFacing + "E.bmp");
    EXPECT_TRUE(ship.collid() && ship.isAlive() && !ship.isDead());
    ship.setPos(100, 50);
    Sprite* missile = ship.createMissile();
    EXPECT_EQ(ship.missiles, std::vector<Sprite*>{missile});
    EXPECT_EQ(centre(*missile), Pair(130, 50));
    EXPECT_EQ(size(*missile), Pair(23, 8));
    EXPECT_EQ(missile->getFilename(), missileImage);
    EXPECT_FALSE(missile->collid());
    for (bool armed : {false, false, true}) {
        ship.update();
        EXPECT_EQ(missile->collid(), armed) << missile->getAge();
    }
    ship.setVel(3, 0);
    ship.turn(270, 'N');
    const Velocity v = ship.createMissile()->getVel();
    EXPECT_NEAR(v.x, 3.0, 1e-3);  // the facing goes through two pis on the way
    EXPECT_NEAR(v.y, -15.0, 1e-3);
}

// Arrows and letters alike: held thrusts add up and the last press sets the
// facing; a release takes out only a held thrust and leaves the facing.
TEST_F(ShipTest, ThrustsAddUpAndAReleaseTakesOutOnlyAHeldOne) {
    const struct { SDLKey arrow, letter; char facing; double degrees; } keys[] = {
        {SDLK_DOWN, SDLK_s, 'S', 90}, {SDLK_LEFT, SDLK_a, 'W', 180},
        {SDLK_UP, SDLK_w, 'N', 270}, {SDLK_RIGHT, SDLK_d, 'E', 0}};
    for (const auto& k : keys) {
        Ship byArrow(&game), byLetter(&game);
        press(byArrow, k.arrow);
        press(byLetter, k.letter);
        for (Ship* s : {&byArrow, &byLetter}) {
            EXPECT_NEAR(s->getAcc().magnitude, 0.2, 1e-12);
            EXPECT_NEAR(s->getAcc().angle, std::atan2(std::sin(toRadians(k.degrees)), std::cos(toRadians(k.degrees))), 1e-12);
            EXPECT_NEAR(s->getPos().facing, toRadians(k.degrees), 1e-12);
            EXPECT_EQ(s->getFilename(), kFacing + k.facing + ".bmp");
        }
    }
    release(ship, SDLK_LEFT);
    release(ship, SDLK_a);
    press(ship, SDLK_q);
    EXPECT_EQ(ship.getAcc().magnitude, 0.0);
    press(ship, SDLK_RIGHT);
    press(ship, SDLK_DOWN);
    EXPECT_NEAR(ship.getAcc().magnitude, std::sqrt(0.08), 1e-6);
    release(ship, SDLK_DOWN);
    EXPECT_EQ(ship.getFilename(), kFacing + "S.bmp");
    release(ship, SDLK_RIGHT);
    release(ship, SDLK_RIGHT);
    EXPECT_LT(ship.getAcc().magnitude, 1e-9);
}

// A press launches one at once, held fire one at every third age.
TEST_F(ShipTest, HeldFireLaunchesOnPressAndThenEveryThirdFrame) {
    for (SDLKey fire : {SDLK_SPACE, SDLK_LSHIFT}) {
        Ship shooter(&game);
        shooter.setPos(400, 300);
        press(shooter, fire);
        EXPECT_EQ(shooter.missiles.size(), 1u);
        for (std::size_t expected : {2u, 2u, 2u, 3u}) {
            shooter.update();
            EXPECT_EQ(shooter.missiles.size(), expected) << fire << " at " << shooter.getAge();
        }
        release(shooter, fire);
        for (int i = 0; i < 6; ++i) shooter.update();
        EXPECT_FALSE(shooter.isFiring());
        EXPECT_EQ(shooter.missiles.size(), 3u);
    }
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    ship.handleInput(&motion);
    EXPECT_TRUE(ship.missiles.empty());
}

TEST_F(ShipTest, MissilesOffTheMapAreRemovedNeighboursIncluded) {
    ship.setPos(400, 300);
    for (int i = 0; i < 3; ++i) ship.createMissile();
    ship.missiles[0]->setPos(-10, -10);
    ship.missiles[1]->setPos(900, 300);
    Sprite* keeper = ship.missiles[2];
    ship.update();
    EXPECT_EQ(ship.missiles, std::vector<Sprite*>{keeper});
    EXPECT_EQ(keeper->getAge(), 3);
}

// A kill stops and hides the ship facing east at full size; after 25 frames
// of unKill it comes back with four draws: x, y, speed, heading.
TEST_F(ShipTest, KillAndRespawnTakeTwentyFiveFramesAndFourDraws) {
    press(ship, SDLK_UP);
    press(ship, SDLK_SPACE);
    ship.setVel(2, 30);
    ship.kill();
    EXPECT_EQ(ship.getVel().magnitude + ship.getAcc().magnitude, 0.0);
    EXPECT_EQ(ship.getFilename(), kFacing + "E.bmp");
    EXPECT_EQ(size(ship), Pair(45, 48));
    EXPECT_FALSE(ship.isVisible() || ship.collid() || ship.isFiring() || ship.isAlive());
    EXPECT_TRUE(ship.isDead());
    release(ship, SDLK_UP);
    EXPECT_EQ(ship.getAcc().magnitude, 0.0);
    std::srand(7);
    const int r1 = std::rand(), r2 = std::rand(), r3 = std::rand(), r4 = std::rand();
    std::srand(7);
    for (int i = 0; i < 24; ++i) ship.unKill();
    EXPECT_FALSE(ship.isDead() || ship.isAlive() || ship.isVisible());
    ship.unKill();
    EXPECT_TRUE(ship.isAlive() && ship.isVisible() && ship.collid());
    EXPECT_EQ(centre(ship), Pair(r1 % 800, r2 % 600));
    Sprite reference(false);
    reference.setVel(r3 % 5, r4 % 360);
    EXPECT_DOUBLE_EQ(ship.getVel().magnitude, reference.getVel().magnitude);
    EXPECT_DOUBLE_EQ(ship.getVel().angle, reference.getVel().angle);
    Game blind;  // without a screen there is nothing to divide by
    for (Ship* lone : {new Ship(nullptr), new Ship(&blind)}) {
        lone->kill();
        for (int i = 0; i < 25; ++i) lone->unKill();
        EXPECT_EQ(centre(*lone), Pair(0, 0));
        delete lone;
    }
}

// Copies and assignments own copies of every missile, and outlive the source.
TEST_F(ShipTest, CopiesOwnTheirOwnMissiles) {
    Ship target(&game);
    target.createMissile();
    auto source = std::make_unique<Ship>(&game);
    source->setPos(200, 200);
    source->createMissile();
    source->createMissile();
    target = *source;
    ASSERT_EQ(target.missiles.size(), 2u);
    EXPECT_NE(target.missiles[0], source->missiles[0]);
    EXPECT_NE(target.missiles[0]->getImage(), source->missiles[0]->getImage());
    EXPECT_EQ(target.missiles[1]->getx(), source->missiles[1]->getx());
    source.reset();
    target.update();
    EXPECT_EQ(target.missiles[0]->getAge(), 3);
    Ship copy(target);
    EXPECT_NE(copy.missiles[0], target.missiles[0]);
    Ship& same = copy;
    copy = same;
    EXPECT_EQ(copy.missiles.size(), 2u);
}

// Missiles are drawn first, so under the ship, and still while it is down.
TEST_F(ShipTest, MissilesAreDrawnUnderTheShip) {
    ship.setPos(100, 100);
    ship.createMissile()->setPos(100, 100);
    SDL_Surface* screen = makeTrueColour(200, 200);
    ship.display(screen, false);
    EXPECT_EQ(pixelAt(screen, 100, 100), kRed);
    ship.kill();
    ship.display(screen, false);
    EXPECT_EQ(pixelAt(screen, 100, 100), kGreen);
    SDL_FreeSurface(screen);
}

}  // namespace
