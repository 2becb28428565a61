// The browser build as a user meets it, in a real browser: Debian's Chromium (drawing with
// SwiftShader) or Firefox (drawing with Mesa's llvmpipe on the X display), driven by
// puppeteer-core. Writes the golden cases' frames into --out for normals-compare-golden, and
// checks the keys, the animation, Escape and a browser without WebGL 2. Every wait polls for
// what it expects, up to a deadline.
//   node browser_test.mjs --browser chromium|firefox --page normals.html --out DIR
import { mkdirSync, mkdtempSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";
import puppeteer from "puppeteer-core";
import { writePng } from "./png.mjs";

const kDeadline = 60_000; // ms: software rendering on a loaded machine
const kSide = 400;
const here = dirname(fileURLToPath(import.meta.url));

function options() {
  const o = {};
  const argv = process.argv.slice(2);
  for (let i = 0; i + 1 < argv.length; i += 2) o[argv[i].replace(/^--/, "")] = argv[i + 1];
  if (!["chromium", "firefox"].includes(o.browser) || !o.page || !o.out) {
    console.error("usage: node browser_test.mjs --browser chromium|firefox --page PAGE --out DIR");
    process.exit(2);
  }
  return o;
}

async function launch(browser, { webgl2 = true } = {}) {
  const profile = mkdtempSync(join(tmpdir(), "normals-browser-"));
  if (browser === "chromium") {
    const args = ["--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
      "--disable-background-networking", "--disable-component-update", "--disable-sync",
      "--no-first-run", "--window-size=800,900"];
    if (!webgl2) args.push("--disable-webgl2");
    const b = await puppeteer.launch({ browser: "chrome", executablePath: "/usr/bin/chromium",
      headless: true, userDataDir: profile, args });
    return { b, profile };
  }
  // Firefox draws WebGL with the X display's Mesa only when told to, software as it is.
  const prefs = { "webgl.force-enabled": true, "webgl.enable-webgl2": webgl2,
    "gfx.webrender.software": true, "layout.css.devPixelsPerPx": "1.0" };
  const b = await puppeteer.launch({ browser: "firefox", executablePath: "/usr/bin/firefox-esr",
    headless: false, userDataDir: profile, extraPrefsFirefox: prefs,
    args: ["--width=800", "--height=900"] });
  return { b, profile };
}

async function pollUntil(what, condition) {
  const end = Date.now() + kDeadline;
  for (;;) {
    const value = await condition();
    if (value) return value;
    if (Date.now() > end) throw new Error(`gave up waiting for ${what}`);
    await new Promise((r) => setTimeout(r, 20));
  }
}

async function open(browser, page) {
  const tab = await browser.newPage();
  await tab.setViewport({ width: 800, height: 900, deviceScaleFactor: 1 });
  await tab.goto(pathToFileURL(resolve(page)).href);
  return tab;
}

const started = (tab) => pollUntil("the viewer to start", () => tab.evaluate(() =>
  typeof Module !== "undefined" && typeof Module._normalsTestState === "function" &&
  document.title.startsWith("Normals:")));

const state = (tab) => tab.evaluate(() => {
  const p = Module._normalsTestState() >> 2;
  return { surface: Module.HEAPF32[p], animate: Module.HEAPF32[p + 1] === 1,
    phase: Module.HEAPF32[p + 2] };
});

const nextFrames = (tab, n) => tab.evaluate((count) => new Promise((done) => {
  const step = (left) => (left === 0 ? done() : requestAnimationFrame(() => step(left - 1)));
  step(count);
}), n);

// A frame drawn at a chosen state and read back, as the golden tests draw theirs; top row
// first, RGB.
async function frameAt(tab, surface, animate, phase) {
  const base64 = await tab.evaluate((s, a, p, side) => {
    const at = Module._normalsTestFrame(s, a, p, side, side);
    const rgba = Module.HEAPU8.subarray(at, at + side * side * 4);
    let text = "";
    for (let y = side - 1; y >= 0; y--) {
      for (let x = 0; x < side; x++) {
        const i = 4 * (y * side + x);
        text += String.fromCharCode(rgba[i], rgba[i + 1], rgba[i + 2]);
      }
    }
    return btoa(text);
  }, surface, animate, phase, kSide);
  return Buffer.from(base64, "base64");
}

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
  const o = options();
  mkdirSync(o.out, { recursive: true });
  const cases = readFileSync(join(here, "..", "golden", "cases.txt"), "utf8").split("\n")
    .map((l) => l.trim()).filter((l) => l && !l.startsWith("#")).map((l) => l.split(/\s+/));

  let { b, profile } = await launch(o.browser);
  try {
    const tab = await open(b, o.page);
    await started(tab);
    await check("the golden cases' frames are written", async () => {
      for (const [file, surface, phase] of cases) {
        const rgb = await frameAt(tab, Number(surface), phase === "rest" ? 0 : 1,
          phase === "rest" ? 0 : Number(phase));
        mkdirSync(dirname(join(o.out, file)), { recursive: true });
        writePng(join(o.out, file), kSide, kSide, rgb);
      }
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
    await check("keys: letters advance and wrap after six, arrows do nothing, space pauses",
      async () => {
        const surface = async () => (await state(tab)).surface;
        const start = await surface();
        await tab.keyboard.press("KeyA");
        await pollUntil("a to advance", async () => (await surface()) === (start + 1) % 6);
        for (let i = 0; i < 5; i++) await tab.keyboard.press("KeyQ");
        await pollUntil("six keys to come back", async () => (await surface()) === start);
        await tab.keyboard.press("ArrowRight");
        await tab.keyboard.press("Shift");
        await nextFrames(tab, 5);
        expect((await surface()) === start, "an arrow or Shift changed the surface");
        await tab.keyboard.press("Space");
        await pollUntil("space to stop the animation", async () => !(await state(tab)).animate);
        expect(await tab.evaluate(() => window.scrollY === 0), "space scrolled the page");
        await tab.keyboard.press("Space");
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
    await b.close();
    rmSync(profile, { recursive: true, force: true });
  }

  ({ b, profile } = await launch(o.browser, { webgl2: false }));
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
    await b.close();
    rmSync(profile, { recursive: true, force: true });
  }
  const failed = results.filter((r) => !r).length;
  console.log(`${o.browser}: ${results.length - failed} of ${results.length} checks pass`);
  process.exit(failed === 0 ? 0 : 1);
}

main().catch((error) => {
  console.log(`FAILED: ${error.stack}`);
  process.exit(1);
});
