// The README's pictures of the game, taken from the real web build in
// headless Chromium: the title and a match on a desktop, and a match on a
// phone held sideways with its touch controls. Built with
// `bash tools/dev.sh web`; run by hand:
//   node tools/screenshots.js [build-web] [folder for the pictures]
"use strict";
const path = require("path");
const { withBrowser, waitFor } = require("./chromium.js");

const folder = path.resolve(process.argv[2] || path.join(__dirname, "..", "build-web"));
const out = path.resolve(process.argv[3] || path.join(__dirname, "..", "docs"));

const desk = { viewport: { width: 1024, height: 768 }, userAgent: "" };
const phone = { viewport: { width: 844, height: 390, hasTouch: true, isMobile: true,
                            isLandscape: true }, userAgent: "" };

// The keys that lead from the title to the screen to show, and how long
// the match then runs for its ships and missiles to fly.
const shots = [
    { name: "title", device: desk, keys: [] },
    { name: "match", device: desk, keys: ["Enter", "Enter"], hold: "Space", wait: 1500 },
    { name: "phone", device: phone, keys: ["Enter", "Enter"], touch: "Fire", wait: 1500 },
];

async function take(browser, address, shot) {
    const page = await browser.newPage();
    await page.emulate(shot.device);
    await page.goto(address);
    await waitFor("the game", () => page.evaluate(() => status.hidden));
    await page.evaluate(() => canvas.focus());
    for (const key of shot.keys) await page.keyboard.press(key);
    if (shot.keys.length) await waitFor("a match", () => page.evaluate(() => canvas.width === 800));
    if (shot.hold) await page.keyboard.down(shot.hold);
    if (shot.touch) {
        const box = await (await page.$(`[aria-label="${shot.touch}"]`)).boundingBox();
        await page.touchscreen.touchStart(box.x + box.width / 2, box.y + box.height / 2);
    }
    await new Promise((resolve) => setTimeout(resolve, shot.wait || 500));
    const file = path.join(out, `${shot.name}.png`);
    // A desktop shows the game's display alone; the phone the whole screen.
    const clip = shot.device === desk ? await page.$eval("#canvas", (c) => {
        const { x, y, width, height } = c.getBoundingClientRect();
        return { x, y, width, height };
    }) : undefined;
    await page.screenshot({ path: file, clip });
    await page.close();
    console.log(file);
}

withBrowser(folder, async (browser, address) => {
    for (const shot of shots) await take(browser, address, shot);
}).catch((error) => {
    console.error(error.message);
    process.exit(1);
});
