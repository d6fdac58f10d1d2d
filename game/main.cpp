#include "FramePacer.h"
#include "Game.h"
#include "GameDisplay.h"
#include "TitleMenu.h"
#include "Utility.h"

#include <SDL.h>
#include <unistd.h>

#include <cstdlib>

namespace {

const char* const kResourceFolder = "Orbitane.app/Contents/Resources";
const char* const kWindowTitle = "Orbitane";
const char* const kWindowIcon = "images/Icon.bmp";

// Without the bundle the pictures are looked for relative to the current
// directory, so a failure here is not an error.
void enterResourceFolder() {
    if (chdir(kResourceFolder) != 0) return;
}

// The window's name and icon are set before the first video mode so the
// window manager shows them from the start.
SurfacePtr nameTheWindow() {
    SDL_WM_SetCaption(kWindowTitle, kWindowTitle);
    SurfacePtr icon(readPicture(kWindowIcon));
    if (icon) SDL_WM_SetIcon(icon.get(), nullptr);
    return icon;
}

void runTitleMenu(Game& game, SDL_Color* palette, int argc, char** argv) {
    TitleMenu menu(game, palette, argc, argv);
    FramePacer pacer;
    while (menu.isRunning()) {
        menu.frame();
        pacer.wait();
    }
}

}  // namespace

int SDL_main(int argc, char** argv) {
    enterResourceFolder();
    Game game;
    game.playerMode = 0;
    initSDL(SDL_INIT_AUDIO | SDL_INIT_VIDEO);
    SurfacePtr icon = nameTheWindow();
    SDL_Color palette[kPaletteSize];
    TitleMenu::openDisplay(game, palette);
    game.console.bg_files.push_front(TitleMenu::kTitlePicture);
    displayBG(game.console.screen, game.console);
    runTitleMenu(game, palette, argc, argv);
    return 0;
}

// Linux has no SDL main glue: the process entry hands over to SDL_main. It
// ends through exit rather than a return, which in a web page comes back to
// no one; exit tells the page that the game is over.
int main(int argc, char** argv) {
    std::exit(SDL_main(argc, argv));
}
