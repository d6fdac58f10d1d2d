// On-screen controls for a touch screen, shown once the browser says its
// pointer is a finger or a first touch comes (the canvas then fits the room
// they leave it, canvas.js). Every finger holds the key of the control under
// it: sliding onto another control swaps the key, and lifting, a cancelled
// touch or sliding off lets it go.
import { pressKey, releaseKey } from "./keys.js";

function useTouch() {
  document.body.classList.add("touch");
}
if (matchMedia("(pointer: coarse)").matches) useTouch();

function controlAt(touch) {
  const under = document.elementFromPoint(touch.clientX, touch.clientY);
  return under && under.closest(".controls [data-key]");
}

function follow(event) {
  useTouch();
  // A touch that starts on the controls is the game's, not a gesture's.
  if (event.cancelable && event.target.closest?.(".controls")) event.preventDefault();
  const ends = event.type === "touchend" || event.type === "touchcancel";
  for (const touch of event.changedTouches) {
    const holder = "touch" + touch.identifier;
    const control = ends ? null : controlAt(touch);
    if (control) pressKey(control.dataset.key, holder);
    else releaseKey(holder);
  }
}
for (const type of ["touchstart", "touchmove", "touchend", "touchcancel"])
  document.addEventListener(type, follow, { passive: false });
document.addEventListener("contextmenu", (event) => event.preventDefault());
