// The browser build as a user meets it, in a real browser (driver/browser): the golden cases'
// frames, written into --out and judged by normals-compare-golden (--judge) with --min-share,
// the keys, the animation, Escape and a browser without WebGL 2.
//   node browser_test.mjs --browser chromium|firefox --page normals.html --out DIR
//     --judge normals-compare-golden --min-share PERCENT
import { execFileSync, spawnSync } from "node:child_process";
import { mkdirSync } from "node:fs";
import { dirname, join } from "node:path";
import { commandLine, frameAt, kSide, launch, nextFrames, open, pollUntil, started, state,
  surfaceCount } from "../../driver/browser/browsers.mjs";
import { writePng } from "./png.mjs";

const results = [];
async function check(name, body) {
  try {
    await body();
    results.push(true);
    console.log(`ok      ${name}`);
  } catch (error) {
    results.push(false);
    console.log(`FAILED  ${name}: ${error.message}`);
  }
}
function expect(condition, message) {
  if (!condition) throw new Error(message);
}

async function main() {
  const o = commandLine("node browser_test.mjs --browser chromium|firefox --page PAGE --out DIR " +
    "--judge COMPARER --min-share PERCENT", {}, (given) => given.out && given.judge &&
    Number(given["min-share"]) > 0);
  mkdirSync(o.out, { recursive: true });
  // FILE SURFACE ANIMATE PHASE, a case a line.
  const cases = execFileSync(o.judge, ["--list"], { encoding: "utf8" }).trim().split("\n")
    .map((line) => line.split(" "));

  let { b, close } = await launch(o.browser);
  try {
    const tab = await open(b, o.page);
    await started(tab);
    await check("the golden cases' frames match the references", async () => {
      for (const [file, surface, animate, phase] of cases) {
        const rgb = await frameAt(tab, Number(surface), Number(animate), Number(phase));
        mkdirSync(dirname(join(o.out, file)), { recursive: true });
        writePng(join(o.out, file), kSide, kSide, rgb);
      }
      const judged = spawnSync(o.judge, ["--min-share", o["min-share"], o.out],
        { encoding: "utf8" });
      process.stdout.write(judged.stdout + judged.stderr);
      expect(judged.status === 0, `${o.judge} failed them (status ${judged.status})`);
    });
    await check("the animation sweeps the phase and the frames move", async () => {
      await tab.reload();
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
    await check("keys: letters advance and wrap after the last, arrows do nothing, space pauses",
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
        await nextFrames(tab, 30); // a scroll would be smooth, over several frames
        expect(await tab.evaluate(() =>
          document.documentElement.scrollHeight > window.innerHeight && window.scrollY === 0),
          "space scrolled the page, or the page cannot scroll at all");
        await tab.keyboard.press(" ");
        await pollUntil("space to start it again", async () => (await state(tab)).animate);
      });
    await check("Escape ends the viewer with status 1 and says so", async () => {
      await tab.keyboard.press("Escape");
      const text = await pollUntil("the page to say the viewer ended", () =>
        tab.evaluate(() => document.getElementById("status").textContent));
      expect(/ended with status 1\b.*[Rr]eload/.test(text), `the page says "${text}"`);
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
  const failed = results.filter((r) => !r).length;
  console.log(`${o.browser}: ${results.length - failed} of ${results.length} checks pass`);
  process.exit(failed === 0 ? 0 : 1);
}

main().catch((error) => {
  console.log(`FAILED: ${error.stack}`);
  process.exit(1);
});
