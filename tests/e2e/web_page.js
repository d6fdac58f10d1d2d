// The web build in headless Chromium, played as a person would: the title, a match on the 800 x 600
// display, a ship turned and fired in a two-player match, Escape back to the title, QUIT and the
// page's game-over message, and not one error logged on the way. Usage: node web_page.js BUILD-WEB
"use strict";
const path = require("path");
const { execFileSync } = require("child_process");
const { serve, launch } = require("../../tools/chromium.js");

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

async function main() {
    const server = await serve(folder);
    const browser = launch();
    const errors = [];
    let step = "opening the page";
    try {
        const page = await browser.open();
        page.on("Runtime.consoleAPICalled", (e) =>
            e.type === "error" && errors.push(e.args.map((a) => a.value).join(" ")));
        page.on("Runtime.exceptionThrown", (e) =>
            errors.push(e.exceptionDetails.exception?.description || e.exceptionDetails.text));
        page.on("Log.entryAdded", (e) => e.entry.level === "error" && errors.push(e.entry.text));
        for (const domain of ["Runtime", "Log", "Page"]) await page.send(`${domain}.enable`);
        await page.send("Page.navigate", { url: `http://127.0.0.1:${server.address().port}/` });

        // The canvas, one screenshot pixel a game pixel.
        const shoot = async () => {
            const clip = await page.evaluate(`(({ x, y, width, height }) => ({ x, y, width, height,
                scale: canvas.width / width }))(canvas.getBoundingClientRect())`);
            const png = (await page.send("Page.captureScreenshot", { clip })).data;
            return pixels(Buffer.from(png, "base64"));
        };
        const expect = (what, check) => page.waitFor(step = what, check);
        const title = picture("TitleScreen.bmp");
        const showsTitle = async () => likeness(await shoot(), title) > 0.995;
        const match = () => page.evaluate("canvas.width === 800 && canvas.height === 600");

        await expect("the title", showsTitle);
        await page.key("Enter");
        await page.key("Enter");
        await expect("a one-player match on an 800 x 600 canvas", match);
        await page.key("Escape");
        await expect("the title after Escape", showsTitle);

        // With a second player at the keyboard no ship turns or fires by itself.
        for (const key of ["Enter", "ArrowDown", "Enter"]) await page.key(key);
        await expect("a two-player match", match);
        const north = picture("ship_sprite/Ship-2_N.bmp");
        const photon = picture("ship_sprite/photon.bmp");
        if (count(await shoot(), north) !== 0) throw new Error("a ship faced north unasked");
        // Pressed again while not seen, in case an asteroid took the ship.
        await expect("the first ship turned north by the Up key", async () => {
            await page.key("ArrowUp");
            return count(await shoot(), north) === 1;
        });
        await expect("missiles fired by holding Space", async () => {
            await page.key(" ", { up: false });
            return count(await shoot(), photon) > 0;
        });
        await page.key(" ", { down: false });

        await page.key("Escape");
        await expect("the title after the second match", showsTitle);
        await page.key("ArrowLeft");
        await page.key("Enter");
        await expect("the game-over message after QUIT", () => page.evaluate(
            "!document.getElementById('over').hidden && /game is over/.test(over.textContent)"));
        if (errors.length) throw new Error(`the page logged errors:\n  ${errors.join("\n  ")}`);
        console.log("web page: ok");
    } catch (error) {
        console.error(`FAIL at ${step}: ${error.message}`);
        if (errors.length) console.error(`the page's errors:\n  ${errors.join("\n  ")}`);
        process.exitCode = 1;
    } finally {
        await browser.close();
        server.close();
    }
}

main();
