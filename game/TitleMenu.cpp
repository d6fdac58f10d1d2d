#include "TitleMenu.h"

#include "EventQueue.h"
#include "Game.h"
#include "GameDisplay.h"
#include "GameMain.h"
#include "Platform.h"

namespace {

const char* const kPlayPage = "images/Title_Play.bmp";
const char* const kOptionsPage = "images/Title_Options.bmp";
const char* const kCursorPicture = "images/select1.bmp";
const char* const kToggleOn = "images/toggle1.bmp";
const char* const kToggleOff = "images/toggle0.bmp";

const int kCursorHeight = 4;
const int kCursorWidth = 26;
const int kToggleHeight = 16;
const int kToggleWidth = 30;

const int kTitleSize = 512;
// A handled event is followed by this short wait.
const Uint32 kEventPauseMs = 20;

struct Point {
    int x;
    int y;
};

// Where the cursor sits for each entry, in entry order: a row a page.
// clang-format off
const Point kCursorAt[] = {
    {218, 326}, {218, 369}, {218, 413},
    {123, 326}, {123, 369}, {123, 413},
    {123, 326}, {123, 369}, {123, 413},
    {61, 480},
};
// clang-format on
const Point kSunToggleAt = {370, 326};
const Point kWrapToggleAt = {400, 413};

}  // namespace

const char* const TitleMenu::kTitlePicture = "images/TitleScreen.bmp";

void TitleMenu::openDisplay(Game& game, SDL_Color* palette) {
    game.console.screen = createDisplay(game.console.screen, kTitleSize, kTitleSize, kBitsPerPixel,
                                        palette, kPaletteSize);
    announceScreen("title");
}

// clang-format off
TitleMenu::TitleMenu(Game& world, SDL_Color* paletteBuffer, int count, char** arguments)
    : game(world), palette(paletteBuffer), argc(count), argv(arguments), selector(PLAY),
      firstEntry(PLAY), lastEntry(QUIT), running(true),
      cursor(kCursorHeight, kCursorWidth, false), toggle(kToggleHeight, kToggleWidth, false) {
    // clang-format on
    cursor.setImage(kCursorPicture);
    cursor.moveTo(kCursorAt[PLAY].x, kCursorAt[PLAY].y);
    toggle.setImage(kToggleOn);
    toggle.moveTo(kSunToggleAt.x, kSunToggleAt.y);
    toggle.setVisibility(false);
}

void TitleMenu::frame() {
    displayBG(game.console.screen, game.console);
    toggle.setVisibility(false);
    placeCursorAndToggle();
    if (takeEvent(game.event)) {
        if (game.event.type == SDL_QUIT) {
            running = false;
        } else if (game.event.type == SDL_KEYDOWN) {
            const SDLKey key = game.event.key.keysym.sym;
            applyKey(key);
            if (key == SDLK_RETURN) performEntry();
        }
        SDL_Delay(kEventPauseMs);
    }
    cursor.display(game.console.screen, false);
    toggle.display(game.console.screen, false);
    updateScreen(game.console.screen);
}

// The toggle's picture is read anew every frame it shows.
void TitleMenu::placeCursorAndToggle() {
    const Point at = kCursorAt[selector];
    cursor.moveTo(at.x, at.y);
    if (selector != SUN && selector != WRAP) return;
    const bool on = selector == SUN ? game.sunOn : game.wrapOn;
    const Point toggleAt = selector == SUN ? kSunToggleAt : kWrapToggleAt;
    toggle.moveTo(toggleAt.x, toggleAt.y);
    toggle.setImage(on ? kToggleOn : kToggleOff);
    toggle.setVisibility(true);
}

void TitleMenu::applyKey(SDLKey key) {
    switch (key) {
    case SDLK_UP:
        if (selector == BACK)
            selector = lastEntry;
        else if (--selector < firstEntry)
            selector = lastEntry;
        break;
    case SDLK_DOWN:
        if (++selector > lastEntry) selector = firstEntry;
        break;
    case SDLK_LEFT: selector = firstEntry == PLAY ? QUIT : BACK; break;
    case SDLK_RIGHT:
        if (selector == BACK) selector = lastEntry;
        break;
    default: break;
    }
}

void TitleMenu::performEntry() {
    switch (selector) {
    case PLAY:
        game.console.bg_files.push_back(kPlayPage);
        openPage(ONE_PLAYER, NO_MATCH);
        break;
    case OPTIONS:
        game.console.bg_files.push_back(kOptionsPage);
        openPage(SUN, WRAP);
        break;
    case QUIT: running = false; break;
    case ONE_PLAYER: playMatch(0); break;
    case TWO_PLAYERS: playMatch(1); break;
    case NO_MATCH: game.playerMode = 2; break;
    case SUN: game.sunOn = !game.sunOn; break;
    case NOTHING: break;
    case WRAP: game.wrapOn = !game.wrapOn; break;
    case BACK:
        game.console.bg_files.pop_back();
        openPage(PLAY, QUIT);
        toggle.setVisibility(false);
        break;
    default: throw "BAD SELECTOR VALUE";
    }
}

void TitleMenu::openPage(Entry first, Entry last) {
    firstEntry = first;
    lastEntry = last;
    selector = first;
}

// The match opens its own display; the title's is opened anew afterwards.
// Neither is freed here: SDL owns the display and lets the old one go when
// it sets the next mode (freeing it by hand destroys a web page's display).
void TitleMenu::playMatch(int playerMode) {
    Console& console = game.console;
    console.bg_files.pop_back();
    game.playerMode = playerMode;
    GameMain(argc, argv, game);
    console.bg_files.clear();
    console.bg_files.push_back(kTitlePicture);
    openPage(PLAY, QUIT);
    openDisplay(game, palette);
}
