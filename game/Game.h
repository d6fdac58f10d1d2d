#ifndef ORBITANE_GAME_GAME_H
#define ORBITANE_GAME_GAME_H

#include "GameDisplay.h"

#include <SDL.h>

// The world of a match: the console, the event record the loops poll into,
// the options the title menu sets, and the score and lives.
class Game {
public:
    Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    Console console;
    SDL_Event event;
    bool sunOn;
    bool wrapOn;
    // 0: one player against the computer pilot; 1: two players; 2: no match.
    int playerMode;
    int score;
    int lives;
};

#endif
