#include "Bmp.h"

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
    Fields(const Uint8* bytes, std::size_t length) : bytes(bytes), length(length) {}

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

// The sizes' fault, or null.
const char* sizeFault(const Fields& fields) {
    static char message[64];
    if (std::llabs(fields.width()) * std::llabs(fields.height()) > kMaxPicturePixels) {
        std::snprintf(message, sizeof message, "BMP header claims more than %lld pixels",
                      kMaxPicturePixels);
        return message;
    }
    // An indexed picture's depth, read as the longer headers keep it.
    const int depth = static_cast<int>(fields.at(kBitsPerPixelAt, 2));
    if (!fields.isCore() && depth <= 8 && fields.at(kColoursUsedAt, 4) > (1u << depth))
        return "BMP header claims more colours than its depth holds";
    return nullptr;
}

// The first fault with the header that this reader finds, in the order SDL
// looks and in SDL's words where SDL would refuse the file too; compressed
// and indexed pictures, which SDL reads and this reader doesn't, get words
// of their own. Null when there is none.
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

// The colour masks of the file's pixels: its own, or SDL's for the depth.
void readMasks(const Fields& fields, Bmp& bmp) {
    if (fields.compression() == kBitFields) {
        bmp.red = fields.at(kMasksAt, 4);
        bmp.green = fields.at(kMasksAt + 4, 4);
        bmp.blue = fields.at(kMasksAt + 8, 4);
        if (fields.at(kInfoSizeAt, 4) >= kHeaderWithAlpha) bmp.alpha = fields.at(kAlphaMaskAt, 4);
    } else if (bmp.bitsPerPixel == 16) {
        bmp.red = 0x7C00, bmp.green = 0x03E0, bmp.blue = 0x001F;
    } else {
        bmp.red = 0xFF0000, bmp.green = 0x00FF00, bmp.blue = 0x0000FF;
    }
}

// One colour channel of a pixel value: where its bits are and how many.
class Channel {
public:
    explicit Channel(Uint32 mask) : mask(mask), shift(0), bits(0) {
        if (mask == 0) return;
        while (!((mask >> shift) & 1)) ++shift;
        while (bits + shift < 32 && ((mask >> (shift + bits)) & 1)) ++bits;
    }

    // The channel as 8 bits, scaled as SDL's blits scale it: full intensity
    // stays full, and the rest rounds down.
    Uint32 widen(Uint32 pixel) const {
        if (bits == 0) return 0;
        const Uint32 value = (pixel & mask) >> shift;
        if (bits >= 8) return value >> (bits - 8);
        return value * 255 / ((1u << bits) - 1);
    }

    // 8 bits of a channel put in place, keeping the high ones.
    Uint32 narrow(Uint32 eightBits) const {
        return (bits >= 8 ? eightBits << (bits - 8) : eightBits >> (8 - bits)) << shift;
    }

private:
    Uint32 mask;
    int shift;
    int bits;
};

// Turns the file's pixel values into those of a surface's format.
class Converter {
public:
    Converter(const Bmp& bmp, const SDL_PixelFormat& format)
        : from{Channel(bmp.red), Channel(bmp.green), Channel(bmp.blue)}, to{Channel(format.Rmask),
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
// theirs, so a picture drawn every frame costs one look-up a pixel.
const std::vector<Uint32>& tableOf16Bits(const Bmp& bmp, const SDL_PixelFormat& format) {
    static std::vector<Uint32> table;
    static Uint32 madeFor[7];
    const Uint32 key[7] = {bmp.red,      bmp.green,    bmp.blue,    format.Rmask,
                           format.Gmask, format.Bmask, format.Amask};
    if (table.empty() || !std::equal(key, key + 7, madeFor)) {
        const Converter convert(bmp, format);
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
    for (int i = 0; i < size; ++i) at[i] = static_cast<Uint8>(value >> (8 * i));
}

// Each pixel of a block through `convert`. The sizes are known when the
// compiler sees them, so it can make each pixel one load and one store.
template <int fromSize, int toSize, typename Convert>
void convertEach(const Uint8* from, long step, Uint8* into, int pitch, int width, int height,
                 const Convert& convert) {
    for (int y = 0; y < height; ++y, from += step, into += pitch)
        for (int x = 0; x < width; ++x)
            writeValue(into + x * toSize, toSize,
                       convert(readValue(from + x * fromSize, fromSize)));
}

// The same into the 32-bit pixels of a page's canvas or a composing surface,
// or the 16-bit ones of the game's display; no other surface is drawn on.
template <int fromSize, typename Convert>
void convertTo(int toSize, const Uint8* from, long step, Uint8* into, int pitch, int width,
               int height, const Convert& convert) {
    if (toSize == 4) convertEach<fromSize, 4>(from, step, into, pitch, width, height, convert);
    if (toSize == 2) convertEach<fromSize, 2>(from, step, into, pitch, width, height, convert);
}

}  // namespace

BmpParse parseBmp(const Uint8* bytes, std::size_t length, Bmp& bmp) {
    const Fields fields(bytes, std::min(length, kBmpHeadBytes));
    if (const char* fault = sizeFault(fields)) {
        SDL_SetError("%s", fault);
        return BmpParse::Absurd;
    }
    if (const char* fault = headerFault(fields, length)) {
        SDL_SetError("%s", fault);
        return BmpParse::NotRead;
    }
    const long long width = fields.width();
    const long long height = std::llabs(fields.height());
    const int depth = fields.bitsPerPixel();
    const long long rowBytes = (width * depth + 31) / 32 * 4;
    const std::size_t offset = fields.at(kPixelOffsetAt, 4);
    // Every row is there, padding and all (asked by division: a product of
    // claimed sizes may not fit).
    if (offset > length || rowBytes > static_cast<long long>(length - offset) / height) {
        SDL_SetError("%s", kReadError);
        return BmpParse::NotRead;
    }
    bmp = Bmp();
    bmp.width = static_cast<int>(width);
    bmp.height = static_cast<int>(height);
    bmp.bitsPerPixel = depth;
    readMasks(fields, bmp);
    const bool bottomUp = fields.height() > 0;
    bmp.top = static_cast<long>(offset + (bottomUp ? rowBytes * (height - 1) : 0));
    bmp.step = static_cast<long>(bottomUp ? -rowBytes : rowBytes);
    return BmpParse::Parsed;
}

bool keepsPixelsOf(const Bmp& bmp, const SDL_PixelFormat& format) {
    return bmp.bitsPerPixel == 16 && format.BitsPerPixel == 16 && bmp.alpha == 0 &&
           format.Amask == 0 && bmp.red == format.Rmask && bmp.green == format.Gmask &&
           bmp.blue == format.Bmask;
}

void convertRows(const Bmp& bmp, const Uint8* bytes, int x, int y, int width, int height,
                 Uint8* into, int pitch, const SDL_PixelFormat& format) {
    const int fromSize = bmp.bitsPerPixel / 8;
    const Uint8* from = bytes + bmp.top + bmp.step * y + fromSize * x;
    if (keepsPixelsOf(bmp, format)) {
        for (int row = 0; row < height; ++row, from += bmp.step, into += pitch)
            std::memcpy(into, from, 2 * static_cast<std::size_t>(width));
    } else if (fromSize == 2) {
        const Uint32* table = tableOf16Bits(bmp, format).data();
        convertTo<2>(format.BytesPerPixel, from, bmp.step, into, pitch, width, height,
                     [table](Uint32 pixel) { return table[pixel]; });
    } else if (fromSize == 3) {
        convertTo<3>(format.BytesPerPixel, from, bmp.step, into, pitch, width, height,
                     Converter(bmp, format));
    } else {
        convertTo<4>(format.BytesPerPixel, from, bmp.step, into, pitch, width, height,
                     Converter(bmp, format));
    }
}
