#include "Font.h"
#include "Palette.h"
#include "Pictures.h"

using namespace shapes;

namespace {
constexpr int kPlaceholderSize = 32;
constexpr int kCheckerCell = 8;
constexpr int kCursorWidth = 26;
constexpr int kCursorHeight = 4;
constexpr int kToggleWidth = 30;
constexpr int kToggleHeight = 16;
const Color kMagenta = hex(0xFF00FF);
}  // namespace

// Magenta and black squares crossed out: nobody mistakes it for real art.
Canvas noImage() {
    Canvas canvas(kPlaceholderSize, kPlaceholderSize);
    for (int y = 0; y < kPlaceholderSize; ++y)
        for (int x = 0; x < kPlaceholderSize; ++x)
            if ((x / kCheckerCell + y / kCheckerCell) % 2 == 0) canvas.paint(x, y, kMagenta);
    float far = kPlaceholderSize - 2.5f;
    Color cross = hex(0xFFFFFF);
    canvas.fill(
        unite(segment({2.5f, 2.5f}, {far, far}, 1.4f), segment({far, 2.5f}, {2.5f, far}, 1.4f)),
        cross);
    return canvas;
}

// An amber bar, lit along its top edge, with softened ends.
Canvas cursorBar() {
    Canvas canvas(kCursorWidth, kCursorHeight);
    const Color rows[kCursorHeight] = {palette::kAmberLight, palette::kAmber,
                                       palette::kAmber * 0.92f, palette::kAmberDark};
    for (int y = 0; y < kCursorHeight; ++y)
        for (int x = 0; x < kCursorWidth; ++x) {
            bool end = x == 0 || x == kCursorWidth - 1;
            canvas.paint(x, y, rows[y] * (end ? 0.55f : 1.0f));
        }
    return canvas;
}

// A pill switch: off is a grey knob on the left of a dark track, on a white knob on the
// right of a green one.
Canvas toggle(bool on) {
    Canvas canvas(kToggleWidth, kToggleHeight);
    float mid = kToggleHeight / 2.0f;
    float radius = mid - 0.5f;
    Shape track = segment({mid, mid}, {kToggleWidth - mid, mid}, radius);
    Color edge = on ? hex(0x8CF0A0) : hex(0x6A7080);
    Color inside = on ? palette::kSwitchOn : palette::kSwitchOff;
    canvas.fill(track, edge);
    canvas.fill(grown(track, -1.2f), linear({0, 1}, inside * 0.7f, {0, 15}, inside * 1.15f));
    Vec knob{on ? kToggleWidth - mid : mid, mid};
    Color knobLight = on ? hex(0xFFFFFF) : hex(0xB4BAC6);
    canvas.fill(circle(knob, radius - 2),
                radial(knob + Vec{-2, -2}, 8, knobLight, knobLight * 0.6f));
    return canvas;
}

// "SCORE" in the font's letters, amber so it reads as a label next to the white digits.
Canvas scoreLabel() {
    const std::string label = "SCORE";
    Canvas canvas(font::textWidth(label, font::kFileScale), font::kFileHeight);
    Shader ink = linear({0, 1}, palette::kAmberLight, {0, 15}, palette::kAmber);
    font::drawText(canvas, label, 0, font::kFilePadding, font::kFileScale, ink);
    return canvas;
}
