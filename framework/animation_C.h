#ifndef ORBITANE_FRAMEWORK_ANIMATION_C_H
#define ORBITANE_FRAMEWORK_ANIMATION_C_H

#include <SDL.h>

#include <deque>
#include <string>

// A sequence of tagged pictures, oldest first. The animation owns every
// surface in its frames and frees each once; copies get pictures of their own.
class Animation {
public:
    // One picture and the tag it was added under; the surface is null when
    // the picture could not be loaded.
    struct Frame {
        SDL_Surface* surface;
        char tag;
        Frame(char tag);
    };

    Animation() = default;
    Animation(const Animation& other);
    Animation(Animation&& other);
    Animation& operator=(const Animation& other);
    Animation& operator=(Animation&& other);
    ~Animation();

    // Adding and removing pictures. A missing file still adds a frame; an
    // index outside the list removes nothing.
    void add_image(std::string path, char tag);
    void remove_image(int index);
    // Reserved for loading a whole folder; it loads nothing yet.
    void add_images_from_folder(std::string folder);

    std::deque<Frame> frames;

private:
    void freeAll();
};

#endif
