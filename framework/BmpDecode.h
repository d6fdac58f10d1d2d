#ifndef ORBITANE_FRAMEWORK_BMPDECODE_H
#define ORBITANE_FRAMEWORK_BMPDECODE_H

#include "Platform.h"

#include <SDL.h>

#include <cstddef>
#include <vector>

// Windows BMP files read from memory in plain C++, for an SDL whose own
// decoder can't be trusted with them.

// Every header field read here lies within a file's first this many bytes.
const long kBmpHeadBytes = 1024;

// No picture the game shows comes near this many pixels.
const long long kMaxPicturePixels = 2048LL * 2048LL;

// The surface a picture is decoded into: its depth and colour masks. A
// layout without an alpha mask stores no alpha; with one, every pixel is
// opaque, as BMP pictures are.
struct PixelLayout {
    int bitsPerPixel;
    Uint32 red;
    Uint32 green;
    Uint32 blue;
    Uint32 alpha;
};

// Red, green, blue and alpha bytes in that order, as a web canvas keeps them.
const PixelLayout kLayoutRgba = {32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};

// False, with SDL's error set, for a header that claims more than any
// picture of the game has: an absurd size, or more palette entries than its
// depth can index. Bytes past the end of a short file count as zero, as
// SDL reads them. Every picture is checked before it is decoded.
bool claimsSensibleSizes(const Uint8* bytes, std::size_t length);

// The size of the picture a BMP file holds. The decoder reads uncompressed
// 16-, 24- and 32-bit pictures, with or without colour masks, stored either
// way up; for anything else, or a file cut short, it gives false with SDL's
// error set, in SDL's words where SDL has them.
bool bmpSize(const Uint8* bytes, std::size_t length, int& width, int& height);
// Writes the pixels of a file that bmpSize reads into a surface of its size
// (locked, if it must be), in the surface's own format. Each pixel gets the
// colour SDL's decoder gives it.
void writeBmpPixels(const Uint8* bytes, std::size_t length, SDL_Surface* surface);
// Both at once: a new surface of the layout, or null with SDL's error set.
SDL_Surface* decodeBmp(const Uint8* bytes, std::size_t length, const PixelLayout& layout);
// Whether the rows of a picture hold the target format's own pixel values:
// a 16-bit picture with the same colour masks and no alpha mask, which a
// blit would copy unchanged.
bool holdsPixelsOf(const Uint8* bytes, std::size_t length, const SDL_PixelFormat& format);
// Copies the rows of such a picture straight onto the target at (x, y),
// clipped as SDL clips a blit: the same picture as decoding and blitting it,
// without a surface made and cleared for it. Gives the part drawn in
// `drawn`; false, with nothing drawn, for any other picture.
bool copyBmpRows(const Uint8* bytes, std::size_t length, SDL_Surface* target, Sint16 x, Sint16 y,
                 SDL_Rect& drawn);
// Where the rows of such a picture, drawn at (x, y), are to be read from its
// file straight onto the target (locked, if it must be), of which only the
// first kBmpHeadBytes of its `length` are in memory: each row's run of the
// file and its place, in the file's order, and the part drawn. False for
// any other picture, or rows drawn cut at the sides or padded, which are
// copied from memory; true with no runs when nothing is drawn.
bool placeBmpRows(const Uint8* head, std::size_t length, SDL_Surface* target, Sint16 x, Sint16 y,
                  std::vector<FileRun>& runs, SDL_Rect& drawn);

#endif
