// Sending the page to a cell: from a station row, a message, or `#km=K`
// in the address. The place sent to holds the readout until the pointer
// moves over the plan or a chart. `page` is what the view's parts share.
window.viewNavigation = function (page) {
  'use strict';
  const { km, indexAt } = page;

  // Sends the page to the cell at `index`: every chart shows it two
  // kilometres either side with its cursor there, the plan that stretch
  // ringed at the cell, the readout the cell and `about`; the plan and the
  // charts are scrolled into sight.
  function goTo(index, about) {
    index = Math.max(0, Math.min(km.length - 1, index));
    page.pinned = { index, about };
    const at = km[index];
    const min = Math.max(km[0], at - 2), max = Math.min(km[km.length - 1], at + 2);
    if (page.charts.length) page.charts[0].setScale('x', { min, max });
    page.showPoint(index, about);
    placeCursors();
    document.getElementById('plan-panel').scrollIntoView({ block: 'start' });
  }
  // A chart takes a new range after the running task, and then puts its
  // cursor back where it stood in pixels: the cursor goes on the pinned
  // cell each time the range is set, and once the task is over.
  function pinCursor(u) {
    u.setCursor({ left: u.valToPos(km[page.pinned.index], 'x'), top: 20 });
  }
  function placeCursors() {
    queueMicrotask(() => { if (page.pinned) page.charts.forEach(pinCursor); });
  }
  function focus(at) { goTo(indexAt(at)); }
  // `#km=K`: the cell that holds kilometre K.
  function fromHash() {
    const wanted = /^#km=(-?[0-9]+(?:\.[0-9]+)?)$/.exec(location.hash);
    if (wanted) goTo(indexAt(Number(wanted[1])));
  }

  return { goTo, focus, pinCursor, placeCursors, fromHash };
};
