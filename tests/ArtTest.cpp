// The art generator's output: every picture and glyph the game loads, in the game's
// 16-bit 5-6-5 format, at the sizes the game lays out, and the same bytes on every run.

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kResources = ORBITANE_RESOURCES;
const std::string kArtExe = ORBITANE_ART_EXE;

constexpr int kPixelDataOffsetField = 10;

// Where the game puts the sun, and the radius of its deadly disc.
constexpr double kSunX = 395;
constexpr double kSunY = 295;
constexpr int kSunRadius = 10;

// The HUD: "SCORE" at the left edge with the digits from x = 71, the lives from x = 600.
constexpr int kScoreDigitsX = 71;
constexpr int kLivesX = 600;
constexpr int kScreenWidth = 800;

// Every picture the game loads, with its size.
struct Picture {
    const char* path;
    int width, height;
};

const Picture kPictures[] = {
    {"images/ship_sprite/Ship-2_E.bmp", 45, 48}, {"images/ship_sprite/Ship-2_W.bmp", 45, 48},
    {"images/ship_sprite/Ship-2_N.bmp", 48, 45}, {"images/ship_sprite/Ship-2_S.bmp", 48, 45},
    {"images/ship_sprite/photon.bmp", 23, 8},    {"images/ship_sprite/Explosion.bmp", 45, 48},
    {"images/asteroid1.bmp", 17, 17},            {"images/asteroid2.bmp", 20, 20},
    {"images/asteroid3.bmp", 26, 26},            {"images/asteroid4.bmp", 34, 34},
    {"images/asteroid5.bmp", 45, 45},            {"images/Sun.bmp", 20, 20},
    {"images/Bro_Sprite/Bro_front.bmp", 46, 40}, {"images/NO_IMAGE.bmp", 32, 32},
    {"images/select1.bmp", 26, 4},               {"images/toggle0.bmp", 30, 16},
    {"images/toggle1.bmp", 30, 16},              {"images/Icon.bmp", 32, 32},
    {"images/Space.bmp", 800, 600},              {"images/SpaceSun.bmp", 800, 600},
    {"images/TitleScreen.bmp", 512, 512},        {"images/Title_Play.bmp", 512, 512},
    {"images/Title_Options.bmp", 512, 512},
};

// Every glyph file, by name: the character itself, or a word for the two that cannot be.
std::vector<std::string> glyphNames()
{
    std::vector<std::string> names = {"_colon", "_space"};
    for (char c : std::string("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                              ".,!?-+=()[]'\"#%&*;<>@^_{}~$`|"))
        names.push_back(std::string(1, c));
    return names;
}

// A decoded picture, freed when it goes out of scope.
using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

Surface load(const std::string& path) { return Surface(SDL_LoadBMP(path.c_str()), SDL_FreeSurface); }

Uint16 pixelAt(const SDL_Surface* surface, int x, int y)
{
    const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    return reinterpret_cast<const Uint16*>(row)[x];
}

// The brightness of each 5-6-5 channel, widened to 0..255.
struct Rgb { int r, g, b; };

Rgb rgbAt(const SDL_Surface* surface, int x, int y)
{
    Uint16 p = pixelAt(surface, x, y);
    return {(p >> 11) * 255 / 31, ((p >> 5) & 0x3F) * 255 / 63, (p & 0x1F) * 255 / 31};
}

std::vector<uint8_t> readBytes(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A pixel as the file stores it: little-endian, bottom row first, rows padded to 4 bytes.
Uint16 storedPixel(const std::vector<uint8_t>& bytes, int width, int height, int x, int y)
{
    const uint8_t* offset = &bytes[kPixelDataOffsetField];
    size_t pixelData = offset[0] | offset[1] << 8 | offset[2] << 16 | uint32_t(offset[3]) << 24;
    size_t rowBytes = (size_t(width) * 2 + 3) & ~size_t(3);
    size_t at = pixelData + (height - 1 - y) * rowBytes + x * 2;
    return Uint16(bytes[at] | bytes[at + 1] << 8);
}

// Loads a picture and checks it is stored the way the display keeps it: 16-bit 5-6-5, and
// decoded by SDL into exactly the pixels the file holds.
Surface loadStored(const std::string& path)
{
    Surface surface = load(path);
    if (!surface)
        return surface;
    const SDL_PixelFormat& format = *surface->format;
    EXPECT_EQ(format.BitsPerPixel, 16) << path;
    EXPECT_EQ(std::vector<Uint32>({format.Rmask, format.Gmask, format.Bmask}),
              std::vector<Uint32>({0xF800, 0x07E0, 0x001F})) << path;
    std::vector<uint8_t> bytes = readBytes(path);
    int mismatches = 0;
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x)
            mismatches +=
                pixelAt(surface.get(), x, y) != storedPixel(bytes, surface->w, surface->h, x, y);
    EXPECT_EQ(mismatches, 0) << path;
    return surface;
}

// Part of the sun's disc: bright yellow-white, and so are its neighbours; even the brightest
// star is a single pixel.
bool isSunDisc(const SDL_Surface* surface, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            Rgb c = rgbAt(surface, x + dx, y + dy);
            if (c.r < 240 || c.g < 150)
                return false;
        }
    return true;
}

}  // namespace

TEST(ArtPictures, EveryPictureTheGameLoadsIsStoredAtItsSizeInTheDisplayFormat)
{
    for (const Picture& picture : kPictures) {
        Surface surface = loadStored(kResources + "/" + picture.path);
        ASSERT_TRUE(surface) << picture.path << ": " << SDL_GetError();
        EXPECT_EQ(surface->w, picture.width) << picture.path;
        EXPECT_EQ(surface->h, picture.height) << picture.path;
    }
}

TEST(ArtPictures, ShipFacingsAreOneShipTurnedByQuarterTurns)
{
    const std::string ship = kResources + "/images/ship_sprite/Ship-2_";
    Surface east = load(ship + "E.bmp"), north = load(ship + "N.bmp");
    Surface west = load(ship + "W.bmp"), south = load(ship + "S.bmp");
    ASSERT_TRUE(east && north && west && south);
    int w = east->w;
    int h = east->h;
    int mismatches = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Uint16 p = pixelAt(east.get(), x, y);
            mismatches += pixelAt(north.get(), y, w - 1 - x) != p;
            mismatches += pixelAt(west.get(), w - 1 - x, h - 1 - y) != p;
            mismatches += pixelAt(south.get(), h - 1 - y, x) != p;
        }
    EXPECT_EQ(mismatches, 0);
}

TEST(ArtFont, EveryGlyphIsStoredInTheDisplayFormatAndAllShareOneHeight)
{
    int height = -1;
    for (const std::string& name : glyphNames()) {
        Surface glyph = loadStored(kResources + "/fonts/" + name + ".bmp");
        ASSERT_TRUE(glyph) << name << ": " << SDL_GetError();
        EXPECT_GT(glyph->w, 0) << name;
        if (height < 0)
            height = glyph->h;
        EXPECT_EQ(glyph->h, height) << name;
    }
}

TEST(ArtFont, HudTextFitsWhereTheGameDrawsIt)
{
    // "LIVES: 15", glyph by glyph.
    int livesWidth = 0;
    for (const char* name : {"L", "I", "V", "E", "S", "_colon", "_space", "1", "5"}) {
        Surface glyph = load(kResources + "/fonts/" + name + ".bmp");
        ASSERT_TRUE(glyph) << "missing glyph " << name;
        livesWidth += glyph->w;
    }
    EXPECT_LT(kLivesX + livesWidth, kScreenWidth);

    Surface score = loadStored(kResources + "/images/Score.bmp");
    Surface digit = load(kResources + "/fonts/0.bmp");
    ASSERT_TRUE(score && digit);
    EXPECT_LT(score->w, kScoreDigitsX);
    EXPECT_EQ(score->h, digit->h);
}

TEST(ArtSun, SunOnTheBackdropIsCentredOnItsBody)
{
    Surface field = load(kResources + "/images/SpaceSun.bmp");
    ASSERT_TRUE(field);
    double sumX = 0;
    double sumY = 0;
    int count = 0;
    for (int y = 1; y < field->h - 1; ++y)
        for (int x = 1; x < field->w - 1; ++x)
            if (isSunDisc(field.get(), x, y)) {
                sumX += x + 0.5;
                sumY += y + 0.5;
                ++count;
            }
    ASSERT_GT(count, 0);
    EXPECT_NEAR(sumX / count, kSunX, 1.0);
    EXPECT_NEAR(sumY / count, kSunY, 1.0);
    // The bright disc is about as big as the sun's body, not a pinpoint or a flood.
    double discArea = 3.14159 * kSunRadius * kSunRadius;
    EXPECT_GT(count, discArea * 0.6);
    EXPECT_LT(count, discArea * 1.4);
}

TEST(ArtSun, PlainBackdropIsDarkWhereTheSunWouldBe)
{
    Surface field = load(kResources + "/images/Space.bmp");
    ASSERT_TRUE(field);
    constexpr int kDarkLimit = 48;
    for (int y = int(kSunY) - 2 * kSunRadius; y <= int(kSunY) + 2 * kSunRadius; ++y)
        for (int x = int(kSunX) - 2 * kSunRadius; x <= int(kSunX) + 2 * kSunRadius; ++x) {
            Rgb c = rgbAt(field.get(), x, y);
            EXPECT_LT(c.r + c.g + c.b, kDarkLimit) << "at " << x << "," << y;
        }
}

TEST(ArtTitle, OptionSwitchSpotsAreLeftBlack)
{
    Surface page = load(kResources + "/images/Title_Options.bmp");
    ASSERT_TRUE(page);
    // Each switch is 30x16, centred at (370, 326) and (400, 413); the label row must end before.
    const SDL_Rect spots[] = {{350, 316, 40, 20}, {380, 403, 40, 20}};
    for (const SDL_Rect& spot : spots)
        for (int y = spot.y; y < spot.y + spot.h; ++y)
            for (int x = spot.x; x < spot.x + spot.w; ++x)
                EXPECT_EQ(pixelAt(page.get(), x, y), 0) << "at " << x << "," << y;
}

// Runs of the generator into fresh folders under one of the test's own.
class ArtGenerator : public testing::Test {
protected:
    void SetUp() override { fs::remove_all(base); }
    void TearDown() override { fs::remove_all(base); }

    int run(const fs::path& folder)
    {
        std::string command = "\"" + kArtExe + "\" \"" + (folder / "res").string() + "\" \"" +
                              (folder / "icons").string() + "\"";
        return std::system(command.c_str());
    }

    const fs::path base =
        fs::path(testing::TempDir()) / ("orbitane-art-" + std::to_string(getpid()));
    const fs::path first = base / "first";
    const fs::path second = base / "second";
};

TEST_F(ArtGenerator, TwoRunsWriteIdenticalFiles)
{
    ASSERT_EQ(run(first), 0);
    ASSERT_EQ(run(second), 0);
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(first)) {
        if (!entry.is_regular_file())
            continue;
        fs::path twin = second / fs::relative(entry.path(), first);
        ASSERT_TRUE(fs::exists(twin)) << twin;
        EXPECT_EQ(readBytes(entry.path()), readBytes(twin)) << entry.path();
        ++files;
    }
    EXPECT_GT(files, int(std::size(kPictures) + glyphNames().size()));
}

TEST_F(ArtGenerator, WritesThePngDesktopIcon)
{
    ASSERT_EQ(run(first), 0);
    std::vector<uint8_t> png = readBytes(first / "icons" / "orbitane.png");
    const std::vector<uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_GE(png.size(), 24u);
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
    // The IHDR chunk follows: width and height, big-endian, 64 each.
    EXPECT_EQ(png[19], 64);
    EXPECT_EQ(png[23], 64);
}
