#include "animation_C.h"

#include "Picture.h"

#include <utility>

namespace {

SDL_Surface* duplicate(SDL_Surface* surface) {
    if (!surface) return nullptr;
    return SDL_ConvertSurface(surface, surface->format, surface->flags);
}

}  // namespace

Animation::Frame::Frame(char frameTag) : surface(nullptr), tag(frameTag) {}

// Delegating first makes the animation whole, so a failure part-way through
// still frees the pictures already copied.
Animation::Animation(const Animation& other) : Animation() {
    for (const Frame& frame : other.frames) {
        frames.emplace_back(frame.tag);
        frames.back().surface = duplicate(frame.surface);
    }
}

Animation::Animation(Animation&& other) : Animation() {
    frames.swap(other.frames);
}

Animation& Animation::operator=(const Animation& other) {
    Animation copy(other);
    frames.swap(copy.frames);
    return *this;
}

Animation& Animation::operator=(Animation&& other) {
    Animation taken(std::move(other));
    frames.swap(taken.frames);
    return *this;
}

Animation::~Animation() {
    freeAll();
}

void Animation::add_image(std::string path, char tag) {
    // The frame goes in first, so the surface has its owner the moment it exists.
    frames.emplace_back(tag);
    frames.back().surface = readPicture(path);
}

void Animation::remove_image(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= frames.size()) return;
    const auto at = frames.begin() + index;
    SDL_FreeSurface(at->surface);
    frames.erase(at);
}

void Animation::add_images_from_folder(std::string) {}

void Animation::freeAll() {
    for (Frame& frame : frames) SDL_FreeSurface(frame.surface);
    frames.clear();
}
