#include "GameDisplay.h"

#include "BmpDecode.h"
#include "EventQueue.h"
#include "Object.h"
#include "Platform.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <vector>

namespace {

// The window is a plain window: a hardware palette for 8-bit modes and
// double buffering, never full screen.
const Uint32 kVideoFlags = SDL_HWPALETTE | SDL_DOUBLEBUF;
const int kPaletteSize = 256;

// Text surfaces are composed in 32-bit RGBA.
const Uint32 kRedMask = 0x000000FF;
const Uint32 kGreenMask = 0x0000FF00;
const Uint32 kBlueMask = 0x00FF0000;
const Uint32 kAlphaMask = 0xFF000000;

const char* const kFontFolder = "fonts/";
const char* const kFontExtension = ".bmp";

// No picture file is larger than this. Files are read in one request when
// they fit the first read, as every picture of the game does.
const std::size_t kMaxPictureBytes = 64 * 1024 * 1024;
const std::size_t kFirstRead = 1024 * 1024;
const std::size_t kGlyphRead = 4096;
// The largest surface SDL makes, for a text composed into one.
const int kMaxTextWidth = 16383;
const int kMaxTextHeight = 65535;

// Every picture passes through this one buffer. It grows to the largest
// file read and stays, so reading the same pictures frame after frame
// allocates nothing.
std::vector<Uint8>& pictureBytes() {
    static std::vector<Uint8> bytes(kFirstRead);
    return bytes;
}

void drawFiles(const std::list<std::string>& files, SDL_Surface* target) {
    for (const std::string& file : files) ShowBMP(file, target, 0, 0, false);
}

void freeAll(std::vector<SDL_Surface*>& surfaces) {
    for (SDL_Surface* surface : surfaces) SDL_FreeSurface(surface);
    surfaces.clear();
}

}  // namespace

SDL_Surface* createDisplay(SDL_Surface*, unsigned long width, unsigned long height,
                           unsigned int bitsPerPixel, SDL_Color* palette, int paletteEntries) {
    for (int i = 0; i < paletteEntries; ++i) {
        const Uint8 grey = static_cast<Uint8>(i);
        palette[i].r = grey;
        palette[i].g = grey;
        palette[i].b = grey;
    }
    SDL_Surface* screen = SDL_SetVideoMode(static_cast<int>(width), static_cast<int>(height),
                                           static_cast<int>(bitsPerPixel), kVideoFlags);
    if (!screen) {
        std::printf("Couldn't set video mode: %s\n", SDL_GetError());
        std::exit(-1);
    }
    SDL_SetPalette(screen, SDL_LOGPAL | SDL_PHYSPAL, palette, 0, kPaletteSize);
    return screen;
}

void updateScreen(SDL_Surface* screen) {
    SDL_UpdateRect(screen, 0, 0, screen->w, screen->h);
}

void displayBG(SDL_Surface*, Console& console) {
    drawFiles(console.bg_files, console.screen);
}

void displayUI(SDL_Surface*, Console& console) {
    drawFiles(console.ui_files, console.screen);
}

void displayElse(Console& console, Object* skip) {
    // Back to front, so the object at the front of the list ends up on top.
    for (auto it = console.objects.rbegin(); it != console.objects.rend(); ++it)
        if (*it != skip) (*it)->display(console.screen, false);
}

void click_drag(Object& object, SDL_Event& event, Console& console) {
    int previousX = event.button.x;
    int previousY = event.button.y;
    if (!waitEvent(event)) return;
    while (event.type != SDL_MOUSEBUTTONUP) {
        if (event.type == SDL_QUIT) {
            // Leave the quit request for the screen's own loop.
            putBack(event);
            return;
        }
        const SDL_MouseMotionEvent& motion = event.motion;
        if (event.type == SDL_MOUSEMOTION && motion.x < console.screen->w &&
            motion.y < console.screen->h) {
            std::cout << "dragged!:  X:" << motion.x << " Y: " << motion.y << std::endl;
            object.moveTo(object.getx() + motion.x - previousX,
                          object.gety() + motion.y - previousY);
            displayBG(console.screen, console);
            displayElse(console, &object);
            object.display(console.screen, false);
            updateScreen(console.screen);
            previousX = motion.x;
            previousY = motion.y;
        }
        if (!waitEvent(event)) return;
    }
}

namespace {

// Every picture and glyph is read here, into the picture buffer, and
// checked before anything is made for it: the file's length, or -1 with
// SDL's error set.
long readChecked(const std::string& path) {
    std::vector<Uint8>& bytes = pictureBytes();
    const long length = readWholeFile(path, bytes, kMaxPictureBytes);
    if (length < 0 || !claimsSensibleSizes(bytes.data(), static_cast<std::size_t>(length)))
        return -1;
    return length;
}

SDL_Surface* decodeRead(long length) {
    if (length < 0) return nullptr;
    return decodePicture(pictureBytes().data(), static_cast<std::size_t>(length));
}

SDL_Surface* reportIfNull(SDL_Surface* surface, const std::string& path) {
    if (!surface) {
        const std::string message = "Couldn't load " + path + ": " + SDL_GetError() + "\n";
        std::fprintf(stderr, "%s", message.c_str());
    }
    return surface;
}

// The background fills the display in every frame, so the rows of a
// picture already in the display's format go straight from the file onto
// it, giving kDrawnStraight and the part drawn; when they are cut at the
// sides, or the picture is small, they are copied from the bytes read. Any
// other picture is read whole, as readChecked reads it (a file larger than
// any picture is refused either way), and decoded.
const long kDrawnStraight = -2;

long readOrDraw(const std::string& path, SDL_Surface* target, Sint16 x, Sint16 y, SDL_Rect& drawn) {
    static std::vector<FileRun> runs;
    File file(path);
    if (!file.isOpen()) return -1;
    std::vector<Uint8>& bytes = pictureBytes();
    long length = file.read(bytes.data(), kBmpHeadBytes);
    const long long whole = length == kBmpHeadBytes ? file.length() : -1;
    if (whole > length && whole <= static_cast<long long>(kMaxPictureBytes) &&
        claimsSensibleSizes(bytes.data(), static_cast<std::size_t>(length)) &&
        !(SDL_MUSTLOCK(target) && SDL_LockSurface(target) < 0)) {
        const bool straight = placeBmpRows(bytes.data(), static_cast<std::size_t>(whole), target, x,
                                           y, runs, drawn) &&
                              file.readRuns(runs);
        if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
        if (straight) return kDrawnStraight;
    }
    length = readRest(file, bytes, length, kMaxPictureBytes);
    if (length < 0 || !claimsSensibleSizes(bytes.data(), static_cast<std::size_t>(length)))
        return -1;
    if (copyBmpRows(bytes.data(), static_cast<std::size_t>(length), target, x, y, drawn))
        return kDrawnStraight;
    return length;
}

}  // namespace

SDL_Surface* readPicture(const std::string& path) {
    return decodeRead(readChecked(path));
}

SDL_Surface* loadBMP(std::string path) {
    return reportIfNull(readPicture(path), path);
}

void ShowBMP(std::string path, SDL_Surface* target, int x, int y, bool update) {
    SDL_Rect drawn;
    const long length =
        target && kPixelsCanBeCopied
            ? readOrDraw(path, target, static_cast<Sint16>(x), static_cast<Sint16>(y), drawn)
            : readChecked(path);
    if (length == kDrawnStraight) {
        if (update) SDL_UpdateRects(target, 1, &drawn);
        return;
    }
    SDL_Surface* image = reportIfNull(decodeRead(length), path);
    if (!image) return;
    display_image(image, target, x, y, update);
    SDL_FreeSurface(image);
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

SDL_Surface* create_SDL_Surface(int width, int height) {
    SDL_Surface* surface =
        SDL_CreateRGBSurface(0, width, height, 32, kRedMask, kGreenMask, kBlueMask, kAlphaMask);
    if (!surface) {
        std::fprintf(stderr, "CreateRGBSurface failed: %s\n", SDL_GetError());
        std::exit(1);
    }
    return surface;
}

namespace {

std::string letterPath(char c, std::string folder, const std::string& extension) {
    if (std::isspace(static_cast<int>(c))) return folder + "_space" + extension;
    if (c == ':') return folder + "_colon" + extension;
    return folder + c + extension;
}

}  // namespace

SDL_Surface* load_letter(char c, std::string folder, std::string extension) {
    return readPicture(letterPath(c, std::move(folder), extension));
}

namespace {

// Every letter is as high as the first, so one damaged glyph, thin and tall,
// would turn a short text into a picture larger than any picture may be, or
// than SDL can make.
bool isDrawableText(int width, int height) {
    return width > 0 && height > 0 && width <= kMaxTextWidth && height <= kMaxTextHeight &&
           static_cast<long long>(width) * height <= kMaxPicturePixels;
}

// Loads the picture of every letter of a text, in order, and gives the size
// of the text they make; false, with nothing kept, when the text can't be
// shown: empty, a letter without its picture, or no size a picture may have.
bool loadLetters(std::string const& text, std::vector<SDL_Surface*>& letters, int& width,
                 int& height) {
    if (text.empty()) return false;
    letters.reserve(text.size());
    width = 0;
    for (char c : text) {
        SDL_Surface* letter = load_letter(c, kFontFolder, kFontExtension);
        if (!letter) {
            freeAll(letters);
            return false;
        }
        width += letter->w;
        letters.push_back(letter);
    }
    height = letters.front()->h;
    const bool drawable = isDrawableText(width, height);
    if (!drawable) freeAll(letters);
    return drawable;
}

// Blits the letters side by side, each cut to the height of the first.
void drawLetters(const std::vector<SDL_Surface*>& letters, int height, SDL_Surface* target, int x,
                 int y) {
    int pen = x;
    for (SDL_Surface* letter : letters) {
        SDL_Rect part = {0, 0, static_cast<Uint16>(letter->w),
                         static_cast<Uint16>(std::min(letter->h, height))};
        SDL_Rect where = {static_cast<Sint16>(pen), static_cast<Sint16>(y), part.w, part.h};
        SDL_UpperBlit(letter, &part, target, &where);
        pen += letter->w;
    }
}

// The score and the lives are drawn in every frame, so letters already in the
// display's format are drawn straight from their files' bytes, each read
// into a buffer of its own that stays. False, with nothing drawn, unless every
// letter is such a picture and the text can be shown; the text is then drawn
// from decoded letters, which also decide whether it is shown at all.
bool drawLettersStraight(const std::string& text, SDL_Surface* target, int x, int y) {
    static std::vector<std::vector<Uint8>> files;
    if (!kPixelsCanBeCopied || text.empty()) return false;
    if (files.size() < text.size()) files.resize(text.size(), std::vector<Uint8>(kGlyphRead));
    std::vector<std::pair<std::size_t, int>> letters;  // each file's length, each letter's width
    int width = 0;
    int height = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const long read = readWholeFile(letterPath(text[i], kFontFolder, kFontExtension), files[i],
                                        kMaxPictureBytes);
        const Uint8* bytes = files[i].data();
        const std::size_t length = static_cast<std::size_t>(read);
        int w = 0;
        int h = 0;
        if (read < 0 || !claimsSensibleSizes(bytes, length) ||
            !holdsPixelsOf(bytes, length, *target->format) || !bmpSize(bytes, length, w, h))
            return false;
        letters.emplace_back(length, w);
        width += w;
        if (i == 0) height = h;
    }
    if (!isDrawableText(width, height)) return false;
    // Each letter is cut to the height of the first: the line is clipped there.
    const SDL_Rect kept = target->clip_rect;
    const int top = std::max<int>(kept.y, static_cast<Sint16>(y));
    const int bottom = std::min(kept.y + kept.h, static_cast<Sint16>(y) + height);
    if (bottom <= top) return true;
    SDL_Rect line = {kept.x, static_cast<Sint16>(top), kept.w, static_cast<Uint16>(bottom - top)};
    SDL_SetClipRect(target, &line);
    SDL_Rect drawn;
    int pen = x;
    for (std::size_t i = 0; i < text.size(); ++i) {
        copyBmpRows(files[i].data(), letters[i].first, target, static_cast<Sint16>(pen),
                    static_cast<Sint16>(y), drawn);
        pen += letters[i].second;
    }
    SDL_SetClipRect(target, &kept);
    return true;
}

}  // namespace

SDL_Surface* createText(std::string const& text) {
    std::vector<SDL_Surface*> letters;
    int width = 0;
    int height = 0;
    if (!loadLetters(text, letters, width, height)) return nullptr;
    // A text SDL can't make room for is left out rather than ending the game.
    SDL_Surface* composed =
        SDL_CreateRGBSurface(0, width, height, 32, kRedMask, kGreenMask, kBlueMask, kAlphaMask);
    if (composed) drawLetters(letters, height, composed, 0, 0);
    freeAll(letters);
    return composed;
}

// Draws the letters straight onto the target: the same picture as composing
// the text first, where the parts below shorter letters stay clear, but
// without a 32-bit surface to blend onto the display in every frame.
void displayText(std::string const& text, SDL_Surface* target, int x, int y, bool) {
    std::vector<SDL_Surface*> letters;
    int width = 0;
    int height = 0;
    if (!target || drawLettersStraight(text, target, x, y) ||
        !loadLetters(text, letters, width, height))
        return;
    drawLetters(letters, height, target, x, y);
    freeAll(letters);
}
