// Opens the generated chart pages in headless Chromium with the real Chart.js
// and checks that no page stops with a script error, that every chart is
// drawn and that days without readings show no bar or point when the zero-gap
// option is on. Some pages come from month files: saved as UTF-16 with a
// byte-order mark, and changed by hand.
//   node chart_pages.test.mjs <chart_page_writer> <output folder>
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const [writer, outDir] = process.argv.slice(2);
if (!writer || !outDir) {
  console.error('usage: node chart_pages.test.mjs <chart_page_writer> <output folder>');
  process.exit(2);
}
execFileSync(writer, [outDir], { stdio: 'inherit' });
const manifest = JSON.parse(readFileSync(join(outDir, 'manifest.json'), 'utf8'));

const failures = [];
const check = (ok, message) => { if (!ok) failures.push(message); };

const profile = mkdtempSync(join(tmpdir(), 'vantoria-chromium-'));
const context = await chromium.launchPersistentContext(profile, {
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  headless: true,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  viewport: { width: 1400, height: 1000 },
});
try {
  for (const entry of manifest) {
    const page = await context.newPage();
    const errors = [];
    page.on('console', (msg) => { if (msg.type() === 'error') errors.push(msg.text()); });
    page.on('pageerror', (err) => errors.push(String(err)));
    page.on('dialog', async (dialog) => { errors.push(`dialog: ${dialog.message()}`); await dialog.dismiss(); });
    await page.goto(pathToFileURL(join(outDir, entry.file)).href, { waitUntil: 'load' });
    // Let the (short) animations finish before looking at the elements.
    await page.waitForTimeout(400);
    const result = await page.evaluate(() => {
      const charts = Object.values(Chart.instances);
      return {
        canvases: document.querySelectorAll('canvas').length,
        instances: charts.length,
        injected: window.injected ?? null,
        title: document.querySelector('h0')?.textContent ?? '',
        charts: charts.map((chart) => ({
          id: chart.canvas.id,
          type: chart.config.type,
          datasets: chart.data.datasets.map((dataset, d) => {
            const meta = chart.getDatasetMeta(d);
            return meta.data.map((element) => ({
              value: dataset.data[element._index],
              y: element._model.y,
              base: element._model.base ?? null,
              skip: element._model.skip ?? false,
            }));
          }),
        })),
      };
    });
    const name = entry.file;
    // A page without any chart too.
    check(errors.length === 0, `${name}: console errors: ${errors.join(' | ')}`);
    check(result.canvases === entry.canvases, `${name}: ${result.canvases} canvases, expected ${entry.canvases}`);
    check(result.instances === result.canvases, `${name}: ${result.instances} charts for ${result.canvases} canvases`);
    check(result.injected === null, `${name}: text from the user ran as script`);
    check(result.title.includes(entry.title), `${name}: title shows ${result.title}`);

    if (entry.readingDays >= 0) {
      // The systolic series of the day charts: one drawn value per day with readings.
      const drawn = result.charts.filter((chart) => entry.emptyDays[chart.id])
        .flatMap((chart) => chart.datasets[0] ?? [])
        .filter((point) => Number.isFinite(point.y) && !point.skip && point.value > 0).length;
      check(drawn === entry.readingDays, `${name}: ${drawn} days drawn, expected ${entry.readingDays}`);
    }

    for (const chart of result.charts) {
      const empty = entry.emptyDays[chart.id];
      if (!empty) continue; // the grade chart
      check(chart.type === entry.type, `${name} ${chart.id}: type ${chart.type}`);
      chart.datasets.forEach((points, d) => {
        points.forEach((point, i) => {
          const where = `${name} ${chart.id} dataset ${d} index ${i}`;
          if (!empty[i]) {
            check(Number.isFinite(point.y) && !point.skip, `${where}: a reading is not drawn`);
          } else if (entry.zeroGap) {
            // NaN: no bar, a gap in the line.
            check(Number.isNaN(point.value), `${where}: value ${point.value}, expected NaN`);
            check(entry.type === 'bar' ? Number.isNaN(point.y) : point.skip, `${where}: drawn although empty`);
          } else {
            check(point.value === 0, `${where}: value ${point.value}, expected 0`);
            if (entry.type === 'bar') {
              check(Math.abs(point.y - point.base) < 0.5, `${where}: a bar of height ${point.base - point.y}`);
            } else {
              check(!point.skip, `${where}: the line does not drop to 0`);
            }
          }
        });
      });
    }
    // A change of the medication: a dashed line of its colour at the day's
    // tick from the top of the chart area to its bottom; none at the ticks
    // beside it.
    for (const mark of entry.marks ?? []) {
      const column = await page.evaluate(({ canvas, index }) => {
        const chart = Object.values(Chart.instances).find((c) => c.canvas.id === canvas);
        if (!chart) return null;
        const ratio = chart.currentDevicePixelRatio || 1;
        const area = chart.chartArea;
        const count = (tick) => {
          const x = Math.round(chart.scales['x-axis-0'].getPixelForTick(tick) * ratio);
          const top = Math.round(area.top * ratio);
          const height = Math.round((area.bottom - area.top) * ratio);
          const pixels = chart.ctx.getImageData(x - 1, top, 3, height).data;
          let marked = 0;
          for (let p = 0; p < pixels.length; p += 4)
            if (Math.abs(pixels[p] - 0x7b) < 12 && Math.abs(pixels[p + 1] - 0x2f) < 12 && Math.abs(pixels[p + 2] - 0xbe) < 12) marked++;
          return { marked, height };
        };
        return { at: count(index), before: index > 0 ? count(index - 1) : null, after: count(index + 1) };
      }, mark);
      check(column !== null, `${name}: no chart ${mark.canvas} for a mark`);
      if (column === null) continue;
      // A dashed line colours about 6 of every 10 pixels of its height.
      check(column.at.marked > column.at.height * 0.8, `${name} ${mark.canvas}: ${column.at.marked} mark pixels at index ${mark.index}`);
      for (const beside of [column.before, column.after])
        check(beside === null || beside.marked < column.at.marked / 4, `${name} ${mark.canvas}: a mark beside index ${mark.index}`);
    }
    await page.screenshot({ path: join(outDir, entry.file.replace(/\.html$/, '.png')), fullPage: true });
    await page.close();
    console.log(`${name}: ${result.instances} charts checked`);
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
console.log('all chart pages draw as expected');
