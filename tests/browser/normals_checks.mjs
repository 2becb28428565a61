// The facet normal and shading chosen in the page, for page_test.mjs: each choice reaches the
// link and the picture (smooth and exact light the sphere otherwise than flat, the diagonals
// turn the red lines), and going back to flat corner normals gives today's frame pixel for pixel.
import { firstFrame, nextFrame, open, pollUntil, started, windowSide }
  from "../../driver/browser/browsers.mjs";
import { check, expect } from "./checks.mjs";

const same = (a, b) => a.width === b.width && Buffer.compare(a.rgb, b.rgb) === 0;

export async function normalsChecks(b, o) {
  const tab = await open(b, o.page, "#surface=5&still");
  await started(tab);
  await check("the facet normal and shading reach the link and the picture", async () => {
    const side = await windowSide(tab);
    const today = await firstFrame(tab, side);
    // A radio chosen as a person does; the address and the frame it draws follow it. The
    // page at rest draws only when something changes: the frame is asked for before the click.
    const choose = async (id, link) => {
      const drawn = nextFrame(tab);
      await tab.click(`#${id}`);
      await pollUntil(`${link} in the address`, () =>
        tab.evaluate(() => location.hash).then((h) => h === link));
      return drawn;
    };
    const smooth = await choose("shading-smooth", "#surface=5&still&shading=smooth");
    expect(!same(smooth, today), "smooth shading draws the flat frame");
    const exact = await choose("shading-exact", "#surface=5&still&shading=exact");
    expect(!same(exact, today) && !same(exact, smooth), "exact shading draws another's frame");
    const diagonals = await choose("facet-diagonals",
      "#surface=5&still&facet=diagonals&shading=exact");
    expect(!same(diagonals, exact), "the diagonals' red lines are the corner normals'");
    await choose("shading-flat", "#surface=5&still&facet=diagonals");
    const back = await choose("facet-corner", "#surface=5&still");
    expect(same(back, today), "flat corner normals are not today's frame");
  });
  await tab.close();
}
