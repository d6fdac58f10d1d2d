#ifndef ORBITANE_GAME_GAMEMAIN_H
#define ORBITANE_GAME_GAMEMAIN_H

#include "Sprite.h"

#include <SDL.h>

// Physics between bodies. Each changes only the body it is given first.

// Adds an inverse-square pull towards the attractor to the body's velocity.
void pullGravity(Sprite& body, Sprite& attractor, double strength);
// Both bodies collidable and their rectangles overlapping.
bool collision(Sprite& a, Sprite& b);
// Carries a body that has left the wrap window over to the opposite edge.
void update_wrapAroundScreen(Sprite& body, SDL_Surface* screen);

#endif
