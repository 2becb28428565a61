// Who a key or a press belongs to. Keys go to the viewer while the focus is on the page, the
// picture or the viewer's buttons; Tab, keys held with Control, Alt or Meta, space and Enter on
// a button, and keys typed into anything else stay the browser's. A press on the picture that
// does not move (a tap or a click) shows the next surface.

// Pointer travel, in CSS pixels, under which a press is a tap.
export const kTapTravel = 6;

export function listenForInput(viewer, canvas, buttons) {
  window.addEventListener("keydown", (event) => {
    if (event.defaultPrevented || event.ctrlKey || event.altKey || event.metaKey ||
        event.key === "Tab") {
      return;
    }
    const target = event.target;
    const onButton = buttons.includes(target);
    const ours = target === document.body || target === document.documentElement ||
      target === canvas || (onButton && event.key !== " " && event.key !== "Enter");
    // Taken: space does not scroll the page.
    if (ours && viewer.key(event.key)) event.preventDefault();
  });
  const presses = new Map();
  canvas.addEventListener("pointerdown", (event) => {
    presses.set(event.pointerId, { x: event.clientX, y: event.clientY });
  });
  canvas.addEventListener("pointercancel", (event) => presses.delete(event.pointerId));
  canvas.addEventListener("pointerup", (event) => {
    const start = presses.get(event.pointerId);
    presses.delete(event.pointerId);
    if (start && Math.hypot(event.clientX - start.x, event.clientY - start.y) < kTapTravel) {
      viewer.key("n");
    }
  });
}
