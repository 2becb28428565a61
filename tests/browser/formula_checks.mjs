// A surface of one's own in the browser, for browser_test.mjs: the built-ins written as
// formulas draw their frames pixel for pixel on the browser tests' own page (the caption's
// rows aside where the texts differ), and the page's form and cycle work as a person uses
// them, refusing bad formulas with a message tied to the field. Links: formula_links.mjs.
import { execFileSync, spawnSync } from "node:child_process";
import { mkdirSync } from "node:fs";
import { join } from "node:path";
import { firstFrame, formulaFrameAt, frameAt, nextFrames, open, pollUntil, shown, started,
  windowSide } from "../../driver/browser/browsers.mjs";
import { check, expect } from "./checks.mjs";
import { writePng } from "./png.mjs";

// Each built-in as it computes, at rest; moving, u is (t-0.5+u). The caption's text is the
// built-in's own only for surfaces 0 and 2 at rest.
const kBuiltIns = [
  { surface: 0, formulas: ["u*5", "0", "v*5"], sameCaption: true },
  { surface: 1, formulas: ["u*5", "sin(u*5)", "v*5"] },
  { surface: 2, formulas: ["u*5", "sin(u*v*5)", "v*5"], sameCaption: true },
  { surface: 4, formulas: ["cos(u*3.141592)*3", "v*3", "sin(u*3.141592)*3"] },
];
const kBelowCaption = 60; // rows of the frame below any caption

export async function formulaFrames(b, framesPage) {
  await check("the built-ins written as formulas draw the built-ins' frames, at rest and " +
    "moving", async () => {
    const tab = await open(b, framesPage);
    for (const c of kBuiltIns) {
      for (const phase of [-1, 0.3, 0.75]) {
        const moving = phase >= 0;
        const formulas = moving ? c.formulas.map((f) => f.replaceAll("u", "(t-0.5+u)")) :
          c.formulas;
        const builtIn = await frameAt(tab, c.surface, moving ? 1 : 0, moving ? phase : 0);
        const own = await formulaFrameAt(tab, formulas, moving ? 1 : 0, moving ? phase : 0);
        let differ = 0;
        for (let i = 0; i < builtIn.rgb.length; i++) {
          const row = Math.floor(i / (3 * builtIn.width));
          if (builtIn.rgb[i] !== own.rgb[i] && (row >= kBelowCaption ||
              (c.sameCaption && !moving))) {
            differ++;
          }
        }
        expect(differ === 0, `surface ${c.surface} at ${moving ? phase : "rest"}: ${differ} ` +
          "channels differ");
      }
    }
    await tab.close();
  });
}

const message = (tab) => tab.evaluate(() => document.getElementById("formula-message")
  .textContent);

// Types the three formulas into the form and presses Show.
export async function typeAndShow(tab, formulas) {
  for (const [k, f] of formulas.entries()) {
    await tab.$eval(`#formula-${"xyz"[k]}`, (e) => { e.value = ""; });
    await tab.type(`#formula-${"xyz"[k]}`, f);
  }
  await tab.click("#formula-show");
  await nextFrames(tab, 3);
}

// The page's frame of a torus of one's own against normals-snapshot's, within the share the
// browsers reach on the golden frames.
async function likeTheSnapshot(b, o) {
  const torus = ["(2+cos(pi*v))*cos(pi*u)", "sin(pi*v)", "(2+cos(pi*v))*sin(pi*u)"];
  const tab = await open(b, o.page, `#x=${torus[0]}&y=${torus[1]}&z=${torus[2]}&still`);
  await started(tab);
  const frame = await firstFrame(tab, await windowSide(tab));
  await tab.close();
  const [desktop, browser] = [join(o.out, "torus", "desktop"), join(o.out, "torus", "page")];
  for (const folder of [desktop, browser]) mkdirSync(folder, { recursive: true });
  execFileSync(o.snapshot, ["--x", torus[0], "--y", torus[1], "--z", torus[2], "--out",
    join(desktop, "torus.png")]);
  writePng(join(browser, "torus.png"), frame.width, frame.height, frame.rgb);
  const judged = spawnSync(o.judge, ["--min-share", "99", "--references", desktop, browser],
    { encoding: "utf8" });
  process.stdout.write(judged.stdout);
  expect(judged.status === 0, "the page's torus is not normals-snapshot's");
}

export async function formulaPage(b, o) {
  const page = o.page;
  await check("a surface of one's own is drawn as normals-snapshot draws it", () =>
    likeTheSnapshot(b, o));
  const tab = await open(b, page, "#surface=5&still");
  await started(tab);
  await check("a refused formula is said, its field marked, and the picture stays", async () => {
    for (const [formulas, said, field] of [
      [["u*3", "2*sinn(u)", "v*3"], 'Y: unknown function "sinn" at column 3', "y"],
      [["u", "sin(u,v)", "v"], 'Y: too many arguments for "sin" at column 1', "y"],
      [["", "0", "v"], "X: the formula is empty", "x"],
      [["u", "0", "exp(u"], "Z: a parenthesis opened here is not closed at column 4", "z"],
    ]) {
      await typeAndShow(tab, formulas);
      expect(await message(tab) === said, `"${await message(tab)}" for ${formulas}`);
      const marks = await tab.evaluate((f) => ["x", "y", "z"].map((n) => {
        const e = document.getElementById(`formula-${n}`);
        return [n === f, e.getAttribute("aria-invalid"), e.getAttribute("aria-describedby"),
          document.activeElement === e];
      }), field);
      expect(marks.every(([it, invalid, describedBy, focused]) => it ?
        invalid === "true" && describedBy === "formula-message" && focused :
        invalid !== "true" && describedBy === null), JSON.stringify(marks));
      expect((await shown(tab)).surface === 5, "the picture changed");
    }
  });
  await check("a field keeps its keys, and the surface typed takes the seventh place until " +
    "Clear", async () => {
    await typeAndShow(tab, ["u*3", "u*v*4", "v*3"]);
    const own = await shown(tab);
    expect(own.surface === "own" && own.caption === "X=u*3, Y=u*v*4, Z=v*3" && !own.animate,
      JSON.stringify(own));
    await tab.focus("#formula-x");
    await tab.keyboard.type("a b");
    await nextFrames(tab, 5);
    expect((await shown(tab)).surface === "own", "typing in a field changed the surface");
    await tab.focus("#canvas");
    // From the seventh place: the first surface, each in turn, the seventh, the first again.
    const cycle = [];
    while (cycle.length < 20 && !(cycle.includes("own") && cycle.at(-1) === 0)) {
      const before = (await shown(tab)).surface;
      await tab.keyboard.press("KeyN");
      await pollUntil("the next surface", async () => (await shown(tab)).surface !== before);
      cycle.push((await shown(tab)).surface);
    }
    const seventh = cycle.indexOf("own");
    expect(seventh > 1 && cycle.slice(0, seventh).every((s, k) => s === k) &&
      cycle.length === seventh + 2, `the cycle went ${cycle}`);
    await tab.click("#formula-clear");
    await pollUntil("Clear", async () => (await shown(tab)).surface === 0);
    // Cleared, the cycle is the built-in surfaces' alone again.
    await tab.focus("#canvas");
    for (let i = 0; i < seventh; i++) await tab.keyboard.press("KeyN");
    await pollUntil("the cycle of the built-ins", async () => (await shown(tab)).surface === 0);
  });
  await tab.close();
}
