#include "GameDisplay.h"
#include "Object.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using namespace testsupport;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

// The compression codes of a BMP information header.
const int kUncompressed = 0;
const int kRunLength8 = 1;
const int kBitFields = 3;

const int kFileHeaderSize = 14;
const int kInfoHeaderSize = 40;
const int kCoreHeaderSize = 12;

std::string little16(int value) {
    std::string bytes;
    for (int i = 0; i < 2; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

std::string little32(long long value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

std::string fileHeader(std::size_t beforePixels, std::size_t pixels) {
    return "BM" + little32(static_cast<long long>(beforePixels + pixels)) + little32(0) +
           little32(static_cast<long long>(beforePixels));
}

// A BMP file with the usual 40-byte header stating whatever sizes it is
// given, its tables (masks or palette), then its pixels as they come.
std::string picture(int width, int height, int bitsPerPixel, int compression,
                     const std::string& tables, const std::string& pixels) {
    const int coloursUsed = bitsPerPixel <= 8 ? static_cast<int>(tables.size() / 4) : 0;
    const std::string info = little32(kInfoHeaderSize) + little32(width) + little32(height) +
                             little16(1) + little16(bitsPerPixel) + little32(compression) +
                             little32(static_cast<long long>(pixels.size())) + little32(2835) +
                             little32(2835) + little32(coloursUsed) + little32(0);
    return fileHeader(kFileHeaderSize + info.size() + tables.size(), pixels.size()) + info +
           tables + pixels;
}

// The same with the old 12-byte header, whose sizes are 16-bit.
std::string corePicture(int width, int height, int bitsPerPixel) {
    const std::string info = little32(kCoreHeaderSize) + little16(width) + little16(height) +
                             little16(1) + little16(bitsPerPixel);
    return fileHeader(kFileHeaderSize + info.size(), 0) + info;
}

// The masks of the game's own 5-6-5 pictures.
const std::string kMasks565 = little32(0xF800) + little32(0x07E0) + little32(0x001F);
// A two-colour palette and a run-length stream that ends the picture at once.
const std::string kPalette = std::string(8, '\0');
const std::string kEndOfPicture = std::string("\0\1", 2);

class BadPicture : public testing::Test {
protected:
    // Loads the bytes as a picture; the report on standard error is kept.
    SDL_Surface* load(const std::string& bytes) {
        files.file("images/bad.bmp", bytes);
        CaptureStderr();
        SDL_Surface* loaded = loadBMP("images/bad.bmp");
        said = GetCapturedStderr();
        return loaded;
    }

    // The picture is refused, and for its claimed size rather than for
    // pixels SDL went looking for and did not find.
    void expectRefusedForItsSize(const std::string& bytes) {
        SDL_Surface* loaded = load(bytes);
        EXPECT_EQ(loaded, nullptr);
        SDL_FreeSurface(loaded);
        EXPECT_EQ(said.rfind("Couldn't load images/bad.bmp: ", 0), 0u) << said;
        EXPECT_NE(said.find("pixels"), std::string::npos) << said;
    }

    TempResources files;
    std::string said;
};

TEST_F(BadPicture, AHeaderClaimingGigabytesOfPixelsIsRefusedUnread) {
    expectRefusedForItsSize(picture(30000, 30000, 32, kUncompressed, "", ""));
}

TEST_F(BadPicture, AMillionPixelsEachWayIsRefused) {
    expectRefusedForItsSize(picture(1000000, 1000000, 16, kBitFields, kMasks565, ""));
}

TEST_F(BadPicture, TheMostNegativeHeightIsRefused) {
    expectRefusedForItsSize(picture(10, INT_MIN, 16, kBitFields, kMasks565, ""));
}

TEST_F(BadPicture, TheOldShortHeaderIsCheckedToo) {
    expectRefusedForItsSize(corePicture(65535, 65535, 24));
}

TEST_F(BadPicture, AHeaderCutShortIsCheckedForWhatItStillClaims) {
    // The sizes are there but the depth is cut in half: SDL would take it
    // for a one-bit picture of two billion pixels and unpack it a byte each.
    expectRefusedForItsSize(corePicture(34799, 64768, 1).substr(0, kFileHeaderSize + 11));
    expectRefusedForItsSize(
        picture(100000, 100000, 16, kBitFields, kMasks565, "").substr(0, kFileHeaderSize + 11));
}

TEST_F(BadPicture, ARunLengthPictureOfHundredsOfMillionsOfPixelsIsRefused) {
    // Four bytes of pixel data that SDL would unpack into 400 megabytes.
    expectRefusedForItsSize(picture(20000, 20000, 8, kRunLength8, kPalette, kEndOfPicture));
}

// The picture with the number of palette entries its header claims
// changed, and nothing else.
std::string claimingColours(std::string bytes, long long colours) {
    const std::size_t coloursUsedAt = kFileHeaderSize + 32;
    return bytes.replace(coloursUsedAt, 4, little32(colours));
}

TEST_F(BadPicture, APaletteLargerThanTheDepthHoldsIsRefusedUnread) {
    const std::string eightBit = picture(2, 2, 8, kRunLength8, kPalette, kEndOfPicture);
    // SDL would make room for two gigabytes of palette.
    for (long long colours : {538935378LL, 0xFFFFFFFFLL, 257LL}) {
        SDL_Surface* loaded = load(claimingColours(eightBit, colours));
        EXPECT_EQ(loaded, nullptr) << colours;
        SDL_FreeSurface(loaded);
        EXPECT_EQ(said, "Couldn't load images/bad.bmp: BMP header claims more colours than its "
                        "depth holds\n");
    }
    const std::string oneBit = picture(8, 1, 1, kUncompressed, kPalette, std::string(4, '\0'));
    EXPECT_EQ(load(claimingColours(oneBit, 3)), nullptr);
    // Cut short inside the count, the bytes that are there still count.
    const std::string cut = claimingColours(eightBit, 0x1000).substr(0, kFileHeaderSize + 34);
    EXPECT_EQ(load(cut), nullptr);
    EXPECT_NE(said.find("colours"), std::string::npos) << said;
}

TEST_F(BadPicture, PicturesUpToTheLimitStillLoad) {
    SDL_Surface* limit = load(picture(2048, 2048, 8, kRunLength8, kPalette, kEndOfPicture));
    ASSERT_NE(limit, nullptr) << said;
    EXPECT_EQ(limit->w, 2048);
    EXPECT_EQ(limit->h, 2048);
    SDL_FreeSurface(limit);

    // Stored top down: a negative height of a sensible size is a picture.
    const std::string row = std::string(4, '\xFF');
    SDL_Surface* topDown = load(picture(2, -3, 16, kBitFields, kMasks565, row + row + row));
    ASSERT_NE(topDown, nullptr) << said;
    EXPECT_EQ(topDown->w, 2);
    EXPECT_EQ(topDown->h, 3);
    SDL_FreeSurface(topDown);

    // A full palette for the depth, and more than the pixels use.
    const std::string eightBit = picture(2, 2, 8, kRunLength8, kPalette, kEndOfPicture);
    SDL_Surface* full = load(claimingColours(eightBit, 256));
    ASSERT_NE(full, nullptr) << said;
    SDL_FreeSurface(full);
    const std::string oneBit = picture(8, 1, 1, kUncompressed, kPalette, std::string(4, '\0'));
    SDL_Surface* twoColours = load(claimingColours(oneBit, 2));
    ASSERT_NE(twoColours, nullptr) << said;
    SDL_FreeSurface(twoColours);
    EXPECT_EQ(said, "");
}

TEST_F(BadPicture, AnObjectWithAnAbsurdPictureHasNoneAndSaysSoWhenDrawn) {
    files.file("images/bad.bmp", picture(30000, 30000, 32, kUncompressed, "", ""));
    Object thing(10, 10, false);
    thing.setImage("images/bad.bmp");
    EXPECT_EQ(thing.getImage(), nullptr);
    Object copy(thing);
    EXPECT_EQ(copy.getImage(), nullptr);

    SDL_Surface* screen = makeScreen(40, 30);
    CaptureStderr();
    copy.display(screen, false);
    const std::string reported = GetCapturedStderr();
    EXPECT_EQ(reported.rfind("Couldn't display images/bad.bmp: ", 0), 0u) << reported;
    EXPECT_EQ(countColour(screen, 0x000000), 40 * 30);
    SDL_FreeSurface(screen);
}

TEST_F(BadPicture, AnAbsurdGlyphGivesNoText) {
    files.picture("fonts/1.bmp", 6, 9, 0xFFFFFF);
    files.file("fonts/_colon.bmp", picture(100000, 100000, 16, kBitFields, kMasks565, ""));
    SDL_Surface* sound = createText("11");
    ASSERT_NE(sound, nullptr);
    SDL_FreeSurface(sound);
    EXPECT_EQ(createText("1:1"), nullptr);

    SDL_Surface* screen = makeScreen(40, 30);
    displayText("1:1", screen, 0, 0, false);
    EXPECT_EQ(countColour(screen, 0x000000), 40 * 30);
    SDL_FreeSurface(screen);
}

TEST_F(BadPicture, TextThatWouldMakeAnAbsurdPictureIsNotDrawn) {
    // Each glyph is sound on its own, but every letter takes the height of
    // the first: a one-pixel line 65535 pixels high and eleven letters six
    // pixels wide make a text of more than four million pixels.
    files.file("fonts/1.bmp", picture(1, 65535, 8, kRunLength8, kPalette, kEndOfPicture));
    files.picture("fonts/2.bmp", 6, 9, 0xFFFFFF);
    SDL_Surface* thin = createText("1");
    ASSERT_NE(thin, nullptr);
    SDL_FreeSurface(thin);
    SDL_Surface* sound = createText("22222222222");
    ASSERT_NE(sound, nullptr);
    SDL_FreeSurface(sound);
    EXPECT_EQ(createText("122222222222"), nullptr);
}

TEST_F(BadPicture, TextTooWideOrTooHighForSdlIsLeftOutWithoutEndingTheGame) {
    // Glyphs SDL loads but can't compose: 65536 pixels down, and, five of
    // them side by side, 20000 across.
    files.file("fonts/1.bmp", picture(1, 65536, 8, kRunLength8, kPalette, kEndOfPicture));
    files.file("fonts/2.bmp", picture(4000, 2, 8, kRunLength8, kPalette, kEndOfPicture));
    EXPECT_EQ(createText("1"), nullptr);
    EXPECT_EQ(createText("22222"), nullptr);
    SDL_Surface* screen = makeScreen(40, 30);
    displayText("1", screen, 0, 0, false);
    displayText("22222", screen, 0, 0, false);
    EXPECT_EQ(countColour(screen, 0x000000), 40 * 30);
    SDL_FreeSurface(screen);
}

}  // namespace
