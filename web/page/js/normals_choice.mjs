// "Normals", "Facet normal" and "Shading": the lines every cell has (the viewer's facet normals,
// the surface's own normals at the cells' middles, or both), the facet normal the red lines and
// flat faces take, and how the faces are lit. Each group of radios is one of the viewer's look
// choices, in order; the choice shown follows the viewer's, which a link may set.
export function showNormalsChoice(viewer, groups) {
  groups.forEach((radios, what) => {
    for (const radio of radios) {
      radio.addEventListener("change", () => {
        if (radio.checked) viewer.setLook(what, Number(radio.value));
      });
    }
  });
  const follow = () => {
    const { look } = viewer.state();
    groups.forEach((radios, what) => {
      for (const radio of radios) radio.checked = radio.value === String(look[what]);
    });
  };
  viewer.events.addEventListener("change", follow);
  follow();
}
