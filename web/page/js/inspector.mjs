// "Inspect a cell": while it is on, the cell under the mouse, under a finger held still, or
// at the row and column typed is looked into: marked in the picture, and its numbers shown
// beside it as text, each the drawing's own (rounded to 4 decimals; the exact values a click
// away, copied). A cell newly looked into is announced politely; the numbers follow the
// animation, or stay put while it rests.

// Four decimals, and no minus sign on a number that rounds to zero.
const fixed = (x) => {
  const rounded = Math.round(x * 1e4) / 1e4;
  return (rounded === 0 ? 0 : rounded).toFixed(4);
};
const vector = (v) => `(${v.map(fixed).join(", ")})`;

// The panel's lines for the numbers `n` of one cell.
function lines(n) {
  const out = [
    `Row ${n.row}, column ${n.column}: u from ${fixed(n.u)} to ${fixed(n.uNext)}, v from ` +
      `${fixed(n.v)} to ${fixed(n.vNext)}`,
    `P00 = ${vector(n.P00)}, P10 = ${vector(n.P10)}`,
    `P01 = ${vector(n.P01)}, P11 = ${vector(n.P11)}`,
    `e1 = P01 − P00 = ${vector(n.e1)}, e2 = P11 − P00 = ${vector(n.e2)}`,
    `n = normalise(e2 × e1) = ${vector(n.n)}`,
  ];
  if (n.guarded) {
    out.push(`The guard: a length under 0.00001 (|e2| ${fixed(n.lengthE2)}, |e1| ` +
      `${fixed(n.lengthE1)}, |e2 × e1| ${fixed(n.lengthCross)}) was divided by 0.00001 instead`);
  }
  out.push(`c = ${vector(n.c)}, red line to c − 0.5·n = ${vector(n.end)}`,
    `n in eye space = ${vector(n.nEye)}, n·l = ${fixed(n.nDotL)}`,
    `shade 0.5 + 0.5·max(0, n·l) = ${fixed(n.shade)}, in the picture ${n.level} of 255`);
  return out;
}

// The inspector says "toggle" (its `events`) when the switch turns on or off.
export function showInspector(viewer, parts, announcer) {
  const { toggle, row, column, panel, copy } = parts;
  const size = viewer.gridSize();
  for (const field of [row, column]) Object.assign(field, { min: 0, max: size - 1 });
  let on = false, said = -1, numbers = null;
  const show = () => {
    numbers = viewer.inspection();
    panel.replaceChildren(...(numbers ? lines(numbers) : ["No cell is looked into."])
      .map((text) => Object.assign(document.createElement("p"), { textContent: text })));
    copy.disabled = !numbers;
    const cell = viewer.inspectedCell();
    if (cell >= 0 && cell !== said) {
      announcer.textContent = `Looking into row ${Math.floor(cell / size)}, column ${cell % size}`;
      row.value = Math.floor(cell / size);
      column.value = cell % size;
    }
    said = cell;
  };
  const inspector = {
    events: new EventTarget(),
    on: () => on,
    setOn: (yes) => {
      on = yes;
      toggle.setAttribute("aria-pressed", String(on));
      parts.fields.hidden = !on;
      if (!on) viewer.inspect(-1);
      show();
      inspector.events.dispatchEvent(new Event("toggle"));
    },
    look: (cell) => {
      if (on && cell >= 0) viewer.inspect(cell);
    },
  };
  toggle.addEventListener("click", () => inspector.setOn(!on));
  const typed = () => {
    const r = Number(row.value), c = Number(column.value);
    if (row.value !== "" && column.value !== "" && Number.isInteger(r) && Number.isInteger(c) &&
        r >= 0 && r < size && c >= 0 && c < size) {
      inspector.look(r * size + c);
    }
  };
  row.addEventListener("input", typed);
  column.addEventListener("input", typed);
  copy.addEventListener("click", () => {
    if (numbers) navigator.clipboard?.writeText(JSON.stringify(numbers, null, 1));
  });
  viewer.events.addEventListener("change", show);
  viewer.events.addEventListener("frame", show);
  inspector.setOn(false);
  return inspector;
}
