// The platform on the desktop: SDL's own surfaces, events and decoder, the
// system's files and its steady clock.
#include "Platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

bool File::readRuns(std::size_t offset, std::size_t run, const std::vector<Uint8*>& places) {
    std::vector<iovec> runs;
    for (Uint8* place : places) runs.push_back({place, run});
    ssize_t got;
    do
        got = preadv(descriptor, runs.data(), static_cast<int>(runs.size()),
                     static_cast<off_t>(offset));
    while (got < 0 && errno == EINTR);
    return got == static_cast<ssize_t>(run * places.size());
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
