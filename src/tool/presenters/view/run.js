// A train's run over the line, when the page has one: its speed and the
// braking ceiling drawn on the speed chart, its speed and time in the
// readout, and each timed station's computed, scheduled and spare time.
window.viewRun = function (data) {
  'use strict';
  const run = data.run;

  // Seconds after the first departure as h:mm:ss; a minus before a
  // negative margin.
  function clock(seconds) {
    const whole = Math.round(Math.abs(seconds));
    const two = (n) => String(n).padStart(2, '0');
    return (seconds < -0.5 ? '-' : '') + Math.floor(whole / 3600) + ':' +
      two(Math.floor(whole / 60) % 60) + ':' + two(whole % 60);
  }

  // The speed chart's series beside the line speed.
  function series() {
    if (!run) return [];
    return [
      { label: 'braking ceiling', values: run.ceiling, colour: '#7f7f7f', dash: [4, 3] },
      { label: 'train speed', values: run.speed, colour: '#d62728' },
    ];
  }

  // The readout's line for the cell at `index`, or none off the run.
  function readoutLine(index) {
    if (!run || run.speed[index] == null) return null;
    return 'train ' + run.speed[index].toFixed(1) + ' km/h at ' + clock(run.time[index]) +
      ' after the departure (braking ceiling ' + run.ceiling[index].toFixed(1) + ' km/h)';
  }

  // The run's stop for station `s` of the table, matched by its
  // progressive and name; each stop is taken once.
  const taken = new Set();
  function stopOf(s) {
    if (!run) return null;
    const stop = run.stops.find((t, i) => !taken.has(i) &&
      Math.round(t.km * 1000) === s.progressive && t.name === s.name);
    if (stop) taken.add(run.stops.indexOf(stop));
    return stop || null;
  }

  // The station table's three cells for `stop`: when the train is there
  // (arrival, and departure where it stops and waits), the scheduled
  // time, and the seconds to spare.
  function stationCells(stop) {
    if (!stop) return ['', '', ''];
    const computed = clock(stop.arrival_s) +
      (stop.departure_s > stop.arrival_s ? ' \u2013 ' + clock(stop.departure_s) : '');
    const scheduled = stop.scheduled_s == null ? '' : clock(stop.scheduled_s);
    const margin = stop.margin_s == null ? '' : String(Math.round(stop.margin_s)) + ' s';
    return [computed, scheduled, margin];
  }

  // What the summary says of the run.
  function summary() {
    if (!run) return data.run_note || '';
    return 'run of ' + run.train.name + ': ' + clock(run.total_time_s) +
      (run.all_kept ? '' : ', some times cannot be kept');
  }

  return { clock, series, readoutLine, stopOf, stationCells, summary };
};
