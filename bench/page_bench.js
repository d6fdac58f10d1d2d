// The web build in headless Chromium: frames a second, the gaps between
// frames and the share of the page's main thread that is busy, on the title
// screen and in one- and two-player matches; and what the page weighs when a
// server compresses it. Built with `bash tools/dev.sh web`; run by hand:
//   node bench/page_bench.js [build-web] [seconds per measurement]
"use strict";
const fs = require("fs");
const path = require("path");
const zlib = require("zlib");
const { serve, launch } = require("../tools/chromium.js");

const folder = path.resolve(process.argv[2] || path.join(__dirname, "..", "build-web"));
const seconds = Number(process.argv[3] || 10);
const settle = 2000;

// A frame starts with its background, drawn over the whole display, in an
// animation frame of the browser's; the page notes that animation frame's
// time, the time of the display's refresh that will show the frame.
const noteFrames = `
    window.frameTimes = [];
    let refresh = 0;
    const requestFrame = window.requestAnimationFrame;
    window.requestAnimationFrame = (step) => requestFrame((time) => step(refresh = time));
    const drawImage = CanvasRenderingContext2D.prototype.drawImage;
    CanvasRenderingContext2D.prototype.drawImage = function (...a) {
        const c = this.canvas;
        if (c.id === "canvas" && a.length === 9 && a[5] === 0 && a[6] === 0 &&
            a[7] === c.width && a[8] === c.height) frameTimes.push(refresh);
        return drawImage.apply(this, a);
    };`;

const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function percentile(sorted, p) {
    return sorted[Math.min(sorted.length - 1, Math.floor(p * sorted.length))];
}

// Frames and main-thread time over the next `seconds`, on a screen that has
// settled.
async function measure(page, what) {
    await pause(settle);
    const busy = async () => {
        const { metrics } = await page.send("Performance.getMetrics");
        const value = (name) => metrics.find((metric) => metric.name === name).value;
        return { at: value("Timestamp"), task: value("TaskDuration") };
    };
    const start = await busy();
    const from = await page.evaluate("performance.now()");
    await pause(seconds * 1000);
    const end = await busy();
    const times = await page.evaluate(`frameTimes.filter((t) => t >= ${from})`);
    const gaps = times.slice(1).map((t, i) => t - times[i]).sort((a, b) => a - b);
    const wall = end.at - start.at;
    return { what, fps: (times.length - 1) / ((times[times.length - 1] - times[0]) / 1000),
             median: percentile(gaps, 0.5), p95: percentile(gaps, 0.95),
             worst: gaps[gaps.length - 1], busy: (end.task - start.task) / wall };
}

async function keys(page, ...names) {
    for (const name of names) await page.key(name);
}

function weigh() {
    const kb = (name) => {
        const bytes = fs.readFileSync(path.join(folder, name));
        const gzip = zlib.gzipSync(bytes, { level: 9 });
        return { name, raw: bytes.length / 1024, gzip: gzip.length / 1024 };
    };
    return ["index.html", "orbitane.js", "orbitane.wasm", "orbitane.png", "orbitane.data"].map(kb);
}

async function main() {
    const server = await serve(folder);
    const browser = launch();
    const results = [];
    try {
        const page = await browser.open();
        await page.send("Page.enable");
        await page.send("Performance.enable");
        await page.send("Page.addScriptToEvaluateOnNewDocument", { source: noteFrames });
        await page.send("Page.navigate", { url: `http://127.0.0.1:${server.address().port}/` });
        const display = (width) => page.waitFor(`a ${width}-wide display`,
                                                () => page.evaluate(`canvas.width === ${width}`));
        await page.waitFor("the game", () => page.evaluate("status.hidden"));
        results.push(await measure(page, "title screen"));
        await keys(page, "Enter", "Enter");
        await display(800);
        results.push(await measure(page, "one-player match"));
        await keys(page, "Escape");
        await display(512);
        await keys(page, "Enter", "ArrowDown", "Enter");
        await display(800);
        results.push(await measure(page, "two-player match"));
    } finally {
        await browser.close();
        server.close();
    }
    console.log(`| what | frames a second | frame gap median / p95 / worst | main thread busy |`);
    console.log(`|---|---|---|---|`);
    for (const r of results)
        console.log(`| ${r.what} | ${r.fps.toFixed(1)} | ${r.median.toFixed(1)} / ` +
                    `${r.p95.toFixed(1)} / ${r.worst.toFixed(1)} ms | ` +
                    `${(100 * r.busy).toFixed(0)} % |`);
    console.log(`\n| file | size | compressed (gzip -9) |\n|---|---|---|`);
    for (const file of weigh())
        console.log(`| ${file.name} | ${file.raw.toFixed(0)} KB | ${file.gzip.toFixed(0)} KB |`);
}

main().catch((error) => {
    console.error(error.message);
    process.exit(1);
});
