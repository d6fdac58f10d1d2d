// The fuzz target for what reads a picture file. An input's first byte picks what the rest becomes:
// 0 a picture, loaded, drawn and shown; 1 three glyphs of the lives counter; 2 the game's own
// reader, into 32 and 16 bits. It runs in a copy of the game's resources, changing them.
#include "Bmp.h"
#include "GameDisplay.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

static SDL_Surface *screen, *trueColour;  // the display, and 32-bit like a composed text
// Inside, partly and far outside a target, and beyond SDL's 16-bit coordinates.
static const int kPlaces[][2] = {{0, 0},      {-10, -10},  {790, 590},     {-400, 300},
                                 {400, -300}, {-32768, 0}, {32767, 32767}, {70000, -70000}};

// SDL is not instrumented: each refusal it gives and kind of picture it makes counts as new ground.
__attribute__((section("__libfuzzer_extra_counters"))) static std::uint8_t outcomes[4096];
static void noteOutcome(const SDL_Surface* p) {
    const auto bits = [](unsigned v) { return char(v ? 32 - __builtin_clz(v) : 0); };
    std::string what = SDL_GetError();
    if (p) what = {char(p->format->BitsPerPixel), bits(p->w), bits(p->h), bits(p->flags)};
    outcomes[std::hash<std::string>()(what.substr(0, what.find_first_of("0123456789"))) % 4096] = 1;
}

// A new file each time: rewriting one in place makes the file system flush it to disk.
static void writeFile(const char* name, const std::uint8_t* data, std::size_t size) {
    std::remove(name);
    std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(data), size);
}

static void picture(const std::uint8_t* data, std::size_t size) {
    writeFile("images/picture.bmp", data, size);
    SDL_Surface* image = loadBMP("images/picture.bmp");
    noteOutcome(image);
    for (const auto& at : kPlaces) {
        display_image(image, screen, at[0], at[1], true);
        display_image(image, trueColour, at[0], at[1], false);
        ShowBMP("images/picture.bmp", screen, at[0], at[1], true);  // read and drawn from its file
    }
    SDL_FreeSurface(image);
    ShowBMP("images/picture.bmp", screen, SDL_Rect{-20, 580, 5, 5}, false);
}

// "LIVES: 1" mixes the damaged glyphs with sound ones; "1:L" has only damaged ones.
static void font(const std::uint8_t* data, std::size_t size) {
    for (const char* name : {"fonts/L.bmp", "fonts/_colon.bmp", "fonts/1.bmp"})
        writeFile(name, data, size);
    for (const auto& at : kPlaces) displayText("LIVES: 1", screen, at[0], at[1], false);
    displayText("1:L", trueColour, -3, 595, false);
}

static void decoder(const std::uint8_t* data, std::size_t size) {
    Bmp bmp;
    if (parseBmp(data, size, bmp) != BmpParse::Parsed) return;
    for (SDL_Surface* into :
         {makeRgbaSurface(bmp.width, bmp.height),
          SDL_CreateRGBSurface(0, bmp.width, bmp.height, 16, 0xF800, 0x07E0, 0x001F, 0)}) {
        if (into)
            convertRows(bmp, data, 0, 0, bmp.width, bmp.height, static_cast<Uint8*>(into->pixels),
                        into->pitch, *into->format);
        SDL_FreeSurface(into);
    }
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    screen = SDL_SetVideoMode(800, 600, 16, SDL_SWSURFACE);
    trueColour = create_SDL_Surface(800, 600);
    if (!screen) std::exit(std::fprintf(stderr, "no display: %s\n", SDL_GetError()) != 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    void (*const modes[])(const std::uint8_t*, std::size_t) = {picture, font, decoder};
    if (size > 0) modes[data[0] % 3](data + 1, size - 1);
    return 0;
}
