// The printed profile: when the page is printed, the line is laid out 25 km
// a page, each page one SVG (10 mm to the kilometre on A4 landscape, about
// 14.4 mm on A3): the stations labelled, the elevation, the track with its
// curves, tunnels and stations, the gradient with its value in per mille
// over every section wide enough, the line speed with its values, and the
// kilometres. Built once, the first time the page is printed.
(function () {
  'use strict';
  const data = JSON.parse(document.getElementById('scenario-data').textContent);
  const cells = data.cells, km = cells.km;
  const KM_A_PAGE = 25, UNIT_KM = 50;  // 5 units a millimetre: 10 mm a kilometre on A4
  const W = 1385, H = 925, LEFT = 100;
  const NS = 'http://www.w3.org/2000/svg';
  const svgEl = (tag, attrs, text) => {
    const node = document.createElementNS(NS, tag);
    Object.entries(attrs).forEach(([k, v]) => node.setAttribute(k, String(v)));
    if (text !== undefined) node.textContent = text;
    return node;
  };
  const indexAt = (at) => Math.max(0, Math.min(km.length - 1, Math.round(at * 20)));
  // The runs of equal value in `values` between cells `from` and `to`.
  function runs(values, from, to) {
    const out = [];
    for (let i = from; i <= to; i++) {
      const last = out[out.length - 1];
      if (last && last.value === values[i]) last.to = i;
      else out.push({ from: i, to: i, value: values[i] });
    }
    return out;
  }

  function page(k0, k1) {
    const x = (k) => LEFT + (k - k0) * UNIT_KM;
    const i0 = indexAt(k0), i1 = indexAt(k1);
    const cellEnd = (i) => Math.min(k1, km[i] + 0.05);
    const svg = svgEl('svg', { viewBox: `0 0 ${W} ${H}`, class: 'print-sheet',
      'data-from': k0, 'data-to': k1 });
    const add = (tag, attrs, text) => svg.appendChild(svgEl(tag, attrs, text));
    const band = (y, name) => add('text', { x: 4, y, class: 'band' }, name);
    add('text', { x: 4, y: 26, class: 'title' }, data.title);
    add('text', { x: W - 4, y: 26, class: 'scale', 'text-anchor': 'end' },
      `km ${k0.toFixed(1)} to ${k1.toFixed(1)} \u00b7 ${KM_A_PAGE} km a page: 1 cm to the km on A4 landscape`);

    // Stations: a label standing up over each, a dashed line down to the track.
    band(280, 'stations');
    data.stations.filter((s) => s.km >= k0 && (s.km < k1 || k1 === data.length)).forEach((s) => {
      add('line', { x1: x(s.km), y1: 290, x2: x(s.km), y2: 515, class: 'station-line' });
      add('text', { x: 0, y: 0, class: 'station', transform: `translate(${x(s.km) + 5},285) rotate(-90)` },
        s.name + (s.time ? '  ' + s.time : ''));
    });

    // Elevation, with the tunnels shaded.
    const elev = cells.elevation.slice(i0, i1 + 1);
    const lo = Math.min(...elev), hi = Math.max(...elev, lo + 1);
    const ey = (v) => 460 - (v - lo) / (hi - lo) * 140;
    band(390, 'elevation (m)');
    add('text', { x: LEFT - 4, y: ey(hi) + 5, class: 'value', 'text-anchor': 'end' }, hi.toFixed(0));
    add('text', { x: LEFT - 4, y: ey(lo) + 5, class: 'value', 'text-anchor': 'end' }, lo.toFixed(0));
    data.tunnels.filter((t) => t.to > k0 && t.from < k1).forEach((t) => {
      const a = x(Math.max(k0, t.from)), b = x(Math.min(k1, t.to));
      add('rect', { x: a, y: 310, width: Math.max(1, b - a), height: 160, class: 'tunnel' });
      add('rect', { x: a, y: 505, width: Math.max(1, b - a), height: 20, class: 'tunnel' });
    });
    add('polyline', { class: 'elevation', points: elev.map((v, j) => `${x(km[i0 + j])},${ey(v)}`).join(' ') });

    // The track: straight on the middle, a curve drawn off it to its side.
    band(520, 'track');
    runs(cells.curvature.map((k) => Math.sign(Math.round(k * 20))), i0, i1).forEach((r) => {
      const y = 515 + r.value * 10;
      add('line', { x1: x(km[r.from]), y1: y, x2: x(cellEnd(r.to)), y2: y,
        class: r.value ? 'curve' : 'straight' });
    });
    data.stations.filter((s) => s.to > k0 && s.from < k1).forEach((s) => {
      const a = x(Math.max(k0, s.from)), b = x(Math.min(k1, s.to));
      add('rect', { x: a, y: 500, width: Math.max(2, b - a), height: 30, class: 'station-box' });
    });

    // Gradient: a rising, level or falling stroke per section, its value under it.
    band(630, 'gradient (\u2030)');
    runs(cells.gradient, i0, i1).forEach((r) => {
      const a = x(km[r.from]), b = x(cellEnd(r.to)), g = r.value;
      const rise = Math.sign(g) * 22;
      add('line', { x1: a, y1: 560, x2: a, y2: 680, class: 'divider' });
      add('line', { x1: a, y1: 610 + rise, x2: b, y2: 610 - rise, class: 'gradient' });
      const label = (g > 0 ? '+' : '') + g;
      const wide = b - a >= label.length * 8 + 4, tall = b - a >= 14;
      if (!wide && !tall) return;
      const at = (a + b) / 2;
      add('text', wide ? { x: at, y: 668, 'text-anchor': 'middle', class: 'gradient-value' }
        : { x: 0, y: 0, class: 'gradient-value', transform: `translate(${at + 5},680) rotate(-90)` }, label);
    });

    // Line speed: a step line from 0, its value over each run that has room.
    const top = Math.max(...cells.speed, 1);
    const sy = (v) => 810 - v / top * 90;
    band(770, 'speed (km/h)');
    runs(cells.speed, i0, i1).forEach((r) => {
      const a = x(km[r.from]), b = x(cellEnd(r.to));
      add('line', { x1: a, y1: sy(r.value), x2: b, y2: sy(r.value), class: 'speed' });
      add('line', { x1: a, y1: 810, x2: a, y2: sy(r.value), class: 'speed-riser' });
      if (b - a >= 30) add('text', { x: a + 2, y: sy(r.value) - 4, class: 'speed-value' }, String(r.value));
    });

    // The kilometres.
    band(870, 'km');
    add('line', { x1: x(k0), y1: 840, x2: x(k1), y2: 840, class: 'axis' });
    for (let k = Math.ceil(k0); k <= k1; k++) {
      add('line', { x1: x(k), y1: 840, x2: x(k), y2: 848, class: 'axis' });
      add('text', { x: x(k), y: 866, 'text-anchor': 'middle', class: 'km' }, String(k));
    }
    return svg;
  }

  function build() {
    if (document.getElementById('print-profile')) return;
    const box = document.createElement('section');
    box.id = 'print-profile';
    for (let k0 = 0; k0 < data.length; k0 += KM_A_PAGE) {
      const sheet = document.createElement('div');
      sheet.className = 'print-page';
      sheet.append(page(k0, Math.min(data.length, k0 + KM_A_PAGE)));
      box.append(sheet);
    }
    document.body.append(box);
  }
  window.addEventListener('beforeprint', build);
  const printing = matchMedia('print');
  if (printing.addEventListener) printing.addEventListener('change', (e) => { if (e.matches) build(); });
  window.scenarioPrint = { build, kmAPage: KM_A_PAGE };
})();
