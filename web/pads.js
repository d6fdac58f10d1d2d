// Gamepads of the standard mapping, read once an animation frame while one is
// connected: the first flies the first ship and the second the second ship,
// with the d-pad or the left stick, the bottom face button to fire and Start
// to end the match; on the title any pad steers, the bottom face button
// choosing. A button holds the key it pressed until it is let go, or until
// its pad goes away.
import { heldKeys, pressKey, releaseKey } from "./keys.js";

const kShips = [
  { up: "ArrowUp", down: "ArrowDown", left: "ArrowLeft", right: "ArrowRight", fire: "Space",
    start: "Escape" },
  { up: "KeyW", down: "KeyS", left: "KeyA", right: "KeyD", fire: "ShiftLeft", start: "Escape" },
];
const kMenu = { up: "ArrowUp", down: "ArrowDown", left: "ArrowLeft", right: "ArrowRight",
                fire: "Enter" };
const kButtons = { 0: "fire", 9: "start", 12: "up", 13: "down", 14: "left", 15: "right" };
const kStickTilt = 0.5;

// What a pad's player is pressing, by the names of the tables above.
function pressedOn(pad) {
  const on = Object.entries(kButtons).filter(([i]) => pad.buttons[i]?.pressed)
    .map(([, name]) => name);
  const [x = 0, y = 0] = pad.axes;
  if (x < -kStickTilt) on.push("left");
  if (x > kStickTilt) on.push("right");
  if (y < -kStickTilt) on.push("up");
  if (y > kStickTilt) on.push("down");
  return on;
}

function keysOf(pad) {
  const screen = document.body.dataset.screen;
  if (screen === "match1") return pad.index === 0 ? kShips[0] : {};
  if (screen === "match2") return kShips[pad.index] || {};
  return kMenu;
}

function readPads() {
  const holding = new Set();
  for (const pad of navigator.getGamepads()) {
    if (!pad || !pad.connected) continue;
    const keys = keysOf(pad);
    for (const name of pressedOn(pad)) {
      const holder = `pad${pad.index} ${name}`;
      holding.add(holder);
      if (!heldKeys.has(holder) && keys[name]) pressKey(keys[name], holder);
    }
  }
  for (const holder of heldKeys.keys())
    if (holder.startsWith("pad") && !holding.has(holder)) releaseKey(holder);
  return holding.size > 0 || [...navigator.getGamepads()].some((pad) => pad && pad.connected);
}

let reading = false;
function readEachFrame() {
  reading = readPads();
  if (reading) requestAnimationFrame(readEachFrame);
}
window.addEventListener("gamepadconnected", () => reading || readEachFrame());
window.addEventListener("gamepaddisconnected", readPads);
