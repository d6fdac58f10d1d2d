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

// Parses a file of `length` bytes, of which at least the first
// min(length, kBmpHeadBytes) are at `bytes`: false, with SDL's error set, for
// one that can't be read here. Uncompressed 16-, 24- and 32-bit pictures are read, with or without
// colour masks, stored either way up. The faults are SDL's, in SDL's words
// and in the order SDL finds them, after the sizes are checked: a header
// that claims an absurd size, or more palette entries than its depth can
// index, is refused before anything is made for it.
bool parseBmp(const Uint8* bytes, std::size_t length, Bmp& bmp);

// The same check of the sizes alone, for a file handed to SDL's own decoder,
// which would otherwise allocate and clear room for all they claim
// (gigabytes, from a 54-byte file) before finding the pixels missing.
bool claimsSensibleSizes(const Uint8* bytes, std::size_t length);

// Whether a surface of the format keeps the picture's own pixel values, so
// that its rows are copied unchanged: a 16-bit picture with the same colour
// masks and no alpha, which a blit would copy as it is.
bool keepsPixelsOf(const Bmp& bmp, const SDL_PixelFormat& format);

// Writes the part of the picture, whose file is at `bytes`, that starts at
// column x of row y (counted from the top), `width` by `height` pixels, at
// `into`, whose rows are `pitch` bytes apart, in the format. Each pixel gets the colour SDL's
// decoder gives it; a format with an alpha mask gets every pixel opaque.
void convertRows(const Bmp& bmp, const Uint8* bytes, int x, int y, int width, int height,
                 Uint8* into, int pitch, const SDL_PixelFormat& format);

#endif
