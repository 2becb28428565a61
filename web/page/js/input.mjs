// Who a key or a press belongs to. Keys go to the viewer while the focus is on the page, the
// picture or the viewer's buttons; Tab, keys held with Control, Alt or Meta, space and Enter on
// a button, and keys typed into anything else stay the browser's. On the picture: a press that
// does not move (a tap or a click) shows the next surface; a drag (mouse or one finger) turns
// the view; the wheel and a two-finger pinch move it nearer or further; and, while cells are
// being looked into, a mouse resting on the picture or a finger held still looks into the
// cell under it. A drag or a pinch never reaches the viewer as a key.

// Pointer travel, in CSS pixels, under which a press is a tap.
export const kTapTravel = 6;
// Degrees a CSS pixel of drag turns the view.
const kDegreesAPixel = 0.5;
// How long a finger is held still to look into the cell under it, in milliseconds.
const kHold = 500;

export function listenForInput(viewer, canvas, buttons, inspector) {
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

  // The point under a pointer, in the drawing buffer's pixels from its top left.
  const bufferPoint = (event) => {
    const box = canvas.getBoundingClientRect();
    return [(event.clientX - box.left) * canvas.width / box.width,
      (event.clientY - box.top) * canvas.height / box.height];
  };
  const lookAt = (event) => {
    if (inspector.on()) inspector.look(viewer.pick(...bufferPoint(event)));
  };

  const presses = new Map();  // pointer id: {start, last, moved, held, timer}
  let pinch = null;           // the distance between two fingers when the pinch began
  const spread = () => {
    const [a, b] = [...presses.values()].map((p) => p.last);
    return Math.hypot(a[0] - b[0], a[1] - b[1]);
  };
  canvas.addEventListener("pointerdown", (event) => {
    canvas.setPointerCapture(event.pointerId);
    const at = [event.clientX, event.clientY];
    const press = { start: at, last: at, moved: false, held: false, timer: 0 };
    if (event.pointerType !== "mouse") {
      press.timer = setTimeout(() => {
        press.held = true;
        lookAt(event);
      }, kHold);
    }
    presses.set(event.pointerId, press);
    if (presses.size === 2) pinch = spread();
  });
  canvas.addEventListener("pointermove", (event) => {
    const press = presses.get(event.pointerId);
    if (!press) {
      if (event.pointerType === "mouse") lookAt(event);
      return;
    }
    const at = [event.clientX, event.clientY];
    const [dx, dy] = [at[0] - press.last[0], at[1] - press.last[1]];
    if (!press.moved &&
        Math.hypot(at[0] - press.start[0], at[1] - press.start[1]) < kTapTravel) {
      return;
    }
    press.moved = true;
    clearTimeout(press.timer);
    press.last = at;
    if (presses.size === 2) {
      const now = spread();
      if (pinch > 0 && now > 0) viewer.zoom(pinch / now);
      pinch = now;
    } else if (presses.size === 1) {
      // Dragging right turns the scene right: the eye goes left around it.
      viewer.turn(-dx * kDegreesAPixel, dy * kDegreesAPixel);
    }
  });
  const release = (event, tap) => {
    const press = presses.get(event.pointerId);
    presses.delete(event.pointerId);
    if (presses.size < 2) pinch = null;
    if (!press) return;
    clearTimeout(press.timer);
    if (tap && !press.moved && !press.held && presses.size === 0) viewer.key("n");
  };
  canvas.addEventListener("pointerup", (event) => release(event, true));
  canvas.addEventListener("pointercancel", (event) => release(event, false));
  canvas.addEventListener("wheel", (event) => {
    event.preventDefault();
    viewer.zoom(Math.exp(event.deltaY * 0.001));
  }, { passive: false });
}
