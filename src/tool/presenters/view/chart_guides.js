// The guides every chart draws behind its line: a thin vertical line at
// each station and at the kilometre posts, each labelled at the foot of the
// plot where its label has room (a label that would cover another is left
// out, stations first). Each chart keeps what it drew in `u.guides`.
window.viewChartGuides = function (data, colours) {
  'use strict';
  const postColour = '#bbbbbb';
  // Posts at a round step that leaves them `gap` px apart at the least.
  function postStep(u, gap) {
    const { min, max } = u.scales.x;
    const perPixel = (max - min) / Math.max(1, u.bbox.width / devicePixelRatio);
    const steps = [1, 2, 5, 10, 20, 50, 100, 200, 500];
    return steps.find((s) => s / perPixel >= gap) || steps[steps.length - 1];
  }
  function guidesOf(u) {
    const { min, max } = u.scales.x;
    const list = data.stations.filter((s) => s.km >= min && s.km <= max)
      .map((s) => ({ kind: 'station', km: s.km, label: s.name, colour: colours.station }));
    const step = postStep(u, 40);
    for (let k = Math.ceil(min / step) * step; k <= max; k += step) {
      list.push({ kind: 'post', km: k, label: 'km ' + k, colour: postColour });
    }
    return list;
  }
  const overlaps = (a, b) => a.left < b.right && b.left < a.right;
  // The guides of `u`, drawn in the chart's own pixels; labels in CSS
  // pixels of the plot for the tests.
  return function drawGuides(u) {
    const ratio = devicePixelRatio;
    const ctx = u.ctx;
    ctx.save();
    ctx.beginPath();
    ctx.rect(u.bbox.left, u.bbox.top, u.bbox.width, u.bbox.height);
    ctx.clip();
    ctx.font = (10 * ratio) + 'px sans-serif';
    ctx.textBaseline = 'bottom';
    ctx.textAlign = 'left';  // the axes leave it centred
    const placed = [];
    u.guides = guidesOf(u).map((g) => {
      const x = Math.round(u.valToPos(g.km, 'x', true)) + 0.5;
      ctx.strokeStyle = g.colour;
      ctx.lineWidth = 1;
      ctx.beginPath();
      ctx.moveTo(x, u.bbox.top);
      ctx.lineTo(x, u.bbox.top + u.bbox.height);
      ctx.stroke();
      const width = ctx.measureText(g.label).width;
      const box = { left: x + 2 * ratio, right: x + 4 * ratio + width };
      const room = box.right <= u.bbox.left + u.bbox.width && !placed.some((p) => overlaps(p, box));
      if (room) {
        placed.push(box);
        ctx.fillStyle = g.colour === postColour ? '#777777' : g.colour;
        ctx.fillText(g.label, box.left, u.bbox.top + u.bbox.height - 2 * ratio);
      }
      const css = (v) => (v - u.bbox.left) / ratio;
      return { kind: g.kind, km: g.km, x: css(x), label: room ? g.label : null,
        box: room ? { left: css(box.left), right: css(box.right) } : null };
    });
    ctx.restore();
  };
};
