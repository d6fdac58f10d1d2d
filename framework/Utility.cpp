#include "Utility.h"

#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The video driver SDL picks when no other works; it opens no window.
const char* const kOffscreenDriver = "offscreen";

// SDL's settings for how frames reach the window: the renderer, framebuffer
// acceleration, vertical sync and window scaling. A player who set any one of
// them has chosen how frames are presented (one who asks for vertical sync or
// scaling keeps the OpenGL path), and the game then touches none of them.
const char* const kPresentationSettings[] = {"SDL_RENDER_DRIVER", "SDL_FRAMEBUFFER_ACCELERATION",
                                             "SDL12COMPAT_SYNC_TO_VBLANK",
                                             "SDL12COMPAT_WINDOW_SCALING"};

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

// SDL 1.2 on SDL 2 presents each frame through OpenGL, and on a machine without a
// graphics card (a virtual machine, a remote desktop) OpenGL is drawn in software,
// dearly (bench/README.md). SDL's software renderer writes the frame straight into
// the window instead, the same picture for less; SDL takes that path only with both
// settings. Classic SDL 1.2 ignores them.
void choosePresentation() {
    for (const char* name : kPresentationSettings) {
        if (std::getenv(name) != nullptr) return;
    }
    setenv("SDL_RENDER_DRIVER", "software", 1);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 1);
}

}  // namespace

void initSDL(unsigned int flags) {
    choosePresentation();
    if (SDL_Init(flags) < 0 || showsNothing(flags)) {
        std::fprintf(stderr, "Unable to init SDL: %s\n", SDL_GetError());
        SDL_Quit();
        std::exit(1);
    }
    std::atexit(shutDownSDL);
}
