#ifndef ORBITANE_FRAMEWORK_GAMEDISPLAY_H
#define ORBITANE_FRAMEWORK_GAMEDISPLAY_H

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

// Pictures. Loaded surfaces belong to the caller; a failed load is reported
// on standard error and gives null.
SDL_Surface* loadBMP(std::string path);
// The guarded reader behind every picture: null, with SDL's error set and
// nothing reported, for a file that can't be read or claims an absurd size.
SDL_Surface* readPicture(const std::string& path);
void ShowBMP(std::string path, SDL_Surface* target, int x, int y, bool update);
void ShowBMP(std::string path, SDL_Surface* target, SDL_Rect where, bool update);
void display_image(SDL_Surface* image, SDL_Surface* target, int x, int y, bool update);
// A blank 32-bit RGBA surface for composing; the program stops if SDL can't make one.
SDL_Surface* create_SDL_Surface(int width, int height);

// Text in the game's own font: one BMP file per character.
SDL_Surface* load_letter(char c, std::string folder, std::string extension);
SDL_Surface* createText(std::string const& text);
void displayText(std::string const& text, SDL_Surface* target, int x, int y, bool update);

#endif
