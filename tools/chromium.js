// What the browser test and the browser benchmark share: a static server for
// the web build on 127.0.0.1, and the installed headless Chromium driven over
// its DevTools pipe (no browser is downloaded, no port is opened for it).
"use strict";
const { spawn } = require("child_process");
const fs = require("fs");
const http = require("http");
const os = require("os");
const path = require("path");

const kTypes = { ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm",
                 ".png": "image/png" };

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

// One page of the browser, with the DevTools calls the scripts make on it.
class Page {
    constructor(browser, sessionId) {
        this.browser = browser;
        this.sessionId = sessionId;
    }

    send(method, params = {}) { return this.browser.send(method, params, this.sessionId); }

    on(method, handler) {
        this.browser.listeners.push((message) => {
            if (message.sessionId === this.sessionId && message.method === method)
                handler(message.params);
        });
    }

    async evaluate(expression) {
        const { result, exceptionDetails } = await this.send("Runtime.evaluate",
            { expression, awaitPromise: true, returnByValue: true });
        if (exceptionDetails) throw new Error(`${expression}: ${exceptionDetails.text}`);
        return result.value;
    }

    // Checks `condition` (an async function of no arguments) until it gives
    // a value; one that fails, on a page still loading, has simply not yet.
    async waitFor(what, condition, seconds = 60) {
        const end = Date.now() + seconds * 1000;
        for (;;) {
            const value = await condition().catch(() => false);
            if (value) return value;
            if (Date.now() > end) throw new Error(`timed out waiting for ${what}`);
            await new Promise((resolve) => setTimeout(resolve, 100));
        }
    }

    // A key by its DOM name, as the keyboard sends it: down, then up unless held.
    async key(name, { down = true, up = true } = {}) {
        const codes = { Enter: 13, Escape: 27, " ": 32, ArrowLeft: 37, ArrowUp: 38,
                        ArrowRight: 39, ArrowDown: 40 };
        const event = { key: name, code: name === " " ? "Space" : name,
                        windowsVirtualKeyCode: codes[name] || name.toUpperCase().charCodeAt(0) };
        if (down) await this.send("Input.dispatchKeyEvent", { type: "rawKeyDown", ...event });
        if (up) await this.send("Input.dispatchKeyEvent", { type: "keyUp", ...event });
    }
}

// Headless Chromium with its DevTools protocol on file descriptors 3 and 4,
// one message of JSON each, ended by a zero byte.
class Browser {
    constructor(width, height) {
        this.width = width;
        this.height = height;
        this.profile = fs.mkdtempSync(path.join(os.tmpdir(), "orbitane-chromium-"));
        this.child = spawn(process.env.CHROMIUM || "chromium", [
            "--headless", "--remote-debugging-pipe", "--no-sandbox", "--no-first-run",
            "--no-default-browser-check", "--disable-extensions", "--mute-audio",
            `--user-data-dir=${this.profile}`, `--window-size=${width},${height}`],
        { stdio: ["ignore", "ignore", "ignore", "pipe", "pipe"] });
        this.nextId = 1;
        this.pending = new Map();
        this.listeners = [];
        let buffered = "";
        this.child.stdio[4].on("data", (chunk) => {
            const messages = (buffered + chunk.toString("utf8")).split("\0");
            buffered = messages.pop();
            for (const text of messages) this.receive(JSON.parse(text));
        });
        this.child.on("exit", (code) => {
            for (const { reject } of this.pending.values())
                reject(new Error(`Chromium ended with status ${code}`));
        });
    }

    receive(message) {
        const call = this.pending.get(message.id);
        if (!call) return this.listeners.forEach((listener) => listener(message));
        this.pending.delete(message.id);
        if (message.error) call.reject(new Error(`${call.method}: ${message.error.message}`));
        else call.resolve(message.result);
    }

    send(method, params = {}, sessionId = undefined) {
        const id = this.nextId++;
        this.child.stdio[3].write(JSON.stringify({ id, method, params, sessionId }) + "\0");
        return new Promise((resolve, reject) => this.pending.set(id, { method, resolve, reject }));
    }

    // A new page, its viewport of the size asked for at one device pixel a pixel.
    async open() {
        const { targetId } = await this.send("Target.createTarget", { url: "about:blank" });
        const { sessionId } = await this.send("Target.attachToTarget", { targetId, flatten: true });
        const page = new Page(this, sessionId);
        await page.send("Emulation.setDeviceMetricsOverride", {
            width: this.width, height: this.height, deviceScaleFactor: 1, mobile: false });
        return page;
    }

    // Ends Chromium, asking first, and once it has gone, its profile.
    async close() {
        if (this.child.exitCode === null) {
            const ended = new Promise((resolve) => this.child.once("exit", resolve));
            this.send("Browser.close").catch(() => {});
            const stubborn = setTimeout(() => this.child.kill("SIGKILL"), 10000);
            await ended;
            clearTimeout(stubborn);
        }
        fs.rmSync(this.profile, { recursive: true, force: true, maxRetries: 5 });
    }
}

function launch({ width = 1024, height = 768 } = {}) {
    return new Browser(width, height);
}

module.exports = { serve, launch };
