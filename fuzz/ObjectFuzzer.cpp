// Arbitrary bytes as the picture of a screen object: set, selected and
// deselected, copied, assigned, reloaded and drawn, visible and at the edges.
#include "FuzzSupport.h"
#include "Object.h"

#include <cstddef>
#include <cstdint>

namespace {

const char* const kPicture = "images/thing.bmp";
const char* const kSelectedPicture = "images/thing_selected.bmp";
// The nominal size used for centring; the picture keeps its own.
const int kHeight = 48;
const int kWidth = 45;

void drawEverywhere(Object& object) {
    for (std::size_t i = 0; i < fuzzsupport::kPlaceCount; ++i) {
        object.moveTo(fuzzsupport::kPlaces[i].x, fuzzsupport::kPlaces[i].y);
        object.display(fuzzsupport::screen(), i % 2 == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzsupport::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzsupport::writeFile(kPicture, data, size);
    fuzzsupport::writeFile(kSelectedPicture, data, size / 2);

    Object thing(kHeight, kWidth, true);
    thing.setImage(kPicture);
    fuzzsupport::noteOutcome(thing.getImage());
    drawEverywhere(thing);
    thing.select_this();
    drawEverywhere(thing);
    thing.deselect_this();

    Object copy(thing);
    drawEverywhere(copy);
    Object assigned(1, 1, false);
    assigned = copy;
    assigned.render();
    drawEverywhere(assigned);

    // An object without a picture draws nothing and says so.
    thing.setImage("images/missing.bmp");
    drawEverywhere(thing);
    return 0;
}
