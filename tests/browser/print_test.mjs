// The printed profile of the example, in headless Chromium: printed on A4
// and on A3 landscape it takes one sheet for every 25 km, nothing else is
// printed, each page's profile fits its page box, every station is
// labelled clear of the others, and each gradient value printed is the
// gradient of the track where it stands.
//
//   node print_test.mjs SCENARIO_TOOL WORK_DIR SCREENSHOT_DIR
import { execFileSync } from 'node:child_process';
import { mkdirSync, rmSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const [tool, work, shots] = process.argv.slice(2);
const failures = [];
const expect = (ok, what) => { if (!ok) failures.push(what); };
const KM_A_PAGE = 25;
const MM = 96 / 25.4;  // CSS pixels a millimetre
// The page boxes inside the 10 mm margins, landscape.
const papers = { A4: { width: 277 * MM, height: 190 * MM }, A3: { width: 400 * MM, height: 277 * MM } };

rmSync(work, { recursive: true, force: true });
mkdirSync(shots, { recursive: true });
execFileSync(tool, ['export', work], { stdio: 'ignore' });
const html = join(work, 'example.html');
try {
  execFileSync(tool, ['view', join(work, 'Tarvosa_linea.txt'), join(work, 'Tarvosa_Corvale-.txt'),
    '-o', html], { stdio: 'ignore' });
} catch (error) {
  if (error.status !== 2) throw error;
}

// The pages of a PDF: its page objects.
const pagesOf = (pdf) => (pdf.toString('latin1').match(/\/Type\s*\/Page\b(?!s)/g) || []).length;

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking'],
});
try {
  const page = await browser.newPage({ viewport: { width: 1400, height: 1000 } });
  const problems = [];
  page.on('pageerror', (e) => problems.push(String(e)));
  await page.goto(pathToFileURL(html).href);
  await page.waitForSelector('body[data-ready="true"]');
  const facts = await page.evaluate(() => {
    const data = JSON.parse(document.getElementById('scenario-data').textContent);
    return { length: data.length, stations: data.stations.map((s) => s.name) };
  });
  const sheets = Math.ceil(facts.length / KM_A_PAGE);

  for (const format of ['A4', 'A3']) {
    const pdf = await page.pdf({ format, landscape: true });
    writeFileSync(join(shots, `example-print-${format}.pdf`), pdf);
    const count = pagesOf(pdf);
    expect(count === sheets, `${format}: ${count} pages printed, not ${sheets} for ${facts.length} km`);
  }

  // As printed on A4: the window is the page box.
  await page.emulateMedia({ media: 'print' });
  await page.setViewportSize({ width: Math.floor(papers.A4.width), height: Math.floor(papers.A4.height) });
  const laid = await page.evaluate(() => ({
    shown: [...document.body.children].filter((e) => e.getBoundingClientRect().height > 0)
      .map((e) => e.id || e.tagName),
    pages: [...document.querySelectorAll('.print-page')].map((p) => {
      const r = p.querySelector('svg').getBoundingClientRect();
      const style = getComputedStyle(p);
      return { width: r.width, height: r.height, left: r.left, breakAfter: style.breakAfter,
        breakInside: style.breakInside,
        from: Number(p.querySelector('svg').dataset.from), to: Number(p.querySelector('svg').dataset.to),
        stations: [...p.querySelectorAll('text.station')].map((t) => {
          const b = t.getBoundingClientRect();
          return { text: t.textContent, left: b.left, right: b.right, top: b.top - r.top,
            bottom: b.bottom - r.top, inside: b.left >= r.left && b.right <= r.right };
        }) };
    }),
  }));
  expect(laid.shown.length === 1 && laid.shown[0] === 'print-profile',
    `printing shows ${laid.shown.join(', ')}, not only the profile`);
  expect(laid.pages.length === sheets, `${laid.pages.length} profile pages, not ${sheets}`);
  laid.pages.forEach((p, i) => {
    expect(p.width <= papers.A4.width + 0.5 && p.height <= papers.A4.height - 2,
      `page ${i + 1}: the profile is ${p.width} x ${p.height} px, over the A4 page box`);
    expect(p.breakInside === 'avoid', `page ${i + 1} may be split (${p.breakInside})`);
    expect(i === laid.pages.length - 1 || p.breakAfter === 'page', `page ${i + 1} is not followed by a new sheet`);
    expect(Math.abs(p.from - i * KM_A_PAGE) < 1e-9 && p.to <= p.from + KM_A_PAGE,
      `page ${i + 1} shows km ${p.from} to ${p.to}`);
    p.stations.forEach((s, j) => {
      expect(s.inside && s.top >= 0, `page ${i + 1}: the label '${s.text}' leaves the page`);
      p.stations.slice(j + 1).forEach((t) => expect(s.right <= t.left || t.right <= s.left ||
        s.bottom <= t.top || t.bottom <= s.top, `page ${i + 1}: '${s.text}' covers '${t.text}'`));
    });
  });
  const labelled = laid.pages.flatMap((p) => p.stations.map((s) => s.text));
  for (const name of facts.stations) {
    const times = labelled.filter((t) => t === name || t.startsWith(name + '  ')).length;
    expect(times === 1, `station '${name}' is labelled ${times} times`);
  }

  // Every gradient value printed is the track's gradient under it.
  const wrong = await page.evaluate(() => {
    const data = JSON.parse(document.getElementById('scenario-data').textContent);
    const out = [];
    let shown = 0;
    document.querySelectorAll('.print-sheet').forEach((svg) => {
      const from = Number(svg.dataset.from), box = svg.getBoundingClientRect();
      const perKm = box.width / 1385 * 50;
      svg.querySelectorAll('text.gradient-value').forEach((t) => {
        const r = t.getBoundingClientRect();
        const at = from + ((r.left + r.right) / 2 - box.left - box.width / 1385 * 100) / perKm;
        const want = data.cells.gradient[Math.min(data.cells.km.length - 1, Math.floor(at * 20))];
        shown++;
        if (Number(t.textContent) !== want) out.push(`km ${at.toFixed(2)}: ${t.textContent}, not ${want}`);
      });
    });
    return { out, shown };
  });
  expect(wrong.shown > facts.length / 5, `only ${wrong.shown} gradient values printed`);
  expect(wrong.out.length === 0, `gradient values printed wrong: ${wrong.out.slice(0, 5).join('; ')}`);

  await page.setViewportSize({ width: Math.floor(papers.A4.width), height: Math.floor(papers.A4.height) });
  await page.screenshot({ path: join(shots, 'example-print-A4-page1.png') });
  expect(problems.length === 0, `the page reported ${problems.join('; ')}`);
} finally {
  await browser.close();
}
if (failures.length) {
  console.error(failures.join('\n'));
  process.exit(1);
}
console.log('the printed profile fits its pages; PDFs and a screenshot in ' + shots);
