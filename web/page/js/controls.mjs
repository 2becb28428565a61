// The viewer's buttons: each presses the key a person would, and the animation's button says
// what it will do; and the cells of the picture shown, downloaded as an OBJ or an STL file.

// Offers `text` as a download named `name`. The address lives until the next download, so that
// the browser has all the time it needs to save it.
let lastDownload = null;
function download(contents, name, type) {
  if (lastDownload) URL.revokeObjectURL(lastDownload);
  lastDownload = URL.createObjectURL(new Blob([contents], { type }));
  const link = Object.assign(document.createElement("a"), { href: lastDownload, download: name });
  link.click();
}

export function showControls(viewer, next, animation, obj, stl) {
  obj.addEventListener("click", () => {
    const cells = viewer.cellsAsObj();
    download(cells.text, cells.name, "model/obj");
  });
  stl.addEventListener("click", () => {
    const cells = viewer.cellsAsStl();
    download(cells.bytes, cells.name, "model/stl");
  });
  next.addEventListener("click", () => viewer.key("n"));
  animation.addEventListener("click", () => viewer.key(" "));
  const follow = () => {
    animation.textContent = viewer.state().moving ? "Stop the animation" : "Start the animation";
  };
  viewer.events.addEventListener("change", follow);
  follow();
}
