#include "GameDisplay.h"
#include "Object.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;
using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace {

class GameDisplayTest : public testing::Test {
protected:
    void SetUp() override { screen = makeTrueColour(40, 30); }
    void TearDown() override { SDL_FreeSurface(screen); }

    TempResources files;
    SDL_Surface* screen = nullptr;
};

TEST_F(GameDisplayTest, LoadingAMissingFileReportsTheExactLine) {
    CaptureStderr();
    SDL_Surface* none = loadBMP("images/none.bmp");
    const std::string said = GetCapturedStderr();
    EXPECT_EQ(none, nullptr);
    const std::string start = "Couldn't load images/none.bmp: ";
    ASSERT_EQ(said.compare(0, start.size(), start), 0) << said;
    EXPECT_GT(said.size(), start.size() + 1);  // SDL's reason follows
    EXPECT_EQ(said.back(), '\n');
    EXPECT_EQ(said.find('\n'), said.size() - 1);
}

TEST_F(GameDisplayTest, LoadingACorruptFileReportsAndGivesNull) {
    files.file("images/bad.bmp", "BMthis is not a picture");
    CaptureStderr();
    EXPECT_EQ(loadBMP("images/bad.bmp"), nullptr);
    EXPECT_EQ(GetCapturedStderr().rfind("Couldn't load images/bad.bmp: ", 0), 0u);
}

TEST_F(GameDisplayTest, LoadedPictureKeepsItsOwnSizeAndFormat) {
    files.picture("images/a.bmp", 7, 5, kRed);
    SDL_Surface* picture = loadBMP("images/a.bmp");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->w, 7);
    EXPECT_EQ(picture->h, 5);
    EXPECT_EQ(picture->format->BitsPerPixel, 24);
    SDL_FreeSurface(picture);
}

TEST_F(GameDisplayTest, ShowBmpDrawsTheTopLeftCornerAtThePoint) {
    files.picture("images/a.bmp", 4, 3, kRed);
    ShowBMP("images/a.bmp", screen, 5, 6, false);
    EXPECT_EQ(pixelAt(screen, 5, 6), kRed);
    EXPECT_EQ(pixelAt(screen, 8, 8), kRed);
    EXPECT_EQ(pixelAt(screen, 4, 6), kBlack);
    EXPECT_EQ(countColour(screen, kRed), 12);
}

TEST_F(GameDisplayTest, ShowBmpWithARectangleIgnoresItsSize) {
    files.picture("images/a.bmp", 4, 3, kRed);
    SDL_Rect where{2, 3, 1, 1};
    ShowBMP("images/a.bmp", screen, where, false);
    EXPECT_EQ(countColour(screen, kRed), 12);
    EXPECT_EQ(pixelAt(screen, 5, 5), kRed);
}

TEST_F(GameDisplayTest, ShowBmpOfAMissingFileDrawsNothing) {
    CaptureStderr();
    ShowBMP("images/none.bmp", screen, 0, 0, false);
    EXPECT_EQ(GetCapturedStderr().rfind("Couldn't load images/none.bmp: ", 0), 0u);
    EXPECT_EQ(countColour(screen, kBlack), 40 * 30);
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
    display_image(nullptr, screen, 0, 0, false);
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
    SUCCEED();
}

TEST(CreateSurface, IsThirtyTwoBitRgbaWithFixedMasks) {
    SDL_Surface* surface = create_SDL_Surface(3, 2);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->w, 3);
    EXPECT_EQ(surface->h, 2);
    EXPECT_EQ(surface->format->BitsPerPixel, 32);
    EXPECT_EQ(surface->format->Rmask, 0x000000FFu);
    EXPECT_EQ(surface->format->Gmask, 0x0000FF00u);
    EXPECT_EQ(surface->format->Bmask, 0x00FF0000u);
    EXPECT_EQ(surface->format->Amask, 0xFF000000u);
    SDL_FreeSurface(surface);
}

TEST(CreateSurfaceDeathTest, FailureEndsTheProgramWithStatusOne) {
    EXPECT_EXIT(create_SDL_Surface(-1, 4), testing::ExitedWithCode(1), "^CreateRGBSurface failed: ");
}

// The background and interface passes.
TEST_F(GameDisplayTest, BackgroundPassDrawsInListOrderAtTheOrigin) {
    files.picture("images/TitleScreen.bmp", 40, 30, kBlue);
    files.picture("images/Title_Play.bmp", 10, 10, kRed);
    Console console;
    console.screen = screen;
    console.bg_files = {"images/TitleScreen.bmp", "images/Title_Play.bmp"};
    displayBG(console.screen, console);
    EXPECT_EQ(pixelAt(screen, 0, 0), kRed);
    EXPECT_EQ(pixelAt(screen, 9, 9), kRed);
    EXPECT_EQ(pixelAt(screen, 10, 10), kBlue);
    EXPECT_EQ(console.bg_files.size(), 2u);
}

TEST_F(GameDisplayTest, EmptyListsDrawNothing) {
    Console console;
    console.screen = screen;
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0xFF, 0xFF, 0xFF));
    displayBG(console.screen, console);
    displayUI(console.screen, console);
    EXPECT_EQ(countColour(screen, kWhite), 40 * 30);
}

TEST_F(GameDisplayTest, InterfacePassReadsEachListedFileEveryTime) {
    files.picture("images/Score.bmp", 5, 5, kRed);
    Console console;
    console.screen = screen;
    console.ui_files = {"images/Score.bmp", "images/none.bmp"};
    CaptureStderr();
    displayUI(console.screen, console);
    EXPECT_EQ(pixelAt(screen, 4, 4), kRed);
    files.picture("images/Score.bmp", 5, 5, kGreen);
    displayUI(console.screen, console);
    const std::string said = GetCapturedStderr();
    EXPECT_EQ(pixelAt(screen, 4, 4), kGreen);
    EXPECT_NE(said.find("Couldn't load images/none.bmp: "), said.rfind("Couldn't load images/none.bmp: "));
}

// Bitmap-font text.
class TextTest : public GameDisplayTest {
protected:
    void SetUp() override {
        GameDisplayTest::SetUp();
        const char* glyphs = "LIVES0123456789";
        for (const char* c = glyphs; *c; ++c)
            files.picture(std::string("fonts/") + *c + ".bmp", 6, 9, kWhite);
        files.picture("fonts/_colon.bmp", 3, 9, kRed);
        files.picture("fonts/_space.bmp", 4, 9, kBlue);
    }
};

TEST_F(TextTest, LettersAreLaidSideBySideWithoutGaps) {
    SDL_Surface* text = createText("LIVES: 15");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->w, 5 * 6 + 3 + 4 + 2 * 6);
    EXPECT_EQ(text->h, 9);
    EXPECT_EQ(text->format->BitsPerPixel, 32);
    SDL_Surface* copy = makeTrueColour(text->w, text->h);
    SDL_BlitSurface(text, nullptr, copy, nullptr);
    EXPECT_EQ(pixelAt(copy, 29, 0), kWhite);
    EXPECT_EQ(pixelAt(copy, 30, 4), kRed);
    EXPECT_EQ(pixelAt(copy, 33, 8), kBlue);
    EXPECT_EQ(pixelAt(copy, 37, 0), kWhite);
    SDL_FreeSurface(copy);
    SDL_FreeSurface(text);
}

TEST_F(TextTest, WhiteSpaceUsesTheSpacePicture) {
    SDL_Surface* text = createText("1\t2\n");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->w, 6 + 4 + 6 + 4);
    SDL_FreeSurface(text);
    SDL_Surface* space = load_letter(' ', "fonts/", ".bmp");
    ASSERT_NE(space, nullptr);
    EXPECT_EQ(space->w, 4);
    SDL_FreeSurface(space);
}

TEST_F(TextTest, LettersAreNamedByThemselves) {
    files.picture("fonts/x.txt", 2, 2, kRed);
    SDL_Surface* letter = load_letter('x', "fonts/", ".txt");
    ASSERT_NE(letter, nullptr);
    EXPECT_EQ(letter->w, 2);
    SDL_FreeSurface(letter);
    EXPECT_EQ(load_letter('X', "fonts/", ".txt"), nullptr);
}

TEST_F(TextTest, TheHeightIsTheFirstLetters) {
    files.picture("fonts/7.bmp", 6, 12, kGreen);
    SDL_Surface* tall = createText("17");
    ASSERT_NE(tall, nullptr);
    EXPECT_EQ(tall->h, 9);
    SDL_FreeSurface(tall);
    SDL_Surface* high = createText("71");
    ASSERT_NE(high, nullptr);
    EXPECT_EQ(high->h, 12);
    SDL_FreeSurface(high);
}

TEST_F(TextTest, EmptyTextOrAMissingLetterDrawsNothingSilently) {
    EXPECT_EQ(createText(""), nullptr);
    CaptureStderr();
    EXPECT_EQ(createText("LIVEZ"), nullptr);
    displayText("LIVEZ", screen, 0, 0, false);
    displayText("", screen, 0, 0, false);
    EXPECT_EQ(GetCapturedStderr(), "");
    EXPECT_EQ(countColour(screen, kBlack), 40 * 30);
}

TEST_F(TextTest, EmptyGlyphPicturesGiveNoText) {
    // A BMP header that claims a zero-sized picture.
    SDL_Surface* empty = SDL_CreateRGBSurface(0, 1, 1, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_SaveBMP(empty, "fonts/0.bmp");
    SDL_FreeSurface(empty);
    std::string bytes = readFile("fonts/0.bmp");
    bytes[18] = bytes[19] = bytes[20] = bytes[21] = 0;  // width 0
    files.file("fonts/0.bmp", bytes);
    SDL_Surface* zero = createText("0");
    EXPECT_EQ(zero, nullptr);
    SDL_FreeSurface(zero);
    displayText("0", screen, 0, 0, true);
}

TEST_F(TextTest, DisplayTextDrawsAtThePoint) {
    displayText("15", screen, 3, 2, false);
    EXPECT_EQ(pixelAt(screen, 3, 2), kWhite);
    EXPECT_EQ(pixelAt(screen, 14, 10), kWhite);
    EXPECT_EQ(pixelAt(screen, 15, 10), kBlack);
    EXPECT_EQ(countColour(screen, kWhite), 12 * 9);
}

}  // namespace
