// The page at other sizes, for page_test.mjs: screens 320, 900 and 1280 pixels wide and a
// phone's, tapped (Chromium, which can be made one), the larger picture, and a screen of twice
// the pixels, whose first frame of each link to a golden case at rest is judged against the
// golden references (normals-compare-golden --scale 2): averaged 2 x 2 with the least share
// kShareAt2, and its caption pixel by pixel.
import { execFileSync, spawnSync } from "node:child_process";
import { mkdirSync } from "node:fs";
import { dirname, join } from "node:path";
import { firstFrame, open, pollUntil, started, windowSide } from "../../driver/browser/browsers.mjs";
import { check, expect } from "./checks.mjs";
import { writePng } from "./png.mjs";

// Averaged 2 x 2, a frame drawn at twice the pixels keeps less of its pixels within 2 levels of
// the reference than one drawn at the reference's size: lines' edges fall inside the averaged
// squares. The caption has no such excuse.
const kShareAt2 = 87; // percent

export async function narrow(b, o) {
  const tab = await open(b, o.page, "", { viewport: { width: 320, height: 640 } });
  await started(tab);
  await check("at 320 px the page does not scroll sideways and the picture is whole", async () => {
    await pollUntil("the canvas to follow the width", () => tab.evaluate(() =>
      canvas.width < 320));
    const fit = await layoutOf(tab);
    expect(fit.scroll <= fit.inner && fit.left >= 0 && fit.right <= fit.inner &&
      fit.bottom <= fit.innerHeight && fit.width === fit.height && fit.sideTop >= fit.bottom,
      JSON.stringify(fit));
  });
  await tab.close();
  await check("on a phone, a cell tapped while cells are looked into brings its numbers into " +
    "view, the surface staying", async () => {
    const phone = await open(b, o.page, "#surface=2&still&inspect",
      { viewport: { width: 390, height: 664, hasTouch: true, isMobile: true } });
    await started(phone);
    const panel = () => phone.evaluate(() => {
      const e = document.getElementById("cell-panel"), box = e.getBoundingClientRect();
      return { inView: box.top < innerHeight && box.bottom > 0, text: e.innerText };
    });
    expect(!(await panel()).inView, "the panel was in view before the tap");
    const box = await (await phone.$("#canvas")).boundingBox();
    await phone.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
    await pollUntil("the panel to come into view", async () => (await panel()).inView);
    expect(/^Row \d+, column \d+/.test((await panel()).text), "the panel shows no cell");
    expect(/^#surface=2&/.test(await phone.evaluate(() => location.hash)),
      "the tap changed the surface");
    await phone.close();
  });
  await check("from 900 px on the groups stand beside the picture, which stays on the screen " +
    "while they scroll; the larger picture is the largest square the width beside them and " +
    "the window's height hold, drawn at that size, and in the link", async () => {
    for (const width of [900, 1280]) {
      const wide = await open(b, o.page, "#x=u&y=a*u*v&z=v&still&a=0.5",
        { viewport: { width, height: 900 } });
      await started(wide);
      let fit = await layoutOf(wide);
      expect(fit.scroll <= fit.inner && fit.sideLeft >= fit.right && fit.width === 400,
        `at ${width}: ${JSON.stringify(fit)}`);
      // The constant's slider, at the foot of the groups, moved: the picture is still in sight.
      await wide.evaluate(() => document.querySelector("#constants input[type=range]")
        .scrollIntoView({ block: "end" }));
      await wide.focus("#constants input[type=range]");
      await wide.keyboard.press("ArrowRight");
      fit = await layoutOf(wide);
      expect(fit.top >= 0 && fit.bottom <= fit.innerHeight && fit.scrolled > 0,
        `scrolled to the slider at ${width}: ${JSON.stringify(fit)}`);
      // The slider's step reached the viewer: the link, written from its state, says so.
      await pollUntil("the constant to reach the link", () => wide.evaluate(() =>
        /&a=0\.51(&|$)/.test(location.hash)));
      await wide.evaluate(() => scrollTo(0, 0));
      await wide.click("#larger");
      await pollUntil("the picture to grow", () => wide.evaluate(() => canvas.width > 440));
      fit = await layoutOf(wide);
      expect(fit.width === fit.height && fit.bottom <= fit.innerHeight &&
        fit.sideLeft >= fit.right && fit.sideLeft - fit.right < 40 &&
        fit.buffer === fit.width && /&large$/.test(fit.hash), `larger at ${width}: ` +
        JSON.stringify(fit));
      expect(await wide.$eval("#larger", (e) => e.getAttribute("aria-pressed")) === "true",
        "Larger picture does not say it is pressed");
      // The link opens the larger picture as it was.
      const linked = await open(b, o.page, fit.hash, { viewport: { width, height: 900 } });
      await started(linked);
      await pollUntil("the linked picture to be the larger", () => linked.evaluate(() =>
        canvas.width > 440));
      await linked.close();
      await wide.close();
    }
  });
}

// Where the picture and the groups beside it are, and the drawing buffer's width.
const layoutOf = (tab) => tab.evaluate(() => {
  const box = canvas.getBoundingClientRect();
  const side = document.getElementById("side").getBoundingClientRect();
  return { scroll: document.documentElement.scrollWidth, inner: innerWidth,
    left: box.left, right: box.right, top: box.top, bottom: box.bottom, width: box.width,
    scrolled: scrollY,
    height: box.height, innerHeight, sideLeft: side.left, sideTop: side.top,
    buffer: canvas.width, hash: location.hash };
});

export async function twice(b, o, chromium) {
  await check("at ratio 2 the picture has twice the window's pixels and, averaged 2 x 2, is the " +
    "golden frame's, its caption pixel for pixel", async () => {
    const folder = join(o.out, "ratio-2");
    // The cases a link reaches at this size: at rest. (The first frame, at phase 0, is drawn
    // before the page has learnt the screen's pixels.)
    const cases = execFileSync(o.judge, ["--list"], { encoding: "utf8" }).trim().split("\n")
      .map((line) => line.split(" ")).filter(([, , animate]) => animate === "0");
    for (const [file, surface, animate] of cases) {
      const tab = await open(b, o.page, `#surface=${surface}${animate === "1" ? "" : "&still"}`,
        chromium ? { viewport: { width: 800, height: 900, deviceScaleFactor: 2 } } : {});
      await started(tab);
      const side = 2 * await windowSide(tab);
      const frame = await firstFrame(tab, side);
      expect(frame.height === side, `the picture has ${frame.width} x ${frame.height} pixels`);
      mkdirSync(dirname(join(folder, file)), { recursive: true });
      writePng(join(folder, file), frame.width, frame.height, frame.rgb);
      await tab.close();
    }
    const judged = spawnSync(o.judge, ["--min-share", String(kShareAt2), "--scale", "2",
      "--only", cases.map(([file]) => file).join(","), folder], { encoding: "utf8" });
    process.stdout.write(judged.stdout + judged.stderr);
    expect(judged.status === 0, `${o.judge} failed them (status ${judged.status})`);
  });
}
