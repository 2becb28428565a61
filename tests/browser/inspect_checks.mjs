// Looking into cells by pointer and by keyboard, for page_test.mjs: under sample pixels of the
// page's own frame that show a cell's face, the cell looked into is the one that pixel shows,
// its 8-bit shade the pixel's; the row and column fields look into a cell and keep their keys;
// the view's buttons turn and zoom from the keyboard; and the link keeps the cell.
import { execFileSync } from "node:child_process";
import { join } from "node:path";
import { firstFrame, framesDrawn, nextFrames, open, pollUntil, shown, started, windowSide }
  from "../../driver/browser/browsers.mjs";
import { check, expect } from "./checks.mjs";

const settled = (tab) => nextFrames(tab, 4);
const level = (tab) => tab.evaluate(() => {
  const text = document.getElementById("cell-panel").textContent;
  const match = /in the picture (\d+) of 255/.exec(text);
  return match ? Number(match[1]) : -1;
});

export async function inspectChecks(b, o) {
  const tab = await open(b, o.page, "#surface=2&still&inspect");
  await started(tab);
  await check("the cell looked into under a pixel of a face has that pixel's shade", async () => {
    const side = await windowSide(tab);
    const frame = await firstFrame(tab, side);
    await tab.evaluate(() => document.getElementById("canvas").scrollIntoView());
    const box = await (await tab.$("#canvas")).boundingBox();
    const at = (x, y) => frame.rgb[3 * (y * frame.width + x)];
    let looked = 0;
    for (let y = 40; y < side - 40 && looked < 12; y += 23) {
      for (let x = 40; x < side - 40 && looked < 12; x += 31) {
        // A face's inside: grey, lit brighter than any line, the same all around.
        const v = at(x, y);
        let uniform = v > 128 && frame.rgb[3 * (y * frame.width + x) + 2] === v;
        for (let dy = -2; dy <= 2; dy++) {
          for (let dx = -2; dx <= 2; dx++) uniform = uniform && at(x + dx, y + dy) === v;
        }
        if (!uniform) continue;
        await tab.mouse.move(box.x + x + 0.5, box.y + y + 0.5);
        await settled(tab);
        expect(await level(tab) === v, `at ${x},${y} the pixel is ${v}, the panel says ` +
          `${await level(tab)}`);
        looked++;
      }
    }
    expect(looked >= 8, `only ${looked} face pixels were looked into`);
  });
  await check("with cells looked into, a click on a cell looks into it and the surface stays; " +
    "a click off the surface shows the next", async () => {
    const box = await (await tab.$("#canvas")).boundingBox();
    const panelRow = () => tab.evaluate(() =>
      /^Row \d+, column \d+/.exec(document.getElementById("cell-panel").innerText)?.[0]);
    // The middle of the picture is on the rippled sheet.
    await tab.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
    await settled(tab);
    const hovered = await panelRow();
    await tab.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
    await settled(tab);
    expect((await shown(tab)).surface === 2, "the click changed the surface");
    expect(hovered && await panelRow() === hovered, `the click looks into ${await panelRow()}, ` +
      `the pointer was on ${hovered}`);
    const other = await open(b, o.page, "#surface=2&still&inspect");
    await started(other);
    const at = await (await other.$("#canvas")).boundingBox();
    await other.mouse.click(at.x + 4, at.y + at.height - 4);
    await pollUntil("the next surface", async () => (await shown(other)).surface === 3);
    await other.close();
  });
  await check("by keyboard: the row and column fields look into a cell and keep their keys; " +
    "the view's buttons turn and zoom", async () => {
    const before = (await shown(tab)).surface;
    for (const [field, value] of [["#cell-row", "3"], ["#cell-column", "14"]]) {
      await tab.focus(field);
      await tab.keyboard.down("Control");
      await tab.keyboard.press("KeyA");
      await tab.keyboard.up("Control");
      await tab.keyboard.type(value);
    }
    await settled(tab);
    const hash = await tab.evaluate(() => location.hash);
    expect(/&inspect&cell=3,14$/.test(hash), `the address is ${hash}`);
    expect(/^Row 3, column 14:/.test(await tab.evaluate(() =>
      document.getElementById("cell-panel").textContent)), "the panel does not follow");
    expect((await shown(tab)).surface === before, "typing in the fields changed the surface");
    for (const id of ["turn-right", "turn-down", "further"]) {
      await tab.focus(`#${id}`);
      await tab.keyboard.press("Enter");
    }
    await settled(tab);
    const view = /&view=([^&]+)/.exec(await tab.evaluate(() => location.hash))?.[1];
    // From the viewer's own eye, (10, 10, 10), at 35.26 degrees and 17.32 units to the
    // hundredth: 15 degrees right, 15 down, 1.25 times as far.
    expect(view === "30,20.26,21.65", `the view is ${view}`);
  });
  const link = await tab.evaluate(() => location.hash);
  const panel = (t) => t.evaluate(() => document.getElementById("cell-panel").textContent);
  const numbers = await panel(tab);
  await tab.close();
  await check("a link keeps the view and the cell looked into, and shows its numbers", async () => {
    const again = await open(b, o.page, link);
    await started(again);
    await settled(again);
    expect(await again.evaluate(() => location.hash) === link, "the link was not kept");
    expect(await panel(again) === numbers, `the link shows "${(await panel(again))
      .slice(0, 120)}", where it was "${numbers.slice(0, 120)}"`);
    expect(await again.evaluate(() => document.getElementById("inspect")
      .getAttribute("aria-pressed")) === "true", "the switch is off");
    await again.close();
  });
  await check("a link's grid, ranges (one typed as 2*pi) and constant come back in the address " +
    "as they went, and " +
    "the page's figure of facet against own normals is normals-snapshot's", async () => {
    const tau = "6.283185307179586";
    const link = "#x=(R%2Bcos(v))*cos(u)&y=sin(v)&z=(R%2Bcos(v))*sin(u)&still&R=2" +
      `&cells=10,12&u=0,2*pi&v=0,${tau}`;
    const tab = await open(b, o.page, link);
    await started(tab);
    await settled(tab);
    const hash = await tab.evaluate(() => location.hash);
    expect(hash === link, `the address is ${hash}`);
    const said = execFileSync(o.snapshot, ["--x", "(R+cos(v))*cos(u)", "--y", "sin(v)", "--z",
      "(R+cos(v))*sin(u)", "--set", "R=2", "--cells", "10,12", "--u", "0,2*pi", "--v",
      `0,${tau}`, "--convergence", "--obj", "--out", join(o.out, "torus.obj")],
    { encoding: "utf8" });
    // What is rendered, row by row: each kind's largest and mean as normals-snapshot says them.
    const rows = await tab.evaluate(() => [...document.querySelectorAll("#convergence tr")]
      .map((tr) => tr.innerText));
    for (const kind of ["corner", "diagonals", "vertex"]) {
      const m = new RegExp(`${kind}: largest ([0-9.]+°), mean ([0-9.]+°) ` +
        "over (\\d+ (?:cells|points))").exec(said);
      const row = rows.find((r) => r.startsWith(kind)) ?? "";
      expect(m && [m[1], m[2], m[3]].every((x) => row.includes(x)),
        `the page's ${kind} row says "${row}", normals-snapshot "${said}"`);
    }
    // The worst cell, one press away: the inspector opens on the cell the tool names.
    const worst = /corner: .*worst in row (\d+), column (\d+)/.exec(said);
    await tab.click("#worst-cell");
    await pollUntil("the inspector on the worst cell", () => tab.evaluate(() =>
      [document.getElementById("cell-row").value, document.getElementById("cell-column").value]
        .join()).then((at) => at === `${worst[1]},${worst[2]}`));
    await tab.close();
    // The finest grid, moving, frame after frame.
    const fine = await open(b, o.page, "#surface=2&cells=100,100");
    await started(fine);
    const before = await framesDrawn(fine);
    await pollUntil("frames of 100 x 100 cells", async () => (await framesDrawn(fine)) > before + 2);
    expect(await fine.evaluate(() => document.getElementById("status").textContent) === "",
      "the viewer stopped");
    await fine.close();
  });
  await check("at rest the panel stays as it is, frame after frame; a right click is the " +
    "browser's", async () => {
    const tab = await open(b, o.page, "#surface=2&still&inspect&cell=3,4");
    await started(tab);
    await settled(tab);
    const changes = await tab.evaluate(() => new Promise((done) => {
      let n = 0;
      new MutationObserver((records) => { n += records.length; })
        .observe(document.getElementById("cell-panel"), { childList: true, subtree: true,
          characterData: true });
      let frames = 0;
      const count = () => (++frames < 30 ? requestAnimationFrame(count) : done(n));
      requestAnimationFrame(count);
    }));
    expect(changes === 0, `the panel changed ${changes} times at rest`);
    const box = await (await tab.$("#canvas")).boundingBox();
    await tab.mouse.click(box.x + 50, box.y + 50, { button: "right" });
    await settled(tab);
    expect((await shown(tab)).surface === 2, "a right click changed the surface");
    await tab.close();
  });
  await check("the panel gives normals-snapshot --inspect's numbers for the same cell, N and " +
    "the angle among them", async () => {
    const tab = await open(b, o.page, "#surface=3&still&inspect&cell=10,3&normals=both");
    await started(tab);
    await settled(tab);
    const text = await panel(tab);
    await tab.close();
    const want = JSON.parse(execFileSync(o.snapshot, ["--surface", "3", "--inspect", "10,3",
      "--normals", "both", "--out", join(o.out, "inspected.png")],
      { encoding: "utf8", stdio: ["ignore", "pipe", "inherit"] }));
    const read = (pattern) => pattern.exec(text)?.slice(1).map(Number);
    const close = (got, expected) => got?.length === expected.length &&
      got.every((x, k) => Math.abs(x - expected[k]) < 1.5e-4);
    const v = String.raw`\((-?[\d.]+), (-?[\d.]+), (-?[\d.]+)\)`;
    for (const [name, pattern, expected] of [
      ["r_u", new RegExp(`r_u = ${v}`), want.ru],
      ["N", new RegExp(`N \\(cyan\\) = normalise\\(r_u × r_v\\) = ${v}`), want.trueNormal],
      ["n", new RegExp(`normalise\\(e2 × e1\\) = ${v}`), want.facetNormal],
      ["the angle", /Angle between n and N: ([\d.]+)°/, [want.angleDegrees]],
      ["the level", /in the picture (\d+) of 255/, [want.level]]]) {
      expect(close(read(pattern), expected), `${name}: the panel says ` +
        `${read(pattern)}, normals-snapshot ${expected}`);
    }
  });
}
