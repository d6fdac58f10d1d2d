// The platform in a web page, on the browser's SDL. The page reaches into
// that SDL in three places, all in this file: it puts pixels on a surface's
// canvas, checks when a display opens that the canvas is where it looks for
// it, and keeps SDL's error text, which the browser's SDL throws away.
#include "Platform.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {

// Red, green, blue and alpha bytes in that order, as a canvas keeps them.
SDL_PixelFormat canvasFormat() {
    SDL_PixelFormat format = {};
    format.BitsPerPixel = 32;
    format.BytesPerPixel = 4;
    format.Rmask = 0x000000FF;
    format.Gmask = 0x0000FF00;
    format.Bmask = 0x00FF0000;
    format.Amask = 0xFF000000;
    return format;
}

// The pixels of the part open for writing, kept for the next part.
std::vector<Uint8>& canvasPixels() {
    static std::vector<Uint8> pixels;
    return pixels;
}

// The browser's SDL keeps each surface as a canvas in `SDL.surfaces`, its
// pixels in memory only while it is locked; what it blits is drawn from
// canvas to canvas. Locking and unlocking copy the whole surface back and
// forth, so pixels are put on a surface's canvas here instead, the part
// drawn and nothing more.
EM_JS(void, putPixels, (SDL_Surface * surface, const Uint8* pixels, int x, int y, int w, int h), {
    var view = new Uint8ClampedArray(HEAPU8.buffer, pixels, w * h * 4);
    SDL.surfaces[surface].ctx.putImageData(new ImageData(view, w, h), x, y);
});

EM_JS(int, keepsCanvasOf, (SDL_Surface * surface), {
    var kept = typeof SDL == "object" && SDL.surfaces && SDL.surfaces[surface];
    if (kept && kept.ctx && typeof kept.ctx.putImageData == "function") return 1;
    console.error("Orbitane can't draw: this browser SDL keeps no canvas for the display " +
                  "in SDL.surfaces[surface].ctx, where the page puts its pixels.");
    return 0;
});

// The browser paints the page in step with the display, and only while the
// page's code has handed control back to it: this waits for its next frame.
// The game ends with exit(), which leaves by throwing ExitStatus from
// wherever it was resumed; that is the end of the game, not a fault.
EM_JS(void, nextAnimationFrame, (), {
    Asyncify.handleSleep(function(wakeUp) {
        requestAnimationFrame(function() {
            try {
                wakeUp();
            } catch (thrown) {
                if (!(thrown instanceof ExitStatus)) throw thrown;
            }
        });
    });
});

// A frame shown a few milliseconds before it is due is on time for the eye.
const double kEarlyMs = 4.0;

EM_JS(void, tellPageScreen, (const char* screen), {
    if (Module.onScreen) Module.onScreen(UTF8ToString(screen));
});

char errorText[256];

}  // namespace

const SDL_PixelFormat& pixelFormatOf(const SDL_Surface*) {
    static const SDL_PixelFormat format = canvasFormat();
    return format;
}

bool openPixels(SDL_Surface* surface, const SDL_Rect& part, PixelWindow& window) {
    std::vector<Uint8>& pixels = canvasPixels();
    pixels.resize(std::max<std::size_t>(pixels.size(), 4u * part.w * part.h));
    window = {pixels.data(), 4 * part.w, &pixelFormatOf(surface)};
    return true;
}

void showPixels(SDL_Surface* surface, const SDL_Rect& part) {
    putPixels(surface, canvasPixels().data(), part.x, part.y, part.w, part.h);
}

bool displayShowsPixels(SDL_Surface* display) {
    if (keepsCanvasOf(display)) return true;
    SDL_SetError("this browser's SDL keeps no canvas where the page looks for it");
    return false;
}

const bool kSdlDecodesPictures = false;

const bool kKeepsPictures = true;

bool waitForEvent(SDL_Event& event) {
    while (!SDL_PollEvent(&event)) nextAnimationFrame();
    return true;
}

double steadyMilliseconds() {
    return emscripten_get_now();
}

// Waits for the display's frames until the time is near; at least one, so
// that the page shows the frame just drawn even when it is late.
void sleepUntilSteady(double milliseconds) {
    do nextAnimationFrame();
    while (milliseconds - emscripten_get_now() > kEarlyMs);
}

const bool kEveryFrameWaits = true;

void announceScreen(const char* screen) {
    tellPageScreen(screen);
}

// The browser's SDL keeps no error text (its SDL_SetError does nothing), so
// every report would end in the same vague words. These keep the text; should
// the browser's SDL ever define them in C, the program no longer links.
extern "C" void SDL_SetError(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(errorText, sizeof errorText, format, arguments);
    va_end(arguments);
}

extern "C" const char* SDL_GetError() {
    return errorText;
}
