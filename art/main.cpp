// Draws every picture and glyph Orbitane shows, plus its icons:
//   orbitane-art <resource-dir> <icon-dir>
// The output depends on nothing but this code, so two runs write the same bytes.

#include "Bmp565.h"
#include "Font.h"
#include "Pictures.h"
#include "Png.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {
constexpr int kDesktopIconSize = 64;
constexpr int kLargeDesktopIconSize = 128;
// The sizes a web page's manifest offers for installing it.
constexpr int kWebAppIconSizes[] = {192, 512};

// Collects the files it writes and remembers whether any of them failed.
class Output {
public:
    explicit Output(fs::path folder) : folder(std::move(folder)) {}

    void bmp(const std::string& name, const Image565& image) {
        check(name, writeBmp565(image, path(name)));
    }
    void bmp(const std::string& name, const Canvas& canvas) { bmp(name, dither(canvas)); }
    // Nothing to write means the encoder failed.
    void bytes(const std::string& name, const std::vector<uint8_t>& data) {
        check(name, !data.empty() && writeFile(data, path(name)));
    }
    bool ok() const { return failures == 0; }

private:
    std::string path(const std::string& name) const { return (folder / name).string(); }

    void check(const std::string& name, bool written) {
        if (!written) {
            std::fprintf(stderr, "orbitane-art: cannot write %s\n", path(name).c_str());
            ++failures;
        }
    }

    fs::path folder;
    int failures = 0;
};

void writeBodies(Output& out) {
    Image565 east = dither(ship());
    out.bmp("images/ship_sprite/Ship-2_E.bmp", east);
    out.bmp("images/ship_sprite/Ship-2_N.bmp", turnLeft(east));
    out.bmp("images/ship_sprite/Ship-2_W.bmp", turnAround(east));
    out.bmp("images/ship_sprite/Ship-2_S.bmp", turnRight(east));
    out.bmp("images/ship_sprite/photon.bmp", photon());
    out.bmp("images/ship_sprite/Explosion.bmp", explosion());
    const int rockSizes[] = {17, 20, 26, 34, 45};
    for (int i = 0; i < 5; ++i)
        out.bmp("images/asteroid" + std::to_string(i + 1) + ".bmp",
                asteroid(rockSizes[i], uint32_t(i + 1)));
    out.bmp("images/Bro_Sprite/Bro_front.bmp", probe());
}

// The sun body is cut from the backdrop, so wherever the game lays it, it matches.
void writeField(Output& out) {
    Canvas field = space();
    out.bmp("images/Space.bmp", field);
    Image565 withSun = dither(spaceWithSun(field));
    out.bmp("images/SpaceSun.bmp", withSun);
    int corner = kSunSize / 2;
    out.bmp("images/Sun.bmp", crop(withSun, int(kSunCentre.x) - corner, int(kSunCentre.y) - corner,
                                   kSunSize, kSunSize));
}

void writeInterface(Output& out) {
    out.bmp("images/NO_IMAGE.bmp", noImage());
    out.bmp("images/select1.bmp", cursorBar());
    out.bmp("images/toggle0.bmp", toggle(false));
    out.bmp("images/toggle1.bmp", toggle(true));
    out.bmp("images/Score.bmp", scoreLabel());
    out.bmp("images/TitleScreen.bmp", titleMain());
    out.bmp("images/Title_Play.bmp", titlePlay());
    out.bmp("images/Title_Options.bmp", titleOptions());
    out.bmp("images/Icon.bmp", windowIcon());
}

void writeFont(Output& out) {
    for (char c : font::characters())
        out.bmp("fonts/" + font::fileName(c) + ".bmp", font::glyphPicture(c));
}

void writeIcons(Output& out) {
    out.bytes("orbitane.png", encodePng(desktopIcon(kDesktopIconSize)));
    out.bytes("orbitane-128.png", encodePng(desktopIcon(kLargeDesktopIconSize)));
    for (int size : kWebAppIconSizes)
        out.bytes("orbitane-" + std::to_string(size) + ".png", encodePng(desktopIcon(size)));
    std::string svg = desktopIconSvg();
    out.bytes("orbitane.svg", std::vector<uint8_t>(svg.begin(), svg.end()));
}

bool makeFolders(const fs::path& resources, const fs::path& icons) {
    std::error_code error;
    for (const fs::path& folder : {resources / "images/ship_sprite",
                                   resources / "images/Bro_Sprite", resources / "fonts", icons})
        if (!fs::create_directories(folder, error) && error) return false;
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: orbitane-art <resource-dir> <icon-dir>\n");
        return 2;
    }
    if (!makeFolders(argv[1], argv[2])) {
        std::fprintf(stderr, "orbitane-art: cannot create the output folders\n");
        return 1;
    }
    Output resources{fs::path(argv[1])};
    Output icons{fs::path(argv[2])};
    writeBodies(resources);
    writeField(resources);
    writeInterface(resources);
    writeFont(resources);
    writeIcons(icons);
    return resources.ok() && icons.ok() ? 0 : 1;
}
