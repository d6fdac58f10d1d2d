#include "EventQueue.h"
#include "GameDisplay.h"
#include "Object.h"
#include "TestSupport.h"

#include <chrono>
#include <thread>

using namespace testsupport;

namespace {

// An object that notes its name each time it is drawn on the expected
// screen, and "?" anywhere else, instead of drawing.
struct DrawRecorder : Object {
    DrawRecorder(char name, std::string& log, SDL_Surface* screen)
        : Object(2, 2, false), name(name), log(log), screen(screen) {}
    void display(SDL_Surface* target, bool) override { log += target == screen ? name : '?'; }
    char name;
    std::string& log;
    SDL_Surface* screen;
};

// The object at the front of the list ends up on top; the list stays.
TEST(DisplayElse, DrawsBackToFrontLeavingOutTheSkippedOne) {
    std::string drawn;
    Console console;
    console.screen = reinterpret_cast<SDL_Surface*>(&drawn);  // compared, never drawn on
    DrawRecorder a{'A', drawn, console.screen}, b{'B', drawn, console.screen},
        c{'C', drawn, console.screen};
    console.objects = {&a, &b, &c};
    displayElse(console, nullptr);
    displayElse(console, &b);
    EXPECT_EQ(drawn, "CBACA");
    EXPECT_EQ(console.objects, (std::list<Object*>{&a, &b, &c}));
}

// A 200 x 150 display and an object centred at (50, 50), dragged by a press
// at (100, 100).
class ClickDragTest : public testing::Test {
protected:
    void SetUp() override {
        files.picture("images/ship.bmp", 10, 10, kRed);
        object.setImage("images/ship.bmp");
        console.screen = createDisplay(nullptr, 200, 150, 16, palette, 256);
        console.objects = {&object};
        object.moveTo(50, 50);
        drainEvents();
    }

    static void push(Uint8 type, int x = 0, int y = 0) {
        SDL_Event event{};
        event.type = type;
        if (type == SDL_MOUSEMOTION) event.motion = {type, 0, SDL_BUTTON(1), Uint16(x), Uint16(y), 0, 0};
        else event.button = {type, 0, SDL_BUTTON_LEFT, SDL_RELEASED, Uint16(x), Uint16(y)};
        SDL_PushEvent(&event);
    }

    std::string drag() {
        SDL_Event press{};
        press.button = {SDL_MOUSEBUTTONDOWN, 0, SDL_BUTTON_LEFT, SDL_PRESSED, 100, 100};
        return stdoutOf([&] { click_drag(object, press, console); });
    }

    TempResources files;
    VideoSession video;
    SDL_Color palette[256];
    Console console;
    Object object{10, 10, false};
    SDL_Event left;
};

// Each motion on the screen is handled once; motion off it is ignored and
// caught up later. The release comes only after the queue has run dry: the
// drag waits for it.
TEST_F(ClickDragTest, TheObjectFollowsTheMouseUntilTheRelease) {
    push(SDL_MOUSEMOTION, 105, 100);
    push(SDL_MOUSEMOTION, 200, 100);
    push(SDL_MOUSEMOTION, 105, 150);
    push(SDL_MOUSEMOTION, 110, 104);
    std::thread releaser([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        push(SDL_MOUSEBUTTONUP);
    });
    const std::string report = drag();
    releaser.join();
    EXPECT_EQ(report, "dragged!:  X:105 Y: 100\ndragged!:  X:110 Y: 104\n");
    EXPECT_EQ(centre(object), Pair(60, 54));
    EXPECT_FALSE(takeEvent(left));
}

TEST_F(ClickDragTest, AQuitEndsTheDragAndStaysQueued) {
    push(SDL_MOUSEMOTION, 105, 100);
    pushQuit();
    EXPECT_EQ(drag(), "dragged!:  X:105 Y: 100\n");
    EXPECT_EQ(centre(object), Pair(55, 50));
    ASSERT_TRUE(takeEvent(left));
    EXPECT_EQ(left.type, SDL_QUIT);
    EXPECT_FALSE(takeEvent(left));
}

}  // namespace
