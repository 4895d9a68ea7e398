// A scenario whose every text is hostile, opened in headless Chromium: its
// station names, board text, warnings, titles and file names would end or
// open markup, a comment or a script. The view and the map must open with
// the texts shown as they are and no script of theirs run.
//
//   node hostile_test.mjs SCENARIO_TOOL WORK_DIR SCREENSHOT_DIR
import { execFileSync } from 'node:child_process';
import { mkdirSync, readFileSync, renameSync, rmSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const [tool, work, shots] = process.argv.slice(2);
const failures = [];
const expect = (ok, what) => { if (!ok) failures.push(what); };

const stations = ['<script>window.__pwned=1</script>', '<!--<script>',
  '<img src=x onerror="window.__pwned=1"></script>'];
const board = '</script><img src=x onerror="window.__pwned=1">';
const keyword = 'segnal<!--<script>';
// A file name holds no '/', and the route's no '_': the titles come from them.
const route = '<img src=x onerror=window.pwned=1><!--<script>';
const train = '<svg onload=window.pwned=1>';
// compile refuses titles no file name holds on every system: the map's are
// as hostile as such a name may be.
const mapRoute = 'Ostile &amp; ]]';
const mapTrain = "&lt;b' $(x)";

// Runs the tool; warnings are what it is there for, not a failure.
const scenario = (...args) => execFileSync(tool, args, { stdio: ['ignore', 'ignore', 'pipe'] });

function prepare() {
  rmSync(work, { recursive: true, force: true });
  mkdirSync(shots, { recursive: true });
  const dir = join(work, 'hostile');
  scenario('new', dir, '--route', 'Lago', '--train', 'Treno');
  const edit = (from, to, change) => {
    writeFileSync(join(dir, to), change(readFileSync(join(dir, from), 'latin1')), 'latin1');
    if (from !== to) rmSync(join(dir, from));
  };
  const line = `${route}_linea.txt`, trainFile = `${route}_${train}-.txt`;
  edit('Lago_linea.txt', line, (t) => t.replace('(Galleria )(Nuova)', board));
  edit('Lago_Treno-.txt', trainFile, (t) => t.replace('Partenza', stations[0])
    .replace('Fermata', stations[1]).replace('Arrivo', stations[2])
    .replace('[segnali]\r\n', `[segnali]\r\n${keyword}, 2500\r\n`));
  const pages = [
    { name: 'titles-from-names', title: `${route} - ${train}`, args: [] },
    { name: 'titles-given', title: '</title><script>window.__pwned=1</script> - <!--<script>',
      args: ['--route', '</title><script>window.__pwned=1</script>', '--train', '<!--<script>'] },
  ];
  for (const p of pages) {
    p.file = join(work, p.name + '.html');
    scenario('view', join(dir, line), join(dir, trainFile), '-o', p.file, ...p.args);
  }
  mkdirSync(join(dir, 'out'));
  scenario('compile', join(dir, line), join(dir, trainFile), '-o', join(dir, 'out'),
    '--route', mapRoute, '--train', mapTrain);
  const map = join(work, 'hostile.svg');
  scenario('map', join(dir, 'out'), '-o', map);
  return { pages, map, trainFile };
}

const pwned = () => window.__pwned !== undefined || window.pwned !== undefined;

async function checkPage(browser, p, trainFile) {
  const page = await browser.newPage({ viewport: { width: 1400, height: 1000 } });
  const problems = [];
  page.on('pageerror', (e) => problems.push(String(e)));
  await page.goto(pathToFileURL(p.file).href);
  const ready = await page.waitForSelector('body[data-ready="true"]', { timeout: 20000 })
    .then(() => true, () => false);
  expect(ready, `${p.name}: the page never got ready`);
  expect(!(await page.evaluate(pwned)), `${p.name}: a text ran as script`);
  expect(await page.evaluate(() => document.querySelectorAll('img, svg').length === 0),
    `${p.name}: a text became an element`);
  expect(await page.title() === p.title, `${p.name}: the page's title is '${await page.title()}'`);
  expect(await page.textContent('#title') === p.title, `${p.name}: the heading is not the title`);
  const listed = await page.$$eval('#stations tbody tr td:first-child', (c) => c.map((e) => e.textContent));
  expect(JSON.stringify(listed) === JSON.stringify(stations), `${p.name}: the stations listed are ${listed}`);
  const messages = await page.textContent('#messages');
  expect(messages.includes(`'${keyword}'`), `${p.name}: the warning's quote is not shown: ${messages}`);
  expect(messages.includes(trainFile), `${p.name}: the train file's name is not shown: ${messages}`);
  // The text board stands at 3.95 km; pointing there shows its text.
  const at = await page.evaluate(() => {
    const u = window.scenarioView.charts[1];
    const box = u.over.getBoundingClientRect();
    return { x: box.left + u.valToPos(3.95, 'x'), y: box.top + box.height / 2 };
  });
  await page.mouse.move(at.x, at.y);
  const readout = await page.textContent('#readout');
  expect(readout.includes(board), `${p.name}: the board's text is not shown: ${readout}`);
  expect(problems.length === 0, `${p.name}: the page reported ${problems.join('; ')}`);
  await page.screenshot({ path: join(shots, `hostile-${p.name}.png`), fullPage: true });
  // Printed, the profile shows the title and every station as they are.
  await page.emulateMedia({ media: 'print' });
  // The profile is built when the media change reaches the page.
  await page.waitForFunction(() => document.querySelector('.print-sheet'), null, { timeout: 30000 });
  const printed = await page.evaluate(() => ({
    title: [...document.querySelectorAll('.print-sheet text.title')].map((t) => t.textContent),
    stations: [...document.querySelectorAll('.print-sheet text.station')].map((t) => t.textContent),
    strays: document.querySelectorAll('img, svg:not(.print-sheet)').length,
  }));
  expect(!(await page.evaluate(pwned)), `${p.name}: a text ran as script when printed`);
  expect(printed.strays === 0, `${p.name}: a text became an element when printed`);
  expect(printed.title.length > 0 && printed.title.every((t) => t === p.title),
    `${p.name}: the printed title is ${printed.title}`);
  expect(stations.every((name) => printed.stations.some((t) => t === name || t.startsWith(name + '  '))),
    `${p.name}: the printed stations are ${printed.stations}`);
  await page.close();
}

async function checkMap(browser, map) {
  const page = await browser.newPage({ viewport: { width: 1600, height: 1200 } });
  await page.goto(pathToFileURL(map).href);
  expect(await page.evaluate(() => document.documentElement.localName === 'svg' &&
    !document.querySelector('parsererror')), 'the map does not parse as SVG');
  expect(!(await page.evaluate(pwned)), 'the map: a text ran as script');
  const texts = await page.$$eval('text', (t) => t.map((e) => e.textContent).join('\n'));
  for (const name of stations) expect(texts.includes(name), `the map does not show '${name}'`);
  expect(texts.includes(`${mapRoute} - ${mapTrain}`), 'the map does not show the titles');
  await page.screenshot({ path: join(shots, 'hostile-map.png') });
  await page.close();
}

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
try {
  const { pages, map, trainFile } = prepare();
  for (const p of pages) await checkPage(browser, p, trainFile);
  await checkMap(browser, map);
} finally {
  await browser.close();
}
if (failures.length) {
  console.error(failures.join('\n'));
  process.exit(1);
}
console.log('every hostile text is shown as it is and none runs; screenshots in ' + shots);
