// The game's pictures and its display compared pixel by pixel, for the page's test and the
// screenshots: a picture file or a PNG read as 0xRRGGBB values by ImageMagick, and the screen
// the page shows told by it.
"use strict";
const path = require("path");
const { execFileSync } = require("child_process");

// A picture (a path, or PNG bytes) as 0xRRGGBB values row by row.
function pixels(file) {
    const input = Buffer.isBuffer(file) ? file : undefined;
    const ppm = execFileSync("convert", [input ? "png:-" : file, "-depth", "8", "ppm:-"],
                             { input, maxBuffer: 1 << 26 });
    const [, width, height] = ppm.toString("latin1", 0, 24).split(/\s+/).map(Number);
    const start = ppm.length - 3 * width * height;
    return { width, height, pixels: Array.from({ length: width * height },
                                               (_, i) => ppm.readUIntBE(start + 3 * i, 3)) };
}

// One of the game's pictures in a web build.
const picture = (folder, name) => pixels(path.join(folder, "Orbitane.app/Contents/Resources/images", name));

// The game's display as it stands, one pixel a game pixel, whatever its size on the page,
// through `orbitane`, the hook the page exports for its tools.
const shoot = async (page) => pixels(Buffer.from((await page.evaluate(
    () => orbitane.canvas.toDataURL("image/png"))).split(",")[1], "base64"));

const near = (u, v) => [16, 8, 0].every((s) => Math.abs(((u >> s) & 255) - ((v >> s) & 255)) <= 3);

// The share of a screenshot's pixels that are the picture's.
const likeness = (shot, want) => shot.width !== want.width ? 0 :
    shot.pixels.filter((pixel, i) => near(pixel, want.pixels[i])).length / shot.pixels.length;

// Where a picture stands whole in a screenshot, top left corners.
function find(shot, want) {
    const at = (x, y, i) => (y + Math.floor(i / want.width)) * shot.width + x + (i % want.width);
    const found = [];
    for (let y = 0; y + want.height <= shot.height; ++y)
        for (let x = 0; x + want.width <= shot.width; ++x)
            if (want.pixels.every((pixel, i) => near(shot.pixels[at(x, y, i)], pixel)))
                found.push({ x, y });
    return found;
}

// Whether the page shows the title of the web build in `folder`, or a match.
const showsTitle = async (page, folder) =>
    likeness(await shoot(page), picture(folder, "TitleScreen.bmp")) > 0.995;
const inMatch = (page) => page.evaluate(() => orbitane.canvas.width === 800);

module.exports = { picture, shoot, likeness, find, showsTitle, inMatch };
