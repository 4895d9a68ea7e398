// The compile's errors where the author looks: in a banner at the top of
// the page, and as a mark at the error's kilometre on every chart that
// tells its text on hover or focus. Errors the page did not show before
// it reloaded itself are marked new.
(function () {
  'use strict';
  const data = JSON.parse(document.getElementById('scenario-data').textContent);
  const view = window.scenarioView;
  if (!view) return;
  const errors = data.messages.filter((m) => m.level === 'error');
  const previous = window.scenarioWatch && window.scenarioWatch.previousErrors;
  const said = (m) => (m.where ? m.where + ': ' : '') + m.text;
  const isNew = (m) => previous != null && !previous.includes(m.where + ': ' + m.text);
  const el = (tag, cls, text) => {
    const node = document.createElement(tag);
    if (cls) node.className = cls;
    if (text !== undefined) node.textContent = text;
    return node;
  };
  const go = (m) => {
    history.pushState(null, '', '#km=' + m.km);
    view.goTo(m.cell - 1);
  };

  function banner() {
    const box = document.getElementById('error-banner');
    if (!box || !errors.length) return;
    errors.forEach((m) => {
      const row = el('div', 'error-row' + (isNew(m) ? ' new' : ''));
      if (isNew(m)) row.append(el('strong', 'tag', 'new '));
      row.append(el('span', 'where', m.where ? m.where + ': ' : ''), el('span', 'text', m.text));
      if (m.km !== undefined) {
        const link = el('a', '', 'km ' + Number(m.km).toFixed(3));
        link.href = '#km=' + m.km;
        link.addEventListener('click', (event) => { event.preventDefault(); go(m); });
        row.append(link);
      }
      box.append(row);
    });
    box.hidden = false;
  }

  // A mark per error on the chart `u`, put back at its kilometre whenever
  // the chart redraws; out of the shown range it is hidden.
  function marks(u) {
    const placed = errors.filter((m) => m.km !== undefined).map((m) => {
      const mark = el('button', 'error-mark' + (isNew(m) ? ' new' : ''));
      mark.type = 'button';
      mark.setAttribute('aria-label', 'error at km ' + Number(m.km).toFixed(3) + ': ' + said(m));
      mark.append(el('span', 'tip', said(m)));
      mark.addEventListener('click', () => go(m));
      u.over.append(mark);
      return { mark, km: m.km };
    });
    const place = () => placed.forEach(({ mark, km }) => {
      const x = u.valToPos(km, 'x');
      mark.hidden = !(x >= 0 && x <= u.over.clientWidth);
      mark.style.left = x + 'px';
      // The text opens toward the middle of the chart.
      mark.classList.toggle('toward-left', x > u.over.clientWidth / 2);
    });
    (u.hooks.draw = u.hooks.draw || []).push(place);
    place();
  }

  banner();
  view.charts.forEach(marks);
})();
