#include "GameDisplay.h"
#include "TestSupport.h"
#include "Utility.h"

#include <array>
#include <cstdlib>
#include <optional>

// A failed start, or no display to reach, ends the program with status 1 and says why.
TEST(InitSdlDeathTest, AFailedStartEndsWithStatusOne) {
    const auto start = [](const char* driver) {
        setenv("SDL_VIDEODRIVER", driver, 1), initSDL(0x30);
    };
    EXPECT_EXIT(start("no-such-driver"), testing::ExitedWithCode(1), "^Unable to init SDL: .+\n");
    EXPECT_EXIT(start("offscreen"), testing::ExitedWithCode(1),
                "^Unable to init SDL: no window system to open a window on\n");
    EXPECT_EQ(runCommand("timeout 20 env -u DISPLAY -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY " +
                         kBuiltBinary + " 2>/dev/null"),
              1);
}

// With none of SDL's four presentation settings chosen the game picks the software renderer.
TEST(InitSdl, ChoosesSoftwarePresentationOnlyWhenThePlayerChoseNone) {
    const char* const vars[] = {"SDL_RENDER_DRIVER", "SDL_FRAMEBUFFER_ACCELERATION",
                                "SDL12COMPAT_SYNC_TO_VBLANK", "SDL12COMPAT_WINDOW_SCALING"};
    using Settings = std::array<const char*, 4>;  // null where unset
    const Settings choices[] = {{}, {"opengl"}, {0, "1"}, {0, 0, "1"}, {0, 0, 0, "2"}};
    std::array<std::optional<std::string>, 4> was;
    for (int i = 0; i < 4; ++i)
        if (const char* value = std::getenv(vars[i])) was[i] = value;
    for (const Settings& choice : choices) {
        for (int i = 0; i < 4; ++i) choice[i] ? setenv(vars[i], choice[i], 1) : unsetenv(vars[i]);
        initSDL(0);
        const Settings after = choice == Settings{} ? Settings{"software", "0"} : choice;
        for (int i = 0; i < 4; ++i) EXPECT_STREQ(std::getenv(vars[i]), after[i]) << vars[i];
    }
    for (int i = 0; i < 4; ++i) was[i] ? setenv(vars[i], was[i]->c_str(), 1) : unsetenv(vars[i]);
}
