// Loaded into a program with LD_PRELOAD, it writes the time of every frame
// the program presents through SDL_UpdateRect, in milliseconds on the
// monotonic clock, one a line, to the file named by FRAME_TIMES.
// bench/present-cost.sh reads the pacing from it.
#include <SDL.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

extern "C" void SDL_UpdateRect(SDL_Surface* screen, Sint32 x, Sint32 y, Uint32 w, Uint32 h) {
    using Present = void (*)(SDL_Surface*, Sint32, Sint32, Uint32, Uint32);
    static const auto present = reinterpret_cast<Present>(dlsym(RTLD_NEXT, "SDL_UpdateRect"));
    static const int out = open(std::getenv("FRAME_TIMES"), O_WRONLY | O_CREAT | O_APPEND, 0644);
    present(screen, x, y, w, h);
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    dprintf(out, "%.3f\n", now.tv_sec * 1e3 + now.tv_nsec / 1e6);
}
