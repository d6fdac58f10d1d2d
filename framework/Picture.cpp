#include "Picture.h"

#include "Platform.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// No picture file is larger than this; all but the backgrounds and the title
// pages fit the first read.
const std::size_t kMaxPictureBytes = 64 * 1024 * 1024;
const std::size_t kFirstRead = 64 * 1024;

void reportCantLoad(const std::string& path) {
    const std::string message = "Couldn't load " + path + ": " + SDL_GetError() + "\n";
    std::fprintf(stderr, "%s", message.c_str());
}

}  // namespace

bool Picture::read(const std::string& path) {
    File file(path);
    decoded.reset();
    parsed = false;
    if (bytes->size() < kFirstRead) bytes->resize(kFirstRead);
    return file.isOpen() && readAfter(file, 0);
}

// The background covers the display in every frame. When the rows of a
// picture larger than the first read are unpadded, drawn whole and in the
// target's own format, they are read from the file straight into their
// places there: a copy of the whole picture less, which is a fifth of what a
// match costs in a real window (bench/present-cost.sh). Any other picture is
// read whole and drawn; most fit the first read.
bool Picture::show(const std::string& path, SDL_Surface* target, int x, int y, SDL_Rect& drawn) {
    File file(path);
    decoded.reset();
    parsed = false;
    if (!file.isOpen()) return false;
    if (bytes->size() < kFirstRead) bytes->resize(kFirstRead);
    const std::size_t head = file.read(bytes->data(), kFirstRead);
    const long whole = head == kFirstRead ? file.length() : -1;
    if (whole > static_cast<long>(head)) {
        length = static_cast<std::size_t>(whole);
        parsed = parseBmp(bytes->data(), length, bmp);
        if (parsed &&
            readRowsOnto(file, target, static_cast<Sint16>(x), static_cast<Sint16>(y), drawn))
            return true;
    }
    return readAfter(file, head) && draw(target, x, y, height(), drawn);
}

// Reads the rest of the file after the `head` bytes already read (nothing
// when that read came up short: the file ended there), and parses it unless
// its header was parsed from the head.
bool Picture::readAfter(File& file, std::size_t head) {
    const bool ended = head > 0 && head < kFirstRead;
    const long got =
        ended ? static_cast<long>(head) : file.readRest(*bytes, head, kMaxPictureBytes);
    if (got < 0) return false;
    if (!parsed || static_cast<std::size_t>(got) != length)
        parsed = parseBmp(bytes->data(), static_cast<std::size_t>(got), bmp);
    length = static_cast<std::size_t>(got);
    if (parsed) return true;
    // What the game's reader can't read, SDL may: it then says why not in its own words.
    if (!kSdlDecodesPictures || !claimsSensibleSizes(bytes->data(), length)) return false;
    decoded.reset(decodeBySdl());
    return decoded != nullptr;
}

// The runs of the file that hold the drawn rows, each a whole row of the
// picture, follow one another in the file's order.
bool Picture::readRowsOnto(File& file, SDL_Surface* target, Sint16 x, Sint16 y, SDL_Rect& drawn) {
    const long rowBytes = 2L * bmp.width;
    if (!keepsPixelsOf(bmp, pixelFormatOf(target)) || std::labs(bmp.step) != rowBytes) return false;
    if (!clip(target, x, y, bmp.height, drawn)) return true;
    PixelWindow window;
    if (drawn.w != bmp.width || !openPixels(target, drawn, window)) return false;
    std::vector<Uint8*> places;
    const int top = drawn.y - y;
    for (int i = 0; i < drawn.h; ++i) places.push_back(window.first + window.pitch * i);
    // A picture stored bottom up has its last row first.
    if (bmp.step < 0) std::reverse(places.begin(), places.end());
    const long first = bmp.top + bmp.step * (bmp.step < 0 ? top + drawn.h - 1 : top);
    const bool read = file.readRuns(static_cast<std::size_t>(first), rowBytes, places);
    showPixels(target, drawn);
    return read;
}

int Picture::width() const {
    return decoded ? decoded->w : bmp.width;
}

int Picture::height() const {
    return decoded ? decoded->h : bmp.height;
}

bool Picture::draw(SDL_Surface* target, int x, int y, int rows, SDL_Rect& drawn) {
    if (!decoded && (!kSdlDecodesPictures || keepsPixelsOf(bmp, pixelFormatOf(target)))) {
        drawRows(target, static_cast<Sint16>(x), static_cast<Sint16>(y), rows, drawn);
        return true;
    }
    if (!decoded) decoded.reset(decodeBySdl());
    if (!decoded) return false;
    SDL_Rect part = {0, 0, static_cast<Uint16>(decoded->w),
                     static_cast<Uint16>(std::min(rows, decoded->h))};
    drawn = {static_cast<Sint16>(x), static_cast<Sint16>(y), part.w, part.h};
    SDL_UpperBlit(decoded.get(), &part, target, &drawn);
    return true;
}

SDL_Surface* Picture::toSurface() {
    if (decoded) return decoded.release();
    return kSdlDecodesPictures ? decodeBySdl() : toRgbaSurface();
}

SDL_Surface* Picture::toRgbaSurface() {
    SDL_Surface* surface = parsed ? makeRgbaSurface(bmp.width, bmp.height) : nullptr;
    SDL_Rect drawn;
    if (surface) drawRows(surface, 0, 0, bmp.height, drawn);
    return surface;
}

SDL_Surface* Picture::decodeBySdl() const {
    return SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes->data(), static_cast<int>(length)), 1);
}

// The part of the top `rows` rows that lands on the target at (x, y),
// clipped as SDL clips a blit: to the target's clip rectangle. False when
// none does.
bool Picture::clip(const SDL_Surface* target, Sint16 x, Sint16 y, int rows, SDL_Rect& drawn) const {
    const SDL_Rect& area = target->clip_rect;
    const int left = std::max<int>(x, area.x);
    const int top = std::max<int>(y, area.y);
    const int right = std::min(x + bmp.width, area.x + area.w);
    const int bottom = std::min(y + std::min(rows, bmp.height), area.y + area.h);
    drawn = {static_cast<Sint16>(left), static_cast<Sint16>(top), 0, 0};
    if (right <= left || bottom <= top) return false;
    drawn.w = static_cast<Uint16>(right - left);
    drawn.h = static_cast<Uint16>(bottom - top);
    return true;
}

void Picture::drawRows(SDL_Surface* target, Sint16 x, Sint16 y, int rows, SDL_Rect& drawn) const {
    PixelWindow window;
    if (!clip(target, x, y, rows, drawn) || !openPixels(target, drawn, window)) return;
    convertRows(bmp, bytes->data(), drawn.x - x, drawn.y - y, drawn.w, drawn.h, window.first,
                window.pitch, *window.format);
    showPixels(target, drawn);
}

SDL_Surface* readPicture(const std::string& path) {
    std::vector<Uint8> buffer;
    Picture picture(buffer);
    return picture.read(path) ? picture.toSurface() : nullptr;
}

SDL_Surface* loadBMP(std::string path) {
    SDL_Surface* surface = readPicture(path);
    if (!surface) reportCantLoad(path);
    return surface;
}

// The background is drawn every frame, so the buffer it is read into stays.
void ShowBMP(std::string path, SDL_Surface* target, int x, int y, bool update) {
    static std::vector<Uint8> buffer;
    Picture picture(buffer);
    SDL_Rect drawn;
    if (!(target ? picture.show(path, target, x, y, drawn) : picture.read(path))) {
        reportCantLoad(path);
        return;
    }
    if (target && update) SDL_UpdateRects(target, 1, &drawn);
}

void ShowBMP(std::string path, SDL_Surface* target, SDL_Rect where, bool update) {
    ShowBMP(std::move(path), target, where.x, where.y, update);
}

void display_image(SDL_Surface* image, SDL_Surface* target, int x, int y, bool update) {
    if (!image || !target) return;
    SDL_Rect where;
    where.x = static_cast<Sint16>(x);
    where.y = static_cast<Sint16>(y);
    where.w = static_cast<Uint16>(image->w);
    where.h = static_cast<Uint16>(image->h);
    SDL_UpperBlit(image, nullptr, target, &where);
    // The blit has clipped the rectangle to the target: push only what was drawn.
    if (update) SDL_UpdateRects(target, 1, &where);
}

// Red, green, blue and alpha bytes in that order, as a canvas keeps them.
SDL_Surface* makeRgbaSurface(int width, int height) {
    return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0x000000FF, 0x0000FF00,
                                0x00FF0000, 0xFF000000);
}

SDL_Surface* create_SDL_Surface(int width, int height) {
    SDL_Surface* surface = makeRgbaSurface(width, height);
    if (!surface) {
        std::fprintf(stderr, "CreateRGBSurface failed: %s\n", SDL_GetError());
        std::exit(1);
    }
    return surface;
}
