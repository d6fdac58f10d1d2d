#include "Png.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace {
constexpr size_t kStoredBlockMax = 65535;
constexpr uint8_t kRgba = 6;
constexpr uint32_t kAdlerModulus = 65521;

uint32_t crc32(const uint8_t* data, size_t size)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i)
        c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

uint32_t adler32(const std::vector<uint8_t>& data)
{
    uint32_t a = 1;
    uint32_t b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % kAdlerModulus;
        b = (b + a) % kAdlerModulus;
    }
    return b << 16 | a;
}

void putBig32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(v >> shift));
}

void putChunk(std::vector<uint8_t>& out, const std::string& type, const std::vector<uint8_t>& data)
{
    putBig32(out, uint32_t(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    putBig32(out, crc32(out.data() + start, out.size() - start));
}

uint8_t byte(float v) { return uint8_t(std::lround(clamp01(v) * 255)); }

// Each row starts with filter type 0; colour is stored straight, not premultiplied.
std::vector<uint8_t> rawRows(const Canvas& canvas)
{
    std::vector<uint8_t> raw;
    for (int y = 0; y < canvas.height(); ++y) {
        raw.push_back(0);
        for (int x = 0; x < canvas.width(); ++x) {
            float a = canvas.alpha(x, y);
            Color c = a > 0 ? canvas.color(x, y) * (1 / a) : Color{};
            for (uint8_t v : {byte(c.r), byte(c.g), byte(c.b), byte(a)})
                raw.push_back(v);
        }
    }
    return raw;
}

std::vector<uint8_t> zlibStored(const std::vector<uint8_t>& raw)
{
    std::vector<uint8_t> out{0x78, 0x01};
    size_t pos = 0;
    do {
        size_t size = std::min(kStoredBlockMax, raw.size() - pos);
        bool last = pos + size == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(uint8_t(size));
        out.push_back(uint8_t(size >> 8));
        out.push_back(uint8_t(~size));
        out.push_back(uint8_t(~size >> 8));
        out.insert(out.end(), raw.begin() + pos, raw.begin() + pos + size);
        pos += size;
    } while (pos < raw.size());
    putBig32(out, adler32(raw));
    return out;
}
}  // namespace

std::vector<uint8_t> encodePng(const Canvas& canvas)
{
    std::vector<uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    putBig32(header, uint32_t(canvas.width()));
    putBig32(header, uint32_t(canvas.height()));
    for (uint8_t v : {uint8_t(8), kRgba, uint8_t(0), uint8_t(0), uint8_t(0)})
        header.push_back(v);
    putChunk(out, "IHDR", header);
    putChunk(out, "IDAT", zlibStored(rawRows(canvas)));
    putChunk(out, "IEND", {});
    return out;
}
