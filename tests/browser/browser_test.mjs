// The browser build as a user meets it, in a real browser (driver/browser): the golden cases'
// frames, written into --out and judged by normals-compare-golden (--judge) with each case's
// least share in this browser (--min-shares), and the same judge failing them without their
// caption or a cell's outline; the keys, the animation, Escape and a browser without WebGL 2.
//   node browser_test.mjs --browser chromium|firefox --page normals.html --out DIR
//     --judge normals-compare-golden --min-shares FILE
import { execFileSync, spawnSync } from "node:child_process";
import { mkdirSync } from "node:fs";
import { dirname, join } from "node:path";
import { commandLine, frameAt, launch, nextFrames, open, pollUntil, started, state,
  surfaceCount } from "../../driver/browser/browsers.mjs";
import { check, expect, finish } from "./checks.mjs";
import { writePng } from "./png.mjs";

// An outline whose edges other cells' outlines draw again leaves no frame without it; the
// outline check takes the cell whose outline alone shows the most, if it shows this much.
const kLeastLoneOutline = 50; // pixels
// The cells on the sweep's border, 21 x 21 of them, u outer and v inner: only their outer
// edges are drawn once.
const kBorderCells = Array.from({ length: 441 }, (_, k) => k)
  .filter((k) => k < 21 || k >= 420 || k % 21 === 0 || k % 21 === 20);

async function main() {
  const o = commandLine("node browser_test.mjs --browser chromium|firefox --page PAGE --out DIR " +
    "--judge COMPARER --min-shares FILE", {}, (given) => given.out && given.judge &&
    given["min-shares"]);
  mkdirSync(o.out, { recursive: true });
  // FILE SURFACE ANIMATE PHASE, a case a line.
  const cases = execFileSync(o.judge, ["--list"], { encoding: "utf8" }).trim().split("\n")
    .map((line) => line.split(" "));

  let { b, close } = await launch(o.browser);
  try {
    let tab = await open(b, o.page);
    await started(tab);
    // The frames, and the same frames without their caption or without one cell's outline,
    // written into `folder` and judged; the judge's words on each.
    const judge = async (folder, chosen, without = () => null) => {
      for (const [file, surface, animate, phase] of chosen) {
        const frame = await frameAt(tab, Number(surface), Number(animate), Number(phase),
          without(file));
        mkdirSync(dirname(join(folder, file)), { recursive: true });
        writePng(join(folder, file), frame.width, frame.height, frame.rgb);
      }
      const judged = spawnSync(o.judge, ["--min-shares", o["min-shares"], "--browser", o.browser,
        folder], { encoding: "utf8" });
      process.stdout.write(judged.stdout + judged.stderr);
      return { status: judged.status, verdicts: chosen.map(([file]) =>
        judged.stdout.split("\n").find((line) => line.startsWith(`${file} `)) ?? "") };
    };
    await check("the golden cases' frames match the references", async () => {
      const judged = await judge(o.out, cases);
      expect(judged.status === 0, `${o.judge} failed them (status ${judged.status})`);
    });
    // For each case, the border cell whose outline alone shows the most in this browser.
    const loneOutline = {};
    for (const [file, surface, animate, phase] of cases) {
      const full = await frameAt(tab, Number(surface), Number(animate), Number(phase));
      let best = { cell: -1, shown: 0 };
      for (const cell of kBorderCells) {
        const without = await frameAt(tab, Number(surface), Number(animate), Number(phase), cell);
        let shown = 0;
        for (let i = 0; i < full.rgb.length; i += 3) {
          if (full.rgb.compare(without.rgb, i, i + 3, i, i + 3) !== 0) shown++;
        }
        if (shown > best.shown) best = { cell, shown };
      }
      console.log(`${file}: cell ${best.cell}'s outline alone shows ${best.shown} pixels`);
      if (best.shown >= kLeastLoneOutline) loneOutline[file] = best.cell;
    }
    const outlined = cases.filter(([file]) => loneOutline[file] !== undefined);
    for (const [what, chosen, without] of [
      ["its caption", cases, () => -1],
      ["one cell's outline", outlined, (file) => loneOutline[file]]]) {
      await check(`the judge fails every frame without ${what}`, async () => {
        const { verdicts } = await judge(join(o.out, "without", what.replace(/\W+/g, "-")),
          chosen, without);
        const passed = verdicts.filter((v) => !v.endsWith("FAILED"));
        expect(passed.length === 0, `${o.judge} passed ${passed.join("; ")}`);
      });
    }
    await check("the animation sweeps the phase and the frames move", async () => {
      // A new tab, not a reload: the old document must not answer for the new one.
      await tab.close();
      tab = await open(b, o.page);
      await started(tab);
      let low = 1, high = 0;
      await pollUntil("the phase to sweep from 0 to 1", async () => {
        const s = await state(tab);
        low = Math.min(low, s.phase);
        high = Math.max(high, s.phase);
        return low < 0.01 && high > 0.99;
      });
      const canvas = await tab.$("canvas");
      const first = await canvas.screenshot();
      await nextFrames(tab, 10);
      expect(!first.equals(await canvas.screenshot()), "two frames 10 apart are the same");
    });
    await check("keys: letters advance and wrap after the last, arrows do nothing, space " +
      "pauses, and a still picture is not drawn again",
      async () => {
        const surface = async () => (await state(tab)).surface;
        const surfaces = await surfaceCount(tab);
        const start = await surface();
        await tab.keyboard.press("KeyA");
        await pollUntil("a to advance", async () => (await surface()) === (start + 1) % surfaces);
        for (let i = 1; i < surfaces; i++) await tab.keyboard.press("KeyQ");
        await pollUntil("a key a surface to come back", async () => (await surface()) === start);
        await tab.keyboard.press("ArrowRight");
        await tab.keyboard.press("Shift");
        await nextFrames(tab, 5);
        expect((await surface()) === start, "an arrow or Shift changed the surface");
        await tab.keyboard.press(" ");
        await pollUntil("space to stop the animation", async () => !(await state(tab)).animate);
        await nextFrames(tab, 2);
        const sent = await tab.evaluate(() => Module._normalsFramesSent());
        await nextFrames(tab, 30); // a scroll would be smooth, over several frames
        expect(await tab.evaluate(() => Module._normalsFramesSent()) === sent,
          "a still picture was sent to WebGL again");
        expect(await tab.evaluate(() =>
          document.documentElement.scrollHeight > window.innerHeight && window.scrollY === 0),
          "space scrolled the page, or the page cannot scroll at all");
        await tab.keyboard.press(" ");
        await pollUntil("space to start it again", async () => (await state(tab)).animate);
      });
    await check("Escape ends the viewer with status 1 and says so where the picture was",
      async () => {
      await tab.keyboard.press("Escape");
      const text = await pollUntil("the page to say the viewer ended", () =>
        tab.evaluate(() => document.getElementById("status").textContent));
      expect(/ended with status 1\b.*[Rr]eload/.test(text), `the page says "${text}"`);
      expect(await tab.evaluate(() => {
        const box = document.getElementById("status").getBoundingClientRect();
        return box.top >= 0 && box.bottom <= innerHeight;
      }), "the message is out of sight");
      const before = (await state(tab)).phase;
      await nextFrames(tab, 10);
      expect((await state(tab)).phase === before, "the clock still runs");
    });
  } finally {
    await close();
  }

  ({ b, close } = await launch(o.browser, { webgl2: false }));
  try {
    await check("a browser without WebGL 2 gets a message, not a blank square", async () => {
      const tab = await open(b, o.page);
      const text = await pollUntil("the message", () =>
        tab.evaluate(() => document.getElementById("status").textContent));
      expect(/no WebGL 2/.test(text), `the page says "${text}"`);
      expect(await tab.evaluate(() => getComputedStyle(document.getElementById("canvas"))
        .display === "none"), "the canvas still shows");
    });
  } finally {
    await close();
  }
  finish(o.browser);
}

main().catch((error) => {
  console.log(`FAILED: ${error.stack}`);
  process.exit(1);
});
