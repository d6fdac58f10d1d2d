#pragma once

#include "Canvas.h"
#include "Shapes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The ship in its own frame, nose towards +x, wings along y, about 42 units long: the upper
// halves of its hull and of its wings, mirrored across the x axis for the lower ones.
extern const std::vector<Vec> kShipHullHalf;
extern const std::vector<Vec> kShipWingHalf;

// Bodies of a match, each drawn on black at the size the game expects.
Canvas ship();
void drawShip(Canvas& canvas, const shapes::Placement& where);
Canvas photon();
Canvas explosion();
Canvas asteroid(int size, uint32_t seed);
Canvas probe();

// The field of play. The sun sits where the game's sun body is, centred on kSunCentre.
constexpr int kFieldWidth = 800;
constexpr int kFieldHeight = 600;
constexpr int kSunSize = 20;
const Vec kSunCentre{395, 295};
Canvas space();
Canvas spaceWithSun(Canvas field);

// Scenery shared by the title and the icons.
void drawStars(Canvas& canvas, uint32_t seed, float density, const Shape& avoid = nullptr);
// Two veils of colour; `strength` says how much of them shows at each point.
void drawNebula(Canvas& canvas, uint32_t seed, const std::function<float(Vec)>& strength);
void drawPlanet(Canvas& canvas, Vec centre, float radius, float ringTilt);

// Small interface pieces.
Canvas noImage();
Canvas cursorBar();
Canvas toggle(bool on);
Canvas scoreLabel();

// The title pages, each a full 512x512 page.
Canvas titleMain();
Canvas titlePlay();
Canvas titleOptions();

// The window icon (opaque) and the desktop icon (transparent around the planet).
Canvas windowIcon();
Canvas desktopIcon(int size);
std::string desktopIconSvg();
