// "Surfaces to try": the viewer's six, and surfaces of one's own that show something about
// normals, each over a grid and ranges that draw it whole, and a link like any other (the
// address module writes it), which fills the form.
const tau = 6.283185307179586;
// Each: what it shows, its formulas, its grid (cells along u and v, and their ranges), and its
// constants.
const kExamples = [
  ["A torus: every cell's normal points out of its tube",
    ["(R+cos(v))*cos(u)", "sin(v)", "(R+cos(v))*sin(u)"], [24, 24, [0, tau, 0, tau]], { R: 2 }],
  ["A saddle: normals that lean one way along u and the other along v",
    ["u", "u^2-v^2", "v"], [16, 16, [-2, 2, -2, 2]]],
  ["A Möbius strip: one side only, so the normals flip across the seam",
    ["(R+v*cos(u/2))*cos(u)", "v*sin(u/2)", "(R+v*cos(u/2))*sin(u)"],
    [36, 6, [0, tau, -0.8, 0.8]], { R: 2 }],
  ["A helicoid: normals that turn as the surface climbs",
    ["v*cos(u)", "u/2", "v*sin(u)"], [32, 8, [-tau, tau, -2, 2]]],
  ["A double cone: its apex, in the middle of the fifth column's cells, has no normal",
    ["v*cos(u)", "v", "v*sin(u)"], [24, 9, [0, tau, -2.25, 2.25]]],
  // Spread three times wider than high, so that it reads as a saddle, not as spikes.
  ["A monkey saddle: flat at its centre, with three valleys around it",
    ["3*u", "u^3-3*u*v^2", "3*v"], [16, 16, [-1, 1, -1, 1]]],
];

// Each example's text and link: the viewer's surfaces, then the surfaces of one's own.
export function exampleLinks(captions, linkTo) {
  const still = { view: { viewers: true } };
  const links = captions.map((caption, k) =>
    [`Surface ${k}: ${caption}`, linkTo({ surface: k, moving: true }, false, still)]);
  for (const [text, formulas, [rows, columns, ranges], constants = {}] of kExamples) {
    links.push([text, linkTo({ own: true, formulas, moving: true }, false, { ...still,
      grid: { viewers: false, rows, columns, ranges },
      constants: Object.entries(constants).map(([name, value]) => ({ name, value })) })]);
  }
  return links;
}

export function showExamples(list, captions, linkTo) {
  for (const [text, hash] of exampleLinks(captions, linkTo)) {
    const a = Object.assign(document.createElement("a"), { href: hash, textContent: text });
    const li = document.createElement("li");
    li.append(a);
    list.append(li);
  }
}
