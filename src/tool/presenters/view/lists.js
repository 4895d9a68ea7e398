// The lists under the charts: the stations, and the errors and warnings;
// each row or link sends the page to its place. `page` is what the view's
// parts share.
window.viewLists = function (page) {
  'use strict';
  const { data, el, fmt } = page;

  function buildLists() {
    const body = document.querySelector('#stations tbody');
    data.stations.forEach((s) => {
      const row = el('tr', { 'data-km': s.km, tabindex: '0' });
      row.append(el('td', {}, s.name), el('td', { class: 'num' }, fmt(s.km, 3)),
        el('td', {}, s.time), el('td', { class: 'num' }, fmt(s.from, 2) + ' to ' + fmt(s.to, 2)));
      // The run's times; a section the train cannot run in the time the
      // timetable gives it is marked.
      const stop = page.run.stopOf(s);
      page.run.stationCells(stop).forEach((text) => row.append(el('td', { class: 'num' }, text)));
      if (stop && !stop.kept) row.classList.add('late'), row.title = 'this time cannot be kept';
      row.addEventListener('click', () => {
        history.pushState(null, '', '#km=' + s.km);
        page.goTo(s.cell - 1, page.stationAbout(s));
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
          page.goTo(m.cell - 1, page.messageAbout(m));
        });
        item.append(link);
      }
      list.append(item);
    });
  }

  return { buildLists };
};
