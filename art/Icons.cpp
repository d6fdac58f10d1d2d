#include "Palette.h"
#include "Pictures.h"

#include <sstream>

namespace {
constexpr int kWindowIconSize = 32;
constexpr int kSvgSize = 64;
constexpr uint32_t kIconStarSeed = 5;

// The icon scene in fractions of its size: a ringed planet low left, the ship climbing away.
const Vec kPlanetAt{0.4f, 0.64f};
constexpr float kPlanetRadius = 0.185f;
constexpr float kRingTilt = -24;
const Vec kShipAt{0.68f, 0.3f};
constexpr float kShipAngle = -42;
constexpr float kShipScale = 0.64f / 64;

void drawIconScene(Canvas& canvas, float size) {
    drawPlanet(canvas, kPlanetAt * size, kPlanetRadius * size, kRingTilt);
    drawShip(canvas, {kShipAt * size, kShipAngle, kShipScale * size});
}

// An outline given by its upper half, mirrored, as SVG points.
std::string svgOutline(const std::vector<Vec>& upperHalf) {
    std::ostringstream points;
    for (Vec v : upperHalf) points << v.x << "," << v.y << " ";
    for (auto v = upperHalf.rbegin(); v != upperHalf.rend(); ++v)
        if (v->y != 0) points << v->x << "," << -v->y << " ";
    std::string text = points.str();
    text.pop_back();
    return text;
}

// The ring's outline as the raster planet draws it: half-axes in planet radii.
constexpr float kRingRx = 1.72f;
constexpr float kRingRy = 0.42f;
constexpr float kRingWidth = 0.55f;
}  // namespace

Canvas windowIcon() {
    Canvas canvas(kWindowIconSize, kWindowIconSize);
    drawStars(canvas, kIconStarSeed, 4);
    drawIconScene(canvas, kWindowIconSize);
    return canvas;
}

Canvas desktopIcon(int size) {
    Canvas canvas(size, size);
    drawIconScene(canvas, float(size));
    return canvas;
}

// The same scene as vectors, for desktops that prefer them.
std::string desktopIconSvg() {
    float cx = kPlanetAt.x * kSvgSize;
    float cy = kPlanetAt.y * kSvgSize;
    float r = kPlanetRadius * kSvgSize;
    float rx = kRingRx * r;
    float ry = kRingRy * r;
    std::ostringstream svg;
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" viewBox=\"0 0 64 "
           "64\">\n"
        << "  <defs>\n"
        << "    <radialGradient id=\"planet\" cx=\"0.3\" cy=\"0.3\" r=\"0.8\">\n"
        << "      <stop offset=\"0\" stop-color=\"#9ED2E8\"/>\n"
        << "      <stop offset=\"0.55\" stop-color=\"#3E7CB0\"/>\n"
        << "      <stop offset=\"1\" stop-color=\"#0A1230\"/>\n"
        << "    </radialGradient>\n"
        << "  </defs>\n"
        << "  <g transform=\"translate(" << cx << " " << cy << ") rotate(" << kRingTilt
        << ")\" fill=\"none\" stroke-width=\"" << kRingWidth * r * 0.5f << "\">\n"
        << "    <ellipse cx=\"0\" cy=\"0\" rx=\"" << rx << "\" ry=\"" << ry
        << "\" stroke=\"#76705A\"/>\n"
        << "    <circle cx=\"0\" cy=\"0\" r=\"" << r << "\" fill=\"#3E7CB0\" stroke=\"none\"/>\n"
        << "    <circle cx=\"0\" cy=\"0\" r=\"" << r
        << "\" fill=\"url(#planet)\" stroke=\"none\"/>\n"
        << "    <path d=\"M " << rx << " 0 A " << rx << " " << ry << " 0 0 1 " << -rx
        << " 0\" stroke=\"#D8C8A0\"/>\n"
        << "  </g>\n"
        << "  <g transform=\"translate(" << kShipAt.x * kSvgSize << " " << kShipAt.y * kSvgSize
        << ") rotate(" << kShipAngle << ") scale(" << kShipScale * kSvgSize
        << ")\" stroke=\"none\">\n"
        << "    <circle cx=\"-19.5\" cy=\"0\" r=\"3\" fill=\"#FF9A3A\"/>\n"
        << "    <polygon points=\"" << svgOutline(kShipWingHalf) << "\" fill=\"#7A879E\"/>\n"
        << "    <polygon points=\"" << svgOutline(kShipHullHalf) << "\" fill=\"#C8D2E0\"/>\n"
        << "    <ellipse cx=\"5.3\" cy=\"0\" rx=\"5\" ry=\"1.9\" fill=\"#6FE0FF\"/>\n"
        << "  </g>\n"
        << "</svg>\n";
    return svg.str();
}
