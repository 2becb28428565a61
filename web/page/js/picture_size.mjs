// "Larger picture": the picture as the largest square that the window's height and the width
// beside the controls hold, drawn at that size (the viewer draws a resized window with its
// projection's aspect of 1, square here); and "Full screen" where the browser offers it. The
// viewer's own 400 x 400 is the default.
export function showPictureSize(picture, canvas, larger, fullScreen, width) {
  let large = false;
  const fit = () => {
    document.body.classList.toggle("large", large);
    if (!large) {
      canvas.style.maxWidth = `${width}px`;
      picture.style.width = "";
      return;
    }
    // Larger, the picture takes the width beside the groups where they stand beside it (their
    // column keeps its least width), or the page's width where they stand below; and no more
    // of the window's height than shows it whole.
    const stage = picture.parentElement, groups = stage.querySelector("#side");
    const styles = getComputedStyle(stage);
    const across = styles.display === "grid" ? stage.clientWidth -
      parseFloat(getComputedStyle(groups).minWidth) - parseFloat(styles.columnGap) :
      stage.clientWidth;
    // Where the picture starts on the page: the stage's top (the picture itself may be stuck).
    const top = stage.getBoundingClientRect().top + scrollY;
    const room = Math.min(innerHeight - top - 8, across);
    const side = `${Math.floor(Math.max(width, room))}px`;
    canvas.style.maxWidth = side;
    // The grid's column takes the picture's own width, which a canvas sized in percent lacks.
    picture.style.width = side;
  };
  const size = {
    events: new EventTarget(),
    large: () => large,
    setLarge: (yes) => {
      large = yes;
      larger.setAttribute("aria-pressed", String(large));
      fit();
      size.events.dispatchEvent(new Event("size"));
    },
  };
  larger.addEventListener("click", () => size.setLarge(!large));
  addEventListener("resize", fit);
  if (document.fullscreenEnabled) {
    fullScreen.hidden = false;
    fullScreen.addEventListener("click", () => picture.requestFullscreen());
  }
  fit();
  return size;
}
