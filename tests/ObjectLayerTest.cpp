#include "EventQueue.h"
#include "GameDisplay.h"
#include "Object.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

using namespace testsupport;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

// An object that notes each time it is drawn instead of drawing.
class DrawRecorder : public Object {
public:
    DrawRecorder(char name, std::vector<char>& log) : Object(2, 2, false), name(name), log(log) {}
    void display(SDL_Surface*, bool) override { log.push_back(name); }

private:
    char name;
    std::vector<char>& log;
};

// Three recorders, A at the front of the object list and C at the back.
class DisplayElseTest : public testing::Test {
protected:
    void SetUp() override { console.objects = {&a, &b, &c}; }

    std::vector<char> drawn;
    DrawRecorder a{'A', drawn};
    DrawRecorder b{'B', drawn};
    DrawRecorder c{'C', drawn};
    Console console;
};

TEST_F(DisplayElseTest, DrawsBackToFrontAndKeepsTheList) {
    displayElse(console, nullptr);
    EXPECT_EQ(drawn, (std::vector<char>{'C', 'B', 'A'}));
    EXPECT_EQ(console.objects, (std::list<Object*>{&a, &b, &c}));
}

TEST_F(DisplayElseTest, LeavesOutTheSkippedObject) {
    displayElse(console, &b);
    EXPECT_EQ(drawn, (std::vector<char>{'C', 'A'}));
}

TEST_F(DisplayElseTest, EmptyListDrawsNothing) {
    console.objects.clear();
    displayElse(console, nullptr);
    EXPECT_TRUE(drawn.empty());
}

TEST(DisplayElsePictures, FrontObjectEndsUpOnTop) {
    TempResources files;
    files.picture("images/front.bmp", 10, 10, kRed);
    files.picture("images/back.bmp", 10, 10, kBlue);
    Object front(10, 10, false), back(10, 10, false);
    front.setImage("images/front.bmp");
    back.setImage("images/back.bmp");
    front.moveTo(10, 10);
    back.moveTo(14, 10);
    Console console;
    console.screen = makeTrueColour(32, 32);
    console.objects = {&front, &back};
    displayElse(console, nullptr);
    EXPECT_EQ(pixelAt(console.screen, 12, 10), kRed);
    EXPECT_EQ(pixelAt(console.screen, 17, 10), kBlue);
    SDL_FreeSurface(console.screen);
}

// A 200 x 150 display, an object centred at (50, 50) and a press at
// (100, 100) taken off the event queue, the way the game starts a drag.
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
        drainQueue();
        push(pressAt(100, 100));
    }

    static SDL_Event pressAt(int x, int y) {
        SDL_Event event{};
        event.type = SDL_MOUSEBUTTONDOWN;
        event.button.button = SDL_BUTTON_LEFT;
        event.button.state = SDL_PRESSED;
        event.button.x = static_cast<Uint16>(x);
        event.button.y = static_cast<Uint16>(y);
        return event;
    }

    static SDL_Event motionTo(int x, int y) {
        SDL_Event event{};
        event.type = SDL_MOUSEMOTION;
        event.motion.state = SDL_BUTTON(SDL_BUTTON_LEFT);
        event.motion.x = static_cast<Uint16>(x);
        event.motion.y = static_cast<Uint16>(y);
        return event;
    }

    static SDL_Event release() {
        SDL_Event event{};
        event.type = SDL_MOUSEBUTTONUP;
        event.button.button = SDL_BUTTON_LEFT;
        event.button.state = SDL_RELEASED;
        return event;
    }

    static SDL_Event quit() {
        SDL_Event event{};
        event.type = SDL_QUIT;
        return event;
    }

    static void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 0); }

    static std::vector<Uint8> drainQueue() {
        std::vector<Uint8> types;
        SDL_Event event;
        while (takeEvent(event)) types.push_back(event.type);
        return types;
    }

    // Takes the press off the queue and drags with it, capturing the report.
    std::string drag() {
        SDL_Event event;
        EXPECT_TRUE(takeEvent(event));
        EXPECT_EQ(event.type, SDL_MOUSEBUTTONDOWN);
        CaptureStdout();
        click_drag(object, event, console);
        return GetCapturedStdout();
    }

    TempResources files;
    VideoSession video;
    SDL_Color palette[256];
    Console console;
    Object object{10, 10, false};
};

TEST_F(ClickDragTest, ObjectFollowsTheMouseAndEachMotionIsReported) {
    push(motionTo(105, 100));
    push(motionTo(110, 104));
    push(release());
    EXPECT_EQ(drag(), "dragged!:  X:105 Y: 100\ndragged!:  X:110 Y: 104\n");
    EXPECT_EQ(object.getx(), 60);
    EXPECT_EQ(object.gety(), 54);
}

TEST_F(ClickDragTest, MotionOffTheScreenIsIgnoredAndCaughtUpLater) {
    push(motionTo(kWidth, 100));
    push(motionTo(110, 104));
    push(release());
    EXPECT_EQ(drag(), "dragged!:  X:110 Y: 104\n");
    EXPECT_EQ(object.getx(), 60);
    EXPECT_EQ(object.gety(), 54);
}

TEST_F(ClickDragTest, QuitEndsTheDragAndStaysQueued) {
    push(motionTo(105, 100));
    push(quit());
    EXPECT_EQ(drag(), "dragged!:  X:105 Y: 100\n");
    EXPECT_EQ(object.getx(), 55);
    EXPECT_EQ(drainQueue(), std::vector<Uint8>{SDL_QUIT});
}

TEST_F(ClickDragTest, ReleaseThatComesLaterIsAwaitedWithoutRepeatingMotions) {
    push(motionTo(105, 100));
    push(motionTo(110, 104));
    // The button comes up only after the queue has run dry.
    std::thread releaser([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        push(release());
    });
    const std::string report = drag();
    releaser.join();
    EXPECT_EQ(report, "dragged!:  X:105 Y: 100\ndragged!:  X:110 Y: 104\n");
    EXPECT_EQ(object.getx(), 60);
    EXPECT_EQ(object.gety(), 54);
    EXPECT_TRUE(drainQueue().empty());
}

}  // namespace
