#ifndef ORBITANE_GAME_SHIP_H
#define ORBITANE_GAME_SHIP_H

#include "Sprite.h"

#include <SDL.h>

#include <string>
#include <vector>

class Game;

// Pictures shared by every file that deals with ships. The other facings of
// the ship are the same name with N, S or W in place of the E.
extern const std::string shipImage;
extern const std::string missileImage;

// The four ways a ship can be drawn.
enum Direction { EAST, SOUTH, WEST, NORTH };

// A keyboard-steered body that fires missiles, owns them, and goes through a
// kill and respawn cycle driven by the match.
class Ship : public Sprite {
public:
    explicit Ship(Game* game);
    // Copies take their own copy of every missile in flight.
    Ship(const Ship& other);
    Ship& operator=(const Ship& other);
    ~Ship() override;

    // Arrows or w/a/s/d thrust and turn; space or left shift fire.
    void handleInput(const SDL_Event* event);
    Sprite* createMissile();

    // Moves and prunes the missiles, keeps up held fire, then moves the ship.
    void update() override;
    // Missiles first, so the ship is drawn over them.
    void display(SDL_Surface* screen, bool update) override;

    // Death and respawn: a kill, then 25 frames of unKill until it is back.
    void kill();
    void unKill();
    bool isAlive() const;
    bool isDead() const;
    bool isFiring() const { return firing; }

    void animate(Direction direction);
    // Destroys every missile.
    void clear();

    // The missiles in flight, in launch order; the ship owns each one.
    std::vector<Sprite*> missiles;

private:
    void thrust(bool pressed, bool& flag, double degrees, char letter);
    void copyMissilesFrom(const Ship& other);

    Game* game;
    bool thrustWest;
    bool thrustEast;
    bool thrustNorth;
    bool thrustSouth;
    bool firing;
    int respawnTimer;
};

#endif
