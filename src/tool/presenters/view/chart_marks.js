// What the charts draw over their lines: shaded bands (tunnels,
// slow-downs), speed boards with all their speeds, text boards' ticks, and
// a stepped line that costs its steps, not its cells.
window.viewChartMarks = function (data, colours) {
  'use strict';
  // The drawing context of `u`, saved and clipped to the plot: nothing an
  // overlay draws strays over the axes.
  function clipped(u) {
    const ctx = u.ctx;
    ctx.save();
    ctx.beginPath();
    ctx.rect(u.bbox.left, u.bbox.top, u.bbox.width, u.bbox.height);
    ctx.clip();
    return ctx;
  }
  function overlayBands(u, bands, colour, label) {
    const ctx = clipped(u);
    bands.forEach((band) => {
      const x0 = u.valToPos(band.from, 'x', true);
      const x1 = u.valToPos(band.to, 'x', true);
      ctx.fillStyle = colour;
      ctx.globalAlpha = 0.25;
      ctx.fillRect(x0, u.bbox.top, Math.max(1, x1 - x0), u.bbox.height);
      ctx.globalAlpha = 1;
      if (label) {
        ctx.fillStyle = colours.slowdown;
        ctx.font = (11 * devicePixelRatio) + 'px sans-serif';
        ctx.fillText(label(band), x0 + 2, u.bbox.top + 12 * devicePixelRatio);
      }
    });
    ctx.restore();
  }
  // A speed board's speeds for each category of train, as it reads.
  function boardSpeeds(board) {
    const speeds = /^[0-9]+(\/[0-9]+)*/.exec(board.text || '');
    return speeds ? speeds[0] : String(board.speed);
  }
  function drawBoards(u) {
    const ctx = clipped(u);
    ctx.font = (10 * devicePixelRatio) + 'px sans-serif';
    let lastRight = -Infinity;
    u.boardLabels = [];  // what the chart shows, for the tests
    data.boards.filter((b) => b.kind === 'speed').forEach((board) => {
      const x = u.valToPos(board.km, 'x', true);
      const y = u.valToPos(board.speed, 'y', true);
      if (x < u.bbox.left || x > u.bbox.left + u.bbox.width) return;
      ctx.fillStyle = colours.speedBoard;
      ctx.beginPath();
      ctx.moveTo(x, y - 6 * devicePixelRatio);
      ctx.lineTo(x - 4 * devicePixelRatio, y);
      ctx.lineTo(x + 4 * devicePixelRatio, y);
      ctx.fill();
      const label = boardSpeeds(board);
      if (x > lastRight) {  // labels never overlap: a crowded one is left out
        ctx.fillText(label, x + 3, y - 7 * devicePixelRatio);
        u.boardLabels.push({ km: board.km, label });
        lastRight = x + ctx.measureText(label).width + 6;
      }
    });
    ctx.restore();
  }
  function drawTextBoards(u) {
    const ctx = clipped(u);
    ctx.strokeStyle = colours.textBoard;
    data.boards.filter((b) => b.kind === 'text').forEach((board) => {
      const x = u.valToPos(board.km, 'x', true);
      ctx.beginPath();
      ctx.moveTo(x, u.bbox.top + u.bbox.height);
      ctx.lineTo(x, u.bbox.top + u.bbox.height - 8 * devicePixelRatio);
      ctx.stroke();
    });
    ctx.restore();
  }

  // A stepped line through the points where the value changes, over the
  // visible cells only: a profile of thousands of cells costs its steps.
  function steps(u, seriesIndex, from, to) {
    const xs = u.data[0], ys = u.data[seriesIndex];
    const path = new Path2D();
    let last = null, y = 0;
    for (let i = from; i <= to; i++) {
      if (ys[i] == null || ys[i] === last) continue;
      const x = u.valToPos(xs[i], 'x', true);
      if (last === null) path.moveTo(x, u.valToPos(ys[i], 'y', true));
      else path.lineTo(x, y), path.lineTo(x, u.valToPos(ys[i], 'y', true));
      last = ys[i], y = u.valToPos(last, 'y', true);
    }
    if (last !== null) path.lineTo(u.valToPos(xs[to], 'x', true), y);
    return { stroke: path, fill: null, clip: null, band: null, gaps: null, flags: 0 };
  }

  return { overlayBands, drawBoards, drawTextBoards, steps };
};
