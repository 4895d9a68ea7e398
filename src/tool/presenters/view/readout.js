// The readout: what stands at a point of the line, and what the page was
// sent to there (a station, a message). `page` is what the view's parts
// share.
window.viewReadout = function (page) {
  'use strict';
  const { data, cells, km, state, counts, el, fmt } = page;
  const byCell = new Map(data.features.map((f) => [f.c, f]));
  const inForce = window.viewInForce(data);

  function stationAt(at) {
    return data.stations.find((s) => at >= s.from && at <= s.to);
  }

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
    const train = page.run.readoutLine(index);
    if (train) lines.push(train);
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
    page.requestPlan();
  }

  // What heads the readout for a station or a message the page was sent to.
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

  return { showPoint, stationAbout, messageAbout };
};
