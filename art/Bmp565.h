#pragma once

#include "Canvas.h"

#include <cstdint>
#include <string>
#include <vector>

// A finished picture in the game's pixel format: 16 bits, 5-6-5, rows top to bottom.
struct Image565 {
    int width = 0;
    int height = 0;
    std::vector<uint16_t> pixels;

    uint16_t at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// Reducing a drawing to 5-6-5; the ordered dither keeps gradients free of bands.
Image565 dither(const Canvas& canvas);

// Cutting and turning finished pictures; turning is by quarter turns, so no pixel changes.
Image565 crop(const Image565& image, int x, int y, int width, int height);
Image565 turnLeft(const Image565& image);
Image565 turnRight(const Image565& image);
Image565 turnAround(const Image565& image);

// A Windows BMP with BI_BITFIELDS masks R 0xF800, G 0x07E0, B 0x001F.
std::vector<uint8_t> encodeBmp565(const Image565& image);
bool writeBmp565(const Image565& image, const std::string& path);
bool writeFile(const std::vector<uint8_t>& bytes, const std::string& path);
