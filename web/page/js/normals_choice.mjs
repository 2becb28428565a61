// "Normals": the lines every cell has, the viewer's facet normals, the surface's own normals at
// the cells' middles, or both; the choice shown follows the viewer's, which a link may set.
export function showNormalsChoice(viewer, radios) {
  for (const radio of radios) {
    radio.addEventListener("change", () => {
      if (radio.checked) viewer.setNormals(Number(radio.value));
    });
  }
  const follow = () => {
    const lines = String(viewer.normals());
    for (const radio of radios) radio.checked = radio.value === lines;
  };
  viewer.events.addEventListener("change", follow);
  follow();
}
