#include "Utility.h"

#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The video driver SDL picks when no other works; it opens no window.
const char* const kOffscreenDriver = "offscreen";

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

// With no window system to reach (no display, or one that refuses the
// connection), SDL falls back on drawing off screen: the game would run on,
// seen by no one. That is a start-up failure like any other.
bool showsNothing(unsigned int flags) {
    if (!(flags & SDL_INIT_VIDEO)) return false;
    char driver[32] = "";
    if (SDL_VideoDriverName(driver, sizeof driver) == nullptr) return false;
    if (std::strcmp(driver, kOffscreenDriver) != 0) return false;
    SDL_SetError("no window system to open a window on");
    return true;
}

}  // namespace

void initSDL(unsigned int flags) {
    if (SDL_Init(flags) < 0 || showsNothing(flags)) {
        std::fprintf(stderr, "Unable to init SDL: %s\n", SDL_GetError());
        SDL_Quit();
        std::exit(1);
    }
    std::atexit(shutDownSDL);
}
