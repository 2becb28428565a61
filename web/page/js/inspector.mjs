// "Inspect a cell": while it is on, the cell under the mouse, under a finger held still, or
// at the row and column typed is looked into: marked in the picture, and its numbers shown
// beside it as text, each the drawing's own (rounded to 4 decimals; the exact values a click
// away, copied). A cell newly looked into is announced politely; the numbers follow the
// animation, or stay put while it rests.

// Four decimals, and no minus sign on a number that rounds to zero.
export const fixed = (x) => {
  if (x === null) return "undefined";
  const rounded = Math.round(x * 1e4) / 1e4;
  return (rounded === 0 ? 0 : rounded).toFixed(4);
};
// The cell typed as row `rowText` and column `columnText` on a grid of `rows` x `columns`:
// { cell: [row, column] } when both are whole numbers on it, { refusal } naming the field
// otherwise.
export function typedCell(rowText, columnText, rows, columns) {
  const whole = (text, name, count) => {
    const n = Number(text);
    return text.trim() !== "" && Number.isInteger(n) && n >= 0 && n < count ? "" :
      `${name} ${text.trim() === "" ? "(empty)" : text}: a whole number from 0 to ${count - 1}`;
  };
  const refusal = whole(rowText, "Row", rows) || whole(columnText, "Column", columns);
  return refusal ? { refusal } : { cell: [Number(rowText), Number(columnText)] };
}

const vector = (v) => `(${v.map(fixed).join(", ")})`;

// The panel's lines for the numbers `n` of one cell; a number JSON could not hold is null, and
// shown as "undefined".
function lines(n) {
  if (n.leftOut) {
    return [`Row ${n.row}, column ${n.column} is left out, not drawn: ${n.leftOut}.`];
  }
  const [P00, P10, P01, P11] = n.corners;
  const out = [
    `Row ${n.row}, column ${n.column}: u from ${fixed(n.u[0])} to ${fixed(n.u[1])}, v from ` +
      `${fixed(n.v[0])} to ${fixed(n.v[1])}`,
    `P00 = ${vector(P00)}, P10 = ${vector(P10)}`,
    `P01 = ${vector(P01)}, P11 = ${vector(P11)}`,
    `e1 (green) = P01 − P00 = ${vector(n.e1)}, e2 (blue) = P11 − P00 = ${vector(n.e2)}`,
    `n (magenta) = normalise(e2 × e1) = ${vector(n.facetNormal)}`,
  ];
  if (n.guarded) {
    const [e2, e1, cross] = n.lengths, guard = n.guardDivisor;
    out.push(`The guard: a length under ${guard} (|e2| ${fixed(e2)}, |e1| ${fixed(e1)}, ` +
      `|e2 × e1| ${fixed(cross)}) was divided by ${guard} instead`);
  }
  const [ambient, diffuse] = [n.shadeAmbient, n.shadeDiffuse].map((x) => +x.toPrecision(6));
  out.push(`c = ${vector(n.centre)}, red line to c − ${n.lineScale}·n = ${vector(n.lineEnd)}`,
    `n in eye space = ${vector(n.eyeNormal)}, n·l = ${fixed(n.normalDotLight)}`,
    `shade ${ambient} + ${diffuse}·max(0, n·l) = ${fixed(n.shade)}, in the picture ` +
      `${n.level} of 255`,
    `Middle (u_m, v_m) = (${fixed(n.middle[0])}, ${fixed(n.middle[1])}), ` +
      `P(u_m, v_m) = ${vector(n.point)}`,
    `r_u = ${vector(n.ru)}, r_v = ${vector(n.rv)}, r_u × r_v = ${vector(n.cross)}`,
    n.trueNormal ? `N (cyan) = normalise(r_u × r_v) = ${vector(n.trueNormal)}` :
      `N: none here: ${n.ownNormalWhy}`);
  out.push("n and N lie on the side of r_u × r_v: out of a closed surface or into it, as u " +
    "and v run; the red line runs against n");
  if (n.degenerate) out.push("This cell is degenerate: two of its corners meet, and n is rounding");
  const angle = (a) => (a === null ? "none" : `${fixed(a)}°`);
  out.push(`Angle between n and N: ${angle(n.angles.corner)}`,
    n.diagonalNormal ? `Diagonals' normal normalise((P11 − P00) × (P01 − P10)) = ` +
      `${vector(n.diagonalNormal)}, angle to N: ${angle(n.angles.diagonals)}` :
      "Diagonals' normal: none (the diagonals have no length or are parallel)",
    "Vertex normals (the cells around each corner, by area): " +
      ["P00", "P10", "P01", "P11"].map((name, k) => `${name} ` +
        (n.vertexNormals[k] ? vector(n.vertexNormals[k]) : "none")).join(", "));
  return out;
}

// The row and column fields: bounded by the grid shown, and what is typed looked into with
// `look`, or refused with a message naming the field.
function cellFields(viewer, { row, column, message }, look) {
  for (const field of [row, column]) field.min = 0;
  const bound = () => {
    const { grid } = viewer.state();
    row.max = grid.rows - 1;
    column.max = grid.columns - 1;
    return grid;
  };
  // A number field holds "" for what is not a number: "-" or "2e" while typing, said as empty.
  const typed = () => {
    const g = bound(), { cell, refusal } = typedCell(row.value, column.value, g.rows, g.columns);
    message.textContent = refusal ?? "";
    for (const field of [row, column]) {
      field.setAttribute("aria-invalid", String(Boolean(refusal?.startsWith(
        field === row ? "Row" : "Column"))));
    }
    if (!refusal) look(cell);
  };
  row.addEventListener("input", typed);
  column.addEventListener("input", typed);
  // The cell looked into now, shown in the fields.
  return (cell) => {
    bound();
    [row.value, column.value] = cell;
    message.textContent = "";
  };
}

// The inspector says "toggle" (its `events`) when the switch turns on or off.
export function showInspector(viewer, parts, announcer) {
  const { toggle, panel, copy, help } = parts;
  let on = false, said = "", numbers = null, shown = null, intoView = false;
  const look = (cell, bringIntoView = false) => {
    intoView = bringIntoView;
    if (on && cell) viewer.inspect(...cell);
    intoView = false;
  };
  const showCell = cellFields(viewer, parts, look);
  const show = () => {
    numbers = viewer.inspection();
    const text = numbers ? lines(numbers) : ["No cell is looked into."];
    // Only what changed is written: text being selected or read aloud stays where it is.
    if (text.join("\n") !== shown) {
      panel.replaceChildren(...text.map((line) =>
        Object.assign(document.createElement("p"), { textContent: line })));
      shown = text.join("\n");
    }
    copy.disabled = !numbers;
    const { cell } = viewer.state();
    if (cell && String(cell) !== said) {
      announcer.textContent = `Looking into row ${cell[0]}, column ${cell[1]}`;
      showCell(cell);
      const box = panel.getBoundingClientRect();
      if (intoView && (box.top >= innerHeight || box.bottom <= 0)) {
        panel.scrollIntoView({ block: "nearest" });
      }
    }
    said = String(cell);
  };
  const inspector = {
    events: new EventTarget(),
    on: () => on,
    setOn: (yes) => {
      on = yes;
      toggle.setAttribute("aria-pressed", String(on));
      parts.fields.hidden = !on;
      help.hidden = !on;
      if (!on) viewer.inspect(-1, -1);
      show();
      inspector.events.dispatchEvent(new Event("toggle"));
    },
    // Looks into `cell` ([row, column]) while cells are looked into; with `bringIntoView`, its
    // numbers are scrolled into view where they are off the screen.
    look,
  };
  toggle.addEventListener("click", () => inspector.setOn(!on));
  copy.addEventListener("click", () => {
    if (numbers) navigator.clipboard?.writeText(JSON.stringify(numbers, null, 1));
  });
  viewer.events.addEventListener("change", show);
  viewer.events.addEventListener("frame", show);
  inspector.setOn(false);
  return inspector;
}
