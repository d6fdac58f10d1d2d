#ifndef ORBITANE_FUZZ_FUZZSUPPORT_H
#define ORBITANE_FUZZ_FUZZSUPPORT_H

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzzsupport {

// Starts the fuzzer's world once: a private scratch folder that becomes the
// working directory (with images/ and fonts/ in it), SDL's dummy video with
// the game's 800 x 600 16-bit display, and the game's messages on standard
// output and error discarded so libFuzzer's own report stays readable.
// Called from LLVMFuzzerInitialize, which may add to the command line.
void start(int* argc, char*** argv);

// The display every target draws on, and a 32-bit surface like the ones the
// text is composed in.
SDL_Surface* screen();
SDL_Surface* trueColour();

// Replaces a file of the scratch folder with the given bytes.
void writeFile(const std::string& name, const std::uint8_t* data, std::size_t size);

// Tells the fuzzer what the loader made of its input. SDL's own code is not
// instrumented, so without this every file SDL refuses looks alike; with it
// each distinct refusal and each kind of picture counts as new ground.
void noteOutcome(SDL_Surface* picture);

// Places that put a picture fully inside, partly outside and far outside
// the target, including positions that wrap around SDL's 16-bit coordinates.
struct Place {
    int x;
    int y;
};
extern const Place kPlaces[];
extern const std::size_t kPlaceCount;

}  // namespace fuzzsupport

#endif
