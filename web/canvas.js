// The game's display on the page: its canvas, as large as the room the page's layout leaves it,
// in the game's proportions.
export const canvas = document.getElementById("canvas");
const view = document.getElementById("view");

// A sharp square for every picture pixel is worth a little of the screen, no more: on a
// desktop of one device pixel to one CSS pixel a whole step looks much cleaner, while at two
// or three device pixels to one the whole steps would throw away half the screen. Between
// whole steps the browser smooths the picture: copying the nearest pixel instead would make
// some game pixels a device pixel wider than others, which shows as uneven letters and a
// grid over the starry backgrounds.
const kSharpCost = 0.1;
const kSmallest = 0.25;

export function fit() {
  const room = Math.min(view.clientWidth / canvas.width, view.clientHeight / canvas.height);
  const ratio = window.devicePixelRatio || 1;
  const whole = Math.floor(room * ratio) / ratio;
  const sharp = whole > 0 && whole >= room * (1 - kSharpCost);
  const scale = sharp ? whole : Math.max(room, kSmallest);
  canvas.dataset.sharp = sharp;
  canvas.style.width = canvas.width * scale + "px";
  canvas.style.height = canvas.height * scale + "px";
}

// The game sets the canvas to its display's size, 512 x 512 on the title and 800 x 600 in a
// match, and the browser's SDL clears the canvas's size on the page as it does; turning the
// device, fullscreen and the controls coming or going change the room.
new MutationObserver(fit).observe(canvas, { attributes: true,
                                            attributeFilter: ["width", "height", "style"] });
new ResizeObserver(fit).observe(view);
// Zooming or moving to another screen changes the device pixels a CSS pixel.
window.addEventListener("resize", fit);
