// The figure beside the grid: each kind of normal against the surface's own, as a small table
// (largest and mean angle, the places they are taken over, what is left out and why, the
// figures at half the cells and the order they measure), with a way into the worst cell.
const degrees = (x) => (x === null ? "–" : `${x.toFixed(4)}°`);

const orderWords = (order) => {
  if (order === null) return "none: exact to rounding";
  const words = order >= 0.5 && order < 1.5 ? " (halves when the cells halve)"
    : order >= 1.5 && order < 2.5 ? " (quarters when the cells halve)" : "";
  return `${order.toFixed(2)}${words}`;
};

const leftOut = (k) => [[k.undefined, "undefined"], [k.degenerate, "degenerate"],
  [k.noNormal, "with no own normal"], [k.notSmooth, "not smooth"],
  [k.unreliable, "not computed reliably"]]
  .filter(([n]) => n > 0).map(([n, why]) => `${n} ${why}`).join(", ") || "none";

const cell = (tag, text) => Object.assign(document.createElement(tag), { textContent: text });

// Fills `table` from the viewer's figures (figuresJson), and `worst` with a button into the
// corner normal's worst cell; `lookInto(row, column)` opens the inspector on a cell.
export function showFigures(table, worst, figures, lookInto) {
  const half = figures.half ? `${figures.half[0]} × ${figures.half[1]} cells` : null;
  const head = document.createElement("tr");
  for (const name of ["Normal", "Largest", "Mean", "Taken over", "Order"]) {
    head.append(Object.assign(cell("th", name), { scope: "col" }));
  }
  const number = (text) => Object.assign(cell("td", text), { className: "number" });
  const rows = figures.kinds.map((k) => {
    const tr = document.createElement("tr");
    const apart = leftOut(k);
    tr.append(Object.assign(cell("th", k.kind), { scope: "row" }),
      number(degrees(k.largest)), number(degrees(k.mean)),
      cell("td", `${k.counted} ${k.kind === "vertex" ? "points" : "cells"}` +
        (apart === "none" ? "" : `; left out: ${apart}`)),
      cell("td", half ? `${orderWords(k.order)}, against ${degrees(k.coarseLargest)} at ${half}`
        : "none: half the cells would be fewer than 2"));
    return tr;
  });
  const caption = cell("caption", "Each normal against the surface's own: the largest and " +
    "mean angle between them, and how fast it closes in");
  table.replaceChildren(caption, head, ...rows);
  const corner = figures.kinds[0];
  const at = corner.worst && corner.largest > 1e-7 ? corner.worst : null;
  worst.hidden = !at;
  if (at) {
    worst.textContent = `Look into the corner normal's worst cell: row ${at[0]}, column ${at[1]}`;
    worst.onclick = () => lookInto(at[0], at[1]);
  }
}
