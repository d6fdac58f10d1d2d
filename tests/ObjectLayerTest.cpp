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
            objects[i].setImage(names[i]);
            objects[i].moveTo(50, 50);
            console.objects.push_back(&objects[i]);
        }
        files.picture("images/back.bmp", 200, 150, kWhite);
        console.bg_files = {"images/back.bmp"};
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

// The front is drawn on top, the skipped one not at all; each motion on the screen moves the
// dragged object, motion off it is caught up later, and the drag waits for the release.
TEST_F(ObjectLayerTest, TheDraggedObjectFollowsTheMouseOverTheOthersUntilReleaseOrQuit) {
    displayElse(console, nullptr);
    EXPECT_EQ(pixelAt(console.screen, 50, 50), kRed);
    displayElse(console, &objects[0]);
    EXPECT_EQ(pixelAt(console.screen, 50, 50), kGreen);
    for (Pair at : {Pair(105, 100), Pair(200, 100), Pair(105, 150), Pair(110, 104)})
        push(mouseEvent(SDL_MOUSEMOTION, at.first, at.second));
    std::thread releaser([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        push(mouseEvent(SDL_MOUSEBUTTONUP, 0, 0));
    });
    const std::string report = drag();
    releaser.join();
    EXPECT_EQ(report, "dragged!:  X:105 Y: 100\ndragged!:  X:110 Y: 104\n");
    EXPECT_EQ(centre(objects[0]), Pair(60, 54));
    EXPECT_EQ(pixelAt(console.screen, 60, 54), kRed);
    EXPECT_EQ(pixelAt(console.screen, 150, 100), kWhite);  // the background drawn again
    EXPECT_FALSE(takeEvent(left));
    // A quit ends the drag and stays queued for the screen's loop.
    push(mouseEvent(SDL_MOUSEMOTION, 105, 100));
    pushQuit();
    EXPECT_EQ(drag(), "dragged!:  X:105 Y: 100\n");
    EXPECT_TRUE(takeEvent(left) && left.type == SDL_QUIT && !takeEvent(left));
}
