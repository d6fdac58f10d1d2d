#ifndef ORBITANE_TESTS_TESTSUPPORT_H
#define ORBITANE_TESTS_TESTSUPPORT_H

#include <SDL.h>

#include <string>

namespace testsupport {

// Colours as 0xRRGGBB, and a few that every surface format keeps exactly.
using Rgb = Uint32;
const Rgb kRed = 0xFF0000;
const Rgb kGreen = 0x00FF00;
const Rgb kBlue = 0x0000FF;
const Rgb kWhite = 0xFFFFFF;
const Rgb kBlack = 0x000000;

// A fresh, empty resource folder (with images/ and fonts/) that becomes the
// working directory for the life of the object.
class TempResources {
public:
    TempResources();
    ~TempResources();
    TempResources(const TempResources&) = delete;
    TempResources& operator=(const TempResources&) = delete;

    const std::string& path() const { return root; }

    // Writes a solid 24-bit BMP file, relative to the folder.
    void picture(const std::string& name, int width, int height, Rgb colour) const;
    void file(const std::string& name, const std::string& bytes) const;
    void remove(const std::string& name) const;

private:
    std::string root;
    std::string previous;
};

// Every picture and font glyph a title screen or a match reads, each a solid
// colour of its body's size, written into the folder.
void writeGamePictures(const TempResources& files);

// A 16-bit 5-6-5 software surface like the game's display, filled with black.
SDL_Surface* makeScreen(int width, int height);
// A 32-bit surface for reading back exact colours.
SDL_Surface* makeTrueColour(int width, int height);
Rgb pixelAt(SDL_Surface* surface, int x, int y);
// Number of pixels of the given colour, in the whole surface.
int countColour(SDL_Surface* surface, Rgb colour);

// The game's own resources, as the build lays them out.
std::string builtResources();
std::string builtBinary();

// Runs a shell command and gives its exit status (-1 when it did not exit).
int runCommand(const std::string& command);
std::string readFile(const std::string& path);

// Puts an event on SDL's queue.
void pushKey(Uint8 type, SDLKey key);
void pushQuit();
void pushActive(Uint8 state, Uint8 gain);
// Empties SDL's queue.
void drainEvents();

// Starts SDL's video (dummy driver) for the length of a test.
class VideoSession {
public:
    VideoSession();
    ~VideoSession();
    VideoSession(const VideoSession&) = delete;
    VideoSession& operator=(const VideoSession&) = delete;
};

}  // namespace testsupport

#endif
