#pragma once

#include "Canvas.h"

#include <cstdint>
#include <vector>

// An 8-bit RGBA PNG of a drawing, transparent wherever nothing was drawn. The deflate
// stream uses stored blocks only: icons are tiny, so compression is not worth a library.
std::vector<uint8_t> encodePng(const Canvas& canvas);
