// The scenario view: the plan, the profiles along one kilometre axis, and
// what stands at any point of the line, from the data the tool embedded.
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
  const byCell = new Map(data.features.map((f) => [f.c, f]));
  const inForce = window.viewInForce(data);
  const drawGuides = window.viewChartGuides(data, window.viewLegend.colours);
  const charts = [];
  const state = { range: [0, data.length], cell: null };
  // How often the readout was written and the plan drawn, for the tests.
  const counts = { readout: 0, plan: 0 };

  const colours = window.viewLegend.colours;
  const fmt = (value, digits) => Number(value).toFixed(digits);
  const el = (tag, attrs, text) => {
    const node = document.createElement(tag);
    Object.entries(attrs || {}).forEach(([k, v]) => node.setAttribute(k, v));
    if (text !== undefined) node.textContent = text;
    return node;
  };
  // The index of the cell at kilometre `at` (cells stand 50 m apart).
  const indexAt = (at) => Math.max(0, Math.min(km.length - 1, Math.round(at * 20)));

  // --- What stands at a point of the line -------------------------------
  function stationAt(at) {
    return data.stations.find((s) => at >= s.from && at <= s.to);
  }
  // A place the page was sent to (a station row, a message, #km=) holds
  // the readout until the pointer moves over the plan or a chart.
  let pinned = null;

  // What the readout says of the cell at `index`; `about`, the station or
  // message the page was sent to, goes first.
  // Every chart reports the cursor it was given: a cell already shown is
  // not written again, and the plan is drawn once in the next frame.
  let shownPoint = null;
  function showPoint(index, about) {
    if (index == null || index < 0 || index >= km.length) return;
    if (shownPoint && shownPoint[0] === index && shownPoint[1] === about) return;
    shownPoint = [index, about];
    counts.readout++;
    state.cell = index;
    const c = index + 1;
    const at = km[index];
    const readout = document.getElementById('readout');
    readout.textContent = '';
    readout.append(el('h3', {}, 'km ' + fmt(at, 3) + ' \u2014 cell ' + c));
    if (about) readout.append(about);
    const lines = [
      'line speed ' + cells.speed[index] + ' km/h',
      'gradient ' + cells.gradient[index] + ' \u2030, elevation ' + fmt(cells.elevation[index], 1) + ' m',
      'adhesion ' + cells.adhesion[index] +
        (cells.tunnel[index] ? ', in a tunnel (type ' + cells.tunnel[index] + ')' : ''),
      'curvature ' + fmt(cells.curvature[index], 2) + ' /km',
    ];
    readout.append(el('div', { class: 'profile' }, lines.join('\n')));
    const slowdown = data.slowdowns.find((z) => at >= z.from - 1e-9 && at <= z.to + 1e-9);
    readout.append(inForce(c, (kind) => (kind === 'tunnel' ? cells.tunnel[index] !== 0
      : kind === 'slowdown' ? Boolean(slowdown) : true)));
    if (slowdown) {
      readout.append(el('div', { class: 'slowdown' }, 'slow-down ' + slowdown.speed + ' km/h from km ' +
        fmt(slowdown.from, 3) + ' to km ' + fmt(slowdown.to, 3)));
    }
    const station = stationAt(at);
    if (station) {
      readout.append(el('div', { class: 'station' }, 'station ' + station.name +
        (station.time ? ' at ' + station.time : '') + ' (km ' + fmt(station.from, 3) + ' to ' +
        fmt(station.to, 3) + ')'));
    }
    const feature = byCell.get(c);
    if (feature) {
      readout.append(el('div', { class: 'feature' }, feature.text));
      if (feature.source) readout.append(el('div', { class: 'source' }, feature.source));
      if (feature.record) readout.append(el('div', { class: 'source' }, feature.record));
    }
    requestPlan();
  }

  // --- The charts along the line ---------------------------------------
  const { overlayBands, drawBoards, drawTextBoards, steps } = window.viewChartMarks(data, colours);

  const panels = [
    { id: 'elevation', title: 'elevation (m, from the gradients); tunnels shaded, text boards ticked',
      values: cells.elevation, unit: 'm', colour: '#8c564b', draw: (u) => {
        overlayBands(u, data.tunnels, colours.tunnel);
        drawTextBoards(u);
      } },
    { id: 'speed', title: 'line speed (km/h), speed boards \u25b2 and slow-downs shaded with their speed',
      values: cells.speed, unit: 'km/h', colour: '#1f77b4', stepped: true,
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
  // stretch: zooming either zooms the other.
  // The range the plan last gave the charts: the plan keeps its own view
  // of it (zoomed about the pointer, moved) instead of refitting.
  let fittedRange = null;
  let syncing = false, planRange = null;
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
    const ledByPlan = planRange && planRange[0] === min && planRange[1] === max;
    // Each chart reports the same range: the plan is fitted to it once.
    const fitted = fittedRange && fittedRange[0] === min && fittedRange[1] === max;
    if (!ledByPlan && !fitted) {
      fittedRange = [min, max];
      planRange = null;
      if (min <= km[0] && max >= km[km.length - 1]) fitPlan();
      else fitPlan(indexAt(min), indexAt(max));
    }
    requestPlan();
  }
  // After the plan was zoomed or moved: the charts show what it shows.
  function chartsFollowPlan() {
    if (!hasPlan || !charts.length) return;
    let lo = null, hi = null;
    for (let i = 0; i < km.length; i++) {
      const [x, y] = px(i);
      if (x < 0 || y < 0 || x > plan.width || y > plan.height) continue;
      if (lo === null) lo = i;
      hi = i;
    }
    if (lo === null || hi <= lo) return;
    planRange = [km[lo], km[hi]], fittedRange = null;
    charts[0].setScale('x', { min: km[lo], max: km[hi] });
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
    planRange = null, fittedRange = null;
    fitPlan();
    setChartRange(0, data.length);
    requestPlan();
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
          if (pinned) pinCursor(u);
        }],
        setCursor: [(u) => {
          if (!pinned && pointerOnChart && u.cursor.idx != null) showPoint(u.cursor.idx);
        }],
        drawAxes: [drawGuides],
        draw: panel.draw ? [panel.draw] : [],
      },
    };
    // The pointer over a chart lets go of a pinned place before the chart
    // moves its cursor.
    box.addEventListener('mousemove', () => { pinned = null, pointerOnChart = true; }, true);
    box.addEventListener('mouseleave', () => { pointerOnChart = false; });
    const chart = new uPlot(opts, [km, panel.values], box);
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
      charts.forEach((u) => u.setSize({ width: chartWidth(), height: 150 }));
      sizePlan();
      turnPlan();
      planRange = null, fittedRange = null;
      if (state.range[0] <= km[0] && state.range[1] >= km[km.length - 1]) fitPlan();
      else fitPlan(indexAt(state.range[0]), indexAt(state.range[1]));
      requestPlan();
      if (pinned) placeCursors();
    };
    // Sized in the next frame, not while the observer reports: resizing
    // there would be reported again in the same frame.
    new ResizeObserver(() => {
      if (!queued) queued = true, requestAnimationFrame(follow);
    }).observe(document.querySelector('main'));
  }

  // Sends the page to the cell at `index`: every chart shows it two
  // kilometres either side with its cursor there, the plan that stretch
  // ringed at the cell, the readout the cell and `about`; the plan and the
  // charts are scrolled into sight.
  function goTo(index, about) {
    index = Math.max(0, Math.min(km.length - 1, index));
    pinned = { index, about };
    const at = km[index];
    const min = Math.max(km[0], at - 2), max = Math.min(km[km.length - 1], at + 2);
    if (charts.length) charts[0].setScale('x', { min, max });
    showPoint(index, about);
    placeCursors();
    document.getElementById('plan-panel').scrollIntoView({ block: 'start' });
  }
  // A chart takes a new range after the running task, and then puts its
  // cursor back where it stood in pixels: the cursor goes on the pinned
  // cell each time the range is set, and once the task is over.
  function pinCursor(u) {
    u.setCursor({ left: u.valToPos(km[pinned.index], 'x'), top: 20 });
  }
  function placeCursors() {
    queueMicrotask(() => { if (pinned) charts.forEach(pinCursor); });
  }
  function focus(at) { goTo(indexAt(at)); }
  function about(kind, lines) {
    const box = el('div', { class: 'about ' + kind });
    lines.filter((l) => l).forEach(([cls, text]) => box.append(el('div', { class: cls }, text)));
    return box;
  }
  function stationAbout(s) {
    return about('station', [
      ['what', 'station ' + s.name + (s.time ? ' at ' + s.time : '') + ', progressive ' +
        s.progressive + ' m (stretch km ' + fmt(s.from, 3) + ' to ' + fmt(s.to, 3) + ')'],
      s.source && ['source', s.source],
      s.record && ['source', s.record],
    ]);
  }
  function messageAbout(m) {
    return about('message', [
      ['what', m.level + ': ' + m.text],
      ['what', 'progressive ' + m.progressive + ' m'],
      m.where && ['source', m.where],
    ]);
  }
  // `#km=K`: the cell that holds kilometre K.
  function fromHash() {
    const wanted = /^#km=(-?[0-9]+(?:\.[0-9]+)?)$/.exec(location.hash);
    if (wanted) goTo(indexAt(Number(wanted[1])));
  }
  // The plan's own zoom and pan, kept over a reload: set with the charts'
  // range it goes with, which then does not refit it.
  const planView = () => ({ scale: view.scale, ox: view.ox, oy: view.oy, size: [plan.width, plan.height] });
  function setPlanView(kept, range) {
    const numbers = [kept.scale, kept.ox, kept.oy].map(Number);
    const sameSize = Array.isArray(kept.size) && kept.size[0] === plan.width && kept.size[1] === plan.height;
    if (!sameSize || !numbers.every(Number.isFinite) || !(numbers[0] > 0)) return;
    [view.scale, view.ox, view.oy] = numbers;
    planRange = range.slice(), fittedRange = null;
    requestPlan();
  }
  window.scenarioView = { focus, goTo, showPoint, charts, indexAt, state, counts, planView, setPlanView,
    planPoint: (i) => px(i).map((v) => v / devicePixelRatio) };

  // --- The plan --------------------------------------------------------
  const plan = document.getElementById('plan');
  const view = { scale: 1, ox: 0, oy: 0, cos: 1, sin: 0 };
  const hasPlan = Array.isArray(cells.x) && cells.x.length === km.length;

  // Fits cells `from` to `to` (the whole line when not given) into the plan.
  function fitPlan(from = 0, to = km.length - 1) {
    if (!hasPlan) return;
    const xs = [], ys = [];
    for (let i = from; i <= to; i++) {
      xs.push(cells.x[i] * view.cos - cells.y[i] * view.sin);
      ys.push(cells.x[i] * view.sin + cells.y[i] * view.cos);
    }
    const low = (values) => values.reduce((a, b) => Math.min(a, b), Infinity);
    const high = (values) => values.reduce((a, b) => Math.max(a, b), -Infinity);
    const minX = low(xs), maxX = high(xs), minY = low(ys), maxY = high(ys);
    const w = plan.width, h = plan.height, pad = 30 * devicePixelRatio;
    view.scale = Math.min((w - 2 * pad) / Math.max(1, maxX - minX), (h - 2 * pad) / Math.max(1, maxY - minY));
    view.ox = pad - minX * view.scale + (w - 2 * pad - (maxX - minX) * view.scale) / 2;
    view.oy = pad + maxY * view.scale + (h - 2 * pad - (maxY - minY) * view.scale) / 2;
  }
  const px = (i) => [view.ox + (cells.x[i] * view.cos - cells.y[i] * view.sin) * view.scale,
    view.oy - (cells.x[i] * view.sin + cells.y[i] * view.cos) * view.scale];
  // The plan turned so that the whole line fills its box best: of the
  // turns by whole degrees, the one that lets it be drawn largest.
  function turnPlan() {
    if (!hasPlan) return;
    const step = Math.max(1, Math.floor(km.length / 2000));
    let best = -Infinity;
    for (let degrees = 0; degrees < 180; degrees++) {
      const a = degrees * Math.PI / 180, c = Math.cos(a), s = Math.sin(a);
      let x0 = Infinity, x1 = -Infinity, y0 = Infinity, y1 = -Infinity;
      for (let i = 0; i < km.length; i += step) {
        const x = cells.x[i] * c - cells.y[i] * s, y = cells.x[i] * s + cells.y[i] * c;
        x0 = Math.min(x0, x), x1 = Math.max(x1, x), y0 = Math.min(y0, y), y1 = Math.max(y1, y);
      }
      const fit = Math.min(plan.width / Math.max(1, x1 - x0), plan.height / Math.max(1, y1 - y0));
      if (fit > best * 1.001) best = fit, view.cos = c, view.sin = s;
    }
  }

  function curveColour(k) {
    const bend = Math.abs(k);
    if (bend < 0.05) return colours.straight;
    return bend < 1.5 ? colours.gentle : colours.sharp;
  }
  // Whether the point (x, y) lies outside the plan, with a margin.
  const outside = (x, y) => x < -50 || y < -50 || x > plan.width + 50 || y > plan.height + 50;
  // Cells `from` to `to` as one path; a step between two points outside
  // the plan is left out, so a zoomed plan costs what it shows.
  // A point closer than a pixel to the last one drawn is passed over.
  function pathRun(ctx, from, to) {
    let was = true, lx = 0, ly = 0;
    const last = Math.min(to, km.length - 1);
    for (let i = from; i <= last; i++) {
      const [x, y] = px(i);
      const out = outside(x, y);
      if (i === from || (was && out)) ctx.moveTo(x, y);
      else if (i === last || Math.abs(x - lx) + Math.abs(y - ly) >= 1) ctx.lineTo(x, y);
      else continue;
      was = out, lx = x, ly = y;
    }
  }
  function strokeRun(ctx, from, to, colour, width) {
    ctx.strokeStyle = colour;
    ctx.lineWidth = width;
    ctx.beginPath();
    pathRun(ctx, from, to);
    ctx.stroke();
  }
  // The track in runs of one colour: one path for each.
  function drawTrack(ctx, width) {
    let from = 0;
    for (let i = 1; i <= km.length; i++) {
      const colour = curveColour(cells.curvature[from]);
      if (i < km.length && curveColour(cells.curvature[i]) === colour && i - from < 4000) continue;
      strokeRun(ctx, from, Math.min(i, km.length - 1), colour, width);
      from = i;
    }
  }
  // The plan is drawn once a frame, whatever asked for it how often.
  let planQueued = false;
  function requestPlan() {
    if (planQueued) return;
    planQueued = true;
    requestAnimationFrame(() => { planQueued = false; drawPlan(); });
  }
  function drawPlan() {
    counts.plan++;
    const ctx = plan.getContext('2d');
    ctx.clearRect(0, 0, plan.width, plan.height);
    if (!hasPlan) {
      ctx.fillText('no plan: the scenario was compiled without one', 20, 30);
      return;
    }
    const dpr = devicePixelRatio;
    const [lo, hi] = [indexAt(state.range[0]), indexAt(state.range[1])];
    ctx.globalAlpha = 0.7;
    if (lo > 0 || hi < km.length - 1) strokeRun(ctx, lo, hi, colours.stretch, 9 * dpr);
    ctx.globalAlpha = 0.6;
    data.tunnels.forEach((t) => strokeRun(ctx, indexAt(t.from), indexAt(t.to), colours.tunnel, 7 * dpr));
    ctx.globalAlpha = 1;
    data.slowdowns.forEach((z) => strokeRun(ctx, indexAt(z.from), indexAt(z.to), colours.slowdown, 6 * dpr));
    drawTrack(ctx, 2 * dpr);
    ctx.fillStyle = colours.signal;
    data.features.filter((f) => f.kind === 'signal').forEach((f) => {
      const [x, y] = px(indexAt(f.km));
      if (!outside(x, y)) ctx.fillRect(x - 2 * dpr, y - 2 * dpr, 4 * dpr, 4 * dpr);
    });
    drawStations(ctx, dpr);
    if (state.cell != null) {
      const [x, y] = px(state.cell);
      ctx.strokeStyle = colours.point;
      ctx.lineWidth = 2 * dpr;
      ctx.beginPath();
      ctx.arc(x, y, 7 * dpr, 0, 2 * Math.PI);
      ctx.stroke();
    }
  }
  // Station dots, and the labels that find room: a label that would cover
  // another is left out until the plan is zoomed in.
  function drawStations(ctx, dpr) {
    const placed = [];
    ctx.font = (11 * dpr) + 'px sans-serif';
    let drawn = 0;
    data.stations.forEach((s) => {
      const [x, y] = px(indexAt(s.km));
      if (x < 0 || y < 0 || x > plan.width || y > plan.height) return;
      ctx.fillStyle = colours.station;
      ctx.beginPath();
      ctx.arc(x, y, 4 * dpr, 0, 2 * Math.PI);
      ctx.fill();
      drawn++;
      const w = ctx.measureText(s.name).width, h = 12 * dpr;
      const box = [x + 6 * dpr, y - h, x + 6 * dpr + w, y];
      if (placed.some((b) => box[0] < b[2] && box[2] > b[0] && box[1] < b[3] && box[3] > b[1])) return;
      placed.push(box);
      ctx.fillStyle = '#222';
      ctx.fillText(s.name, box[0], y - 2 * dpr);
    });
    plan.dataset.stationsDrawn = String(drawn);
    plan.dataset.labelsDrawn = String(placed.length);
  }
  function sizePlan() {
    plan.width = plan.clientWidth * devicePixelRatio;
    plan.height = plan.clientHeight * devicePixelRatio;
  }
  function nearestCell(event) {
    const rect = plan.getBoundingClientRect();
    const mx = (event.clientX - rect.left) * devicePixelRatio;
    const my = (event.clientY - rect.top) * devicePixelRatio;
    let best = null, bestDistance = (14 * devicePixelRatio) ** 2;
    for (let i = 0; i < km.length; i++) {
      const [x, y] = px(i);
      const distance = (x - mx) ** 2 + (y - my) ** 2;
      if (distance < bestDistance) bestDistance = distance, best = i;
    }
    return best;
  }
  // The plan zoomed by `factor` about the point (x, y) in CSS pixels, or
  // moved by (dx, dy): it keeps that view, and the charts show its stretch.
  function zoomPlan(factor, x, y) {
    const mx = x * devicePixelRatio, my = y * devicePixelRatio;
    view.ox = mx - (mx - view.ox) * factor;
    view.oy = my - (my - view.oy) * factor;
    view.scale *= factor;
    requestPlan();
    chartsFollowPlan();
  }
  function movePlan(dx, dy) {
    view.ox += dx * devicePixelRatio;
    view.oy += dy * devicePixelRatio;
    requestPlan();
  }
  function wirePlan() {
    const gestures = window.viewGestures;
    plan.tabIndex = 0;
    gestures.onWheel(plan, zoomPlan);
    const pointers = gestures.onPointers(plan, {
      accepts: (event) => event.button === 0,
      zoom: zoomPlan,
      pan: movePlan,
      end: (moved) => { if (moved) chartsFollowPlan(); },
    });
    gestures.onKeys(plan, {
      zoom: (factor) => zoomPlan(factor, plan.clientWidth / 2, plan.clientHeight / 2),
      pan: (dx, dy) => { movePlan(dx, dy); chartsFollowPlan(); },
      whole: wholeLine,
    });
    plan.addEventListener('pointermove', (event) => {
      if (event.buttons) return;
      pinned = null;
      const index = nearestCell(event);
      if (index != null) {
        charts.forEach((u) => u.setCursor({ left: u.valToPos(km[index], 'x'), top: 20 }));
        showPoint(index);
      }
    });
    // A tap shows the point as a hover does.
    plan.addEventListener('click', (event) => {
      if (pointers.moved()) return;
      const index = nearestCell(event);
      if (index != null) showPoint(index);
    });
    plan.addEventListener('dblclick', wholeLine);
    document.getElementById('whole-line').addEventListener('click', wholeLine);
  }

  // --- Lists -----------------------------------------------------------
  function buildLists() {
    const body = document.querySelector('#stations tbody');
    data.stations.forEach((s) => {
      const row = el('tr', { 'data-km': s.km, tabindex: '0' });
      row.append(el('td', {}, s.name), el('td', { class: 'num' }, fmt(s.km, 3)),
        el('td', {}, s.time), el('td', { class: 'num' }, fmt(s.from, 2) + ' to ' + fmt(s.to, 2)));
      row.addEventListener('click', () => {
        history.pushState(null, '', '#km=' + s.km);
        goTo(s.cell - 1, stationAbout(s));
      });
      row.addEventListener('keydown', (event) => {
        if (event.key === 'Enter' || event.key === ' ') event.preventDefault(), row.click();
      });
      body.append(row);
    });
    const list = document.getElementById('messages');
    if (!data.messages.length) list.append(el('li', {}, 'none'));
    data.messages.forEach((m) => {
      const item = el('li', { class: m.level });
      item.append(el('span', { class: 'where' }, m.where ? m.where + ': ' : ''),
        document.createTextNode(m.level + ': ' + m.text));
      if (m.km !== undefined) {
        const link = el('a', { href: '#km=' + m.km }, 'km ' + fmt(m.km, 3));
        link.addEventListener('click', (event) => {
          event.preventDefault();
          history.pushState(null, '', link.getAttribute('href'));
          goTo(m.cell - 1, messageAbout(m));
        });
        item.append(link);
      }
      list.append(item);
    });
  }

  function start() {
    document.getElementById('title').textContent = data.title;
    document.title = data.title;
    document.getElementById('summary').textContent = fmt(data.length, 3) + ' km, ' +
      data.stations.length + ' stations, ' + data.messages.length + ' errors and warnings';
    window.viewLegend.build(document.getElementById('legend'));
    sizePlan();
    turnPlan();
    fitPlan();
    wirePlan();
    buildCharts();
    buildLists();
    followSize();
    drawPlan();
    fromHash();
    window.addEventListener('hashchange', fromHash);
    document.body.dataset.ready = 'true';
  }
  start();
})();
