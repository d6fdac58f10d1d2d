#include "BmpDecode.h"
#include "GameDisplay.h"
#include "TestSupport.h"

#include <filesystem>
#include <vector>

// Each pixel's colour as SDL reads it; the surface is freed.
std::vector<Rgb> colours(SDL_Surface* s) {
    std::vector<Rgb> found;
    for (int i = 0; s && i < s->w * s->h; ++i) found.push_back(pixelAt(s, i % s->w, i / s->w));
    SDL_FreeSurface(s);
    return found;
}

// The plain decoder as the web page uses it, behind the guard of every picture.
SDL_Surface* decode(const std::string& file) {
    const Uint8* bytes = reinterpret_cast<const Uint8*>(file.data());
    return claimsSensibleSizes(bytes, file.size()) ? decodeBmp(bytes, file.size(), kLayoutRgba)
                                                   : nullptr;
}

TEST(BmpDecode, EveryGeneratedPictureAndGlyphGetsTheColoursSdlDecodes) {
    int pictures = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(builtResources())) {
        if (entry.path().extension() != ".bmp") continue;
        const std::vector<Rgb> sdl = colours(SDL_LoadBMP(entry.path().c_str()));
        EXPECT_TRUE(!sdl.empty() && colours(decode(readFile(entry.path()))) == sdl) << entry.path();
        ++pictures;
    }
    EXPECT_GT(pictures, 100);
}
