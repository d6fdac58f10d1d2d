#include "Png.h"

#include <zlib.h>

#include <cmath>
#include <string>

namespace {
constexpr uint8_t kRgba = 6;

void putBig32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

// Length, type, data, then the CRC of type and data.
void putChunk(std::vector<uint8_t>& out, const std::string& type,
              const std::vector<uint8_t>& data) {
    putBig32(out, uint32_t(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    putBig32(out, uint32_t(crc32(0, out.data() + start, uInt(out.size() - start))));
}

uint8_t byte(float v) {
    return uint8_t(std::lround(clamp01(v) * 255));
}

// Each row starts with filter type 0; colour is stored straight, not premultiplied.
std::vector<uint8_t> rawRows(const Canvas& canvas) {
    std::vector<uint8_t> raw;
    for (int y = 0; y < canvas.height(); ++y) {
        raw.push_back(0);
        for (int x = 0; x < canvas.width(); ++x) {
            float a = canvas.alpha(x, y);
            Color c = a > 0 ? canvas.color(x, y) * (1 / a) : Color{};
            for (uint8_t v : {byte(c.r), byte(c.g), byte(c.b), byte(a)}) raw.push_back(v);
        }
    }
    return raw;
}

// A zlib stream, as the IDAT chunk holds it. An empty result fails the write.
std::vector<uint8_t> deflated(const std::vector<uint8_t>& raw) {
    uLongf size = compressBound(uLong(raw.size()));
    std::vector<uint8_t> out(size);
    if (compress2(out.data(), &size, raw.data(), uLong(raw.size()), Z_BEST_COMPRESSION) != Z_OK)
        return {};
    out.resize(size);
    return out;
}
}  // namespace

std::vector<uint8_t> encodePng(const Canvas& canvas) {
    std::vector<uint8_t> pixels = deflated(rawRows(canvas));
    if (pixels.empty()) return {};
    std::vector<uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    putBig32(header, uint32_t(canvas.width()));
    putBig32(header, uint32_t(canvas.height()));
    for (uint8_t v : {uint8_t(8), kRgba, uint8_t(0), uint8_t(0), uint8_t(0)}) header.push_back(v);
    putChunk(out, "IHDR", header);
    putChunk(out, "IDAT", pixels);
    putChunk(out, "IEND", {});
    return out;
}
