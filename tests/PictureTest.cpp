#include "Picture.h"
#include "TestSupport.h"

#include <cstring>

// Taller than one request to read rows takes.
const int kTall = 1100;
const char* const kPath = "images/p.bmp";

// A picture file of 16-bit pixels in the given masks, all different.
std::string sixteenBit(int width, int height, const std::string& masks = kMasks565) {
    return bmp(width, height, 16, kBitFields, masks, pattern(width, std::abs(height)));
}

// Rows of a large picture go straight from the file onto a display of its format where every row
// lands whole, else it is read and drawn; the display and the part drawn are as SDL's blit makes.
// So is a keeping picture's, though each case's file has the same name.
TEST(Picture, LargePicturesAreReadStraightOntoTheDisplayOrFallBack) {
    const std::string kMasks555 = little(0x7C00) + little(0x03E0) + little(0x001F);
    const PictureRead drawn = PictureRead::Drawn, read = PictureRead::Read;
    // clang-format off
    struct Case { const char* name; std::string bytes; int x, y; PictureRead read;
                  SDL_Rect clip = {0, 0, 320, kTall}; };
    const Case kCases[] = {
        {"bottom up, whole", sixteenBit(200, 180), 10, 20, drawn},
        {"top down, whole", sixteenBit(200, -180), 100, 0, drawn},
        {"clipped at the top", sixteenBit(200, 180), 0, -50, drawn},
        {"clipped at the bottom, top down", sixteenBit(200, -180), 120, kTall - 30, drawn},
        {"clipped at the bottom, bottom up", sixteenBit(200, 180), 120, kTall - 1, drawn},
        {"clipped at the left", sixteenBit(200, 180), -1, 0, read},
        {"clipped at the right", sixteenBit(200, 180), 121, 5, read},
        {"clipped at both sides", sixteenBit(400, 90), -40, 5, read},
        {"off the display", sixteenBit(200, 180), 0, kTall, read},
        {"padded rows", sixteenBit(201, 180), 3, 4, read},
        {"more rows than one request", sixteenBit(40, -kTall), 0, 0, read},
        {"another format", sixteenBit(200, 180, kMasks555), 0, 0, PictureRead::LeftToSdl},
        {"small", sixteenBit(20, 18), 7, 9, read},
        {"just larger than the first read", sixteenBit(32, 1023), 0, 0, drawn},
        {"small, in a clip rectangle", sixteenBit(20, 18), 7, 9, read, {9, 12, 3, 2}},
        {"clip rectangle as wide as it", sixteenBit(200, 180), 10, 20, drawn, {10, 30, 200, 50}},
        {"clip rectangle narrower", sixteenBit(200, 180), 10, 20, read, {10, 30, 199, 50}},
    };
    // clang-format on
    TempResources files;
    const SurfacePtr ours(makeScreen(320, kTall)), sdls(makeScreen(320, kTall)),
        kept(makeScreen(320, kTall));
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        for (SDL_Surface* screen : {ours.get(), sdls.get(), kept.get()})
            SDL_SetClipRect(screen, nullptr), SDL_FillRect(screen, nullptr, 0),
                SDL_SetClipRect(screen, &c.clip);
        files.file(kPath, c.bytes);
        std::vector<Uint8> buffer;
        Picture picture(buffer);
        const PictureRead outcome = picture.read(kPath, Place{ours.get(), c.x, c.y});
        if (outcome != drawn) picture.draw(ours.get(), c.x, c.y, picture.height());
        const SurfacePtr decoded(SDL_LoadBMP(kPath));
        SDL_Rect part = {Sint16(c.x), Sint16(c.y), 0, 0};
        SDL_UpperBlit(decoded.get(), nullptr, sdls.get(), &part);
        EXPECT_EQ(outcome, c.read);
        EXPECT_EQ(std::memcmp(ours->pixels, sdls->pixels, ours->pitch * kTall), 0);
        std::vector<Uint8> keptBuffer;
        Picture keeping(keptBuffer, true);
        if (keeping.read(kPath) != PictureRead::Refused) keeping.draw(kept.get(), c.x, c.y, kTall);
        EXPECT_EQ(std::memcmp(kept->pixels, sdls->pixels, ours->pitch * kTall), 0);
        EXPECT_EQ(countColour(sdls.get(), kBlack) == 320 * kTall, c.y == kTall);
        EXPECT_EQ(picture.drawn().x, part.x);
        EXPECT_EQ(picture.drawn().y, part.y);
        EXPECT_EQ(picture.drawn().w, part.w);
        EXPECT_EQ(picture.drawn().h, part.h);
        if (outcome != read) continue;  // a picture of its own, as a page makes one, is SDL's too
        const SurfacePtr own(picture.toSurface());
        EXPECT_EQ(pixelAt(own.get(), 1, 1), pixelAt(decoded.get(), 1, 1));
    }
}

// A kept picture is made again when its file's bytes change, though its size does not: here a
// byte of the top right pixel, the file's last, then one of the fifth pixel from the right.
TEST(Picture, AKeptPictureIsMadeAgainWhenItsFileChanges) {
    TempResources files;
    const SurfacePtr screen(makeScreen(20, 17));
    std::string bytes = sixteenBit(20, 17);
    std::vector<Uint8> buffer;
    for (std::size_t fromEnd : {0, 1, 9}) {
        if (fromEnd) bytes[bytes.size() - fromEnd] ^= 0x55;
        files.file(kPath, bytes);
        Picture picture(buffer, true);
        ASSERT_EQ(picture.read(kPath, Place{screen.get(), 0, 0}), PictureRead::Read);
        picture.draw(screen.get(), 0, 0, 17);
        const SurfacePtr decoded(SDL_LoadBMP(kPath));
        for (int x : {15, 19}) EXPECT_EQ(pixelAt(screen.get(), x, 0), pixelAt(decoded.get(), x, 0));
    }
}
