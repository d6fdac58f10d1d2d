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

// Absurd sizes, whole or cut off; more colours than the depth holds; no signature, width or
// height; cut off in its sizes or its pixels: no picture, and today's report.
TEST(BmpDecode, DamagedFilesGetTodaysReportAndNoPicture) {
    TempResources files;
    const std::string good = readFile(builtResources() + "/images/select1.bmp");
    const auto with = [&](std::initializer_list<std::pair<int, Uint32>> fields) {
        std::string file = good;  // little-endian, as BMP files are
        for (auto [at, value] : fields)
            file.replace(at, 4, reinterpret_cast<const char*>(&value), 4);
        return file;
    };
    for (const std::string& file :
         {with({{18, 1 << 21}}), with({{18, 1 << 21}}).substr(0, 24), with({{28, 8}, {46, 257}}),
          with({{0, 'X'}}), with({{18, 0}}), with({{22, 0}}), good.substr(0, 20),
          good.substr(0, good.size() - 1)}) {
        files.file("images/bad.bmp", file);
        const std::string said = stderrOf([&] { EXPECT_EQ(loadBMP("images/bad.bmp"), nullptr); });
        EXPECT_EQ(decode(file), nullptr);
        EXPECT_EQ(said, "Couldn't load images/bad.bmp: " + std::string(SDL_GetError()) + "\n");
    }
}
