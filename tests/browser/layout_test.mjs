// The view's layout as a person sees it in headless Chromium, for the
// example and a 1,000 km scenario: at 1920, 1366, 820 and 390 px nothing
// runs off the window's width, the plan and charts take the column's width
// and under 1000 px the readout stands under the plan; after a resize the
// plan keeps its shape and pointing finds the right kilometre; charts draw
// only inside their plots, over a range that holds every board's speed;
// the readout never covers the lists; the 1,000 km page stays under 2 MB.
//
//   node layout_test.mjs SCENARIO_TOOL MAKE_LARGE_SCENARIO WORK_DIR SCREENSHOT_DIR
import { execFileSync } from 'node:child_process';
import { mkdirSync, rmSync, statSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const [tool, makeLarge, work, shots] = process.argv.slice(2);
const failures = [];
const expect = (ok, what) => { if (!ok) failures.push(what); };

// Runs the tool; warnings (status 0) and a data error (2) both write a page.
function scenario(...args) {
  try {
    execFileSync(tool, args, { stdio: 'ignore' });
  } catch (error) {
    if (error.status !== 2) throw error;
  }
}

function prepare() {
  rmSync(work, { recursive: true, force: true });
  mkdirSync(join(work, 'large'), { recursive: true });
  mkdirSync(shots, { recursive: true });
  scenario('export', join(work, 'example'));
  execFileSync(makeLarge, ['1000000', join(work, 'large', 'Lunga_linea.txt'), join(work, 'large', 'Lunga_Merci-.txt')]);
  const page = (name, line, train) => {
    const file = join(work, name + '.html');
    scenario('view', join(work, line), join(work, train), '-o', file);
    // The page grows with the records, not the cells: 1,000 km stay under 2 MB.
    expect(statSync(file).size < 2e6, `the ${name} page is ${statSync(file).size} bytes`);
    return { name, url: pathToFileURL(file).href };
  };
  return [page('example', 'example/Tarvosa_linea.txt', 'example/Tarvosa_Corvale-.txt'),
    page('large', 'large/Lunga_linea.txt', 'large/Lunga_Merci-.txt')];
}

async function open(browser, c, width, height) {
  const page = await browser.newPage({ viewport: { width, height } });
  page.on('pageerror', (e) => failures.push(`${c.name} at ${width} px: ${e}`));
  await page.goto(c.url);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 60000 });
  return page;
}
const frames = (page) => page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));

function boxes() {
  const rect = (id) => document.getElementById(id).getBoundingClientRect().toJSON();
  const plan = document.getElementById('plan');
  return {
    scrollWidth: document.scrollingElement.scrollWidth,
    plan: rect('plan'), readout: rect('readout'), messages: rect('messages'), stations: rect('stations'),
    charts: [...document.querySelectorAll('.chart')].map((e) => e.getBoundingClientRect().toJSON()),
    canvas: [plan.width, plan.height, plan.clientWidth * devicePixelRatio, plan.clientHeight * devicePixelRatio],
  };
}

async function checkWidth(browser, c, width) {
  const page = await open(browser, c, width, width === 390 ? 844 : 1000);
  const b = await page.evaluate(boxes);
  const where = `${c.name} at ${width} px`;
  expect(b.scrollWidth <= width, `${where}: the page is ${b.scrollWidth} px wide`);
  expect(b.plan.width >= (width < 1000 ? width - 40 : width * 0.6) && b.plan.right <= width,
    `${where}: the plan is ${b.plan.width} px wide, from ${b.plan.left} to ${b.plan.right}`);
  b.charts.forEach((chart, i) => expect(Math.abs(chart.width - b.plan.width) <= 2 && chart.right <= width,
    `${where}: chart ${i} is ${chart.width} px wide beside a plan of ${b.plan.width}`));
  if (width < 1000) {
    expect(b.readout.top >= b.plan.bottom && b.readout.bottom <= b.charts[0].top && b.readout.right <= width,
      `${where}: the readout (${b.readout.top} to ${b.readout.bottom} px) is not between the plan and the charts`);
  } else {
    expect(b.readout.left >= b.plan.right && b.readout.right <= width,
      `${where}: the readout stands from ${b.readout.left} to ${b.readout.right} px beside a plan ending at ${b.plan.right}`);
  }
  await page.screenshot({ path: join(shots, `${c.name}-view-${width}.png`), fullPage: true });
  await page.close();
}

// The readout, sticky beside the lists, covers none of them.
async function checkSticky(browser, c) {
  const page = await open(browser, c, 1366, 800);
  await page.evaluate(() => document.getElementById('messages').scrollIntoView());
  await frames(page);
  const b = await page.evaluate(boxes);
  const covers = (a, o) => a.left < o.right && o.left < a.right && a.top < o.bottom && o.top < a.bottom;
  expect(!covers(b.readout, b.messages) && !covers(b.readout, b.stations),
    `${c.name}: the readout covers the lists: ${JSON.stringify([b.readout, b.messages])}`);
  await page.close();
}

// Pointing at cell `index` on the plan and on the speed chart reads its km.
async function pointAt(page, where, index) {
  const wanted = `km ${(index / 20).toFixed(3)} \u2014 cell ${index + 1}`;
  const onPlan = await page.evaluate((i) => {
    const r = document.getElementById('plan').getBoundingClientRect();
    const [x, y] = window.scenarioView.planPoint(i);
    return [r.left + x, r.top + y];
  }, index);
  await page.mouse.move(onPlan[0], onPlan[1]);
  let readout = await page.textContent('#readout');
  expect(readout.includes(wanted), `${where}: pointing at the plan's ${wanted} reads ${readout.split('\n')[0]}`);
  // On the speed chart, brought into sight: first ten cells on, then the cell.
  await page.evaluate(() => window.scenarioView.charts[1].root.scrollIntoView({ block: 'center' }));
  for (const at of [index + 10, index]) {
    const onChart = await page.evaluate((i) => {
      const u = window.scenarioView.charts[1];
      const r = u.over.getBoundingClientRect();
      return [r.left + u.valToPos(i / 20, 'x'), r.top + r.height / 2];
    }, at);
    await page.mouse.move(onChart[0], onChart[1]);
    const want = `km ${(at / 20).toFixed(3)} \u2014 cell ${at + 1}`;
    readout = await page.textContent('#readout');
    expect(readout.includes(want), `${where}: pointing at the chart's ${want} reads ${readout.split('\n')[0]}`);
  }
}

async function checkResize(browser, c) {
  const page = await open(browser, c, 1400, 1000);
  const cell = await page.evaluate(() => {
    const s = JSON.parse(document.getElementById('scenario-data').textContent).stations;
    return s[Math.floor(s.length / 3)].cell - 1;
  });
  for (const [width, height] of [[800, 900], [1200, 700], [390, 844]]) {
    await page.setViewportSize({ width, height });
    await frames(page);
    const b = await page.evaluate(boxes);
    const where = `${c.name} resized to ${width} px`;
    expect(b.canvas[0] === Math.round(b.canvas[2]) && b.canvas[1] === Math.round(b.canvas[3]),
      `${where}: the plan's canvas is ${b.canvas[0]}x${b.canvas[1]}, shown at ${b.canvas[2]}x${b.canvas[3]}`);
    expect(b.scrollWidth <= width, `${where}: the page is ${b.scrollWidth} px wide`);
    b.charts.forEach((chart, i) => expect(Math.abs(chart.width - b.plan.width) <= 2,
      `${where}: chart ${i} is ${chart.width} px wide beside a plan of ${b.plan.width}`));
    await page.evaluate((i) => window.scenarioView.charts[0].setScale('x', { min: i / 20 - 1, max: i / 20 + 1 }), cell);
    await frames(page);
    await page.evaluate(() => document.getElementById('plan').scrollIntoView());
    await pointAt(page, where, cell);
  }
  await page.close();
}

// Pixels of a board's green, or of a tunnel's grey, drawn outside a plot.
function strays(chart, colour) {
  const u = window.scenarioView.charts[chart];
  const { left, top, width, height } = u.bbox;
  const image = u.ctx.getImageData(0, 0, u.ctx.canvas.width, u.ctx.canvas.height);
  let count = 0;
  for (let y = top; y < top + height; y++) {
    for (let x = 0; x < image.width; x++) {
      if (x >= left - 1 && x <= left + width + 1) continue;
      const k = (y * image.width + x) * 4, [r, g, b] = image.data.slice(k, k + 3);
      if (colour === 'green' ? g > r + 60 && g > b + 60 : r === g && g === b && Math.abs(r - 231) <= 2) count++;
    }
  }
  for (const y of [...Array(top).keys(), ...Array(image.height - top - height).keys()].map((v, i) => i < top ? v : v + top + height)) {
    for (let x = 0; x < image.width; x++) {
      const k = (y * image.width + x) * 4, [r, g, b] = image.data.slice(k, k + 3);
      if (colour === 'green' && g > r + 60 && g > b + 60) count++;
    }
  }
  return count;
}

async function checkCharts(browser, c) {
  const page = await open(browser, c, 1366, 1000);
  const range = await page.evaluate(() => {
    const d = JSON.parse(document.getElementById('scenario-data').textContent);
    const speeds = d.boards.filter((b) => b.kind === 'speed').map((b) => b.speed);
    const y = window.scenarioView.charts[1].scales.y;
    return { low: Math.min(...speeds), high: Math.max(...speeds), min: y.min, max: y.max };
  });
  expect(range.min <= range.low && range.max >= range.high,
    `${c.name}: the speed chart shows ${range.min} to ${range.max} km/h, boards stand at ${range.low} to ${range.high}`);
  for (const [min, max] of [[0, 1e9], [210, 214], [40.2, 44.2]]) {
    await page.evaluate(([a, b]) => window.scenarioView.charts[0].setScale('x', { min: a, max: Math.min(b, window.scenarioView.charts[0].data[0].at(-1)) }), [min, max]);
    await frames(page);
    const green = await page.evaluate(strays, 1), grey = await page.evaluate(strays, 0);
    expect(green === 0, `${c.name} from km ${min}: ${green} pixels of the boards drawn outside the plot`);
    expect(grey < 40, `${c.name} from km ${min}: ${grey} pixels of tunnel shading drawn outside the plot`);
  }
  await page.screenshot({ path: join(shots, `${c.name}-view-zoomed.png`) });
  await page.close();
}

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
try {
  for (const c of prepare()) {
    for (const width of [1920, 1366, 820, 390]) await checkWidth(browser, c, width);
    await checkSticky(browser, c);
    await checkResize(browser, c);
    await checkCharts(browser, c);
  }
} finally {
  await browser.close();
}
if (failures.length) {
  console.error(failures.join('\n'));
  process.exit(1);
}
console.log('the view fits every window, follows resizing and draws inside its plots; screenshots in ' + shots);
