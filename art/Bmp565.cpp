#include "Bmp565.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace {
constexpr int kRedLevels = 31;
constexpr int kGreenLevels = 63;
constexpr int kBlueLevels = 31;

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kMaskBytes = 12;
constexpr uint32_t kBitfields = 3;
constexpr uint16_t kBitsPerPixel = 16;
constexpr uint32_t kPixelsPerMetre = 2835;  // 72 dpi

// The classic 4x4 Bayer matrix, thresholds 0..15.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

int quantise(float value, int levels, float threshold) {
    int level = int(std::floor(value * levels + threshold + 0.5f));
    return std::min(levels, std::max(0, level));
}

uint16_t pack(Color c, float threshold) {
    return uint16_t(quantise(c.r, kRedLevels, threshold) << 11 |
                    quantise(c.g, kGreenLevels, threshold) << 5 |
                    quantise(c.b, kBlueLevels, threshold));
}

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

Image565 blank(int width, int height) {
    return {width, height, std::vector<uint16_t>(size_t(width) * height)};
}

// A turned copy: `source` says which pixel of the original lands at (x, y).
template <typename Source>
Image565 turned(const Image565& image, Source source) {
    Image565 out = blank(image.height, image.width);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) out.pixels[size_t(y) * out.width + x] = source(x, y);
    return out;
}
}  // namespace

Image565 dither(const Canvas& canvas) {
    Image565 out = blank(canvas.width(), canvas.height());
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            float threshold = (kBayer[y % 4][x % 4] + 0.5f) / 16 - 0.5f;
            out.pixels[size_t(y) * out.width + x] = pack(canvas.color(x, y), threshold);
        }
    return out;
}

Image565 crop(const Image565& image, int x, int y, int width, int height) {
    Image565 out = blank(width, height);
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i) out.pixels[size_t(j) * width + i] = image.at(x + i, y + j);
    return out;
}

Image565 turnLeft(const Image565& image) {
    return turned(image, [&](int x, int y) { return image.at(image.width - 1 - y, x); });
}

Image565 turnRight(const Image565& image) {
    return turned(image, [&](int x, int y) { return image.at(y, image.height - 1 - x); });
}

Image565 turnAround(const Image565& image) {
    Image565 out = blank(image.width, image.height);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            out.pixels[size_t(y) * image.width + x] =
                image.at(image.width - 1 - x, image.height - 1 - y);
    return out;
}

// Bottom-up rows, each padded to a multiple of four bytes.
std::vector<uint8_t> encodeBmp565(const Image565& image) {
    uint32_t rowBytes = (uint32_t(image.width) * 2 + 3) & ~3u;
    uint32_t dataSize = rowBytes * image.height;
    uint32_t offset = kFileHeaderSize + kInfoHeaderSize + kMaskBytes;

    std::vector<uint8_t> out{'B', 'M'};
    put32(out, offset + dataSize);
    put32(out, 0);
    put32(out, offset);

    put32(out, kInfoHeaderSize);
    put32(out, uint32_t(image.width));
    put32(out, uint32_t(image.height));
    put16(out, 1);
    put16(out, kBitsPerPixel);
    put32(out, kBitfields);
    put32(out, dataSize);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0xF800);
    put32(out, 0x07E0);
    put32(out, 0x001F);

    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) put16(out, image.at(x, y));
        out.resize(out.size() + rowBytes - image.width * 2, 0);
    }
    return out;
}

bool writeBmp565(const Image565& image, const std::string& path) {
    return writeFile(encodeBmp565(image), path);
}

bool writeFile(const std::vector<uint8_t>& bytes, const std::string& path) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file);
}
