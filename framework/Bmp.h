#ifndef ORBITANE_FRAMEWORK_BMP_H
#define ORBITANE_FRAMEWORK_BMP_H

#include <SDL.h>

#include <cstddef>

// Windows BMP files held in memory, read in plain C++: one parse of the
// header gives a picture's size, the format of its pixels and where its rows
// lie, and its rows are then converted into any surface's format. It reads
// no files and knows no display.

// No picture the game shows comes near this many pixels.
const long long kMaxPicturePixels = 2048LL * 2048LL;

// Every header field read here lies within a file's first this many bytes.
const std::size_t kBmpHeadBytes = 1024;

// A picture as its file's header describes it, and where its rows lie in the file.
struct Bmp {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    // Where each colour lies in a pixel value; alpha is 0 for a picture without it.
    Uint32 red = 0;
    Uint32 green = 0;
    Uint32 blue = 0;
    Uint32 alpha = 0;
    // Where the top row starts in the file, and the step from a row to the
    // one below it: negative for a picture stored bottom up, as most are.
    long top = 0;
    long step = 0;
};

// What a parse made of a file.
enum class BmpParse {
    // Read: `bmp` says where everything is.
    Parsed,
    // The header claims a picture larger than any the game shows, or more
    // palette entries than its depth can index: no reader should go on and
    // make room for it (SDL's would allocate gigabytes from a 54-byte file).
    Absurd,
    // Not a picture read here (compressed, indexed, or damaged): SDL's own
    // decoder may read it, or say in its own words why not.
    NotRead,
};

// Parses a file of `length` bytes, of which at least the first
// min(length, kBmpHeadBytes) are at `bytes`; SDL's error says why a file is
// not Parsed. Uncompressed 16-, 24- and 32-bit pictures are read, with or
// without colour masks, stored either way up. A file that is not read here
// gets the words SDL's decoder uses for the first fault it would find; one
// that SDL reads (a palette picture) gets the reason this reader doesn't.
BmpParse parseBmp(const Uint8* bytes, std::size_t length, Bmp& bmp);

// Whether a surface of the format keeps the picture's own pixel values, so
// that its rows are copied unchanged: a 16-bit picture and format with the
// same colour masks and no alpha, which a blit would copy as it is.
bool keepsPixelsOf(const Bmp& bmp, const SDL_PixelFormat& format);

// Writes the part of the picture, whose file is at `bytes`, that starts at
// column x of row y (counted from the top), `width` by `height` pixels, at
// `into`, whose rows are `pitch` bytes apart, in the format: a 16- or 32-bit
// one (a format of any other size gets nothing). Each pixel gets
// the colour SDL's decoder and blit give it, but for 5-6-5 pixels widened to
// 32 bits, where SDL's blit rounds some greens down (full green to 254) and
// this keeps full green full. The picture's own alpha is not read, and a
// format with an alpha mask gets every pixel opaque.
void convertRows(const Bmp& bmp, const Uint8* bytes, int x, int y, int width, int height,
                 Uint8* into, int pitch, const SDL_PixelFormat& format);

#endif
