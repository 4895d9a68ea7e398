// The records in force at a cell: for each kind, the last record at or
// before it, from the runs the tool embedded (one entry per change).
window.viewInForce = function (data) {
  'use strict';
  const runs = data.inForce || {};
  const kinds = [
    ['speed', 'line speed'], ['gradient', 'gradient'], ['adhesion', 'adhesion'],
    ['curve', 'curve'], ['slowdown', 'slow-down'], ['tunnel', 'tunnel'],
    ['board', 'last speed board'],
  ];
  // A board's speeds as compiled, found by the cell its record filled.
  const boardAt = new Map(data.boards.filter((b) => b.kind === 'speed')
    .map((b) => [Math.round(b.km * 20) + 1, b]));
  const labelOf = (kind, label, run) => {
    const board = kind === 'board' && boardAt.get(run[0]);
    return board ? label + ' ' + board.text : label;
  };
  // The last run of `list` that starts at or before cell `c`.
  function runAt(list, c) {
    let lo = 0, hi = list.length - 1, found = null;
    while (lo <= hi) {
      const mid = (lo + hi) >> 1;
      if (list[mid][0] <= c) found = list[mid], lo = mid + 1;
      else hi = mid - 1;
    }
    return found && found.length > 1 ? found : null;
  }
  const line = (cls, text) => {
    const node = document.createElement('div');
    node.className = cls;
    node.textContent = text;
    return node;
  };
  // The entries for cell `c`; `holds(kind)` says whether a kind that holds
  // only over its span (slow-down, tunnel) covers the cell.
  return function entries(c, holds) {
    const box = document.createElement('div');
    box.className = 'in-force';
    kinds.forEach(([kind, label]) => {
      const run = runAt(runs[kind] || [], c);
      if (!run || !holds(kind)) return;
      const entry = document.createElement('div');
      entry.className = 'in-force-entry';
      entry.dataset.kind = kind;
      entry.append(line('in-force-kind', labelOf(kind, label, run)), line('source in-force-where', run[1]),
        line('source in-force-record', run[2]));
      box.append(entry);
    });
    return box;
  };
};
