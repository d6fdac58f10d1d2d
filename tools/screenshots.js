// The README's pictures of the game, taken from the real web build in
// headless Chromium at the screens' own device pixel ratios: the title and a
// match on a desktop, a match on a phone held sideways with its touch
// controls, and a two-player match on a tablet; each says how large the
// canvas stands on its screen. Built with `bash tools/dev.sh web`; run by hand:
//   node tools/screenshots.js [build-web] [folder for the pictures]
"use strict";
const path = require("path");
const { withBrowser, waitFor, screen, keys, touch, canvasBox } = require("./browsers.js");
const { showsTitle, inMatch } = require("./pictures.js");

const folder = path.resolve(process.argv[2] || path.join(__dirname, "..", "build-web"));
const out = path.resolve(process.argv[3] || path.join(__dirname, "..", "docs"));

const desk = screen(960, 720, 1);

// The keys that lead from the title to the screen to show, the controls held
// there, and how long the match then runs for its ships and missiles to fly.
const shots = [
    { name: "title", device: desk, keys: [] },
    { name: "match", device: desk, keys: ["Enter", "Enter"], hold: "Space", wait: 1500 },
    { name: "phone", device: screen(844, 390, 3, true), keys: ["Enter", "Enter"], touch: ["Fire"] },
    { name: "tablet", device: screen(1024, 768, 2, true), keys: ["Enter", "ArrowDown", "Enter"],
      touch: ["Fire", "Player 2 Fire"] },
];

async function take(browser, address, shot) {
    const page = await browser.newPage();
    await page.emulate(shot.device);
    await page.goto(address);
    await waitFor("the title", () => showsTitle(page, folder));
    await keys(page, ...shot.keys);
    if (shot.keys.length) await waitFor("a match", () => inMatch(page));
    if (shot.hold) await page.keyboard.down(shot.hold);
    if (shot.touch) await touch(page, "touchStart", ...shot.touch);
    await new Promise((resolve) => setTimeout(resolve, shot.wait || 1500));
    const file = path.join(out, `${shot.name}.png`);
    // A desktop shows the game's display alone; a touch screen the whole screen.
    const box = await canvasBox(page);
    const { left: x, top: y, width, height } = box;
    await page.screenshot({ path: file, clip: shot.device === desk ? { x, y, width, height } : undefined });
    await page.close();
    console.log(`${file}: the canvas ${width.toFixed(1)} x ${height.toFixed(1)} CSS pixels ` +
                `of ${box.screen.join(" x ")}`);
}

withBrowser(folder, async (browser, address) => {
    for (const shot of shots) await take(browser, address, shot);
}).catch((error) => {
    console.error(error.message);
    process.exit(1);
});
