// "Your own surface": three fields, X, Y and Z, shown as the seventh surface with "Show" and
// forgotten with "Clear". A formula refused is said beside the form, naming the field, what is
// wrong and where; that field is marked invalid for assistive technology and takes the focus,
// and the picture shown before stays. The fields suggest the current surface's formulas.

export function showFormulaForm(viewer, form, message, leftOut) {
  const fields = ["x", "y", "z"].map((name) => form.elements[name]);
  for (const f of fields) f.maxLength = viewer.facts.formulaLimit;
  for (const span of document.querySelectorAll(".formula-limit")) {
    span.textContent = String(viewer.facts.formulaLimit);
  }
  const say = (text, field = null) => {
    message.textContent = text;
    for (const f of fields) {
      const invalid = f === field;
      f.setAttribute("aria-invalid", String(invalid));
      if (invalid) f.setAttribute("aria-describedby", message.id);
      else f.removeAttribute("aria-describedby");
    }
    field?.focus();
  };
  // Shows these formulas, or says why not; `moving` as the animation is now.
  function show(formulas, moving) {
    formulas.forEach((text, k) => { fields[k].value = text; });
    const refusal = viewer.showFormula(...formulas, moving);
    // The message begins with the field's letter.
    say(refusal, refusal ? fields["XYZ".indexOf(refusal[0])] ?? null : null);
    return refusal === "";
  }
  form.addEventListener("submit", (event) => {
    event.preventDefault();
    show(fields.map((f) => f.value), viewer.state().moving);
  });
  form.elements.clear.addEventListener("click", () => {
    fields.forEach((f) => { f.value = ""; });
    say("");
    viewer.clearFormula();
  });
  // A built-in surface shown by a link: what was said of the last formulas no longer holds.
  show.forget = () => say("");
  const follow = () => {
    const state = viewer.state();
    if (!state.own) {
      // The built-in caption's three parts, "X=...", "Y=..." and "Z=...".
      const parts = state.caption.split(/, (?=[YZ]=)/).map((p) => p.slice(2));
      parts.forEach((part, k) => { fields[k].placeholder = part; });
    }
    leftOut.textContent = state.leftOut > 0 ?
      `${state.leftOut} of ${state.cells} cells are undefined and not drawn.` : "";
  };
  viewer.events.addEventListener("change", follow);
  follow();
  return show;
}
