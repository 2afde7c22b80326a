// Opens the overview pages of several months in headless Chromium with the
// real Chart.js: reads every chart's datasets through Chart.instances and
// compares them with figures worked out by hand from the month files the
// writer puts into its gallery, checks the table and the trend sentence, that
// the name of the user never runs as script, that there are no console
// errors, and that the page of two years draws within a second.
//   node overview_pages.test.mjs <overview_page_writer> <output folder>
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const [writer, outDir] = process.argv.slice(2);
if (!writer || !outDir) {
  console.error('usage: node overview_pages.test.mjs <overview_page_writer> <output folder>');
  process.exit(2);
}
execFileSync(writer, [outDir], { stdio: 'inherit' });

const failures = [];
const check = (ok, message) => { if (!ok) failures.push(message); };
const same = (actual, expected, message) =>
  check(JSON.stringify(actual) === JSON.stringify(expected),
    `${message}: ${JSON.stringify(actual)}, expected ${JSON.stringify(expected)}`);

const grade1 = '#FF925F';
const highNormal = '#FEF200';
const normal = '#B5E51D';
const none = '#FFFFFF';

// October 2025 to May 2026. November has no file, December cannot be read,
// one line of February cannot be read. Means of all readings, at two
// decimals as the month pages show them; null where a month has none.
const eightMonths = {
  file: 'Muster_Übersicht_10_2025-05_2026.html',
  title: 'Blutdruck-Übersicht von Muster: Oktober 2025 bis Mai 2026',
  labels: ['Oktober 2025', 'November 2025', 'Dezember 2025', 'Januar 2026', 'Februar 2026',
    'März 2026', 'April 2026', 'Mai 2026'],
  charts: {
    mittelwerte: {
      // (150 + 146 + 142) / 3; (140 + 150) / 2; 135; (138 + 139) / 2; 128; (130 + 134) / 2
      'Systole': [146, null, null, 145, 135, 138.5, 128, 132],
      // (95 + 92 + 88) / 3 = 91,67
      'Diastole': [91.67, null, null, 92, 85, 86.5, 80, 83],
      // (70 + 74 + 68) / 3 = 70,67
      'Puls': [70.67, null, null, 74, 70, 70.5, 66, 65],
      'Grenzwert 135 mmHg': Array(8).fill(135),
      'Grenzwert 85 mmHg': Array(8).fill(85),
    },
    tageszeit: {
      'Morgens systolisch': [146, null, null, 140, 135, null, 128, 130],
      'Abends systolisch': [146, null, null, 150, null, 138.5, null, 134],
      'Morgens diastolisch': [91.5, null, null, 90, 85, null, 80, 82],
      'Abends diastolisch': [92, null, null, 94, null, 86.5, null, 84],
    },
    gewicht: { 'Gewicht': [81.5, null, null, null, null, null, 80, null] },
  },
  // 146/92: grade 1; 145/92: grade 1; 135/85: high normal by 85;
  // 138,5/86,5 rounds to 139/87: high normal; 128/80: normal; 132/83: high normal.
  gradeColours: [grade1, none, none, grade1, highNormal, highNormal, normal, highNormal],
  colours: { 'Systole': '#FF0000', 'Diastole': '#008000', 'Puls': '#000080' },
  // First three months with readings: 863 / 6 = 143,83; last three: 669 / 5 = 133,8.
  trend: 'Der systolische Mittelwert ist von 144 auf 134 mmHg gesunken (\u221210 mmHg).',
  rows: [
    ['Oktober 2025', '3', '146,0', '91,7', '70,7', '142 am 02.10.2025', '150 am 01.10.2025',
      'Grad 1 Hypertonie (leichter Bluthochdruck)', '100,0 %', ''],
    ['November 2025', 'keine Daten'],
    ['Dezember 2025', 'Datei nicht lesbar'],
    ['Januar 2026', '2', '145,0', '92,0', '74,0', '140 am 05.01.2026', '150 am 05.01.2026',
      'Grad 1 Hypertonie (leichter Bluthochdruck)', '100,0 %', ''],
    ['Februar 2026', '1', '135,0', '85,0', '70,0', '135 am 10.02.2026', '135 am 10.02.2026',
      'Hochnormal', '100,0 %', '1 Eintrag nicht lesbar, nicht berücksichtigt'],
    ['März 2026', '2', '138,5', '86,5', '70,5', '138 am 01.03.2026', '139 am 02.03.2026',
      'Hochnormal', '100,0 %', ''],
    ['April 2026', '1', '128,0', '80,0', '66,0', '128 am 01.04.2026', '128 am 01.04.2026',
      'Normal/Optimal', '0,0 %', ''],
    ['Mai 2026', '2', '132,0', '83,0', '65,0', '130 am 01.05.2026', '134 am 01.05.2026',
      'Hochnormal', '0,0 %', ''],
  ],
};

const profile = mkdtempSync(join(tmpdir(), 'vantoria-chromium-'));
const context = await chromium.launchPersistentContext(profile, {
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  headless: true,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  viewport: { width: 1400, height: 1000 },
});

async function open(file) {
  const page = await context.newPage();
  const errors = [];
  page.on('console', (msg) => { if (msg.type() === 'error') errors.push(msg.text()); });
  page.on('pageerror', (err) => errors.push(String(err)));
  page.on('dialog', async (dialog) => { errors.push(`dialog: ${dialog.message()}`); await dialog.dismiss(); });
  const started = Date.now();
  await page.goto(pathToFileURL(join(outDir, file)).href, { waitUntil: 'load' });
  // The charts are drawn in onload, without animation.
  await page.waitForFunction(() => window.Chart && Object.keys(Chart.instances).length > 0,
    null, { timeout: 5000 }).catch(() => {});
  const drawnAfter = Date.now() - started;
  const result = await page.evaluate(() => ({
    injected: window.injected ?? null,
    title: document.querySelector('h0')?.textContent ?? '',
    trend: document.querySelector('center p')?.textContent ?? '',
    body: document.body.innerText,
    rows: [...document.querySelectorAll('table tr')].slice(1)
      .map((tr) => [...tr.querySelectorAll('td')].map((td) => td.textContent)),
    charts: Object.values(Chart.instances).map((chart) => ({
      id: chart.canvas.id,
      type: chart.config.type,
      labels: chart.data.labels,
      datasets: chart.data.datasets.map((dataset, d) => ({
        label: dataset.label,
        data: dataset.data,
        borderColor: dataset.borderColor,
        borderDash: dataset.borderDash ?? [],
        pointBackgroundColor: dataset.pointBackgroundColor ?? null,
        // Which points Chart.js leaves out of the line.
        skipped: chart.getDatasetMeta(d).data.map((point) => point._model.skip),
      })),
    })),
  }));
  await page.screenshot({ path: join(outDir, file.replace(/\.html$/, '.png')), fullPage: true });
  await page.close();
  return { errors, drawnAfter, ...result };
}

try {
  {
    const want = eightMonths;
    const page = await open(want.file);
    const name = want.file;
    check(page.errors.length === 0, `${name}: console errors: ${page.errors.join(' | ')}`);
    same(page.title, want.title, `${name}: title`);
    same(page.trend, want.trend, `${name}: trend`);
    same(page.rows, want.rows, `${name}: table`);
    same(page.charts.map((c) => c.id).sort(), ['gewicht', 'mittelwerte', 'tageszeit'], `${name}: charts`);
    for (const chart of page.charts) {
      same(chart.type, 'line', `${name} ${chart.id}: type`);
      same(chart.labels, want.labels, `${name} ${chart.id}: labels`);
      const expected = want.charts[chart.id];
      same(chart.datasets.map((d) => d.label), Object.keys(expected), `${name} ${chart.id}: datasets`);
      for (const dataset of chart.datasets) {
        const values = expected[dataset.label];
        same(dataset.data, values, `${name} ${chart.id} ${dataset.label}`);
        same(dataset.skipped, values.map((v) => v === null), `${name} ${chart.id} ${dataset.label}: gaps`);
      }
    }
    const means = page.charts.find((c) => c.id === 'mittelwerte');
    for (const dataset of means?.datasets ?? []) {
      if (want.colours[dataset.label]) same(dataset.borderColor, want.colours[dataset.label], `${name} ${dataset.label}: colour`);
      const limit = dataset.label.startsWith('Grenzwert');
      same(dataset.borderDash.length > 0, limit, `${name} ${dataset.label}: dashed`);
    }
    same(means?.datasets[0].pointBackgroundColor, want.gradeColours, `${name} Systole: grade colours`);
    same(means?.datasets[1].pointBackgroundColor, want.gradeColours, `${name} Diastole: grade colours`);
    console.log(`${name}: ${page.charts.length} charts checked`);
  }
  {
    const name = 'Erika_Übersicht_01_2024-12_2025.html';
    const page = await open(name);
    check(page.errors.length === 0, `${name}: console errors: ${page.errors.join(' | ')}`);
    check(page.drawnAfter < 1000, `${name}: drawn after ${page.drawnAfter} ms`);
    same(page.charts.length, 3, `${name}: charts`);
    same(page.rows.length, 24, `${name}: table rows`);
    for (const chart of page.charts) {
      same(chart.labels.length, 24, `${name} ${chart.id}: labels`);
      for (const dataset of chart.datasets) {
        check(dataset.data.length === 24 && dataset.data.every((v) => typeof v === 'number'),
          `${name} ${chart.id} ${dataset.label}: ${JSON.stringify(dataset.data)}`);
      }
    }
    // January 2024: s = 152 + day % 7 in the morning, 6 more in the evening.
    // Days 1..31 give day % 7 a sum of 90, so (2·31·152 + 2·90 + 31·6) / 62.
    const january = page.charts.find((c) => c.id === 'mittelwerte')?.datasets[0].data[0];
    same(january, 157.9, `${name}: systolic mean of January 2024`);
    check(/^Der systolische Mittelwert ist von \d+ auf \d+ mmHg gesunken \(\u2212\d+ mmHg\)\.$/.test(page.trend),
      `${name}: trend ${page.trend}`);
    console.log(`${name}: drawn after ${page.drawnAfter} ms`);
  }
  {
    const name = 'Anna <img src=x onerror=window.injected=1> & Co_Übersicht_07_2024-07_2024.html';
    const page = await open(name);
    check(page.errors.length === 0, `${name}: console errors: ${page.errors.join(' | ')}`);
    check(page.injected === null, `${name}: text from the user ran as script`);
    same(page.title, 'Blutdruck-Übersicht von Anna <img src=x onerror=window.injected=1> & Co: Juli 2024',
      `${name}: title`);
    same(page.charts.map((c) => c.id).sort(), ['mittelwerte', 'tageszeit'], `${name}: charts`);
    check(page.body.includes('Im Zeitraum wurde kein Gewicht eingetragen.'), `${name}: no weight note`);
    same(page.trend, 'Für eine Aussage über den Verlauf sind mindestens sechs Monate mit Messungen nötig.',
      `${name}: trend`);
  }
} finally {
  await context.close();
  rmSync(profile, { recursive: true, force: true });
}

if (failures.length > 0) {
  console.error(failures.slice(0, 40).join('\n'));
  console.error(`${failures.length} failures`);
  process.exit(1);
}
console.log('all overview pages draw as expected');
