// What is shown, written in the address's fragment and read back from it: `#surface=K`, or
// `#x=...&y=...&z=...` for a surface of one's own, with `&still` when the animation is off,
// `&view=LONGITUDE,LATITUDE,DISTANCE` for a view turned, `&inspect` while cells are looked into,
// `&cell=ROW,COLUMN` for the one looked into, `&normals=surface` or `&normals=both` for the
// normal lines other than the facet normals and `&large` for the larger picture.
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
// is still; the view, the cell looked into (a row and a column each below `gridSize`, or null)
// and the normal lines.
export function linked(hash, surfaceCount, formulaLimit, gridSize) {
  // Three characters of the address for each of a formula's, percent-encoded.
  const parts = fragmentParts(hash, 3 * (formulaLimit + 1));
  const surface = /^\d+$/.test(parts.get("surface") ?? "") ? Number(parts.get("surface")) : 0;
  const formulas = ["x", "y", "z"].map((name) => parts.get(name));
  const numbers = (name, count) => {
    const n = (parts.get(name) ?? "").split(",").map(Number);
    return n.length === count && n.every(Number.isFinite) ? n : null;
  };
  return { surface: surface < surfaceCount ? surface : 0, still: parts.has("still"),
    formulas: formulas.every((f) => f !== undefined) ? formulas : null,
    view: numbers("view", 3), inspect: parts.has("inspect"),
    cell: numbers("cell", 2)?.every((k) => Number.isInteger(k) && k >= 0 && k < gridSize) ?
      numbers("cell", 2) : null, large: parts.has("large"),
    normals: Math.max(0, kNormalLines.indexOf(parts.get("normals"))) };
}

// The normal lines' names in a link, by their number.
const kNormalLines = ["facet", "surface", "both"];

// The fragment that opens `shown` again. A picture held still only because the person asked
// their system for less motion is linked as moving: whoever opens the link chooses for
// themselves.
// `look`: the view ({viewers, longitude, latitude, distance}), whether cells are looked into,
// the cell looked into ([row, column]) or null, the normal lines (0, 1, 2) and whether the
// picture is the larger one. Numbers are written as JavaScript writes
// them, which reads back as the same number.
export function linkTo(shown, stillByPreference, look) {
  const what = shown.own ? ["x", "y", "z"].map((name, k) =>
    `${name}=${encodeURIComponent(shown.formulas[k])}`).join("&") : `surface=${shown.surface}`;
  const v = look.view;
  return `#${what}` + (shown.moving || stillByPreference ? "" : "&still") +
    (v.viewers ? "" : `&view=${v.longitude},${v.latitude},${v.distance}`) +
    (look.inspecting ? "&inspect" : "") + (look.cell ? `&cell=${look.cell.join(",")}` : "") +
    (look.normals ? `&normals=${kNormalLines[look.normals]}` : "") + (look.large ? "&large" : "");
}
