#include "GameDisplay.h"
#include "Object.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;
using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace {

// A resource folder with the placeholder and a button with a selected look.
class ObjectTest : public testing::Test {
protected:
    void SetUp() override {
        files.picture("images/NO_IMAGE.bmp", 8, 8, kBlue);
        files.picture("images/button.bmp", 10, 6, kRed);
        files.picture("images/button_selected.bmp", 10, 6, kGreen);
        screen = makeTrueColour(64, 64);
    }
    void TearDown() override { SDL_FreeSurface(screen); }

    TempResources files;
    SDL_Surface* screen = nullptr;
};

TEST_F(ObjectTest, ConstructionTakesHeightFirstAndLoadsThePlaceholder) {
    Object cursor(4, 26, false);
    EXPECT_EQ(cursor.geth(), 4);
    EXPECT_EQ(cursor.getw(), 26);
    EXPECT_EQ(cursor.getx(), 0);
    EXPECT_EQ(cursor.gety(), 0);
    EXPECT_EQ(cursor.getFilename(), NO_FILENAME);
    EXPECT_EQ(NO_FILENAME, "images/NO_IMAGE.bmp");
    ASSERT_NE(cursor.getImage(), nullptr);
    EXPECT_EQ(cursor.getImage()->w, 8);
    EXPECT_TRUE(cursor.isVisible());
    EXPECT_FALSE(cursor.isSelected());
    EXPECT_FALSE(cursor.isSelectable());
}

TEST_F(ObjectTest, DrawsCentredByItsNominalSizeAtThePictureSize) {
    Object cursor(4, 26, false);
    cursor.setImage("images/button.bmp");
    cursor.moveTo(30, 20);
    cursor.display(screen, false);
    // Top-left at (30 - 13, 20 - 2); the blit uses the picture's own 10 x 6.
    EXPECT_EQ(pixelAt(screen, 17, 18), kRed);
    EXPECT_EQ(pixelAt(screen, 26, 23), kRed);
    EXPECT_EQ(pixelAt(screen, 16, 18), kBlack);
    EXPECT_EQ(pixelAt(screen, 27, 18), kBlack);
    EXPECT_EQ(pixelAt(screen, 17, 24), kBlack);
    EXPECT_EQ(countColour(screen, kRed), 60);
}

TEST_F(ObjectTest, OddSizesCentreByTheRoundedDownHalf) {
    Object odd(5, 5, false);
    odd.setImage("images/button.bmp");
    odd.moveTo(10, 10);
    odd.display(screen, false);
    EXPECT_EQ(pixelAt(screen, 8, 8), kRed);
    EXPECT_EQ(pixelAt(screen, 7, 8), kBlack);
}

TEST_F(ObjectTest, HiddenObjectDrawsNothingAndReportsNothing) {
    Object hidden(4, 4, false);
    hidden.setImage("images/missing.bmp");
    hidden.setVisibility(false);
    CaptureStderr();
    hidden.display(screen, false);
    EXPECT_EQ(GetCapturedStderr(), "");
    hidden.toggleVisibility();
    EXPECT_TRUE(hidden.isVisible());
}

TEST_F(ObjectTest, MissingPictureIsReportedAtEachDrawNotAtLoad) {
    Object lost(4, 4, false);
    CaptureStderr();
    lost.setImage("images/missing.bmp");
    const std::string atLoad = GetCapturedStderr();
    EXPECT_EQ(atLoad, "");
    EXPECT_EQ(lost.getImage(), nullptr);
    CaptureStderr();
    lost.display(screen, false);
    lost.display(screen, false);
    const std::string drawn = GetCapturedStderr();
    const std::string line = "Couldn't display images/missing.bmp: ";
    ASSERT_EQ(drawn.find(line), 0u) << drawn;
    EXPECT_NE(drawn.find(line, 1), std::string::npos);
    EXPECT_EQ(drawn.back(), '\n');
    EXPECT_EQ(countColour(screen, kBlack), 64 * 64);
}

TEST_F(ObjectTest, PlacementIsStoredInSixteenBits) {
    Object body(10, 10, false);
    body.moveTo(40000, -5);
    EXPECT_EQ(body.getx(), 40000 - 65536);
    EXPECT_EQ(body.gety(), -5);
    body.moveBy(3, -4);
    EXPECT_EQ(body.gety(), -9);
    body.resize(70000, 20);
    EXPECT_EQ(body.geth(), 70000 - 65536);
    EXPECT_EQ(body.getw(), 20);
}

TEST_F(ObjectTest, RenderReloadsTheSameFile) {
    Object button(6, 10, false);
    button.setImage("images/button.bmp");
    files.picture("images/button.bmp", 3, 3, kGreen);
    button.render();
    ASSERT_NE(button.getImage(), nullptr);
    EXPECT_EQ(button.getImage()->w, 3);
}

// Hit tests count the border as outside.
TEST(ObjectHitTest, PointOnTheBorderIsOutside) {
    Object body(5, 5, false);
    body.moveTo(10, 10);
    EXPECT_TRUE(body.is_on_this(11, 11));
    EXPECT_FALSE(body.is_on_this(12, 10));
    EXPECT_FALSE(body.is_on_this(8, 10));
    EXPECT_FALSE(body.is_on_this(10, 12));
    EXPECT_TRUE(body.is_on_this(9, 9));
}

TEST(ObjectHitTest, RectanglesThatOnlyTouchDoNotOverlap) {
    Object a(10, 10, false), b(10, 10, false);
    a.moveTo(0, 0);
    b.moveTo(10, 0);
    EXPECT_FALSE(a.is_on_this(b.getRect()));
    EXPECT_FALSE(b.is_on_this(a.getRect()));
    b.moveTo(9, 0);
    EXPECT_TRUE(a.is_on_this(b.getRect()));
    EXPECT_TRUE(b.is_on_this(a.getRect()));
    b.moveTo(9, 10);
    EXPECT_FALSE(a.is_on_this(b.getRect()));
    b.moveTo(-9, -9);
    EXPECT_TRUE(a.is_on_this(b.getRect()));
}

TEST(ObjectHitTest, NegativeCentresAreSignExtended) {
    Object a(4, 4, false), b(4, 4, false);
    a.moveTo(-100, -100);
    b.moveTo(-97, -100);
    EXPECT_TRUE(a.is_on_this(b.getRect()));
    EXPECT_TRUE(a.is_on_this(-101, -99));
}

TEST_F(ObjectTest, SelectingSwitchesToTheSelectedLookAndPrintsItsName) {
    Object button(6, 10, true);
    button.setImage("images/button.bmp");
    CaptureStdout();
    button.select_this();
    EXPECT_EQ(GetCapturedStdout(), "images/button_selected.bmp\n");
    EXPECT_TRUE(button.isSelected());
    EXPECT_EQ(button.getFilename(), "images/button_selected.bmp");

    CaptureStdout();
    button.select_this();
    EXPECT_EQ(GetCapturedStdout(), "");

    CaptureStdout();
    button.deselect_this();
    EXPECT_EQ(GetCapturedStdout(), "images/button.bmp\n");
    EXPECT_FALSE(button.isSelected());
    button.moveTo(30, 30);
    button.display(screen, false);
    EXPECT_EQ(countColour(screen, kRed), 60);
}

TEST_F(ObjectTest, SelectingWithoutASelectedLookKeepsThePicture) {
    Object plain(8, 8, true);
    CaptureStdout();
    plain.select_this();
    EXPECT_EQ(GetCapturedStdout(), "images/NO_IMAGE.bmp\n");
    EXPECT_TRUE(plain.isSelected());
    EXPECT_NE(plain.getImage(), nullptr);
}

TEST_F(ObjectTest, UnselectableObjectIgnoresSelection) {
    Object fixed(6, 10, false);
    fixed.setImage("images/button.bmp");
    CaptureStdout();
    fixed.select_this();
    fixed.select_this_toggle();
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_FALSE(fixed.isSelected());
    EXPECT_EQ(fixed.getFilename(), "images/button.bmp");
}

TEST_F(ObjectTest, DeselectOnlyStripsTheSuffixBeforeTheExtension) {
    files.picture("images/_selected/ship.bmp", 2, 2, kGreen);
    Object odd(6, 10, true);
    odd.setImage("images/_selected/ship.bmp");
    odd.select_this();  // no selected look: the name stays
    CaptureStdout();
    odd.deselect_this();
    EXPECT_EQ(GetCapturedStdout(), "images/_selected/ship.bmp\n");
    EXPECT_NE(odd.getImage(), nullptr);
}

TEST_F(ObjectTest, ShortNamesAreLeftAsTheyAre) {
    Object tiny(2, 2, true);
    tiny.setImage("ab");
    CaptureStdout();
    tiny.select_this();
    EXPECT_EQ(GetCapturedStdout(), "ab\n");
    EXPECT_TRUE(tiny.isSelected());
}

TEST_F(ObjectTest, SelectToggleAlternates) {
    Object button(6, 10, true);
    button.setImage("images/button.bmp");
    CaptureStdout();
    button.select_this_toggle();
    button.select_this_toggle();
    EXPECT_EQ(GetCapturedStdout(), "images/button_selected.bmp\nimages/button.bmp\n");
    EXPECT_FALSE(button.isSelected());
}

TEST(ObjectSelectability, ToggleFlipsOnMinusOneAndSetsOtherwise) {
    Object o(1, 1, false);
    o.toggle_selectability(-1);
    EXPECT_TRUE(o.isSelectable());
    o.toggle_selectability(-1);
    EXPECT_FALSE(o.isSelectable());
    o.toggle_selectability(7);
    EXPECT_TRUE(o.isSelectable());
    o.toggle_selectability(0);
    EXPECT_FALSE(o.isSelectable());
}

TEST_F(ObjectTest, CopiesOwnIndependentPictures) {
    auto original = std::make_unique<Object>(6, 10, true);
    original->setImage("images/button.bmp");
    original->moveTo(30, 30);
    Object copy(*original);
    EXPECT_NE(copy.getImage(), original->getImage());
    Object assigned(1, 1, false);
    assigned = *original;
    EXPECT_NE(assigned.getImage(), original->getImage());
    EXPECT_EQ(assigned.getFilename(), "images/button.bmp");
    EXPECT_EQ(assigned.getw(), 10);
    original.reset();
    copy.display(screen, false);
    EXPECT_EQ(countColour(screen, kRed), 60);
    Object& same = assigned;
    assigned = same;  // self-assignment keeps the picture
    ASSERT_NE(assigned.getImage(), nullptr);
    assigned.display(screen, false);
}

TEST_F(ObjectTest, CopyOfAnObjectWithoutPictureHasNone) {
    Object lost(4, 4, false);
    lost.setImage("images/missing.bmp");
    Object copy(lost);
    EXPECT_EQ(copy.getImage(), nullptr);
    Object assigned(4, 4, false);
    assigned = lost;
    EXPECT_EQ(assigned.getImage(), nullptr);
    EXPECT_EQ(assigned.getFilename(), "images/missing.bmp");
}

TEST_F(ObjectTest, FileExistsOpensWithoutReading) {
    EXPECT_TRUE(fileExists("images/button.bmp"));
    EXPECT_FALSE(fileExists("images/none.bmp"));
    files.file("images/empty.bmp", "");
    EXPECT_TRUE(fileExists("images/empty.bmp"));
}

}  // namespace
