// How a scenario view loads in headless Chromium: the page's size, the
// time to its first paint and until its scripts have drawn everything.
// A measurement, not a test:
//
//   node measure_view.mjs PAGE.html [RUNS]
import { statSync } from 'node:fs';
import { chromium } from 'playwright-core';

const [page, runs = '5'] = process.argv.slice(2);
const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--no-first-run'],
});
const paints = [], ready = [];
for (let run = 0; run < Number(runs); run++) {
  const tab = await browser.newPage({ viewport: { width: 1400, height: 1000 } });
  const start = Date.now();
  await tab.goto('file://' + page);
  await tab.waitForSelector('body[data-ready="true"]', { timeout: 120000 });
  ready.push(Date.now() - start);
  paints.push(await tab.evaluate(() =>
    performance.getEntriesByName('first-contentful-paint')[0]?.startTime ?? NaN));
  await tab.close();
}
await browser.close();
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];
console.log(`${page}: ${(statSync(page).size / 1e6).toFixed(2)} MB, first paint ${median(paints).toFixed(0)} ms, ` +
  `drawn ${median(ready)} ms (medians of ${runs})`);
