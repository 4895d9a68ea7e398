// The stations and kilometre posts as guides through the charts, in
// headless Chromium: zoomed to the example's first 30 km, every chart shows
// a line in the station colour within 1.5 px of each of three stations'
// kilometre over most of its height, labelled with the station's name;
// on the whole line and zoomed, no two labels of a chart overlap.
//
//   node guides_test.mjs SCENARIO_TOOL WORK_DIR SCREENSHOT_DIR
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { examplePage, launchChromium, openReadyPage } from './support.mjs';

const [tool, work, shots] = process.argv.slice(2);
const failures = [];
const expect = (ok, what) => { if (!ok) failures.push(what); };

const file = examplePage(tool, work, shots);

// Each chart's labelled guides whose boxes overlap another's.
const overlapping = (page) => page.evaluate(() => window.scenarioView.charts.flatMap((u) => {
  const boxes = (u.guides || []).filter((g) => g.box);
  return boxes.filter((a, i) => boxes.some((b, j) => i !== j &&
    a.box.left < b.box.right && b.box.left < a.box.right)).map((g) => u.panel.id + ': ' + g.label);
}));

const browser = await launchChromium();
try {
  const page = await browser.newPage({ viewport: { width: 1400, height: 900 }, deviceScaleFactor: 1 });
  const problems = [];
  page.on('pageerror', (e) => problems.push(String(e)));
  await page.goto(pathToFileURL(file).href);
  await page.waitForSelector('body[data-ready="true"]');
  const whole = await overlapping(page);
  expect(whole.length === 0, `on the whole line these labels overlap another: ${whole.join(', ')}`);

  await page.evaluate(() => window.scenarioView.charts[0].setScale('x', { min: 0, max: 30 }));
  await page.waitForFunction(() => window.scenarioView.charts.every((u) =>
    u.scales.x.max === 30 && (u.guides || []).some((g) => g.km > 20 && g.kind === 'station')));
  const stations = await page.evaluate(() => JSON.parse(document.getElementById('scenario-data').textContent)
    .stations.filter((s) => s.km > 1 && s.km < 29).slice(0, 3).map((s) => ({ name: s.name, km: s.km })));
  expect(stations.length === 3, `three stations in the first 30 km: ${JSON.stringify(stations)}`);
  // For each chart and station: the columns near the station's kilometre
  // (in CSS px from the plot's left) whose pixels are in the station
  // colour over most of the plot's height, and the labels drawn there.
  const found = await page.evaluate((list) => window.scenarioView.charts.map((u) => {
    const ctx = u.ctx, { left, top, width, height } = u.bbox;
    const pixels = ctx.getImageData(left, top, width, height).data;
    const stationColour = (i) => Math.abs(pixels[i] - 213) < 30 && Math.abs(pixels[i + 1] - 94) < 30 &&
      pixels[i + 2] < 60;
    return list.map((s) => {
      const want = u.valToPos(s.km, 'x');
      const columns = [];
      for (let x = Math.floor(want - 3); x <= Math.ceil(want + 3); x++) {
        let rows = 0;
        for (let y = 0; y < height; y++) if (stationColour((y * width + x) * 4)) rows++;
        if (rows > height * 0.6) columns.push(x + 0.5);
      }
      const guide = (u.guides || []).find((g) => g.kind === 'station' && Math.abs(g.km - s.km) < 1e-9);
      return { chart: u.panel.id, station: s.name, want, columns, label: guide && guide.label };
    });
  }), stations);
  for (const f of found.flat()) {
    expect(f.columns.some((x) => Math.abs(x - f.want) <= 1.5),
      `${f.chart}: no line at ${f.station} (x ${f.want.toFixed(1)}), lines at ${JSON.stringify(f.columns)}`);
    expect(f.label === f.station, `${f.chart}: the line at ${f.station} is labelled ${f.label}`);
  }
  const zoomed = await overlapping(page);
  expect(zoomed.length === 0, `zoomed, these labels overlap another: ${zoomed.join(', ')}`);
  await page.screenshot({ path: join(shots, 'guides.png'), fullPage: true });
  expect(problems.length === 0, `the page raised: ${problems.join('; ')}`);
} finally {
  await browser.close();
}
if (failures.length) {
  console.error(failures.join('\n'));
  process.exit(1);
}
console.log('the charts show the stations and kilometre posts');
