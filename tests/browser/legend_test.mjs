// What the readout and the colours say, in headless Chromium: inside a
// slow-down the readout gives its speed and extent, a speed board's label
// on the chart all the board's speeds; the legend names every kind of mark in a colour of
// its own, and the plan draws a station in the legend's colour.
//
//   node legend_test.mjs SCENARIO_TOOL WORK_DIR SCREENSHOT_DIR
import { join } from 'node:path';
import { examplePage, launchChromium, openReadyPage } from './support.mjs';

const [tool, work, shots] = process.argv.slice(2);
const failures = [];
const expect = (ok, what) => { if (!ok) failures.push(what); };

const file = examplePage(tool, work, shots);

const frames = (page) => page.evaluate(() => new Promise((r) =>
  requestAnimationFrame(() => requestAnimationFrame(() => r()))));
const readoutAt = async (page, at) => {
  await page.evaluate((k) => { location.hash = '#km=' + k; }, at);
  await page.waitForFunction((k) => document.getElementById('readout').textContent.includes('km ' + k), at);
  return page.$eval('#readout', (r) => r.textContent);
};
// The colour a swatch or a pixel shows, as [r, g, b].
const rgb = (text) => (/rgba?\(([0-9]+), ([0-9]+), ([0-9]+)/.exec(text) || []).slice(1, 4).map(Number);

const browser = await launchChromium();
try {
  const problems = [];
  const page = await openReadyPage(browser, file, problems);
  // The example's slow-down: 15 km/h from km 201.1 to 201.2.
  const slow = await readoutAt(page, '201.150');
  expect(slow.includes('slow-down 15 km/h from km 201.100 to km 201.200'), `inside the slow-down the readout says: ${slow}`);
  // The board at km 1.1 holds 105/110/125 km/h: the speed chart, zoomed
  // to it, labels it so, and so does the readout there.
  const board = await readoutAt(page, '1.100');
  expect(board.includes('105/110/125 km/h'), `at the board of km 1.1 the readout says: ${board}`);
  await frames(page);
  const labels = await page.evaluate(() => window.scenarioView.charts[1].boardLabels || []);
  const label = labels.find((l) => Math.abs(l.km - 1.1) < 0.01);
  expect(label && label.label === '105/110/125', `the speed chart labels the board of km 1.1 ${JSON.stringify(label)}`);

  const legend = await page.$$eval('#legend li', (items) => items.map((li) => ({ kind: li.dataset.kind,
    text: li.textContent, colour: getComputedStyle(li.querySelector('.swatch')).backgroundColor })));
  const kinds = ['straight', 'gentle', 'sharp', 'station', 'signal', 'slowdown', 'tunnel', 'speedBoard', 'textBoard'];
  for (const kind of kinds) {
    expect(legend.some((e) => e.kind === kind && e.text.trim() && rgb(e.colour).length === 3),
      `the legend lacks ${kind}: ${JSON.stringify(legend)}`);
  }
  legend.forEach((a, i) => legend.slice(i + 1).forEach((b) => expect(String(rgb(a.colour)) !== String(rgb(b.colour)),
    `${a.kind} and ${b.kind} share the colour ${a.colour}`)));

  // The first station's dot is drawn in the legend's station colour.
  await page.focus('#plan'), await page.keyboard.press('0'), await frames(page);
  const dot = await page.evaluate(() => {
    const data = JSON.parse(document.getElementById('scenario-data').textContent);
    const plan = document.getElementById('plan');
    const s = data.stations[Math.floor(data.stations.length / 2)];
    const [x, y] = window.scenarioView.planPoint(s.cell - 1).map((v) => Math.round(v * devicePixelRatio));
    const [r, g, b] = plan.getContext('2d').getImageData(x, y, 1, 1).data;
    return `rgb(${r}, ${g}, ${b})`;
  });
  const station = legend.find((e) => e.kind === 'station');
  expect(station && String(rgb(dot)) === String(rgb(station.colour)), `a station is drawn in ${dot}, the legend says ${station && station.colour}`);
  await page.screenshot({ path: join(shots, 'legend.png') });
  expect(problems.length === 0, `the page reported ${problems.join('; ')}`);
} finally {
  await browser.close();
}
if (failures.length) {
  console.error(failures.join('\n'));
  process.exit(1);
}
console.log('the readout gives slow-downs and boards, the legend every colour; screenshots in ' + shots);
