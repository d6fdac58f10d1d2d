#include "Picture.h"

#include "Platform.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// No picture file is larger than this.
const std::size_t kMaxPictureBytes = 64 * 1024 * 1024;

void reportCantLoad(const std::string& path) {
    const std::string message = "Couldn't load " + path + ": " + SDL_GetError() + "\n";
    std::fprintf(stderr, "%s", message.c_str());
}

}  // namespace

bool Picture::read(const std::string& path) {
    decoded.reset();
    const long got = readWholeFile(path, *bytes, kMaxPictureBytes);
    if (got < 0) return false;
    length = static_cast<std::size_t>(got);
    parsed = parseBmp(bytes->data(), length, bmp);
    if (parsed) return true;
    // What the game's reader can't read, SDL may: it then says why not in its own words.
    if (!kSdlDecodesPictures || !claimsSensibleSizes(bytes->data(), length)) return false;
    decoded.reset(decodeBySdl());
    return decoded != nullptr;
}

int Picture::width() const {
    return decoded ? decoded->w : bmp.width;
}

int Picture::height() const {
    return decoded ? decoded->h : bmp.height;
}

bool Picture::draw(SDL_Surface* target, int x, int y, int rows, SDL_Rect& drawn) {
    if (!decoded && (!kSdlDecodesPictures || keepsPixelsOf(bmp, *target->format))) {
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

// The part that lands on the target is clipped as SDL clips a blit: to the
// target's clip rectangle.
void Picture::drawRows(SDL_Surface* target, Sint16 x, Sint16 y, int rows, SDL_Rect& drawn) const {
    const SDL_Rect& clip = target->clip_rect;
    const int left = std::max<int>(x, clip.x);
    const int top = std::max<int>(y, clip.y);
    const int right = std::min(x + bmp.width, clip.x + clip.w);
    const int bottom = std::min(y + std::min(rows, bmp.height), clip.y + clip.h);
    drawn = {static_cast<Sint16>(left), static_cast<Sint16>(top), 0, 0};
    if (right <= left || bottom <= top) return;
    drawn.w = static_cast<Uint16>(right - left);
    drawn.h = static_cast<Uint16>(bottom - top);
    PixelWindow window;
    if (!openPixels(target, drawn, window)) return;
    convertRows(bmp, left - x, top - y, drawn.w, drawn.h, window.first, window.pitch,
                *window.format);
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
    if (!picture.read(path) || (target && !picture.draw(target, x, y, picture.height(), drawn))) {
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
