// The web build in headless Chromium, played as a person would: the title, a match on the 800 x 600
// display, a ship turned and fired in a two-player match, Escape back to the title, QUIT and the
// page's game-over message, and not one error logged on the way. Usage: node web_page.js BUILD-WEB
"use strict";
const path = require("path");
const { execFileSync } = require("child_process");
const { withBrowser, waitFor } = require("../../tools/chromium.js");

const folder = path.resolve(process.argv[2] || "build-web");
const images = path.join(folder, "Orbitane.app/Contents/Resources/images");

// A picture (a path, or a PNG's bytes) as 0xRRGGBB values row by row, read by ImageMagick.
function pixels(file) {
    const input = Buffer.isBuffer(file) ? file : undefined;
    const ppm = execFileSync("convert", [input ? "png:-" : file, "-depth", "8", "ppm:-"],
                             { input, maxBuffer: 1 << 26 });
    const [, width, height] = ppm.toString("latin1", 0, 24).split(/\s+/).map(Number);
    const start = ppm.length - 3 * width * height;
    return { width, height, pixels: Array.from({ length: width * height },
                                               (_, i) => ppm.readUIntBE(start + 3 * i, 3)) };
}
const picture = (name) => pixels(path.join(images, name));

const near = (u, v) => [16, 8, 0].every((s) => Math.abs(((u >> s) & 255) - ((v >> s) & 255)) <= 3);

// The share of a screenshot's pixels that are the picture's.
const likeness = (shot, want) => shot.width !== want.width ? 0 :
    shot.pixels.filter((pixel, i) => near(pixel, want.pixels[i])).length / shot.pixels.length;

// How many times a picture stands whole in a screenshot.
function count(shot, want) {
    const at = (x, y, i) => (y + Math.floor(i / want.width)) * shot.width + x + (i % want.width);
    let found = 0;
    for (let y = 0; y + want.height <= shot.height; ++y)
        for (let x = 0; x + want.width <= shot.width; ++x)
            found += want.pixels.every((pixel, i) => near(shot.pixels[at(x, y, i)], pixel));
    return found;
}

// What a page logs as an error, an uncaught exception included.
function watchErrors(page) {
    const errors = [];
    page.on("console", (message) => message.type() === "error" && errors.push(message.text()));
    page.on("pageerror", (error) => errors.push(error.message));
    return errors;
}

// The game's display as it stands, one pixel a game pixel, whatever its size on the page.
const shoot = async (page) => pixels(Buffer.from((await page.evaluate(
    () => canvas.toDataURL("image/png"))).split(",")[1], "base64"));
const title = picture("TitleScreen.bmp");
const showsTitle = async (page) => likeness(await shoot(page), title) > 0.995;
const inMatch = (page) => page.evaluate(() => canvas.width === 800 && canvas.height === 600);
const north = picture("ship_sprite/Ship-2_N.bmp");
const photon = picture("ship_sprite/photon.bmp");

let step = "opening the page";
const expect = (what, check) => waitFor(step = what, check);

// The keyboard on a desktop: both matches, a ship turned and fired, QUIT.
async function keyboard(page) {
    const key = (name) => page.keyboard.press(name);
    await expect("the title", () => showsTitle(page));
    await key("Enter");
    await key("Enter");
    await expect("a one-player match on an 800 x 600 canvas", () => inMatch(page));
    await key("Escape");
    await expect("the title after Escape", () => showsTitle(page));

    // With a second player at the keyboard no ship turns or fires by itself.
    for (const name of ["Enter", "ArrowDown", "Enter"]) await key(name);
    await expect("a two-player match", () => inMatch(page));
    if (count(await shoot(page), north) !== 0) throw new Error("a ship faced north unasked");
    // Pressed again while not seen, in case an asteroid took the ship.
    await expect("the first ship turned north by the Up key", async () => {
        await key("ArrowUp");
        return count(await shoot(page), north) === 1;
    });
    await expect("missiles fired by holding Space", async () => {
        await page.keyboard.down("Space");
        return count(await shoot(page), photon) > 0;
    });
    await page.keyboard.up("Space");

    await key("Escape");
    await expect("the title after the second match", () => showsTitle(page));
    await key("ArrowLeft");
    await key("Enter");
    await expect("the game-over message after QUIT", () => page.evaluate(
        () => !document.getElementById("over").hidden && /game is over/.test(over.textContent)));
}

async function main() {
    let errors = [];
    try {
        await withBrowser(folder, async (browser, address) => {
            const page = await browser.newPage();
            errors = watchErrors(page);
            await page.goto(address);
            await keyboard(page);
        });
        if (errors.length) throw new Error(`the page logged errors:\n  ${errors.join("\n  ")}`);
        console.log("web page: ok");
    } catch (error) {
        console.error(`FAIL at ${step}: ${error.message}`);
        process.exitCode = 1;
    }
}

main();
