#include "Utility.h"

#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Long enough for any orderly shutdown.
const unsigned kShutdownSeconds = 3;

// SDL shuts down at exit, by whatever path the program ends. When the window
// system has gone away first, Xlib ends the program and SDL's shutdown then
// waits for the dead display for ever, burning a core; the alarm ends the
// process instead.
void shutDownSDL() {
    alarm(kShutdownSeconds);
    SDL_Quit();
    alarm(0);
}

}  // namespace

void initSDL(unsigned int flags) {
    if (SDL_Init(flags) < 0) {
        std::fprintf(stderr, "Unable to init SDL: %s\n", SDL_GetError());
        std::exit(1);
    }
    std::atexit(shutDownSDL);
}
