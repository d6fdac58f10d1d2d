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

    // Presses each key in turn, one frame each (Up, Down, Left, Right,
    // Return, or anything else for Q), and gives the selector.
    int press(const std::string& keys) {
        for (char key : keys) {
            const std::string names = "UDLR\n";
            const SDLKey codes[] = {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_RETURN, SDLK_q};
            pushKey(SDL_KEYDOWN, codes[std::min(names.find(key), names.size())]);
            menu.frame();
        }
        return menu.getSelector();
    }
    std::list<std::string> pages() const { return game.console.bg_files; }

    GameFiles files;
    VideoSession video;
    SDL_Color palette[256];
    Game game;
    TitleMenu menu{game, palette, 0, nullptr};
};

// Main page 0-2, play page 3-5, options 6-8, and 9 for BACK: Up and Down
// wrap within a page, Left jumps to QUIT or BACK, Right from BACK to the
// last entry. Releases and other keys do nothing.
TEST_F(TitleMenuTest, KeysMoveTheCursorWithinEachPage) {
    pushKey(SDL_KEYUP, SDLK_DOWN);
    EXPECT_EQ(press("q"), 0);
    menu.frame();
    EXPECT_EQ(centre(menu.getCursor()), Pair(218, 326));
    const std::pair<const char*, int> steps[] = {
        {"U", 2},  {"D", 0},  {"DD", 2}, {"D", 0},  {"DL", 2}, {"R", 2},  {"U", 1},
        {"R", 1},  {"U\n", 3}, {"DL", 9}, {"R", 5},  {"LD", 3}, {"LU", 5}, {"D", 3},
        {"U", 5},  {"L\n", 0}, {"D\n", 6}, {"U", 8},  {"LR", 8}, {"LU", 8}, {"LD", 6}};
    for (const auto& [keys, selector] : steps) EXPECT_EQ(press(keys), selector);
    menu.frame();
    EXPECT_EQ(centre(menu.getCursor()), Pair(123, 326));
    press("L");
    menu.frame();
    EXPECT_EQ(centre(menu.getCursor()), Pair(61, 480));
}

// Return on PLAY or OPTIONS adds its page; BACK leaves the title alone.
TEST_F(TitleMenuTest, PagesAreLaidOverTheTitleAndTakenOffByBack) {
    const std::list<std::string> title{"images/TitleScreen.bmp"};
    press("D\n");
    EXPECT_EQ(pages().back(), "images/Title_Options.bmp");
    press("L\n");
    EXPECT_EQ(pages(), title);
    EXPECT_FALSE(menu.getToggle().isVisible());
    press("\n");
    EXPECT_EQ(pages().back(), "images/Title_Play.bmp");
    press("U\n");  // the third entry starts no match
    EXPECT_EQ(game.playerMode, 2);
    EXPECT_EQ(game.console.screen->w, 512);
    press("L\n");
    EXPECT_EQ(pages(), title);
}

// The toggle shows beside the sun and wrap entries with the option's state,
// and Return flips the option under the cursor.
TEST_F(TitleMenuTest, OptionsShowTheirStateAndReturnFlipsThem) {
    press("D\n");
    const struct { const char* keys; bool shown; Pair at; const char* look; bool sun, wrap; } steps[] = {
        {"", true, {370, 326}, "images/toggle1.bmp", true, true},
        {"\n", true, {370, 326}, "images/toggle0.bmp", false, true},
        {"\n", true, {370, 326}, "images/toggle1.bmp", true, true},
        {"D", false, {370, 326}, "images/toggle1.bmp", true, true},
        {"\n", false, {370, 326}, "images/toggle1.bmp", true, true},
        {"D", true, {400, 413}, "images/toggle1.bmp", true, true},
        {"\n", true, {400, 413}, "images/toggle0.bmp", true, false}};
    for (const auto& s : steps) {
        press(s.keys);
        menu.frame();
        EXPECT_EQ(menu.getToggle().isVisible(), s.shown) << s.look;
        if (s.shown) {
            EXPECT_EQ(centre(menu.getToggle()), s.at);
            EXPECT_EQ(menu.getToggle().getFilename(), s.look);
        }
        EXPECT_EQ(std::make_pair(game.sunOn, game.wrapOn), std::make_pair(s.sun, s.wrap));
    }
}

// Return starts a match from the chosen entry; Escape, waiting in the
// queue, ends it in the same frame of the menu, and the title comes back.
TEST_F(TitleMenuTest, AMatchRunsAndTheTitleComesBack) {
    for (int mode : {1, 0}) {
        press("\n");
        if (mode == 1) press("D");
        pushKey(SDL_KEYDOWN, SDLK_RETURN);
        pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
        EXPECT_NE(stdoutOf([&] { menu.frame(); }).find("FINAL SCORE: "), std::string::npos);
        EXPECT_EQ(game.playerMode, mode);
        EXPECT_EQ(menu.getSelector(), 0);
        EXPECT_EQ(pages(), std::list<std::string>{"images/TitleScreen.bmp"});
        EXPECT_EQ(sizeOf(SDL_ConvertSurface(game.console.screen, game.console.screen->format, 0)),
                  "512x512");
    }
    press("U\n");
    EXPECT_FALSE(menu.isRunning());
    TitleMenu second(game, palette, 0, nullptr);
    pushQuit();
    second.frame();
    EXPECT_FALSE(second.isRunning());
}

