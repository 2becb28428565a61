// The page's pure modules, in Node.js: the address read and written, the fields' refusals, the
// panel's numbers and a formula as the viewer is handed it (presses: presses.test.mjs). What
// only a browser shows is in tests/browser.
import { test } from "node:test";
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { linked, linkTo } from "../../web/page/js/address.mjs";
import { fixed, typedCell } from "../../web/page/js/inspector.mjs";
import { boundsRefusal, constantRefusal } from "../../web/page/js/constants.mjs";
import { asCString } from "../../web/page/js/viewer.mjs";
import { exampleLinks } from "../../web/page/js/examples.mjs";

// The viewer's facts as its normalsFacts gives them, the link's own names read from the header
// the viewer's formulas take them from.
const header = readFileSync(new URL("../../src/formula/formula_surface.h", import.meta.url),
  "utf8");
const linkNames = ["u", "v", ...header.match(/kLinkNames\[\] = \{([^}]*)\}/)[1]
  .match(/"[^"]*"/g).map((name) => JSON.parse(name))];
const facts = { surfaceCount: 6, formulaLimit: 256, viewersCells: 21, linkNames };
const link = (hash) => linked(hash, facts);

test("a link's cell is a row and a column of the grid, or none", () => {
  for (const [hash, cell] of [["#surface=2&inspect&cell=3,20", [3, 20]],
    ["#surface=2&inspect&cell=0,0", [0, 0]], ["#surface=2&inspect&cell=3,21", null],
    ["#surface=2&inspect&cell=21,0", null], ["#surface=2&inspect&cell=-1,4", null],
    ["#surface=2&inspect&cell=2.5,4", null], ["#surface=2&inspect&cell=3", null]]) {
    assert.deepEqual(link(hash).cell, cell, hash);
  }
});

test("what is shown is linked and read back as it was", () => {
  const shown = { own: true, formulas: ["u+v", "sin(u)*2", "v^2"], moving: false };
  for (const look of [
    { view: { viewers: true }, inspecting: false, cell: null, look: [0, 0, 0] },
    { view: { viewers: false, longitude: 25, latitude: 25.26, distance: 17.32 },
      inspecting: true, cell: [4, 19], look: [2, 1, 2] },
    { view: { viewers: true }, inspecting: false, cell: null, look: [1, 0, 1] },
    { view: { viewers: false, longitude: 45, latitude: 35.26, distance: 2.261,
      centre: [5.5, -0.001, 0] }, inspecting: false, cell: null, look: [0, 0,
    0] }]) {
    const hash = linkTo(shown, false, look);
    const back = link(hash);
    assert.deepEqual(back.formulas, shown.formulas, hash);
    assert.equal(back.still, true);
    assert.deepEqual(back.view, look.view.viewers ? null :
      [look.view.longitude, look.view.latitude, look.view.distance, ...look.view.centre ?? []]);
    assert.deepEqual(back.cell, look.cell);
    assert.deepEqual(back.look, look.look, hash);
  }
  assert.match(linkTo({ surface: 0 }, false, { view: { viewers: true }, look: [0, 1,
    2] }), /^#surface=0&still&facet=diagonals&shading=exact$/);
  assert.equal(link("#surface=1&normals=surface").look[0], 1);
  assert.equal(link("#surface=1&normals=sideways").look[0], 0);
  assert.match(linkTo({ surface: 3, moving: true }, false, { view: { viewers: false,
    longitude: -15, latitude: 20.26, distance: 21.65 } }), /&view=-15,20.26,21.65$/);
});

test("a field's value is taken whole, or refused with a message naming it", () => {
  // A grid of 20 rows and 7 columns: row 25 is refused, not read as its first keystroke.
  for (const [row, column, want] of [
    ["19", "6", { cell: [19, 6] }], ["0", "0", { cell: [0, 0] }],
    ["25", "3", { refusal: "Row 25: a whole number from 0 to 19" }],
    ["-3", "3", { refusal: "Row -3: a whole number from 0 to 19" }],
    ["2", "7", { refusal: "Column 7: a whole number from 0 to 6" }],
    ["2.5", "1", { refusal: "Row 2.5: a whole number from 0 to 19" }],
    ["", "1", { refusal: "Row (empty): a whole number from 0 to 19" }]]) {
    assert.deepEqual(typedCell(row, column, 20, 7), want, `${row}, ${column}`);
  }
  for (const [refusal, want] of [
    [constantRefusal("R", "2.5"), ""], [constantRefusal("R", "-1"), ""],
    [constantRefusal("R", ""), "R: a number"], [constantRefusal("R", "Infinity"), "R: a number"],
    [boundsRefusal("R", "-5", "5"), ""], [boundsRefusal("R", "0.5", "0.75"), ""],
    [boundsRefusal("R", "3", "2"), "R's slider from 3 to 2: its first end must be the lower"],
    [boundsRefusal("R", "2", "2"), "R's slider from 2 to 2: its first end must be the lower"],
    [boundsRefusal("R", "", "2"), "R's slider: both ends numbers"]]) {
    assert.equal(refusal, want);
  }
});

const viewTakes = "three numbers: longitude, latitude and distance, then three more for the " +
  "point looked at where it is not the origin";

test("a link's value is taken whole, or refused with a message naming it", () => {
  for (const [hash, refused] of [
    ["#surface=5&still&view=25,25.26,17.32&inspect&cell=3,20&normals=both&facet=diagonals" +
      "&shading=smooth&large", []],
    ["#surface=99", ["surface=99: a surface from 0 to 5"]],
    ["#surface=two", ["surface=two: a surface from 0 to 5"]],
    ["#surface=", ["surface=: a surface from 0 to 5"]],
    ["#surface=1&view=1,,3", [`view=1,,3: ${viewTakes}`]],
    ["#surface=1&view=1,2", [`view=1,2: ${viewTakes}`]],
    ["#surface=1&inspect&cell=,", ["cell=,: a row from 0 to 20 and a column from 0 to 20"]],
    ["#surface=1&inspect&cell=25,3", ["cell=25,3: a row from 0 to 20 and a column from 0 to 20"]],
    ["#surface=1&cells=4,30&inspect&cell=4,0", ["cell=4,0: a row from 0 to 3 and a column " +
      "from 0 to 29"]],
    ["#x=u&y=v&z=R&R", ["R=: a constant's value, a finite number"]],
    ["#x=u&y=v&z=R&R=1e999", ["R=1e999: a constant's value, a finite number"]],
    ["#surface=1&normals=sideways", ["normals=sideways: facet, surface, both"]],
    ["#surface=1&facet=edges&shading=phong", ["facet=edges: corner, diagonals",
      "shading=phong: flat, smooth, exact"]]]) {
    const link = linked(hash, facts);
    assert.deepEqual(link.refused, refused, hash);
  }
  // A refused value is left at its default, never corrected into another.
  assert.equal(link("#surface=99").surface, 0);
  assert.equal(link("#surface=1&inspect&cell=25,3").cell, null);
  assert.deepEqual(link("#x=u&y=v&z=R&R").constants, {});
});

test("a link's grid, ranges, constants and cell are read as they were written", () => {
  const own = { own: true, formulas: ["R*u", "v", "r"], moving: false };
  for (const grid of [{ viewers: false, rows: 5, columns: 30, ranges: [0, 6.283185307179586, -1, 1],
    texts: ["0", "2*pi", "-1", "1"] }, { viewers: false, rows: 100, columns: 3, ranges: null,
    texts: null }]) {
    const hash = linkTo(own, false, { view: { viewers: true }, inspecting: true, cell: [4, 25],
      look: [0, 0, 0], grid, constants: [{ name: "R", value: 2 },
        { name: "r", value: -0.5 }] });
    const back = linked(hash, facts);
    assert.deepEqual(back.cells, [grid.rows, grid.columns], hash);
    assert.deepEqual(back.ranges, grid.texts ? [["0", "2*pi"], ["-1", "1"]] : null, hash);
    assert.deepEqual(back.constants, { R: 2, r: -0.5 }, hash);
    // Row 4, column 25 of a grid 30 columns wide (or refused on one 3 wide), not of 21.
    assert.deepEqual(back.cell, grid.columns > 25 ? [4, 25] : null, hash);
  }
  assert.deepEqual(link("#surface=1&cells=7").cells, [7, 7]);
  assert.deepEqual(link("#surface=1&cells=7,2").cells, [7, 2]);
});

test("the examples' links open what they say: their grids, ranges and constants", () => {
  const links = new Map(exampleLinks([0, 1, 2, 3, 4, 5].map((k) => `caption ${k}`), linkTo).map(([text, hash]) =>
    [text.split(":")[0], linked(hash, facts)]));
  assert.equal(links.get("Surface 3").surface, 3);
  const torus = links.get("A torus"), strip = links.get("A Möbius strip");
  assert.deepEqual(torus.constants, { R: 2 });
  assert.deepEqual(torus.cells, [24, 24]);
  assert.deepEqual(strip.constants, { R: 2 });
  assert.deepEqual(strip.cells, [36, 6]);
  assert.deepEqual(strip.ranges.map((r) => r.map(Number)), [[0, 2 * Math.PI], [-0.8, 0.8]]);
  for (const [text, link] of links) assert.deepEqual(link.refused, [], text);
});

test("the panel's numbers: four decimals, no minus sign on zero, undefined for null", () => {
  for (const [x, text] of [[1 / 3, "0.3333"], [-0.00004, "0.0000"], [-0.00005, "0.0000"],
    [-0.00006, "-0.0001"], [-0, "0.0000"], [2.5, "2.5000"], [null, "undefined"]]) {
    assert.equal(fixed(x), text, String(x));
  }
});

test("a formula handed to the viewer: a NUL is refused as a control character, not an end", () => {
  assert.equal(asCString("u\0+v", 256), "u\x01+v");
  assert.equal(asCString("x".repeat(300), 256).length, 257);
});
