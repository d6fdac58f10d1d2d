#include "EventQueue.h"
#include "GameDisplay.h"
#include "TestSupport.h"

#include <chrono>
#include <thread>

// Red, green and blue objects at (50, 50), red at the front; red is dragged from (100, 100).
class ObjectLayerTest : public testing::Test {
protected:
    void SetUp() override {
        console.screen = createDisplay(nullptr, 200, 150, 16, palette, 256);
        const char* names[] = {"images/red.bmp", "images/green.bmp", "images/blue.bmp"};
        for (int i = 0; i < 3; ++i) {
            files.picture(names[i], 10, 10, Rgb(0xFF0000) >> (8 * i));
            objects[i].setImage(names[i]), objects[i].moveTo(50, 50);
            console.objects.push_back(&objects[i]);
        }
        files.picture("images/back.bmp", 200, 150, kWhite), console.bg_files = {"images/back.bmp"};
        drainEvents();
    }
    std::string drag() {
        SDL_Event press = mouseEvent(SDL_MOUSEBUTTONDOWN, 100, 100);
        return stdoutOf([&] { click_drag(objects[0], press, console); });
    }

    TempResources files;
    VideoSession video;
    SDL_Color palette[256];
    Console console;
    Object objects[3] = {{10, 10, false}, {10, 10, false}, {10, 10, false}};
    SDL_Event left;
};

// The front is drawn on top, the skipped one not at all; motion on the screen, to its edge, moves
// the dragged object with the mouse, motion off it is caught up later; a release ends the drag, and
// so does a quit, even one that comes while it waits, which stays queued for the screen's loop.
TEST_F(ObjectLayerTest, TheDraggedObjectFollowsTheMouseOverTheOthersUntilReleaseOrQuit) {
    displayElse(console, nullptr);
    EXPECT_EQ(pixelAt(console.screen, 50, 50), kRed);
    displayElse(console, &objects[0]);
    EXPECT_EQ(pixelAt(console.screen, 50, 50), kGreen);
    for (Pair at : {Pair(93, 94), Pair(200, 100), Pair(100, 150), Pair(199, 149)})
        push(mouseEvent(SDL_MOUSEMOTION, at.first, at.second));
    std::thread quitter([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        push(SDL_Event{SDL_QUIT});
    });
    const std::string report = drag();
    quitter.join();
    EXPECT_EQ(report, "dragged!:  X:93 Y: 94\ndragged!:  X:199 Y: 149\n");
    EXPECT_EQ(centre(objects[0]), Pair(149, 99));
    EXPECT_EQ(pixelAt(console.screen, 149, 99), kRed);
    EXPECT_EQ(pixelAt(console.screen, 50, 50), kGreen);    // the others drawn again
    EXPECT_EQ(pixelAt(console.screen, 100, 100), kWhite);  // and the background
    ASSERT_TRUE(takeEvent(left));
    EXPECT_EQ(left.type, SDL_QUIT);
    EXPECT_FALSE(takeEvent(left));
    push(mouseEvent(SDL_MOUSEMOTION, 105, 100)), push(mouseEvent(SDL_MOUSEBUTTONUP, 0, 0));
    EXPECT_EQ(drag(), "dragged!:  X:105 Y: 100\n");
    EXPECT_FALSE(takeEvent(left));
}
