#include "Game.h"

#include <cstdlib>
#include <ctime>

namespace {

const int kPlayerStartX = 50;
const int kPlayerStartY = 50;
const int kEnemyStartX = 550;
const int kEnemyStartY = 350;

const char* const kSunPicture = "images/Sun.bmp";
const int kSunX = 395;
const int kSunY = 295;
const int kSunSize = 20;
const char* const kSpace = "images/Space.bmp";

const std::size_t kAsteroidField = 5;
// Frames of shortage to wait before the field is topped up again.
const int kRefillWait = 50;

// The five kinds of asteroid, smallest first.
struct AsteroidKind {
    const char* picture;
    int size;
};
const AsteroidKind kAsteroidKinds[] = {
    {"images/asteroid1.bmp", 17}, {"images/asteroid2.bmp", 20}, {"images/asteroid3.bmp", 26},
    {"images/asteroid4.bmp", 34}, {"images/asteroid5.bmp", 45},
};
const int kKindCount = 5;
const int kSpeeds = 3;
const double kSlowestSpeed = 0.4;

}  // namespace

Game::Game()
    : console(), event(), sunOn(true), wrapOn(true), playerMode(0), score(0), lives(kStartLives),
      player(this), enemy(this), sun(true), asteroids() {}

void Game::initialize() {
    player.setPos(kPlayerStartX, kPlayerStartY);
    enemy.setPos(kEnemyStartX, kEnemyStartY);
    sun.setImage(kSunPicture);
    sun.setPos(kSunX, kSunY);
    sun.resize(kSunSize, kSunSize);
    // The sun is painted into the background; its body only collides and pulls.
    sun.setVisibility(false);
    sun.setCollid(sunOn);
    console.bg_files.clear();
    console.bg_files.push_back(sunOn ? kSpaceWithSun : kSpace);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    for (std::size_t i = 0; i < kAsteroidField; ++i) addAsteroid();
}

void Game::update() {
    // Lasts for the whole run: the first shortage is refilled at once.
    static int countdown = -1;
    if (asteroids.size() >= kAsteroidField) return;
    if (countdown > 0) {
        --countdown;
        return;
    }
    countdown = kRefillWait;
    while (asteroids.size() < kAsteroidField) addAsteroid();
}

void Game::displayAll() {
    sun.display(console.screen, false);
    player.display(console.screen, false);
    enemy.display(console.screen, false);
    for (Sprite& asteroid : asteroids) asteroid.display(console.screen, false);
}

void Game::clear() {
    player = Ship(this);
    player.setPos(kPlayerStartX, kPlayerStartY);
    enemy = Ship(this);
    enemy.setPos(kEnemyStartX, kEnemyStartY);
}

// Five draws from rand(), in this order: x, y, speed, heading, kind.
void Game::addAsteroid() {
    Sprite rock(true);
    const int width = console.screen ? console.screen->w : 0;
    const int height = console.screen ? console.screen->h : 0;
    const int x = randomBelow(width);
    const int y = randomBelow(height);
    rock.setPos(x, y);
    const double speed = kSlowestSpeed + randomBelow(kSpeeds);
    const int heading = randomBelow(kFullTurn);
    rock.setVel(speed, heading);
    const AsteroidKind& kind = kAsteroidKinds[randomBelow(kKindCount)];
    rock.setImage(kind.picture);
    rock.resize(kind.size, kind.size);
    asteroids.push_back(rock);
}
