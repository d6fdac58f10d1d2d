#include "Utility.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

void initSDL(unsigned int flags) {
    if (SDL_Init(flags) < 0) {
        std::fprintf(stderr, "Unable to init SDL: %s\n", SDL_GetError());
        std::exit(1);
    }
    std::atexit(SDL_Quit);
}
