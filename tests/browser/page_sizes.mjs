// The page at other sizes, for page_test.mjs: a screen 320 pixels wide (Chromium, which can be
// made one), and a screen of twice the pixels, whose frames averaged 2 x 2 are judged against
// the golden references with the least share `o["min-share-at-2"]`.
import { execFileSync, spawnSync } from "node:child_process";
import { mkdirSync } from "node:fs";
import { dirname, join } from "node:path";
import { frameAt, open, pollUntil, started } from "../../driver/browser/browsers.mjs";
import { check, expect } from "./checks.mjs";
import { writePng } from "./png.mjs";

export async function narrow(b, o) {
  const tab = await open(b, o.page, "", { viewport: { width: 320, height: 640 } });
  await started(tab);
  await check("at 320 px the page does not scroll sideways and the picture is whole", async () => {
    await pollUntil("the canvas to follow the width", () => tab.evaluate(() =>
      canvas.width < 320));
    const fit = await tab.evaluate(() => {
      const box = canvas.getBoundingClientRect();
      return { scroll: document.documentElement.scrollWidth, inner: innerWidth,
        left: box.left, right: box.right, bottom: box.bottom, width: box.width,
        height: box.height, innerHeight };
    });
    expect(fit.scroll <= fit.inner && fit.left >= 0 && fit.right <= fit.inner &&
      fit.bottom <= fit.innerHeight && fit.width === fit.height, JSON.stringify(fit));
  });
  await tab.close();
}

export async function twice(b, o, chromium) {
  const tab = await open(b, o.page, "", chromium ?
    { viewport: { width: 800, height: 900, deviceScaleFactor: 2 } } : {});
  await started(tab);
  await check("at ratio 2 the picture has 800 x 800 pixels and, averaged 2 x 2, is the " +
    "golden frame's", async () => {
    await pollUntil("800 x 800 pixels", () => tab.evaluate(() => canvas.width === 800 &&
      canvas.height === 800));
    const folder = join(o.out, "ratio-2");
    const cases = execFileSync(o.judge, ["--list"], { encoding: "utf8" }).trim().split("\n")
      .map((line) => line.split(" "));
    for (const [file, s, animate, phase] of cases) {
      const frame = await frameAt(tab, Number(s), Number(animate), Number(phase));
      const half = Buffer.alloc(400 * 400 * 3);
      for (let y = 0; y < 400; y++) {
        for (let x = 0; x < 400; x++) {
          for (let k = 0; k < 3; k++) {
            const at = (yy, xx) => frame.rgb[3 * (yy * 800 + xx) + k];
            half[3 * (y * 400 + x) + k] = Math.round((at(2 * y, 2 * x) + at(2 * y, 2 * x + 1) +
              at(2 * y + 1, 2 * x) + at(2 * y + 1, 2 * x + 1)) / 4);
          }
        }
      }
      mkdirSync(dirname(join(folder, file)), { recursive: true });
      writePng(join(folder, file), 400, 400, half);
    }
    const judged = spawnSync(o.judge, ["--min-share", o["min-share-at-2"], folder],
      { encoding: "utf8" });
    process.stdout.write(judged.stdout + judged.stderr);
    expect(judged.status === 0, `${o.judge} failed them (status ${judged.status})`);
  });
  await tab.close();
}

