#ifndef ORBITANE_FRAMEWORK_EVENTQUEUE_H
#define ORBITANE_FRAMEWORK_EVENTQUEUE_H

#include <SDL.h>

// The window system's events in arrival order, one at a time. SDL 1.2 keeps
// only a short queue of its own and drops what does not fit, so every call
// first moves everything SDL holds into an unbounded queue of ours: a burst
// of key presses then waits its turn instead of being lost.

// Takes the next event if there is one.
bool takeEvent(SDL_Event& event);
// Takes the next event, waiting for one if none is pending; false if SDL fails.
bool waitEvent(SDL_Event& event);
// Puts an event back to be taken next.
void putBack(const SDL_Event& event);

#endif
