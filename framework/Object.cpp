#include "Object.h"

#include "Picture.h"

#include <fstream>
#include <iostream>
#include <utility>

const std::string NO_FILENAME = "images/NO_IMAGE.bmp";

namespace {

const std::string kSelectedSuffix = "_selected";
// ".bmp" and every other extension the selected look is built around.
const std::string::size_type kExtensionLength = 4;

// The extent of a centred rectangle, with the half sizes rounded down the
// way the 16-bit rectangle's unsigned fields divide.
struct Extent {
    int left, right, top, bottom;
};

Extent extentOf(const SDL_Rect& r) {
    const int halfW = r.w >> 1;
    const int halfH = r.h >> 1;
    return {r.x - halfW, r.x + halfW, r.y - halfH, r.y + halfH};
}

}  // namespace

bool fileExists(char const* path) {
    std::ifstream file(path, std::ios::in);
    const bool exists = file.good();
    file.close();
    return exists;
}

Object::Object(int height, int width, bool isSelectable)
    : rect(), filename(NO_FILENAME), image(nullptr), selectable(isSelectable), selected(false),
      visible(true) {
    resize(height, width);
    moveTo(0, 0);
    Object::setImage(std::string(filename));
}

Object::Object(const Object& other)
    : rect(other.rect), filename(other.filename), image(nullptr), selectable(other.selectable),
      selected(other.selected), visible(other.visible) {
    if (other.image)
        image = SDL_ConvertSurface(other.image, other.image->format, other.image->flags);
}

Object& Object::operator=(const Object& other) {
    Object copy(other);
    swapem(copy);
    return *this;
}

Object::~Object() {
    SDL_FreeSurface(image);
}

void Object::swapem(Object& other) {
    std::swap(rect, other.rect);
    std::swap(filename, other.filename);
    std::swap(image, other.image);
    std::swap(selectable, other.selectable);
    std::swap(selected, other.selected);
    std::swap(visible, other.visible);
}

void Object::setImage(std::string path) {
    filename = std::move(path);
    if (image) SDL_FreeSurface(image);
    image = readPicture(filename);
}

void Object::render() {
    SDL_FreeSurface(image);
    image = readPicture(filename);
}

void Object::display(SDL_Surface* target, bool update) {
    if (!visible) return;
    if (image) {
        display_image(image, target, rect.x - (rect.w >> 1), rect.y - (rect.h >> 1), update);
    } else {
        std::cerr << "Couldn't display " << filename << ": " << SDL_GetError() << std::endl;
    }
}

void Object::moveTo(int x, int y) {
    rect.x = static_cast<Sint16>(x);
    rect.y = static_cast<Sint16>(y);
}

void Object::moveBy(int dx, int dy) {
    moveTo(rect.x + dx, rect.y + dy);
}

void Object::resize(int height, int width) {
    rect.h = static_cast<Uint16>(height);
    rect.w = static_cast<Uint16>(width);
}

void Object::toggle_selectability(int value) {
    selectable = value == -1 ? !selectable : value != 0;
}

void Object::select_this() {
    if (!selectable || selected) return;
    std::string candidate = filename;
    // A name too short to hold an extension keeps its own picture.
    if (candidate.size() >= kExtensionLength)
        candidate.insert(candidate.size() - kExtensionLength, kSelectedSuffix);
    if (fileExists(candidate.c_str())) setImage(candidate);
    std::cout << filename << std::endl;
    selected = true;
}

void Object::deselect_this() {
    if (!selectable || !selected) return;
    std::string plain = filename;
    const std::string::size_type at = plain.rfind(kSelectedSuffix);
    const std::string::size_type tail = kSelectedSuffix.size() + kExtensionLength;
    if (at != std::string::npos && plain.size() >= tail && at == plain.size() - tail)
        plain.erase(at, kSelectedSuffix.size());
    if (fileExists(plain.c_str())) setImage(plain);
    std::cout << filename << std::endl;
    selected = false;
}

void Object::select_this_toggle() {
    if (!selectable) return;
    if (selected)
        deselect_this();
    else
        select_this();
}

bool Object::accepts_this_input(SDL_Event) const {
    return true;
}

void Object::handle_input(SDL_Event) {}

bool Object::is_on_this(SDL_Rect other) const {
    const Extent me = extentOf(rect);
    const Extent them = extentOf(other);
    return me.bottom > them.top && me.top < them.bottom && me.right > them.left &&
           me.left < them.right;
}

bool Object::is_on_this(int px, int py) const {
    const Extent me = extentOf(rect);
    return me.bottom > py && me.top < py && me.right > px && me.left < px;
}
