#include "GameDisplay.h"
#include "TestSupport.h"

#include <cstdlib>

// A selectable 10 x 6 object showing a button that has a selected look, over a 64 x 64 screen.
class ObjectTest : public testing::Test {
protected:
    void SetUp() override {
        files.picture("images/button.bmp", 10, 6, kRed);
        files.picture("images/button_selected.bmp", 10, 6, kGreen);
        button.setImage("images/button.bmp");
    }
    void TearDown() override { SDL_FreeSurface(screen); }

    GameFiles files;
    SDL_Surface* screen = makeTrueColour(64, 64);
    Object button{6, 10, true};
};

// Placed by its centre less half its nominal size (height first), drawn at its picture's size.
TEST_F(ObjectTest, DrawsItsPictureCentredByItsNominalSize) {
    EXPECT_EQ(Object(4, 26, false).getFilename(), NO_FILENAME);
    EXPECT_EQ(centre(Object(4, 26, false)), Pair(0, 0));
    // clang-format off
    const struct { int height, width, x, y, left, top; } cases[] = {
        {4, 26, 30, 20, 17, 18}, {5, 5, 10, 10, 8, 8}};
    // clang-format on
    for (const auto& c : cases) {
        SDL_FillRect(screen, nullptr, 0);
        button.resize(c.height, c.width), button.moveTo(c.x, c.y), button.display(screen, false);
        EXPECT_EQ(size(button), Pair(c.width, c.height));
        EXPECT_EQ(pixelAt(screen, c.left, c.top), kRed) << c.width;
        EXPECT_EQ(pixelAt(screen, c.left + 9, c.top + 5), kRed) << c.width;
        EXPECT_EQ(countColour(screen, kRed), 60) << c.width;
        button.moveBy(-3, 4);
        EXPECT_EQ(centre(button), Pair(c.x - 3, c.y + 4)) << c.width;
    }
}

// Borders are outside, on every side and also at negative centres.
TEST(ObjectHitTest, OnlyTheInsideHits) {
    Object body(5, 5, false), other(4, 4, false);
    body.moveTo(-100, -100);
    EXPECT_TRUE(body.is_on_this(-99, -101));
    for (Pair p : {Pair(-98, -100), Pair(-102, -100), Pair(-100, -102), Pair(-100, -98)})
        EXPECT_FALSE(body.is_on_this(p.first, p.second)) << p.first << "," << p.second;
    for (int offset : {3, 4, -3, -4}) {  // overlapping, then only touching
        for (bool alongY : {false, true}) {
            other.moveTo(-100 + (alongY ? 0 : offset), -100 + (alongY ? offset : 0));
            EXPECT_EQ(body.is_on_this(other.getRect()), std::abs(offset) == 3)
                << offset << (alongY ? " down" : " right");
        }
    }
}

// Steps (s select, d deselect, t toggle): what is printed, the name, the state, the colour shown.
TEST_F(ObjectTest, SelectingSwitchesToTheSelectedLookAndPrintsItsName) {
    files.picture("images/_selected/ship.bmp", 2, 2, kWhite);
    const std::string plain = "images/button.bmp", lit = "images/button_selected.bmp",
                      odd = "images/_selected/ship.bmp";
    // clang-format off
    const struct { std::string picture, steps, printed, after; bool selected; Rgb look; } cases[] = {
        {plain, "ss", lit + "\n", lit, true, kGreen},
        {plain, "ssdd", lit + "\n" + plain + "\n", plain, false, kRed},
        {plain, "tt", lit + "\n" + plain + "\n", plain, false, kRed},
        // Without a selected look, or too short a name for one, the name stays.
        {NO_FILENAME, "s", NO_FILENAME + "\n", NO_FILENAME, true, 0x808080},
        {"abc", "s", "abc\n", "abc", true, 0},
        // Only the suffix just before the extension is taken off.
        {odd, "sd", odd + "\n" + odd + "\n", odd, false, kWhite}};
    // clang-format on
    for (const auto& c : cases) {
        Object body(6, 10, true);
        body.setImage(c.picture);
        EXPECT_EQ(stdoutOf([&] {
                      for (char step : c.steps)
                          step == 's'   ? body.select_this()
                          : step == 'd' ? body.deselect_this()
                                        : body.select_this_toggle();
                  }),
                  c.printed);
        EXPECT_EQ(body.getFilename(), c.after) << c.steps;
        EXPECT_EQ(body.isSelected(), c.selected) << c.steps;
        EXPECT_EQ(body.getImage() ? pixelAt(body.getImage(), 0, 0) : 0, c.look) << c.picture;
    }
    Object fixed(6, 10, false);  // not selectable: nothing happens
    EXPECT_EQ(stdoutOf([&] { fixed.select_this(), fixed.select_this_toggle(); }), "");
    for (auto [value, selectable] : {std::pair(-1, true), std::pair(-1, false), std::pair(7, true),
                                     std::pair(0, false), std::pair(-2, true)}) {
        fixed.toggle_selectability(value);
        EXPECT_EQ(fixed.isSelectable(), selectable) << value;
    }
}

// Copies own their pictures and outlive the original; render reads the file again.
TEST_F(ObjectTest, CopiesOwnIndependentPictures) {
    auto original = std::make_unique<Object>(button);
    original->moveTo(30, 30);
    Object copy(*original), assigned(1, 1, false);
    assigned.setVisibility(false), assigned = *original;  // which takes the original's visibility
    Object& same = assigned;
    assigned = same;
    EXPECT_NE(copy.getImage(), original->getImage());
    EXPECT_NE(assigned.getImage(), original->getImage());
    original.reset(), assigned.display(screen, false);
    EXPECT_EQ(countColour(screen, kRed), 60);
    button.setImage("images/missing.bmp"), copy = button;
    EXPECT_EQ(Object(button).getImage(), copy.getImage());
    files.picture("images/button.bmp", 3, 3, kGreen), assigned.render();
    EXPECT_EQ(pixelAt(assigned.getImage(), 2, 2), kGreen);
}
