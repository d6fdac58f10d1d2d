// The art generator's pictures: 5-6-5 at their sizes, read alike by SDL and the page, and stable.
#include "TestSupport.h"

#include <memory>
#include <sstream>

const std::string kImages = kBuiltResources + "/images/";

// A picture whose file holds SDL's rows, bottom up and padded, and whose colours the page decodes.
static auto loadChecked(const std::string& path) {
    std::shared_ptr<SDL_Surface> p(SDL_LoadBMP(path.c_str()), SDL_FreeSurface);
    if (!p) ADD_FAILURE() << "SDL can't read it";
    if (!p) return p;
    EXPECT_EQ(p->format->BitsPerPixel, 16);
    EXPECT_EQ(p->format->Rmask, 0xF800u);
    EXPECT_EQ(p->format->Gmask, 0x07E0u);
    std::string rows, file = readFile(path);
    for (int y = p->h - 1; y >= 0; --y)
        rows.append(static_cast<char*>(p->pixels) + y * p->pitch, p->w * 2).append(p->w % 2 * 2, 0);
    EXPECT_TRUE(file.substr(static_cast<unsigned char>(file.at(10))) == rows) << "rows differ";
    SDL_Surface* web = decodeAsPage(path);
    EXPECT_TRUE(web) << "the page can't read it";
    int differ = 0;
    for (int i = 0; web && i < p->w * p->h; ++i)
        differ += pixelAt(web, i % p->w, i / p->w) != pixelAt(p.get(), i % p->w, i / p->w);
    EXPECT_EQ(differ, 0) << "pixels differ on the page";
    SDL_FreeSurface(web);
    return p;
}

TEST(Art, EveryPictureTheGameLoadsHasItsSize) {
    std::istringstream pictures(
        "ship_sprite/Ship-2_E 45 48 ship_sprite/Ship-2_W 45 48 ship_sprite/Ship-2_N 48 45 "
        "ship_sprite/Ship-2_S 48 45 ship_sprite/photon 23 8 ship_sprite/Explosion 45 48 Sun 20 20 "
        "Score 60 20 Icon 32 32 asteroid1 17 17 asteroid2 20 20 asteroid3 26 26 asteroid4 34 34 "
        "asteroid5 45 45 Bro_Sprite/Bro_front 46 40 NO_IMAGE 32 32 select1 26 4 toggle0 30 16 "
        "toggle1 30 16 Space 800 600 SpaceSun 800 600 TitleScreen 512 512 Title_Play 512 512 "
        "Title_Options 512 512");
    std::string name;
    for (int width, height; pictures >> name >> width >> height;) {
        SCOPED_TRACE(name);
        auto p = loadChecked(kImages + name + ".bmp");
        EXPECT_EQ(p ? p->w : 0, width);
        EXPECT_EQ(p ? p->h : 0, height);
    }
}

TEST(Art, TwoRunsWriteTheSameBytesAndIconsThatDecode) {
    TempResources folder;
    ASSERT_EQ(runCommand("for r in a b; do '" ORBITANE_ART_EXE "' $r $r/icons || exit; done"), 0);
    ASSERT_EQ(runCommand("diff -r a b && identify -format '%w %h,' a/icons/*.png > sizes"), 0);
    EXPECT_EQ(readFile("sizes"), "128 128,192 192,512 512,64 64,");
}
