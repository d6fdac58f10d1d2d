#include "GameDisplay.h"

#include "EventQueue.h"
#include "Object.h"
#include "Platform.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {

// The window is a plain window: a hardware palette for 8-bit modes and
// double buffering, never full screen.
const Uint32 kVideoFlags = SDL_HWPALETTE | SDL_DOUBLEBUF;
const int kPaletteSize = 256;

void drawFiles(const std::list<std::string>& files, SDL_Surface* target) {
    for (const std::string& file : files) ShowBMP(file, target, 0, 0, false);
}

}  // namespace

SDL_Surface* createDisplay(SDL_Surface*, unsigned long width, unsigned long height,
                           unsigned int bitsPerPixel, SDL_Color* palette, int paletteEntries) {
    for (int i = 0; i < paletteEntries; ++i) {
        const Uint8 grey = static_cast<Uint8>(i);
        palette[i].r = grey;
        palette[i].g = grey;
        palette[i].b = grey;
    }
    SDL_Surface* screen = SDL_SetVideoMode(static_cast<int>(width), static_cast<int>(height),
                                           static_cast<int>(bitsPerPixel), kVideoFlags);
    if (!screen || !displayShowsPixels(screen)) {
        std::printf("Couldn't set video mode: %s\n", SDL_GetError());
        std::exit(-1);
    }
    SDL_SetPalette(screen, SDL_LOGPAL | SDL_PHYSPAL, palette, 0, kPaletteSize);
    return screen;
}

void updateScreen(SDL_Surface* screen) {
    SDL_UpdateRect(screen, 0, 0, screen->w, screen->h);
}

void displayBG(SDL_Surface*, Console& console) {
    drawFiles(console.bg_files, console.screen);
}

void displayUI(SDL_Surface*, Console& console) {
    drawFiles(console.ui_files, console.screen);
}

void displayElse(Console& console, Object* skip) {
    // Back to front, so the object at the front of the list ends up on top.
    for (auto it = console.objects.rbegin(); it != console.objects.rend(); ++it)
        if (*it != skip) (*it)->display(console.screen, false);
}

void click_drag(Object& object, SDL_Event& event, Console& console) {
    int previousX = event.button.x;
    int previousY = event.button.y;
    if (!waitEvent(event)) return;
    while (event.type != SDL_MOUSEBUTTONUP) {
        if (event.type == SDL_QUIT) {
            // Leave the quit request for the screen's own loop.
            putBack(event);
            return;
        }
        const SDL_MouseMotionEvent& motion = event.motion;
        if (event.type == SDL_MOUSEMOTION && motion.x < console.screen->w &&
            motion.y < console.screen->h) {
            std::cout << "dragged!:  X:" << motion.x << " Y: " << motion.y << std::endl;
            object.moveTo(object.getx() + motion.x - previousX,
                          object.gety() + motion.y - previousY);
            displayBG(console.screen, console);
            displayElse(console, &object);
            object.display(console.screen, false);
            updateScreen(console.screen);
            previousX = motion.x;
            previousY = motion.y;
        }
        if (!waitEvent(event)) return;
    }
}
