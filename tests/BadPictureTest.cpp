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

// A value as `size` little-endian bytes.
std::string little(long long value, int size = 4) {
    std::string bytes;
    for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

std::string fileHeader(std::size_t beforePixels, std::size_t pixels) {
    return "BM" + little(static_cast<long long>(beforePixels + pixels)) + little(0) +
           little(static_cast<long long>(beforePixels));
}

// A BMP file with the usual 40-byte header stating whatever sizes it is
// given, its tables (masks or palette), then its pixels as they come.
std::string picture(int width, int height, int bitsPerPixel, int compression,
                     const std::string& tables, const std::string& pixels) {
    const int coloursUsed = bitsPerPixel <= 8 ? static_cast<int>(tables.size() / 4) : 0;
    const std::string info = little(kInfoHeaderSize) + little(width) + little(height) +
                             little(1, 2) + little(bitsPerPixel, 2) + little(compression) +
                             little(static_cast<long long>(pixels.size())) + little(2835) +
                             little(2835) + little(coloursUsed) + little(0);
    return fileHeader(kFileHeaderSize + info.size() + tables.size(), pixels.size()) + info +
           tables + pixels;
}

// The same with the old 12-byte header, whose sizes are 16-bit.
std::string corePicture(int width, int height, int bitsPerPixel) {
    const std::string info = little(kCoreHeaderSize) + little(width, 2) + little(height, 2) +
                             little(1, 2) + little(bitsPerPixel, 2);
    return fileHeader(kFileHeaderSize + info.size(), 0) + info;
}

// The picture with the number of palette entries its header claims
// changed, and nothing else.
std::string claimingColours(std::string bytes, long long colours) {
    const std::size_t coloursUsedAt = kFileHeaderSize + 32;
    return bytes.replace(coloursUsedAt, 4, little(colours));
}

// The masks of the game's own 5-6-5 pictures.
const std::string kMasks565 = little(0xF800) + little(0x07E0) + little(0x001F);
// A two-colour palette and a run-length stream that ends the picture at once.
const std::string kPalette = std::string(8, '\0');
const std::string kEndOfPicture = std::string("\0\1", 2);
// Small sound pictures of one and eight bits a pixel.
const std::string kOneBit = picture(8, 1, 1, kUncompressed, kPalette, std::string(4, '\0'));
const std::string kEightBit = picture(2, 2, 8, kRunLength8, kPalette, kEndOfPicture);

// "WxH" of a surface, which is then freed; "none" for null.
std::string sizeOf(SDL_Surface* surface) {
    if (!surface) return "none";
    const std::string size = std::to_string(surface->w) + "x" + std::to_string(surface->h);
    SDL_FreeSurface(surface);
    return size;
}

class BadPicture : public testing::Test {
protected:
    void TearDown() override { SDL_FreeSurface(screen); }

    // Loads the bytes as a picture and gives its size; the report on standard error is kept.
    std::string load(const std::string& bytes) {
        files.file("images/bad.bmp", bytes);
        CaptureStderr();
        SDL_Surface* loaded = loadBMP("images/bad.bmp");
        said = GetCapturedStderr();
        return sizeOf(loaded);
    }

    bool screenIsBlank() { return countColour(screen, 0x000000) == 40 * 30; }

    TempResources files;
    std::string said;
    SDL_Surface* screen = makeScreen(40, 30);
};

// Each is refused for its claimed size, before SDL goes looking for pixels.
TEST_F(BadPicture, HeadersClaimingAbsurdSizesAreRefusedUnread) {
    const struct {
        const char* damage;
        std::string bytes;
    } cases[] = {
        {"gigabytes of pixels", picture(30000, 30000, 32, kUncompressed, "", "")},
        {"a million pixels each way", picture(1000000, 1000000, 16, kBitFields, kMasks565, "")},
        {"the most negative height", picture(10, INT_MIN, 16, kBitFields, kMasks565, "")},
        {"the old short header", corePicture(65535, 65535, 24)},
        // The sizes are there but the depth is cut in half: SDL would take it
        // for a one-bit picture of two billion pixels and unpack it a byte each.
        {"a short header cut off", corePicture(34799, 64768, 1).substr(0, kFileHeaderSize + 11)},
        {"a header cut off",
         picture(100000, 100000, 16, kBitFields, kMasks565, "").substr(0, kFileHeaderSize + 11)},
        // Four bytes of pixel data that SDL would unpack into 400 megabytes.
        {"run-length pixels", picture(20000, 20000, 8, kRunLength8, kPalette, kEndOfPicture)},
    };
    const std::string refusal =
        "Couldn't load images/bad.bmp: BMP header claims more than 4194304 pixels\n";
    for (const auto& c : cases) {
        EXPECT_EQ(load(c.bytes), "none") << c.damage;
        EXPECT_EQ(said, refusal) << c.damage;
    }
}

TEST_F(BadPicture, APaletteLargerThanTheDepthHoldsIsRefusedUnread) {
    // SDL would make room for two gigabytes of palette.
    const std::string tooMany[] = {
        claimingColours(kEightBit, 538935378LL), claimingColours(kEightBit, 0xFFFFFFFFLL),
        claimingColours(kEightBit, 257), claimingColours(kOneBit, 3),
        // Cut short inside the count, the bytes that are there still count.
        claimingColours(kEightBit, 0x1000).substr(0, kFileHeaderSize + 34)};
    for (const std::string& bytes : tooMany) {
        EXPECT_EQ(load(bytes), "none");
        EXPECT_EQ(said, "Couldn't load images/bad.bmp: BMP header claims more colours than its "
                        "depth holds\n");
    }
}

TEST_F(BadPicture, PicturesUpToTheLimitStillLoad) {
    EXPECT_EQ(load(picture(2048, 2048, 8, kRunLength8, kPalette, kEndOfPicture)), "2048x2048");
    // Stored top down: a negative height of a sensible size is a picture.
    EXPECT_EQ(load(picture(2, -3, 16, kBitFields, kMasks565, std::string(12, '\xFF'))), "2x3");
    // A full palette for the depth, and more than the pixels use.
    EXPECT_EQ(load(claimingColours(kEightBit, 256)), "2x2");
    EXPECT_EQ(load(claimingColours(kOneBit, 2)), "8x1");
    EXPECT_EQ(said, "");
}

TEST_F(BadPicture, AnObjectWithAnAbsurdPictureHasNoneAndSaysSoWhenDrawn) {
    files.file("images/bad.bmp", picture(30000, 30000, 32, kUncompressed, "", ""));
    Object thing(10, 10, false);
    thing.setImage("images/bad.bmp");
    EXPECT_EQ(thing.getImage(), nullptr);
    CaptureStderr();
    thing.display(screen, false);
    const std::string reported = GetCapturedStderr();
    EXPECT_EQ(reported.rfind("Couldn't display images/bad.bmp: ", 0), 0u) << reported;
    EXPECT_TRUE(screenIsBlank());
}

// Glyphs damaged each in its own way. A text that would make a picture larger
// than any picture may be, or than SDL can make, is left out and the game goes on.
TEST_F(BadPicture, DamagedGlyphsGiveNoTextRatherThanAnAbsurdPicture) {
    files.picture("fonts/1.bmp", 6, 9, 0xFFFFFF);
    // Refused on loading.
    files.file("fonts/_colon.bmp", picture(100000, 100000, 16, kBitFields, kMasks565, ""));
    // A one-pixel line, sound on its own; but every letter takes the height of
    // the first, so eleven letters after it make more than four million pixels.
    files.file("fonts/2.bmp", picture(1, 65535, 8, kRunLength8, kPalette, kEndOfPicture));
    // Loaded, but too high for SDL to compose, or, five side by side, too wide.
    files.file("fonts/3.bmp", picture(1, 65536, 8, kRunLength8, kPalette, kEndOfPicture));
    files.file("fonts/4.bmp", picture(4000, 2, 8, kRunLength8, kPalette, kEndOfPicture));
    const std::pair<std::string, std::string> texts[] = {
        {"11", "12x9"}, {"2", "1x65535"}, {"11111111111", "66x9"}, {"1:1", "none"},
        {"3", "none"}, {"44444", "none"}, {"211111111111", "none"}};
    for (const auto& [text, size] : texts) {
        EXPECT_EQ(sizeOf(createText(text)), size) << text;
        if (size == "none") displayText(text, screen, 0, 0, false);
    }
    EXPECT_TRUE(screenIsBlank());
}

}  // namespace
