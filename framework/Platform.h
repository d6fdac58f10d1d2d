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

// Reads a whole file into `bytes`, which grows to fit and never shrinks,
// in as few requests as it takes. Gives the number of bytes read, or -1
// with SDL's error set for a file that can't be read, is empty or is
// larger than `limit`.
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

#endif
