// What presses on the picture mean (presses.mjs), apart from the page: a tap, a drag, a finger
// held still, the right button; with a clock of the test's own.
import { test } from "node:test";
import assert from "node:assert/strict";
import { kHold, kTapTravel, pressesOn } from "../../web/page/js/presses.mjs";

// A clock that runs only when told, keeping what was set and for how long.
function fakeClock() {
  const timers = new Map();
  let next = 1;
  return { set: (f, ms) => { timers.set(next, { f, ms }); return next++; },
    clear: (id) => timers.delete(id), timers,
    run: () => { for (const [id, t] of timers) { timers.delete(id); t.f(); } } };
}

test("presses: a tap, a drag, a finger held, the right button", () => {
  const heard = [];
  const clock = fakeClock();
  const p = pressesOn({ tap: () => heard.push("tap"), turn: (dx) => heard.push(`turn ${dx}`),
    zoom: () => heard.push("zoom"), hold: () => heard.push("hold") }, clock);
  const at = (id, x, extra = {}) => ({ pointerId: id, pointerType: "mouse", button: 0,
    clientX: x, clientY: 0, ...extra });
  // A click that moves less than the tap's travel is a tap.
  assert.equal(p.down(at(1, 0)), true);
  p.move(at(1, kTapTravel - 1));
  p.up(at(1, kTapTravel - 1), true);
  assert.deepEqual(heard.splice(0), ["tap"]);
  // A drag turns, and is no tap.
  p.down(at(1, 0));
  p.move(at(1, 20));
  p.up(at(1, 20), true);
  assert.deepEqual(heard.splice(0), ["turn 20"]);
  // The right button and the middle one are the browser's.
  assert.equal(p.down(at(2, 0, { button: 2 })), false);
  p.up(at(2, 0, { button: 2 }), true);
  assert.equal(p.down(at(3, 0, { button: 1 })), false);
  assert.deepEqual(heard.splice(0), []);
  // A finger held still half a second looks into a cell, and its lift is no tap.
  const finger = at(4, 0, { pointerType: "touch" });
  p.down(finger);
  assert.deepEqual([...clock.timers.values()].map((t) => t.ms), [kHold]);
  clock.run();
  p.up(finger, true);
  assert.deepEqual(heard.splice(0), ["hold"]);
  // A finger lifted before then is a tap.
  p.down(finger);
  p.up(finger, true);
  assert.deepEqual(heard.splice(0), ["tap"]);
  assert.equal(clock.timers.size, 0);
  // A mouse held as long sets no timer: the pointer looks into cells as it moves, and the
  // press is still a click.
  p.down(at(5, 0));
  assert.equal(clock.timers.size, 0);
  clock.run();
  p.up(at(5, 0), true);
  assert.deepEqual(heard.splice(0), ["tap"]);
});
