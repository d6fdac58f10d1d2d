#ifndef ORBITANE_FRAMEWORK_PLATFORM_H
#define ORBITANE_FRAMEWORK_PLATFORM_H

#include <SDL.h>

#include <cstddef>
#include <string>
#include <vector>

// What the game needs of the system beneath SDL: reading a file, waiting for
// an event, a steady clock, and the way drawn pixels reach a surface. The
// desktop and a web page differ in the last three. The browser's SDL can't
// wait for an event, a loop that sleeps there freezes the page (it has to
// hand control back to the browser instead), and its surfaces are canvases,
// which show only what is put on them from the page's side.

// A file open for reading, read with the system's own calls: SDL's reader
// goes through the C library's buffered streams, which cost a buffer and a
// status request for every picture of every frame.
class File {
public:
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
    // Reads on from where the last read ended into `bytes` after the first
    // `length` there, to the end of the file, in one request for a file that
    // fits; `bytes` grows to fit and never shrinks, so that a buffer kept from
    // one file to the next allocates nothing for the same files. Gives the
    // file's length, or -1 with SDL's error set for a file that can't be
    // read, is empty or is larger than `limit`.
    long readRest(std::vector<Uint8>& bytes, std::size_t length, std::size_t limit);
    // Reads runs of `run` bytes that follow one another in the file from
    // `offset`, each into its place, in one request; false if the file ends
    // first or there are more places than one request takes.
    bool readRuns(std::size_t offset, std::size_t run, const std::vector<Uint8*>& places);

private:
    int descriptor;
};

// A whole file, read as above.
long readWholeFile(const std::string& path, std::vector<Uint8>& bytes, std::size_t limit);

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
// Whether SDL's own decoder reads pictures here. The browser's decodes 16-bit
// pictures wrongly; there every picture is read by the game's own reader.
extern const bool kSdlDecodesPictures;
// False, with SDL's error set, if pixels written as above can't reach the
// display: in a page, when the browser's SDL no longer keeps its canvases
// where this file looks for them.
bool displayShowsPixels(SDL_Surface* display);

// Takes the next event from SDL, waiting for one; false if SDL fails.
bool waitForEvent(SDL_Event& event);

// Milliseconds on a steady clock, and a wait until a time on it.
double steadyMilliseconds();
void sleepUntilSteady(double milliseconds);
// Whether a frame loop must wait after every frame, even one that is late:
// a page shows a frame, and takes the player's keys, only while it waits.
extern const bool kEveryFrameWaits;

// Tells the page around a web build which screen the game shows, so that it
// offers that screen's controls: 0 players for the title menu, 1 or 2 for a
// match. The desktop has no page to tell.
void announceScreen(int players);

#endif
