// The web build in headless Chromium, played as a person would: by touch on a phone either way up
// and by two players on a tablet, with a pad, and by keyboard on a desktop offline after one visit;
// not one error logged on the way. Usage: node web_page.js BUILD-WEB
"use strict";
const path = require("path");
const { execFileSync } = require("child_process");
const { withBrowser, waitFor } = require("../../tools/chromium.js");

const folder = path.resolve(process.argv[2] || "build-web");
const images = path.join(folder, "Orbitane.app/Contents/Resources/images");

// A picture (a path, or PNG bytes) as 0xRRGGBB values row by row, read by ImageMagick.
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
const count = (shot, want) => find(shot, want).length;

// The game's display as it stands, one pixel a game pixel, whatever its size on the page.
const shoot = async (page) => pixels(Buffer.from((await page.evaluate(
    () => canvas.toDataURL("image/png"))).split(",")[1], "base64"));
const title = picture("TitleScreen.bmp");
const showsTitle = async (page) => likeness(await shoot(page), title) > 0.995;
const inMatch = (page) => page.evaluate(() => canvas.width === 800 && canvas.height === 600);
const north = picture("ship_sprite/Ship-2_N.bmp");
const photon = picture("ship_sprite/photon.bmp");

let step = "opening the page";
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const expect = (what, check) => waitFor(step = what, check);

// Every finger down after a touch event, at the middle of the control it names or at [x, y].
async function touch(page, type, ...fingers) {
    const touchPoints = await page.evaluate((fingers) => fingers.map((at, id) => {
        if (Array.isArray(at)) return { x: at[0], y: at[1], id };
        const { x, y, width, height } = document.querySelector(`[aria-label="${at}"]`)
            .getBoundingClientRect();
        return { x: x + width / 2, y: y + height / 2, id };
    }), fingers);
    const cdp = page.cdp || (page.cdp = await page.createCDPSession());
    await cdp.send("Input.dispatchTouchEvent", { type, touchPoints });
}
const tap = async (page, label) => (await touch(page, "touchStart", label),
                                    await touch(page, "touchEnd"));
const visible = (page, label) => page.$eval(`[aria-label="${label}"]`,
                                            (control) => control.checkVisibility());
// Nothing held, neither by the page nor in the game's SDL, once it has read its events.
const nothingHeld = (page) => page.evaluate(
    () => heldKeys.size === 0 && Object.keys(SDL.keyboardMap).length === 0);
const kPad = ["Up", "Down", "Left", "Right"];

// A phone either way up: the controls inside the screen, a match played by touch, Escape.
async function phone(page) {
    await expect("the title", () => showsTitle(page));
    step = "the title's controls inside the screen, and no second player's";
    const inside = await page.evaluate(() => [canvas, ...document.querySelectorAll("[data-key]")]
        .filter((control) => control.checkVisibility()).map((control) => control.getBoundingClientRect())
        .map((b) => b.left >= 0 && b.top >= 0 && b.right <= innerWidth && b.bottom <= innerHeight));
    if (inside.length !== 6 || !inside.every(Boolean) || await visible(page, "Fire") ||
        await visible(page, "Player 2 Up")) throw new Error(`controls seen: ${inside}`);
    for (const label of ["Enter", "Enter"]) await tap(page, label);
    await expect("a one-player match", () => inMatch(page));
    // Pressed again while not seen, in case the sun or an asteroid took the ship.
    const ship = async () => find(await shoot(page), north)[0] || { y: -1 };
    await expect("the ship turned and pushed north by a held Up", async () => {
        await touch(page, "touchStart", "Up");
        const from = await ship();
        await pause(300);
        const to = await ship();
        await touch(page, "touchEnd");
        return to.y >= 0 && to.y < from.y;
    });
    await expect("missiles fired north of the ship", async () => {
        await touch(page, "touchStart", "Up", "Fire");
        await pause(300);
        const shot = await shoot(page), at = find(shot, north)[0];
        await touch(page, "touchEnd");
        return at && find(shot, photon).some(({ x, y }) => Math.abs(x - at.x - 13) < 16 && y < at.y);
    });
    await tap(page, "Escape");
    await expect("the title after Escape", () => showsTitle(page));
    step = "the page neither scrolled nor zoomed";
    if (!await page.evaluate(() => scrollX === 0 && scrollY === 0 && visualViewport.scale === 1 &&
                             document.documentElement.scrollHeight <= innerHeight))
        throw new Error("it did");
}

// A tablet, two players at once, then fingers that go wrong.
async function tablet(page) {
    await expect("the title", () => showsTitle(page));
    for (const label of ["Enter", "Down", "Enter"]) await tap(page, label);
    await expect("a two-player match", () => inMatch(page));
    // Pressed again while not seen, in case the sun or an asteroid took a ship.
    await expect("both players thrusting, turned and firing at once", async () => {
        await touch(page, "touchStart", "Up", "Player 2 Up", "Fire", "Player 2 Fire");
        await pause(300);
        const shot = await shoot(page);
        const all = await page.evaluate(() => Object.keys(SDL.keyboardMap).length === 4);
        await touch(page, "touchCancel");
        return all && count(shot, north) > 0 && count(shot, photon) > 1;
    });
    await expect("a cancelled touch letting go", () => nothingHeld(page));
    // Slid from one direction to the next, then off the controls.
    for (const [to, held] of [["Up", "ArrowUp"], ["Right", "ArrowRight"], [[5, 5], undefined]]) {
        await touch(page, to === "Up" ? "touchStart" : "touchMove", to);
        step = `a finger slid to ${to}`;
        const holds = await page.evaluate(() => [...heldKeys.values()]);
        if (String(holds) !== String(held || [])) throw new Error(`it holds ${holds}`);
    }
    await touch(page, "touchEnd");
    step = "a touch reaching the game in the same task";
    const sameTask = await page.evaluate(() => new Promise((resolve) => {
        let touching = false;
        addEventListener("touchstart", () => (touching = true, setTimeout(() => touching = false)),
                         { capture: true, once: true });
        canvas.addEventListener("keydown", () => resolve(touching), { once: true });
    }).then((seen) => seen), touch(page, "touchStart", "Fire"));
    if (!await sameTask) throw new Error("a timer came in between");
    for (const hide of ["dispatchEvent(new Event('blur'))",
                        "document.dispatchEvent(new Event('visibilitychange'))"]) {
        await touch(page, "touchStart", ...kPad, "Fire", ...kPad.map((to) => "Player 2 " + to));
        await page.evaluate(hide);
        await expect(`every key let go after ${hide}`, () => nothingHeld(page));
        await touch(page, "touchEnd");
    }
}

// One pad: a match started, the ship turned by the stick, keys let go with the pad, Start.
async function gamepads(page) {
    const pad = async (buttons, axes = [0, 0]) => {
        await page.evaluate((buttons, axes) => {
            testPads[0] = { index: 0, connected: true, axes, buttons: Array.from(
                { length: 17 }, (_, i) => ({ pressed: buttons.includes(i) })) };
            dispatchEvent(new Event("gamepadconnected"));
        }, buttons, axes);
        await pause(100);
    };
    await expect("the title", () => showsTitle(page));
    for (const buttons of [[0], [], [0], []]) await pad(buttons);
    await expect("a one-player match started by the pad", () => inMatch(page));
    await expect("the ship turned north by the stick", async () => {
        await pad([], [0, -1]);
        const turned = count(await shoot(page), north) > 0;
        await pad([]);
        return turned;
    });
    await pad([0, 12]);
    await expect("the pad holding Space and Up", () => page.evaluate(() => heldKeys.size === 2));
    await page.evaluate(() => (testPads.length = 0, dispatchEvent(new Event("gamepaddisconnected"))));
    await expect("the keys let go when the pad went", () => nothingHeld(page));
    await pad([9]);
    await expect("the title after Start", () => showsTitle(page));
}

// A desktop, without touch controls: the page installable, and after one visit, offline, the
// keyboard plays a match, ends it with Escape and chooses QUIT.
async function offline(page) {
    step = "no touch controls on a desktop";
    if (await visible(page, "Up")) throw new Error("they show");
    await expect("the title", () => showsTitle(page));
    step = "the page installable";
    const cdp = await page.createCDPSession();
    const { installabilityErrors } = await cdp.send("Page.getInstallabilityErrors");
    const { errors } = await cdp.send("Page.getAppManifest");
    if (installabilityErrors.length || errors.length)
        throw new Error(JSON.stringify([installabilityErrors, errors]));
    await expect("the service worker in control", () => page.evaluate(
        () => !!navigator.serviceWorker.controller));
    await page.setOfflineMode(true);
    await page.reload();
    await expect("the title offline", () => showsTitle(page));
    const keys = async (...names) => { for (const name of names) await page.keyboard.press(name); };
    await keys("Enter", "Enter");
    await expect("a one-player match offline on an 800 x 600 canvas", () => inMatch(page));
    await keys("Escape");
    await expect("the title after Escape", () => showsTitle(page));
    await keys("ArrowLeft", "Enter");
    await expect("the game-over message after QUIT", () => page.evaluate(
        () => !document.getElementById("over").hidden && /game is over/.test(over.textContent)));
}

const touchScreen = (width, height) => ({ viewport: { width, height, hasTouch: true,
                                                       isMobile: true, isLandscape: width > height } });
const phoneUpright = touchScreen(390, 844), phoneSideways = touchScreen(844, 390);
const tabletSideways = touchScreen(1180, 820), desktop = { viewport: { width: 1024, height: 768 } };
// A stand-in for the browser's gamepads, put in before the page's scripts.
const standInPads = () => (window.testPads = [], navigator.getGamepads = () => testPads);
const kRuns = [[phoneUpright, phone], [phoneSideways, phone],
               [tabletSideways, tablet], [desktop, gamepads, standInPads], [desktop, offline]];

async function main() {
    let errors = [];
    try {
        await withBrowser(folder, async (browser, address) => {
            for (const [device, run, setUp] of kRuns) {
                const page = await browser.newPage();
                if (setUp) await page.evaluateOnNewDocument(setUp);
                errors = [];
                page.on("console", (message) => message.type() === "error" &&
                                                errors.push(message.text()));
                page.on("pageerror", (error) => errors.push(error.message));
                await page.emulate({ userAgent: "", ...device });
                await page.goto(address);
                await run(page);
                if (errors.length) throw new Error(`the page logged:\n  ${errors.join("\n  ")}`);
                await page.close();
            }
        });
        console.log("web page: ok");
    } catch (error) {
        console.error(`FAIL at ${step}: ${error.message}`);
        process.exitCode = 1;
    }
}

main();
