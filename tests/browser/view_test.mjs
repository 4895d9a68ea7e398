// The scenario view and the SVG map as a person sees them, in headless
// Chromium: the example and the `scenario new` skeleton each made into a
// page, opened, hovered at a known kilometre, and photographed.
//
//   node view_test.mjs SCENARIO_TOOL WORK_DIR SCREENSHOT_DIR
import { execFileSync, spawn } from 'node:child_process';
import { mkdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { chromium } from 'playwright-core';

const [tool, work, shots] = process.argv.slice(2);
const failures = [];
const expect = (ok, what) => { if (!ok) failures.push(what); };

// Runs the tool; a data error (status 2) still writes a page.
function scenario(...args) {
  try {
    execFileSync(tool, args, { stdio: ['ignore', 'ignore', 'pipe'] });
  } catch (error) {
    if (error.status !== 2) throw error;
  }
}

// The example and the skeleton: where their files are, what a person must
// see, and a kilometre whose readout is known.
function prepare() {
  rmSync(work, { recursive: true, force: true });
  mkdirSync(join(work, 'example', 'out'), { recursive: true });
  mkdirSync(join(work, 'skeleton', 'out'), { recursive: true });
  mkdirSync(shots, { recursive: true });
  scenario('export', join(work, 'example'));
  scenario('new', join(work, 'skeleton'), '--route', 'Lago', '--train', 'Espresso');
  const cases = [
    { name: 'example', line: 'example/Tarvosa_linea.txt', train: 'example/Tarvosa_Corvale-.txt',
      stations: 31, messages: 6, links: 5, km: 6.2, readout: ['km 6.200', 'cell 125', 'signal',
        'Tarvosa_Corvale-.txt:79:', 'segnale,    6200'] },
    { name: 'skeleton', line: 'skeleton/Lago_linea.txt', train: 'skeleton/Lago_Espresso-.txt',
      stations: 3, messages: 0, links: 0, km: 3.5, readout: ['km 3.500', 'cell 71', 'station Fermata at 08:05:00'] },
  ];
  for (const c of cases) {
    c.page = join(work, c.name + '.html');
    c.map = join(work, c.name + '.svg');
    scenario('view', join(work, c.line), join(work, c.train), '-o', c.page);
    scenario('compile', join(work, c.line), join(work, c.train), '-o', join(work, c.name, 'out'));
    scenario('map', join(work, c.name, 'out'), '-o', c.map);
  }
  return cases;
}

async function check(browser, c) {
  const html = readFileSync(c.page, 'utf8');
  const outside = (html.match(/https?:\/\/[^"'\s)]*/g) || [])
    .filter((url) => url !== 'http://www.w3.org/2000/svg');
  expect(outside.length === 0, `${c.name}: the page refers outside itself: ${outside}`);

  const page = await browser.newPage({ viewport: { width: 1400, height: 1000 } });
  const problems = [];
  page.on('console', (m) => { if (m.type() === 'error') problems.push(m.text()); });
  page.on('pageerror', (e) => problems.push(String(e)));
  page.on('request', (r) => { if (!r.url().startsWith('file:')) problems.push('fetched ' + r.url()); });
  await page.goto('file://' + c.page);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 20000 });

  const rows = await page.$$eval('#stations tbody tr', (r) => r.length);
  const drawn = await page.$eval('#plan', (p) => Number(p.dataset.stationsDrawn));
  expect(rows === c.stations, `${c.name}: ${rows} station rows, not ${c.stations}`);
  expect(drawn === c.stations, `${c.name}: ${drawn} stations drawn on the plan, not ${c.stations}`);
  const charts = await page.$$eval('.chart canvas', (canvases) => canvases.length);
  expect(charts >= 5, `${c.name}: ${charts} charts`);
  const messages = await page.$$eval('#messages li.error, #messages li.warning', (l) => l.length);
  expect(messages === c.messages, `${c.name}: ${messages} errors and warnings listed, not ${c.messages}`);

  // A person drags over the line speed chart to zoom to a kilometre either
  // side of the known one, then points at it.
  const where = (km) => page.evaluate((k) => {
    const u = window.scenarioView.charts[1];
    const box = u.over.getBoundingClientRect();
    return { x: box.left + u.valToPos(k, 'x'), y: box.top + box.height / 2 };
  }, km);
  const from = await where(c.km - 1), to = await where(c.km + 1);
  await page.mouse.move(from.x, from.y);
  await page.mouse.down();
  await page.mouse.move(to.x, to.y, { steps: 5 });
  await page.mouse.up();
  const zoomed = await page.evaluate(() => window.scenarioView.charts[4].scales.x.max -
    window.scenarioView.charts[4].scales.x.min);
  expect(zoomed < 3, `${c.name}: dragging did not zoom every chart (${zoomed} km shown)`);
  const at = await where(c.km);
  await page.mouse.move(at.x, at.y);
  const readout = await page.textContent('#readout');
  for (const words of c.readout) {
    expect(readout.includes(words), `${c.name}: the readout at km ${c.km} lacks '${words}': ${readout}`);
  }
  await page.screenshot({ path: join(shots, c.name + '-view.png'), fullPage: true });

  // Each message with a place on the line links to it.
  const links = await page.$$('#messages a[href^="#km="]');
  expect(links.length === c.links, `${c.name}: ${links.length} messages link to the line, not ${c.links}`);
  if (links.length) {
    const target = await links[0].getAttribute('href');
    await links[0].click();
    const shown = await page.textContent('#readout');
    const wanted = 'km ' + Number(target.slice(4)).toFixed(3);
    expect(shown.includes(wanted), `${c.name}: following ${target} shows ${shown}`);
  }
  expect(problems.length === 0, `${c.name}: the page reported ${problems.join('; ')}`);

  const map = await browser.newPage({ viewport: { width: 1600, height: 1200 } });
  await map.goto('file://' + c.map);
  const height = await map.evaluate(() => Math.ceil(document.documentElement.getBoundingClientRect().height));
  await map.setViewportSize({ width: 1600, height });
  await map.screenshot({ path: join(shots, c.name + '-map.png') });
  const labels = await map.$$eval('text.station', (t) => t.map((e) => e.getBBox()));
  const overlaps = labels.filter((a, i) => labels.slice(i + 1).some((b) =>
    a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height));
  expect(overlaps.length === 0, `${c.name}: ${overlaps.length} station labels of the map overlap`);
  await page.close();
  await map.close();
}

// A page written with --watch reloads itself when its input changes.
async function checkWatch(browser) {
  const line = join(work, 'skeleton/Lago_linea.txt'), train = join(work, 'skeleton/Lago_Espresso-.txt');
  const page = join(work, 'watched.html');
  const watcher = spawn(tool, ['view', line, train, '-o', page, '--watch'], { stdio: 'ignore' });
  try {
    for (let tries = 0; tries < 100; tries++) {
      try { readFileSync(page + '.stamp.js'); break; } catch { await new Promise((r) => setTimeout(r, 100)); }
    }
    const tab = await browser.newPage();
    await tab.goto('file://' + page);
    await tab.waitForSelector('body[data-ready="true"]');
    await new Promise((r) => setTimeout(r, 1100));
    writeFileSync(train, readFileSync(train, 'latin1').replace('8, 5, 0, Fermata', '8, 7, 0, Fermata'), 'latin1');
    const reloaded = await tab.waitForFunction(
      () => document.querySelector('#stations tbody').textContent.includes('08:07:00'),
      null, { timeout: 15000 }).then(() => true, () => false);
    expect(reloaded, 'the watched page did not reload with the changed train file');
    await tab.close();
  } finally {
    watcher.kill();
  }
}

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
try {
  for (const c of prepare()) await check(browser, c);
  await checkWatch(browser);
} finally {
  await browser.close();
}
if (failures.length) {
  console.error(failures.join('\n'));
  process.exit(1);
}
console.log('the view and the map show what they must; screenshots in ' + shots);
