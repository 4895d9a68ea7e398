// The train's run in the view, in headless Chromium, against what
// `scenario run --format json` computes for the same train: the speed
// chart draws the run under its braking ceiling and the line speed, the
// readout gives the train's speed and time at the pointer, and the station
// table gives each timed station's computed, scheduled and spare time,
// with the times that cannot be kept in red.
//
//   node run_test.mjs SCENARIO_TOOL ROLLING_STOCK_DIR WORK_DIR SCREENSHOT_DIR
import { execFileSync } from 'node:child_process';
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { examplePage, launchChromium, openReadyPage } from './support.mjs';

const [tool, stocks, work, shots] = process.argv.slice(2);
const failures = [];
const expect = (ok, what) => { if (!ok) failures.push(what); };

const defaultPage = examplePage(tool, work, shots);
const lineFile = join(work, 'Tarvosa_linea.txt');
const trainFile = join(work, 'Tarvosa_Corvale-.txt');
// A train too slow for the timetable: the intercity held to 40 km/h.
const slowTrain = JSON.parse(readFileSync(join(stocks, 'intercity-train.json'), 'utf8'));
slowTrain.max_speed = 40 / 3.6;
slowTrain.name = 'slow <b>train</b>';
const slowFile = join(work, 'slow.json');
writeFileSync(slowFile, JSON.stringify(slowTrain));
const slowPage = join(work, 'slow.html');
execFileSync(tool, ['view', lineFile, trainFile, '--rolling-stock', slowFile, '-o', slowPage], { stdio: 'ignore' });

// What `scenario run` computes for the train of `extra` options.
const runOf = (extra) => JSON.parse(execFileSync(tool,
  ['run', lineFile, trainFile, '--format', 'json', ...extra], { maxBuffer: 1 << 28 }).toString());
const clock = (s) => {
  const w = Math.round(Math.abs(s)), two = (n) => String(n).padStart(2, '0');
  return (s < -0.5 ? '-' : '') + Math.floor(w / 3600) + ':' + two(Math.floor(w / 60) % 60) + ':' + two(w % 60);
};
// The profile's point at `metres` (it has one at every cell's first metre).
const pointAt = (run, metres) => run.profile.find((p) => Math.abs(p.m - metres) < 1e-6);

async function check(browser, file, run, name) {
  const problems = [];
  const page = await openReadyPage(browser, file, problems);
  // The chart: the line speed, the ceiling and the run, cell by cell.
  const chart = await page.evaluate(() => {
    const u = window.scenarioView.charts.find((c) => c.panel.id === 'speed');
    return { labels: u.series.map((s) => s.label), data: u.data.map((d) => Array.from(d)) };
  });
  expect(chart.labels.join('|') === 'km|speed|braking ceiling|train speed',
    `${name}: the speed chart's series are ${chart.labels.join('|')}`);
  const [kms, line, ceiling, speed] = chart.data;
  let drawn = 0;
  kms.forEach((k, i) => {
    const p = pointAt(run, Math.round(k * 1000));
    if (!p) {
      expect(speed[i] == null, `${name}: the run is drawn at km ${k}, off the run`);
      return;
    }
    drawn++;
    expect(Math.abs(speed[i] - p.speed_kmh) < 0.01, `${name}: at km ${k} the chart draws ${speed[i]} km/h, the run ${p.speed_kmh}`);
    expect(speed[i] <= ceiling[i] + 0.01 && ceiling[i] <= Math.max(line[i], line[i - 1] ?? 0) + 0.01,
      `${name}: at km ${k} the run ${speed[i]} is not under its ceiling ${ceiling[i]} under the line speed ${line[i]}`);
  });
  expect(drawn > 100, `${name}: the run is drawn over ${drawn} cells only`);

  // The readout at km 30.
  await page.evaluate(() => { location.hash = '#km=30.000'; });
  await page.waitForFunction(() => document.getElementById('readout').textContent.includes('km 30.000'));
  const readout = await page.evaluate(() => document.getElementById('readout').textContent);
  const at30 = pointAt(run, 30000);
  const said = `train ${at30.speed_kmh.toFixed(1)} km/h at ${clock(at30.time_s)} after the departure`;
  expect(readout.includes(said), `${name}: the readout at km 30 should say "${said}": ${readout}`);

  // The station table.
  const rows = await page.evaluate(() => Array.from(document.querySelectorAll('#stations tbody tr'), (r) => ({
    cells: Array.from(r.cells, (c) => c.textContent), late: r.classList.contains('late'),
    colour: getComputedStyle(r.cells[4]).color,
    inside: r.getBoundingClientRect().right <= document.documentElement.clientWidth + 1,
  })));
  let late = 0;
  for (const stop of run.stops.filter((s) => s.scheduled_s != null)) {
    const row = rows.find((r) => r.cells[0].startsWith(stop.name) && r.cells[4].startsWith(clock(stop.arrival_s)));
    expect(row, `${name}: no row of the station table gives ${stop.name} at ${clock(stop.arrival_s)}`);
    if (!row) continue;
    expect(row.cells[5] === clock(stop.scheduled_s) && row.cells[6] === Math.round(stop.margin_s) + ' s',
      `${name}: ${stop.name} should be scheduled at ${clock(stop.scheduled_s)} with ${Math.round(stop.margin_s)} s to spare: ${row.cells.join(' | ')}`);
    expect(row.late === !stop.kept && (row.colour === 'rgb(192, 0, 0)') === !stop.kept,
      `${name}: ${stop.name} is ${stop.kept ? '' : 'not '}kept, the row shows ${row.colour}`);
    expect(row.inside, `${name}: the row of ${stop.name} runs past the page`);
    if (!stop.kept) late++;
  }
  const summary = await page.evaluate(() => document.getElementById('summary').textContent);
  expect(summary.includes('run of ' + run.train.name + ': ' + clock(run.total_time_s)),
    `${name}: the summary should give the run's total ${clock(run.total_time_s)}: ${summary}`);
  await page.screenshot({ path: join(shots, `run-${name}.png`), fullPage: true });
  expect(problems.length === 0, `${name}: the page raised: ${problems.join('; ')}`);
  await page.close();
  return late;
}

const browser = await launchChromium();
try {
  await check(browser, defaultPage, runOf([]), 'default');
  const late = await check(browser, slowPage, runOf(['--rolling-stock', slowFile]), 'slow');
  expect(late > 0, 'the slow train keeps every time, so no row was seen in red');
} finally {
  await browser.close();
}
if (failures.length) {
  console.error(failures.join('\n'));
  process.exit(1);
}
console.log('the view draws and tells the run as scenario run computes it');
