// Who a key or a press belongs to. Keys go to the viewer while the focus is on the page, the
// picture or the viewer's buttons; Tab, keys held with Control, Alt or Meta, space and Enter on
// a button, and keys typed into anything else stay the browser's. On the picture: a press that
// does not move (a tap or a click) looks into the cell under it while cells are looked into,
// and otherwise (or off the surface) shows the next surface; a drag (mouse or one finger) turns
// the view; the wheel and a two-finger pinch move it nearer or further; and, while cells are
// being looked into, a mouse resting on the picture or a finger held still looks into the
// cell under it. A drag or a pinch never reaches the viewer as a key.

import { pressesOn } from "./presses.mjs";

// Degrees a CSS pixel of drag turns the view.
const kDegreesAPixel = 0.5;

export function listenForInput(viewer, canvas, buttons, inspector) {
  listenForKeys(viewer, canvas, buttons);
  listenOnPicture(viewer, canvas, inspector);
}

// Keys go to the viewer while the focus is on the page, the picture or its buttons.
function listenForKeys(viewer, canvas, buttons) {
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
}

// Presses, drags, pinches and the wheel on the picture; a mouse resting on it, or a finger
// held, looks into the cell under it while cells are looked into.
function listenOnPicture(viewer, canvas, inspector) {
  // The point under a pointer, in the drawing buffer's pixels from its top left.
  const bufferPoint = (event) => {
    const box = canvas.getBoundingClientRect();
    return [(event.clientX - box.left) * canvas.width / box.width,
      (event.clientY - box.top) * canvas.height / box.height];
  };
  const lookAt = (event) => {
    if (inspector.on()) inspector.look(viewer.pick(...bufferPoint(event)));
  };

  // A tap on a cell while cells are looked into picks it: the surface stays. A finger's brings
  // the cell's numbers into view, which on a phone lie below the picture.
  const tap = (event) => {
    const cell = inspector.on() ? viewer.pick(...bufferPoint(event)) : null;
    if (cell) {
      inspector.look(cell, event.pointerType === "touch");
    } else {
      viewer.key("n");
    }
  };
  const presses = pressesOn({
    tap,
    // Dragging right turns the scene right: the eye goes left around it.
    turn: (dx, dy) => viewer.turn(-dx * kDegreesAPixel, dy * kDegreesAPixel),
    zoom: (factor) => viewer.zoom(factor),
    hold: lookAt,
  });
  canvas.addEventListener("pointerdown", (event) => {
    if (presses.down(event)) canvas.setPointerCapture(event.pointerId);
  });
  canvas.addEventListener("pointermove", (event) => {
    if (!presses.pressed(event.pointerId) && event.pointerType === "mouse") lookAt(event);
    presses.move(event);
  });
  canvas.addEventListener("pointerup", (event) => presses.up(event, true));
  canvas.addEventListener("pointercancel", (event) => presses.up(event, false));
  canvas.addEventListener("wheel", (event) => {
    event.preventDefault();
    viewer.zoom(Math.exp(event.deltaY * 0.001));
  }, { passive: false });
}
