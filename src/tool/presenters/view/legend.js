// The colours of the view, one for each kind of mark and none shared, from
// a palette that readers with any common colour blindness can tell apart;
// and the legend that names every one of them.
window.viewLegend = (function () {
  'use strict';
  const colours = {
    straight: '#555555', gentle: '#56b4e9', sharp: '#cc79a7', station: '#d55e00',
    signal: '#009e73', slowdown: '#e69f00', tunnel: '#999999', stretch: '#f0e442',
    speedBoard: '#332288', textBoard: '#8c564b', point: '#000000',
    selection: 'rgba(0, 114, 178, 0.25)',
  };
  const entries = [
    ['straight', 'straight track'], ['gentle', 'gentle curve (under 1.5 /km)'],
    ['sharp', 'sharp curve'], ['station', 'station'], ['signal', 'signal'],
    ['slowdown', 'slow-down'], ['tunnel', 'tunnel'], ['stretch', 'stretch the charts show'],
    ['speedBoard', 'speed board \u25b2 (speeds by category)'], ['textBoard', 'text board'],
    ['point', 'the point in the readout'], ['selection', 'range a drag on a chart selects'],
  ];
  // The legend's items, each a swatch of its colour and what it marks.
  function build(list) {
    entries.forEach(([kind, text]) => {
      const item = document.createElement('li');
      item.dataset.kind = kind;
      const swatch = document.createElement('span');
      swatch.className = 'swatch';
      swatch.style.background = colours[kind];
      item.append(swatch, document.createTextNode(text));
      list.append(item);
    });
  }
  return { colours, build };
})();
