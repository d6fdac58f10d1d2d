#include "Platform.h"

#include "BmpDecode.h"

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

#ifdef __EMSCRIPTEN__

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

#else

using SteadyMs = std::chrono::duration<double, std::milli>;

#endif

}  // namespace

File::File(const std::string& path) : descriptor(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (descriptor < 0) SDL_SetError("Couldn't open %s", path.c_str());
}

File::~File() {
    if (descriptor >= 0) close(descriptor);
}

// A file on disk gives what it has in one call, unless a signal comes first.
long File::read(Uint8* into, long wanted) {
    for (;;) {
        const ssize_t got = ::read(descriptor, into, static_cast<std::size_t>(wanted));
        if (got >= 0 || errno != EINTR) return std::max<long>(got, 0);
    }
}

long long File::length() const {
    struct stat status;
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) return -1;
    return status.st_size;
}

bool File::readRuns(const std::vector<FileRun>& runs) {
    if (runs.empty() || runs.size() > kMaxPlaces) return runs.empty();
    std::vector<iovec> places;
    ssize_t wanted = 0;
    for (const FileRun& run : runs) {
        places.push_back({run.into, run.bytes});
        wanted += static_cast<ssize_t>(run.bytes);
    }
    ssize_t got;
    do
        got = preadv(descriptor, places.data(), static_cast<int>(places.size()),
                     static_cast<off_t>(runs.front().from));
    while (got < 0 && errno == EINTR);
    return got == wanted;
}

long readRest(File& file, std::vector<Uint8>& bytes, long length, std::size_t limit) {
    for (;;) {
        if (length == static_cast<long>(bytes.size())) {
            if (bytes.size() >= limit) {
                SDL_SetError("larger than any picture");
                return -1;
            }
            bytes.resize(std::min(limit, std::max<std::size_t>(bytes.size() * 2, 1)));
        }
        const long wanted = static_cast<long>(bytes.size()) - length;
        const long got = file.read(bytes.data() + length, wanted);
        length += got;
        // A short read is the end of the file.
        if (got < wanted) break;
    }
    if (length == 0) SDL_SetError("empty or unreadable file");
    return length == 0 ? -1 : length;
}

long readWholeFile(const std::string& path, std::vector<Uint8>& bytes, std::size_t limit) {
    File file(path);
    return file.isOpen() ? readRest(file, bytes, 0, limit) : -1;
}

#ifdef __EMSCRIPTEN__

// Each surface of the browser's SDL is a canvas with the pixels kept beside
// it in memory; what reaches the canvas is what a blit copies. Locking and
// unlocking copy the pixels back and forth through fresh buffers, which
// costs more than decoding the picture, so the pixels are written straight
// into memory and shown to the canvas from there.
EM_JS(void, showPixels, (SDL_Surface * surface), {
    var kept = SDL.surfaces[surface];
    var pixels = new Uint8ClampedArray(HEAPU8.buffer, kept.buffer, kept.width * kept.height * 4);
    kept.ctx.putImageData(new ImageData(pixels, kept.width, kept.height), 0, 0);
});

// The browser's SDL gives a new surface the canvas let go last, whatever its
// size, and a canvas given a new size is made anew: every frame would pay
// for a fresh canvas as large as the display for its background. Canvases
// are kept by size instead.
EM_JS(void, keepCanvasesBySize, (), {
    var pools = {};
    var poolOf = function(width, height) {
        var size = width + "x" + height;
        return pools[size] = pools[size] || [];
    };
    var make = SDL.makeSurface;
    var free = SDL.freeSurface;
    SDL.makeSurface = function(width, height) {
        SDL.canvasPool = poolOf(width, height);
        return make.apply(SDL, arguments);
    };
    SDL.freeSurface = function(surface) {
        var kept = SDL.surfaces[surface];
        if (kept && kept.canvas) SDL.canvasPool = poolOf(kept.canvas.width, kept.canvas.height);
        return free.apply(SDL, arguments);
    };
});

SDL_Surface* decodePicture(const Uint8* bytes, std::size_t length) {
    static const bool pooled = (keepCanvasesBySize(), true);
    (void)pooled;
    int width = 0;
    int height = 0;
    if (!bmpSize(bytes, length, width, height)) return nullptr;
    SDL_Surface* surface = SDL_CreateRGBSurface(
        SDL_SWSURFACE, width, height, kLayoutRgba.bitsPerPixel, kLayoutRgba.red, kLayoutRgba.green,
        kLayoutRgba.blue, kLayoutRgba.alpha);
    if (!surface) return nullptr;
    writeBmpPixels(bytes, length, surface);
    showPixels(surface);
    return surface;
}

const bool kPixelsCanBeCopied = false;

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

// The browser's SDL keeps no error text (its SDL_SetError does nothing), so
// every report would end in the same vague words. These keep the text.
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

SDL_Surface* decodePicture(const Uint8* bytes, std::size_t length) {
    return SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes, static_cast<int>(length)), 1);
}

const bool kPixelsCanBeCopied = true;

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

#endif

#ifdef __EMSCRIPTEN__
EM_JS(void, tellPageScreen, (int players), {
    if (Module.onScreen) Module.onScreen(players);
});
#endif

void announceScreen(int players) {
#ifdef __EMSCRIPTEN__
    tellPageScreen(players);
#else
    static_cast<void>(players);
#endif
}
