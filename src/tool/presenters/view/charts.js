// The charts along the line: the profiles on one kilometre axis, zoomed
// and moved together and with the plan. `page` is what the view's parts
// share.
window.viewCharts = function (page) {
  'use strict';
  const { data, cells, km, state, charts, colours, el, indexAt } = page;
  const drawGuides = window.viewChartGuides(data, colours);
  const { overlayBands, drawBoards, drawTextBoards, steps } = window.viewChartMarks(data, colours);

  const panels = [
    { id: 'elevation', title: 'elevation (m, from the gradients); tunnels shaded, text boards ticked',
      values: cells.elevation, unit: 'm', colour: '#8c564b', draw: (u) => {
        overlayBands(u, data.tunnels, colours.tunnel);
        drawTextBoards(u);
      } },
    { id: 'speed', title: 'line speed (km/h), speed boards \u25b2 and slow-downs shaded with their speed' +
        (data.run ? '; the train\'s run in red under its braking ceiling, dashed' : ''),
      values: cells.speed, unit: 'km/h', colour: '#1f77b4', stepped: true, extra: page.run.series(),
      marks: data.boards.filter((b) => b.kind === 'speed').map((b) => b.speed)
        .concat(data.slowdowns.map((z) => z.speed)),
      draw: (u) => {
        overlayBands(u, data.slowdowns, colours.slowdown, (z) => z.speed + ' km/h');
        drawBoards(u);
      } },
    { id: 'adhesion', title: 'adhesion', values: cells.adhesion, unit: '', colour: '#9467bd',
      stepped: true },
    { id: 'gradient', title: 'gradient (\u2030)', values: cells.gradient, unit: '\u2030',
      colour: '#ff7f0e', stepped: true },
    { id: 'curvature', title: 'curvature (1/km, + to the right)', values: cells.curvature,
      unit: '/km', colour: '#17becf' },
  ];

  // The charts share one kilometre axis, and the plan shows the same
  // stretch: zooming either zooms the other. `page.planRange` is the range
  // the plan last gave the charts: the plan keeps its own view of it
  // (zoomed about the pointer, moved) instead of refitting;
  // `page.fittedRange` the range the plan was last fitted to.
  let syncing = false;
  // A chart's cursor speaks for the readout only while the pointer is on a
  // chart: cursors moved by the plan, or by a new range, do not.
  let pointerOnChart = false;
  function syncRange(source) {
    if (syncing) return;
    syncing = true;
    const { min, max } = source.scales.x;
    state.range = [min, max];
    charts.forEach((u) => { if (u !== source) u.setScale('x', { min, max }); });
    syncing = false;
    const planRange = page.planRange, fittedRange = page.fittedRange;
    const ledByPlan = planRange && planRange[0] === min && planRange[1] === max;
    // Each chart reports the same range: the plan is fitted to it once.
    const fitted = fittedRange && fittedRange[0] === min && fittedRange[1] === max;
    if (!ledByPlan && !fitted) {
      page.fittedRange = [min, max];
      page.planRange = null;
      if (min <= km[0] && max >= km[km.length - 1]) page.fitPlan();
      else page.fitPlan(indexAt(min), indexAt(max));
    }
    page.requestPlan();
  }

  // The charts' range zoomed by `factor` about kilometre `at`, or moved by
  // `shift` km, kept on the line.
  function setChartRange(min, max) {
    const whole = [0, data.length];
    const width = Math.min(max - min, whole[1] - whole[0]);
    min = Math.max(whole[0], Math.min(min, whole[1] - width));
    // Set at once: the charts report their new range later, and a gesture
    // may move again before.
    state.range = [min, min + width];
    if (charts.length) charts[0].setScale('x', { min, max: min + width });
  }
  function zoomCharts(factor, at) {
    const [min, max] = state.range;
    if (factor > 1 && max - min < 0.1) return;  // two cells across at the most
    setChartRange(at - (at - min) / factor, at + (max - at) / factor);
  }
  function moveCharts(shift) {
    setChartRange(state.range[0] + shift, state.range[1] + shift);
  }
  function wholeLine() {
    page.planRange = null, page.fittedRange = null;
    page.fitPlan();
    setChartRange(0, data.length);
    page.requestPlan();
  }

  // The values' range, and the marks' (the boards' speeds) over all the
  // line, with room above for a board's label.
  function yRange(panel, min, max) {
    const marks = panel.marks || [];
    let low = Math.min(min, ...marks), high = Math.max(max, ...marks);
    if (!(high > low)) low -= 1, high += 1;
    const pad = (high - low) * (marks.length ? 0.15 : 0.05);
    return [low - (marks.length ? pad / 3 : pad), high + pad];
  }

  function makeChart(panel, container, width) {
    const box = el('div', { class: 'chart', id: 'chart-' + panel.id });
    container.append(box);
    const series = { label: panel.id, stroke: panel.colour, width: 1.5,
      value: (u, v) => (v == null ? '' : v + (panel.unit ? ' ' + panel.unit : '')) };
    if (panel.stepped) series.paths = steps;
    const opts = {
      title: panel.title, width, height: 150,
      scales: { x: { time: false }, y: { range: (u, min, max) => yRange(panel, min, max) } },
      axes: [{ label: 'km', size: 34 }, { size: 54, space: 18 }],
      legend: { show: false },
      cursor: { sync: { key: 'line' }, drag: { x: true, y: false }, y: false },
      series: [{ label: 'km' }, series],
      hooks: {
        setScale: [(u, key) => {
          if (key !== 'x') return;
          syncRange(u);
          if (page.pinned) page.pinCursor(u);
        }],
        setCursor: [(u) => {
          if (!page.pinned && pointerOnChart && u.cursor.idx != null) page.showPoint(u.cursor.idx);
        }],
        drawAxes: [drawGuides],
        draw: panel.draw ? [panel.draw] : [],
      },
    };
    // The pointer over a chart lets go of a pinned place before the chart
    // moves its cursor.
    box.addEventListener('mousemove', () => { page.pinned = null, pointerOnChart = true; }, true);
    box.addEventListener('mouseleave', () => { pointerOnChart = false; });
    // Further series of the panel (the run over the line speed), drawn
    // over it.
    (panel.extra || []).forEach((more) => opts.series.push({ label: more.label, stroke: more.colour,
      width: 1.5, dash: more.dash, value: (u, v) => (v == null ? '' : v + ' ' + panel.unit) }));
    const chart = new uPlot(opts, [km, panel.values, ...(panel.extra || []).map((m) => m.values)], box);
    chart.panel = panel;
    chart.root.querySelector('.u-select').style.background = colours.selection;
    wireChart(chart, box);
    return chart;
  }

  // A chart zooms about the pointer on the wheel and a pinch; a shift-drag
  // or two fingers move it, a plain drag still selects a range to zoom to.
  function wireChart(u, box) {
    const gestures = window.viewGestures;
    const kmPerPixel = () => (state.range[1] - state.range[0]) / Math.max(1, u.over.clientWidth);
    box.tabIndex = 0;
    box.setAttribute('aria-label', u.panel.id + ' along the line');
    // From the range as set, not the chart's scale: that follows later.
    const kmAt = (x) => state.range[0] + x * kmPerPixel();
    gestures.onWheel(u.over, (factor, x) => zoomCharts(factor, kmAt(x)));
    gestures.onPointers(u.over, {
      accepts: (event) => event.shiftKey || event.pointerType === 'touch',
      zoom: (factor, x) => zoomCharts(factor, kmAt(x)),
      pan: (dx, dy, count) => {
        if (count > 1 || u.over.dataset.panning) moveCharts(-dx * kmPerPixel());
      },
    });
    u.over.addEventListener('pointerdown', (event) => {
      if (event.shiftKey || event.pointerType === 'touch') u.over.dataset.panning = event.shiftKey ? '1' : '';
    });
    window.addEventListener('pointerup', () => { delete u.over.dataset.panning; });
    gestures.onKeys(box, {
      zoom: (factor) => zoomCharts(factor, (state.range[0] + state.range[1]) / 2),
      pan: (dx) => moveCharts(-dx * kmPerPixel()),
      whole: wholeLine,
    });
  }

  // A chart's width inside its frame's border.
  function chartWidth() {
    return Math.max(120, (document.getElementById('charts').clientWidth || 900) - 2);
  }
  function buildCharts() {
    const container = document.getElementById('charts');
    panels.forEach((panel) => charts.push(makeChart(panel, container, chartWidth())));
  }

  return { buildCharts, chartWidth, wholeLine };
};
