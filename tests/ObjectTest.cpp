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

// A resource folder with the placeholder and a button with a selected look,
// and a selectable 10 x 6 object showing the button.
class ObjectTest : public testing::Test {
protected:
    void SetUp() override {
        files.picture("images/NO_IMAGE.bmp", 8, 8, kBlue);
        files.picture("images/button.bmp", 10, 6, kRed);
        files.picture("images/button_selected.bmp", 10, 6, kGreen);
        button.setImage("images/button.bmp");
    }
    void TearDown() override { SDL_FreeSurface(screen); }

    TempResources files;
    SDL_Surface* screen = makeTrueColour(64, 64);
    Object button{6, 10, true};
};

TEST_F(ObjectTest, ConstructionTakesHeightFirstAndLoadsThePlaceholder) {
    Object cursor(4, 26, false);
    EXPECT_EQ(cursor.geth(), 4);
    EXPECT_EQ(cursor.getw(), 26);
    EXPECT_EQ(cursor.getx(), 0);
    EXPECT_EQ(cursor.gety(), 0);
    EXPECT_EQ(NO_FILENAME, "images/NO_IMAGE.bmp");
    EXPECT_EQ(cursor.getFilename(), NO_FILENAME);
    ASSERT_NE(cursor.getImage(), nullptr);
    EXPECT_EQ(cursor.getImage()->w, 8);
    EXPECT_TRUE(cursor.isVisible());
    EXPECT_FALSE(cursor.isSelected());
    EXPECT_FALSE(cursor.isSelectable());
}

// The top-left corner is the centre less half the nominal size, rounded
// down; the blit itself covers the picture's own 10 x 6.
TEST_F(ObjectTest, DrawsCentredByItsNominalSizeAtThePictureSize) {
    const struct { int height, width, x, y, left, top; } cases[] = {
        {4, 26, 30, 20, 17, 18},
        {5, 5, 10, 10, 8, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.height << " x " << c.width);
        SDL_FillRect(screen, nullptr, 0);
        button.resize(c.height, c.width);
        button.moveTo(c.x, c.y);
        button.display(screen, false);
        // Opposite corners of one 10 x 6 block, and nothing else.
        EXPECT_EQ(pixelAt(screen, c.left, c.top), kRed);
        EXPECT_EQ(pixelAt(screen, c.left + 9, c.top + 5), kRed);
        EXPECT_EQ(countColour(screen, kRed), 60);
    }
}

TEST_F(ObjectTest, MissingPictureIsReportedAtEachDrawNotAtLoad) {
    CaptureStderr();
    button.setImage("images/missing.bmp");
    EXPECT_EQ(button.getImage(), nullptr);
    button.display(screen, false);
    button.display(screen, false);
    const std::string line = "Couldn't display images/missing.bmp: " + std::string(SDL_GetError());
    EXPECT_EQ(GetCapturedStderr(), line + "\n" + line + "\n");
    EXPECT_EQ(countColour(screen, kBlack), 64 * 64);
}

TEST_F(ObjectTest, HiddenObjectDrawsNothingAndReportsNothing) {
    Object lost(button);
    lost.setImage("images/missing.bmp");
    button.setVisibility(false);
    lost.toggleVisibility();
    CaptureStderr();
    button.display(screen, false);
    lost.display(screen, false);
    EXPECT_EQ(GetCapturedStderr(), "");
    EXPECT_EQ(countColour(screen, kBlack), 64 * 64);
}

TEST_F(ObjectTest, PlacementIsStoredInSixteenBits) {
    button.moveTo(40000, -5);
    EXPECT_EQ(button.getx(), 40000 - 65536);
    EXPECT_EQ(button.gety(), -5);
    button.moveBy(3, -4);
    EXPECT_EQ(button.gety(), -9);
    button.resize(70000, 20);
    EXPECT_EQ(button.geth(), 70000 - 65536);
    EXPECT_EQ(button.getw(), 20);
}

TEST_F(ObjectTest, RenderReloadsTheSameFile) {
    files.picture("images/button.bmp", 3, 3, kGreen);
    button.render();
    ASSERT_NE(button.getImage(), nullptr);
    EXPECT_EQ(button.getImage()->w, 3);
}

// Hit tests count the border as outside, and negative centres are sign-extended.
TEST(ObjectHitTest, PointOnTheBorderIsOutside) {
    Object body(5, 5, false);
    for (int centre : {10, -100}) {
        body.moveTo(centre, centre);
        EXPECT_TRUE(body.is_on_this(centre + 1, centre + 1)) << centre;
        EXPECT_TRUE(body.is_on_this(centre - 1, centre - 1)) << centre;
        EXPECT_FALSE(body.is_on_this(centre + 2, centre)) << centre;
        EXPECT_FALSE(body.is_on_this(centre - 2, centre)) << centre;
        EXPECT_FALSE(body.is_on_this(centre, centre + 2)) << centre;
    }
}

TEST(ObjectHitTest, RectanglesThatOnlyTouchDoNotOverlap) {
    // Square bodies of one size, centred at (ax, ay) and (bx, by).
    const struct { int size, ax, ay, bx, by; bool overlap; } cases[] = {
        {10, 0, 0, 10, 0, false}, {10, 0, 0, 9, 0, true}, {10, 0, 0, 9, 10, false},
        {10, 0, 0, -9, -9, true}, {4, -100, -100, -97, -100, true},
    };
    for (const auto& c : cases) {
        Object a(c.size, c.size, false), b(c.size, c.size, false);
        a.moveTo(c.ax, c.ay);
        b.moveTo(c.bx, c.by);
        EXPECT_EQ(a.is_on_this(b.getRect()), c.overlap) << c.bx << ", " << c.by;
        EXPECT_EQ(b.is_on_this(a.getRect()), c.overlap) << c.bx << ", " << c.by;
    }
}

// Selection step by step (s selects, d deselects, t toggles): what it prints,
// then the picture's name, the state and the picture's colour (0 for none).
TEST_F(ObjectTest, SelectingSwitchesToTheSelectedLookAndPrintsItsName) {
    files.picture("images/_selected/ship.bmp", 2, 2, kWhite);
    files.picture("images/ship.bmp", 2, 2, kBlack);
    const struct {
        std::string picture;
        bool selectable;
        std::string steps, printed, after;
        bool selected;
        Rgb look;
    } cases[] = {
        // A repeated step does nothing.
        {"images/button.bmp", true, "ss", "images/button_selected.bmp\n",
         "images/button_selected.bmp", true, kGreen},
        {"images/button.bmp", true, "ssdd", "images/button_selected.bmp\nimages/button.bmp\n",
         "images/button.bmp", false, kRed},
        {"images/button.bmp", true, "tt", "images/button_selected.bmp\nimages/button.bmp\n",
         "images/button.bmp", false, kRed},
        {"images/button.bmp", false, "st", "", "images/button.bmp", false, kRed},
        // Without a selected look, or too short a name for one, the name stays.
        {NO_FILENAME, true, "s", NO_FILENAME + "\n", NO_FILENAME, true, kBlue},
        {"abc", true, "s", "abc\n", "abc", true, 0},
        // Only the suffix just before the extension is taken off.
        {"images/_selected/ship.bmp", true, "sd",
         "images/_selected/ship.bmp\nimages/_selected/ship.bmp\n", "images/_selected/ship.bmp",
         false, kWhite},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picture + " " + c.steps);
        Object body(6, 10, c.selectable);
        body.setImage(c.picture);
        CaptureStdout();
        for (char step : c.steps) {
            if (step == 's') body.select_this();
            if (step == 'd') body.deselect_this();
            if (step == 't') body.select_this_toggle();
        }
        EXPECT_EQ(GetCapturedStdout(), c.printed);
        EXPECT_EQ(body.getFilename(), c.after);
        EXPECT_EQ(body.isSelected(), c.selected);
        EXPECT_EQ(body.getImage() ? pixelAt(body.getImage(), 0, 0) : 0, c.look);
    }
}

TEST(ObjectSelectability, ToggleFlipsOnMinusOneAndSetsOtherwise) {
    Object o(1, 1, false);
    const struct { int value; bool after; } steps[] = {
        {-1, true}, {-1, false}, {7, true}, {0, false}, {-2, true}};
    for (const auto& step : steps) {
        o.toggle_selectability(step.value);
        EXPECT_EQ(o.isSelectable(), step.after) << step.value;
    }
}

TEST_F(ObjectTest, CopiesOwnIndependentPictures) {
    auto original = std::make_unique<Object>(button);
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
    EXPECT_EQ(pixelAt(assigned.getImage(), 0, 0), kRed);
}

TEST_F(ObjectTest, CopyOfAnObjectWithoutPictureHasNone) {
    button.setImage("images/missing.bmp");
    Object copy(button);
    EXPECT_EQ(copy.getImage(), nullptr);
    Object assigned(4, 4, false);
    assigned = button;
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
