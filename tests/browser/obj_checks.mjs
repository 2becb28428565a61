// The page's "Download .obj" and "Download .stl", for browser_test.mjs: the file it offers for
// the picture shown, at rest and moving, is the one normals-snapshot writes for the same surface
// and phase.
// Where a surface takes a sine or a cosine the two may part in the last bit: the page's C++
// runs on emscripten's C library, whose sin and cos round a few arguments in a hundred the
// other way from the desktop's glibc (at most 1.4e-15 apart on the six surfaces at rest). So
// the files must have the same lines, word for word, but for numbers that close.
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { downloads, nextFrames, open, started } from "../../driver/browser/browsers.mjs";
import { check, expect } from "./checks.mjs";

const kLibraryApart = 1e-14;

// The lines of two OBJ texts that differ only in numbers within kLibraryApart; throws at a line
// that differs otherwise.
function partedLines(page, desktop) {
  const a = page.split("\n"), b = desktop.split("\n");
  expect(a.length === b.length, `the page's file has ${a.length} lines, normals-snapshot's ` +
    `${b.length}`);
  const parted = [];
  a.forEach((line, i) => {
    if (line === b[i]) return;
    const x = line.split(" "), y = b[i].split(" ");
    const near = x.length === y.length && x[0] === y[0] && x.every((word, k) => k === 0 ||
      Math.abs(Number(word) - Number(y[k])) <= kLibraryApart);
    expect(near, `line ${i + 1} is "${line}" in the page's file, "${b[i]}" in ` +
      `normals-snapshot's`);
    parted.push(line);
  });
  return parted;
}

export async function objChecks(b, page, snapshot) {
  await check("Download .obj offers the cells of the picture shown, as normals-snapshot " +
    "--obj writes them for the same surface and phase", async () => {
    const scratch = mkdtempSync(join(tmpdir(), "normals-obj-"));
    try {
      for (const [link, surface] of [["#surface=0&still", 0], ["#surface=2&still", 2],
        ["#surface=3", 3]]) {
        const tab = await open(b, page, link);
        await started(tab);
        await nextFrames(tab, 3);
        await tab.click("#obj");
        const [file] = await downloads(tab);
        await tab.close();
        expect(file?.name === `surface-${surface}.obj`, `${link}: offered ${file?.name}`);
        const phase = /^# phase: ([0-9.e-]+), the animation on$/m.exec(file.text);
        expect(link.endsWith("&still") === !phase, `${link}: the file says ${
          file.text.split("\n")[2]}`);
        const out = join(scratch, `${surface}.obj`);
        execFileSync(snapshot, ["--obj", "--surface", String(surface),
          ...(phase ? ["--phase", phase[1]] : ["--at-rest"]), "--out", out]);
        const parted = partedLines(file.text, readFileSync(out, "utf8"));
        console.log(`${link}: ${parted.length} lines part in the last bits`);
        expect(surface !== 0 || parted.length === 0, `${link}: with no sine, ${parted[0]}`);
      }
    } finally {
      rmSync(scratch, { recursive: true, force: true });
    }
  });
}

export async function stlChecks(b, page, snapshot) {
  await check("Download .stl offers the bytes normals-snapshot --stl writes for the picture " +
    "shown", async () => {
    const scratch = mkdtempSync(join(tmpdir(), "normals-stl-"));
    try {
      // The flat sheet takes no sine: the same floats, byte for byte.
      const tab = await open(b, page, "#surface=0&still");
      await started(tab);
      await nextFrames(tab, 3);
      await tab.click("#stl");
      const [file] = await downloads(tab);
      await tab.close();
      expect(file?.name === "surface-0.stl", `offered ${file?.name}`);
      const out = join(scratch, "surface-0.stl");
      execFileSync(snapshot, ["--stl", "--surface", "0", "--at-rest", "--out", out]);
      const want = readFileSync(out), got = Buffer.from(file.base64, "base64");
      expect(Buffer.compare(got, want) === 0, `the page's file has ${got.length} bytes, ` +
        `normals-snapshot's ${want.length}, and they differ`);
    } finally {
      rmSync(scratch, { recursive: true, force: true });
    }
  });
}
