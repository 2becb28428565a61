// "Grid": the cells along u and along v (from 1 to the viewer's most), and for a surface of
// one's own the ranges of u and v; "Apply" asks the viewer, which says what a field takes when
// it is refused, and nothing changes then; "The viewer's grid" goes back to its own cells over
// its span.
// The fields follow the grid shown, and the figures of each normal against the surface's own
// follow the picture.
import { showFigures } from "./figures_table.mjs";

export function showGridForm(viewer, form, message, figure, worst, lookInto) {
  const field = (name) => form.elements[name];
  const { viewersCells: cells, mostCells } = viewer.facts;
  for (const name of ["rows", "columns"]) Object.assign(field(name), { min: 1, max: mostCells });
  for (const most of form.querySelectorAll(".most-cells")) most.textContent = String(mostCells);
  const rangeNames = ["u from", "u to", "v from", "v to"];
  const rangeFields = ["u-from", "u-to", "v-from", "v-to"].map(field);
  // The ranges as typed (`2*pi`) with the values they gave: shown, and linked, while the grid
  // keeps those values.
  let typed = null;
  const rangeTexts = () => {
    const r = viewer.state().grid.ranges;
    return typed && r && typed.values.every((x, k) => x === r[k]) ? typed.texts : null;
  };
  const follow = () => {
    const { grid: g, own } = viewer.state();
    field("rows").value = g.rows;
    field("columns").value = g.columns;
    const ranges = rangeTexts() ?? g.ranges ?? [...g.span, ...g.span];
    rangeFields.forEach((f, k) => { f.value = ranges[k]; });
    form.querySelector(".ranges").hidden = !own;
  };
  // Asks for the grid with these cells and ranges as typed (null: the viewer's span); "" when
  // taken, or else why not, naming the field.
  const ask = (rows, columns, texts) => {
    const values = [];
    for (const [k, text] of (texts ?? []).entries()) {
      // The viewer's span arrives as numbers: they need no evaluating.
      const { value, refusal } = typeof text === "number" ? { value: text } :
        viewer.evaluate(rangeNames[k], text);
      if (refusal) return refusal;
      values.push(value);
    }
    const refusal = viewer.setGrid(rows, columns, texts ? values : null);
    if (!refusal && texts) typed = { texts: texts.map(String), values };
    follow();
    return refusal;
  };
  const apply = () => {
    const own = viewer.state().own;
    const number = (f) => (f.value.trim() === "" ? NaN : Number(f.value));
    message.textContent = ask(number(field("rows")), number(field("columns")),
      own ? rangeFields.map((f) => f.value) : null);
  };
  form.addEventListener("submit", (event) => {
    event.preventDefault();
    apply();
  });
  form.elements.viewers.addEventListener("click", () => {
    message.textContent = viewer.setGrid(cells, cells, null);
  });
  viewer.events.addEventListener("change", follow);
  follow();
  // The figures, for what the next frame shows, after each change (the page's first, its link,
  // comes before the first frame); while the surface moves, once a second, slow enough to read
  // (they cost a look at every cell's and grid point's own normal).
  let measured = "";
  const measure = () => {
    const json = viewer.convergence();
    if (json !== measured) showFigures(figure, worst, JSON.parse(json), lookInto);
    measured = json;
  };
  viewer.events.addEventListener("change", measure);
  setInterval(() => {
    if (viewer.state().moving) measure();
  }, 1000);
  return {
    // A link's grid: its cells (or the viewer's) and its ranges (each [from, to] as typed, or
    // null, for the viewer's span); said as the fields are when refused.
    open: (linkCells, ranges) => {
      const g = viewer.state().grid;
      const [rows, columns] = linkCells ?? [cells, cells];
      const own = viewer.state().own && ranges;
      message.textContent = ask(rows, columns,
        own ? [...(ranges[0] ?? g.span), ...(ranges[1] ?? g.span)] : null);
    },
    // The ranges as typed, while the grid keeps their values; or null.
    rangeTexts,
  };
}
