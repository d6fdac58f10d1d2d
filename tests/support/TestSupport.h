#ifndef ORBITANE_TESTS_TESTSUPPORT_H
#define ORBITANE_TESTS_TESTSUPPORT_H

#include "Object.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>

// Colours as 0xRRGGBB that every surface format keeps exactly.
using Rgb = Uint32;
const Rgb kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0;

// A fresh resource folder (images/ and fonts/), the working directory while it lives.
class TempResources {
public:
    TempResources();
    ~TempResources();
    TempResources(const TempResources&) = delete;
    TempResources& operator=(const TempResources&) = delete;

    // A solid 24-bit BMP file, or any bytes, relative to the folder.
    void picture(const std::string& name, int width, int height, Rgb colour) const;
    void file(const std::string& name, const std::string& bytes) const;

private:
    std::string root, previous;
};

// Every picture and glyph a title screen or a match reads, each a solid colour of its body's size.
struct GameFiles : TempResources {
    GameFiles();
};

// A value as `size` little-endian bytes.
std::string little(long long value, int size = 4);
// A BMP file of a 40-byte header (with `core` the old 12-byte one), its tables and its pixels.
std::string bmp(int width, int height, int bits, int compression, const std::string& tables = "",
                const std::string& pixels = "", bool core = false);
const int kBitFields = 3;
const std::string kMasks565 = little(0xF800) + little(0x07E0) + little(0x001F);
// `bytesPerPixel`-byte pixels, all different, in rows padded to whole 32-bit words.
std::string pattern(int width, int height, int bytesPerPixel = 2);

// A 16-bit 5-6-5 surface like the game's display, and a 32-bit one; black.
SDL_Surface* makeScreen(int width, int height);
SDL_Surface* makeTrueColour(int width, int height);
Rgb pixelAt(SDL_Surface* surface, int x, int y);
int countColour(SDL_Surface* surface, Rgb colour);
// "WxH" of a surface, which is then freed; "none" for null.
std::string sizeOf(SDL_Surface* surface);
// A picture file decoded as a web page decodes it; null where the page can't show it.
SDL_Surface* decodeAsPage(const std::string& path);

// A body's centre and its width and height, each as one comparable pair.
using Pair = std::pair<int, int>;
inline Pair centre(const Object& body) {
    return {body.getx(), body.gety()};
}
inline Pair size(const Object& body) {
    return {body.getw(), body.geth()};
}

// The ship's picture for a facing letter.
inline std::string facing(char letter) {
    return "images/ship_sprite/Ship-2_" + std::string(1, letter) + ".bmp";
}

// What the code prints on standard output or standard error while it runs.
template <typename F>
std::string stdoutOf(F&& code) {
    testing::internal::CaptureStdout();
    code();
    return testing::internal::GetCapturedStdout();
}
template <typename F>
std::string stderrOf(F&& code) {
    testing::internal::CaptureStderr();
    code();
    return testing::internal::GetCapturedStderr();
}

// The game's own build: its resources and its program.
const std::string kBuiltResources = ORBITANE_RESOURCES, kBuiltBinary = ORBITANE_BINARY;
// A shell command's exit status (-1 when it did not exit), and a whole file.
int runCommand(const std::string& command);
std::string readFile(const std::string& path);

// Events as SDL delivers them: a key, and the left mouse button or the mouse moving with it held.
SDL_Event keyEvent(Uint8 type, SDLKey key);
SDL_Event mouseEvent(Uint8 type, int x, int y);
void push(SDL_Event event);
void pushKey(Uint8 type, SDLKey key);
void drainEvents();

// SDL's video (the dummy driver) for the length of a test.
struct VideoSession {
    VideoSession() {
        if (SDL_Init(SDL_INIT_VIDEO) < 0) ADD_FAILURE() << "SDL_Init: " << SDL_GetError();
    }
    ~VideoSession() { SDL_Quit(); }
};

#endif
