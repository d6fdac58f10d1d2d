#ifndef ORBITANE_FRAMEWORK_PLATFORM_H
#define ORBITANE_FRAMEWORK_PLATFORM_H

#include <SDL.h>

#include <cstddef>
#include <string>
#include <vector>

// The few things the game does differently on the desktop and in a web
// page, and only those. On the desktop SDL does them all. The browser's SDL
// has no file reader, can't wait for an event and decodes 16-bit pictures
// wrongly, and a loop that sleeps there freezes the page: it has to hand
// control back to the browser instead.

// A run of bytes of a file and the place in memory it is read into.
struct FileRun {
    std::size_t from;
    Uint8* into;
    std::size_t bytes;
};

// A file open for reading, read with the system's own calls: SDL's reader
// goes through the C library's buffered streams, which cost a buffer and a
// status request for every picture of every frame, and the browser's SDL
// has no reader at all.
class File {
public:
    // Not open, with SDL's error set, when the file can't be opened.
    explicit File(const std::string& path);
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    bool isOpen() const { return descriptor >= 0; }
    // Reads on from where the last read ended: fewer bytes than wanted only
    // at the end of the file.
    long read(Uint8* into, long wanted);
    // The file's length, or -1 for what is not a plain file.
    long long length() const;
    // Reads runs that follow one another in the file, in the file's order,
    // each into its own place, in one request; false if the file ends first
    // or there are more runs than one request takes (a thousand and more).
    bool readRuns(const std::vector<FileRun>& runs);

private:
    int descriptor;
};

// Reads the rest of a file into `bytes` after the `length` bytes already
// there; `bytes` grows to fit and never shrinks. Gives the file's length,
// or -1 with SDL's error set for a file that can't be read, is empty or is
// larger than `limit`.
long readRest(File& file, std::vector<Uint8>& bytes, long length, std::size_t limit);
// The same for a whole file, in as few requests as it takes.
long readWholeFile(const std::string& path, std::vector<Uint8>& bytes, std::size_t limit);

// A BMP file held in memory as a new surface; null with SDL's error set.
SDL_Surface* decodePicture(const Uint8* bytes, std::size_t length);

// Whether a picture's bytes may be copied straight into a surface's pixels
// and be seen: on a web page only what a blit copies reaches the canvas.
extern const bool kPixelsCanBeCopied;

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
