#include "Picture.h"

#include "Platform.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace {

// No picture file is larger than this; all but the backgrounds and the title
// pages fit the first read.
const long kMaxPictureBytes = 64L * 1024 * 1024;
const std::size_t kFirstRead = 64 * 1024;

// Which reader makes a picture of a parsed file, if any. The game's own
// draws every picture where SDL's decoder is not trusted; elsewhere it
// copies only pictures whose pixels the target keeps as they are, and SDL's
// decoder reads the rest, and whatever the game's reader does not read.
enum class Reader { Own, Sdl, None };

Reader readerFor(BmpParse parse, const Bmp& bmp, const Place* place) {
    if (parse == BmpParse::Absurd) return Reader::None;
    if (!kSdlDecodesPictures) return parse == BmpParse::Parsed ? Reader::Own : Reader::None;
    const bool kept = place && keepsPixelsOf(bmp, pixelFormatOf(place->target));
    return parse == BmpParse::Parsed && kept ? Reader::Own : Reader::Sdl;
}

// What keeping pictures keep, by each file's name, for the whole run: the
// game draws the same few dozen pictures again and again.
struct Kept {
    std::vector<Uint8> file;
    SurfacePtr surface;
};

// Whether two runs of `length` bytes are the same, compared eight bytes at a
// time: a page's C library compares one byte at a time, and the background's
// file is compared every frame.
bool sameBytes(const Uint8* a, const Uint8* b, std::size_t length) {
    std::size_t i = 0;
    for (Uint64 x, y; i + 8 <= length; i += 8) {
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y) return false;
    }
    return std::equal(a + i, a + length, b + i);
}

std::map<std::string, Kept>& keptPictures() {
    static auto* kept = new std::map<std::string, Kept>;
    return *kept;
}

void reportCantLoad(const std::string& path) {
    const std::string message = "Couldn't load " + path + ": " + SDL_GetError() + "\n";
    std::fprintf(stderr, "%s", message.c_str());
}

}  // namespace

PictureRead Picture::read(const std::string& path) {
    return readFrom(path, nullptr);
}

PictureRead Picture::read(const std::string& path, const Place& place) {
    return readFrom(path, &place);
}

PictureRead Picture::readFrom(const std::string& path, const Place* place) {
    decoded.reset();
    name = path;
    File file(path);
    if (!file.isOpen()) return PictureRead::Refused;
    if (bytes->size() < kFirstRead) bytes->resize(kFirstRead);
    const std::size_t head = file.read(bytes->data(), kFirstRead);
    // A file that ends within the first read is all there; the system knows
    // the length of a longer one.
    const long whole = head < kFirstRead ? static_cast<long>(head) : file.length();
    if (whole <= 0 || whole > kMaxPictureBytes) {
        SDL_SetError(whole == 0  ? "empty or unreadable file"
                     : whole < 0 ? "not a plain file"
                                 : "larger than any picture");
        return PictureRead::Refused;
    }
    length = static_cast<std::size_t>(whole);
    const Reader reader = readerFor(parseBmp(bytes->data(), length, bmp), bmp, place);
    if (reader == Reader::None) return PictureRead::Refused;
    if (reader == Reader::Own && place && readsStraight(*place, head))
        return readStraight(file, *place);
    if (!readRest(file, head)) return PictureRead::Refused;
    if (reader == Reader::Own) return PictureRead::Read;
    decoded.reset(SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes->data(), static_cast<int>(length)), 1));
    return decoded ? PictureRead::LeftToSdl : PictureRead::Refused;
}

bool Picture::readRest(File& file, std::size_t head) {
    if (bytes->size() < length) bytes->resize(length);
    if (file.read(bytes->data() + head, length - head) == length - head) return true;
    SDL_SetError("the file ended before its length");
    return false;
}

// The background covers the display in every frame. The rows of a picture
// larger than the first read are read from its file straight into their
// places on the target when the target keeps its pixels as they are, its
// rows are unpadded, and every row that lands on the target lands whole: a
// copy of the picture less (bench/README.md says what that saves).
bool Picture::readsStraight(const Place& place, std::size_t head) {
    return length > head && keepsPixelsOf(bmp, pixelFormatOf(place.target)) &&
           std::labs(bmp.step) == 2L * bmp.width &&
           clip(place.target, static_cast<Sint16>(place.x), static_cast<Sint16>(place.y),
                bmp.height) &&
           part.w == bmp.width && static_cast<std::size_t>(part.h) <= File::kMaxRuns;
}

PictureRead Picture::readStraight(File& file, const Place& place) {
    PixelWindow window;
    if (!openPixels(place.target, part, window)) return PictureRead::Refused;
    std::vector<Uint8*> places;
    for (int i = 0; i < part.h; ++i) places.push_back(window.first + window.pitch * i);
    // A picture stored bottom up has its last row first.
    if (bmp.step < 0) std::reverse(places.begin(), places.end());
    const int top = part.y - static_cast<Sint16>(place.y);
    const long first = bmp.top + bmp.step * (bmp.step < 0 ? top + part.h - 1 : top);
    const bool read = file.readRuns(static_cast<std::size_t>(first), 2 * bmp.width, places);
    showPixels(place.target, part);
    if (read) return PictureRead::Drawn;
    SDL_SetError("the file ended before its length");
    return PictureRead::Refused;
}

int Picture::width() const {
    return decoded ? decoded->w : bmp.width;
}

int Picture::height() const {
    return decoded ? decoded->h : bmp.height;
}

void Picture::draw(SDL_Surface* target, int x, int y, int rows) {
    const Sint16 left = static_cast<Sint16>(x), top = static_cast<Sint16>(y);
    if (decoded) {
        SDL_Rect from = {0, 0, static_cast<Uint16>(decoded->w),
                         static_cast<Uint16>(std::min(rows, decoded->h))};
        part = {left, top, from.w, from.h};
        SDL_UpperBlit(decoded.get(), &from, target, &part);
        return;
    }
    // A kept picture is clipped here too, not by the blit: the browser's SDL,
    // which blits kept pictures, moves a picture clipped at the left or top
    // instead of cutting it.
    if (!clip(target, left, top, rows)) return;
    SDL_Rect from = {static_cast<Sint16>(part.x - left), static_cast<Sint16>(part.y - top), part.w,
                     part.h};
    if (SDL_Surface* kept = keptSurface()) {
        SDL_Rect onto = part;
        SDL_UpperBlit(kept, &from, target, &onto);
        return;
    }
    PixelWindow window;
    if (!openPixels(target, part, window)) return;
    convertRows(bmp, bytes->data(), from.x, from.y, part.w, part.h, window.first, window.pitch,
                *window.format);
    showPixels(target, part);
}

// For a keeping picture, the surface kept for its file, made again if the
// file's bytes have changed; null otherwise, or if none can be made.
SDL_Surface* Picture::keptSurface() {
    if (!keeping) return nullptr;
    Kept& kept = keptPictures()[name];
    const Uint8* file = bytes->data();
    if (!kept.surface || kept.file.size() != length || !sameBytes(file, kept.file.data(), length)) {
        kept.surface.reset(toSurface());
        kept.file.assign(file, file + length);
    }
    return kept.surface.get();
}

SDL_Surface* Picture::toSurface() {
    if (decoded) return decoded.release();
    SDL_Surface* surface = makeRgbaSurface(bmp.width, bmp.height);
    PixelWindow window;
    const SDL_Rect whole = {0, 0, static_cast<Uint16>(bmp.width), static_cast<Uint16>(bmp.height)};
    if (!surface || !openPixels(surface, whole, window)) return surface;
    convertRows(bmp, bytes->data(), 0, 0, bmp.width, bmp.height, window.first, window.pitch,
                *window.format);
    showPixels(surface, whole);
    return surface;
}

// The part of the top `rows` rows that lands on the target at (x, y),
// clipped as SDL clips a blit: to the target's clip rectangle. False when
// none does.
bool Picture::clip(const SDL_Surface* target, Sint16 x, Sint16 y, int rows) {
    const SDL_Rect& area = target->clip_rect;
    const int left = std::max<int>(x, area.x);
    const int top = std::max<int>(y, area.y);
    const int right = std::min(x + bmp.width, area.x + area.w);
    const int bottom = std::min(y + std::min(rows, bmp.height), area.y + area.h);
    part = {static_cast<Sint16>(left), static_cast<Sint16>(top), 0, 0};
    if (right <= left || bottom <= top) return false;
    part.w = static_cast<Uint16>(right - left);
    part.h = static_cast<Uint16>(bottom - top);
    return true;
}

SDL_Surface* readPicture(const std::string& path) {
    std::vector<Uint8> buffer;
    Picture picture(buffer);
    const PictureRead read = picture.read(path);
    return read == PictureRead::Read || read == PictureRead::LeftToSdl ? picture.toSurface()
                                                                       : nullptr;
}

SDL_Surface* loadBMP(std::string path) {
    SDL_Surface* surface = readPicture(path);
    if (!surface) reportCantLoad(path);
    return surface;
}

// The background is drawn every frame, so the buffer it is read into stays.
// Without a target the file is still read, and a fault reported.
void ShowBMP(std::string path, SDL_Surface* target, int x, int y, bool update) {
    static std::vector<Uint8> buffer;
    Picture picture(buffer);
    const PictureRead read = target ? picture.read(path, Place{target, x, y}) : picture.read(path);
    if (read == PictureRead::Refused) return reportCantLoad(path);
    if (!target) return;
    if (read != PictureRead::Drawn) picture.draw(target, x, y, picture.height());
    SDL_Rect drawn = picture.drawn();
    if (update) SDL_UpdateRects(target, 1, &drawn);
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
