// The browser build as a user meets it, in a real browser (driver/browser): the golden cases'
// frames, drawn by the browser tests' own page (--frames) at every case's state and by the page
// itself for each case a link reaches, written into --out and judged by normals-compare-golden
// (--judge) by what this browser was measured to draw of each case; a linked surface that
// moves, the cells offered as an OBJ file (--snapshot writes the same), the keys, Escape and a
// browser without WebGL 2. With --short, only what the committed page needs: that it starts,
// names its picture and draws a golden frame from a link.
//   node browser_test.mjs --browser chromium|firefox --page normals.html --out DIR
//     --judge normals-compare-golden [--frames frames.html --snapshot normals-snapshot |
//     --short yes]
import { execFileSync, spawnSync } from "node:child_process";
import { mkdirSync } from "node:fs";
import { dirname, join } from "node:path";
import { commandLine, firstFrame, frameAt, framesDrawn, launch, nextFrame, nextFrames, open,
  pollUntil, shown, started, windowSide } from "../../driver/browser/browsers.mjs";
import { check, expect, finish } from "./checks.mjs";
import { formulaFrames, formulaPage } from "./formula_checks.mjs";
import { formulaLinks } from "./formula_links.mjs";
import { objChecks, stlChecks } from "./obj_checks.mjs";
import { writePng } from "./png.mjs";

const o = commandLine("node browser_test.mjs --browser chromium|firefox --page PAGE --out DIR " +
  "--judge COMPARER [--frames FRAMES_PAGE --snapshot SNAPSHOT | --short yes]", {}, (given) =>
  given.out && given.judge && ((given.frames && given.snapshot) || given.short));
// FILE SURFACE ANIMATE PHASE, a case a line.
const cases = execFileSync(o.judge, ["--list"], { encoding: "utf8" }).trim().split("\n")
  .map((line) => line.split(" ")).map(([file, s, a, p]) =>
    ({ file, surface: Number(s), animate: a === "1", phase: Number(p) }));
// The cases a link reaches: at rest, or moving before the clock first moves (phase 0).
const linkedCases = cases.filter((c) => !c.animate || c.phase === 0);
const linkTo = (c) => `#surface=${c.surface}${c.animate ? "" : "&still"}`;

// Writes each case's frame into `folder` and judges them; true when all pass.
async function judged(folder, chosen, frameOf) {
  for (const c of chosen) {
    const frame = await frameOf(c);
    mkdirSync(dirname(join(folder, c.file)), { recursive: true });
    writePng(join(folder, c.file), frame.width, frame.height, frame.rgb);
  }
  const judge = spawnSync(o.judge, ["--browser", o.browser,
    "--only", chosen.map((c) => c.file).join(","), folder], { encoding: "utf8" });
  process.stdout.write(judge.stdout + judge.stderr);
  return judge.status === 0;
}

// The page's first frame of a link, as large as the viewer's window.
async function linkedFrame(b, c) {
  const tab = await open(b, o.page, linkTo(c));
  try {
    await started(tab);
    return await firstFrame(tab, await windowSide(tab));
  } finally {
    await tab.close();
  }
}

async function frames(b) {
  await check("every golden case's frame, drawn by the viewer's own frame on this browser, " +
    "matches its reference", async () => {
    const tab = await open(b, o.frames);
    expect(await judged(join(o.out, "frames"), cases, (c) =>
      frameAt(tab, c.surface, c.animate ? 1 : 0, c.phase)), `${o.judge} failed them`);
    await tab.close();
  });
  await check("the page draws the golden frame of every case a link reaches", async () => {
    expect(await judged(join(o.out, "linked"), linkedCases, (c) => linkedFrame(b, c)),
      `${o.judge} failed them`);
  });
}

async function keys(b) {
  const tab = await open(b, o.page, "#surface=2");
  await started(tab);
  await check("a link without &still opens its surface moving", async () => {
    const s = await shown(tab);
    expect(s.surface === 2 && s.animate, JSON.stringify(s));
    const first = await firstFrame(tab, await windowSide(tab));
    await nextFrames(tab, 10);
    expect(!first.rgb.equals((await nextFrame(tab)).rgb), "two frames 10 apart are the same");
  });
  await check("keys: letters advance and wrap after the last, arrows do nothing, space " +
    "pauses, and a still picture is not drawn again", async () => {
    const surface = async () => (await shown(tab)).surface;
    const start = await surface();
    await tab.keyboard.press("KeyA");
    await pollUntil("a to advance", async () => (await surface()) !== start);
    for (let i = 0; i < 20 && (await surface()) !== start; i++) {
      const before = await surface();
      await tab.keyboard.press("KeyQ");
      await pollUntil("q to advance", async () => (await surface()) !== before);
    }
    expect((await surface()) === start, "twenty keys never came back to the first surface");
    await tab.keyboard.press("ArrowRight");
    await tab.keyboard.press("Shift");
    await nextFrames(tab, 5);
    expect((await surface()) === start, "an arrow or Shift changed the surface");
    await tab.keyboard.press(" ");
    await pollUntil("space to stop the animation", async () => !(await shown(tab)).animate);
    await nextFrames(tab, 2);
    const drawn = await framesDrawn(tab);
    await nextFrames(tab, 30); // a scroll would be smooth, over several frames
    expect(await framesDrawn(tab) === drawn, "a still picture was drawn again");
    expect(await tab.evaluate(() =>
      document.documentElement.scrollHeight > window.innerHeight && window.scrollY === 0),
    "space scrolled the page, or the page cannot scroll at all");
    await tab.keyboard.press(" ");
    await pollUntil("space to start it again", async () => (await shown(tab)).animate);
  });
  await check("Escape ends the viewer with status 1 and says so where the picture was",
    async () => {
      await tab.keyboard.press("Escape");
      // What is rendered: a message inside a hidden element has text but no innerText.
      const text = await pollUntil("the page to say the viewer ended", () =>
        tab.evaluate(() => document.getElementById("status").innerText));
      expect(/ended with status 1\b.*[Rr]eload/.test(text), `the page shows "${text}"`);
      expect(await tab.evaluate(() => {
        const box = document.getElementById("status").getBoundingClientRect();
        return box.height > 0 && box.top >= 0 && box.bottom <= innerHeight;
      }), "the message is out of sight");
      const drawn = await framesDrawn(tab);
      await nextFrames(tab, 10);
      expect(await framesDrawn(tab) === drawn, "frames are still drawn");
    });
  await tab.close();
}

async function noWebGl2() {
  const { b, close } = await launch(o.browser, { webgl2: false });
  try {
    await check("a browser without WebGL 2 gets a message, not a blank square", async () => {
      const tab = await open(b, o.page);
      const text = await pollUntil("the message", () =>
        tab.evaluate(() => document.getElementById("status").innerText));
      expect(/no WebGL 2/.test(text), `the page shows "${text}"`);
      expect(await tab.evaluate(() => document.getElementById("canvas").getClientRects()
        .length === 0), "the canvas still shows");
    });
  } finally {
    await close();
  }
}

async function main() {
  mkdirSync(o.out, { recursive: true });
  const { b, close } = await launch(o.browser);
  try {
    if (o.short) {
      const c = linkedCases.find((k) => !k.animate);
      await check(`the page starts, names its picture and draws ${c.file} from its link`,
        async () => {
          expect(await judged(join(o.out, "linked"), [c], (k) => linkedFrame(b, k)),
            `${o.judge} failed it`);
        });
    } else {
      await frames(b);
      await formulaFrames(b, o.frames);
      await formulaPage(b, o);
      await formulaLinks(b, o.page);
      await objChecks(b, o.page, o.snapshot);
      await stlChecks(b, o.page, o.snapshot);
      await keys(b);
    }
  } finally {
    await close();
  }
  if (!o.short) await noWebGl2();
  finish(o.browser);
}

main().catch((error) => {
  console.log(`FAILED: ${error.stack}`);
  process.exit(1);
});
