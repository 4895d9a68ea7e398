// The SVG map as a person sees it in headless Chromium, of the example and
// of a 1,000 km scenario, in windows 1920, 1366, 820 and 390 px wide: the whole page
// in the window's width, every text clear of every other and of the
// stations' dots, and each station's label by its mark or joined to it by
// a leader line.
//
//   node map_test.mjs SCENARIO_TOOL MAKE_LARGE_SCENARIO WORK_DIR SCREENSHOT_DIR
import { execFileSync } from 'node:child_process';
import { mkdirSync, rmSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const [tool, makeLarge, work, shots] = process.argv.slice(2);
const failures = [];
const expect = (ok, what) => { if (!ok) failures.push(what); };

// Compiles LINE and TRAIN and maps them; warnings end with 0 here.
function map(name, line, train) {
  const out = join(work, name, 'out');
  mkdirSync(out, { recursive: true });
  execFileSync(tool, ['compile', line, train, '-o', out], { stdio: 'ignore' });
  const svg = join(work, name + '.svg');
  execFileSync(tool, ['map', out, '-o', svg], { stdio: 'ignore' });
  return svg;
}

function prepare() {
  rmSync(work, { recursive: true, force: true });
  mkdirSync(shots, { recursive: true });
  const example = join(work, 'example'), large = join(work, 'large');
  execFileSync(tool, ['export', example], { stdio: 'ignore' });
  mkdirSync(large, { recursive: true });
  execFileSync(makeLarge, ['1000000', join(large, 'Lunga_linea.txt'), join(large, 'Lunga_Merci-.txt')]);
  return [
    { name: 'example', stations: 31, svg: map('example', join(example, 'Tarvosa_linea.txt'),
      join(example, 'Tarvosa_Corvale-.txt')) },
    { name: 'large', stations: 36, svg: map('large', join(large, 'Lunga_linea.txt'),
      join(large, 'Lunga_Merci-.txt')) },
  ];
}

// What the page shows, in the window's pixels: every text's box, the dots,
// the ticks, the leader lines, and the page's own box.
function measure() {
  const box = (e) => { const r = e.getBoundingClientRect(); return { l: r.left, t: r.top, r: r.right, b: r.bottom }; };
  const ctm = document.documentElement.getScreenCTM();
  const point = (x, y) => { const p = new DOMPoint(x, y).matrixTransform(ctm); return [p.x, p.y]; };
  const station = (e) => Number(e.dataset.station);
  const group = (name) => ({
    labels: [...document.querySelectorAll(`.${name} text.station`)].map((e) => ({ i: station(e), text: e.textContent, ...box(e) })),
    leaders: [...document.querySelectorAll(`.${name} .leader`)].map((e) => {
      const pts = e.localName === 'line'
        ? [[e.x1.baseVal.value, e.y1.baseVal.value], [e.x2.baseVal.value, e.y2.baseVal.value]]
        : [...e.points].map((p) => [p.x, p.y]);
      return { i: station(e), from: point(...pts[0]), to: point(...pts[pts.length - 1]) };
    }),
  });
  return {
    scale: ctm.a,
    page: box(document.documentElement),
    width: innerWidth,
    scrollWidth: document.scrollingElement ? document.scrollingElement.scrollWidth : 0,
    texts: [...document.querySelectorAll('text')].map((e) => ({ text: e.textContent, ...box(e) })),
    dots: [...document.querySelectorAll('circle.station-dot')].map((e) => ({ i: station(e), ...box(e) })),
    ticks: [...document.querySelectorAll('line.station-tick')].map((e) =>
      ({ i: station(e), at: point(e.x2.baseVal.value, e.y2.baseVal.value) })),
    plan: group('plan-stations'),
    row: group('station-row'),
  };
}

const overlap = (a, b) => a.l < b.r && b.l < a.r && a.t < b.b && b.t < a.b;
// How far point p lies from box b.
const distance = (p, b) => Math.hypot(Math.max(b.l - p[0], 0, p[0] - b.r), Math.max(b.t - p[1], 0, p[1] - b.b));

function checkLabels(c, width, m, kind, marks) {
  const where = `${c.name} at ${width} px, ${kind}`;
  const labelled = new Set(m[kind].labels.map((l) => l.i));
  expect(labelled.size === c.stations && m[kind].labels.length === c.stations,
    `${where}: ${labelled.size} of ${c.stations} stations labelled`);
  const near = 8 * m.scale, touch = 2.5 * m.scale;
  for (const label of m[kind].labels) {
    const mark = marks.get(label.i);
    const leader = m[kind].leaders.find((l) => l.i === label.i);
    const besides = mark && distance(mark, label) <= near;
    const led = mark && leader && Math.hypot(leader.from[0] - mark[0], leader.from[1] - mark[1]) <= near &&
      distance(leader.to, label) <= touch;
    expect(besides || led, `${where}: '${label.text}' stands away from its mark with no leader line to it`);
  }
}

async function check(browser, c, width) {
  const page = await browser.newPage({ viewport: { width, height: 900 } });
  await page.goto(pathToFileURL(c.svg).href);
  const m = await page.evaluate(measure);
  const where = `${c.name} at ${width} px`;
  expect(m.page.r <= width + 0.5 && m.scrollWidth <= width,
    `${where}: the map is ${m.page.r - m.page.l} px wide (scrolls to ${m.scrollWidth})`);
  const pairs = [];
  m.texts.forEach((a, i) => m.texts.slice(i + 1).forEach((b) => { if (overlap(a, b)) pairs.push(`'${a.text}' and '${b.text}'`); }));
  expect(pairs.length === 0, `${where}: ${pairs.length} pairs of texts overlap: ${pairs.slice(0, 5).join('; ')}`);
  const covered = m.texts.filter((t) => m.dots.some((d) => overlap(t, d)));
  expect(covered.length === 0, `${where}: ${covered.length} texts lie under a dot: ${covered.slice(0, 5).map((t) => t.text)}`);
  checkLabels(c, width, m, 'plan', new Map(m.dots.map((d) => [d.i, [(d.l + d.r) / 2, (d.t + d.b) / 2]])));
  checkLabels(c, width, m, 'row', new Map(m.ticks.map((t) => [t.i, t.at])));
  await page.setViewportSize({ width, height: Math.ceil(m.page.b) });
  await page.screenshot({ path: join(shots, `${c.name}-map-${width}.png`) });
  await page.close();
}

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
try {
  for (const c of prepare()) {
    for (const width of [1920, 1366, 820, 390]) await check(browser, c, width);
  }
} finally {
  await browser.close();
}
if (failures.length) {
  console.error(failures.join('\n'));
  process.exit(1);
}
console.log('the maps fit their windows and every label stands clear by its mark; screenshots in ' + shots);
