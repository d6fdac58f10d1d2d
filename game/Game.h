#ifndef ORBITANE_GAME_GAME_H
#define ORBITANE_GAME_GAME_H

#include "GameDisplay.h"
#include "Ship.h"
#include "Sprite.h"

#include <SDL.h>

#include <vector>

// Every screen of the game is 16 bits deep and hands SDL a 256-entry palette.
const int kBitsPerPixel = 16;
const int kPaletteSize = 256;
// The first ship's lives at the start of a match.
const int kStartLives = 15;
// The match's background with the sun painted into it.
const char* const kSpaceWithSun = "images/SpaceSun.bmp";

// The world of a match: the console, the event record the loops poll into,
// the options the title menu sets, the score and lives, the two ships, the
// sun and the asteroids. There is one for the whole run of the program.
class Game {
public:
    Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Places the bodies, picks the background for the sun option, reseeds
    // the random numbers and adds five asteroids.
    void initialize();
    // Tops the asteroids up to five, after a wait between shortages.
    void update();
    // The sun, the ships with their missiles, then the asteroids.
    void displayAll();
    // Fresh ships at their start positions.
    void clear();

    Console console;
    SDL_Event event;
    bool sunOn;
    bool wrapOn;
    // 0: one player against the computer pilot; 1: two players; 2: no match.
    int playerMode;
    int score;
    int lives;
    Ship player;
    Ship enemy;
    Sprite sun;
    std::vector<Sprite> asteroids;

private:
    void addAsteroid();
};

#endif
