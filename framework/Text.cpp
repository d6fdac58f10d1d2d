#include "Text.h"

#include "Picture.h"

#include <cctype>
#include <vector>

namespace {

const char* const kFontFolder = "fonts/";
const char* const kFontExtension = ".bmp";
// The largest surface SDL makes, for a text composed into one.
const int kMaxTextWidth = 16383;
const int kMaxTextHeight = 65535;

std::string letterPath(char c, std::string folder, const std::string& extension) {
    if (std::isspace(static_cast<int>(c))) return folder + "_space" + extension;
    if (c == ':') return folder + "_colon" + extension;
    return folder + c + extension;
}

// The letters of a text, each read into a buffer of its own. The buffers
// stay from one text to the next, so that the score and the lives, drawn
// every frame, read their letters without making room for them again.
class Letters {
public:
    // False when the text can't be shown: empty, a letter without its
    // picture, or a line larger than any picture may be, or than SDL can make
    // (every letter is as high as the first, so one damaged glyph, thin and
    // tall, would make a short text huge).
    bool read(const std::string& text) {
        static std::vector<std::vector<Uint8>> buffers;
        if (text.empty()) return false;
        if (buffers.size() < text.size()) buffers.resize(text.size());
        pictures.reserve(text.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
            pictures.emplace_back(buffers[i]);
            if (pictures.back().read(letterPath(text[i], kFontFolder, kFontExtension)) ==
                PictureRead::Refused)
                return false;
            width += pictures.back().width();
        }
        height = pictures.front().height();
        return width > 0 && height > 0 && width <= kMaxTextWidth && height <= kMaxTextHeight &&
               static_cast<long long>(width) * height <= kMaxPicturePixels;
    }

    void draw(SDL_Surface* target, int x, int y) {
        for (Picture& letter : pictures) {
            letter.draw(target, x, y, height);
            x += letter.width();
        }
    }

    int width = 0;
    int height = 0;

private:
    std::vector<Picture> pictures;
};

}  // namespace

SDL_Surface* load_letter(char c, std::string folder, std::string extension) {
    return readPicture(letterPath(c, std::move(folder), extension));
}

SDL_Surface* createText(std::string const& text) {
    Letters letters;
    if (!letters.read(text)) return nullptr;
    // A text SDL can't make room for is left out rather than ending the game.
    SDL_Surface* composed = makeRgbaSurface(letters.width, letters.height);
    if (composed) letters.draw(composed, 0, 0);
    return composed;
}

void displayText(std::string const& text, SDL_Surface* target, int x, int y, bool) {
    Letters letters;
    if (target && letters.read(text)) letters.draw(target, x, y);
}
