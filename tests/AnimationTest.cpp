#include "animation_C.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

using namespace testsupport;
using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace {

// Three pictures told apart by their widths and colours, and an animation of
// them tagged a, b and c in that order.
class AnimationTest : public testing::Test {
protected:
    void SetUp() override {
        files.picture("images/a.bmp", 3, 2, kRed);
        files.picture("images/b.bmp", 5, 2, kGreen);
        files.picture("images/c.bmp", 7, 2, kBlue);
        addAll(abc);
    }

    static void addAll(Animation& animation) {
        for (char tag : {'a', 'b', 'c'})
            animation.add_image(std::string("images/") + tag + ".bmp", tag);
    }

    TempResources files;
    Animation abc;
};

// Each frame as its tag and the width of its picture, "-" for none: "a3 b5 m-".
std::string framesOf(const Animation& animation) {
    std::string seen;
    for (const Animation::Frame& frame : animation.frames)
        seen += (seen.empty() ? "" : " ") + std::string(1, frame.tag) +
                (frame.surface ? std::to_string(frame.surface->w) : "-");
    return seen;
}

TEST_F(AnimationTest, FramesKeepTheOrderTheyWereAddedIn) {
    EXPECT_TRUE(Animation().frames.empty());
    EXPECT_EQ(framesOf(abc), "a3 b5 c7");
}

TEST_F(AnimationTest, RemovingTheMiddleFrameKeepsTheOthersInOrder) {
    abc.remove_image(1);
    EXPECT_EQ(framesOf(abc), "a3 c7");
}

// Adding a folder loads nothing yet.
TEST_F(AnimationTest, RemovingOutsideTheListOrAddingAFolderChangesNothing) {
    abc.remove_image(-1);
    abc.remove_image(3);
    abc.add_images_from_folder("images");
    EXPECT_EQ(framesOf(abc), "a3 b5 c7");
    Animation empty;
    empty.remove_image(0);
    EXPECT_TRUE(empty.frames.empty());
}

TEST_F(AnimationTest, MissingFileAddsAFrameWithoutAPictureSilently) {
    Animation animation;
    CaptureStdout();
    CaptureStderr();
    animation.add_image("images/missing.bmp", 'm');
    EXPECT_EQ(GetCapturedStderr(), "");
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(framesOf(animation), "m-");
    animation.remove_image(0);
    EXPECT_TRUE(animation.frames.empty());
}

// Copies own their pictures: they outlive the animation they were copied from.
TEST_F(AnimationTest, CopyHasItsOwnPictures) {
    auto original = std::make_unique<Animation>();
    addAll(*original);
    original->add_image("images/missing.bmp", 'm');
    Animation copy(*original);
    ASSERT_EQ(framesOf(copy), "a3 b5 c7 m-");
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_NE(copy.frames[i].surface, original->frames[i].surface);
    original.reset();
    EXPECT_EQ(pixelAt(copy.frames[0].surface, 2, 1), kRed);
    EXPECT_EQ(pixelAt(copy.frames[2].surface, 6, 1), kBlue);
}

TEST_F(AnimationTest, AssignmentReplacesTheFramesWithCopies) {
    auto original = std::make_unique<Animation>();
    original->add_image("images/c.bmp", 'c');
    abc = *original;
    ASSERT_EQ(framesOf(abc), "c7");
    EXPECT_NE(abc.frames[0].surface, original->frames[0].surface);
    original.reset();
    EXPECT_EQ(pixelAt(abc.frames[0].surface, 0, 0), kBlue);
}

TEST_F(AnimationTest, SelfAssignmentKeepsThePictures) {
    Animation& same = abc;
    abc = same;
    ASSERT_EQ(framesOf(abc), "a3 b5 c7");
    EXPECT_EQ(pixelAt(abc.frames[1].surface, 4, 1), kGreen);
}

TEST_F(AnimationTest, MovingHandsThePicturesOver) {
    SDL_Surface* const first = abc.frames[0].surface;
    Animation moved(std::move(abc));
    EXPECT_TRUE(abc.frames.empty());
    ASSERT_EQ(framesOf(moved), "a3 b5 c7");
    EXPECT_EQ(moved.frames[0].surface, first);
    Animation target;
    target.add_image("images/b.bmp", 'b');
    target = std::move(moved);
    EXPECT_TRUE(moved.frames.empty());
    ASSERT_EQ(framesOf(target), "a3 b5 c7");
    EXPECT_EQ(target.frames[0].surface, first);
}

}  // namespace
