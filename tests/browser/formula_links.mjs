// Links to a surface of one's own in the browser, for browser_test.mjs: a link opens the
// surface, encoded or typed by hand; cells not defined are counted; and hostile links, a
// megabyte of address among them, get a message within a second.
import { open, pollUntil, shown, started } from "../../driver/browser/browsers.mjs";
import { check, expect } from "./checks.mjs";
import { typeAndShow } from "./formula_checks.mjs";

export async function formulaLinks(b, page) {
  await check("a link to a surface of one's own opens it, encoded or typed by hand, its " +
    "pluses kept", async () => {
    const typed = await open(b, page, "#surface=0&still");
    await started(typed);
    await typeAndShow(typed, ["u+t", "u*v*4", "v*3"]);
    const link = await typed.evaluate(() => location.hash);
    await typed.close();
    for (const hash of [link, "#x=u+t&y=u*v*4&z=v*3&still", "#x=u%2Bt&y=u*v*4&z=v*3&still"]) {
      const t = await open(b, page, hash);
      await started(t);
      const s = await shown(t);
      expect(s.caption === "X=u+t, Y=u*v*4, Z=v*3" && !s.animate, `${hash}: ${s.caption}`);
      await t.close();
    }
  });
  await check("cells not defined are counted, and hostile links get a message within a second",
    async () => {
      const t = await open(b, page, "#surface=0&still");
      await started(t);
      for (const [hash, said] of [
        ["#x=u*5&y=log(u)&z=v*5", "231 of 441 cells are undefined and not drawn."],
        [`#x=${"(".repeat(100000)}u&y=0&z=v`, "X: the formula is longer than 256 characters"],
        [`#x=u&y=${"9".repeat(1 << 20)}&z=v`, "Y: the formula is longer than 256 characters"],
        [`#x=${"(".repeat(127)}u${")".repeat(127)}&y=0&z=v`, ""],
        ["#x=exp(1000)&y=0&z=v", "441 of 441 cells are undefined and not drawn."],
      ]) {
        // Followed as the page follows a link within it: the time the page takes to say so,
        // from the moment the browser hands it the new address (a browser may take a second
        // with a megabyte of address before it does). What is left out is counted as the
        // frame is drawn, so an accepted surface is read two frames after it is named.
        const { text, ms, refused } = await t.evaluate((h) => new Promise((done) => {
          let start = performance.now(), frames = 0, named = -1;
          addEventListener("hashchange", () => { start = performance.now(); }, { once: true });
          try {
            location.hash = h;
          } catch {
            done({ refused: true }); // a link the browser itself will not take (Firefox: 1 MB)
            return;
          }
          const said = () => document.getElementById("left-out").textContent +
            document.getElementById("formula-message").textContent;
          setTimeout(() => done({ text: `nothing said in 5 s: "${said()}"`, ms: 5000 }), 5000);
          const look = () => requestAnimationFrame(() => {
            const text = said(), ms = performance.now() - start;
            frames += 1;
            if (named < 0 && document.getElementById("canvas").getAttribute("aria-label")
              .startsWith("Your")) named = frames;
            if (text || (named >= 0 && frames - named >= 2)) done({ text, ms });
            else look();
          });
          look();
        }), hash);
        if (refused) {
          console.log(`${hash.slice(0, 30)}...: ${hash.length} characters, refused by the browser`);
          expect(hash.length > 1e6 && (await shown(t)).surface === 0, "a link refused");
        } else {
          expect(text === said, `${hash.slice(0, 30)}: "${text}"`);
          expect(ms < 1000, `${hash.slice(0, 30)}: ${ms} ms`);
          console.log(`${hash.slice(0, 30)}...: said in ${ms.toFixed(0)} ms`);
        }
        await t.evaluate(() => { location.hash = "#surface=0&still"; });
        await pollUntil("the first surface, nothing said", async () =>
          (await shown(t)).surface === 0 && await t.evaluate(() =>
            document.getElementById("left-out").textContent +
            document.getElementById("formula-message").textContent === ""));
      }
      await t.close();
    });
}
