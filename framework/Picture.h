#ifndef ORBITANE_FRAMEWORK_PICTURE_H
#define ORBITANE_FRAMEWORK_PICTURE_H

#include "Bmp.h"
#include "Platform.h"

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

// A surface freed when its owner goes.
struct SurfaceFree {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFree>;

// A picture file read whole and parsed once, then drawn. A picture whose
// pixels the target keeps as they are, and in a web page every picture, has
// its rows written straight onto the target; SDL decodes any other and blits
// it. Nothing is kept from one picture to the next but the buffer its file
// is read into, which the caller keeps.
class Picture {
public:
    explicit Picture(std::vector<Uint8>& buffer) : bytes(&buffer) {}

    // False, with SDL's error set, for a file that can't be shown.
    bool read(const std::string& path);
    // Reads the file and draws the picture at (x, y) on the target, clipped
    // as a blit is, and gives the part drawn; false, with SDL's error set,
    // when it can't be shown.
    bool show(const std::string& path, SDL_Surface* target, int x, int y, SDL_Rect& drawn);
    int width() const;
    int height() const;
    // Draws the top `rows` rows at (x, y), clipped as a blit is, and gives the
    // part drawn; false, with SDL's error set, when SDL can't decode it.
    bool draw(SDL_Surface* target, int x, int y, int rows, SDL_Rect& drawn);
    // The picture as a new surface of its own; null with SDL's error set.
    SDL_Surface* toSurface();
    // The picture in a new 32-bit RGBA surface drawn from its rows, as a web
    // page makes every picture's surface; null for one the game's reader
    // can't read.
    SDL_Surface* toRgbaSurface();

private:
    bool readAfter(File& file, std::size_t head);
    bool readRowsOnto(File& file, SDL_Surface* target, Sint16 x, Sint16 y, SDL_Rect& drawn);
    SDL_Surface* decodeBySdl() const;
    bool clip(const SDL_Surface* target, Sint16 x, Sint16 y, int rows, SDL_Rect& drawn) const;
    void drawRows(SDL_Surface* target, Sint16 x, Sint16 y, int rows, SDL_Rect& drawn) const;

    std::vector<Uint8>* bytes;
    std::size_t length = 0;
    bool parsed = false;
    Bmp bmp;
    SurfacePtr decoded;
};

// The pictures of the screen. Loaded surfaces belong to the caller; a failed
// load is reported on standard error and gives null.
SDL_Surface* loadBMP(std::string path);
// The same without the report: null, with SDL's error set.
SDL_Surface* readPicture(const std::string& path);
void ShowBMP(std::string path, SDL_Surface* target, int x, int y, bool update);
void ShowBMP(std::string path, SDL_Surface* target, SDL_Rect where, bool update);
void display_image(SDL_Surface* image, SDL_Surface* target, int x, int y, bool update);
// A blank 32-bit RGBA surface for composing: null, with SDL's error set, if
// SDL can't make one; with create_SDL_Surface, the program stops instead.
SDL_Surface* makeRgbaSurface(int width, int height);
SDL_Surface* create_SDL_Surface(int width, int height);

#endif
