// What the browser test, the benchmark and the screenshots share: a static
// server for the web build on 127.0.0.1, and Debian's headless Chromium driven
// by puppeteer-core, which never downloads a browser of its own.
"use strict";
const fs = require("fs");
const http = require("http");
const os = require("os");
const path = require("path");
const puppeteer = require("puppeteer-core");

const kTypes = { ".html": "text/html", ".css": "text/css", ".js": "text/javascript", ".wasm": "application/wasm",
                 ".png": "image/png", ".webmanifest": "application/manifest+json" };

// Chromium as a test needs it: no sandbox (we run as root), no GPU, and
// nothing of its own on the network.
const kFlags = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                "--disable-background-networking", "--disable-component-update",
                "--disable-sync", "--mute-audio"];

// Serves the files of a folder, and nothing above it, on a free port.
function serve(folder) {
    const server = http.createServer((request, response) => {
        const wanted = path.normalize(decodeURI(request.url.split("?")[0])).replace(/^[/\\]+/, "");
        const file = path.join(folder, wanted || "index.html");
        fs.readFile(file, (error, body) => {
            response.writeHead(error ? 404 : 200, {
                "Content-Type": kTypes[path.extname(file)] || "application/octet-stream" });
            response.end(error ? "not found" : body);
        });
    });
    return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

// Serves `folder`, starts Chromium with a profile of its own, hands both to
// `use(browser, address)`, and ends them however `use` ends.
async function withBrowser(folder, use) {
    const server = await serve(folder);
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "orbitane-chromium-"));
    let browser;
    try {
        browser = await puppeteer.launch({
            executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
            headless: false,  // the flags ask for it, as this Chromium spells it
            args: kFlags, userDataDir: profile, defaultViewport: { width: 1024, height: 768 } });
        return await use(browser, `http://127.0.0.1:${server.address().port}/`);
    } finally {
        if (browser) await browser.close();
        server.close();
        fs.rmSync(profile, { recursive: true, force: true, maxRetries: 5 });
    }
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

module.exports = { serve, withBrowser, waitFor };
