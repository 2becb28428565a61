// A slider for each constant of one's own surface (every name in its formulas other than u, v,
// t, pi and e), with a number field beside it and the slider's bounds, -5 to 5 unless changed:
// moving either redraws at once. Rebuilt only when the constants themselves change.
const kBounds = [-5, 5];

// Why the value typed for constant `name` (`text`), or its slider's bounds `low` to `high`, are
// refused, naming the field; "" when they are taken.
export function constantRefusal(name, text) {
  return text.trim() !== "" && Number.isFinite(Number(text)) ? "" : `${name}: a number`;
}
export function boundsRefusal(name, low, high) {
  const ends = [low, high].map(Number);
  if (low.trim() === "" || high.trim() === "" || !ends.every(Number.isFinite)) {
    return `${name}'s slider: both ends numbers`;
  }
  return ends[0] < ends[1] ? "" :
    `${name}'s slider from ${low} to ${high}: its first end must be the lower`;
}

export function showConstants(viewer, box, message) {
  let names = "";
  let shown = new Map();  // name: [slider, number]
  const build = (constants) => {
    shown = new Map();
    box.replaceChildren(...constants.map(({ name, value }, k) => {
      const row = document.createElement("p");
      const id = (what) => `constant-${k}-${what}`;
      row.innerHTML = `<label for="${id("slider")}"></label> <input id="${id("slider")}" ` +
        `type="range" step="0.01"> <input id="${id("number")}" type="number" step="any" ` +
        `aria-label=""> <span class="bounds">from <input id="${id("low")}" type="number" ` +
        `step="any" aria-label=""> to <input id="${id("high")}" type="number" step="any" ` +
        `aria-label=""></span>`;
      const [slider, number, low, high] = ["slider", "number", "low", "high"].map((w) =>
        row.querySelector(`#${id(w)}`));
      row.querySelector("label").textContent = name;
      shown.set(name, [slider, number]);
      number.setAttribute("aria-label", `${name}, exactly`);
      low.setAttribute("aria-label", `${name}'s slider from`);
      high.setAttribute("aria-label", `${name}'s slider to`);
      [low.value, high.value] = kBounds;
      Object.assign(slider, { min: kBounds[0], max: kBounds[1], value });
      number.value = value;
      const say = (refusal, fields) => {
        message.textContent = refusal;
        for (const f of fields) f.setAttribute("aria-invalid", String(refusal !== ""));
      };
      const set = (text) => {
        const refusal = constantRefusal(name, text);
        say(refusal, [number]);
        if (!refusal && viewer.setConstant(name, Number(text))) {
          slider.value = text;
          number.value = text;
        }
      };
      slider.addEventListener("input", () => set(slider.value));
      number.addEventListener("input", () => set(number.value));
      for (const bound of [low, high]) {
        bound.addEventListener("input", () => {
          const refusal = boundsRefusal(name, low.value, high.value);
          say(refusal, [low, high]);
          if (!refusal) Object.assign(slider, { min: low.value, max: high.value });
        });
      }
      return row;
    }));
  };
  const follow = () => {
    const { constants } = viewer.state();
    const now = constants.map((c) => c.name).join(",");
    box.parentElement.hidden = constants.length === 0;
    if (now !== names) build(constants);
    names = now;
    // A value a link set: the slider and the field show it, unless being moved or typed in.
    for (const { name, value } of constants) {
      for (const input of shown.get(name) ?? []) {
        if (document.activeElement !== input && Number(input.value) !== value) input.value = value;
      }
    }
  };
  viewer.events.addEventListener("change", follow);
  follow();
}
