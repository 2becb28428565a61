// What is shown, written in the address's fragment and read back from it: `#surface=K`, or
// `#x=...&y=...&z=...` for a surface of one's own, with `&still` when the animation is off,
// `&view=LONGITUDE,LATITUDE,DISTANCE` for a view turned, `&inspect` while cells are looked into,
// `&cell=ROW,COLUMN` for the one looked into, `&normals=surface` or `&normals=both` for the
// normal lines other than the facet normals, `&facet=diagonals` for the diagonals' normal,
// `&shading=smooth` or `&shading=exact` for faces lit at their corners, `&large` for the larger
// picture, `&cells=NU,NV`
// for another grid, `&u=A,B&v=C,D` for one's own surface's ranges and `&NAME=VALUE` for each of
// its constants.
// Values are percent-decoded, never form-decoded: a plus stays a plus, and a formula typed
// into a link by hand, unencoded, reads as typed.

// The fragment's names and values, in order; a name without `=` has the value "". A value over
// `longest` characters is left as it is: no decoding would make it short enough to be taken.
function fragmentParts(hash, longest = Infinity) {
  const parts = new Map();
  for (const part of hash.replace(/^#/, "").split("&")) {
    if (part === "") continue;
    const at = part.indexOf("=");
    const name = at < 0 ? part : part.slice(0, at);
    const value = at < 0 ? "" : part.slice(at + 1);
    let decoded = value;
    try {
      if (value.length <= longest) decoded = decodeURIComponent(value);
    } catch {
      // A lone % typed by hand: the text as it stands.
    }
    parts.set(name, decoded);
  }
  return parts;
}

// What a link asks for: the surface (0 unless it names one there is), or the formulas of one's
// own (all three given, each of at most `formulaLimit` characters once decoded), and whether it
// is still; the view, the grid's cells ([along u, along v], or null for the viewer's), the
// ranges of one's own surface as typed ([[u from, u to] or null, [v from, v to] or null], or
// null), its
// constants ({name: value}), the cell looked into (a row and a column within the link's grid,
// or null), the look (the normal lines, facet normal and shading), and whether the picture is
// the larger one. A value given that is not what its name takes is refused: left at its default
// and said in `refused`, one line each naming it. The grid's numbers are passed on as they are
// (NaN for what is not a number), for the viewer to say what it takes. `facts` are the viewer's
// (its normalsFacts): how many surfaces it has, the longest formula, its own grid's cells along
// each parameter, and the names a link keeps for itself.
export function linked(hash, facts) {
  const { surfaceCount, formulaLimit, viewersCells, linkNames } = facts;
  // Three characters of the address for each of a formula's, percent-encoded.
  const parts = fragmentParts(hash, 3 * (formulaLimit + 1));
  const refused = [];
  const refuse = (name, takes) => refused.push(`${name}=${parts.get(name)}: ${takes}`);
  const said = parts.get("surface");
  const surface = /^\d+$/.test(said ?? "") && Number(said) < surfaceCount ? Number(said) : 0;
  if (said !== undefined && String(surface) !== said.replace(/^0+(?=\d)/, "")) {
    refuse("surface", `a surface from 0 to ${surfaceCount - 1}`);
  }
  const formulas = ["x", "y", "z"].map((name) => parts.get(name));
  const numbers = (name, counts, takes) => {
    if (!parts.has(name)) return null;
    const n = parts.get(name).split(",").map((w) => (w.trim() === "" ? NaN : Number(w)));
    if (counts.includes(n.length) && n.every(Number.isFinite)) return n;
    refuse(name, takes);
    return null;
  };
  const given = (name, counts) => {
    if (!parts.has(name)) return null;
    const n = parts.get(name).split(",").map((w) => (w.trim() === "" ? NaN : Number(w)));
    return counts.includes(n.length) ? n : [NaN, NaN];
  };
  const cells = given("cells", [1, 2])?.map((n, k, all) => all[Math.min(k, all.length - 1)]);
  const grid = cells?.length === 1 ? [cells[0], cells[0]] : cells;
  // A range's ends as typed (`2*pi`), for the viewer to evaluate and say what it takes.
  const typed = (name) => {
    if (!parts.has(name)) return null;
    const ends = parts.get(name).split(",");
    return ends.length === 2 ? ends : ["", ""];
  };
  const u = typed("u"), v = typed("v");
  const constants = {};
  for (const [name, value] of parts) {
    if (linkNames.includes(name) || !/^[A-Za-z_]\w*$/.test(name)) continue;
    if (value.trim() !== "" && Number.isFinite(Number(value))) {
      constants[name] = Number(value);
    } else {
      refuse(name, "a constant's value, a finite number");
    }
  }
  const [rows, columns] = grid ?? [viewersCells, viewersCells];
  const view = numbers("view", [3, 6], "three numbers: longitude, latitude and distance, " +
    "then three more for the point looked at where it is not the origin");
  const cellTakes = `a row from 0 to ${rows - 1} and a column from 0 to ${columns - 1}`;
  let cell = numbers("cell", [2], cellTakes);
  if (cell && !(cell.every(Number.isInteger) && cell[0] >= 0 && cell[0] < rows && cell[1] >= 0 &&
      cell[1] < columns)) {
    refuse("cell", cellTakes);
    cell = null;
  }
  const choice = (name, names) => {
    const k = names.indexOf(parts.get(name));
    if (parts.has(name) && k < 0) refuse(name, names.join(", "));
    return Math.max(0, k);
  };
  return { surface, still: parts.has("still"),
    formulas: formulas.every((f) => f !== undefined) ? formulas : null,
    view, inspect: parts.has("inspect"), cell,
    cells: grid ?? null, ranges: u || v ? [u, v] : null,
    constants, look: [choice("normals", kNormalLines), choice("facet", kFacets),
      choice("shading", kShadings)], large: parts.has("large"), refused };
}

// The look's names in a link, by their number: the normal lines, the facet normal, the shading.
const kNormalLines = ["facet", "surface", "both"];
const kFacets = ["corner", "diagonals"];
const kShadings = ["flat", "smooth", "exact"];

// The fragment that opens `shown` again. A picture held still only because the person asked
// their system for less motion is linked as moving: whoever opens the link chooses for
// themselves. `shown`: the surface, or `own` with its `formulas`, and whether it is `moving`.
// `look`: the view ({viewers, longitude, latitude, distance, centre: [x, y, z]}), whether
// cells are looked into (`inspecting`), the `cell` looked into ([row, column]) or null, the
// `look` ([normal lines 0 to 2, facet normal 0 or 1, shading 0 to 2]), whether the picture is
// the `large` one, the `grid` ({viewers, rows, columns, ranges, texts: the ranges as typed or
// null}, or null for the viewer's) and the `constants` of one's own surface ([{name, value}]).
// Numbers are written as JavaScript writes them, which reads back as the same number.
export function linkTo(shown, stillByPreference, look) {
  const what = shown.own ? ["x", "y", "z"].map((name, k) =>
    `${name}=${encodeURIComponent(shown.formulas[k])}`).join("&") : `surface=${shown.surface}`;
  const v = look.view, g = look.grid;
  // The ranges as typed where they were (`2*pi`), encoded; else as numbers.
  const ranges = (g?.texts ?? g?.ranges)?.map((end) => encodeURIComponent(String(end)));
  const [normals, facet, shading] = look.look ?? [0, 0, 0];
  return `#${what}` + (shown.moving || stillByPreference ? "" : "&still") +
    (shown.own ? (look.constants ?? []).map((c) => `&${c.name}=${c.value}`).join("") : "") +
    (g && !g.viewers ? `&cells=${g.rows},${g.columns}` : "") +
    (shown.own && ranges ? `&u=${ranges[0]},${ranges[1]}&v=${ranges[2]},${ranges[3]}` : "") +
    (v.viewers ? "" : `&view=${v.longitude},${v.latitude},${v.distance}` +
      (v.centre?.some((x) => x !== 0) ? `,${v.centre.join(",")}` : "")) +
    (look.inspecting ? "&inspect" : "") + (look.cell ? `&cell=${look.cell.join(",")}` : "") +
    (normals ? `&normals=${kNormalLines[normals]}` : "") +
    (facet ? `&facet=${kFacets[facet]}` : "") +
    (shading ? `&shading=${kShadings[shading]}` : "") + (look.large ? "&large" : "");
}
