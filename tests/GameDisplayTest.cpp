#include "GameDisplay.h"
#include "Object.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace testsupport;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

// A 40 x 30 screen, and a console that draws on it.
class GameDisplayTest : public testing::Test {
protected:
    void SetUp() override { console.screen = screen; }
    void TearDown() override { SDL_FreeSurface(screen); }

    TempResources files;
    SDL_Surface* screen = makeTrueColour(40, 30);
    Console console;
};

// "WxH" of a surface, which is then freed; "none" for null.
std::string sizeOf(SDL_Surface* surface) {
    if (!surface) return "none";
    const std::string size = std::to_string(surface->w) + "x" + std::to_string(surface->h);
    SDL_FreeSurface(surface);
    return size;
}

// Each point has the colour listed with it.
void expectPixels(SDL_Surface* surface, std::initializer_list<std::tuple<int, int, Rgb>> points) {
    for (const auto& [x, y, colour] : points)
        EXPECT_EQ(pixelAt(surface, x, y), colour) << "at " << x << ", " << y;
}

// Missing and undecodable files alike: null, one line on standard error with
// SDL's reason, at every attempt, and nothing drawn.
TEST_F(GameDisplayTest, LoadingABadFileReportsTheExactLine) {
    files.file("images/bad.bmp", "BMthis is not a picture");
    for (const std::string path : {"images/none.bmp", "images/bad.bmp"}) {
        CaptureStderr();
        EXPECT_EQ(loadBMP(path), nullptr);
        EXPECT_STRNE(SDL_GetError(), "");
        const std::string line = "Couldn't load " + path + ": " + SDL_GetError() + "\n";
        ShowBMP(path, screen, 0, 0, false);
        EXPECT_EQ(GetCapturedStderr(), line + line);
    }
    EXPECT_EQ(countColour(screen, kBlack), 40 * 30);
}

TEST_F(GameDisplayTest, LoadedPictureKeepsItsOwnSizeAndFormat) {
    files.picture("images/a.bmp", 7, 5, kRed);
    SDL_Surface* picture = loadBMP("images/a.bmp");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->format->BitsPerPixel, 24);
    EXPECT_EQ(sizeOf(picture), "7x5");
}

// Either form draws the picture's own size; the rectangle's size is ignored.
TEST_F(GameDisplayTest, ShowBmpDrawsTheTopLeftCornerAtThePoint) {
    files.picture("images/a.bmp", 4, 3, kRed);
    ShowBMP("images/a.bmp", screen, 5, 6, false);
    expectPixels(screen, {{5, 6, kRed}, {8, 8, kRed}, {4, 6, kBlack}});
    EXPECT_EQ(countColour(screen, kRed), 12);
    ShowBMP("images/a.bmp", screen, SDL_Rect{20, 3, 9, 9}, false);
    expectPixels(screen, {{20, 3, kRed}, {23, 5, kRed}, {24, 5, kBlack}, {20, 6, kBlack}});
    EXPECT_EQ(countColour(screen, kRed), 24);
}

TEST_F(GameDisplayTest, PicturesPartlyOffTheTargetAreClipped) {
    files.picture("images/a.bmp", 10, 10, kGreen);
    SDL_Surface* picture = loadBMP("images/a.bmp");
    display_image(picture, screen, -6, 25, false);
    EXPECT_EQ(countColour(screen, kGreen), 4 * 5);
    EXPECT_EQ(pixelAt(screen, 0, 29), kGreen);
    display_image(picture, screen, 38, -8, false);
    EXPECT_EQ(countColour(screen, kGreen), 4 * 5 + 2 * 2);
    display_image(picture, screen, 100, 100, false);
    // Nor is a missing picture or a missing screen an error.
    display_image(nullptr, screen, 0, 0, false);
    display_image(picture, Console().screen, 0, 0, true);
    EXPECT_EQ(countColour(screen, kGreen), 24);
    SDL_FreeSurface(picture);
}

TEST_F(GameDisplayTest, PushingAClippedRectangleToTheDisplayIsSafe) {
    VideoSession video;
    SDL_Color palette[256];
    SDL_Surface* display = createDisplay(nullptr, 64, 48, 16, palette, 256);
    files.picture("images/a.bmp", 10, 10, kGreen);
    SDL_Surface* picture = loadBMP("images/a.bmp");
    display_image(picture, display, 60, 44, true);
    display_image(picture, display, -5, -5, true);
    SDL_FreeSurface(picture);
}

TEST(CreateSurface, IsThirtyTwoBitRgbaWithFixedMasks) {
    SDL_Surface* surface = create_SDL_Surface(3, 2);
    ASSERT_NE(surface, nullptr);
    const SDL_PixelFormat& f = *surface->format;
    EXPECT_EQ(f.BitsPerPixel, 32);
    EXPECT_EQ(std::make_tuple(f.Rmask, f.Gmask, f.Bmask, f.Amask),
              std::make_tuple(0x000000FFu, 0x0000FF00u, 0x00FF0000u, 0xFF000000u));
    EXPECT_EQ(sizeOf(surface), "3x2");
}

TEST(CreateSurfaceDeathTest, FailureEndsTheProgramWithStatusOne) {
    EXPECT_EXIT(create_SDL_Surface(-1, 4), testing::ExitedWithCode(1), "^CreateRGBSurface failed: ");
}

// The background and interface passes.
TEST_F(GameDisplayTest, BackgroundPassDrawsInListOrderAtTheOrigin) {
    files.picture("images/TitleScreen.bmp", 40, 30, kBlue);
    files.picture("images/Title_Play.bmp", 10, 10, kRed);
    console.bg_files = {"images/TitleScreen.bmp", "images/Title_Play.bmp"};
    displayBG(console.screen, console);
    expectPixels(screen, {{0, 0, kRed}, {9, 9, kRed}, {10, 10, kBlue}});
    EXPECT_EQ(console.bg_files.size(), 2u);
}

TEST_F(GameDisplayTest, EmptyListsDrawNothing) {
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0xFF, 0xFF, 0xFF));
    displayBG(console.screen, console);
    displayUI(console.screen, console);
    EXPECT_EQ(countColour(screen, kWhite), 40 * 30);
}

TEST_F(GameDisplayTest, InterfacePassReadsEachListedFileEveryTime) {
    files.picture("images/Score.bmp", 5, 5, kRed);
    console.ui_files = {"images/Score.bmp", "images/none.bmp"};
    CaptureStderr();
    displayUI(console.screen, console);
    EXPECT_EQ(pixelAt(screen, 4, 4), kRed);
    files.picture("images/Score.bmp", 5, 5, kGreen);
    displayUI(console.screen, console);
    const std::string line = "Couldn't load images/none.bmp: " + std::string(SDL_GetError()) + "\n";
    EXPECT_EQ(GetCapturedStderr(), line + line);
    EXPECT_EQ(pixelAt(screen, 4, 4), kGreen);
}

// Bitmap-font text: letters 6 x 9, the colon 3 x 9 and the space 4 x 9.
class TextTest : public GameDisplayTest {
protected:
    void SetUp() override {
        GameDisplayTest::SetUp();
        for (const char* c = "LIVES0123456789"; *c; ++c)
            files.picture(std::string("fonts/") + *c + ".bmp", 6, 9, kWhite);
        files.picture("fonts/_colon.bmp", 3, 9, kRed);
        files.picture("fonts/_space.bmp", 4, 9, kBlue);
    }
};

TEST_F(TextTest, LettersAreLaidSideBySideWithoutGaps) {
    SDL_Surface* text = createText("LIVES: 15");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->format->BitsPerPixel, 32);
    SDL_Surface* copy = makeTrueColour(text->w, text->h);
    SDL_BlitSurface(text, nullptr, copy, nullptr);
    EXPECT_EQ(sizeOf(text), "49x9");
    expectPixels(copy, {{29, 0, kWhite}, {30, 4, kRed}, {33, 8, kBlue}, {37, 0, kWhite}});
    SDL_FreeSurface(copy);
}

// Any white space is drawn with the space picture; any other character is
// the file named by the character itself.
TEST_F(TextTest, LettersAreNamedByThemselvesAndWhiteSpaceByTheSpace) {
    EXPECT_EQ(sizeOf(createText("1\t2\n")), "20x9");
    EXPECT_EQ(sizeOf(load_letter(' ', "fonts/", ".bmp")), "4x9");
    files.picture("fonts/x.txt", 2, 2, kRed);
    EXPECT_EQ(sizeOf(load_letter('x', "fonts/", ".txt")), "2x2");
    EXPECT_EQ(sizeOf(load_letter('X', "fonts/", ".txt")), "none");
}

TEST_F(TextTest, TheHeightIsTheFirstLetters) {
    files.picture("fonts/7.bmp", 6, 12, kGreen);
    EXPECT_EQ(sizeOf(createText("17")), "12x9");
    EXPECT_EQ(sizeOf(createText("71")), "12x12");
}

TEST_F(TextTest, EmptyTextOrAMissingLetterDrawsNothingSilently) {
    CaptureStderr();
    EXPECT_EQ(createText(""), nullptr);
    EXPECT_EQ(createText("LIVEZ"), nullptr);
    displayText("LIVEZ", screen, 0, 0, false);
    displayText("", screen, 0, 0, false);
    EXPECT_EQ(GetCapturedStderr(), "");
    EXPECT_EQ(countColour(screen, kBlack), 40 * 30);
}

TEST_F(TextTest, EmptyGlyphPicturesGiveNoText) {
    std::string bytes = readFile("fonts/0.bmp");
    bytes.replace(18, 4, 4, '\0');  // the header now claims a picture zero pixels wide
    files.file("fonts/0.bmp", bytes);
    EXPECT_EQ(sizeOf(createText("0")), "none");
    displayText("0", screen, 0, 0, true);
    EXPECT_EQ(countColour(screen, kBlack), 40 * 30);
}

TEST_F(TextTest, DisplayTextDrawsAtThePoint) {
    displayText("15", screen, 3, 2, false);
    displayText("15", Console().screen, 3, 2, false);
    expectPixels(screen, {{3, 2, kWhite}, {14, 10, kWhite}, {15, 10, kBlack}});
    EXPECT_EQ(countColour(screen, kWhite), 12 * 9);
}

}  // namespace
