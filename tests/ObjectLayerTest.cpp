#include "EventQueue.h"
#include "GameDisplay.h"
#include "Object.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace testsupport;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

// An object that notes its name each time it is drawn on the screen it
// expects, and "?" when drawn anywhere else, instead of drawing.
class DrawRecorder : public Object {
public:
    DrawRecorder(char name, std::string& log, SDL_Surface* screen)
        : Object(2, 2, false), name(name), log(log), screen(screen) {}
    void display(SDL_Surface* target, bool) override { log += target == screen ? name : '?'; }

private:
    char name;
    std::string& log;
    SDL_Surface* screen;
};

// Three recorders, A at the front of the object list and C at the back.
class DisplayElseTest : public testing::Test {
protected:
    void SetUp() override {
        console.screen = screen;
        console.objects = {&a, &b, &c};
    }
    void TearDown() override { SDL_FreeSurface(screen); }

    SDL_Surface* screen = makeTrueColour(4, 4);
    std::string drawn;
    DrawRecorder a{'A', drawn, screen}, b{'B', drawn, screen}, c{'C', drawn, screen};
    Console console;
};

// The object at the front of the list ends up on top.
TEST_F(DisplayElseTest, DrawsBackToFrontAndKeepsTheList) {
    displayElse(console, nullptr);
    EXPECT_EQ(drawn, "CBA");
    EXPECT_EQ(console.objects, (std::list<Object*>{&a, &b, &c}));
}

TEST_F(DisplayElseTest, LeavesOutTheSkippedObject) {
    displayElse(console, &b);
    EXPECT_EQ(drawn, "CA");
}

TEST_F(DisplayElseTest, EmptyListDrawsNothing) {
    console.objects.clear();
    displayElse(console, nullptr);
    EXPECT_EQ(drawn, "");
}

// A 200 x 150 display and an object centred at (50, 50), dragged by a press
// at (100, 100).
class ClickDragTest : public testing::Test {
protected:
    static const int kWidth = 200;
    static const int kHeight = 150;

    void SetUp() override {
        files.picture("images/ship.bmp", 10, 10, kRed);
        object.setImage("images/ship.bmp");
        console.screen = createDisplay(nullptr, kWidth, kHeight, 16, palette, 256);
        console.objects = {&object};
        object.moveTo(50, 50);
        drainEvents();
    }

    // A left-button event: a press, motion with the button held, or a release.
    static SDL_Event mouse(Uint8 type, int x = 0, int y = 0) {
        SDL_Event event{};
        event.type = type;
        if (type == SDL_MOUSEMOTION) {
            event.motion.state = SDL_BUTTON(SDL_BUTTON_LEFT);
            event.motion.x = static_cast<Uint16>(x);
            event.motion.y = static_cast<Uint16>(y);
        } else {
            event.button.button = SDL_BUTTON_LEFT;
            event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
            event.button.x = static_cast<Uint16>(x);
            event.button.y = static_cast<Uint16>(y);
        }
        return event;
    }

    static void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 0); }

    // Drags from the press, giving what the drag printed.
    std::string drag() {
        SDL_Event press = mouse(SDL_MOUSEBUTTONDOWN, 100, 100);
        CaptureStdout();
        click_drag(object, press, console);
        return GetCapturedStdout();
    }

    TempResources files;
    VideoSession video;
    SDL_Color palette[256];
    Console console;
    Object object{10, 10, false};
};

// The button comes up only after the queue has run dry: the drag waits for
// it, and handles each motion once.
TEST_F(ClickDragTest, ObjectFollowsTheMouseAndEachMotionIsReportedOnce) {
    push(mouse(SDL_MOUSEMOTION, 105, 100));
    push(mouse(SDL_MOUSEMOTION, 110, 104));
    std::thread releaser([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        push(mouse(SDL_MOUSEBUTTONUP));
    });
    const std::string report = drag();
    releaser.join();
    EXPECT_EQ(report, "dragged!:  X:105 Y: 100\ndragged!:  X:110 Y: 104\n");
    EXPECT_EQ(object.getx(), 60);
    EXPECT_EQ(object.gety(), 54);
    SDL_Event left;
    EXPECT_FALSE(takeEvent(left));
}

TEST_F(ClickDragTest, MotionOffTheScreenIsIgnoredAndCaughtUpLater) {
    push(mouse(SDL_MOUSEMOTION, kWidth, 100));
    push(mouse(SDL_MOUSEMOTION, 105, kHeight));
    push(mouse(SDL_MOUSEMOTION, 110, 104));
    push(mouse(SDL_MOUSEBUTTONUP));
    EXPECT_EQ(drag(), "dragged!:  X:110 Y: 104\n");
    EXPECT_EQ(object.getx(), 60);
    EXPECT_EQ(object.gety(), 54);
}

TEST_F(ClickDragTest, QuitEndsTheDragAndStaysQueued) {
    push(mouse(SDL_MOUSEMOTION, 105, 100));
    pushQuit();
    EXPECT_EQ(drag(), "dragged!:  X:105 Y: 100\n");
    EXPECT_EQ(object.getx(), 55);
    SDL_Event left;
    ASSERT_TRUE(takeEvent(left));
    EXPECT_EQ(left.type, SDL_QUIT);
    EXPECT_FALSE(takeEvent(left));
}

}  // namespace
