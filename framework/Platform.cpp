#include "Platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>

#include <cstdarg>
#else
#include <chrono>
#include <thread>
#endif

namespace {

// The most places one read request takes, as every system allows.
const std::size_t kMaxPlaces = 1024;

}  // namespace

File::File(const std::string& path) : descriptor(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (descriptor < 0) SDL_SetError("Couldn't open %s", path.c_str());
}

File::~File() {
    if (descriptor >= 0) close(descriptor);
}

long File::length() const {
    struct stat status;
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) return -1;
    return static_cast<long>(status.st_size);
}

// A file on disk gives what it has in one call, unless a signal comes first.
std::size_t File::read(Uint8* into, std::size_t wanted) {
    ssize_t got;
    do got = ::read(descriptor, into, wanted);
    while (got < 0 && errno == EINTR);
    return static_cast<std::size_t>(std::max<ssize_t>(got, 0));
}

long File::readRest(std::vector<Uint8>& bytes, std::size_t length, std::size_t limit) {
    for (;;) {
        if (length == bytes.size()) {
            if (bytes.size() >= limit) {
                SDL_SetError("larger than any picture");
                return -1;
            }
            bytes.resize(std::min(limit, std::max<std::size_t>(bytes.size() * 2, 1)));
        }
        const std::size_t wanted = bytes.size() - length;
        const std::size_t got = read(bytes.data() + length, wanted);
        length += got;
        if (got < wanted) break;
    }
    if (length == 0) SDL_SetError("empty or unreadable file");
    return length == 0 ? -1 : static_cast<long>(length);
}

bool File::readRuns(std::size_t offset, std::size_t run, const std::vector<Uint8*>& places) {
    if (places.size() > kMaxPlaces) return false;
    std::vector<iovec> runs;
    for (Uint8* place : places) runs.push_back({place, run});
    ssize_t got;
    do
        got = preadv(descriptor, runs.data(), static_cast<int>(runs.size()),
                     static_cast<off_t>(offset));
    while (got < 0 && errno == EINTR);
    return got == static_cast<ssize_t>(run * places.size());
}

long readWholeFile(const std::string& path, std::vector<Uint8>& bytes, std::size_t limit) {
    File file(path);
    return file.isOpen() ? file.readRest(bytes, 0, limit) : -1;
}

#ifdef __EMSCRIPTEN__

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

std::vector<Uint8>& canvasPixels() {
    static std::vector<Uint8> pixels;
    return pixels;
}

// The browser's SDL keeps each surface as a canvas in `SDL.surfaces`, its
// pixels in memory only while it is locked; what it blits is drawn from
// canvas to canvas. Locking and unlocking copy the whole surface back and
// forth, so pixels are put on a surface's canvas here instead, the part
// drawn and nothing more. This is the one place the page reaches into the
// browser's SDL; the check runs when a display opens.
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

const bool kSdlDecodesPictures = false;

bool displayShowsPixels(SDL_Surface* display) {
    if (keepsCanvasOf(display)) return true;
    SDL_SetError("this browser's SDL keeps no canvas where the page looks for it");
    return false;
}

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

namespace {
EM_JS(void, tellPageScreen, (int players), {
    if (Module.onScreen) Module.onScreen(players);
});
}  // namespace

void announceScreen(int players) {
    tellPageScreen(players);
}

// The browser's SDL keeps no error text (its SDL_SetError does nothing), so
// every report would end in the same vague words. These keep the text; should
// the browser's SDL ever define them in C, the program no longer links.
namespace {
char errorText[256];
}

extern "C" void SDL_SetError(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(errorText, sizeof errorText, format, arguments);
    va_end(arguments);
}

extern "C" const char* SDL_GetError() {
    return errorText;
}

#else

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

const bool kSdlDecodesPictures = true;

bool displayShowsPixels(SDL_Surface*) {
    return true;
}

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

void announceScreen(int) {}

#endif
