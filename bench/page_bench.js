// The web build in headless Chromium: frames a second, the gaps between
// frames and the share of the page's main thread that is busy, on the title
// screen and in one- and two-player matches against the floor page (the
// game's display set up and presented once per animation frame, nothing
// drawn), in three rounds one after another, each figure the median of its
// three; then a tablet with the controls shown and hidden, and a phone at its
// real density, as it is and with its processor 4 and 6 times slower. In
// Firefox ESR and WebKitGTK, the animation frames a second of a blank page,
// the title and both matches. And what the page weighs when a server
// compresses it. Built with `bash tools/dev.sh web`; run by hand:
//   node bench/page_bench.js [build-web] [seconds per measurement]
"use strict";
const fs = require("fs");
const path = require("path");
const zlib = require("zlib");
const { withBrowser, waitFor, screen } = require("../tools/browsers.js");

// Run in the page before its scripts. A frame starts with its background,
// drawn over the whole display, in an animation frame of the browser's; the
// page notes that animation frame's time, the time of the display's refresh
// that will show the frame. The floor draws nothing: each of its animation
// frames is a frame. How a frame reaches the canvas is known here only: the
// background is put on the canvas, or drawn from a canvas the page keeps.
function noteFrames() {
    window.frameTimes = [];
    let refresh = 0;
    const requestFrame = window.requestAnimationFrame;
    window.requestAnimationFrame = (step) => requestFrame((time) => {
        if (document.title.endsWith("floor")) frameTimes.push(time);
        step(refresh = time);
    });
    const noteCovering = (context, x, y, width, height) => {
        const c = context.canvas;
        if (c.id === "canvas" && x === 0 && y === 0 && width === c.width && height === c.height)
            frameTimes.push(refresh);
    };
    const prototype = CanvasRenderingContext2D.prototype;
    const { putImageData, drawImage } = prototype;
    prototype.putImageData = function (image, x, y, ...rest) {
        noteCovering(this, x, y, image.width, image.height);
        return putImageData.call(this, image, x, y, ...rest);
    };
    prototype.drawImage = function (...args) {
        if (args.length === 9) noteCovering(this, ...args.slice(5));
        return drawImage.apply(this, args);
    };
}

const folder = path.resolve(process.argv[2] || path.join(__dirname, "..", "build-web"));
const seconds = Number(process.argv[3] || 8);
const kRounds = 3;
const settle = 2000;

const desk = screen(1024, 768), tablet = screen(1024, 768, 1, true), phone = screen(844, 390, 3, true);

const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function percentile(sorted, p) {
    return sorted[Math.min(sorted.length - 1, Math.floor(p * sorted.length))];
}

// Frames and main-thread time over the next `seconds`, on a screen that has
// settled.
async function measure(page, what) {
    await pause(settle);
    const busy = async () => {
        const { Timestamp, TaskDuration } = await page.metrics();
        return { at: Timestamp, task: TaskDuration };
    };
    const start = await busy();
    const from = await page.evaluate(() => performance.now());
    await pause(seconds * 1000);
    const end = await busy();
    const times = await page.evaluate((from) => frameTimes.filter((t) => t >= from), from);
    const gaps = times.slice(1).map((t, i) => t - times[i]).sort((a, b) => a - b);
    const wall = end.at - start.at;
    return { what, fps: (times.length - 1) / ((times[times.length - 1] - times[0]) / 1000),
             median: percentile(gaps, 0.5), p95: percentile(gaps, 0.95),
             worst: gaps[gaps.length - 1], busy: (end.task - start.task) / wall };
}

// A fresh page at `address` with the device's screen.
async function open(browser, address, device) {
    const page = await browser.newPage();
    await page.emulate(device);
    await page.evaluateOnNewDocument(noteFrames);
    await page.goto(address);
    return page;
}

async function floor(browser, address, results) {
    const page = await open(browser, `${address}floor/index.html`, desk);
    results.push(await measure(page, "floor"));
    await page.close();
}

// The title, then a match of one player and one of two, on a fresh page
// with the device's screen; `how` names the device in the results.
async function session(browser, address, device, how, results,
                       { hideControls = false, throttle = 1 } = {}) {
    const page = await open(browser, address, device);
    // A slower processor, as a phone's: Chromium runs the page's main thread that many times slower.
    if (throttle > 1) await page.emulateCPUThrottling(throttle);
    // Hidden but in place, so that the canvas keeps the size it has beside them.
    if (hideControls) await page.evaluate(() => document.querySelectorAll(".controls")
        .forEach((controls) => controls.style.visibility = "hidden"));
    const keys = async (...names) => { for (const name of names) await page.keyboard.press(name); };
    const display = (width) => waitFor(`a ${width}-wide display`,
                                       () => page.evaluate((w) => orbitane.canvas.width === w, width));
    await waitFor("the game", () => page.evaluate(() => orbitane.running()));
    await page.evaluate(() => orbitane.canvas.focus());
    results.push(await measure(page, `title screen${how}`));
    await keys("Enter", "Enter");
    await display(800);
    results.push(await measure(page, `one-player match${how}`));
    await keys("Escape");
    await display(512);
    await keys("Enter", "ArrowDown", "Enter");
    await display(800);
    results.push(await measure(page, `two-player match${how}`));
    await page.close();
}

// Animation frames a second over the next `seconds` in any engine, counted by
// the page itself: the browser's pace, which falls when the page's main thread
// is too busy to keep it.
const animationFrames = (page) => page.evaluate((seconds) => new Promise((resolve) => {
    let frames = 0;
    const start = performance.now(), count = (now) => now - start < seconds * 1000 ?
        (++frames, requestAnimationFrame(count)) : resolve(frames / ((now - start) / 1000));
    requestAnimationFrame(count);
}), seconds);

// A blank page, the title and a one- and a two-player match in Firefox ESR and
// WebKitGTK: how many animation frames a second each engine keeps.
async function otherEngines(results) {
    for (const engine of ["firefox", "webkit"]) {
        await withBrowser(folder, async (browser, address) => {
            const page = await browser.newPage();
            await page.emulate(desk);
            await page.goto("about:blank");
            const blank = await animationFrames(page);
            await page.goto(address);
            await waitFor("the game", () => page.evaluate(() => orbitane.running()));
            await pause(settle);
            const title = await animationFrames(page);
            const match = async (...keys) => {
                for (const key of keys) await page.keyboard.press(key);
                await waitFor("a match", () => page.evaluate(() => orbitane.canvas.width === 800));
                await pause(settle);
                return animationFrames(page);
            };
            const one = await match("Enter", "Enter");
            await page.keyboard.press("Escape");
            await waitFor("the title", () => page.evaluate(() => orbitane.canvas.width === 512));
            results.push({ engine, blank, title, one, two: await match("Enter", "ArrowDown", "Enter") });
        }, engine);
    }
}

function weigh() {
    const kb = (name) => {
        const bytes = fs.readFileSync(path.join(folder, name));
        const gzip = zlib.gzipSync(bytes, { level: 9 });
        return { name, raw: bytes.length / 1024, gzip: gzip.length / 1024 };
    };
    return fs.readdirSync(folder).filter((name) => /\.(html|js|wasm|png|data|webmanifest)$/.test(name))
        .map(kb);
}

// Each measure of the runs of one thing, as the median of its values.
function medians(runs) {
    const names = [...new Set(runs.map((r) => r.what))];
    return names.map((what) => {
        const mine = runs.filter((r) => r.what === what);
        const median = (key) => mine.map((r) => r[key]).sort((a, b) => a - b)[mine.length >> 1];
        return { what, ...Object.fromEntries(Object.keys(mine[0]).filter((k) => k !== "what")
            .map((key) => [key, median(key)])), all: mine.map((r) => r.busy) };
    });
}

async function main() {
    const rounds = [], touch = [];
    await withBrowser(folder, async (browser, address) => {
        for (let round = 0; round < kRounds; ++round) {
            await floor(browser, address, rounds);
            await session(browser, address, desk, "", rounds);
        }
        await session(browser, address, tablet, ", tablet, controls hidden", touch,
                      { hideControls: true });
        await session(browser, address, tablet, ", tablet, controls shown", touch);
        await session(browser, address, phone, ", phone sideways at 3 to one", touch);
        for (const throttle of [4, 6])
            await session(browser, address, phone, `, phone sideways, processor ${throttle}x slower`,
                          touch, { throttle });
    });
    const engines = [];
    await otherEngines(engines);
    const results = medians(rounds);
    const floorBusy = results[0].busy;
    console.log(`| what | frames a second | frame gap median / p95 / worst | main thread busy | ` +
                `× floor | busy in each round |`);
    console.log(`|---|---|---|---|---|---|`);
    for (const r of [...results, ...touch])
        console.log(`| ${r.what} | ${r.fps.toFixed(1)} | ${r.median.toFixed(1)} / ` +
                    `${r.p95.toFixed(1)} / ${r.worst.toFixed(1)} ms | ` +
                    `${(100 * r.busy).toFixed(1)} % | ${(r.busy / floorBusy).toFixed(2)} | ` +
                    `${(r.all || [r.busy]).map((b) => (100 * b).toFixed(1)).join(", ")} |`);
    console.log(`\n| engine | animation frames a second: blank page / title / one-player / two-player match |`);
    console.log(`|---|---|`);
    for (const r of engines)
        console.log(`| ${r.engine} | ${[r.blank, r.title, r.one, r.two].map((f) => f.toFixed(1)).join(" / ")} |`);
    console.log(`\n| file | size | compressed (gzip -9) |\n|---|---|---|`);
    for (const file of weigh())
        console.log(`| ${file.name} | ${file.raw.toFixed(1)} KB | ${file.gzip.toFixed(1)} KB |`);
}

main().catch((error) => {
    console.error(error.message);
    process.exit(1);
});
