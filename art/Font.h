#pragma once

#include "Canvas.h"

#include <string>
#include <vector>

// The game's pixel font: letters 5 cells wide and 7 tall over two rows of descender,
// proportional, each glyph carrying one empty cell of spacing on its right.
namespace font {

// Cells in a glyph's height: capitals fill the first seven, descenders the last two.
constexpr int kRows = 9;
constexpr int kCapRows = 7;

// The font files: cells doubled, one blank pixel above and below.
constexpr int kFileScale = 2;
constexpr int kFilePadding = 1;
constexpr int kFileHeight = kRows * kFileScale + 2 * kFilePadding;

// Every character that has a file, and that file's name without extension.
std::string characters();
std::string fileName(char c);

// Text laid out at `scale` pixels a cell; `top` is the top of the capitals.
int textWidth(const std::string& text, int scale);
void drawText(Canvas& canvas, const std::string& text, int x, int top, int scale,
              const Shader& ink);

// The ink of the font files: pale yellow-white, a touch warmer towards the baseline.
Shader fileInk(float top, float scale);

// One glyph as the game loads it, on black.
Canvas glyphPicture(char c);

}  // namespace font
