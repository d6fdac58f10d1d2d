// The platform in a web page, on the browser's SDL and the page's file system.
// The page reaches into that SDL in three places, all in this file: it puts
// pixels on a surface's canvas, checks when a display opens that the canvas
// is where it looks for it, and keeps SDL's error text, which the browser's
// SDL throws away. It reads its files from the file system's memory itself.
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

// The page's files are the package it downloaded, unpacked into the page's
// file system in memory, and nothing renames or removes them while the game
// runs: a path names the same file for the whole run. So each path is looked
// up once, and every read copies the file's bytes as they are at that moment.
// The file system's own calls resolve the path afresh and make a stream for
// every file opened, which for the dozen files of a frame cost more than
// drawing it (bench/README.md).
EM_JS(int, openFile, (const char* path), {
    var name = UTF8ToString(path);
    if (name.charAt(0) != "/") name = FS.cwd() + "/" + name;
    var nodes = Module.fileNodes || (Module.fileNodes = new Map());
    var node = nodes.get(name);
    if (!node) {
        try {
            node = FS.lookupPath(name, {follow : true}).node;
        } catch (error) {
            return -1;
        }
        nodes.set(name, node);
    }
    var open = Module.openFiles || (Module.openFiles = []);
    var file = open.indexOf(null);
    if (file < 0) file = open.length;
    open[file] = {node : node, position : 0};
    return file;
});

EM_JS(void, closeFile, (int file), { Module.openFiles[file] = null; });

EM_JS(int, fileLength, (int file), {
    var node = Module.openFiles[file].node;
    return FS.isFile(node.mode) ? node.usedBytes : -1;
});

// Copies up to `wanted` bytes of the file from `offset` on, or from where the
// last read ended when `offset` is -1; gives how many it copied.
EM_JS(int, copyFile, (int file, int offset, Uint8* into, int wanted), {
    var open = Module.openFiles[file], node = open.node;
    var from = offset < 0 ? open.position : offset;
    var size = FS.isFile(node.mode) ? Math.max(0, Math.min(node.usedBytes - from, wanted)) : 0;
    if (size > 0) HEAPU8.set(node.contents.subarray(from, from + size), into);
    if (offset < 0) open.position += size;
    return size;
});

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

File::File(const std::string& path) : descriptor(openFile(path.c_str())) {
    if (descriptor < 0) SDL_SetError("Couldn't open %s", path.c_str());
}

File::~File() {
    if (descriptor >= 0) closeFile(descriptor);
}

long File::length() const {
    return fileLength(descriptor);
}

std::size_t File::read(Uint8* into, std::size_t wanted) {
    return static_cast<std::size_t>(copyFile(descriptor, -1, into, static_cast<int>(wanted)));
}

bool File::readRuns(std::size_t offset, std::size_t run, const std::vector<Uint8*>& places) {
    for (Uint8* place : places) {
        if (copyFile(descriptor, static_cast<int>(offset), place, static_cast<int>(run)) !=
            static_cast<int>(run))
            return false;
        offset += run;
    }
    return true;
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
