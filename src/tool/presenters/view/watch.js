// With --watch: the page polls the stamp the tool rewrites with the page,
// reloads when it changes, and comes back showing what it showed: the
// kilometres the charts held, the plan's zoom and pan, the cell in the
// readout, the scroll.
(function () {
  'use strict';
  const data = JSON.parse(document.getElementById('scenario-data').textContent);
  const view = window.scenarioView;
  if (!data.watch || !view) return;
  const key = 'scenario-view:' + location.pathname;
  const errorsOf = (d) => d.messages.filter((m) => m.level === 'error')
    .map((m) => m.where + ': ' + m.text);

  function save() {
    try {
      sessionStorage.setItem(key, JSON.stringify({
        range: view.state.range, cell: view.state.cell, scroll: [scrollX, scrollY],
        plan: view.planView(),
        errors: errorsOf(data),
      }));
    } catch {
      // nothing kept: the reloaded page shows the whole line
    }
  }
  function saved() {
    try {
      const kept = JSON.parse(sessionStorage.getItem(key) || 'null');
      return kept && typeof kept === 'object' ? kept : null;
    } catch {
      return null;
    }
  }
  function restore(kept) {
    const km = data.cells.km;
    const [min, max] = Array.isArray(kept.range) ? kept.range.map(Number) : [NaN, NaN];
    const whole = min <= km[0] && max >= km[km.length - 1];
    // The plan first: the charts' range that follows leaves it as it was.
    if (kept.plan && typeof kept.plan === 'object' && min < max) view.setPlanView(kept.plan, [min, max]);
    if (!whole && min < max && view.charts.length) view.charts[0].setScale('x', { min, max });
    if (Number.isInteger(kept.cell) && kept.cell < km.length) view.showPoint(kept.cell);
    if (Array.isArray(kept.scroll)) requestAnimationFrame(() => scrollTo(...kept.scroll.map(Number)));
  }

  const kept = saved();
  // The errors the page showed before it reloaded: the others are new.
  window.scenarioWatch = { previousErrors: kept && Array.isArray(kept.errors) ? kept.errors : null };
  // #km= in the address says where to go, and wins.
  if (kept && !/^#km=/.test(location.hash)) restore(kept);
  document.body.dataset.restored = 'true';

  setInterval(() => {
    const probe = document.createElement('script');
    probe.src = data.watch.stamp + '?' + Date.now();
    probe.onload = () => {
      if (window.scenarioStamp && window.scenarioStamp !== data.watch.version) {
        save();
        location.reload();
      }
      probe.remove();
    };
    probe.onerror = () => probe.remove();
    document.body.append(probe);
  }, 1000);
})();
