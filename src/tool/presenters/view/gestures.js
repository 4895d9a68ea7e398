// Gestures the plan and the charts share: a wheel notch, one or two
// pointers dragging and pinching, and the zoom keys. Each is reported as a
// zoom by a factor about a point, or a move by so many CSS pixels, with
// points relative to the element.
window.viewGestures = (function () {
  'use strict';
  const notch = (event) => (event.deltaY < 0 ? 1.25 : 0.8);

  function onWheel(element, zoom) {
    element.addEventListener('wheel', (event) => {
      event.preventDefault();
      const rect = element.getBoundingClientRect();
      zoom(notch(event), event.clientX - rect.left, event.clientY - rect.top);
    }, { passive: false });
  }

  // The pointers' mean place, relative to `element`, and their spread.
  function summary(element, down) {
    const rect = element.getBoundingClientRect();
    const points = [...down.values()];
    const x = points.reduce((s, p) => s + p[0], 0) / points.length;
    const y = points.reduce((s, p) => s + p[1], 0) / points.length;
    const spread = points.length < 2 ? 0 : Math.hypot(points[0][0] - points[1][0], points[0][1] - points[1][1]);
    return { x: x - rect.left, y: y - rect.top, spread };
  }

  // Pointers pressed on `element` that `accepts(event)` takes: their moves
  // pan, two of them pinch; `end(moved)` when the last one is lifted.
  // A taken press keeps the mouse events from others (a chart's selection).
  function onPointers(element, { accepts, pan, zoom, end }) {
    const down = new Map();
    let moved = false;
    element.addEventListener('pointerdown', (event) => {
      if (!accepts(event)) return;
      event.preventDefault();
      element.focus({ preventScroll: true });
      if (!down.size) moved = false;
      down.set(event.pointerId, [event.clientX, event.clientY]);
      try { element.setPointerCapture(event.pointerId); } catch (e) { /* a synthetic pointer */ }
    });
    const move = (event) => {
      if (!down.has(event.pointerId)) return;
      const before = summary(element, down);
      down.set(event.pointerId, [event.clientX, event.clientY]);
      const after = summary(element, down);
      if (after.x === before.x && after.y === before.y && after.spread === before.spread) return;
      moved = true;
      // The point under the pointers' old middle goes to their new one.
      if (down.size > 1 && before.spread > 0) zoom(after.spread / before.spread, before.x, before.y);
      pan(after.x - before.x, after.y - before.y, down.size);
    };
    const up = (event) => {
      if (!down.delete(event.pointerId)) return;
      if (!down.size && end) end(moved);
    };
    element.addEventListener('pointermove', move);
    element.addEventListener('pointerup', up);
    element.addEventListener('pointercancel', up);
    return { moved: () => moved };
  }

  // `+` and `-` zoom about the middle, the arrows move, `0` shows all.
  function onKeys(element, { zoom, pan, whole }) {
    const step = 60;
    const actions = {
      '+': () => zoom(1.25), '=': () => zoom(1.25), '-': () => zoom(0.8), '_': () => zoom(0.8),
      ArrowLeft: () => pan(step, 0), ArrowRight: () => pan(-step, 0),
      ArrowUp: () => pan(0, step), ArrowDown: () => pan(0, -step), 0: () => whole(),
    };
    element.addEventListener('keydown', (event) => {
      const act = actions[event.key];
      if (!act || event.ctrlKey || event.metaKey || event.altKey) return;
      event.preventDefault();
      act();
    });
  }

  return { onWheel, onPointers, onKeys };
})();
