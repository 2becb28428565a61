// What presses on the picture mean, apart from the page: a press of the primary button (or a
// finger) that does not move is a tap; one that moves is a drag (one pointer) or a pinch (two);
// a finger held still for kHold looks into the cell under it, and its lift is then no tap.
// `act` hears of each: tap(event), turn(dx, dy) in CSS pixels, zoom(factor), hold(event).
// Pure: the page's input.mjs wires it to the canvas, and Node.js tests it.

// Pointer travel, in CSS pixels, under which a press is a tap.
export const kTapTravel = 6;
// How long a finger is held still to look into the cell under it, in milliseconds.
export const kHold = 500;

export function pressesOn(act, clock = { set: (f, ms) => setTimeout(f, ms),
  clear: (id) => clearTimeout(id) }) {
  const presses = new Map();  // pointer id: {start, last, moved, held, timer}
  let pinch = null;           // the distance between two fingers when the pinch began
  const spread = () => {
    const [a, b] = [...presses.values()].map((p) => p.last);
    return Math.hypot(a[0] - b[0], a[1] - b[1]);
  };
  return {
    pressed: (id) => presses.has(id),
    // `event`: {pointerId, pointerType, button, clientX, clientY}. False for a press that is
    // not the primary button's: the browser's (a right click's menu, a middle click).
    down(event) {
      if (event.button !== 0) return false;
      const at = [event.clientX, event.clientY];
      const press = { start: at, last: at, moved: false, held: false, timer: 0 };
      if (event.pointerType !== "mouse") {
        press.timer = clock.set(() => {
          press.held = true;
          act.hold(event);
        }, kHold);
      }
      presses.set(event.pointerId, press);
      if (presses.size === 2) pinch = spread();
      return true;
    },
    move(event) {
      const press = presses.get(event.pointerId);
      if (!press) return;
      const at = [event.clientX, event.clientY];
      const [dx, dy] = [at[0] - press.last[0], at[1] - press.last[1]];
      if (!press.moved &&
          Math.hypot(at[0] - press.start[0], at[1] - press.start[1]) < kTapTravel) {
        return;
      }
      press.moved = true;
      clock.clear(press.timer);
      press.last = at;
      if (presses.size === 2) {
        const now = spread();
        if (pinch > 0 && now > 0) act.zoom(pinch / now);
        pinch = now;
      } else if (presses.size === 1) {
        act.turn(dx, dy);
      }
    },
    // The pointer is lifted (`tap`: not cancelled).
    up(event, tap) {
      const press = presses.get(event.pointerId);
      presses.delete(event.pointerId);
      if (presses.size < 2) pinch = null;
      if (!press) return;
      clock.clear(press.timer);
      if (tap && !press.moved && !press.held && presses.size === 0) act.tap(event);
    },
  };
}
