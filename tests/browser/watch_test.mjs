// A page written with --watch, in headless Chromium: after an edit it
// reloads showing the kilometres and the cell it showed before, and the
// error the edit brought stands in a banner at the top of the page and as
// a mark on every chart at its kilometre, its text on hover.
//
//   node watch_test.mjs SCENARIO_TOOL WORK_DIR SCREENSHOT_DIR
import { spawn, execFileSync } from 'node:child_process';
import { existsSync, mkdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const [tool, work, shots] = process.argv.slice(2);
const failures = [];
const expect = (ok, what) => { if (!ok) failures.push(what); };
const until = async (test, what, seconds = 60) => {
  for (let waited = 0; !test(); waited += 0.1) {
    if (waited > seconds) throw new Error('waited ' + seconds + ' s for ' + what);
    await new Promise((r) => setTimeout(r, 100));
  }
};

rmSync(work, { recursive: true, force: true });
mkdirSync(shots, { recursive: true });
execFileSync(tool, ['export', work], { stdio: 'ignore' });
const line = join(work, 'Tarvosa_linea.txt'), train = join(work, 'Tarvosa_Corvale-.txt');
const html = join(work, 'watched.html');

// The edit: the text board of km 11 moved onto the signal of km 6.2, so
// the signal's record fails, naming the board's.
const lines = readFileSync(line, 'latin1').split('\n');
const boardLine = lines.findIndex((l) => /^cartello_indicatore,\s+10950,/.test(l));
const edited = lines[boardLine].replace('10950', ' 6200');
const boardColumn = edited.indexOf('6200') + 1;
const signal = readFileSync(train, 'latin1').split('\n').map((text, i) => ({ text, line: i + 1 }))
  .find((r) => /^segnale,\s+6200\b/.test(r.text));
const signalWhere = `Tarvosa_Corvale-.txt:${signal.line}:${signal.text.indexOf('6200') + 1}`;
const boardWhere = `Tarvosa_linea.txt:${boardLine + 1}:${boardColumn}`;
const errorKm = 6.2;

const watcher = spawn(tool, ['view', line, train, '-o', html, '--watch'], { stdio: 'ignore' });
const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking'],
});
try {
  await until(() => existsSync(html + '.stamp.js'), 'the first page');
  const page = await browser.newPage({ viewport: { width: 1400, height: 1000 } });
  const problems = [];
  page.on('pageerror', (e) => problems.push(String(e)));
  await page.goto(pathToFileURL(html).href);
  await page.waitForSelector('body[data-ready="true"]');
  expect(await page.evaluate(() => !document.querySelector('#error-banner:not([hidden])')),
    'a banner shows before any error');

  // A person drags over the speed chart from km 4 to km 9, then points at km 7.
  const where = (k) => page.evaluate((k) => {
    const u = window.scenarioView.charts[1];
    const box = u.over.getBoundingClientRect();
    return { x: box.left + u.valToPos(k, 'x'), y: box.top + box.height / 2 };
  }, k);
  const from = await where(4), to = await where(9);
  await page.mouse.move(from.x, from.y);
  await page.mouse.down();
  await page.mouse.move(to.x, to.y, { steps: 5 });
  await page.mouse.up();
  const at = await where(7);
  await page.mouse.move(at.x, at.y);
  const shown = () => page.evaluate(() => ({
    ranges: window.scenarioView.charts.map((u) => [u.scales.x.min, u.scales.x.max]),
    heading: (document.querySelector('#readout h3') || {}).textContent || '',
  }));
  const before = await shown();
  expect(before.ranges[0][1] - before.ranges[0][0] < 6, `dragging showed km ${before.ranges[0]}`);

  await page.evaluate(() => { window.notReloaded = true; });
  writeFileSync(line, lines.map((l, i) => (i === boardLine ? edited : l)).join('\n'), 'latin1');
  // Every script of the new page has run once it is complete.
  await page.waitForFunction(() => !window.notReloaded && document.readyState === 'complete' &&
    document.body.dataset.ready === 'true', null, { timeout: 60000 });

  const after = await shown();
  after.ranges.forEach((r, i) => {
    const [a, b] = before.ranges[i];
    expect(Math.abs(r[0] - a) < 1e-6 && Math.abs(r[1] - b) < 1e-6,
      `chart ${i} shows km ${r} after the reload, not ${a},${b}`);
  });
  expect(after.heading === before.heading, `the readout says '${after.heading}', not '${before.heading}'`);

  // The banner: at the top of the window, under the header, with the place and text.
  const banner = await page.evaluate(() => {
    const b = document.getElementById('error-banner') || document.createElement('div');
    const r = b.getBoundingClientRect();
    return { hidden: b.hidden, top: r.top, height: r.height, text: b.textContent,
      header: document.querySelector('header').getBoundingClientRect().bottom };
  });
  expect(!banner.hidden && banner.height > 10 && banner.top < 200, 'no banner shows the error');
  expect(Math.abs(banner.top - banner.header) < 1, `the banner stands at ${banner.top} px, not under the header`);
  for (const words of [signalWhere, "a signal's cell already holds another feature", boardWhere]) {
    expect(banner.text.includes(words), `the banner lacks '${words}': ${banner.text}`);
  }

  // A mark on every chart at km 6.2, inside the plot; hovering it tells the error.
  const marks = await page.evaluate((k) => window.scenarioView.charts.map((u) => {
    const mark = u.over.querySelector('.error-mark');
    if (!mark || mark.hidden) return null;
    const m = mark.getBoundingClientRect(), o = u.over.getBoundingClientRect();
    return { x: (m.left + m.right) / 2 - o.left, want: u.valToPos(k, 'x'),
      inside: m.top >= o.top - 0.5 && m.bottom <= o.bottom + 0.5 };
  }), errorKm);
  marks.forEach((m, i) => {
    expect(m !== null, `chart ${i} has no mark at the error`);
    if (!m) return;
    expect(Math.abs(m.x - m.want) < 1.5, `chart ${i}'s mark stands at ${m.x} px, not ${m.want}`);
    expect(m.inside, `chart ${i}'s mark leaves the plot`);
  });
  const hovered = await page.$('#chart-gradient .error-mark');
  if (hovered) await hovered.hover();
  const tip = await page.evaluate(() => {
    const t = document.querySelector('#chart-gradient .error-mark .tip');
    return { text: t ? t.textContent : '', shown: !!t && t.getBoundingClientRect().width > 0 };
  });
  expect(tip.shown && tip.text.includes(signalWhere) && tip.text.includes('already holds'),
    `hovering the mark shows '${tip.shown ? tip.text : ''}'`);
  // A keyboard reaches a mark too: focused, it tells the error.
  await page.mouse.move(0, 0);
  const focused = await page.$('#chart-speed .error-mark');
  if (focused) await focused.focus();
  const told = await page.evaluate(() => {
    const t = document.querySelector('#chart-speed .error-mark .tip');
    return !!t && t.getBoundingClientRect().width > 0 && t.textContent.includes('already holds');
  });
  expect(told, 'a focused mark does not tell its error');
  await page.screenshot({ path: join(shots, 'watched-error.png') });
  expect(problems.length === 0, `the page reported ${problems.join('; ')}`);
} finally {
  watcher.kill();
  await browser.close();
}
if (failures.length) {
  console.error(failures.join('\n'));
  process.exit(1);
}
console.log('the watched page keeps its place and shows the new error; screenshot in ' + shots);
