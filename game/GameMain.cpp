#include "GameMain.h"

#include "EventQueue.h"
#include "FramePacer.h"
#include "Game.h"
#include "Platform.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <string>

namespace {

// The match display.
const int kMatchWidth = 800;
const int kMatchHeight = 600;

const char* const kScoreLabel = "images/Score.bmp";
const char* const kExplosion = "images/ship_sprite/Explosion.bmp";

const int kPointsPerKill = 50;
const double kSunStrength = 980.0;
// Where a missile or asteroid that hit something is put out of play.
const int kParkX = -10;
const int kParkY = -10;

// The interface texts.
const int kScoreX = 71;
const int kScoreY = 0;
const int kLivesFromRight = 200;
const int kLivesY = 4;

// The computer pilot: its counter, its cadence and its speed governor.
const char kDirections[] = "ESWN";
const int kPilotStart = 45;
const int kThrustEvery = 15;
const int kFireEvery = 30;
const int kTurnAt = 130;
const int kCycleRestart = 90;
const double kPilotThrust = 0.3;
const double kPilotJolt = 0.5;
const double kTopSpeed = 3.0;
const double kCruiseSpeed = 1.5;
const double kBrake = 0.1;

// No pull is stronger than this, however close the body comes.
const double kMaxPull = 50.0;
// Bodies wrap this far inside the right and bottom edges and this far past
// the left and top ones.
const int kWrapMargin = 20;

void park(Sprite& body) {
    body.setPos(kParkX, kParkY);
}

bool isIconify(const SDL_Event& event) {
    return event.type == SDL_ACTIVEEVENT && event.active.state == SDL_APPACTIVE &&
           event.active.gain == 0;
}

bool isRestore(const SDL_Event& event) {
    return event.type == SDL_ACTIVEEVENT && event.active.state == SDL_APPACTIVE &&
           event.active.gain == 1;
}

}  // namespace

int GameMain(int, char**, Game& game) {
    Match match(game);
    announceScreen(game.playerMode == 1 ? "match2" : "match1");
    FramePacer pacer;
    while (match.isRunning()) {
        match.frame();
        pacer.wait();
    }
    match.finish();
    return 0;
}

Match::Match(Game& world) : game(world), palette(), running(true), aiCounter(kPilotStart) {
    Console& console = game.console;
    console.screen = createDisplay(console.screen, kMatchWidth, kMatchHeight, kBitsPerPixel,
                                   palette, kPaletteSize);
    console.bg_files.clear();
    console.bg_files.push_front(kSpaceWithSun);
    displayBG(console.screen, console);
    // Once is enough: a second copy would be read and drawn every frame.
    if (std::find(console.ui_files.begin(), console.ui_files.end(), kScoreLabel) ==
        console.ui_files.end())
        console.ui_files.push_back(kScoreLabel);
    displayUI(console.screen, console);
    game.initialize();
    game.score = 0;
    game.lives = kStartLives;
    updateScreen(console.screen);
}

void Match::frame() {
    SDL_Surface* screen = game.console.screen;
    displayBG(screen, game.console);
    displayUI(screen, game.console);
    drawTexts();
    takeInput();
    if (game.playerMode == 0) flyEnemy();
    ++aiCounter;
    game.enemy.update();
    game.player.update();
    game.update();
    moveAsteroids();
    wrapOrLoseShips();
    pairTests();
    deathsAndRespawns();
    game.displayAll();
    updateScreen(screen);
}

// The display stays: SDL owns it and lets it go when the next mode is set.
void Match::finish() {
    game.clear();
    std::cout << "FINAL SCORE: " << game.score << std::endl;
}

void Match::drawTexts() {
    SDL_Surface* screen = game.console.screen;
    displayText(std::to_string(game.score), screen, kScoreX, kScoreY, false);
    displayText("LIVES: " + std::to_string(game.lives), screen, screen->w - kLivesFromRight,
                kLivesY, false);
}

void Match::takeInput() {
    if (!takeEvent(game.event)) return;
    switch (game.event.type) {
    case SDL_ACTIVEEVENT:
        if (isIconify(game.event)) waitUntilRestored();
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: routeKey(); break;
    case SDL_QUIT: running = false; break;
    default: break;
    }
}

// Arrows and space fly the first ship; the letters and left shift fly the
// second one only when a second player is at the keyboard.
void Match::routeKey() {
    switch (game.event.key.keysym.sym) {
    case SDLK_ESCAPE: running = false; break;
    case SDLK_SPACE:
    case SDLK_UP:
    case SDLK_DOWN:
    case SDLK_RIGHT:
    case SDLK_LEFT: game.player.handleInput(&game.event); break;
    case SDLK_a:
    case SDLK_d:
    case SDLK_s:
    case SDLK_w:
    case SDLK_LSHIFT:
        if (game.playerMode == 1) game.enemy.handleInput(&game.event);
        break;
    default: break;
    }
}

// The match stands still while the window is iconified; everything that
// arrives before it is restored, a quit included, is dropped.
void Match::waitUntilRestored() {
    do {
        if (!waitEvent(game.event)) return;
    } while (!isRestore(game.event));
}

void Match::flyEnemy() {
    Ship& enemy = game.enemy;
    const int c = aiCounter;
    if (c % kThrustEvery == 0) enemy.pushVel(kPilotThrust, enemy.getPos().facing * 180.0 / kBodyPi);
    if (c % kFireEvery == 0) {
        if (enemy.isAlive()) enemy.createMissile();
        enemy.pushVel(kPilotJolt, randomBelow(kFullTurn));
    }
    if (c == kTurnAt) {
        if (randomBelow(10) > 3) {
            const int d = randomBelow(4);
            enemy.turn(d * 90, kDirections[d]);
        }
        aiCounter = kCycleRestart;
    }
    const Velocity v = enemy.getVel();
    if (v.magnitude > kTopSpeed) {
        const int heading = static_cast<int>(v.angle * 180.0 / kBodyPi);
        enemy.setAcc(kBrake, (heading + 180) % 360);
    } else if (v.magnitude < kCruiseSpeed) {
        enemy.setAcc(0, 0);
    }
}

void Match::moveAsteroids() {
    for (Sprite& asteroid : game.asteroids) {
        asteroid.update();
        if (game.wrapOn) update_wrapAroundScreen(asteroid, game.console.screen);
    }
}

void Match::wrapOrLoseShips() {
    if (game.wrapOn) {
        update_wrapAroundScreen(game.enemy, game.console.screen);
        update_wrapAroundScreen(game.player, game.console.screen);
        return;
    }
    for (Ship* ship : {&game.player, &game.enemy})
        if (ship->collid() && ship->offTheMapDeath(game.console)) ship->kill();
}

void Match::pairTests() {
    Ship& player = game.player;
    Ship& enemy = game.enemy;
    Sprite& sun = game.sun;
    if (collision(player, enemy)) {
        player.kill();
        enemy.kill();
    }
    if (collision(player, sun)) player.kill();
    if (collision(enemy, sun)) enemy.kill();
    if (sun.collid()) {
        pullGravity(player, sun, kSunStrength);
        pullGravity(enemy, sun, kSunStrength);
    }
    missileTests();
    asteroidTests();
}

// Missiles meet both ships, the other ship's missiles and the sun; they pass
// through asteroids.
void Match::missileTests() {
    Ship& player = game.player;
    Ship& enemy = game.enemy;
    Sprite& sun = game.sun;
    for (Sprite* m : player.missiles) {
        if (collision(player, *m)) {
            player.kill();
            park(*m);
        }
        if (collision(enemy, *m)) {
            enemy.kill();
            park(*m);
        }
        for (Sprite* n : enemy.missiles) {
            if (collision(*m, *n)) {
                park(*m);
                park(*n);
            }
        }
        if (collision(sun, *m)) park(*m);
        if (sun.collid()) pullGravity(*m, sun, kSunStrength);
    }
    for (Sprite* n : enemy.missiles) {
        if (collision(player, *n)) {
            player.kill();
            park(*n);
        }
        if (collision(enemy, *n)) {
            enemy.kill();
            park(*n);
        }
        if (collision(sun, *n)) park(*n);
        if (sun.collid()) pullGravity(*n, sun, kSunStrength);
    }
}

// Asteroids meet both ships, the sun and each other; the sun does not pull them.
void Match::asteroidTests() {
    std::vector<Sprite>& asteroids = game.asteroids;
    for (std::size_t i = 0; i < asteroids.size(); ++i) {
        Sprite& rock = asteroids[i];
        if (collision(game.player, rock)) {
            game.player.kill();
            park(rock);
        }
        if (collision(game.enemy, rock)) {
            game.enemy.kill();
            park(rock);
        }
        if (collision(game.sun, rock)) park(rock);
        for (std::size_t j = 0; j < asteroids.size(); ++j)
            if (j != i && collision(rock, asteroids[j])) park(rock);
    }
}

// A death is booked in the frame of the kill; the explosion shows where the
// ship died until it comes back 25 frames later.
void Match::deathsAndRespawns() {
    static int pDeadCoordsX = 0;
    static int pDeadCoordsY = 0;
    static int eDeadCoordsX = 0;
    static int eDeadCoordsY = 0;
    SDL_Surface* screen = game.console.screen;
    Ship& player = game.player;
    Ship& enemy = game.enemy;

    if (player.isDead()) {
        pDeadCoordsX = player.getx();
        pDeadCoordsY = player.gety();
        game.lives -= 1;
        std::cout << "LIVES: " << game.lives << std::endl;
        if (game.lives <= 0) running = false;
    }
    if (!player.isAlive()) {
        ShowBMP(kExplosion, screen, pDeadCoordsX - player.getw() / 2,
                pDeadCoordsY - player.geth() / 2, false);
        player.unKill();
    }

    if (enemy.isDead()) {
        eDeadCoordsX = enemy.getx();
        eDeadCoordsY = enemy.gety();
        game.score += kPointsPerKill;
        std::cout << "Score: " << game.score << std::endl;
    }
    if (!enemy.isAlive()) {
        ShowBMP(kExplosion, screen, eDeadCoordsX - enemy.getw() / 2,
                eDeadCoordsY - enemy.geth() / 2, false);
        enemy.unKill();
    }
}

void pullGravity(Sprite& body, Sprite& attractor, double strength) {
    const Position from = body.getPos();
    const Position to = attractor.getPos();
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double direction = std::atan2(dy, dx) * 180.0 / kFinePi;
    const double distance = std::sqrt(dx * dx + dy * dy);
    double pull = strength / (distance * distance);
    if (pull >= kMaxPull) pull = kMaxPull;
    body.pushVel(pull, direction);
}

bool collision(Sprite& a, Sprite& b) {
    if (!a.collid()) return false;
    if (!b.collid()) return false;
    return a.is_on_this(b.getRect());
}

void update_wrapAroundScreen(Sprite& body, SDL_Surface* screen) {
    const int w = screen->w;
    const int h = screen->h;
    if (body.getPos().x > w - kWrapMargin)
        body.pushPos(-w, 0);
    else if (body.getPos().x < -kWrapMargin)
        body.pushPos(w, 0);
    if (body.getPos().y > h - kWrapMargin)
        body.pushPos(0, -h);
    else if (body.getPos().y < -kWrapMargin)
        body.pushPos(0, h);
}
