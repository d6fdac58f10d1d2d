#pragma once

#include "Canvas.h"

#include <cstdint>
#include <vector>

// An 8-bit RGBA PNG of a drawing, transparent wherever nothing was drawn.
std::vector<uint8_t> encodePng(const Canvas& canvas);
