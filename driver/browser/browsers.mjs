// The browser build's page in a real browser, driven by puppeteer-core: Debian's Chromium
// (drawing with SwiftShader) or Firefox (drawing with Mesa's llvmpipe on the X display), and
// seen as a person sees it (the picture's name, the address) and through WebGL itself (its
// frames counted and read back). Shared by the browser tests and the page's benchmark. Every
// wait polls for what it expects, up to a deadline.
import { mkdtempSync, readdirSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { pathToFileURL } from "node:url";
import puppeteer from "puppeteer-core";
import { watchWebGl } from "./watch_webgl.mjs";

const kDeadline = 60_000; // ms: software rendering on a loaded machine

// The command line's --name value pairs over `defaults`: --browser chromium|firefox and --page
// always, and what `valid` asks. Otherwise `usage` and status 2.
export function commandLine(usage, defaults, valid) {
  const o = { ...defaults };
  const argv = process.argv.slice(2);
  for (let i = 0; i + 1 < argv.length; i += 2) o[argv[i].replace(/^--/, "")] = argv[i + 1];
  if (argv.length % 2 !== 0 || !["chromium", "firefox"].includes(o.browser) || !o.page ||
      !valid(o)) {
    console.error(`usage: ${usage}`);
    process.exit(2);
  }
  return o;
}

// A browser with a profile of its own, removed by close(), in a window lower than the page so
// that a key that scrolled it would show. `uncapped` lifts the frame-rate cap, so that the
// animation frames come as fast as they can be drawn. Firefox takes the device's pixel ratio,
// its window's width and a wish for reduced motion here; Chromium takes them for each tab
// (open).
export async function launch(browser, { webgl2 = true, uncapped = false, pixelRatio = 1,
  width = 800, reducedMotion = false } = {}) {
  const profile = mkdtempSync(join(tmpdir(), "normals-browser-"));
  if (browser === "chromium") {
    const args = ["--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
      "--disable-background-networking", "--disable-component-update", "--disable-sync",
      "--no-first-run", "--window-size=800,600"];
    if (!webgl2) args.push("--disable-webgl2");
    if (uncapped) args.push("--disable-frame-rate-limit", "--disable-gpu-vsync");
    const b = await puppeteer.launch({ browser: "chrome", executablePath: "/usr/bin/chromium",
      headless: true, userDataDir: profile, args });
    return { b, close: () => closeAll(b, profile) };
  }
  // Firefox draws WebGL with the X display's Mesa only when told to, software as it is.
  const prefs = { "webgl.force-enabled": true, "webgl.enable-webgl2": webgl2,
    "gfx.webrender.software": true, "layout.css.devPixelsPerPx": pixelRatio.toFixed(1) };
  if (uncapped) prefs["layout.frame_rate"] = 0;
  if (reducedMotion) prefs["ui.prefersReducedMotion"] = 1;
  const b = await puppeteer.launch({ browser: "firefox", executablePath: "/usr/bin/firefox-esr",
    headless: false, userDataDir: profile, extraPrefsFirefox: prefs,
    args: [`--width=${width}`, "--height=600"] });
  return { b, close: () => closeAll(b, profile) };
}

async function closeAll(b, profile) {
  await b.close();
  rmSync(profile, { recursive: true, force: true });
}

// The CPU seconds the browser and every process it started have used so far (those running
// now: Linux's /proc).
export function cpuSeconds(b) {
  const root = b.process().pid;
  const parent = new Map(), seconds = new Map();
  for (const entry of readdirSync("/proc").filter((name) => /^\d+$/.test(name))) {
    let stat;
    try {
      stat = readFileSync(`/proc/${entry}/stat`, "utf8");
    } catch {
      continue; // gone meanwhile
    }
    // After the command's name: state, parent, ..., user time (11th), system time (12th).
    const fields = stat.slice(stat.lastIndexOf(")") + 2).split(" ");
    parent.set(Number(entry), Number(fields[1]));
    seconds.set(Number(entry), (Number(fields[11]) + Number(fields[12])) / 100);
  }
  let total = 0;
  for (const [pid, used] of seconds) {
    let p = pid;
    while (p > 1 && p !== root) p = parent.get(p) ?? 0;
    if (p === root) total += used;
  }
  return total;
}

export async function pollUntil(what, condition) {
  const end = Date.now() + kDeadline;
  for (;;) {
    const value = await condition();
    if (value) return value;
    if (Date.now() > end) throw new Error(`gave up waiting for ${what}`);
    await new Promise((r) => setTimeout(r, 20));
  }
}

// A tab with `page`, its address ending in `query` (a fragment, say), watched by watchWebGl.
// In Chromium, `viewport` sets the page's size, pixel ratio and touch (puppeteer's
// setViewport), and `reducedMotion` the user's wish.
export async function open(browser, page, query = "", { viewport, reducedMotion } = {}) {
  const tab = await browser.newPage();
  await tab.evaluateOnNewDocument(watchWebGl);
  if (viewport) await tab.setViewport(viewport);
  if (reducedMotion) {
    await tab.emulateMediaFeatures([{ name: "prefers-reduced-motion", value: "reduce" }]);
  }
  await tab.goto(pathToFileURL(resolve(page)).href + query);
  return tab;
}

// The picture's name, as a screen reader hears it: "Surface K, formula, moving|at rest", or
// "Your surface, ..." for a surface of one's own.
const nameOf = (tab) => tab.evaluate(() =>
  document.getElementById("canvas").getAttribute("aria-label"));

// The page has started the viewer, which has named the picture.
export const started = (tab) => pollUntil("the viewer to start", async () =>
  /^(Surface \d+|Your surface), /.test(await nameOf(tab)));

// What the picture's name says is shown: the surface (its number, or "own"), its caption, and
// whether it moves.
export async function shown(tab) {
  const name = await nameOf(tab);
  const match = /^(?:Surface (\d+)|Your surface), (.*), (moving|at rest)$/.exec(name);
  if (!match) throw new Error(`the picture is named "${name}"`);
  return { surface: match[1] === undefined ? "own" : Number(match[1]), caption: match[2],
    animate: match[3] === "moving" };
}

// How many frames the page has drawn.
export const framesDrawn = (tab) => tab.evaluate(() => normalsTest.frames());

// A frame as watchWebGl read it: width, height, and pixels, top row first, RGB.
const asFrame = ({ width, height, base64 }) =>
  ({ width, height, rgb: Buffer.from(base64, "base64") });

// The first frame the page drew `width` pixels wide, or the next frame it draws.
export const firstFrame = async (tab, width) =>
  asFrame(await tab.evaluate((w) => normalsTest.first(w), width));
export const nextFrame = async (tab) => asFrame(await tab.evaluate(() => normalsTest.next()));

// The files the page has offered for download so far: their names and texts.
export const downloads = (tab) => pollUntil("a download", () =>
  tab.evaluate(() => normalsTest.downloads().then((d) => (d.length > 0 ? d : null))));

export const nextFrames = (tab, n) => tab.evaluate((count) => new Promise((done) => {
  const step = (left) => (left === 0 ? done() : requestAnimationFrame(() => step(left - 1)));
  step(count);
}), n);

// The milliseconds a frame of the browser's own loop takes, over `seconds`.
export const frameTime = (tab, seconds) => tab.evaluate((s) => new Promise((done) => {
  let start = -1, frames = 0;
  const step = (now) => {
    if (start < 0) start = now;
    else frames++;
    if (now - start < s * 1000) requestAnimationFrame(step);
    else done((now - start) / frames);
  };
  requestAnimationFrame(step);
}), seconds);

// The side of the window the viewer asked for, in CSS pixels, which the page gives its canvas
// at most.
export const windowSide = (tab) => tab.evaluate(() =>
  parseFloat(document.getElementById("canvas").style.maxWidth));

// On the browser tests' own page (tests/browser/frames.html): the viewer's frame at a state no
// link reaches, as large as its window, read back as the golden tests read theirs.
export async function frameAt(tab, surface, animate, phase) {
  await pollUntil("the frames page", () => tab.evaluate(() => framesReady === true));
  return asFrame(await tab.evaluate((s, a, p) => {
    Module._drawFrameAt(windowSide, windowSide, s, a, p);
    return normalsTest.read();
  }, surface, animate, phase));
}

// On the same page: the surface of one's own whose coordinates are `formulas`, as the page's
// display handler draws it.
export async function formulaFrameAt(tab, formulas, animate, phase) {
  await pollUntil("the frames page", () => tab.evaluate(() => framesReady === true));
  return asFrame(await tab.evaluate((f, a, p) => {
    const refusal = Module.ccall("drawFormulaAt", "string", ["number", "number", "string",
      "string", "string", "number", "number"], [windowSide, windowSide, ...f, a, p]);
    if (refusal) throw new Error(refusal);
    return normalsTest.read();
  }, formulas, animate, phase));
}
