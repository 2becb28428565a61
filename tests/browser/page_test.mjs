// The page in every hand, in a real browser (driver/browser): touch and clicks, a phone's width,
// a screen of twice the pixels, links, names for screen readers, the keyboard shared with the
// browser and its fields, and reduced motion. Chromium plays a phone (390 x 844 at ratio 3,
// touch) and narrower screens; Firefox, which cannot be made one here, is clicked and given
// twice the pixels by its own setting.
//   node page_test.mjs --browser chromium|firefox --page normals.html --out DIR
//     --judge normals-compare-golden --snapshot normals-snapshot
import { mkdirSync } from "node:fs";
import { join } from "node:path";
import { commandLine, launch, nextFrames, open, pollUntil, shown, started }
  from "../../driver/browser/browsers.mjs";
import { check, expect, finish } from "./checks.mjs";
import { inspectChecks } from "./inspect_checks.mjs";
import { normalsChecks } from "./normals_checks.mjs";
import { narrow, twice } from "./page_sizes.mjs";
import { viewChecks } from "./view_checks.mjs";

const o = commandLine("node page_test.mjs --browser chromium|firefox --page PAGE --out DIR " +
  "--judge COMPARER --snapshot SNAPSHOT", {}, (given) => given.out && given.judge &&
  given.snapshot);
const chromium = o.browser === "chromium";
const phone = { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
const kNext = "KeyN";

const surface = async (tab) => (await shown(tab)).surface;
const attribute = (tab, id, name) =>
  tab.evaluate((i, n) => document.getElementById(i).getAttribute(n), id, name);
// Keys pressed are handled in the next frame; a few frames later nothing more can come of them.
const settled = (tab) => nextFrames(tab, 5);

async function everyHand(b) {
  const tab = await open(b, o.page, "", chromium ? { viewport: phone } : {});
  await started(tab);
  await check(`a ${chromium ? "tap" : "click"} on the picture or the buttons shows the next ` +
    "surface, and stops and starts the animation", async () => {
    const press = async (id) => {
      const box = await (await tab.$(`#${id}`)).boundingBox();
      const x = box.x + box.width / 2, y = box.y + box.height / 2;
      if (chromium) await tab.touchscreen.tap(x, y);
      else await tab.mouse.click(x, y);
    };
    const start = await surface(tab);
    await press("canvas");
    await pollUntil("a tap to advance", async () => (await surface(tab)) === start + 1);
    await press("next");
    await pollUntil("the button to advance", async () => (await surface(tab)) === start + 2);
    await press("animation");
    await pollUntil("the animation to stop", async () => !(await shown(tab)).animate);
    expect(/Start/.test(await tab.evaluate(() => document.getElementById("animation")
      .textContent)), "the button does not say it starts the animation");
    await press("animation");
    await pollUntil("the animation to start", async () => (await shown(tab)).animate);
    if (chromium) await tab.screenshot({ path: join(o.out, "phone.png") });
  });
  await check("the address, the picture's name and the announcement follow the viewer",
    async () => {
      await tab.keyboard.press(" ");
      await pollUntil("the animation to stop", async () => !(await shown(tab)).animate);
      const s = await surface(tab);
      await pollUntil("the address", () => tab.evaluate((k) =>
        location.hash === `#surface=${k}&still`, s));
      const name = await attribute(tab, "canvas", "aria-label");
      expect(/, X=.*, Y=.*, Z=.*, at rest$/.test(name), `the picture is named "${name}"`);
      expect(await attribute(tab, "canvas", "role") === "img", "the picture is not an image");
      await tab.keyboard.press(kNext);
      await pollUntil("the name to follow", async () =>
        !(await attribute(tab, "canvas", "aria-label")).startsWith(`Surface ${s},`));
      expect(await tab.evaluate(() => document.getElementById("announce").textContent ===
        document.getElementById("canvas").getAttribute("aria-label")), "nothing was announced");
      expect(await attribute(tab, "announce", "aria-live") === "polite", "not announced politely");
      // A link followed while what is shown changes (here the view, turned before the browser
      // tells the page of the new address): the link wins, and is not written over.
      const linked = (s + 4) % 6;
      await tab.evaluate((k) => {
        location.hash = `#surface=${k}&still`;
        document.getElementById("turn-left").click();
      }, linked);
      await settled(tab);
      const after = await shown(tab);
      expect(after.surface === linked && !after.animate &&
        await tab.evaluate(() => location.hash) === `#surface=${linked}&still`,
        `the link to surface ${linked} was lost: surface ${after.surface} is shown`);
    });
  await check("space and Enter on a focused button press it once", async () => {
    const before = await shown(tab);
    // One press, one surface on: the next number, or back to the first.
    const once = async (key) => {
      const from = await surface(tab);
      await tab.keyboard.press(key);
      await pollUntil(`${key} to press the button`, async () => (await surface(tab)) !== from);
      await settled(tab);
      const to = await surface(tab);
      expect(to === from + 1 || (to === 0 && from > 0), `${key} took the surface from ${from} ` +
        `to ${to}`);
    };
    await tab.focus("#next");
    await once("Enter");
    await once(" ");
    await tab.focus("#animation");
    await tab.keyboard.press(" ");
    await settled(tab);
    expect((await shown(tab)).animate !== before.animate, "space did not press the button once");
  });
  await check("Tab leaves through the controls, the focus in sight; keys in a field and with " +
    "Control stay theirs",
    async () => {
      const before = await shown(tab);
      // Everything that takes the focus after the picture, in the page's order, then nothing;
      // of a group of radio buttons, the one checked.
      const controls = await tab.evaluate(() => [...document.querySelectorAll(
        "button, input, summary")]
        .filter((e) => e.compareDocumentPosition(canvas) & Node.DOCUMENT_POSITION_PRECEDING &&
          e.getClientRects().length > 0 && (e.type !== "radio" || e.checked)).map((e) => e.id));
      await tab.focus("#canvas");
      const focused = [];
      for (let i = 0; i <= controls.length; i++) {
        await tab.keyboard.press("Tab");
        focused.push(await tab.evaluate(() => document.activeElement.id || "none"));
        if (i === 0) {
          expect(await tab.evaluate(() => getComputedStyle(document.activeElement)
            .outlineStyle) !== "none", "the focus does not show");
        }
      }
      expect(controls.length >= 3 && focused.join() === [...controls, "none"].join(),
        `Tab went to ${focused.join(", ")}`);
      await tab.evaluate(() => document.body.append(Object.assign(
        document.createElement("input"), { id: "field" })));
      await tab.focus("#field");
      await tab.keyboard.type("a b");
      for (const target of ["#field", "#canvas"]) {
        await tab.focus(target);
        await tab.keyboard.down("Control");
        await tab.keyboard.press("KeyA");
        await tab.keyboard.up("Control");
      }
      await settled(tab);
      const after = await shown(tab);
      expect(after.surface === before.surface && after.animate === before.animate,
        "Tab, a field's keys or Control+A reached the viewer");
      expect(await tab.evaluate(() => document.getElementById("field").value) === "a b",
        "the field did not get its keys");
    });
  await tab.close();
}

async function linkedAndStill(b, reducedMotion) {
  const tab = await open(b, o.page, reducedMotion ? "" : "#surface=3&still",
    chromium ? { reducedMotion } : {});
  await started(tab);
  const what = reducedMotion ? "reduced motion starts at rest, and its links still move" :
    "#surface=3&still opens surface 3 at rest";
  await check(what, async () => {
    await settled(tab);
    const s = await shown(tab);
    expect(s.surface === (reducedMotion ? 0 : 3) && !s.animate, JSON.stringify(s));
    // Held still for this person alone: a link they share moves for whoever opens it.
    const hash = await tab.evaluate(() => location.hash);
    expect(hash === (reducedMotion ? "#surface=0" : "#surface=3&still"), `the address ${hash}`);
  });
  await tab.close();
}

async function main() {
  mkdirSync(o.out, { recursive: true });
  let { b, close } = await launch(o.browser);
  try {
    await everyHand(b);
    await linkedAndStill(b, false);
    await viewChecks(b, o, chromium);
    await inspectChecks(b, o);
    await normalsChecks(b, o);
    if (chromium) {
      await narrow(b, o);
      await twice(b, o, chromium);
      await linkedAndStill(b, true);
    }
  } finally {
    await close();
  }
  if (!chromium) {
    ({ b, close } = await launch(o.browser, { pixelRatio: 2, width: 1000 }));
    try {
      await twice(b, o, chromium);
    } finally {
      await close();
    }
    ({ b, close } = await launch(o.browser, { reducedMotion: true }));
    try {
      await linkedAndStill(b, true);
    } finally {
      await close();
    }
  }
  finish(`${o.browser}, the page in every hand`);
}

main().catch((error) => {
  console.log(`FAILED: ${error.stack}`);
  process.exit(1);
});
