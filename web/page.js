// The page around the game: the screen the game shows, the keyboard kept on the canvas,
// fullscreen, the progress line, the game-over message with its restart, and the program.
import { canvas } from "./canvas.js";
import { heldKeys } from "./keys.js";
import "./offline.js";
import "./touch.js";
import "./pads.js";

const status = document.getElementById("status");
const over = document.getElementById("over");

// The game's display is opaque and drawn whole every frame: an opaque canvas
// that need not wait for the page's other painting costs the page's main
// thread less than the default one, for the same picture. A canvas kept in
// the processor's memory, as one read often is, costs WebKit far less to draw
// on and show than one it hands to a graphics library drawing on the
// processor where there is no graphics card: only so does a match keep its
// pace there (bench/README.md). The browser's SDL takes the context it finds.
canvas.getContext("2d", { alpha: false, desynchronized: true, willReadFrequently: true });

// The game names the screen it shows ("title", "match1" or "match2"): the
// page offers that screen's controls.
function showScreen(name) {
  document.body.dataset.screen = name;
}

// Fullscreen where the browser allows it, turned to landscape where it can.
const fullscreen = document.getElementById("fullscreen");
const offerFullscreen = () => {
  fullscreen.hidden = !document.fullscreenEnabled || !!document.fullscreenElement;
};
fullscreen.addEventListener("click", () => {
  document.documentElement.requestFullscreen({ navigationUI: "hide" })
    .then(() => screen.orientation.lock("landscape")).catch(() => {})
    .finally(() => canvas.focus());
});
document.addEventListener("fullscreenchange", offerFullscreen);
offerFullscreen();

// The canvas has the keyboard from the start and after any click; the
// arrow keys and Space never scroll the page. Shortcuts with Ctrl, Alt or
// the command key, and the function keys, stay the browser's. A held key
// goes down once, as on the desktop: the browser's repeats are not passed on.
const play = () => canvas.focus();
canvas.focus();
document.addEventListener("mousedown", (event) => {
  if (!(event.target instanceof HTMLButtonElement)) setTimeout(play);
});
window.addEventListener("keydown", (event) => {
  const browsers = event.ctrlKey || event.altKey || event.metaKey || /^F\d+$/.test(event.key);
  if (!browsers && /^(Arrow|Space$)/.test(event.code) &&
      !(event.target instanceof HTMLButtonElement)) event.preventDefault();
  if (browsers || event.repeat) event.stopPropagation();
}, true);

function gameOver(text) {
  document.getElementById("over-text").textContent = text;
  status.hidden = true;
  over.hidden = false;
  document.getElementById("again").focus();
}
document.getElementById("again").addEventListener("click", () => location.reload());

// The program reads its settings from `Module` when its script runs.
window.Module = {
  canvas: canvas,
  keyboardListeningElement: canvas,
  print: (line) => console.log(line),
  printErr: (line) => console.error(line),
  // The packed pictures report their download as "(loaded/total)".
  setStatus: (text) => {
    const part = /\((\d+)\/(\d+)\)/.exec(text);
    if (part) status.textContent = "Loading the pictures… " +
                                   Math.floor(100 * part[1] / part[2]) + " %";
  },
  onScreen: showScreen,
  onRuntimeInitialized: () => {
    status.hidden = true;
    play();
  },
  onExit: (code) => gameOver(code === 0 ? "The game is over."
                                        : "The game stopped (exit status " + code + ")."),
  onAbort: (what) => gameOver("The game stopped: " + what),
};
const program = document.createElement("script");
program.src = "orbitane.js";
document.body.append(program);

// The one way in for the tools that drive the page: its test, benchmark and screenshots.
window.orbitane = Object.freeze({
  canvas,
  running: () => status.hidden,
  heldKeys: () => [...heldKeys.values()],
});
