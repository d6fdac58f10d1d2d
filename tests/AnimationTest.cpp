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

// Pictures told apart by their widths and colours, and an animation of them
// tagged a, b and c, then a frame whose file is missing.
class AnimationTest : public testing::Test {
protected:
    void SetUp() override {
        files.picture("images/a.bmp", 3, 2, kRed);
        files.picture("images/b.bmp", 5, 2, kGreen);
        files.picture("images/c.bmp", 7, 2, kBlue);
        for (char tag : {'a', 'b', 'c'}) abcm.add_image(std::string("images/") + tag + ".bmp", tag);
        EXPECT_EQ(stderrOf([&] { abcm.add_image("images/missing.bmp", 'm'); }), "");
    }
    TempResources files;
    Animation abcm;
};

// Frames keep their order; an index outside the list or a folder changes nothing.
TEST_F(AnimationTest, FramesAreAddedAndRemovedInOrder) {
    EXPECT_EQ(framesOf(abcm), "a3 b5 c7 m-");
    for (int index : {-1, 4, 1}) abcm.remove_image(index);
    abcm.add_images_from_folder("images");
    EXPECT_EQ(framesOf(abcm), "a3 c7 m-");
    Animation empty;
    empty.remove_image(0);
    EXPECT_TRUE(empty.frames.empty());
}

// Copies own their pictures and outlive the original; moves hand them over.
TEST_F(AnimationTest, CopiesHaveTheirOwnPicturesAndMovesHandThemOver) {
    auto original = std::make_unique<Animation>(abcm);
    Animation copy(*original), assigned;
    assigned.add_image("images/b.bmp", 'b');
    assigned = *original;
    Animation& same = assigned;
    assigned = same;
    EXPECT_NE(copy.frames[0].surface, original->frames[0].surface);
    EXPECT_NE(assigned.frames[2].surface, original->frames[2].surface);
    original.reset();
    for (Animation* a : {&copy, &assigned}) {
        ASSERT_EQ(framesOf(*a), "a3 b5 c7 m-");
        EXPECT_EQ(pixelAt(a->frames[0].surface, 2, 1), kRed);
        EXPECT_EQ(pixelAt(a->frames[2].surface, 6, 1), kBlue);
    }
    SDL_Surface* const first = copy.frames[0].surface;
    Animation moved(std::move(copy));
    assigned = std::move(moved);
    EXPECT_TRUE(copy.frames.empty() && moved.frames.empty());
    EXPECT_EQ(framesOf(assigned), "a3 b5 c7 m-");
    EXPECT_EQ(assigned.frames[0].surface, first);
}

