// Arbitrary bytes as a picture file: loaded, drawn at every kind of place on
// the 16-bit display and on a 32-bit surface, and shown straight from disk.
#include "FuzzSupport.h"
#include "GameDisplay.h"

#include <cstddef>
#include <cstdint>

namespace {

const char* const kPicture = "images/picture.bmp";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzsupport::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using fuzzsupport::kPlaces;
    fuzzsupport::writeFile(kPicture, data, size);
    SDL_Surface* screen = fuzzsupport::screen();
    SDL_Surface* image = loadBMP(kPicture);
    fuzzsupport::noteOutcome(image);
    for (std::size_t i = 0; i < fuzzsupport::kPlaceCount; ++i) {
        display_image(image, screen, kPlaces[i].x, kPlaces[i].y, true);
        display_image(image, fuzzsupport::trueColour(), kPlaces[i].x, kPlaces[i].y, false);
    }
    SDL_FreeSurface(image);
    ShowBMP(kPicture, screen, 10, 10, true);
    SDL_Rect where = {-20, 580, 5, 5};
    ShowBMP(kPicture, screen, where, false);
    return 0;
}
