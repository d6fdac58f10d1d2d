#ifndef ORBITANE_FRAMEWORK_PLATFORM_H
#define ORBITANE_FRAMEWORK_PLATFORM_H

#include <SDL.h>

#include <cstddef>
#include <string>
#include <vector>

// Where the desktop and a web page differ beneath SDL, each answered by a
// file of its own: PlatformDesktop.cpp and PlatformWeb.cpp. The browser's
// SDL can't wait for an event, a loop that sleeps there freezes the page (it
// has to hand control back to the browser instead), its surfaces are
// canvases, which show only what is put on them from the page's side, and
// its BMP decoder reads 16-bit pictures wrongly. A page's files are in its
// memory.

// A part of a surface open for writing pixels into: `first` is the part's
// top left pixel, rows are `pitch` bytes apart, in `format`. On the desktop
// that is the surface's own memory, locked if it must be; in a page, a buffer
// in the canvas's format, put on the surface's canvas when the part is shown.
struct PixelWindow {
    Uint8* first;
    int pitch;
    const SDL_PixelFormat* format;
};
// The format pixels are written in for the surface.
const SDL_PixelFormat& pixelFormatOf(const SDL_Surface* surface);
// False if the surface can't be written now.
bool openPixels(SDL_Surface* surface, const SDL_Rect& part, PixelWindow& window);
void showPixels(SDL_Surface* surface, const SDL_Rect& part);
// False, with SDL's error set, if pixels written as above can't reach the
// display: in a page, when the browser's SDL no longer keeps its canvases
// where the page looks for them.
bool displayShowsPixels(SDL_Surface* display);

// A file open for reading. The desktop reads it with the system's own calls:
// SDL's reader goes through the C library's buffered streams, which cost a
// buffer and a status request for every picture of every frame. A page reads
// it from the page's file system in memory, each time as it is then.
class File {
public:
    // The most runs `readRuns` places in one request, as every system allows.
    static const std::size_t kMaxRuns = 1024;

    // Not open, with SDL's error set, when the file can't be opened.
    explicit File(const std::string& path);
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    bool isOpen() const { return descriptor >= 0; }
    // The file's length, or -1 for what is not a plain file.
    long length() const;
    // Reads on from where the last read ended: fewer bytes than wanted only
    // at the end of the file.
    std::size_t read(Uint8* into, std::size_t wanted);
    // Reads runs of `run` bytes that follow one another in the file from
    // `offset`, each into its place: at most kMaxRuns of them, which the
    // desktop reads in one request. False if the file ends first.
    bool readRuns(std::size_t offset, std::size_t run, const std::vector<Uint8*>& places);

private:
    int descriptor;
};

// Whether SDL's own BMP decoder may be trusted with pictures here.
extern const bool kSdlDecodesPictures;
// Whether a picture drawn again from the same file is better blitted from a
// surface kept from the last time than converted anew: in a page, where the
// browser draws one canvas on another for far less than it takes pixels put
// on a canvas (bench/README.md).
extern const bool kKeepsPictures;

// Takes the next event from SDL, waiting for one; false if SDL fails.
bool waitForEvent(SDL_Event& event);

// Milliseconds on a steady clock, and a wait until a time on it.
double steadyMilliseconds();
void sleepUntilSteady(double milliseconds);
// Whether a frame loop must wait after every frame, even one that is late:
// a page shows a frame, and takes the player's keys, only while it waits.
extern const bool kEveryFrameWaits;

// Tells the page around a web build the name of the screen the game now
// shows, so that the page can offer that screen's controls. The desktop has
// no page to tell.
void announceScreen(const char* screen);

#endif
