#include "Bmp.h"
#include "Picture.h"
#include "TestSupport.h"

// Every kind of picture the game's own reader converts, into the display's 5-6-5 format, a
// composing RGBA one and a 32-bit one without alpha, whole or a part of it, gives each pixel the
// colour SDL's decoder and blit give it. (Only the colour: SDL keeps a target's own alpha where
// the reader makes every pixel opaque.)
TEST(BmpConversion, EveryPixelGetsTheColourSdlGivesIt) {
    std::string zeroAlpha;  // as most programs write 32-bit pictures: SDL takes them as opaque
    for (int i = 0; i < 256 * 3; ++i) zeroAlpha += little(40503LL * i + 7, 3) + '\0';
    const std::string masks888 = little(0xFF0000) + little(0xFF00) + little(0xFF);
    // SDL's own blit of 5-6-5 pixels into 32 bits rounds some greens down (full green to 254),
    // unlike its decoder and everything else: those are checked on the display alone.
    // clang-format off
    struct Case { const char* name; std::string bytes; bool displayOnly = false; };
    const Case kCases[] = {
        {"24-bit", bmp(256, 3, 24, 0, "", pattern(256, 3, 3))},
        {"24-bit, top down, padded", bmp(255, -3, 24, 0, "", pattern(255, 3, 3))},
        {"32-bit", bmp(256, 3, 32, 0, "", zeroAlpha)},
        {"32-bit with masks", bmp(256, 3, 32, kBitFields, masks888, pattern(256, 3, 4))},
        {"16-bit 5-5-5", bmp(256, 3, 16, 0, "", pattern(256, 3))},
        {"16-bit 5-6-5", bmp(256, 3, 16, kBitFields, kMasks565, pattern(256, 3)), true},
    };
    struct Part { int x, y, w, h; };
    // clang-format on
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const auto* bytes = reinterpret_cast<const Uint8*>(c.bytes.data());
        Bmp parsed;
        ASSERT_EQ(parseBmp(bytes, c.bytes.size(), parsed), BmpParse::Parsed);
        const SurfacePtr decoded(
            SDL_LoadBMP_RW(SDL_RWFromConstMem(c.bytes.data(), int(c.bytes.size())), 1));
        for (const Part& part : {Part{0, 0, parsed.width, 3}, Part{5, 1, 200, 2}}) {
            for (SDL_Surface* (*make)(int, int) : {makeScreen, makeRgbaSurface, makeTrueColour}) {
                if (c.displayOnly && make != makeScreen) continue;
                const SurfacePtr ours(make(part.w, part.h)), sdls(make(part.w, part.h));
                SCOPED_TRACE(int(ours->format->BitsPerPixel) + 100 * part.x);
                convertRows(parsed, bytes, part.x, part.y, part.w, part.h,
                            static_cast<Uint8*>(ours->pixels), ours->pitch, *ours->format);
                SDL_Rect from = {Sint16(part.x), Sint16(part.y), Uint16(part.w), Uint16(part.h)};
                SDL_BlitSurface(decoded.get(), &from, sdls.get(), nullptr);
                for (int y = 0; y < part.h; ++y)
                    for (int x = 0; x < part.w; ++x)
                        ASSERT_EQ(pixelAt(ours.get(), x, y), pixelAt(sdls.get(), x, y))
                            << x << "," << y;
            }
        }
    }
}
