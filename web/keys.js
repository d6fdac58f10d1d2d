// The keys the page presses for the game on behalf of touches and pads, sent
// to the canvas as the keyboard sends them, where the game's SDL queues them
// at once, in the same task. Each holder (a finger, a pad's button) holds one
// key at a time; a key goes down with its first holder and up with its last,
// and the on-screen controls for it light up while it is down.
import { canvas } from "./canvas.js";

// DOM code: the key's name, its legacy key code (what SDL reads) and side.
const kKeys = {
  ArrowUp: ["ArrowUp", 38], ArrowDown: ["ArrowDown", 40], ArrowLeft: ["ArrowLeft", 37],
  ArrowRight: ["ArrowRight", 39], Enter: ["Enter", 13], Escape: ["Escape", 27],
  Space: [" ", 32], KeyW: ["w", 87], KeyA: ["a", 65], KeyS: ["s", 83], KeyD: ["d", 68],
  ShiftLeft: ["Shift", 16, KeyboardEvent.DOM_KEY_LOCATION_LEFT],
};
export const heldKeys = new Map();  // holder: the DOM code it holds

function sendKey(code, down) {
  const [key, keyCode, location = 0] = kKeys[code];
  canvas.dispatchEvent(new KeyboardEvent(down ? "keydown" : "keyup", {
    key, code, keyCode, which: keyCode, location, bubbles: true, cancelable: true }));
  for (const control of document.querySelectorAll(`[data-key="${code}"]`))
    control.classList.toggle("held", down);
}

const isHeld = (code) => [...heldKeys.values()].includes(code);

export function releaseKey(holder) {
  const code = heldKeys.get(holder);
  if (code === undefined) return;
  heldKeys.delete(holder);
  if (!isHeld(code)) sendKey(code, false);
}

export function pressKey(code, holder) {
  if (heldKeys.get(holder) === code) return;
  releaseKey(holder);
  const down = isHeld(code);
  heldKeys.set(holder, code);
  if (!down) sendKey(code, true);
}

// A page out of sight or out of focus lets go of every key, so that no ship
// thrusts on by itself meanwhile; the game's SDL does the same for the keys
// of the keyboard.
function releaseAllKeys() {
  for (const holder of [...heldKeys.keys()]) releaseKey(holder);
}
window.addEventListener("blur", releaseAllKeys);
window.addEventListener("pagehide", releaseAllKeys);
document.addEventListener("visibilitychange", releaseAllKeys);
