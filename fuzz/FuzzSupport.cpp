#include "FuzzSupport.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace fuzzsupport {

namespace {

const int kScreenWidth = 800;
const int kScreenHeight = 600;
const int kBitsPerPixel = 16;

// Every missing or broken picture is reported on standard error and every
// selection is echoed on standard output: thousands of lines a second. The
// fuzzer's own option sends both to /dev/null while keeping its reports.
const char* const kQuietOption = "-close_fd_mask=3";

std::string scratchFolder;
SDL_Surface* theScreen = nullptr;
SDL_Surface* theTrueColour = nullptr;

// Counters libFuzzer reads as extra coverage after every input.
const std::size_t kOutcomeCounters = 4096;
__attribute__((section("__libfuzzer_extra_counters"))) std::uint8_t outcomes[kOutcomeCounters];

void count(std::size_t feature) {
    outcomes[feature % kOutcomeCounters] = 1;
}

// The number of binary digits, so sizes that differ a little count as one.
std::size_t magnitude(int value) {
    std::size_t bits = 0;
    for (unsigned v = static_cast<unsigned>(value); v; v >>= 1) ++bits;
    return bits;
}

bool hasOption(const std::vector<std::string>& arguments, const std::string& prefix) {
    for (const std::string& argument : arguments)
        if (argument.compare(0, prefix.size(), prefix) == 0) return true;
    return false;
}

// A path given on the command line, made absolute against the folder the
// fuzzer was started in.
std::string fromStart(const std::string& path) {
    return path.empty() || path[0] == '/' ? path : (fs::current_path() / path).string();
}

// The fuzzer works inside its scratch folder, so the folders and files named
// on the command line (corpora, artifacts, dictionaries) are made absolute
// first, and crash reproducers go where it was started unless told
// otherwise. The quiet option is added unless the caller chose what to do
// with the output.
void rewriteCommandLine(int* argc, char*** argv) {
    static std::vector<std::string> arguments;
    static std::vector<char*> pointers;
    arguments.assign(*argv, *argv + *argc);
    const std::string pathOptions[] = {"-artifact_prefix=", "-exact_artifact_path=", "-dict="};
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::string& argument = arguments[i];
        if (argument[0] != '-') argument = fromStart(argument);
        for (const std::string& option : pathOptions)
            if (argument.compare(0, option.size(), option) == 0)
                argument = option + fromStart(argument.substr(option.size()));
    }
    if (!hasOption(arguments, "-artifact_prefix="))
        arguments.push_back("-artifact_prefix=" + fs::current_path().string() + "/");
    if (!hasOption(arguments, "-close_fd_mask=")) arguments.push_back(kQuietOption);
    pointers.clear();
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    *argc = static_cast<int>(arguments.size());
    *argv = pointers.data();
}

void removeScratchFolder() {
    std::error_code ignored;
    fs::current_path("/", ignored);
    fs::remove_all(scratchFolder, ignored);
}

void enterScratchFolder() {
    char pattern[] = "/tmp/orbitane-fuzz-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    scratchFolder = made;
    fs::create_directories(fs::path(made) / "images");
    fs::create_directories(fs::path(made) / "fonts");
    fs::current_path(made);
    std::atexit(removeScratchFolder);
}

void openDisplay() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL_Init failed: %s\n", SDL_GetError());
        std::exit(1);
    }
    theScreen = SDL_SetVideoMode(kScreenWidth, kScreenHeight, kBitsPerPixel, SDL_SWSURFACE);
    theTrueColour = SDL_CreateRGBSurface(0, kScreenWidth, kScreenHeight, 32, 0x000000FF,
                                         0x0000FF00, 0x00FF0000, 0xFF000000);
    if (!theScreen || !theTrueColour) {
        std::fprintf(stderr, "no surfaces to draw on: %s\n", SDL_GetError());
        std::exit(1);
    }
}

// A refusal's reason without its numbers: "bad dimensions (12x0)" and
// "bad dimensions (45x0)" are one refusal.
std::string withoutDigits(std::string reason) {
    const auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    reason.erase(std::remove_if(reason.begin(), reason.end(), isDigit), reason.end());
    return reason;
}

}  // namespace

const Place kPlaces[] = {
    {0, 0},      {100, 50}, {-10, -10},     {790, 590},      {-400, 300},
    {400, -300}, {-32768, 0}, {32767, 32767}, {70000, -70000},
};
const std::size_t kPlaceCount = sizeof(kPlaces) / sizeof(kPlaces[0]);

void start(int* argc, char*** argv) {
    rewriteCommandLine(argc, argv);
    enterScratchFolder();
    openDisplay();
}

SDL_Surface* screen() {
    return theScreen;
}

SDL_Surface* trueColour() {
    return theTrueColour;
}

// Each kind of outcome has its own range of counters.
void noteOutcome(SDL_Surface* picture) {
    if (!picture) {
        count(std::hash<std::string>()(withoutDigits(SDL_GetError())));
        return;
    }
    const SDL_PixelFormat* format = picture->format;
    const std::size_t colours = format->palette ? magnitude(format->palette->ncolors) : 0;
    count(1000 + format->BitsPerPixel * 10 + colours);
    count(2000 + magnitude(picture->w) * 40 + magnitude(picture->h));
    count(3000 + (format->Amask ? 1 : 0) + (picture->flags & SDL_SRCCOLORKEY ? 2 : 0));
}

void writeFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace fuzzsupport
