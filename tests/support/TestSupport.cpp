#include "TestSupport.h"

#include "EventQueue.h"
#include "Picture.h"

#include <sys/wait.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

TempResources::TempResources() {
    char pattern[] = "/tmp/orbitane-test-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
    root = pattern;
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
    fs::create_directories((fs::path(root) / name).parent_path());
    SDL_Surface* surface = SDL_CreateRGBSurface(0, width, height, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(surface, nullptr, colour);
    SDL_SaveBMP(surface, (root + "/" + name).c_str());
    SDL_FreeSurface(surface);
}

void TempResources::file(const std::string& name, const std::string& bytes) const {
    std::ofstream(fs::path(root) / name, std::ios::binary) << bytes;
}

GameFiles::GameFiles() {
    std::istringstream pictures(  // name, width, height, colour
        "TitleScreen 512 512 80 Title_Play 512 512 8000 Title_Options 512 512 800000 select1 26 4 "
        "FFFFFF toggle0 30 16 FF toggle1 30 16 FF00 Space 800 600 0 SpaceSun 800 600 10 "
        "Score 60 16 FFFF00 Sun 20 20 FFFF00 NO_IMAGE 8 8 808080 Bro_Sprite/Bro_front 46 40 FFFF "
        "ship_sprite/Ship-2_E 45 48 FF0000 ship_sprite/Ship-2_W 45 48 FF0000 "
        "ship_sprite/Ship-2_N 48 45 FF0000 ship_sprite/Ship-2_S 48 45 FF0000 "
        "ship_sprite/photon 23 8 FF00 ship_sprite/Explosion 45 48 FF00FF asteroid1 17 17 FF "
        "asteroid2 20 20 FF asteroid3 26 26 FF asteroid4 34 34 FF asteroid5 45 45 FF");
    std::string name;
    for (int width, height; pictures >> name >> width >> height;) {
        Rgb colour = 0;
        pictures >> std::hex >> colour >> std::dec;
        picture("images/" + name + ".bmp", width, height, colour);
    }
    for (const char* c = "0123456789LIVES"; *c; ++c)
        picture(std::string("fonts/") + *c + ".bmp", 8, 16, kWhite);
    picture("fonts/_colon.bmp", 4, 16, kWhite);
    picture("fonts/_space.bmp", 6, 16, kBlack);
}

std::string little(long long value, int size) {
    std::string bytes;
    for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

std::string bmp(int width, int height, int bits, int compression, const std::string& tables,
                const std::string& pixels, bool core) {
    const std::string info =
        core ? little(12) + little(width, 2) + little(height, 2) + little(1, 2) + little(bits, 2)
             : little(40) + little(width) + little(height) + little(1, 2) + little(bits, 2) +
                   little(compression) + little(pixels.size()) + little(2835) + little(2835) +
                   little(bits <= 8 ? tables.size() / 4 : 0) + little(0);
    const std::string::size_type start = 14 + info.size() + tables.size();
    return "BM" + little(start + pixels.size()) + little(0) + little(start) + info + tables +
           pixels;
}

std::string pattern(int width, int height, int bytesPerPixel) {
    std::string pixels;
    for (int y = 0; y < height; ++y, pixels.resize((pixels.size() + 3) / 4 * 4, '\0'))
        for (int x = 0; x < width; ++x)
            pixels += little(40503LL * (y * width + x) + 7, bytesPerPixel);
    return pixels;
}

SDL_Surface* makeScreen(int width, int height) {
    return SDL_CreateRGBSurface(0, width, height, 16, 0xF800, 0x07E0, 0x001F, 0);
}

SDL_Surface* makeTrueColour(int width, int height) {
    return SDL_CreateRGBSurface(0, width, height, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0);
}

Rgb pixelAt(SDL_Surface* surface, int x, int y) {
    SDL_LockSurface(surface);
    const int bpp = surface->format->BytesPerPixel;
    const Uint8* at = static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * bpp;
    Uint32 raw = 0;
    for (int i = bpp - 1; i >= 0; --i) raw = (raw << 8) | at[i];  // little-endian
    SDL_UnlockSurface(surface);
    Uint8 r, g, b;
    SDL_GetRGB(raw, surface->format, &r, &g, &b);
    return (Rgb(r) << 16) | (Rgb(g) << 8) | b;
}

int countColour(SDL_Surface* surface, Rgb colour) {
    int count = 0;
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x) count += pixelAt(surface, x, y) == colour;
    return count;
}

std::string sizeOf(SDL_Surface* surface) {
    if (!surface) return "none";
    const std::string size = std::to_string(surface->w) + "x" + std::to_string(surface->h);
    SDL_FreeSurface(surface);
    return size;
}

SDL_Surface* decodeAsPage(const std::string& path) {
    const std::string bytes = readFile(path);
    const auto* data = reinterpret_cast<const Uint8*>(bytes.data());
    Bmp bmp;
    if (parseBmp(data, bytes.size(), bmp) != BmpParse::Parsed) return nullptr;
    SDL_Surface* surface = makeRgbaSurface(bmp.width, bmp.height);
    convertRows(bmp, data, 0, 0, bmp.width, bmp.height, static_cast<Uint8*>(surface->pixels),
                surface->pitch, *surface->format);
    return surface;
}

int runCommand(const std::string& command) {
    const int status = std::system(command.c_str());
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string readFile(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

SDL_Event keyEvent(Uint8 type, SDLKey key) {
    SDL_Event event{};
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    return event;
}

SDL_Event mouseEvent(Uint8 type, int x, int y) {
    SDL_Event event{};
    const Uint8 state = type == SDL_MOUSEBUTTONUP ? SDL_RELEASED : SDL_PRESSED;
    if (type == SDL_MOUSEMOTION)
        event.motion = {type, SDL_BUTTON(1), SDL_BUTTON(1), Uint16(x), Uint16(y), 0, 0};
    else
        event.button = {type, 0, SDL_BUTTON_LEFT, state, Uint16(x), Uint16(y)};
    return event;
}

void push(SDL_Event event) {
    SDL_PushEvent(&event);
}

void pushKey(Uint8 type, SDLKey key) {
    push(keyEvent(type, key));
}

void drainEvents() {
    for (SDL_Event event; takeEvent(event);) {
    }
}
