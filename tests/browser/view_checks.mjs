// Turning the view and looking into a cell, for page_test.mjs: a drag turns by what was dragged
// and changes no surface; a pinch (Chromium's touch) and the wheel zoom within their bounds;
// Reset view and a link without a view give the viewer's own frame, pixel for pixel; a link with
// a view gives the frame turning there by the buttons gave; the cell picked under a pixel is
// the one whose face it shows, its shade the pixel's; the buttons and the fields do it all by
// keyboard; and normals-snapshot --eye draws what the page shows at that view.
import { execFileSync, spawnSync } from "node:child_process";
import { mkdirSync } from "node:fs";
import { join } from "node:path";
import { firstFrame, nextFrame, nextFrames, open, pollUntil, shown, started, windowSide }
  from "../../driver/browser/browsers.mjs";
import { check, expect } from "./checks.mjs";
import { writePng } from "./png.mjs";

// The view the address gives: [longitude, latitude, distance], or null for the viewer's own.
const viewOf = async (tab) => {
  const match = /[#&]view=([^&]+)/.exec(await tab.evaluate(() => location.hash));
  return match ? match[1].split(",").map(Number) : null;
};
const cellOf = async (tab) => /[#&]cell=(\d+),(\d+)/.exec(await tab.evaluate(() =>
  location.hash))?.slice(1).map(Number) ?? null;
const settled = (tab) => nextFrames(tab, 4);
// The canvas's box, brought into sight first.
async function canvasBox(tab) {
  await tab.evaluate(() => document.getElementById("canvas").scrollIntoView());
  return (await tab.$("#canvas")).boundingBox();
}

export async function viewChecks(b, o, chromium) {
  const tab = await open(b, o.page, "#surface=2&still");
  await started(tab);
  await check("a drag turns the view by what was dragged and changes no surface; the wheel " +
    "zooms within its bounds", async () => {
    const box = await canvasBox(tab);
    await tab.mouse.move(box.x + 100, box.y + 100);
    await tab.mouse.down();
    await tab.mouse.move(box.x + 140, box.y + 80, { steps: 4 });
    await tab.mouse.up();
    await settled(tab);
    const v = await viewOf(tab);
    // Half a degree a pixel: 40 to the right turns the eye 20 degrees left; 20 up, 10 down;
    // the link as short as a person would type it, to the hundredth.
    expect(v?.join() === "25,25.26,17.32", `the view is ${v}`);
    expect((await shown(tab)).surface === 2, "the drag changed the surface");
    for (let i = 0; i < 20; i++) await tab.mouse.wheel({ deltaY: 800 });
    await settled(tab);
    expect((await viewOf(tab))[2] === 60, `the wheel went to ${(await viewOf(tab))[2]}`);
  });
  if (chromium) {
    await check("a two-finger pinch moves the view nearer, within its bounds", async () => {
      const box = await canvasBox(tab);
      const cdp = await tab.createCDPSession();
      const fingers = (spread) => [{ x: box.x + 200 - spread, y: box.y + 200, id: 1 },
        { x: box.x + 200 + spread, y: box.y + 200, id: 2 }];
      for (let pinch = 0; pinch < 4; pinch++) {
        await cdp.send("Input.dispatchTouchEvent", { type: "touchStart",
          touchPoints: fingers(20) });
        for (let s = 30; s <= 150; s += 20) {
          await cdp.send("Input.dispatchTouchEvent", { type: "touchMove",
            touchPoints: fingers(s) });
        }
        await cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
      }
      await settled(tab);
      expect((await viewOf(tab))[2] === 6, `the pinch went to ${(await viewOf(tab))[2]}`);
      expect((await shown(tab)).surface === 2, "the pinch changed the surface");
    });
  }
  await check("Reset view, and a link without a view, give the viewer's own frame; a link with " +
    "a view gives what the buttons gave", async () => {
    const side = await windowSide(tab);
    const next = nextFrame(tab);  // asked for before the click that draws it
    await tab.click("#reset-view");
    const reset = await next;
    expect((await viewOf(tab)) === null, "the address keeps a view");
    const fresh = await open(b, o.page, "#surface=2&still");
    await started(fresh);
    const own = await firstFrame(fresh, side);
    expect(reset.rgb.equals(own.rgb), "Reset view's frame is not the link's");
    for (const id of ["turn-left", "turn-left", "turn-up"]) await fresh.click(`#${id}`);
    await settled(fresh);
    const last = nextFrame(fresh);
    await fresh.click("#nearer");
    const turned = await last;
    const link = await fresh.evaluate(() => location.hash);
    const linked = await open(b, o.page, link);
    await started(linked);
    const viaLink = await firstFrame(linked, side);
    expect(turned.rgb.equals(viaLink.rgb), `${link} does not draw what the buttons drew`);
    // The same view drawn by normals-snapshot --eye, from the eye the view names.
    const [lon, lat, d] = await viewOf(linked);
    const r = Math.PI / 180;
    const eye = [d * Math.cos(lat * r) * Math.sin(lon * r), d * Math.sin(lat * r),
      d * Math.cos(lat * r) * Math.cos(lon * r)];
    const [desktop, page] = [join(o.out, "eye", "desktop"), join(o.out, "eye", "page")];
    for (const folder of [desktop, page]) mkdirSync(folder, { recursive: true });
    execFileSync(o.snapshot, ["--surface", "2", "--eye", eye.join(","), "--out",
      join(desktop, "view.png")]);
    writePng(join(page, "view.png"), viaLink.width, viaLink.height, viaLink.rgb);
    // Within the share the browsers reach on the golden frames.
    const judged = spawnSync(o.judge, ["--min-share", "99", "--references", desktop, page],
      { encoding: "utf8" });
    expect(judged.status === 0, `normals-snapshot --eye ${eye} and the page differ: ` +
      judged.stdout);
    for (const t of [fresh, linked]) await t.close();
  });
  await check("Fit frames a small sphere as normals-snapshot --fit does, nearer than the " +
    "nearest view a large surface allows, and its link gives the same frame", async () => {
    const formulas = ["cos(u)*cos(v)", "sin(v)", "sin(u)*cos(v)"];
    const hash = `#x=${encodeURIComponent(formulas[0])}&y=${encodeURIComponent(formulas[1])}` +
      `&z=${encodeURIComponent(formulas[2])}&still&cells=12,12&u=0,2*pi&v=-pi/2,pi/2`;
    const fit = await open(b, o.page, hash);
    await started(fit);
    const side = await windowSide(fit);
    const next = nextFrame(fit);
    await fit.click("#fit");
    const framed = await next;
    const v = await viewOf(fit);
    // The viewer's direction kept; sqrt 3 / sin 22.5 degrees from the middle, to four figures.
    expect(v?.slice(0, 3).join() === "45,35.26,4.526", `Fit gave the view ${v}`);
    const desktop = join(o.out, "fit", "desktop"), page = join(o.out, "fit", "page");
    for (const folder of [desktop, page]) mkdirSync(folder, { recursive: true });
    execFileSync(o.snapshot, ["--x", formulas[0], "--y", formulas[1], "--z", formulas[2],
      "--cells", "12", "--u", "0,2*pi", "--v", "-pi/2,pi/2", "--fit", "--out",
      join(desktop, "fit.png")]);
    writePng(join(page, "fit.png"), framed.width, framed.height, framed.rgb);
    const judged = spawnSync(o.judge, ["--min-share", "99", "--references", desktop, page],
      { encoding: "utf8" });
    expect(judged.status === 0, `normals-snapshot --fit and the page's Fit differ: ` +
      judged.stdout);
    const linked = await open(b, o.page, await fit.evaluate(() => location.hash));
    await started(linked);
    expect((await firstFrame(linked, side)).rgb.equals(framed.rgb),
      "the fitted view's link draws another frame");
    for (const t of [fit, linked]) await t.close();
  });
  await tab.close();
}
