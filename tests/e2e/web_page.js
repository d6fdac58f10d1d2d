// The web build played as a person would, in the three engines: in headless Chromium the canvas's
// size on phones, tablets and desktops, touch, a pad, and a desktop offline across a new build; in
// Firefox and WebKit the keyboard (their drivers emulate no touch screen and cut no network). Not
// one error logged on the way. Usage: node web_page.js BUILD-WEB
"use strict";
const fs = require("fs");
const os = require("os");
const path = require("path");
const { withBrowser, waitFor, loggedErrors, screen, keys, touch, canvasBox: box } =
    require("../../tools/browsers.js");
const pictures = require("../../tools/pictures.js");
const { shoot, find, inMatch } = pictures;

const folder = path.resolve(process.argv[2] || "build-web");
const [north, photon] = ["ship_sprite/Ship-2_N.bmp", "ship_sprite/photon.bmp"].map((name) => pictures.picture(folder, name));
const showsTitle = (page) => pictures.showsTitle(page, folder);

let step = "opening the page", pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const expect = (what, check) => waitFor(step = what, check);

const tap = async (page, label) => touch(page, "touchStart", label).then(() => touch(page, "touchEnd"));
// Nothing held, neither by the page nor in the game's SDL, once it has read its events.
const nothingHeld = (page) => page.evaluate(
    () => orbitane.heldKeys().length === 0 && Object.keys(SDL.keyboardMap).length === 0);
const kPad = ["Up", "Down", "Left", "Right"];

// A held Up turns the ship north and pushes it, and Up with Fire fires missiles north of it;
// then Escape goes back to the title. `hold` and `letGo` press those controls, by touch or keys.
async function flyNorthAndFire(page, hold, letGo) {
    await expect("a one-player match", () => inMatch(page));
    // Pressed again while not seen, in case the sun or an asteroid took the ship.
    const ship = async () => find(await shoot(page), north)[0] || { y: -1 };
    await expect("the ship turned and pushed north by a held Up", async () => {
        await hold("Up");
        await pause(200);
        const from = await ship();
        await pause(300);
        const to = await ship();
        await letGo("Up");
        return to.y >= 0 && to.y < from.y;
    });
    await expect("missiles fired north of the ship", async () => {
        await hold("Up", "Fire");
        await pause(300);
        const shot = await shoot(page), at = find(shot, north)[0];
        await letGo("Up", "Fire");
        return at && find(shot, photon).some(({ x, y }) => Math.abs(x - at.x - 13) < 16 && y < at.y);
    });
}

// A phone either way up: a match played by touch, Escape.
async function phone(page) {
    await expect("the title", () => showsTitle(page));
    for (const label of ["Enter", "Enter"]) await tap(page, label);
    await flyNorthAndFire(page, (...labels) => touch(page, "touchStart", ...labels),
                          () => touch(page, "touchEnd"));
    await tap(page, "Escape");
    await expect("the title after Escape", () => showsTitle(page));
}

// A match played by keyboard: the arrows and Space fly and fire, Escape ends it. Space goes by
// its value, the one name for it that every driver knows.
const kKeyOf = { Up: "ArrowUp", Fire: " " };
async function playByKeys(page) {
    const each = (how) => async (...controls) => {
        for (const control of controls) await page.keyboard[how](kKeyOf[control]);
    };
    await flyNorthAndFire(page, each("down"), each("up"));
    await page.keyboard.press("Escape");
    await expect("the title after Escape", () => showsTitle(page));
}

// The keyboard in any engine: the title, where Return twice starts a match.
async function keyboard(page) {
    await expect("the title", () => showsTitle(page));
    await keys(page, "Enter", "Enter");
    await playByKeys(page);
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
        return all && find(shot, north).length > 0 && find(shot, photon).length > 1;
    });
    await expect("a cancelled touch letting go", () => nothingHeld(page));
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
        const turned = find(await shoot(page), north).length > 0;
        await pad([]);
        return turned;
    });
    await pad([0, 12]);
    await expect("the pad holding Space and Up", () => page.evaluate(() => orbitane.heldKeys().length === 2));
    await page.evaluate(() => (testPads.length = 0, dispatchEvent(new Event("gamepaddisconnected"))));
    await expect("the keys let go when the pad went", () => nothingHeld(page));
    await pad([9]);
    await expect("the title after Start", () => showsTitle(page));
}

// A copy of the build that the server can put up in its place: another page, another cache.
function nextBuild() {
    const next = fs.mkdtempSync(path.join(os.tmpdir(), "orbitane-next-"));
    fs.cpSync(folder, next, { recursive: true });
    for (const [name, from, to] of [["index.html", '<html lang="en"', "$& data-build=next"],
                                    ["sw.js", /orbitane-\w+/, "$&-next"]])
        fs.writeFileSync(path.join(next, name), String(fs.readFileSync(path.join(next, name))).replace(from, to));
    return next;
}
const cacheCount = (page) => page.evaluate(() => caches.keys().then((names) => names.length));

// A desktop: after one visit a new build comes
// and waits while a match goes on by keyboard with the network cut; the page offers it, and
// loads it offline, where QUIT ends the game.
async function offline(page, { server }) {
    await expect("the title", () => showsTitle(page));
    await expect("the service worker active", () => page.evaluate(
        () => navigator.serviceWorker.ready.then(() => true)));
    await page.reload();
    await expect("the service worker in control", () => page.evaluate(
        () => !!navigator.serviceWorker.controller));
    await expect("the title from the kept files", () => showsTitle(page));
    await keys(page, "Enter", "Enter");
    await expect("a match", () => inMatch(page));
    server.folder = nextBuild();
    await page.evaluate(() => navigator.serviceWorker.getRegistration().then((kept) => kept.update()));
    await expect("the next build offered", () => page.evaluate(
        () => !document.getElementById("update").hidden));
    await page.setOfflineMode(true);
    await playByKeys(page);
    await expect("the first build's cache kept while its page is open",
                 async () => await cacheCount(page) === 2);
    await page.click("#update");
    await expect("the next build's title offline", async () => await page.evaluate(
        () => document.documentElement.dataset.build === "next") && showsTitle(page));
    await expect("the first build's cache gone", async () => await cacheCount(page) === 1);
    await keys(page, "ArrowLeft", "Enter");
    await expect("the game-over message after QUIT", () => page.evaluate(() => {
        const over = document.getElementById("over");
        return !over.hidden && /game is over/.test(over.textContent);
    }));
    fs.rmSync(server.folder, { recursive: true });
}

const phoneUpright = screen(390, 844, 3, true), phoneSideways = screen(844, 390, 3, true);
const tabletSideways = screen(1024, 768, 2, true), desktop = screen(1024, 768);

// The canvas's box on each screen the game shows: the title, a match of one player, one of two.
async function sizes(page) {
    await expect("the title", () => showsTitle(page));
    const seen = { title: await box(page) };
    for (const [screen, ...to] of [["match1", "Enter", "Enter"],
                                   ["match2", "Escape", "Enter", "ArrowDown", "Enter"]]) {
        await keys(page, ...to);
        await expect(`a match, ${screen}`, async () => await inMatch(page) &&
                     await page.evaluate((screen) => document.body.dataset.screen === screen, screen));
        seen[screen] = await box(page);
    }
    return seen;
}

// What each screen must show: the least width and height of the canvas's box, in CSS pixels
// or as a share of the screen's; the controls beside it; its game pixels whole device pixels.
const kSizes = [
    { name: "phone sideways", device: phoneSideways, title: { height: 0.9, beside: true },
      match1: { height: 0.9, beside: true } },
    { name: "phone upright", device: phoneUpright, match1: { width: 0.95 }, match2: { width: 0.95 } },
    { name: "tablet sideways", device: tabletSideways, match2: { width: 560, beside: true } },
    { name: "desktop 1280 x 800", device: screen(1280, 800), match1: { width: 800, height: 600 } },
    { name: "desktop 960 x 720", device: screen(960, 720), match1: { width: 800, whole: true } },
];

// A box at least as large as asked, the game's shape, inside the screen, clear of the controls.
function checkBox(at, box, want, ratio) {
    const { width, height, screen: [across, down] } = box;
    const least = (asked, side, screen) => asked && side < (asked <= 1 ? asked * screen : asked);
    const crossing = box.controls.filter((c) => c.left < box.right && box.left < c.right &&
                                                c.top < box.bottom && box.top < c.bottom);
    const above = box.controls.filter((c) => c.right > box.left && c.left < box.right);
    const outside = [box, ...box.controls].filter((b) => b.left < 0 || b.top < 0 || b.right > across ||
                                                         b.bottom > down);
    const problems = [
        least(want.width, width, across) && `narrower than ${want.width}`,
        least(want.height, height, down) && `lower than ${want.height}`,
        Math.abs(width / height - box.display[0] / box.display[1]) > 0.01 && "not the game's shape",
        want.whole && !Number.isInteger(width * ratio / box.display[0]) && "not in whole device pixels",
        crossing.length && `under ${crossing.length} controls`,
        want.beside && above.length && `${above.length} controls above or below`,
        outside.length && `${outside.length} boxes off the screen`,
    ].filter(Boolean);
    console.log(`  ${at}: ${width.toFixed(1)} x ${height.toFixed(1)} in ${across} x ${down}` +
                (problems.length ? ` (${problems.join(", ")})` : ""));
    return problems.length === 0;
}

async function fillsTheScreen(page) {
    let good = true;
    for (const size of kSizes) {
        await page.emulate(size.device);
        await page.reload();
        const seen = await sizes(page);
        for (const screen of ["title", "match1", "match2"])
            if (size[screen]) good = checkBox(`${size.name}, ${screen}`, seen[screen], size[screen],
                                              size.device.viewport.deviceScaleFactor) && good;
        if (size.device !== phoneSideways) continue;
        // Turned upright in a match: the canvas fits the new screen by the next frame.
        await page.setViewport(phoneUpright.viewport);
        await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
        good = checkBox("phone turned upright, the next frame", await box(page), { width: 0.95 }) && good;
    }
    step = "the canvas filling the screen";
    if (!good) throw new Error("see the sizes above");
}

// A stand-in for the browser's gamepads, put in before the page's scripts.
const standInPads = () => (window.testPads = [], navigator.getGamepads = () => testPads);
const kRuns = [
    ["chromium", [[desktop, fillsTheScreen], [phoneUpright, phone], [phoneSideways, phone],
                  [tabletSideways, tablet], [desktop, gamepads, standInPads], [desktop, offline]]],
    ["firefox", [[desktop, keyboard]]],
    ["webkit", [[desktop, keyboard]]],
];

async function main() {
    let name;
    try {
        for (const [engine, runs] of kRuns) {
            const began = Date.now();
            name = engine;
            await withBrowser(folder, async (browser, address, server) => {
                for (const [device, run, setUp] of runs) {
                    const page = await browser.newPage();
                    if (setUp) await page.evaluateOnNewDocument(setUp);
                    const errors = loggedErrors(page);
                    await page.emulate(device);
                    await page.goto(address);
                    await run(page, { server });
                    const logged = await errors(step = "no errors logged");
                    if (logged.length) throw new Error(`the page logged:\n  ${logged.join("\n  ")}`);
                    await page.close();
                }
            }, name);
            console.log(`web page in ${name}: ok (${((Date.now() - began) / 1000).toFixed(0)} s)`);
        }
    } catch (error) {
        console.error(`FAIL in ${name} at ${step}: ${error.message}`);
        process.exitCode = 1;
    }
}

main();
