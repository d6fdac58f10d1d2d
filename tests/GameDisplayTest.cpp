#include "GameDisplay.h"
#include "TestSupport.h"

#include <filesystem>

const int kRunLength8 = 1;
// A two-colour palette and a run-length stream that ends the picture at once.
const std::string kPalette(8, '\0'), kEnd("\0\1", 2);
const std::string kOneBit = bmp(8, 1, 1, 0, kPalette, std::string(4, '\0'));
const std::string kEightBit = bmp(2, 2, 8, kRunLength8, kPalette, kEnd);

class GameDisplayTest : public testing::Test {  // a 40 x 30 screen
protected:
    void TearDown() override { SDL_FreeSurface(screen); }

    // The size of the bytes, made `length` long if given, loaded as a picture, keeping the report.
    std::string load(const std::string& bytes, long long length = 0) {
        files.file("images/bad.bmp", bytes);
        if (length) std::filesystem::resize_file("images/bad.bmp", length);
        SDL_Surface* loaded = nullptr;
        said = stderrOf([&] { loaded = loadBMP("images/bad.bmp"); });
        return sizeOf(loaded);
    }

    TempResources files;
    SDL_Surface* screen = makeTrueColour(40, 30);
    std::string said;
};

// Letters side by side, spaces as the space, each as high as the first; on a display or in 32 bits.
TEST_F(GameDisplayTest, TextIsLaidOutLetterByLetter) {
    for (const char* c = "LIVES0123456789"; *c; ++c)
        files.picture(std::string("fonts/") + *c + ".bmp", 6, 9, kWhite);
    files.picture("fonts/_colon.bmp", 3, 9, kRed), files.picture("fonts/_space.bmp", 4, 9, kBlue);
    SDL_Surface* text = createText("LIVES: 15");
    EXPECT_EQ(text->format->BitsPerPixel, 32);
    displayText("LIVES:\t15", screen, 1, 2, false);
    // clang-format off
    const struct { int x, y; Rgb colour; } points[] = {
        {29, 0, kWhite}, {30, 4, kRed}, {33, 8, kBlue}, {37, 0, kWhite}, {38, 8, kWhite}};
    // clang-format on
    for (const auto& p : points) {
        EXPECT_EQ(pixelAt(text, p.x, p.y), p.colour) << p.x;
        EXPECT_EQ(pixelAt(screen, p.x + 1, p.y + 2), p.colour) << p.x;
    }
    EXPECT_EQ(countColour(screen, kWhite), (5 * 6 + 2) * 9);  // clipped after "LIVES: 1"
    EXPECT_EQ(sizeOf(text), "49x9");
    EXPECT_EQ(sizeOf(load_letter(':', "fonts/", ".bmp")), "3x9");
    files.picture("fonts/7.bmp", 6, 1, kGreen);
    EXPECT_EQ(sizeOf(createText("17")), "12x9");
    EXPECT_EQ(sizeOf(createText("71")), "12x1");
}

// A file's faults and absurd headers are refused with their reasons, the latter before SDL unpacks
// billions of pixels or gigabytes of palette; up to the limits, pictures that SDL reads still load.
TEST_F(GameDisplayTest, FilesThatCannotBeReadAreRefusedWithTheirReason) {
    const std::string large = bmp(200, 180, 16, kBitFields, kMasks565, pattern(200, 180));
    const std::string cut = "Error reading from datastream";
    // clang-format off
    const struct { std::string bytes; long long length; std::string loads, said; } kCases[] = {
        {"", 0, "none", "empty or unreadable file"}, {"B", 0, "none", cut},
        {large, 64LL << 20 | 1, "none", "larger than any picture"},
        {large.substr(0, large.size() - 1), 0, "none", cut},
        {bmp(4, 4, 16, kBitFields, kMasks565, pattern(4, 4)).substr(0, 80), 0, "none", cut},
        {bmp(20000, 20000, 8, kRunLength8, kPalette, kEnd), 0, "none", "BMP header claims more than 4194304 pixels"},
        {bmp(2048, 2048, 8, kRunLength8, kPalette, kEnd), 0, "2048x2048", ""},
        {std::string(kEightBit).replace(46, 4, little(256)), 0, "2x2", ""},
        {std::string(kOneBit).replace(46, 4, little(2)), 0, "8x1", ""}};
    // clang-format on
    for (const auto& c : kCases) {
        EXPECT_EQ(load(c.bytes, c.length), c.loads) << c.said;
        EXPECT_EQ(said, c.said.empty() ? "" : "Couldn't load images/bad.bmp: " + c.said + "\n");
    }
    EXPECT_EQ(stderrOf([] { ShowBMP("/dev/zero", nullptr, 0, 0, false); }),
              "Couldn't load /dev/zero: not a plain file\n");
    EXPECT_EQ(stderrOf([&] { ShowBMP("images/none.bmp", screen, 0, 0, false); }),
              "Couldn't load images/none.bmp: Couldn't open images/none.bmp\n");
}

// A text that is empty, lacks a letter or would be larger than any picture is left out silently.
TEST_F(GameDisplayTest, TextThatCannotBeShownIsLeftOutSilently) {
    files.picture("fonts/1.bmp", 6, 9, kWhite);
    files.file("fonts/0.bmp", readFile("fonts/1.bmp").replace(18, 4, 4, '\0'));  // 0 wide
    files.file("fonts/_colon.bmp", bmp(100000, 100000, 16, kBitFields, kMasks565));
    // Sound alone, but eleven letters of its height make more than four million pixels.
    files.file("fonts/2.bmp", bmp(1, 65535, 8, kRunLength8, kPalette, kEnd));
    // Too high for SDL to compose; five side by side too wide.
    files.file("fonts/3.bmp", bmp(1, 65536, 8, kRunLength8, kPalette, kEnd));
    files.file("fonts/4.bmp", bmp(4000, 2, 8, kRunLength8, kPalette, kEnd));
    EXPECT_EQ(sizeOf(createText("2")), "1x65535");
    EXPECT_EQ(sizeOf(createText("11111111111")), "66x9");
    for (const char* text : {"", "1X", "10", "1:1", "3", "44444", "211111111111"}) {
        EXPECT_EQ(stderrOf([&] {
                      EXPECT_EQ(createText(text), nullptr) << text;
                      displayText(text, screen, 0, 0, true);
                  }),
                  "");
    }
    displayText("1", nullptr, 0, 0, false);
    EXPECT_EQ(countColour(screen, kBlack), 40 * 30);
}

// An 8-bit display has a palette of greys; a display or surface SDL can't make ends the program.
TEST(CreateDisplayDeathTest, AnEightBitDisplayHasGreysAndWhatSdlCantMakeEndsTheProgram) {
    const auto open = [](int size, int bits) {
        VideoSession video;
        SDL_Color palette[256];
        return createDisplay(nullptr, size, size, bits, palette, 256)->format->palette->colors[200];
    };
    EXPECT_EQ(open(8, 8).g, 200);
    EXPECT_EXIT(open(1 << 20, 16), testing::ExitedWithCode(255), "");
    EXPECT_EXIT(create_SDL_Surface(1 << 20, 1 << 20), testing::ExitedWithCode(1),
                "^CreateRGBSurface");
}
