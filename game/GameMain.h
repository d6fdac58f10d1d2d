#ifndef ORBITANE_GAME_GAMEMAIN_H
#define ORBITANE_GAME_GAMEMAIN_H

#include "Sprite.h"

#include <SDL.h>

class Game;

// Runs one whole match on the 800 x 600 display, paced at 60 frames a
// second, and returns 0 when it is over. The arguments are not read.
int GameMain(int argc, char** argv, Game& game);

// One match in its three phases: the set-up in the constructor, one frame at
// a time, and the end. GameMain is the paced loop over them.
class Match {
public:
    explicit Match(Game& game);
    Match(const Match&) = delete;
    Match& operator=(const Match&) = delete;

    bool isRunning() const { return running; }
    // One unpaced frame, in the order below.
    void frame();
    // Resets the ships and prints the final score.
    void finish();

    int getAiCounter() const { return aiCounter; }

private:
    void drawTexts();
    void takeInput();
    void routeKey();
    void waitUntilRestored();
    void flyEnemy();
    void moveAsteroids();
    void wrapOrLoseShips();
    void pairTests();
    void missileTests();
    void asteroidTests();
    void deathsAndRespawns();

    Game& game;
    SDL_Color palette[256];
    bool running;
    int aiCounter;
};

// Physics between bodies. Each changes only the body it is given first.

// Adds an inverse-square pull towards the attractor to the body's velocity.
void pullGravity(Sprite& body, Sprite& attractor, double strength);
// Both bodies collidable and their rectangles overlapping.
bool collision(Sprite& a, Sprite& b);
// Carries a body that has left the wrap window over to the opposite edge.
void update_wrapAroundScreen(Sprite& body, SDL_Surface* screen);

#endif
