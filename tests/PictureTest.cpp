#include "Picture.h"
#include "TestSupport.h"

#include <cstring>

namespace {

const char* kPath = "images/p.bmp";
const std::string kMasks555 = little(0x7C00) + little(0x03E0) + little(0x001F);

// A picture file of 16-bit pixels in the given masks, all different.
std::string sixteenBit(int width, int height, const std::string& masks = kMasks565) {
    return bmp(width, height, 16, kBitFields, masks, pattern(width, std::abs(height)));
}

}  // namespace

class PictureTest : public testing::Test {
protected:
    void TearDown() override {
        for (SDL_Surface* surface : screens) SDL_FreeSurface(surface);
    }

    // What reading the picture onto the first screen at (x, y) comes to, drawn as ShowBMP draws
    // it; the second screen gets SDL's own decode of the same file, blitted there, and the part
    // each covered must agree.
    PictureRead showBoth(int x, int y) {
        std::vector<Uint8> buffer;
        Picture picture(buffer);
        const PictureRead read = picture.read(kPath, Place{screens[0], x, y});
        if (read == PictureRead::Read || read == PictureRead::LeftToSdl)
            picture.draw(screens[0], x, y, picture.height());
        SDL_Surface* decoded = SDL_LoadBMP(kPath);
        SDL_Rect part = {Sint16(x), Sint16(y), 0, 0};
        SDL_UpperBlit(decoded, nullptr, screens[1], &part);
        SDL_FreeSurface(decoded);
        const SDL_Rect& drawn = picture.drawn();
        EXPECT_EQ(drawn.x, part.x);
        EXPECT_EQ(drawn.y, part.y);
        EXPECT_EQ(drawn.w, part.w);
        EXPECT_EQ(drawn.h, part.h);
        return read;
    }

    bool screensMatch() const {
        return std::memcmp(screens[0]->pixels, screens[1]->pixels, screens[0]->pitch * kTall) == 0;
    }

    // Taller than one request to read rows takes.
    static const int kTall = 1100;
    TempResources files;
    SDL_Surface* screens[2] = {makeScreen(320, kTall), makeScreen(320, kTall)};
};

// A picture larger than the first read has its rows read from the file straight onto a display
// of its own format, when every row that lands there lands whole; anything else is read whole and
// drawn. Either way the display shows what SDL's decoder and blit show, within the display's edges
// and its clip rectangle.
TEST_F(PictureTest, LargePicturesAreReadStraightOntoTheDisplayOrFallBack) {
    // clang-format off
    struct Case { const char* name; std::string bytes; int x, y; PictureRead read;
                  SDL_Rect clip = {0, 0, 320, kTall}; };
    const Case kCases[] = {
        {"bottom up, whole", sixteenBit(200, 180), 10, 20, PictureRead::Drawn},
        {"top down, whole", sixteenBit(200, -180), 100, 0, PictureRead::Drawn},
        {"clipped at the top", sixteenBit(200, 180), 0, -50, PictureRead::Drawn},
        {"clipped at the bottom, top down", sixteenBit(200, -180), 120, kTall - 30, PictureRead::Drawn},
        {"clipped at the bottom, bottom up", sixteenBit(200, 180), 120, kTall - 1, PictureRead::Drawn},
        {"clipped at the left", sixteenBit(200, 180), -1, 0, PictureRead::Read},
        {"clipped at the right", sixteenBit(200, 180), 121, 5, PictureRead::Read},
        {"clipped at both sides", sixteenBit(400, 90), -40, 5, PictureRead::Read},
        {"off the display", sixteenBit(200, 180), 0, kTall, PictureRead::Read},
        {"padded rows", sixteenBit(201, 180), 3, 4, PictureRead::Read},
        {"more rows than one request", sixteenBit(40, -kTall), 0, 0, PictureRead::Read},
        {"another format", sixteenBit(200, 180, kMasks555), 0, 0, PictureRead::LeftToSdl},
        {"small", sixteenBit(20, 18), 7, 9, PictureRead::Read},
        {"just larger than the first read", sixteenBit(32, 1023), 0, 0, PictureRead::Drawn},
        {"small, in a clip rectangle", sixteenBit(20, 18), 7, 9, PictureRead::Read, {9, 12, 3, 2}},
        {"clip rectangle as wide as it", sixteenBit(200, 180), 10, 20, PictureRead::Drawn, {10, 30, 200, 50}},
        {"clip rectangle narrower", sixteenBit(200, 180), 10, 20, PictureRead::Read, {10, 30, 199, 50}},
    };
    // clang-format on
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        for (SDL_Surface* screen : screens) {
            SDL_SetClipRect(screen, nullptr);
            SDL_FillRect(screen, nullptr, 0);
            SDL_SetClipRect(screen, &c.clip);
        }
        files.file(kPath, c.bytes);
        EXPECT_EQ(showBoth(c.x, c.y), c.read);
        EXPECT_TRUE(screensMatch());
        EXPECT_EQ(countColour(screens[1], kBlack) == 320 * kTall, c.y == kTall);
    }
}

// A picture the game's own reader read becomes a composing RGBA surface of its own, each pixel of
// the colour SDL decodes.
TEST_F(PictureTest, APictureOfTheGamesReaderBecomesAnRgbaSurface) {
    files.file(kPath, sixteenBit(5, 4));
    std::vector<Uint8> buffer;
    Picture picture(buffer);
    ASSERT_EQ(picture.read(kPath, Place{screens[0], 0, 0}), PictureRead::Read);
    const SurfacePtr own(picture.toSurface()), sdls(SDL_LoadBMP(kPath));
    const SDL_PixelFormat& format = *own->format;
    EXPECT_EQ(std::vector<Uint32>({format.Rmask, format.Gmask, format.Bmask, format.Amask}),
              std::vector<Uint32>({0xFF, 0xFF00, 0xFF0000, 0xFF000000}));
    for (int i = 0; i < 5 * 4; ++i)
        EXPECT_EQ(pixelAt(own.get(), i % 5, i / 5), pixelAt(sdls.get(), i % 5, i / 5)) << i;
}
