#include "Bmp.h"
#include "Picture.h"
#include "TestSupport.h"

#include <climits>

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
        SDL_Surface* decoded =
            SDL_LoadBMP_RW(SDL_RWFromConstMem(c.bytes.data(), int(c.bytes.size())), 1);
        for (const Part& part : {Part{0, 0, parsed.width, 3}, Part{5, 1, 200, 2}}) {
            for (SDL_Surface* (*make)(int, int) : {makeScreen, makeRgbaSurface, makeTrueColour}) {
                if (c.displayOnly && make != makeScreen) continue;
                SDL_Surface* ours = make(part.w, part.h);
                SDL_Surface* sdls = make(part.w, part.h);
                SCOPED_TRACE(int(ours->format->BitsPerPixel) + 100 * part.x);
                convertRows(parsed, bytes, part.x, part.y, part.w, part.h,
                            static_cast<Uint8*>(ours->pixels), ours->pitch, *ours->format);
                SDL_Rect from = {Sint16(part.x), Sint16(part.y), Uint16(part.w), Uint16(part.h)};
                SDL_BlitSurface(decoded, &from, sdls, nullptr);
                for (int y = 0; y < part.h; ++y)
                    for (int x = 0; x < part.w; ++x)
                        ASSERT_EQ(pixelAt(ours, x, y), pixelAt(sdls, x, y)) << x << "," << y;
                SDL_FreeSurface(ours);
                SDL_FreeSurface(sdls);
            }
        }
        SDL_FreeSurface(decoded);
    }
}

// A format with an alpha mask gets every pixel opaque, even one with the picture's own colours.
TEST(BmpConversion, AFormatWithAlphaGetsOpaquePixels) {
    const std::string file = bmp(2, 1, 16, 0, "", little(0x7FFF, 2) + little(0, 2));
    const auto* bytes = reinterpret_cast<const Uint8*>(file.data());
    Bmp parsed;
    ASSERT_EQ(parseBmp(bytes, file.size(), parsed), BmpParse::Parsed);
    SDL_Surface* into = SDL_CreateRGBSurface(0, 2, 1, 16, 0x7C00, 0x03E0, 0x001F, 0x8000);
    Uint16* pixels = static_cast<Uint16*>(into->pixels);
    convertRows(parsed, bytes, 0, 0, 2, 1, reinterpret_cast<Uint8*>(pixels), into->pitch,
                *into->format);
    EXPECT_EQ(pixels[0], 0xFFFF);
    EXPECT_EQ(pixels[1], 0x8000);
    SDL_FreeSurface(into);
}

// What the reader makes of each kind of file, in the words a page reports it with (the desktop
// hands what the reader does not read to SDL, which says why in its own).
TEST(BmpParsing, EachFaultIsNamed) {
    const std::string good = bmp(2, 3, 16, kBitFields, kMasks565, pattern(2, 3));
    const std::string cut = "Error reading from datastream";
    const std::string kTooLarge = "BMP header claims more than 4194304 pixels";
    const std::string kColours = "BMP header claims more colours than its depth holds";
    const BmpParse parsed = BmpParse::Parsed, absurd = BmpParse::Absurd, no = BmpParse::NotRead;
    // clang-format off
    struct Case { const char* name; std::string bytes; BmpParse parse; std::string said; };
    const Case kCases[] = {
        {"sound", good, parsed, ""},
        {"the old header", bmp(2, 3, 24, 0, "", pattern(2, 3, 3), true), parsed, ""},
        {"too large", bmp(2049, 2048, 16, 0), absurd, kTooLarge},
        {"too large, drawn top down", bmp(10, INT_MIN, 16, kBitFields, kMasks565), absurd, kTooLarge},
        {"too large, the old header", bmp(65535, 65535, 24, 0, "", "", true), absurd, kTooLarge},
        {"too large, cut in its depth", bmp(34799, 64768, 1, 0, "", "", true).substr(0, 25), absurd, kTooLarge},
        {"largest", bmp(2048, 2048, 16, 0, "", std::string(2048 * 4096, 0)), parsed, ""},
        {"palette too long", bmp(2, 2, 4, 0, std::string(17 * 4, 0)), absurd, kColours},
        {"palette too long, 8 bits", bmp(2, 2, 8, 1, std::string(257 * 4, 0)), absurd, kColours},
        {"palette too long, 1 bit", bmp(8, 1, 1, 0, std::string(3 * 4, 0)), absurd, kColours},
        {"one byte", "B", no, cut},
        {"no signature", "XM" + good.substr(2), no, "File is not a Windows BMP file"},
        {"no width", bmp(0, 3, 16, 0), no, "BMP file with bad dimensions (0x3)"},
        {"no height", bmp(2, 0, 16, 0), no, "BMP file with bad dimensions (2x0)"},
        {"cut in its masks", good.substr(0, 60), no, cut},
        {"cut in its rows", good.substr(0, good.size() - 1), no, cut},
        {"rows past the end", good.substr(0, 10) + little(INT_MAX) + good.substr(14), no, cut},
        {"compressed", bmp(2, 2, 8, 1, std::string(8, 0)), no, "Compressed BMP files not supported"},
        {"indexed", bmp(8, 1, 1, 0, std::string(8, 0), std::string(4, 0)), no, "BMP files of 1 bits a pixel not supported"},
        {"9 bits, many colours", bmp(2, 2, 9, 0, std::string(513 * 4, 0)), no, "BMP files of 9 bits a pixel not supported"},
        {"24 bits with masks", bmp(2, 3, 24, kBitFields, kMasks565), no, "BMP files of 24 bits a pixel not supported"},
    };
    // clang-format on
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        SDL_SetError("%s", "");
        Bmp header;
        EXPECT_EQ(parseBmp(reinterpret_cast<const Uint8*>(c.bytes.data()), c.bytes.size(), header),
                  c.parse);
        EXPECT_EQ(SDL_GetError(), c.said);
    }
    // A header of 56 bytes or more holds an alpha mask after the others.
    const std::string alpha =
        bmp(1, 1, 32, kBitFields, kMasks565 + little(0x8000), pattern(1, 1, 4));
    Bmp header;
    parseBmp(reinterpret_cast<const Uint8*>(alpha.data()), alpha.size(), header);
    EXPECT_EQ(header.alpha, 0u);
    const std::string withAlpha = std::string(alpha).replace(14, 4, little(56));
    parseBmp(reinterpret_cast<const Uint8*>(withAlpha.data()), withAlpha.size(), header);
    EXPECT_EQ(header.alpha, 0x8000u);
}
