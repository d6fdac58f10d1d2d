#include "Game.h"
#include "GameDisplay.h"
#include "TestSupport.h"
#include "TitleMenu.h"

// The title screen as start-up leaves it, on the dummy display.
class TitleMenuTest : public testing::Test {
protected:
    void SetUp() override {
        game.console.screen = createDisplay(nullptr, 512, 512, 16, palette, 256);
        game.console.bg_files.push_front("images/TitleScreen.bmp");
        drainEvents();
    }

    // Presses keys a frame each (U D L R, Return, Escape, else Q), draws one more; the selector.
    int press(const std::string& keys) {
        const std::string names = "UDLR\nE";
        const SDLKey codes[] = {SDLK_UP,     SDLK_DOWN,   SDLK_LEFT, SDLK_RIGHT,
                                SDLK_RETURN, SDLK_ESCAPE, SDLK_q};
        for (char key : keys) pushKey(SDL_KEYDOWN, codes[std::min(names.find(key), names.size())]);
        for (std::size_t i = 0; i <= keys.size(); ++i) menu.frame();
        return menu.getSelector();
    }

    GameFiles files;
    VideoSession video;
    SDL_Color palette[256];
    Game game;
    TitleMenu menu{game, palette, 0, nullptr};
};

// Main page 0-2, play 3-5, options 6-8, BACK 9: Up and Down wrap, Left jumps to QUIT or BACK, Right
// from BACK to the last entry; pages lie over the title; the toggle shows each option, green on.
TEST_F(TitleMenuTest, KeysWalkThePagesAndFlipTheOptions) {
    pushKey(SDL_KEYUP, SDLK_DOWN);
    // clang-format off
    const struct { const char* keys; int selector; Pair cursor; std::size_t pages; Pair toggleAt = {}; Rgb toggle = 0; } steps[] = {
        {"q", 0, {218, 326}, 1}, {"U", 2, {218, 413}, 1}, {"D", 0, {218, 326}, 1},
        {"DD", 2, {218, 413}, 1}, {"D", 0, {218, 326}, 1}, {"DL", 2, {218, 413}, 1},
        {"R", 2, {218, 413}, 1}, {"UR", 1, {218, 369}, 1}, {"U\n", 3, {123, 326}, 2},
        {"DL", 9, {61, 480}, 2}, {"R", 5, {123, 413}, 2}, {"LD", 3, {123, 326}, 2},
        {"LU", 5, {123, 413}, 2}, {"D", 3, {123, 326}, 2}, {"U", 5, {123, 413}, 2},
        {"L\n", 0, {218, 326}, 1}, {"D\n", 6, {123, 326}, 2, {370, 326}, kGreen},
        {"U", 8, {123, 413}, 2, {400, 413}, kGreen}, {"LR", 8, {123, 413}, 2, {400, 413}, kGreen},
        {"LU", 8, {123, 413}, 2, {400, 413}, kGreen}, {"LD", 6, {123, 326}, 2, {370, 326}, kGreen},
        {"\n", 6, {123, 326}, 2, {370, 326}, kBlue}, {"D\n", 7, {123, 369}, 2},
        {"D\n", 8, {123, 413}, 2, {400, 413}, kBlue}, {"L\n", 0, {218, 326}, 1}};
    // clang-format on
    for (const auto& s : steps) {
        SCOPED_TRACE(s.keys);
        EXPECT_EQ(press(s.keys), s.selector);
        EXPECT_EQ(centre(menu.getCursor()), s.cursor);
        EXPECT_EQ(game.console.bg_files.size(), s.pages);
        const auto [x, y] = s.cursor;  // the top left corner of the cursor's picture, 26 x 4
        EXPECT_EQ(pixelAt(game.console.screen, x - 13, y - 2), kWhite);
        EXPECT_NE(pixelAt(game.console.screen, x - 13, y - 3), kWhite);
        const Object& t = menu.getToggle();
        EXPECT_EQ(t.isVisible(), s.toggle != 0);
        if (!t.isVisible()) continue;
        EXPECT_EQ(centre(t), s.toggleAt);
        EXPECT_EQ(pixelAt(game.console.screen, t.getx(), t.gety()), s.toggle);
    }
    EXPECT_EQ(game.console.bg_files.back(), "images/TitleScreen.bmp");
    EXPECT_EQ(pixelAt(game.console.screen, 0, 0), pixelAt(game.console.screen, 511, 511));
    EXPECT_FALSE(game.sunOn);
    EXPECT_FALSE(game.wrapOn);
    EXPECT_TRUE(menu.isRunning());
    press("U\n");
    EXPECT_FALSE(menu.isRunning());
    EXPECT_EQ(size(menu.getCursor()), Pair(26, 4));
    EXPECT_EQ(size(menu.getToggle()), Pair(30, 16));
}

// Each PLAY entry runs a match in its mode, whose frames take the keys behind the choice.
TEST_F(TitleMenuTest, PlayEntriesRunAMatchInTheirModeAndComeBack) {
    for (const auto& [keys, mode] : {std::pair("\n\nUE", 0), std::pair("\nD\nUE", 1)}) {
        game.playerMode = 2;
        int selector = -1;
        const std::string said = stdoutOf([&] { selector = press(keys); });
        EXPECT_EQ(selector, 0) << mode;  // Up would have taken the title's cursor to QUIT
        EXPECT_EQ(game.playerMode, mode);
        EXPECT_NE(said.find("FINAL SCORE: "), std::string::npos) << said;
        EXPECT_EQ(game.console.screen->w, 512);
        EXPECT_EQ(game.console.bg_files, std::list<std::string>{"images/TitleScreen.bmp"});
        EXPECT_TRUE(menu.isRunning());
    }
}
