// What the browser test, the benchmark and the screenshots share: a static
// server for the web build on 127.0.0.1, and the three browser engines from
// Debian, none of which downloads anything of its own: Chromium and Firefox
// ESR driven by puppeteer-core (over the DevTools protocol and WebDriver BiDi),
// and WebKitGTK's MiniBrowser driven by its WebDriver through selenium-webdriver,
// in a display of its own under Xvfb.
"use strict";
const fs = require("fs");
const http = require("http");
const os = require("os");
const path = require("path");
const { spawn } = require("child_process");
const puppeteer = require("puppeteer-core");
const { Builder, Key } = require("selenium-webdriver");

const kTypes = { ".html": "text/html", ".css": "text/css", ".js": "text/javascript", ".wasm": "application/wasm",
                 ".png": "image/png", ".webmanifest": "application/manifest+json" };

// Chromium as a test needs it: no sandbox (we run as root), no GPU, and
// nothing of its own on the network.
const kFlags = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                "--disable-background-networking", "--disable-component-update",
                "--disable-sync", "--mute-audio"];

const kMiniBrowser = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser";

// Serves the files of a folder, and nothing above it, on a free port. The
// folder can be changed while it serves (`server.folder`), as a new build is
// put on a site. `first`, where given, is the path of a script put first in
// every page served, before the page's own.
function serve(folder, { first } = {}) {
    const server = http.createServer((request, response) => {
        const wanted = path.normalize(decodeURI(request.url.split("?")[0])).replace(/^[/\\]+/, "");
        const file = wanted === "first.js" && first ? first :
                     path.join(server.folder, wanted || "index.html");
        fs.readFile(file, (error, body) => {
            if (!error && first && file.endsWith(".html"))
                body = String(body).replace("<head>", '<head>\n<script src="/first.js"></script>');
            response.writeHead(error ? 404 : 200, {
                "Content-Type": kTypes[path.extname(file)] || "application/octet-stream" });
            response.end(error ? "not found" : body);
        });
    });
    server.folder = folder;
    return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

function launchPuppeteer(engine, profile) {
    const common = { userDataDir: profile, defaultViewport: { width: 1024, height: 768 } };
    if (engine === "firefox")
        return puppeteer.launch({ ...common, browser: "firefox", headless: true,
                                  executablePath: process.env.FIREFOX || "/usr/bin/firefox-esr" });
    return puppeteer.launch({ ...common, args: kFlags,
                              executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
                              headless: false });  // the flags ask for it, as this Chromium spells it
}

// Xvfb on a free display, and WebKitGTK's WebDriver on a free port in it,
// once it answers.
async function startWebKitDriver() {
    const xvfb = spawn("Xvfb", ["-displayfd", "3", "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                       { stdio: ["ignore", "ignore", "ignore", "pipe"] });
    const display = await new Promise((resolve, reject) => {
        xvfb.on("error", reject);
        xvfb.stdio[3].once("data", (data) => resolve(":" + String(data).trim()));
    });
    const probe = await serve(os.tmpdir()), port = probe.address().port;
    probe.close();
    const driver = spawn("WebKitWebDriver", [`--port=${port}`],
                         { stdio: ["ignore", "ignore", "inherit"], env: { ...process.env, DISPLAY: display } });
    const stop = () => (driver.kill(), xvfb.kill());
    const url = `http://127.0.0.1:${port}`;
    const answers = () => new Promise((resolve) => http.get(`${url}/status`, (response) => {
        response.resume();
        resolve(response.statusCode === 200);
    }).on("error", () => resolve(false)));
    await waitFor("WebKit's WebDriver", answers, 20).catch((error) => (stop(), Promise.reject(error)));
    return { url, stop };
}

const kWebDriverKeys = { Enter: Key.ENTER, Escape: Key.ESCAPE, " ": " ", ArrowUp: Key.ARROW_UP,
                         ArrowDown: Key.ARROW_DOWN, ArrowLeft: Key.ARROW_LEFT,
                         ArrowRight: Key.ARROW_RIGHT };

// MiniBrowser's one window as a page of the parts of puppeteer's that the
// tools use. Its WebDriver has no console to read: the errors are those the
// script put first in the page has kept.
function webKitPage(driver) {
    const keys = (...steps) => steps.reduce((actions, [down, name]) =>
        actions[down ? "keyDown" : "keyUp"](kWebDriverKeys[name]), driver.actions()).perform();
    return {
        goto: (url) => driver.get(url),
        reload: () => driver.navigate().refresh(),
        evaluate: (fn, ...args) => driver.executeScript(fn, ...args),
        emulate: ({ viewport: { width, height } }) => driver.manage().window().setRect({ width, height }),
        keyboard: { press: (name) => keys([true, name], [false, name]),
                    down: (name) => keys([true, name]), up: (name) => keys([false, name]) },
        errors: () => driver.executeScript(() => window.pageErrors),
        close: async () => {},
    };
}

// Serves `folder`, starts the engine (chromium, firefox or webkit) with a
// profile of its own, hands both to `use(browser, address, server)`, and ends
// them however `use` ends. `browser.newPage()` gives a page in puppeteer's
// terms; WebKit's MiniBrowser has one.
async function withBrowser(folder, use, engine = "chromium") {
    const first = engine === "webkit" ? path.join(__dirname, "page-errors.js") : undefined;
    const server = await serve(folder, { first });
    const address = `http://127.0.0.1:${server.address().port}/`;
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), `orbitane-${engine}-`));
    let browser, stop = () => {};
    try {
        if (engine === "webkit") {
            const driver = await startWebKitDriver();
            stop = driver.stop;
            const session = await new Builder().usingServer(driver.url).withCapabilities({
                browserName: "MiniBrowser", "webkitgtk:browserOptions": {
                    binary: process.env.MINIBROWSER || kMiniBrowser, args: ["--automation"] } })
                .build();
            browser = { newPage: async () => webKitPage(session), close: () => session.quit() };
        } else {
            browser = await launchPuppeteer(engine, profile);
        }
        return await use(browser, address, server);
    } finally {
        if (browser) await browser.close().catch(() => {});
        stop();
        server.close();
        fs.rmSync(profile, { recursive: true, force: true, maxRetries: 5 });
    }
}

// A screen to emulate, in CSS pixels at a device pixel ratio, touch or not.
const screen = (width, height, deviceScaleFactor = 1, touches = false) => ({ userAgent: "",
    viewport: { width, height, deviceScaleFactor, hasTouch: touches, isMobile: touches,
                isLandscape: width > height } });

// Presses keys one after another, by the names puppeteer gives them.
async function keys(page, ...names) {
    for (const name of names) await page.keyboard.press(name);
}

// Every finger down after a touch event, at the middle of the control it names or at [x, y];
// Chromium's alone.
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

// The box of the game's canvas in CSS pixels, the boxes of the page's controls on show and
// the screen's size.
const canvasBox = (page) => page.evaluate(() => {
    const rect = (element) => element.getBoundingClientRect().toJSON();
    return { ...rect(orbitane.canvas), display: [orbitane.canvas.width, orbitane.canvas.height],
             controls: [...document.querySelectorAll("[data-key], #corner button")]
                 .filter((control) => control.checkVisibility()).map(rect),
             screen: [innerWidth, innerHeight] };
});

// Collects every error a page logs from now on; gives them when called. WebKit's are those
// the page has kept.
function loggedErrors(page) {
    if (page.errors) return () => page.errors();
    const errors = [];
    page.on("console", (message) => message.type() === "error" && errors.push(message.text()));
    page.on("pageerror", (error) => errors.push(error.message));
    return () => errors;
}

// Checks `condition` (an async function of no arguments) until it gives a
// value; one that fails, on a page still loading, has simply not yet.
async function waitFor(what, condition, seconds = 60) {
    const end = Date.now() + seconds * 1000;
    for (;;) {
        const value = await condition().catch(() => false);
        if (value) return value;
        if (Date.now() > end) throw new Error(`timed out waiting for ${what}`);
        await new Promise((resolve) => setTimeout(resolve, 100));
    }
}

module.exports = { serve, withBrowser, waitFor, loggedErrors, screen, keys, touch, canvasBox };
