// The browser build's page in a real browser, driven by puppeteer-core: Debian's Chromium
// (drawing with SwiftShader) or Firefox (drawing with Mesa's llvmpipe on the X display). Shared
// by the browser tests and the page's benchmark. Every wait polls for what it expects, up to a
// deadline.
import { mkdtempSync, readdirSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { pathToFileURL } from "node:url";
import puppeteer from "puppeteer-core";

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

// A tab with `page`, its address ending in `query` (a fragment, say). In Chromium, `viewport`
// sets the page's size, pixel ratio and touch (puppeteer's setViewport), and `reducedMotion`
// the user's wish.
export async function open(browser, page, query = "", { viewport, reducedMotion } = {}) {
  const tab = await browser.newPage();
  if (viewport) await tab.setViewport(viewport);
  if (reducedMotion) {
    await tab.emulateMediaFeatures([{ name: "prefers-reduced-motion", value: "reduce" }]);
  }
  await tab.goto(pathToFileURL(resolve(page)).href + query);
  return tab;
}

// The page has started the viewer and taken its first keys (its links, reduced motion).
export const started = (tab) => pollUntil("the viewer to start", () => tab.evaluate(() =>
  typeof normalsStarted !== "undefined" && normalsStarted === true));

export const state = (tab) => tab.evaluate(() => ({ surface: Module._normalsSurfaceIndex(),
  animate: Module._normalsAnimate() === 1, phase: Module._normalsPhase() }));

// How many surfaces the viewer cycles through.
export const surfaceCount = (tab) => tab.evaluate(() => Module._normalsSurfaceCount());

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

// A frame drawn at a chosen state and read back, as the golden tests draw theirs: its width,
// height, and pixels, top row first, RGB. With `without`, the frame lacks its caption (-1) or
// the outline of that cell.
export async function frameAt(tab, surface, animate, phase, without = null) {
  const { width, height, base64 } = await tab.evaluate((s, a, p, leaveOut) => {
    if (!Module._normalsSetState(s, a, p)) throw new Error(`no surface ${s}`);
    if (leaveOut === null) Module._normalsDrawFrame();
    else Module._normalsDrawFrameWithout(leaveOut);
    const canvas = document.getElementById("canvas");
    const w = canvas.width, h = canvas.height;
    const at = Module._normalsReadPixels(0, 0, w, h);
    if (at === 0) throw new Error(`cannot read ${w} x ${h} pixels`);
    const rgba = Module.HEAPU8.subarray(at, at + w * h * 4);
    let text = "";
    for (let y = h - 1; y >= 0; y--) {
      for (let x = 0; x < w; x++) {
        const i = 4 * (y * w + x);
        text += String.fromCharCode(rgba[i], rgba[i + 1], rgba[i + 2]);
      }
    }
    return { width: w, height: h, base64: btoa(text) };
  }, surface, animate, phase, without);
  return { width, height, rgb: Buffer.from(base64, "base64") };
}
