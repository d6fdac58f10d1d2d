#ifndef ORBITANE_FRAMEWORK_TEXT_H
#define ORBITANE_FRAMEWORK_TEXT_H

#include <SDL.h>

#include <string>

// Text in the game's own font: one BMP file per character, read again every
// time a text is drawn. A text is shown whole or not at all, silently: its
// letters side by side, each cut to the height of the first.
SDL_Surface* load_letter(char c, std::string folder, std::string extension);
// A new 32-bit surface holding the text; null when it can't be shown.
SDL_Surface* createText(std::string const& text);
// Draws the text straight onto the target: the same picture as composing it
// first, where the parts below shorter letters stay clear.
void displayText(std::string const& text, SDL_Surface* target, int x, int y, bool update);

#endif
