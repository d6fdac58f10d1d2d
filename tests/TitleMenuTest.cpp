#include "Game.h"
#include "GameDisplay.h"
#include "TestSupport.h"
#include "TitleMenu.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

// Centres and sizes as pairs, so that one expectation checks both numbers.
using Pair = std::pair<int, int>;
Pair centre(const Object& body) { return {body.getx(), body.gety()}; }

// The title screen as start-up leaves it, with the dummy display open.
class TitleMenuTest : public testing::Test {
protected:
    void SetUp() override {
        writeGamePictures(files);
        game.console.screen = createDisplay(nullptr, 512, 512, 16, palette, 256);
        game.console.bg_files.push_front("images/TitleScreen.bmp");
        menu = std::make_unique<TitleMenu>(game, palette, 0, nullptr);
        drainEvents();
    }

    // Presses each key in turn, one frame each, and gives the selector.
    int press(std::initializer_list<SDLKey> keys) {
        for (SDLKey key : keys) {
            pushKey(SDL_KEYDOWN, key);
            menu->frame();
        }
        return menu->getSelector();
    }

    TempResources files;
    VideoSession video;
    SDL_Color palette[256];
    Game game;
    std::unique_ptr<TitleMenu> menu;
};

TEST_F(TitleMenuTest, StartsOnPlayAndIgnoresReleasesAndOtherKeys) {
    pushKey(SDL_KEYUP, SDLK_DOWN);
    pushKey(SDL_KEYDOWN, SDLK_q);
    menu->frame();
    menu->frame();
    EXPECT_TRUE(menu->isRunning());
    EXPECT_EQ(menu->getSelector(), 0);
    EXPECT_EQ(centre(menu->getCursor()), Pair(218, 326));
    EXPECT_EQ(menu->getCursor().getw(), 26);
    EXPECT_EQ(menu->getCursor().geth(), 4);
    EXPECT_FALSE(menu->getToggle().isVisible());
}

TEST_F(TitleMenuTest, MainPageKeysWrapAround) {
    EXPECT_EQ(press({SDLK_UP}), 2);
    EXPECT_EQ(press({SDLK_DOWN}), 0);
    EXPECT_EQ(press({SDLK_DOWN, SDLK_DOWN}), 2);
    EXPECT_EQ(press({SDLK_DOWN}), 0);
    EXPECT_EQ(press({SDLK_DOWN, SDLK_LEFT}), 2);
    EXPECT_EQ(press({SDLK_RIGHT}), 2);
    EXPECT_EQ(press({SDLK_UP}), 1);
    EXPECT_EQ(menu->getCursor().gety(), 413);  // placed before the key is read
    EXPECT_EQ(press({SDLK_RIGHT}), 1);
    EXPECT_EQ(menu->getCursor().gety(), 369);
}

TEST_F(TitleMenuTest, PlayPageKeysAndTheBackEntry) {
    EXPECT_EQ(press({SDLK_RETURN}), 3);
    EXPECT_EQ(game.console.bg_files.back(), "images/Title_Play.bmp");
    EXPECT_EQ(press({SDLK_DOWN, SDLK_LEFT}), 9);
    EXPECT_EQ(press({SDLK_RIGHT}), 5);
    EXPECT_EQ(press({SDLK_LEFT, SDLK_DOWN}), 3);
    EXPECT_EQ(press({SDLK_LEFT, SDLK_UP}), 5);
    EXPECT_EQ(press({SDLK_DOWN}), 3);
    EXPECT_EQ(press({SDLK_UP}), 5);
    press({SDLK_LEFT});
    menu->frame();
    EXPECT_EQ(centre(menu->getCursor()), Pair(61, 480));
}

// The toggle shows beside the sun and wrap entries only, and Return flips
// the option under the cursor.
TEST_F(TitleMenuTest, OptionsPageKeysTogglesAndFlips) {
    EXPECT_EQ(press({SDLK_DOWN, SDLK_RETURN}), 6);
    EXPECT_EQ(game.console.bg_files.back(), "images/Title_Options.bmp");
    EXPECT_EQ(press({SDLK_UP}), 8);
    EXPECT_EQ(press({SDLK_LEFT, SDLK_RIGHT}), 8);
    EXPECT_EQ(press({SDLK_LEFT, SDLK_UP}), 8);
    EXPECT_EQ(press({SDLK_LEFT, SDLK_DOWN}), 6);
    menu->frame();
    EXPECT_TRUE(menu->getToggle().isVisible());
    EXPECT_EQ(centre(menu->getToggle()), Pair(370, 326));
    EXPECT_EQ(menu->getToggle().getFilename(), "images/toggle1.bmp");
    press({SDLK_RETURN});
    EXPECT_FALSE(game.sunOn);
    menu->frame();
    EXPECT_EQ(menu->getToggle().getFilename(), "images/toggle0.bmp");
    press({SDLK_RETURN});
    EXPECT_TRUE(game.sunOn);
    press({SDLK_DOWN});
    menu->frame();
    EXPECT_FALSE(menu->getToggle().isVisible());
    press({SDLK_RETURN});  // the empty entry
    EXPECT_TRUE(game.sunOn);
    EXPECT_TRUE(game.wrapOn);
    press({SDLK_DOWN});
    menu->frame();
    EXPECT_EQ(centre(menu->getToggle()), Pair(400, 413));
    press({SDLK_RETURN});
    EXPECT_FALSE(game.wrapOn);
    EXPECT_TRUE(game.sunOn);
}

TEST_F(TitleMenuTest, BackReturnsToTheMainPageWithTheTitleAlone) {
    press({SDLK_DOWN, SDLK_RETURN, SDLK_LEFT, SDLK_RETURN});
    EXPECT_EQ(menu->getSelector(), 0);
    EXPECT_EQ(game.console.bg_files, std::list<std::string>{"images/TitleScreen.bmp"});
    EXPECT_FALSE(menu->getToggle().isVisible());
    press({SDLK_RETURN});
    EXPECT_EQ(game.console.bg_files,
              (std::list<std::string>{"images/TitleScreen.bmp", "images/Title_Play.bmp"}));
    press({SDLK_LEFT, SDLK_RETURN});
    EXPECT_EQ(game.console.bg_files.size(), 1u);
}

TEST_F(TitleMenuTest, TheThirdPlayEntryStartsNoMatch) {
    press({SDLK_RETURN, SDLK_UP, SDLK_RETURN});
    EXPECT_EQ(game.playerMode, 2);
    EXPECT_EQ(menu->getSelector(), 5);
    EXPECT_EQ(game.console.bg_files.size(), 2u);
    EXPECT_EQ(game.console.screen->w, 512);
}

TEST_F(TitleMenuTest, QuitEntryAndQuitEventStopTheMenu) {
    press({SDLK_UP, SDLK_RETURN});
    EXPECT_FALSE(menu->isRunning());
    TitleMenu second(game, palette, 0, nullptr);
    pushQuit();
    second.frame();
    EXPECT_FALSE(second.isRunning());
}

// Return starts a match from the selected entry; Escape, waiting in the
// queue, ends it within the same frame of the menu.
TEST_F(TitleMenuTest, AMatchRunsAndTheTitleComesBack) {
    for (int mode : {1, 0}) {
        press({SDLK_RETURN});
        if (mode == 1) press({SDLK_DOWN});
        pushKey(SDL_KEYDOWN, SDLK_RETURN);
        pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
        testing::internal::CaptureStdout();
        menu->frame();
        // Random asteroids may have cost a ship in that one frame.
        const std::string said = testing::internal::GetCapturedStdout();
        EXPECT_NE(said.find("FINAL SCORE: "), std::string::npos) << said;
        EXPECT_EQ(game.playerMode, mode);  // the computer flies again after a two-player match
        EXPECT_EQ(menu->getSelector(), 0);
        EXPECT_EQ(game.console.bg_files, std::list<std::string>{"images/TitleScreen.bmp"});
        EXPECT_EQ(game.console.screen->w, 512);
        EXPECT_EQ(game.console.screen->h, 512);
    }
}

}  // namespace
