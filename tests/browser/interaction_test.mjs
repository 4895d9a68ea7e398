// The plan and the charts handled like a map, in headless Chromium: the
// wheel, a pinch and the keys zoom about the pointer and the km there stays
// there; a drag moves the plan and it stays moved; on a chart a drag picks
// a range and a shift-drag or two fingers move it; Tab reaches every
// control with a ring shown; the plan is turned to fill its box; a pointer
// event writes the readout and draws the plan once.
//
//   node interaction_test.mjs SCENARIO_TOOL WORK_DIR SCREENSHOT_DIR
import { execFileSync } from 'node:child_process';
import { mkdirSync, rmSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const [tool, work, shots] = process.argv.slice(2);
const failures = [];
const expect = (ok, what) => { if (!ok) failures.push(what); };
const near = (a, b, within) => Math.abs(a - b) <= within;

function prepare() {
  rmSync(work, { recursive: true, force: true });
  mkdirSync(shots, { recursive: true });
  execFileSync(tool, ['export', work], { stdio: 'ignore' });
  const page = join(work, 'example.html');
  execFileSync(tool, ['view', join(work, 'Tarvosa_linea.txt'), join(work, 'Tarvosa_Corvale-.txt'),
    '-o', page], { stdio: 'ignore' });
  return page;
}

const frames = (page) => page.evaluate(() => new Promise((r) =>
  requestAnimationFrame(() => requestAnimationFrame(() => r()))));
const readoutKm = (page) => page.$eval('#readout h3', (h) => Number(/km ([0-9.]+)/.exec(h.textContent)[1]));
// Where cell `index` is drawn on the plan, in the window's pixels.
const onPlan = (page, index) => page.evaluate((i) => {
  const r = document.getElementById('plan').getBoundingClientRect();
  const [x, y] = window.scenarioView.planPoint(i);
  return [r.left + x, r.top + y];
}, index);
const ranges = (page) => page.evaluate(() => window.scenarioView.charts.map((u) => [u.scales.x.min, u.scales.x.max]));
const inStep = (what, rs) => expect(rs.every((r) => near(r[0], rs[0][0], 1e-6) && near(r[1], rs[0][1], 1e-6)),
  `${what}: the charts show different ranges ${JSON.stringify(rs)}`);
// The km shown `fraction` of the way across chart `n`, and the chart's box.
const chartAt = (page, n, fraction) => page.evaluate(([n, f]) => {
  const u = window.scenarioView.charts[n];
  const r = u.over.getBoundingClientRect();
  const x = r.width * f;
  return { km: u.posToVal(x, 'x'), x: r.left + x, y: r.top + r.height / 2, width: r.width };
}, [n, fraction]);

async function planWheel(page) {
  // The pointer stands on whole pixels: km 50 is `off` from it, and each
  // notch takes it 1.25 times as far.
  const index = 1000;  // km 50
  const [px, py] = await onPlan(page, index);
  const [x, y] = [Math.round(px), Math.round(py)];
  const off = [px - x, py - y].map((d) => d * 1.25 ** 6);
  await page.mouse.move(x, y);
  const before = await readoutKm(page);
  expect(near(before, 50, 0.1), `the pointer at km 50 on the plan reads km ${before}`);
  for (let n = 0; n < 6; n++) await page.mouse.wheel(0, -100), await frames(page);
  const [x2, y2] = await onPlan(page, index);
  expect(near(x2, x + off[0], 0.5) && near(y2, y + off[1], 0.5),
    `after six notches km 50 is drawn at ${x2},${y2}, not ${x + off[0]},${y + off[1]}`);
  await page.mouse.move(x + 1, y), await page.mouse.move(x, y);
  const after = await readoutKm(page);
  expect(near(after, before, 0.06), `after six notches the pointer reads km ${after}, not ${before}`);
  const rs = await ranges(page);
  inStep('the plan zoomed', rs);
  expect(rs[0][0] <= 50 && rs[0][1] >= 50 && rs[0][1] - rs[0][0] < 0.6 * (await page.evaluate(() => window.scenarioView.state.range && JSON.parse(document.getElementById('scenario-data').textContent).length)),
    `the plan zoomed about km 50, the charts show km ${rs[0]}`);
  // A drag moves the plan, and it stays moved.
  const [sx, sy] = await onPlan(page, index);
  await page.mouse.down();
  for (let n = 1; n <= 4; n++) await page.mouse.move(x + 30 * n, y + 15 * n);
  await page.mouse.up();
  await page.waitForTimeout(200), await frames(page);
  const [x3, y3] = await onPlan(page, index);
  expect(near(x3, sx + 120, 0.5) && near(y3, sy + 60, 0.5), `dragged 120,60 px, km 50 moved by ${x3 - sx},${y3 - sy}`);
  await page.screenshot({ path: join(shots, 'interaction-plan.png') });
}

async function chartWheel(page) {
  await page.evaluate(() => {
    document.getElementById('chart-speed').scrollIntoView({ block: 'center' });
    window.scenarioView.charts[0].setScale('x', { min: 0, max: 200 });
  });
  await frames(page);
  const at = await chartAt(page, 2, 0.4);
  at.x = Math.round(at.x), at.y = Math.round(at.y);
  at.km = (await page.evaluate((x) => {
    const u = window.scenarioView.charts[2];
    return u.posToVal(x - u.over.getBoundingClientRect().left, 'x');
  }, at.x));
  await page.mouse.move(at.x, at.y);
  for (let n = 0; n < 6; n++) await page.mouse.wheel(0, -100), await frames(page);
  const after = await chartAt(page, 2, 0.4);
  after.km = (await page.evaluate((x) => {
    const u = window.scenarioView.charts[2];
    return u.posToVal(x - u.over.getBoundingClientRect().left, 'x');
  }, at.x));
  const rs = await ranges(page);
  inStep('a chart zoomed', rs);
  expect(near(after.km, at.km, 0.05), `six notches on a chart moved km ${at.km.toFixed(2)} to ${after.km.toFixed(2)}`);
  expect(near(rs[0][1] - rs[0][0], 200 * 0.8 ** 6, 0.5), `six notches show ${rs[0][1] - rs[0][0]} km, not ${200 * 0.8 ** 6}`);
  // A shift-drag moves the range; a plain drag picks one.
  const width = rs[0][1] - rs[0][0];
  await page.keyboard.down('Shift');
  await page.mouse.down();
  await page.mouse.move(at.x - 50, at.y), await page.mouse.move(at.x - 100, at.y);
  await page.mouse.up();
  await page.keyboard.up('Shift');
  await frames(page);
  const moved = await ranges(page);
  inStep('a chart moved', moved);
  const shift = 100 * width / after.width;
  expect(near(moved[0][0] - rs[0][0], shift, 0.05) && near(moved[0][1] - moved[0][0], width, 1e-6),
    `a shift-drag of 100 px moved the range from ${rs[0]} to ${moved[0]}, not by ${shift} km`);
  const a = await chartAt(page, 1, 0.2), b = await chartAt(page, 1, 0.6);
  await page.mouse.move(a.x, a.y), await page.mouse.down(), await page.mouse.move(b.x, b.y), await page.mouse.up();
  await frames(page);
  const picked = await ranges(page);
  expect(near(picked[0][0], a.km, 0.1) && near(picked[0][1], b.km, 0.1),
    `a drag from km ${a.km} to ${b.km} shows ${picked[0]}`);
}

// Two synthetic touches: pressed at `from`, moved to `to`.
async function touches(page, target, from, to) {
  await page.evaluate(([target, from, to]) => {
    const element = document.querySelector(target);
    const fire = (type, id, [x, y]) => element.dispatchEvent(new PointerEvent(type, {
      pointerId: id, pointerType: 'touch', clientX: x, clientY: y, bubbles: true, cancelable: true, isPrimary: id === 11 }));
    from.forEach((p, i) => fire('pointerdown', 11 + i, p));
    for (let step = 1; step <= 4; step++) {
      to.forEach((p, i) => fire('pointermove', 11 + i, [from[i][0] + (p[0] - from[i][0]) * step / 4,
        from[i][1] + (p[1] - from[i][1]) * step / 4]));
    }
    to.forEach((p, i) => fire('pointerup', 11 + i, p));
  }, [target, from, to]);
  await frames(page);
}

async function touch(page) {
  const actions = await page.evaluate(() => [getComputedStyle(document.getElementById('plan')).touchAction,
    ...[...document.querySelectorAll('.chart .u-over')].map((o) => getComputedStyle(o).touchAction)]);
  expect(actions.every((a) => a === 'none'), `touch-action of the plan and charts: ${actions}`);
  await page.dblclick('#plan');
  const index = 1600;  // km 80
  const exact = await onPlan(page, index);
  const [x, y] = exact.map(Math.round);
  const [ox, oy] = [(exact[0] - x) * 4, (exact[1] - y) * 4];
  await touches(page, '#plan', [[x - 10, y], [x + 10, y]], [[x - 40, y], [x + 40, y]]);
  const [x2, y2] = await onPlan(page, index);
  expect(near(x2, x + ox, 0.5) && near(y2, y + oy, 0.5), `a pinch about km 80 moved it from ${x},${y} to ${x2},${y2}`);
  const rs = await ranges(page);
  expect(rs[0][1] - rs[0][0] < 0.5 * (await page.evaluate(() => JSON.parse(
    document.getElementById('scenario-data').textContent).length)), `a pinch on the plan left the charts at ${rs[0]}`);
  const c = await chartAt(page, 0, 0.5);
  await touches(page, '#chart-elevation .u-over', [[c.x - 20, c.y], [c.x + 20, c.y]], [[c.x - 100, c.y], [c.x - 60, c.y]]);
  // The km between the fingers stays between them, 80 px to the left.
  const moved = await chartAt(page, 0, 0.5 - 80 / c.width);
  expect(near(moved.km, c.km, 0.02), `two fingers moved km ${c.km} 80 px left, there stands km ${moved.km}`);
}

async function keyboard(page) {
  await page.evaluate(() => document.activeElement && document.activeElement.blur());
  const reached = [];
  for (let n = 0; n < 150; n++) {
    await page.keyboard.press('Tab');
    const at = await page.evaluate(() => {
      const e = document.activeElement;
      const ring = getComputedStyle(e);
      const key = [...document.querySelectorAll('*')].indexOf(e);
      return { key, id: e.id, tag: e.tagName, cls: e.className, ring: ring.outlineStyle !== 'none' && parseFloat(ring.outlineWidth) >= 2 };
    });
    if (at.tag !== 'BODY' && !reached.some((e) => e.key === at.key)) reached.push(at);
  }
  const has = (f) => reached.some(f);
  expect(has((e) => e.id === 'plan'), 'Tab does not reach the plan');
  expect(has((e) => e.id === 'whole-line'), 'Tab does not reach the whole-line button');
  for (const id of ['elevation', 'speed', 'adhesion', 'gradient', 'curvature']) {
    expect(has((e) => e.id === 'chart-' + id), `Tab does not reach the ${id} chart`);
  }
  const rows = await page.$$eval('#stations tbody tr', (r) => r.length);
  expect(reached.filter((e) => e.tag === 'TR').length === rows, `Tab reaches ${reached.filter((e) => e.tag === 'TR').length} of ${rows} station rows`);
  expect(reached.filter((e) => e.tag === 'A').length === 5, 'Tab does not reach the messages\' links');
  expect(reached.every((e) => e.ring), `no focus ring on ${JSON.stringify(reached.filter((e) => !e.ring)[0])}`);
  // Keys on a focused chart.
  await page.focus('#chart-speed');
  await page.keyboard.press('0');
  const length = await page.evaluate(() => JSON.parse(document.getElementById('scenario-data').textContent).length);
  let rs = await ranges(page);
  expect(near(rs[0][0], 0, 1e-6) && near(rs[0][1], length, 1e-6), `0 shows ${rs[0]}, not the whole line`);
  await page.keyboard.press('+');
  rs = await ranges(page);
  expect(near(rs[0][0], length * 0.1, 0.01) && near(rs[0][1], length * 0.9, 0.01), `+ shows ${rs[0]}`);
  await page.keyboard.press('ArrowRight');
  const right = await ranges(page);
  expect(right[0][0] > rs[0][0] + 1 && near(right[0][1] - right[0][0], rs[0][1] - rs[0][0], 1e-6),
    `ArrowRight moved ${rs[0]} to ${right[0]}`);
  await page.keyboard.press('-');
  const out = await ranges(page);
  expect(out[0][1] - out[0][0] > right[0][1] - right[0][0], `- shows ${out[0]}`);
  // On the plan.
  await page.focus('#plan');
  await page.keyboard.press('0');
  const [x0, y0] = await onPlan(page, 0);
  await page.keyboard.press('ArrowLeft');
  const [x1, y1] = await onPlan(page, 0);
  expect(x1 > x0 + 10 && near(y1, y0, 0.5), `ArrowLeft on the plan moved its start from ${x0} to ${x1}`);
}

// The line turned to fill its box: drawn larger than it would be unturned.
async function turned(page) {
  await page.focus('#plan'), await page.keyboard.press('0');
  const fit = await page.evaluate(() => {
    const { cells } = JSON.parse(document.getElementById('scenario-data').textContent);
    const plan = document.getElementById('plan');
    const v = window.scenarioView;
    const pts = cells.x.map((_, i) => v.planPoint(i));
    const box = (p) => [Math.min(...p.map((q) => q[0])), Math.max(...p.map((q) => q[0])),
      Math.min(...p.map((q) => q[1])), Math.max(...p.map((q) => q[1]))];
    const [x0, x1, y0, y1] = box(pts);
    const raw = box(cells.x.map((x, i) => [x, cells.y[i]]));
    const last = cells.x.length - 1;
    const scale = Math.hypot(pts[last][0] - pts[0][0], pts[last][1] - pts[0][1]) /
      Math.hypot(cells.x[last] - cells.x[0], cells.y[last] - cells.y[0]);
    const w = plan.clientWidth - 60, h = plan.clientHeight - 60;
    return { inside: x0 >= 0 && y0 >= 0 && x1 <= plan.clientWidth && y1 <= plan.clientHeight,
      scale, unturned: Math.min(w / (raw[1] - raw[0]), h / (raw[3] - raw[2])) };
  });
  expect(fit.inside, 'the whole line does not fit in the plan');
  expect(fit.scale > fit.unturned * 1.05, `the plan is drawn at ${fit.scale} px/m, unturned it would be ${fit.unturned}`);
}

// Each pointer event writes the readout once and draws the plan once, in
// the frame after it, whether over the plan or over a chart.
async function drawnOnce(page) {
  await page.focus('#plan'), await page.keyboard.press('0');
  await page.evaluate(() => document.getElementById('plan').scrollIntoView());
  const counts = () => page.evaluate(() => ({ ...window.scenarioView.counts }));
  const check = async (what, act, readouts) => {
    await frames(page);
    const before = await counts();
    await act();
    await frames(page);
    const after = await counts();
    expect(after.readout - before.readout === readouts && after.plan - before.plan === 1,
      `${what}: the readout written ${after.readout - before.readout} times, the plan drawn ${after.plan - before.plan}`);
  };
  const [x, y] = await onPlan(page, 1200);
  await check('a hover on the plan', () => page.mouse.move(x, y), 1);
  await check('a wheel notch on the plan', () => page.mouse.wheel(0, -100), 0);
  const c = await chartAt(page, 0, 0.3);
  await check('a hover on a chart', () => page.mouse.move(c.x, c.y), 1);
  await check('a wheel notch on a chart', () => page.mouse.wheel(0, -100), 0);
}

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking'],
});
try {
  const url = pathToFileURL(prepare()).href;
  const page = await browser.newPage({ viewport: { width: 1400, height: 900 } });
  const problems = [];
  page.on('pageerror', (e) => problems.push(String(e)));
  await page.goto(url);
  await page.waitForSelector('body[data-ready="true"]');
  for (const step of [planWheel, chartWheel, touch, keyboard, turned, drawnOnce]) {
    try { await step(page); } catch (e) { failures.push(`${step.name}: ${e.message}`); }
  }
  await page.focus('#plan');
  await page.screenshot({ path: join(shots, 'interaction-end.png') });
  expect(problems.length === 0, `the page reported ${problems.join('; ')}`);
} finally {
  await browser.close();
}
if (failures.length) {
  console.error(failures.join('\n'));
  process.exit(1);
}
console.log('the plan and the charts zoom, move and take keys and touches; screenshots in ' + shots);
