#ifndef ORBITANE_GAME_TITLEMENU_H
#define ORBITANE_GAME_TITLEMENU_H

#include "Object.h"

#include <SDL.h>

class Game;

// The title screen's menu: three pages of entries picked with the arrow keys
// and Return, a cursor beside the highlighted entry and a toggle that shows
// the state of the option on it. Matches are started from here.
class TitleMenu {
public:
    // The entries; 9 is the back entry of both sub-pages.
    // clang-format off
    enum Entry {
        PLAY, OPTIONS, QUIT,
        ONE_PLAYER, TWO_PLAYERS, NO_MATCH,
        SUN, NOTHING, WRAP,
        BACK
    };
    // clang-format on

    // Starts on the main page. The palette buffer is the one the program
    // opens every display with; the arguments go to every match.
    TitleMenu(Game& game, SDL_Color* palette, int argc, char** argv);

    // The title screen's picture, and its display: opened at start-up and
    // again after each match.
    static const char* const kTitlePicture;
    static void openDisplay(Game& game, SDL_Color* palette);

    bool isRunning() const { return running; }
    // One unpaced frame: draw, take at most one event, present.
    void frame();

    int getSelector() const { return selector; }
    const Object& getCursor() const { return cursor; }
    const Object& getToggle() const { return toggle; }

private:
    void placeCursorAndToggle();
    void applyKey(SDLKey key);
    void performEntry();
    void openPage(Entry first, Entry last);
    void playMatch(int playerMode);

    Game& game;
    SDL_Color* palette;
    int argc;
    char** argv;
    int selector;
    int firstEntry;
    int lastEntry;
    bool running;
    // Declared in this order so the toggle goes before the cursor.
    Object cursor;
    Object toggle;
};

#endif
