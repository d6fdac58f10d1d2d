#include "GameDisplay.h"

#include "Object.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <vector>

namespace {

// The window is a plain window: a hardware palette for 8-bit modes and
// double buffering, never full screen.
const Uint32 kVideoFlags = SDL_HWPALETTE | SDL_DOUBLEBUF;
const int kPaletteSize = 256;

// Text surfaces are composed in 32-bit RGBA.
const Uint32 kRedMask = 0x000000FF;
const Uint32 kGreenMask = 0x0000FF00;
const Uint32 kBlueMask = 0x00FF0000;
const Uint32 kAlphaMask = 0xFF000000;

const char* const kFontFolder = "fonts/";
const char* const kFontExtension = ".bmp";

void drawFiles(const std::list<std::string>& files, SDL_Surface* target) {
    for (const std::string& file : files) ShowBMP(file, target, 0, 0, false);
}

void freeAll(std::vector<SDL_Surface*>& surfaces) {
    for (SDL_Surface* surface : surfaces) SDL_FreeSurface(surface);
    surfaces.clear();
}

// The next event of a drag: the one pending, or the next to arrive.
bool nextEvent(SDL_Event& event) {
    return SDL_PollEvent(&event) || SDL_WaitEvent(&event);
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
    if (!screen) {
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
    if (!nextEvent(event)) return;
    while (event.type != SDL_MOUSEBUTTONUP) {
        if (event.type == SDL_QUIT) {
            // Leave the quit request for the screen's own loop.
            SDL_PushEvent(&event);
            return;
        }
        const SDL_MouseMotionEvent& motion = event.motion;
        if (event.type == SDL_MOUSEMOTION && motion.x < console.screen->w &&
            motion.y < console.screen->h) {
            std::cout << "dragged!:  X:" << motion.x << " Y: " << motion.y << std::endl;
            object.moveTo(object.getx() + motion.x - previousX, object.gety() + motion.y - previousY);
            displayBG(console.screen, console);
            displayElse(console, &object);
            object.display(console.screen, false);
            updateScreen(console.screen);
            previousX = motion.x;
            previousY = motion.y;
        }
        if (!nextEvent(event)) return;
    }
}

SDL_Surface* loadBMP(std::string path) {
    SDL_Surface* surface = SDL_LoadBMP_RW(SDL_RWFromFile(path.c_str(), "rb"), 1);
    if (!surface) {
        const std::string message = "Couldn't load " + path + ": " + SDL_GetError() + "\n";
        std::fprintf(stderr, "%s", message.c_str());
    }
    return surface;
}

void ShowBMP(std::string path, SDL_Surface* target, int x, int y, bool update) {
    SDL_Surface* image = loadBMP(std::move(path));
    if (!image) return;
    display_image(image, target, x, y, update);
    SDL_FreeSurface(image);
}

void ShowBMP(std::string path, SDL_Surface* target, SDL_Rect where, bool update) {
    ShowBMP(std::move(path), target, where.x, where.y, update);
}

void display_image(SDL_Surface* image, SDL_Surface* target, int x, int y, bool update) {
    if (!image || !target) return;
    SDL_Rect where;
    where.x = static_cast<Sint16>(x);
    where.y = static_cast<Sint16>(y);
    where.w = static_cast<Uint16>(image->w);
    where.h = static_cast<Uint16>(image->h);
    SDL_UpperBlit(image, nullptr, target, &where);
    // The blit has clipped the rectangle to the target: push only what was drawn.
    if (update) SDL_UpdateRects(target, 1, &where);
}

SDL_Surface* create_SDL_Surface(int width, int height) {
    SDL_Surface* surface = SDL_CreateRGBSurface(0, width, height, 32, kRedMask, kGreenMask,
                                                kBlueMask, kAlphaMask);
    if (!surface) {
        std::fprintf(stderr, "CreateRGBSurface failed: %s\n", SDL_GetError());
        std::exit(1);
    }
    return surface;
}

SDL_Surface* load_letter(char c, std::string folder, std::string extension) {
    std::string path = std::move(folder);
    if (std::isspace(static_cast<int>(c)))
        path += "_space" + extension;
    else if (c == ':')
        path += "_colon" + extension;
    else
        path += c + extension;
    return SDL_LoadBMP_RW(SDL_RWFromFile(path.c_str(), "rb"), 1);
}

SDL_Surface* createText(std::string const& text) {
    if (text.empty()) return nullptr;
    std::vector<SDL_Surface*> letters;
    letters.reserve(text.size());
    int width = 0;
    for (char c : text) {
        SDL_Surface* letter = load_letter(c, kFontFolder, kFontExtension);
        if (!letter) {
            freeAll(letters);
            return nullptr;
        }
        width += letter->w;
        letters.push_back(letter);
    }
    const int height = letters.front()->h;
    // A font of empty pictures has nothing to show.
    if (width <= 0 || height <= 0) {
        freeAll(letters);
        return nullptr;
    }
    SDL_Surface* composed = create_SDL_Surface(width, height);
    int pen = 0;
    for (SDL_Surface* letter : letters) {
        SDL_Rect where;
        where.x = static_cast<Sint16>(pen);
        where.y = 0;
        where.w = static_cast<Uint16>(letter->w);
        where.h = static_cast<Uint16>(letter->h);
        SDL_UpperBlit(letter, nullptr, composed, &where);
        pen += letter->w;
    }
    freeAll(letters);
    return composed;
}

void displayText(std::string const& text, SDL_Surface* target, int x, int y, bool) {
    SDL_Surface* composed = createText(text);
    if (!composed) return;
    display_image(composed, target, x, y, false);
    SDL_FreeSurface(composed);
}
