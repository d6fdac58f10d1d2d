#ifndef ORBITANE_FRAMEWORK_GAMEDISPLAY_H
#define ORBITANE_FRAMEWORK_GAMEDISPLAY_H

#include "Picture.h"
#include "Text.h"

#include <SDL.h>

#include <list>
#include <string>

class Object;

// The display registry: the surface every pass draws on and the three layers
// drawn onto it. It owns neither the surface (SDL does) nor the objects.
class Console {
public:
    SDL_Surface* screen = nullptr;
    std::list<std::string> bg_files;
    std::list<std::string> ui_files;
    std::list<Object*> objects;
};

// The video mode: opening it, presenting a finished frame.
SDL_Surface* createDisplay(SDL_Surface* current, unsigned long width, unsigned long height,
                           unsigned int bitsPerPixel, SDL_Color* palette, int paletteEntries);
void updateScreen(SDL_Surface* screen);

// The layer passes. Files are read from disk on every call.
void displayBG(SDL_Surface* screen, Console& console);
void displayUI(SDL_Surface* screen, Console& console);
// Draws the objects back to front, leaving out `skip` (null skips none).
void displayElse(Console& console, Object* skip);
// Drags `object` with the mouse until a button is released.
void click_drag(Object& object, SDL_Event& event, Console& console);

#endif
