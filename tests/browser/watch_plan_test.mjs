// A page written with --watch keeps the plan's own zoom and pan across a
// reload, in headless Chromium: a person zooms the plan with the wheel and
// drags it aside, an input changes, and the reloaded page draws every cell
// of the plan where it stood, the charts on the same kilometres. The
// legend names the range a drag selects in the colour a drag shows.
//
//   node watch_plan_test.mjs SCENARIO_TOOL WORK_DIR SCREENSHOT_DIR
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

const watcher = spawn(tool, ['view', line, train, '-o', html, '--watch'], { stdio: 'ignore' });
const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking'],
});
try {
  await until(() => existsSync(html + '.stamp.js'), 'the first page');
  const page = await browser.newPage({ viewport: { width: 1400, height: 1000 }, deviceScaleFactor: 1 });
  const problems = [];
  page.on('pageerror', (e) => problems.push(String(e)));
  await page.goto(pathToFileURL(html).href);
  await page.waitForSelector('body[data-ready="true"]');

  // The legend's entry for a drag's range, and the colour a drag shows.
  const legend = await page.$eval('#legend li[data-kind="selection"]', (li) => ({ text: li.textContent,
    colour: getComputedStyle(li.querySelector('.swatch')).backgroundColor })).catch(() => null);
  const speed = await page.evaluate(() => {
    const box = window.scenarioView.charts[1].over.getBoundingClientRect();
    return { x: box.left, y: box.top + box.height / 2, width: box.width };
  });
  await page.mouse.move(speed.x + speed.width * 0.2, speed.y);
  await page.mouse.down();
  await page.mouse.move(speed.x + speed.width * 0.4, speed.y, { steps: 5 });
  const dragged = await page.$eval('#chart-speed .u-select', (s) => getComputedStyle(s).backgroundColor);
  await page.mouse.up();
  expect(legend && /drag/.test(legend.text) && legend.colour === dragged,
    `the legend names the dragged range as ${JSON.stringify(legend)}, the drag shows ${dragged}`);

  // A person zooms the plan about a point off its centre and drags it aside.
  const box = await page.$eval('#plan', (p) => { const r = p.getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; });
  const [left, top, width, height] = box;
  await page.mouse.move(left + width * 0.3, top + height * 0.4);
  for (let i = 0; i < 3; i++) await page.mouse.wheel(0, -200);
  await page.mouse.move(left + width * 0.5, top + height * 0.5);
  await page.mouse.down();
  await page.mouse.move(left + width * 0.5 + 120, top + height * 0.5 + 40, { steps: 6 });
  await page.mouse.up();
  const shown = () => page.evaluate(() => {
    const v = window.scenarioView;
    const km = JSON.parse(document.getElementById('scenario-data').textContent).cells.km;
    const cells = [0.25, 0.5, 0.75].map((f) => Math.round(km.length * f));
    return { points: cells.map((i) => v.planPoint(i)), range: [v.charts[0].scales.x.min, v.charts[0].scales.x.max] };
  });
  // The plan is drawn in the next frame: wait until it stops changing.
  let before = await shown(), again = null;
  while (JSON.stringify(again) !== JSON.stringify(before)) {
    again = before;
    await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
    before = await shown();
  }
  expect(before.range[1] - before.range[0] < 227, `the zoomed plan leaves the charts on km ${before.range}`);

  await page.evaluate(() => { window.notReloaded = true; });
  writeFileSync(line, readFileSync(line, 'latin1') + '\n', 'latin1');
  await page.waitForFunction(() => !window.notReloaded && document.readyState === 'complete' &&
    document.body.dataset.restored === 'true', null, { timeout: 60000 });
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  const after = await shown();
  before.points.forEach((p, i) => {
    const q = after.points[i];
    expect(Math.hypot(p[0] - q[0], p[1] - q[1]) < 0.5,
      `after the reload a cell of the plan stands at ${q.map((v) => v.toFixed(1))}, not ${p.map((v) => v.toFixed(1))}`);
  });
  expect(Math.abs(after.range[0] - before.range[0]) < 1e-6 && Math.abs(after.range[1] - before.range[1]) < 1e-6,
    `the charts show km ${after.range} after the reload, not ${before.range}`);
  await page.screenshot({ path: join(shots, 'watched-plan.png') });
  expect(problems.length === 0, `the page reported ${problems.join('; ')}`);
} finally {
  watcher.kill();
  await browser.close();
}
if (failures.length) {
  console.error(failures.join('\n'));
  process.exit(1);
}
console.log('the watched page keeps the plan\'s zoom and pan');
