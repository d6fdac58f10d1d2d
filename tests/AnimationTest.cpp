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

// Three pictures told apart by their widths and colours.
class AnimationTest : public testing::Test {
protected:
    void SetUp() override {
        files.picture("images/a.bmp", 3, 2, kRed);
        files.picture("images/b.bmp", 5, 2, kGreen);
        files.picture("images/c.bmp", 7, 2, kBlue);
    }

    // Frames a, b and c, in that order.
    void addAll(Animation& animation) {
        animation.add_image("images/a.bmp", 'a');
        animation.add_image("images/b.bmp", 'b');
        animation.add_image("images/c.bmp", 'c');
    }

    TempResources files;
};

TEST_F(AnimationTest, FramesKeepTheOrderTheyWereAddedIn) {
    Animation animation;
    EXPECT_TRUE(animation.frames.empty());
    addAll(animation);
    ASSERT_EQ(animation.frames.size(), 3u);
    EXPECT_EQ(animation.frames[0].tag, 'a');
    EXPECT_EQ(animation.frames[1].tag, 'b');
    EXPECT_EQ(animation.frames[2].tag, 'c');
    ASSERT_NE(animation.frames[1].surface, nullptr);
    EXPECT_EQ(animation.frames[1].surface->w, 5);
}

TEST_F(AnimationTest, RemovingTheMiddleFrameKeepsTheOthersInOrder) {
    Animation animation;
    addAll(animation);
    animation.remove_image(1);
    ASSERT_EQ(animation.frames.size(), 2u);
    EXPECT_EQ(animation.frames[0].tag, 'a');
    EXPECT_EQ(animation.frames[1].tag, 'c');
    ASSERT_NE(animation.frames[0].surface, nullptr);
    ASSERT_NE(animation.frames[1].surface, nullptr);
    EXPECT_EQ(animation.frames[0].surface->w, 3);
    EXPECT_EQ(animation.frames[1].surface->w, 7);
}

TEST_F(AnimationTest, MissingFileAddsAFrameWithoutAPictureSilently) {
    Animation animation;
    CaptureStdout();
    CaptureStderr();
    animation.add_image("images/missing.bmp", 'm');
    EXPECT_EQ(GetCapturedStderr(), "");
    EXPECT_EQ(GetCapturedStdout(), "");
    ASSERT_EQ(animation.frames.size(), 1u);
    EXPECT_EQ(animation.frames[0].tag, 'm');
    EXPECT_EQ(animation.frames[0].surface, nullptr);
    animation.remove_image(0);
    EXPECT_TRUE(animation.frames.empty());
}

TEST_F(AnimationTest, AddingAFolderChangesNothing) {
    Animation animation;
    animation.add_image("images/a.bmp", 'a');
    animation.add_images_from_folder("images");
    ASSERT_EQ(animation.frames.size(), 1u);
    EXPECT_EQ(animation.frames[0].tag, 'a');
}

TEST_F(AnimationTest, RemovingOutsideTheListDoesNothing) {
    Animation animation;
    addAll(animation);
    animation.remove_image(-1);
    animation.remove_image(3);
    ASSERT_EQ(animation.frames.size(), 3u);
    EXPECT_EQ(animation.frames[0].tag, 'a');
    EXPECT_EQ(animation.frames[2].tag, 'c');
    Animation empty;
    empty.remove_image(0);
    EXPECT_TRUE(empty.frames.empty());
}

// Copies own their pictures: they outlive the animation they were copied from.
TEST_F(AnimationTest, CopyHasItsOwnPictures) {
    auto original = std::make_unique<Animation>();
    addAll(*original);
    original->add_image("images/missing.bmp", 'm');
    Animation copy(*original);
    ASSERT_EQ(copy.frames.size(), 4u);
    for (std::size_t i = 0; i < 3; ++i) {
        ASSERT_NE(copy.frames[i].surface, nullptr);
        EXPECT_NE(copy.frames[i].surface, original->frames[i].surface);
    }
    EXPECT_EQ(copy.frames[3].surface, nullptr);
    EXPECT_EQ(copy.frames[3].tag, 'm');
    original.reset();
    EXPECT_EQ(copy.frames[0].surface->w, 3);
    EXPECT_EQ(pixelAt(copy.frames[0].surface, 2, 1), kRed);
    EXPECT_EQ(pixelAt(copy.frames[2].surface, 6, 1), kBlue);
}

TEST_F(AnimationTest, AssignmentReplacesTheFramesWithCopies) {
    auto original = std::make_unique<Animation>();
    original->add_image("images/c.bmp", 'c');
    Animation assigned;
    addAll(assigned);
    assigned = *original;
    ASSERT_EQ(assigned.frames.size(), 1u);
    EXPECT_EQ(assigned.frames[0].tag, 'c');
    EXPECT_NE(assigned.frames[0].surface, original->frames[0].surface);
    original.reset();
    ASSERT_NE(assigned.frames[0].surface, nullptr);
    EXPECT_EQ(pixelAt(assigned.frames[0].surface, 0, 0), kBlue);
}

TEST_F(AnimationTest, SelfAssignmentKeepsThePictures) {
    Animation animation;
    addAll(animation);
    Animation& same = animation;
    animation = same;
    ASSERT_EQ(animation.frames.size(), 3u);
    ASSERT_NE(animation.frames[1].surface, nullptr);
    EXPECT_EQ(pixelAt(animation.frames[1].surface, 4, 1), kGreen);
}

TEST_F(AnimationTest, MovingHandsThePicturesOver) {
    Animation source;
    addAll(source);
    SDL_Surface* const first = source.frames[0].surface;
    Animation moved(std::move(source));
    EXPECT_TRUE(source.frames.empty());
    ASSERT_EQ(moved.frames.size(), 3u);
    EXPECT_EQ(moved.frames[0].surface, first);
    Animation target;
    target.add_image("images/b.bmp", 'b');
    target = std::move(moved);
    EXPECT_TRUE(moved.frames.empty());
    ASSERT_EQ(target.frames.size(), 3u);
    EXPECT_EQ(target.frames[0].surface, first);
}

}  // namespace
