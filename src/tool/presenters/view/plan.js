// The plan: the line drawn from above, turned and fitted to its box, and
// the cell nearest the pointer. `page` is what the view's parts share.
window.viewPlan = function (page) {
  'use strict';
  const { data, cells, km, state, counts, colours, indexAt } = page;
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

  // After the plan was zoomed or moved: the charts show what it shows.
  function chartsFollowPlan() {
    const charts = page.charts;
    if (!hasPlan || !charts.length) return;
    let lo = null, hi = null;
    for (let i = 0; i < km.length; i++) {
      const [x, y] = px(i);
      if (x < 0 || y < 0 || x > plan.width || y > plan.height) continue;
      if (lo === null) lo = i;
      hi = i;
    }
    if (lo === null || hi <= lo) return;
    page.planRange = [km[lo], km[hi]], page.fittedRange = null;
    charts[0].setScale('x', { min: km[lo], max: km[hi] });
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
      whole: page.wholeLine,
    });
    plan.addEventListener('pointermove', (event) => {
      if (event.buttons) return;
      page.pinned = null;
      const index = nearestCell(event);
      if (index != null) {
        page.charts.forEach((u) => u.setCursor({ left: u.valToPos(km[index], 'x'), top: 20 }));
        page.showPoint(index);
      }
    });
    // A tap shows the point as a hover does.
    plan.addEventListener('click', (event) => {
      if (pointers.moved()) return;
      const index = nearestCell(event);
      if (index != null) page.showPoint(index);
    });
    plan.addEventListener('dblclick', page.wholeLine);
    document.getElementById('whole-line').addEventListener('click', page.wholeLine);
  }

  // The plan's own zoom and pan, kept over a reload: set with the charts'
  // range it goes with, which then does not refit it.
  const planView = () => ({ scale: view.scale, ox: view.ox, oy: view.oy, size: [plan.width, plan.height] });
  function setPlanView(kept, range) {
    const numbers = [kept.scale, kept.ox, kept.oy].map(Number);
    const sameSize = Array.isArray(kept.size) && kept.size[0] === plan.width && kept.size[1] === plan.height;
    if (!sameSize || !numbers.every(Number.isFinite) || !(numbers[0] > 0)) return;
    [view.scale, view.ox, view.oy] = numbers;
    page.planRange = range.slice(), page.fittedRange = null;
    requestPlan();
  }

  return { plan, px, fitPlan, turnPlan, sizePlan, requestPlan, drawPlan, chartsFollowPlan, wirePlan,
    planView, setPlanView };
};
