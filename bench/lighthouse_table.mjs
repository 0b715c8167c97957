// The table of make lighthouse: reads Lighthouse's JSON reports of the top
// index, an album index and a picture page (in that order), prints their
// scores, bytes and the audits that lost points, and exits 1 when a page
// misses its target (performance >= 95, the other three 100, the picture
// page at most 300 KB in all).
// Usage: node lighthouse_table.mjs TOP.json ALBUM.json PICTURE.json

import fs from 'node:fs';

const names = ['top index', 'album index', 'picture page'];
const categories = ['performance', 'accessibility', 'best-practices', 'seo'];
const minimum = { performance: 95, accessibility: 100, 'best-practices': 100, seo: 100 };
const pictureBudget = 300 * 1024;

const rows = [];
const notes = [];
let missed = 0;
process.argv.slice(2).forEach((file, i) => {
  const report = JSON.parse(fs.readFileSync(file, 'utf8'));
  const name = names[i] ?? file;
  const cells = categories.map((c) => {
    const score = Math.round(report.categories[c].score * 100);
    if (score < minimum[c]) missed += 1;
    return score < minimum[c] ? `**${score}** (< ${minimum[c]})` : String(score);
  });
  const bytes = report.audits['total-byte-weight'].numericValue;
  const overBudget = name === 'picture page' && bytes > pictureBudget;
  if (overBudget) missed += 1;
  const audit = (id) => report.audits[id].numericValue;
  rows.push(`| ${name} | ${cells.join(' | ')} | ${Math.round(bytes / 1024)} KB${overBudget ? ' (> 300 KB)' : ''} ` +
    `| ${(audit('largest-contentful-paint') / 1000).toFixed(1)} s | ${audit('cumulative-layout-shift').toFixed(3)} |`);
  for (const [id, a] of Object.entries(report.audits)) {
    if (a.score !== null && a.score < 1 && ['binary', 'numeric', 'metricSavings'].includes(a.scoreDisplayMode)) {
      notes.push(`- ${name}: ${id} ${a.displayValue ?? ''}`.trimEnd());
    }
  }
});

const version = JSON.parse(fs.readFileSync(process.argv[2], 'utf8')).lighthouseVersion;
console.log(`Lighthouse ${version}, mobile, over python3 -m http.server\n`);
console.log('| Page | Performance | Accessibility | Best practices | SEO | Bytes | LCP | CLS |');
console.log('|---|--:|--:|--:|--:|--:|--:|--:|');
rows.forEach((row) => console.log(row));
if (notes.length) console.log(`\nAudits below full marks (the server's caching and compression among them):\n${notes.join('\n')}`);
console.log(missed ? `\n${missed} target(s) missed` : '\nAll targets met.');
process.exit(missed ? 1 : 0);
