// What one frame costs, unpaced, on SDL's dummy display with the generated
// pictures: the floor no frame can avoid, a match frame with growing scenes,
// and a title frame. Run: build/bench/frame_bench
#include "FramePacer.h"
#include "Game.h"
#include "GameDisplay.h"
#include "GameMain.h"
#include "TitleMenu.h"

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <memory>

namespace {

// The resource folder, SDL on the dummy display, and a world to play in.
struct Session {
    Session() {
        if (chdir(ORBITANE_RESOURCES) != 0) std::abort();
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_Init(SDL_INIT_VIDEO);
        game = std::make_unique<Game>();
    }
    ~Session() {
        game.reset();
        SDL_Quit();
    }
    std::unique_ptr<Game> game;
};

Session& session() {
    static Session instance;
    return instance;
}

// A still scene that stays the same frame after frame: the ships apart, the
// asteroids and armed missiles on a grid where nothing touches (the first
// ship's missiles below it, the asteroids' rows, then the second ship's
// missiles above it).
void layScene(Game& game, int asteroids, int missilesEach) {
    game.player.setPos(60, 60);
    game.enemy.setPos(740, 540);
    game.player.setVel(0, 0);
    game.enemy.setVel(0, 0);
    game.asteroids.clear();
    for (int i = 0; i < asteroids; ++i) {
        Sprite rock(true);
        rock.setImage("images/asteroid3.bmp");
        rock.resize(26, 26);
        rock.setPos(100 + (i % 20) * 30, 210 + (i / 20) * 30);
        game.asteroids.push_back(rock);
    }
    for (Ship* ship : {&game.player, &game.enemy}) {
        ship->clear();
        const int top = ship == &game.player ? 100 : 360;
        for (int i = 0; i < missilesEach; ++i) {
            Sprite* m = ship->createMissile();
            m->setVel(0, 0);
            m->setPos(40 + (i % 25) * 29, top + (i / 25) * 12);
            m->setCollid(true);
        }
    }
    game.sun.setCollid(false);
}

void matchFrame(benchmark::State& state) {
    Game& game = *session().game;
    game.playerMode = 1;  // the pilot would move the second ship
    Match match(game);
    layScene(game, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) match.frame();
    match.finish();
}

// The default scene: five asteroids and no missiles in flight.
BENCHMARK(matchFrame)
    ->Args({5, 0})
    ->Args({50, 0})
    ->Args({100, 0})
    ->Args({5, 100})
    ->Args({5, 200})
    ->Args({100, 200})
    ->Unit(benchmark::kMicrosecond);

// Reading and drawing the background and score pictures and presenting.
void floor(benchmark::State& state) {
    Game& game = *session().game;
    Match match(game);
    for (auto _ : state) {
        displayBG(game.console.screen, game.console);
        displayUI(game.console.screen, game.console);
        updateScreen(game.console.screen);
    }
    match.finish();
}
BENCHMARK(floor)->Unit(benchmark::kMicrosecond);

void titleFrame(benchmark::State& state) {
    Game& game = *session().game;
    SDL_Color palette[256];
    game.console.screen = createDisplay(game.console.screen, 512, 512, 16, palette, 256);
    game.console.bg_files = {"images/TitleScreen.bmp", "images/Title_Options.bmp"};
    TitleMenu menu(game, palette, 0, nullptr);
    for (auto _ : state) menu.frame();
}
BENCHMARK(titleFrame)->Unit(benchmark::kMicrosecond);

// The processor share of a paced loop: five seconds of frames at 60 a
// second, reported as the counter cpu_share (1 is a whole core).
template <typename Frame>
void pacedShare(benchmark::State& state, Frame frame) {
    const auto seconds = std::chrono::seconds(5);
    for (auto _ : state) {
        FramePacer pacer;
        const std::clock_t used = std::clock();
        const auto start = std::chrono::steady_clock::now();
        while (std::chrono::steady_clock::now() - start < seconds) {
            frame();
            pacer.wait();
        }
        const double cpu = double(std::clock() - used) / CLOCKS_PER_SEC;
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.counters["cpu_share"] = cpu / wall;
    }
}

void pacedMatch(benchmark::State& state) {
    Game& game = *session().game;
    game.playerMode = 0;
    Match match(game);
    pacedShare(state, [&match] { match.frame(); });
    match.finish();
}
BENCHMARK(pacedMatch)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

void pacedTitle(benchmark::State& state) {
    Game& game = *session().game;
    SDL_Color palette[256];
    game.console.screen = createDisplay(game.console.screen, 512, 512, 16, palette, 256);
    game.console.bg_files = {"images/TitleScreen.bmp"};
    TitleMenu menu(game, palette, 0, nullptr);
    pacedShare(state, [&menu] { menu.frame(); });
}
BENCHMARK(pacedTitle)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
