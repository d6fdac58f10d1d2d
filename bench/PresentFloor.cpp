// The floor under every frame the game shows: an 800 x 600 16-bit frame
// presented 60 times a second and nothing else, with SDL's video started the
// way the game starts it. Runs until its window is closed. bench/present-cost.sh
// measures it beside the game.
#include "FramePacer.h"
#include "GameDisplay.h"
#include "Utility.h"

#include <SDL.h>

int main() {
    initSDL(SDL_INIT_VIDEO);
    SDL_WM_SetCaption("Present floor", "Present floor");
    SDL_Color palette[256];
    SDL_Surface* screen = createDisplay(nullptr, 800, 600, 16, palette, 256);
    FramePacer pacer;
    for (SDL_Event event;;) {
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT) return 0;
        }
        updateScreen(screen);
        pacer.wait();
    }
}
