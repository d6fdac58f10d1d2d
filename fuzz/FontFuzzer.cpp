// Arbitrary bytes as glyphs of the font: the interface texts composed and
// drawn when some of their letters are damaged and when all of them are.
#include "FuzzSupport.h"
#include "GameDisplay.h"

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// The lives counter mixes damaged glyphs with sound ones; the short text is
// damaged glyphs only.
const char* const kLivesText = "LIVES: 1";
const char* const kDamagedOnly = "1:L 1";
const char* const kDamagedGlyphs[] = {"fonts/L.bmp", "fonts/_colon.bmp", "fonts/1.bmp"};
const char* const kSoundGlyphs[] = {"fonts/I.bmp", "fonts/V.bmp", "fonts/E.bmp", "fonts/S.bmp",
                                    "fonts/_space.bmp"};
const int kGlyphWidth = 8;
const int kGlyphHeight = 16;

void writeSoundGlyphs() {
    SDL_Surface* glyph =
        SDL_CreateRGBSurface(0, kGlyphWidth, kGlyphHeight, 16, 0xF800, 0x07E0, 0x001F, 0);
    if (!glyph || SDL_FillRect(glyph, nullptr, 0xFFFF) != 0) std::exit(1);
    for (const char* name : kSoundGlyphs)
        if (SDL_SaveBMP(glyph, name) != 0) std::exit(1);
    SDL_FreeSurface(glyph);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzsupport::start(argc, argv);
    writeSoundGlyphs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const char* name : kDamagedGlyphs) fuzzsupport::writeFile(name, data, size);
    SDL_Surface* screen = fuzzsupport::screen();

    SDL_Surface* text = createText(kLivesText);
    fuzzsupport::noteOutcome(text);
    SDL_FreeSurface(text);
    for (std::size_t i = 0; i < fuzzsupport::kPlaceCount; ++i)
        displayText(kLivesText, screen, fuzzsupport::kPlaces[i].x, fuzzsupport::kPlaces[i].y,
                    false);
    displayText(kDamagedOnly, screen, 71, 0, false);
    displayText(kDamagedOnly, fuzzsupport::trueColour(), -3, 595, false);
    return 0;
}
