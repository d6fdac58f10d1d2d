#include "Bmp.h"
#include "Picture.h"
#include "TestSupport.h"

#include <climits>

// Each kind of picture the reader converts, into 5-6-5, RGBA or 32-bit, whole or a part, gets SDL's
// colour in every pixel (only the colour: SDL keeps a target's alpha, the reader makes it opaque).
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
                const SurfacePtr ours(make(part.w + 1, part.h)), sdls(make(part.w + 1, part.h));
                SCOPED_TRACE(int(ours->format->BitsPerPixel) + 100 * part.x);
                convertRows(parsed, bytes, part.x, part.y, part.w, part.h,
                            static_cast<Uint8*>(ours->pixels), ours->pitch, *ours->format);
                SDL_Rect from = {Sint16(part.x), Sint16(part.y), Uint16(part.w), Uint16(part.h)};
                SDL_BlitSurface(decoded.get(), &from, sdls.get(), nullptr);
                for (int y = 0; y < part.h; ++y)
                    for (int x = 0; x <= part.w; ++x)  // and nothing beside the part
                        ASSERT_EQ(pixelAt(ours.get(), x, y), pixelAt(sdls.get(), x, y))
                            << x << "," << y;
            }
        }
    }
}

// Each file's outcome, in the words a page reports; from 56 bytes on a header holds an alpha mask.
TEST(BmpParsing, EachFaultIsNamed) {
    const std::string good = bmp(2, 3, 16, kBitFields, kMasks565, pattern(2, 3));
    const std::string cut = "Error reading from datastream", none = "";
    const BmpParse parsed = BmpParse::Parsed, absurd = BmpParse::Absurd, no = BmpParse::NotRead;
    // clang-format off
    struct Case { std::string bytes; BmpParse parse; std::string said; Uint32 alpha = 0; };
    const Case kCases[] = {
        {good, parsed, none}, {bmp(2, 3, 24, 0, "", pattern(2, 3, 3), true), parsed, none},
        {bmp(2, 1, 32, kBitFields, kMasks565 + little(0xFF), pattern(2, 1, 4)).replace(14, 4, little(56)), parsed, none, 0xFF},
        {bmp(65535, 65535, 24, 0, "", "", true), absurd, "BMP header claims more than 4194304 pixels"},
        {bmp(2, 2, 8, 1, std::string(257 * 4, 0)), absurd, "BMP header claims more colours than its depth holds"},
        {"B", no, cut}, {good.substr(0, 60), no, cut}, {good.substr(0, good.size() - 1), no, cut},
        {good.substr(0, 10) + little(INT_MAX) + good.substr(14), no, cut},
        {"XM" + good.substr(2), no, "File is not a Windows BMP file"},
        {bmp(0, 3, 16, 0), no, "BMP file with bad dimensions (0x3)"},
        {bmp(2, 0, 16, 0), no, "BMP file with bad dimensions (2x0)"},
        {bmp(2, 2, 8, 1, std::string(8, 0)), no, "Compressed BMP files not supported"},
        {bmp(2, 2, 9, 0, std::string(513 * 4, 0)), no, "BMP files of 9 bits a pixel not supported"},
        {bmp(2, 3, 24, kBitFields, kMasks565), no, "BMP files of 24 bits a pixel not supported"}};
    // clang-format on
    for (const Case& c : kCases) {
        SCOPED_TRACE(&c - kCases);
        SDL_SetError("%s", "");
        Bmp header;
        EXPECT_EQ(parseBmp(reinterpret_cast<const Uint8*>(c.bytes.data()), c.bytes.size(), header),
                  c.parse);
        EXPECT_EQ(SDL_GetError(), c.said);
        EXPECT_EQ(header.alpha, c.alpha);
    }
}
