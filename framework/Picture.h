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

// What reading a picture's file came to.
enum class PictureRead {
    // Its rows were read from the file straight onto the place given.
    Drawn,
    // The whole file is read and parsed: the game's own reader draws it.
    Read,
    // The whole file is read, and SDL's own decoder made it a surface.
    LeftToSdl,
    // It can't be shown; SDL's error says why.
    Refused,
};

// Where a picture may be drawn as its file is read: the target, and where
// the picture's top left corner goes.
struct Place {
    SDL_Surface* target;
    int x;
    int y;
};

// A picture read from its file and then drawn. Its file is opened, its first
// part read and parsed once; then either its rows are read straight onto the
// place given, or the rest of the file is read. The game's own reader draws
// every picture where SDL's decoder is not trusted, and on the desktop a
// picture whose pixels the target keeps as they are; SDL decodes any other.
// Nothing is kept from one picture to the next but the buffer its file is
// read into, which the caller keeps, and, by a keeping picture, each picture
// drawn: made a surface of its own, kept by its file's name and blitted again
// while the file holds the same bytes. Pictures keep where the platform says
// it pays.
class Picture {
public:
    explicit Picture(std::vector<Uint8>& buffer, bool keeping = kKeepsPictures)
        : bytes(&buffer), keeping(keeping) {}

    PictureRead read(const std::string& path);
    PictureRead read(const std::string& path, const Place& place);
    // The part of the target the picture was last drawn on, as a blit
    // leaves its rectangle.
    const SDL_Rect& drawn() const { return part; }

    // A picture that is Read or LeftToSdl: its size, the top `rows` rows of
    // it drawn at (x, y), clipped as a blit is, and the picture as a new
    // surface of its own (null, with SDL's error set, if SDL can't make one).
    int width() const;
    int height() const;
    void draw(SDL_Surface* target, int x, int y, int rows);
    SDL_Surface* toSurface();

private:
    PictureRead readFrom(const std::string& path, const Place* place);
    bool readRest(File& file, std::size_t head);
    bool clip(const SDL_Surface* target, Sint16 x, Sint16 y, int rows);
    SDL_Surface* keptSurface();
    bool readsStraight(const Place& place, std::size_t head);
    PictureRead readStraight(File& file, const Place& place);

    std::vector<Uint8>* bytes;
    bool keeping;
    std::string name;
    std::size_t length = 0;
    Bmp bmp;
    SurfacePtr decoded;
    SDL_Rect part = {0, 0, 0, 0};
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
