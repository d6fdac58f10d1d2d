#include "TestSupport.h"
#include "animation_C.h"

// Each frame as its tag and the width of its picture, "-" for none: "a3 b5 m-".
std::string framesOf(const Animation& animation) {
    std::string seen;
    for (const Animation::Frame& frame : animation.frames)
        seen += (seen.empty() ? "" : " ") + std::string(1, frame.tag) +
                (frame.surface ? std::to_string(frame.surface->w) : "-");
    return seen;
}

// Frames keep their order, bad indexes and folders change nothing, copies own their pictures.
TEST(Animation, FramesKeepTheirOrderAndCopiesTheirOwnPictures) {
    TempResources files;
    auto original = std::make_unique<Animation>();
    for (int width : {3, 5, 7}) {
        files.picture("images/" + std::to_string(width) + ".bmp", width, 2,
                      kRed >> (width - 3) * 4);
        original->add_image("images/" + std::to_string(width) + ".bmp", 'a' + width / 2 - 1);
    }
    EXPECT_EQ(stderrOf([&] { original->add_image("images/missing.bmp", 'm'); }), "");
    original->add_images_from_folder("images");
    Animation copy(*original), assigned;
    assigned.add_image("images/5.bmp", 'b');
    SDL_Surface* const replaced = assigned.frames[0].surface;
    ++replaced->refcount;  // held, to see the assignment let go of it
    assigned = *original;
    EXPECT_EQ(replaced->refcount, 1);
    SDL_FreeSurface(replaced);
    Animation& same = assigned;
    assigned = same;
    EXPECT_NE(copy.frames[0].surface, original->frames[0].surface);
    EXPECT_NE(assigned.frames[2].surface, original->frames[2].surface);
    original.reset();
    for (Animation* a : {&copy, &assigned}) {
        ASSERT_EQ(framesOf(*a), "a3 b5 c7 m-");
        EXPECT_EQ(pixelAt(a->frames[2].surface, 6, 1), kBlue);
    }
    // clang-format off
    const struct { const char* name; int index; const char* left; } removals[] = {
        {"before the first", -1, "a3 b5 c7 m-"}, {"the first", 0, "b5 c7 m-"},
        {"a middle one", 1, "a3 c7 m-"}, {"the last", 3, "a3 b5 c7"},
        {"past the last", 4, "a3 b5 c7 m-"}};
    // clang-format on
    for (const auto& r : removals) {
        Animation shorter(copy);
        shorter.remove_image(r.index);
        EXPECT_EQ(framesOf(shorter), r.left) << r.name;
    }
    SDL_Surface* const first = copy.frames[0].surface;
    assigned = Animation(std::move(copy));
    EXPECT_EQ(assigned.frames[0].surface, first);
}
