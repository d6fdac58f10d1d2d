#include "Font.h"
#include "Noise.h"
#include "Palette.h"
#include "Pictures.h"

#include <cmath>

using namespace shapes;

namespace {
constexpr int kPage = 512;
constexpr uint32_t kTitleSeed = 77;

// Where the game puts the menu cursor: label rows, and label starts just right of the bar.
constexpr int kRows[] = {326, 369, 413};
constexpr int kBackRow = 480;
constexpr int kMainLabelX = 240;
constexpr int kPageLabelX = 146;
constexpr int kBackLabelX = 84;
constexpr int kLabelScale = 3;

// Where the game draws the option switches, centred on their rows: no star may show there.
constexpr float kSwitchHalfWidth = 15;
constexpr float kSwitchHalfHeight = 8;
const Vec kSwitchCentres[] = {{370, 326}, {400, 413}};

// The logo: capitals this tall, strokes this thick, centred across the page.
constexpr float kLogoTop = 132;
constexpr float kLogoHeight = 64;
constexpr float kLogoStroke = 6.2f;
constexpr float kLogoGap = 0.25f;  // between letters, in letter heights

// A letter of the logo: its width and centre lines, in letter heights.
struct Letter {
    float width;
    std::vector<std::vector<Vec>> strokes;
};

std::vector<Vec> join(std::vector<Vec> a, const std::vector<Vec>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<Letter> logoLetters() {
    auto bowl = [](float x, float top, float bottom) {
        float r = (bottom - top) / 2;
        return join(join({{0, top}}, arc({x, top + r}, r, r, -90, 90, 16)), {{0, bottom}});
    };
    return {
        {0.72f, {arc({0.36f, 0.5f}, 0.36f, 0.5f, 0, 360, 48)}},
        {0.56f, {{{0, 1}, {0, 0}}, bowl(0.3f, 0, 0.52f), {{0.26f, 0.52f}, {0.56f, 1}}}},
        {0.58f, {{{0, 1}, {0, 0}}, bowl(0.27f, 0, 0.47f), bowl(0.31f, 0.47f, 1)}},
        {0.0f, {{{0, 0}, {0, 1}}}},
        {0.6f, {{{0, 0}, {0.6f, 0}}, {{0.3f, 0}, {0.3f, 1}}}},
        {0.66f, {{{0, 1}, {0.33f, 0}, {0.66f, 1}}, {{0.13f, 0.66f}, {0.53f, 0.66f}}}},
        {0.56f, {{{0, 1}, {0, 0}, {0.56f, 1}, {0.56f, 0}}}},
        {0.5f, {{{0.5f, 0}, {0, 0}, {0, 1}, {0.5f, 1}}, {{0, 0.5f}, {0.4f, 0.5f}}}},
    };
}

// The whole word as one shape, laid out from the centre of the page.
Shape logoShape() {
    std::vector<Letter> letters = logoLetters();
    float width = -kLogoGap;
    for (const Letter& l : letters) width += l.width + kLogoGap;
    float x = kPage / 2.0f - width * kLogoHeight / 2;
    Shape word = [](Vec) { return 1e9f; };
    for (const Letter& letter : letters) {
        for (const auto& line : letter.strokes) {
            std::vector<Vec> placed;
            for (Vec v : line)
                placed.push_back({x + v.x * kLogoHeight, kLogoTop + v.y * kLogoHeight});
            word = unite(word, stroke(placed, kLogoStroke));
        }
        x += (letter.width + kLogoGap) * kLogoHeight;
    }
    return word;
}

// Sunlit from above: pale gold over orange, a hard horizon at mid height, red below.
Color logoInk(Vec p) {
    float v = (p.y - kLogoTop) / kLogoHeight;
    if (v < 0.5f) return mix(hex(0xFFFBE6), hex(0xFFC24A), smoothstep(-0.1f, 0.5f, v));
    return mix(hex(0xFF8424), hex(0xC8281A), smoothstep(0.5f, 1.1f, v));
}

void drawLogo(Canvas& canvas) {
    Box area{0, int(kLogoTop - 20), kPage, int(kLogoTop + kLogoHeight + 24)};
    Shape word = cached(logoShape(), area);
    for (int depth = 6; depth >= 1; --depth) {
        Shape shifted = [word, depth](Vec p) { return word(p - Vec{0.5f * depth, float(depth)}); };
        canvas.fill(shifted, mix(hex(0x5A1A2A), hex(0x1A0C28), depth / 6.0f), area);
    }
    canvas.fill(word, logoInk, area);
    Shape highlight = subtract(word, [word](Vec p) { return word(p + Vec{0, -1.5f}); });
    canvas.fill(intersect(highlight, [](Vec p) { return p.y - (kLogoTop + kLogoHeight * 0.5f); }),
                hex(0xFFFFFF) * 0.85f, area);
}

// An orbit swept around the logo: the far side behind the letters, the near side in front.
const Placement kOrbit{{256, 168}, -7, 1};
constexpr float kOrbitRx = 246;
constexpr float kOrbitRy = 44;

void drawOrbit(Canvas& canvas, bool nearSide) {
    Shape ring = kOrbit.place(subtract(ellipse({0, 0}, kOrbitRx + 1, kOrbitRy + 1),
                                       ellipse({0, 0}, kOrbitRx - 1, kOrbitRy - 1)));
    Shape side = kOrbit.place(Shape([nearSide](Vec p) { return nearSide ? -p.y : p.y; }));
    Shader shade = kOrbit.place(Shader([](Vec p) {
        float fade = clamp01(1.1f - std::fabs(p.x) / kOrbitRx);
        return mix(palette::kAmberDark * 0.4f, palette::kAmber, fade * fade);
    }));
    Box band{0, int(kOrbit.centre.y - 2 * kOrbitRy), kPage, int(kOrbit.centre.y + 2 * kOrbitRy)};
    canvas.fill(intersect(ring, side), shade, band);
}

void drawOrbitingShip(Canvas& canvas) {
    float a = 2.05f;
    Vec local{kOrbitRx * std::cos(a), kOrbitRy * std::sin(a)};
    Vec tangent{-kOrbitRx * std::sin(a), kOrbitRy * std::cos(a)};
    float heading = std::atan2(tangent.y, tangent.x) / kDegToRad + kOrbit.degrees + 180;
    drawShip(canvas, {kOrbit.toWorld(local), heading, 0.5f});
}

Shape switchSpots() {
    Shape spots = [](Vec) { return 1e9f; };
    for (Vec c : kSwitchCentres)
        spots = unite(spots, grown(rectangle(c.x - kSwitchHalfWidth, c.y - kSwitchHalfHeight,
                                             c.x + kSwitchHalfWidth, c.y + kSwitchHalfHeight),
                                   3));
    return spots;
}

// The nebula and most stars stay above the menu, so labels and switches sit on black.
void drawBackdrop(Canvas& canvas) {
    constexpr float kMenuTop = 280;
    drawNebula(canvas, kTitleSeed,
               [](Vec p) { return 0.35f * (1 - smoothstep(120, kMenuTop, p.y)); });
    drawStars(canvas, kTitleSeed, 1.3f, [](Vec p) { return kMenuTop - p.y; });
    drawStars(canvas, kTitleSeed + 1, 0.5f,
              unite([](Vec p) { return p.y - kMenuTop; }, switchSpots()));
    drawPlanet(canvas, {418, 70}, 46, -20);
    canvas.glow({72, 62}, 2.5f, palette::kSunBody * 0.6f);
    canvas.glow({72, 62}, 1, palette::kSunCore);
}

void drawTagline(Canvas& canvas) {
    const std::string tagline = "SPACE  COMBAT";
    int x = (kPage - font::textWidth(tagline, 2)) / 2;
    font::drawText(canvas, tagline, x, 244, 2, [](Vec) { return hex(0x8C9ABC); });
}

Canvas drawTitleBase() {
    Canvas canvas(kPage, kPage);
    drawBackdrop(canvas);
    drawOrbit(canvas, false);
    drawLogo(canvas);
    drawOrbit(canvas, true);
    drawOrbitingShip(canvas);
    drawTagline(canvas);
    return canvas;
}

// Every page shares the same backdrop and logo; draw them once.
Canvas titleBase() {
    static const Canvas base = drawTitleBase();
    return base;
}

// A menu label at scale 3, vertically centred on its cursor row, with a dark drop shadow.
void drawLabel(Canvas& canvas, const std::string& text, int x, int row) {
    int top = row - (font::kCapRows * kLabelScale) / 2;
    font::drawText(canvas, text, x + 2, top + 2, kLabelScale,
                   [](Vec) { return palette::kTextShadow; });
    Shader ink = linear({0, float(top)}, palette::kText, {0, float(top + 21)}, palette::kTextWarm);
    font::drawText(canvas, text, x, top, kLabelScale, ink);
}

// A row of dim dashes for a menu entry that does nothing.
void drawBlankEntry(Canvas& canvas, int x, int row) {
    for (int i = 0; i < 6; ++i) {
        float left = x + i * 18.0f;
        canvas.fill(rectangle(left, row - 1.5f, left + 9, row + 1.5f), palette::kTextDim,
                    boxAround({left, float(row)}, 10));
    }
}

void drawBack(Canvas& canvas) {
    drawLabel(canvas, "BACK", kBackLabelX, kBackRow);
}
}  // namespace

Canvas titleMain() {
    Canvas canvas = titleBase();
    drawLabel(canvas, "PLAY", kMainLabelX, kRows[0]);
    drawLabel(canvas, "OPTIONS", kMainLabelX, kRows[1]);
    drawLabel(canvas, "QUIT", kMainLabelX, kRows[2]);
    return canvas;
}

Canvas titlePlay() {
    Canvas canvas = titleBase();
    drawLabel(canvas, "ONE PLAYER", kPageLabelX, kRows[0]);
    drawLabel(canvas, "TWO PLAYERS", kPageLabelX, kRows[1]);
    drawBlankEntry(canvas, kPageLabelX, kRows[2]);
    drawBack(canvas);
    return canvas;
}

// The game draws each setting's switch to the right of its label; those spots stay black.
Canvas titleOptions() {
    Canvas canvas = titleBase();
    drawLabel(canvas, "SUN", kPageLabelX, kRows[0]);
    drawBlankEntry(canvas, kPageLabelX, kRows[1]);
    drawLabel(canvas, "WRAP-AROUND", kPageLabelX, kRows[2]);
    drawBack(canvas);
    return canvas;
}
