#include "TestSupport.h"

#include "EventQueue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testsupport {

namespace {

Uint32 mapRgb(SDL_Surface* surface, Rgb colour) {
    return SDL_MapRGB(surface->format, (colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

}  // namespace

TempResources::TempResources() {
    char pattern[] = "/tmp/orbitane-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) throw std::runtime_error("mkdtemp failed");
    root = made;
    fs::create_directories(root + "/images");
    fs::create_directories(root + "/fonts");
    previous = fs::current_path().string();
    fs::current_path(root);
}

TempResources::~TempResources() {
    std::error_code ignored;
    fs::current_path(previous, ignored);
    fs::remove_all(root, ignored);
}

void TempResources::picture(const std::string& name, int width, int height, Rgb colour) const {
    const fs::path where = fs::path(root) / name;
    fs::create_directories(where.parent_path());
    SDL_Surface* surface =
        SDL_CreateRGBSurface(0, width, height, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    SDL_FillRect(surface, nullptr, mapRgb(surface, colour));
    SDL_SaveBMP(surface, where.c_str());
    SDL_FreeSurface(surface);
}

void TempResources::file(const std::string& name, const std::string& bytes) const {
    const fs::path where = fs::path(root) / name;
    fs::create_directories(where.parent_path());
    std::ofstream(where, std::ios::binary) << bytes;
}

void TempResources::remove(const std::string& name) const {
    fs::remove(fs::path(root) / name);
}

void writeGamePictures(const TempResources& files) {
    struct Picture {
        const char* name;
        int width, height;
        Rgb colour;
    };
    const Picture pictures[] = {
        {"images/TitleScreen.bmp", 512, 512, 0x000080},
        {"images/Title_Play.bmp", 512, 512, 0x008000},
        {"images/Title_Options.bmp", 512, 512, 0x800000},
        {"images/select1.bmp", 26, 4, 0xFFFFFF},
        {"images/toggle0.bmp", 30, 16, 0x808080},
        {"images/toggle1.bmp", 30, 16, 0x00FF00},
        {"images/Space.bmp", 800, 600, 0x000000},
        {"images/SpaceSun.bmp", 800, 600, 0x000010},
        {"images/Score.bmp", 60, 16, 0xFFFF00},
        {"images/Sun.bmp", 20, 20, 0xFFFF00},
        {"images/NO_IMAGE.bmp", 8, 8, 0xFF00FF},
        {"images/Bro_Sprite/Bro_front.bmp", 46, 40, 0x00FFFF},
        {"images/ship_sprite/Ship-2_E.bmp", 45, 48, 0xFF0000},
        {"images/ship_sprite/Ship-2_W.bmp", 45, 48, 0xFF0000},
        {"images/ship_sprite/Ship-2_N.bmp", 48, 45, 0xFF0000},
        {"images/ship_sprite/Ship-2_S.bmp", 48, 45, 0xFF0000},
        {"images/ship_sprite/photon.bmp", 23, 8, 0x00FF00},
        {"images/ship_sprite/Explosion.bmp", 45, 48, 0xFF8000},
        {"images/asteroid1.bmp", 17, 17, 0x0000FF},
        {"images/asteroid2.bmp", 20, 20, 0x0000FF},
        {"images/asteroid3.bmp", 26, 26, 0x0000FF},
        {"images/asteroid4.bmp", 34, 34, 0x0000FF},
        {"images/asteroid5.bmp", 45, 45, 0x0000FF},
    };
    for (const Picture& p : pictures) files.picture(p.name, p.width, p.height, p.colour);
    for (const char* c = "0123456789LIVES"; *c; ++c)
        files.picture(std::string("fonts/") + *c + ".bmp", 8, 16, 0xFFFFFF);
    files.picture("fonts/_colon.bmp", 4, 16, 0xFFFFFF);
    files.picture("fonts/_space.bmp", 6, 16, 0x000000);
}

SDL_Surface* makeScreen(int width, int height) {
    return SDL_CreateRGBSurface(0, width, height, 16, 0xF800, 0x07E0, 0x001F, 0);
}

SDL_Surface* makeTrueColour(int width, int height) {
    return SDL_CreateRGBSurface(0, width, height, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0);
}

Rgb pixelAt(SDL_Surface* surface, int x, int y) {
    SDL_LockSurface(surface);
    const Uint8 bpp = surface->format->BytesPerPixel;
    const Uint8* at = static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * bpp;
    Uint32 raw = 0;
    switch (bpp) {
    case 1: raw = *at; break;
    case 2: raw = *reinterpret_cast<const Uint16*>(at); break;
    case 3: raw = at[0] | (at[1] << 8) | (at[2] << 16); break;
    default: raw = *reinterpret_cast<const Uint32*>(at); break;
    }
    SDL_UnlockSurface(surface);
    Uint8 r, g, b;
    SDL_GetRGB(raw, surface->format, &r, &g, &b);
    return (Rgb(r) << 16) | (Rgb(g) << 8) | b;
}

int countColour(SDL_Surface* surface, Rgb colour) {
    int count = 0;
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x)
            if (pixelAt(surface, x, y) == colour) ++count;
    return count;
}

std::string builtResources() {
    return ORBITANE_RESOURCES;
}

std::string builtBinary() {
    return ORBITANE_BINARY;
}

int runCommand(const std::string& command) {
    const int status = std::system(command.c_str());
    if (status == -1 || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void pushKey(Uint8 type, SDLKey key) {
    SDL_Event event{};
    event.type = type;
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
}

void pushQuit() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}

void pushActive(Uint8 state, Uint8 gain) {
    SDL_Event event{};
    event.type = SDL_ACTIVEEVENT;
    event.active.state = state;
    event.active.gain = gain;
    SDL_PushEvent(&event);
}

void drainEvents() {
    SDL_Event event;
    while (takeEvent(event)) {
    }
}

VideoSession::VideoSession() {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) ADD_FAILURE() << "SDL_Init: " << SDL_GetError();
}

VideoSession::~VideoSession() {
    SDL_Quit();
}

}  // namespace testsupport
