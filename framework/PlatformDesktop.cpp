// The platform on the desktop: SDL's own surfaces, events and decoder, and
// the system's steady clock.
#include "Platform.h"

#include <chrono>
#include <thread>

namespace {
using SteadyMs = std::chrono::duration<double, std::milli>;
}

const SDL_PixelFormat& pixelFormatOf(const SDL_Surface* surface) {
    return *surface->format;
}

bool openPixels(SDL_Surface* surface, const SDL_Rect& part, PixelWindow& window) {
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) < 0) return false;
    const SDL_PixelFormat* format = surface->format;
    window = {static_cast<Uint8*>(surface->pixels) + surface->pitch * part.y +
                  format->BytesPerPixel * part.x,
              surface->pitch, format};
    return true;
}

void showPixels(SDL_Surface* surface, const SDL_Rect&) {
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
}

bool displayShowsPixels(SDL_Surface*) {
    return true;
}

const bool kSdlDecodesPictures = true;

const bool kKeepsPictures = false;

bool waitForEvent(SDL_Event& event) {
    return SDL_WaitEvent(&event) == 1;
}

double steadyMilliseconds() {
    return SteadyMs(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void sleepUntilSteady(double milliseconds) {
    const auto due = std::chrono::steady_clock::time_point(
        std::chrono::duration_cast<std::chrono::steady_clock::duration>(SteadyMs(milliseconds)));
    std::this_thread::sleep_until(due);
}

const bool kEveryFrameWaits = false;

void announceScreen(const char*) {}
