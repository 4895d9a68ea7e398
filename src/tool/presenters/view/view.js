// The scenario view: the plan, the profiles along one kilometre axis, and
// what stands at any point of the line, from the data the tool embedded.
// This starts the page: its parts (plan.js, readout.js, charts.js,
// navigation.js, lists.js) share one object, `page`, which holds the data,
// the state they all see, and what each part offers the others.
(function () {
  'use strict';
  const scriptErrors = [];
  window.addEventListener('error', (event) => {
    scriptErrors.push(String(event.message));
    const shown = document.getElementById('script-errors');
    shown.hidden = false;
    shown.textContent = scriptErrors.join('\n');
  });

  const data = JSON.parse(document.getElementById('scenario-data').textContent);
  const cells = data.cells;
  const km = cells.km;
  const page = {
    data, cells, km,
    run: window.viewRun(data),
    colours: window.viewLegend.colours,
    charts: [],
    state: { range: [0, data.length], cell: null },
    // How often the readout was written and the plan drawn, for the tests.
    counts: { readout: 0, plan: 0 },
    // A place the page was sent to (a station row, a message, #km=) holds
    // the readout until the pointer moves over the plan or a chart.
    pinned: null,
    // The range the plan last gave the charts, and the one it was last
    // fitted to (see charts.js).
    planRange: null,
    fittedRange: null,
    fmt: (value, digits) => Number(value).toFixed(digits),
    el: (tag, attrs, text) => {
      const node = document.createElement(tag);
      Object.entries(attrs || {}).forEach(([k, v]) => node.setAttribute(k, v));
      if (text !== undefined) node.textContent = text;
      return node;
    },
    // The index of the cell at kilometre `at` (cells stand 50 m apart).
    indexAt: (at) => Math.max(0, Math.min(km.length - 1, Math.round(at * 20))),
  };
  Object.assign(page, window.viewReadout(page), window.viewCharts(page), window.viewNavigation(page),
    window.viewPlan(page), window.viewLists(page));

  const { state, counts, charts, plan } = page;
  window.scenarioView = { focus: page.focus, goTo: page.goTo, showPoint: page.showPoint, charts,
    indexAt: page.indexAt, state, counts, planView: page.planView, setPlanView: page.setPlanView,
    planPoint: (i) => page.px(i).map((v) => v / devicePixelRatio) };

  // The charts take the width of their column, and the plan's canvas the
  // size it is shown at, refitted to the stretch it showed: nothing is
  // stretched, and pointing finds what is drawn there.
  function followSize() {
    const container = document.getElementById('charts');
    let last = [container.clientWidth, plan.clientWidth, plan.clientHeight];
    let queued = false;
    const follow = () => {
      queued = false;
      const now = [container.clientWidth, plan.clientWidth, plan.clientHeight];
      if (now.every((v, i) => v === last[i])) return;
      last = now;
      charts.forEach((u) => u.setSize({ width: page.chartWidth(), height: 150 }));
      page.sizePlan();
      page.turnPlan();
      page.planRange = null, page.fittedRange = null;
      if (state.range[0] <= km[0] && state.range[1] >= km[km.length - 1]) page.fitPlan();
      else page.fitPlan(page.indexAt(state.range[0]), page.indexAt(state.range[1]));
      page.requestPlan();
      if (page.pinned) page.placeCursors();
    };
    // Sized in the next frame, not while the observer reports: resizing
    // there would be reported again in the same frame.
    new ResizeObserver(() => {
      if (!queued) queued = true, requestAnimationFrame(follow);
    }).observe(document.querySelector('main'));
  }

  function start() {
    document.getElementById('title').textContent = data.title;
    document.title = data.title;
    document.getElementById('summary').textContent = page.fmt(data.length, 3) + ' km, ' +
      data.stations.length + ' stations, ' + data.messages.length + ' errors and warnings' +
      (page.run.summary() ? '; ' + page.run.summary() : '');
    window.viewLegend.build(document.getElementById('legend'));
    page.sizePlan();
    page.turnPlan();
    page.fitPlan();
    page.wirePlan();
    page.buildCharts();
    page.buildLists();
    followSize();
    page.drawPlan();
    page.fromHash();
    window.addEventListener('hashchange', page.fromHash);
    document.body.dataset.ready = 'true';
  }
  start();
})();
