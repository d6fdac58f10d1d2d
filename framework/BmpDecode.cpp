#include "BmpDecode.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Where a BMP file keeps what is read here: the file header's signature and
// pixel offset, then the information header. The old 12-byte header holds
// the sizes in 16 bits, every later one in 32 bits, followed by the depth,
// the compression and, further on, the number of palette entries. Colour
// masks follow the 40-byte header, or are part of any longer one.
const int kPixelOffsetAt = 10;
const int kInfoSizeAt = 14;
const int kSizesAt = 18;
const Uint32 kCoreInfoSize = 12;
const Uint32 kInfoSize = 40;
const int kCoreBitsPerPixelAt = 24;
const int kBitsPerPixelAt = 28;
const int kCompressionAt = 30;
const int kColoursUsedAt = 46;
const int kMasksAt = 54;
const Uint32 kMaskBytes = 12;
// Headers from the fourth version on hold an alpha mask after the others.
const int kAlphaMaskAt = 66;
const Uint32 kHeaderWithAlpha = 56;

const Uint32 kUncompressed = 0;
const Uint32 kBitFields = 3;

// SDL's words for the same faults.
const char* const kReadError = "Error reading from datastream";
const char* const kNotBmp = "File is not a Windows BMP file";

// The fields of a BMP file read the way SDL reads them: little-endian, and
// bytes past the end of a short file read as zero, so a file cut off in the
// middle of its header claims what SDL will believe it claims.
class Fields {
public:
    // Only the first `inMemory` of the file's `length` bytes may be at hand.
    Fields(const Uint8* bytes, std::size_t length, std::size_t inMemory)
        : bytes(bytes), length(std::min(length, inMemory)) {}
    Fields(const Uint8* bytes, std::size_t length) : Fields(bytes, length, length) {}

    Uint32 at(std::size_t where, int size) const {
        Uint32 value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = (value << 8) | (where + i < length ? bytes[where + i] : 0);
        return value;
    }

    bool isCore() const { return at(kInfoSizeAt, 4) == kCoreInfoSize; }
    long long width() const { return size(kSizesAt); }
    // Negative for rows stored top down.
    long long height() const { return size(kSizesAt + (isCore() ? 2 : 4)); }
    int bitsPerPixel() const {
        return static_cast<int>(at(isCore() ? kCoreBitsPerPixelAt : kBitsPerPixelAt, 2));
    }
    Uint32 compression() const { return isCore() ? kUncompressed : at(kCompressionAt, 4); }

private:
    // The old header's sizes are 16 bits without a sign.
    long long size(std::size_t where) const {
        if (isCore()) return at(where, 2);
        return static_cast<Sint32>(at(where, 4));
    }

    const Uint8* bytes;
    const std::size_t length;
};

// One colour channel of a pixel value: where its bits are and how many.
class Channel {
public:
    explicit Channel(Uint32 mask) : mask(mask), shift(0), bits(0) {
        if (mask == 0) return;
        while (!((mask >> shift) & 1)) ++shift;
        while (bits + shift < 32 && ((mask >> (shift + bits)) & 1)) ++bits;
    }

    // The channel as 8 bits, scaled as SDL scales it: full intensity stays
    // full, and the rest rounds down.
    Uint32 widen(Uint32 pixel) const {
        if (bits == 0) return 0;
        const Uint32 value = (pixel & mask) >> shift;
        if (bits >= 8) return value >> (bits - 8);
        return value * 255 / ((1u << bits) - 1);
    }

    // 8 bits of a channel put in place, keeping the high ones.
    Uint32 narrow(Uint32 eightBits) const {
        if (bits == 0) return 0;
        return (bits >= 8 ? eightBits << (bits - 8) : eightBits >> (8 - bits)) << shift;
    }

private:
    Uint32 mask;
    int shift;
    int bits;
};

// The colour masks of the file's pixels: its own, or SDL's for the depth.
void sourceMasks(const Fields& fields, int bitsPerPixel, Uint32 masks[3]) {
    if (fields.compression() == kBitFields) {
        for (int i = 0; i < 3; ++i) masks[i] = fields.at(kMasksAt + 4 * i, 4);
    } else if (bitsPerPixel == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    } else {
        masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
    }
}

// The first fault SDL would find with the header, in the order SDL looks;
// null when there is none.
const char* headerFault(const Fields& fields, std::size_t length) {
    static char message[64];
    if (length < 2) return kReadError;
    if (fields.at(0, 1) != 'B' || fields.at(1, 1) != 'M') return kNotBmp;
    if (fields.width() <= 0 || fields.height() == 0) {
        std::snprintf(message, sizeof message, "BMP file with bad dimensions (%lldx%lld)",
                      fields.width(), fields.height());
        return message;
    }
    const Uint32 infoSize = fields.at(kInfoSizeAt, 4);
    const Uint32 compression = fields.compression();
    // Counted wide: the header may claim any size, and a page's sizes are 32 bits.
    const unsigned long long headerEnd =
        static_cast<unsigned long long>(kInfoSizeAt) + std::max(infoSize, kCoreInfoSize) +
        (compression == kBitFields && infoSize == kInfoSize ? kMaskBytes : 0);
    if (length < headerEnd) return kReadError;
    if (compression != kUncompressed && compression != kBitFields)
        return "Compressed BMP files not supported";
    const int depth = fields.bitsPerPixel();
    if ((depth != 16 && depth != 24 && depth != 32) || (compression == kBitFields && depth == 24)) {
        std::snprintf(message, sizeof message, "BMP files of %d bits a pixel not supported", depth);
        return message;
    }
    return nullptr;
}

// Turns the file's pixel values into those of a surface's format.
class Converter {
public:
    Converter(const Uint32 masks[3], const SDL_PixelFormat& format)
        : from{Channel(masks[0]), Channel(masks[1]), Channel(masks[2])}, to{Channel(format.Rmask),
                                                                            Channel(format.Gmask),
                                                                            Channel(format.Bmask)},
          opaque(format.Amask) {}

    Uint32 operator()(Uint32 pixel) const {
        return to[0].narrow(from[0].widen(pixel)) | to[1].narrow(from[1].widen(pixel)) |
               to[2].narrow(from[2].widen(pixel)) | opaque;
    }

private:
    Channel from[3];
    Channel to[3];
    Uint32 opaque;
};

// Every value a 16-bit pixel can hold, converted once and kept for the next
// picture with the same masks and format. The game's pictures all share
// theirs, so a picture read every frame costs one look-up a pixel.
const std::vector<Uint32>& tableOf16Bits(const Uint32 masks[3], const SDL_PixelFormat& format) {
    static std::vector<Uint32> table;
    static Uint32 madeFor[7];
    const Uint32 key[7] = {masks[0],     masks[1],     masks[2],    format.Rmask,
                           format.Gmask, format.Bmask, format.Amask};
    if (table.empty() || !std::equal(key, key + 7, madeFor)) {
        const Converter convert(masks, format);
        table.resize(1u << 16);
        for (Uint32 value = 0; value < table.size(); ++value) table[value] = convert(value);
        std::copy(key, key + 7, madeFor);
    }
    return table;
}

// Reads a little-endian value of `size` bytes, and writes one.
Uint32 readValue(const Uint8* at, int size) {
    Uint32 value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | at[i];
    return value;
}

void writeValue(Uint8* at, int size, Uint32 value) {
    if (size == 4) {
        std::memcpy(at, &value, 4);
        return;
    }
    for (int i = 0; i < size; ++i) at[i] = static_cast<Uint8>(value >> (8 * i));
}

// One row of pixels from the file into the surface, through `convert`.
template <typename Convert>
void convertRow(const Uint8* source, int fromSize, Uint8* target, int toSize, long long width,
                const Convert& convert) {
    for (long long x = 0; x < width; ++x, source += fromSize, target += toSize)
        writeValue(target, toSize, convert(readValue(source, fromSize)));
}

// Where the pixel rows of a picture are, from a header found sound.
struct Rows {
    long long width;
    long long height;
    long long bytes;
    std::size_t offset;
    bool bottomUp;
    int depth;
    Uint32 masks[3];
};

// False, with SDL's error set, for a file this decoder can't read; of the
// file's `length` bytes, only the first `inMemory` may be at hand.
bool findRows(const Uint8* bytes, std::size_t length, Rows& rows, std::size_t inMemory) {
    const Fields fields(bytes, length, inMemory);
    if (const char* fault = headerFault(fields, length)) {
        SDL_SetError("%s", fault);
        return false;
    }
    rows.depth = fields.bitsPerPixel();
    rows.width = fields.width();
    rows.height = std::llabs(fields.height());
    rows.bytes = (rows.width * rows.depth + 31) / 32 * 4;
    rows.offset = fields.at(kPixelOffsetAt, 4);
    rows.bottomUp = fields.height() > 0;
    sourceMasks(fields, rows.depth, rows.masks);
    // Every row is there, padding and all, before anything is made for them
    // (asked by division: a product of claimed sizes may not fit).
    if (rows.offset > length ||
        rows.bytes > static_cast<long long>(length - rows.offset) / rows.height) {
        SDL_SetError("%s", kReadError);
        return false;
    }
    return true;
}

bool findRows(const Uint8* bytes, std::size_t length, Rows& rows) {
    return findRows(bytes, length, rows, length);
}

// Whether a picture holds the format's own pixel values, and where its rows are.
bool holdsPixels(const Uint8* bytes, std::size_t length, const SDL_PixelFormat& format,
                 std::size_t inMemory, Rows& rows) {
    const Fields fields(bytes, length, inMemory);
    // A picture with an alpha mask is blended, and any other format converted.
    return fields.compression() == kBitFields && fields.bitsPerPixel() == 16 &&
           format.BitsPerPixel == 16 &&
           !(fields.at(kInfoSizeAt, 4) >= kHeaderWithAlpha && fields.at(kAlphaMaskAt, 4) != 0) &&
           findRows(bytes, length, rows, inMemory) && rows.masks[0] == format.Rmask &&
           rows.masks[1] == format.Gmask && rows.masks[2] == format.Bmask;
}

// The part of a picture that lands on the target at (x, y), clipped as SDL
// clips a blit; false when none does.
bool clip(const Rows& rows, const SDL_Surface& target, Sint16 x, Sint16 y, SDL_Rect& drawn) {
    const SDL_Rect& clip = target.clip_rect;
    const long long left = std::max<long long>(x, clip.x);
    const long long top = std::max<long long>(y, clip.y);
    const long long right = std::min<long long>(x + rows.width, clip.x + clip.w);
    const long long bottom = std::min<long long>(y + rows.height, clip.y + clip.h);
    drawn = {static_cast<Sint16>(left), static_cast<Sint16>(top), 0, 0};
    if (right <= left || bottom <= top) return false;
    drawn.w = static_cast<Uint16>(right - left);
    drawn.h = static_cast<Uint16>(bottom - top);
    return true;
}

// Where a row of the picture, counted from the top, starts in the file.
std::size_t rowStart(const Rows& rows, long long row) {
    return rows.offset + rows.bytes * (rows.bottomUp ? rows.height - 1 - row : row);
}

}  // namespace

// A header that claims more pixels than any picture has is damaged, and SDL
// would allocate and clear room for all of them (gigabytes, from a 54-byte
// file) before finding the pixels missing.
bool claimsSensibleSizes(const Uint8* bytes, std::size_t length) {
    const Fields fields(bytes, length);
    if (std::llabs(fields.width()) * std::llabs(fields.height()) > kMaxPicturePixels) {
        SDL_SetError("BMP header claims more than %lld pixels", kMaxPicturePixels);
        return false;
    }
    // More palette entries than an indexed picture's depth can index; SDL
    // makes room for every one it is told of, up to gigabytes.
    const int depth = static_cast<int>(fields.at(kBitsPerPixelAt, 2));
    if (!fields.isCore() && depth <= 8 && fields.at(kColoursUsedAt, 4) > (1u << depth)) {
        SDL_SetError("BMP header claims more colours than its depth holds");
        return false;
    }
    return true;
}

bool bmpSize(const Uint8* bytes, std::size_t length, int& width, int& height) {
    Rows rows;
    if (!findRows(bytes, length, rows)) return false;
    width = static_cast<int>(rows.width);
    height = static_cast<int>(rows.height);
    return true;
}

void writeBmpPixels(const Uint8* bytes, std::size_t length, SDL_Surface* surface) {
    Rows rows;
    if (!findRows(bytes, length, rows)) return;
    const Converter convert(rows.masks, *surface->format);
    const std::vector<Uint32>* table =
        rows.depth == 16 ? &tableOf16Bits(rows.masks, *surface->format) : nullptr;
    const auto lookUp = [table](Uint32 pixel) { return (*table)[pixel]; };
    const int toSize = surface->format->BytesPerPixel;
    const long long width = std::min<long long>(rows.width, surface->w);
    const long long height = std::min<long long>(rows.height, surface->h);
    for (long long y = 0; y < height; ++y) {
        const long long row = rows.bottomUp ? rows.height - 1 - y : y;
        const Uint8* source = bytes + rows.offset + rows.bytes * row;
        Uint8* target = static_cast<Uint8*>(surface->pixels) + surface->pitch * y;
        if (table)
            convertRow(source, 2, target, toSize, width, lookUp);
        else
            convertRow(source, rows.depth / 8, target, toSize, width, convert);
    }
}

SDL_Surface* decodeBmp(const Uint8* bytes, std::size_t length, const PixelLayout& layout) {
    int width = 0;
    int height = 0;
    if (!bmpSize(bytes, length, width, height)) return nullptr;
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, layout.bitsPerPixel, layout.red,
                             layout.green, layout.blue, layout.alpha);
    if (!surface) return nullptr;
    SDL_LockSurface(surface);
    writeBmpPixels(bytes, length, surface);
    SDL_UnlockSurface(surface);
    return surface;
}

bool holdsPixelsOf(const Uint8* bytes, std::size_t length, const SDL_PixelFormat& format) {
    Rows rows;
    return holdsPixels(bytes, length, format, length, rows);
}

bool copyBmpRows(const Uint8* bytes, std::size_t length, SDL_Surface* target, Sint16 x, Sint16 y,
                 SDL_Rect& drawn) {
    Rows rows;
    if (!holdsPixels(bytes, length, *target->format, length, rows)) return false;
    if (!clip(rows, *target, x, y, drawn)) return true;
    if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) < 0) return false;
    for (long long row = drawn.y - y; row < drawn.y + drawn.h - y; ++row)
        std::memcpy(static_cast<Uint8*>(target->pixels) + target->pitch * (row + y) + 2 * drawn.x,
                    bytes + rowStart(rows, row) + 2 * (drawn.x - x), 2 * drawn.w);
    if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
    return true;
}

bool placeBmpRows(const Uint8* head, std::size_t length, SDL_Surface* target, Sint16 x, Sint16 y,
                  std::vector<FileRun>& runs, SDL_Rect& drawn) {
    Rows rows;
    runs.clear();
    if (!holdsPixels(head, length, *target->format, kBmpHeadBytes, rows) ||
        rows.bytes != 2 * rows.width)
        return false;
    if (!clip(rows, *target, x, y, drawn)) return true;
    if (drawn.w != rows.width) return false;
    // A picture stored bottom up has its last row first.
    const long long top = drawn.y - y;
    const long long bottom = top + drawn.h - 1;
    for (long long i = 0; i < drawn.h; ++i) {
        const long long row = rows.bottomUp ? bottom - i : top + i;
        runs.push_back(
            {rowStart(rows, row),
             static_cast<Uint8*>(target->pixels) + target->pitch * (row + y) + 2 * drawn.x,
             2 * static_cast<std::size_t>(drawn.w)});
    }
    return true;
}
