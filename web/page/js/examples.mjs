// "Surfaces to try": the viewer's six, and surfaces of one's own that show something about
// normals, each a link like any other (the address module writes it), which fills the form.
const kExamples = [
  ["A torus: every cell's normal points out of its tube",
    ["(2+cos(pi*v))*cos(pi*u)", "sin(pi*v)", "(2+cos(pi*v))*sin(pi*u)"]],
  ["A saddle: normals that lean one way along u and the other along v",
    ["u*3", "(u^2-v^2)*2", "v*3"]],
  ["A Möbius strip: one side only, so the normals flip across the seam",
    ["(2+v*cos(pi*u/2))*cos(pi*u)", "v*sin(pi*u/2)", "(2+v*cos(pi*u/2))*sin(pi*u)"]],
  ["A helicoid: normals that turn as the surface climbs",
    ["2*v*cos(2*pi*u)", "u*2", "2*v*sin(2*pi*u)"]],
  ["A double cone: its apex, in the middle of column 0's cells, has no normal",
    ["(v+0.95)*cos(pi*u)*1.5", "(v+0.95)*2", "(v+0.95)*sin(pi*u)*1.5"]],
  ["A monkey saddle: flat at its centre, with three valleys around it",
    ["u*3", "(u^3-3*u*v^2)*2", "v*3"]],
];

export function showExamples(list, surfaceCount, captionOf, linkTo) {
  const still = { view: { viewers: true }, normals: 0 };
  const item = (text, hash) => {
    const a = Object.assign(document.createElement("a"), { href: hash, textContent: text });
    const li = document.createElement("li");
    li.append(a);
    return li;
  };
  for (let k = 0; k < surfaceCount; k++) {
    list.append(item(`Surface ${k}: ${captionOf(k)}`,
      linkTo({ surface: k, moving: true }, false, still)));
  }
  for (const [text, formulas] of kExamples) {
    list.append(item(text, linkTo({ own: true, formulas, moving: true }, false, still)));
  }
}
