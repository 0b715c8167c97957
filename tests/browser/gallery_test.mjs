// A generated gallery in headless Chromium, served over HTTP on 127.0.0.1.
// A tree of real pictures with awkward names becomes a gallery; then, from
// its root index:
//   - every page is reached through the links, every picture loads, every
//     link target answers 200 and lies inside the gallery, no script fails;
//   - Right/Space, Left, Home and Escape move as the navigation links say.
// Then the tree, its clips playable, is published into an output folder of
// its own, served alone: every link resolves inside it.
// Then the same tree is made in the modern page style (with mid-size
// copies, a web address, and a photo's own title, caption and date) and
// checked by modern_checks.mjs, its link previews too. Then movies
// browsers cannot play, from their web copies; last, which of a picture's
// two copies a phone and a desktop load.
// Usage: node gallery_test.mjs --cli PATH/orvanta-cli [--work DIR]
//                              [--chromium PATH]

import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';

import { checkModernGallery, checkPreviews, checkSourceSet } from './modern_checks.mjs';

const args = Object.fromEntries(process.argv.slice(2).reduce(
  (pairs, arg, i, all) => (i % 2 ? pairs : [...pairs, [arg.replace(/^--/, ''), all[i + 1]]]), []));
const chromiumPath = args.chromium ?? '/usr/bin/chromium';
if (!args.cli) throw new Error('usage: gallery_test.mjs --cli PATH [--work DIR] [--chromium PATH]');

function fail(message) {
  console.error(`FAIL: ${message}`);
  process.exit(1);
}
setTimeout(() => fail('the browser test did not finish within 180 s'), 180_000).unref();

// Folder -> files; "#WxH" makes a picture, "!S" a clip of S seconds, other
// text is written as it is.
const TREE = {
  'DirInfo.txt': 'DirectoryTitle=Sea & Mountains\r\nSidebarPictureName=Side bar.jpg\r\n' +
    'SidebarPictureCaption=Sunset\r\nCafé Zürich.jpg=Coffee ☕\r\n',
  'Beach 01.jpg': '#640x427', 'Fish & Chips.jpg': '#600x400', 'Hut #3.png': '#500x375',
  '100% Blue.gif': '#320x240', 'Mum\'s "best" cake.jpg': '#480x480', 'Café Zürich.jpg': '#1400x933',
  'Side bar.jpg': '#200x300', 'Clip one.mov': 'not a movie', 't_Clip one.jpg': '#160x120',
  'Clip two.avi': 'not a movie either',
  'City & Lights #1': {
    'DirInfo.txt': 'DirectoryTitle=City: Köln & Paris\r\n',
    'Bridge.jpg': '#640x360', 'Tower 50%.jpg': '#360x640',
    'Night 100%': { 'Moon\'s glow.jpg': '#500x500' },
  },
  'Snow ❄ Days': { 'a.jpg': '#400x300', 'B.jpg': '#400x300', 'Ski run.avi': 'x', 'Ski trip.mp4': '!2' },
};

function makeTree(folder, node) {
  fs.mkdirSync(folder, { recursive: true });
  for (const [name, contents] of Object.entries(node)) {
    const target = path.join(folder, name);
    if (typeof contents === 'object') makeTree(target, contents);
    else if (contents.startsWith('#')) execFileSync('convert', ['-size', contents.slice(1), 'gradient:#87ceeb-#deb887', target]);
    else if (contents.startsWith('!')) {
      execFileSync('ffmpeg', ['-nostdin', '-v', 'error', '-f', 'lavfi', '-i', 'testsrc=size=320x240:rate=10',
        '-t', contents.slice(1), '-pix_fmt', 'yuv420p', target]);
    }
    else fs.writeFileSync(target, contents);
  }
}

function listPages(dir, out = []) {
  for (const entry of fs.readdirSync(dir, { withFileTypes: true })) {
    const full = path.join(dir, entry.name);
    if (entry.isDirectory()) listPages(full, out);
    else if (entry.name.endsWith('.html')) out.push(full);
  }
  return out;
}

function startServer(root) {
  const server = http.createServer((req, res) => {
    let file = '';
    try {
      file = path.join(root, decodeURIComponent(new URL(req.url, 'http://x').pathname));
    } catch {
      console.error(`not a well-formed address: ${req.url}`);
    }
    if (!file.startsWith(root + path.sep) || !fs.statSync(file, { throwIfNoEntry: false })?.isFile()) {
      res.writeHead(404).end();
      return;
    }
    const type = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.jpg': 'image/jpeg',
      '.mp4': 'video/mp4' }[path.extname(file)];
    res.writeHead(200, { 'Content-Type': type ?? 'application/octet-stream', 'Cache-Control': 'no-store' });
    if (req.method === 'HEAD') res.end();
    else fs.createReadStream(file).pipe(res);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// Opens every page reachable from the root index and checks it.
async function crawl(page, base, root) {
  const queue = [`${base}/index.html`];
  const seen = new Set(queue);
  while (queue.length) {
    const url = queue.shift();
    const problems = [];
    const record = (text) => problems.push(text);
    page.on('pageerror', record);
    const response = await page.goto(url, { waitUntil: 'load' });
    page.off('pageerror', record);
    const where = decodeURIComponent(url.slice(base.length));
    if (response.status() !== 200 || problems.length) fail(`${where}: HTTP ${response.status()} ${problems}`);
    // Pictures that wait until they are scrolled to are asked for now.
    await page.evaluate(() => Promise.all(Array.from(document.images).map((i) => {
      i.loading = 'eager';
      return i.decode().catch(() => {});
    })));
    const facts = await page.evaluate(() => ({
      broken: Array.from(document.images).filter((i) => !i.complete || !i.naturalWidth).map((i) => i.src),
      links: Array.from(document.querySelectorAll('a[href]')).filter((a) => !a.getAttribute('href').startsWith('#'))
        .map((a) => a.href),
      scripts: document.querySelectorAll('script[src]').length,
    }));
    if (facts.broken.length) fail(`${where}: pictures did not load: ${facts.broken}`);
    if (facts.scripts !== 1) fail(`${where}: ${facts.scripts} script includes`);
    for (const link of facts.links.map((l) => l.split('#')[0])) {
      if (!link.startsWith(`${base}/`)) fail(`${where}: link leaves the gallery: ${link}`);
      if ((await fetch(link, { method: 'HEAD' })).status !== 200) fail(`${where}: missing link target ${link}`);
      if (link.endsWith('.html') && !seen.has(link)) seen.add(link) && queue.push(link);
    }
  }
  const written = listPages(root).length;
  if (seen.size !== written) fail(`${seen.size} pages reached of ${written} written`);
}

// Presses `key` on `from` (relative to the gallery) and expects `to`.
async function press(page, base, from, key, to) {
  await page.goto(`${base}/${from.split('/').map(encodeURIComponent).join('/')}`, { waitUntil: 'load' });
  const before = page.url();
  await page.keyboard.press(key);
  if (to === null) await page.waitForTimeout(150);
  else await page.waitForURL((u) => u.href !== before, { timeout: 15000 }).catch(() => {});
  const now = decodeURIComponent(page.url().slice(base.length + 1));
  if (now !== (to ?? from)) fail(`${from}: ${key} opened ${now}, expected ${to ?? from}`);
}

async function checkKeys(page, base, root) {
  const pages = (folder) => fs.readdirSync(path.join(root, folder))
    .filter((n) => n.endsWith('.html') && n !== 'index.html')
    .sort((a, b) => Buffer.compare(Buffer.from(a), Buffer.from(b))).map((n) => path.join(folder, n));
  for (const folder of ['', 'City & Lights #1', 'City & Lights #1/Night 100%']) {
    const index = path.join(folder, 'index.html');
    const list = pages(folder);
    await press(page, base, index, 'ArrowRight', list[0]);
    for (let i = 0; i < list.length; i++) {
      await press(page, base, list[i], i % 2 ? 'Space' : 'ArrowRight', list[i + 1] ?? index);
      await press(page, base, list[i], 'ArrowLeft', list[i - 1] ?? index);
    }
    await press(page, base, list.at(-1), 'Home', index);
    await press(page, base, list[0], 'Escape', index);
    await press(page, base, index, 'Escape', folder ? path.join(path.dirname(folder), 'index.html') : null);
  }
}

const { chromium } = await import('playwright-core');
const launchOptions = {
  executablePath: chromiumPath,
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'],
};

function runCli(root, settings) {
  fs.mkdirSync(path.join(root, '..', 'program'), { recursive: true });
  try {
    execFileSync(args.cli, ['--quiet', '--program-folder', path.join(root, '..', 'program'), ...settings, root],
      { stdio: ['ignore', 'pipe', 'pipe'] });
  } catch (error) {
    fail(`orvanta-cli exited with ${error.status}: ${error.stdout}${error.stderr}`);
  }
}

// A gallery in the modern page style in `root` (served from its parent):
// every page reached and sound, then the modern checks.
async function checkModern(root) {
  const server = await startServer(path.dirname(root));
  const base = `http://127.0.0.1:${server.address().port}/${encodeURIComponent(path.basename(root))}`;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'orvanta-profile-'));
  const context = await chromium.launchPersistentContext(profile, launchOptions);
  await crawl(context.pages()[0] ?? (await context.newPage()), base, root);
  await context.close();
  fs.rmSync(profile, { recursive: true, force: true });
  const pages = await checkModernGallery(chromium, launchOptions, base, root, fail);
  server.close();
  console.log(`modern pages checked: ${Object.values(pages).join(', ')}`);
}

// The date and caption a picture carries, as a person reads them on its
// modern page.
async function checkPictureFacts(root) {
  const server = await startServer(path.dirname(root));
  const base = `http://127.0.0.1:${server.address().port}/${encodeURIComponent(path.basename(root))}`;
  const browser = await chromium.launch(launchOptions);
  const page = await browser.newPage();
  await page.goto(`${base}/Beach%2001.html`, { waitUntil: 'load' });
  const shown = await page.evaluate(() => ['h1', '.caption', 'time'].map((s) => document.querySelector(s)?.innerText));
  const wanted = ['Low tide', 'The boats wait', 'Sunday, July 14, 2019, 6:30 pm'];
  if (shown.join('|') !== wanted.join('|')) fail(`Beach 01.html shows ${shown.join('|')}`);
  await browser.close();
  server.close();
}

// A folder on several index pages: a tap on Next page, the keyboard on
// Previous page, and a picture's Index link back to its thumbnail's page.
async function checkIndexPages(root) {
  const server = await startServer(path.dirname(root));
  const base = `http://127.0.0.1:${server.address().port}/${encodeURIComponent(path.basename(root))}`;
  const browser = await chromium.launch(launchOptions);
  const phone = await browser.newPage({ viewport: { width: 390, height: 844 }, hasTouch: true, isMobile: true });
  await phone.goto(`${base}/index.html`, { waitUntil: 'load' });
  await phone.tap('.pages a[rel="next"]');
  await phone.waitForURL(/index-2\.html$/, { timeout: 15000 }).catch(() => fail(`a tap on Next page opened ${phone.url()}`));
  await phone.focus('.pages a[rel="prev"]');
  await phone.keyboard.press('Enter');
  await phone.waitForURL(/\/index\.html$/, { timeout: 15000 }).catch(() => fail(`Enter on Previous page opened ${phone.url()}`));
  await phone.goto(`${base}/index-2.html`, { waitUntil: 'load' });
  const cell = await phone.evaluate(() => document.querySelector('.grid li').id);
  await phone.click('.grid li a');
  await phone.click('a[name="navIndex"]');
  await phone.waitForURL(/index-2\.html#/, { timeout: 15000 }).catch(() => fail(`Index opened ${phone.url()}`));
  if (decodeURIComponent(new URL(phone.url()).hash.slice(1)) !== cell) fail(`Index led to ${phone.url()}, not ${cell}`);
  await browser.close();
  server.close();
}

// Movies browsers cannot play (a phone's HEVC .mov with sound, a camera's
// MJPEG .avi) play from their web copies: each page's video loads its
// first frame at the size and length the page and the clip give.
async function checkWebVideos(root) {
  fs.mkdirSync(root, { recursive: true });
  const clips = { 'Phone clip.mov': ['-c:v', 'libx265', '-x265-params', 'log-level=error', '-tag:v', 'hvc1'],
    'Camera.avi': ['-c:v', 'mjpeg'] };
  for (const [name, codec] of Object.entries(clips)) {
    execFileSync('ffmpeg', ['-nostdin', '-v', 'error', '-f', 'lavfi', '-i', 'testsrc=size=800x600:rate=10',
      '-f', 'lavfi', '-i', 'sine', ...codec, '-c:a', name.endsWith('.mov') ? 'aac' : 'pcm_s16le', '-t', '1.5',
      path.join(root, name)]);
  }
  runCli(root, ['--style', 'modern', '--set', 'CreateWebVideos=True', '--set', 'TargetResolutionIndex=0',
    '--set', 'MovieFilesToMatch=mov,avi']);
  const server = await startServer(path.dirname(root));
  const base = `http://127.0.0.1:${server.address().port}/${encodeURIComponent(path.basename(root))}`;
  const browser = await chromium.launch(launchOptions);
  const page = await browser.newPage();
  for (const name of Object.keys(clips)) {
    const html = `${name.replace(/\.[^.]*$/, '')}.html`;
    await page.goto(`${base}/${encodeURIComponent(html)}`, { waitUntil: 'load' });
    const shown = await page.evaluate(() => new Promise((resolve) => {
      const video = document.querySelector('video');
      const facts = () => resolve({ src: video.currentSrc.split('/').pop(), width: video.videoWidth,
        height: video.videoHeight, duration: video.duration, asked: [video.width, video.height], error: video.error?.code });
      video.addEventListener('loadeddata', facts);
      video.addEventListener('error', facts, true);
      video.preload = 'auto';
      video.load();
    }));
    const copy = encodeURIComponent(`m_${name.replace(/\.[^.]*$/, '')}.mp4`);
    if (shown.src !== copy || shown.width !== 510 || shown.height !== 382 || `${shown.asked}` !== '510,382' ||
        Math.abs(shown.duration - 1.5) > 0.1) fail(`${html}: the web copy played as ${JSON.stringify(shown)}`);
  }
  await browser.close();
  server.close();
}

const work = args.work ?? fs.mkdtempSync(path.join(os.tmpdir(), 'orvanta-browser-'));
fs.rmSync(work, { recursive: true, force: true });
const root = path.join(work, 'Photos & Trips');
makeTree(root, TREE);
const movieSettings = ['--set', 'CreateMovieThumbnails=True', '--set', 'MovieFilesToMatch=mov,avi,mp4'];
runCli(root, movieSettings);
const server = await startServer(work);
const context = await chromium.launchPersistentContext(fs.mkdtempSync(path.join(work, 'profile-')), launchOptions);
const page = context.pages()[0] ?? (await context.newPage());
const base = `http://127.0.0.1:${server.address().port}/${encodeURIComponent('Photos & Trips')}`;
await crawl(page, base, root);
await checkKeys(page, base, root);
await context.close();
server.close();
// Published into an output folder: served from there, nothing outside it
// can be reached, and the input tree gets no page.
const publishedIn = path.join(work, 'published', 'Photos & Trips');
const publishedOut = path.join(work, 'published', 'web', 'Photos & Trips');
makeTree(publishedIn, JSON.parse(JSON.stringify(TREE),
  (key, value) => (/\.(mov|avi)$/.test(key) && !key.startsWith('t_') ? '!1' : value)));
runCli(publishedIn, [...movieSettings, '--output', publishedOut]);
if (listPages(publishedIn).length) fail('pages were written into the input tree');
const publishedServer = await startServer(path.dirname(publishedOut));
const publishedContext = await chromium.launchPersistentContext(
  fs.mkdtempSync(path.join(work, 'profile-')), launchOptions);
await crawl(publishedContext.pages()[0] ?? (await publishedContext.newPage()),
  `http://127.0.0.1:${publishedServer.address().port}/${encodeURIComponent('Photos & Trips')}`, publishedOut);
await publishedContext.close();
publishedServer.close();
// The modern page style: the same tree, made anew with mid-size copies
// (Café Zürich.jpg, 1400 px, is larger than the 800x600 screen's bounds).
const modernRoot = path.join(work, 'modern', 'Photos & Trips');
// With its web address: link previews, a feed and a sitemap.
const ADDRESS = 'https://example.org/Photos%20%26%20Trips/';
makeTree(modernRoot, TREE);
// What a camera and a photo manager wrote into one photo.
execFileSync('exiftool', ['-q', '-overwrite_original', '-DateTimeOriginal=2019:07:14 18:30:00',
  '-OffsetTimeOriginal=+02:00', '-XMP-dc:Title=Low tide', '-XMP-dc:Description=The boats wait',
  path.join(modernRoot, 'Beach 01.jpg')]);
runCli(modernRoot, [...movieSettings, '--style', 'modern', '--set', 'CreateMidSizeFiles=True',
  '--set', 'TargetResolutionIndex=1', '--set', 'PicturesPerPage=3', '--set', `GalleryAddress=${ADDRESS}`]);
await checkModern(modernRoot);
console.log(`link previews checked: ${checkPreviews(modernRoot, ADDRESS, fail)} picture pages`);
await checkPictureFacts(modernRoot);
await checkIndexPages(modernRoot);
await checkWebVideos(path.join(work, 'videos', 'Movies & Clips'));
// The modern style's own copies (for 1920x1080 screens) and their halves:
// a wide picture whose half is sharp enough for a phone's screen.
const wideRoot = path.join(work, 'wide', 'Wide & Far');
makeTree(wideRoot, { 'Sea wide.jpg': '#3600x1200' });
runCli(wideRoot, ['--style', 'modern']);
const wideServer = await startServer(path.dirname(wideRoot));
await checkSourceSet(chromium, launchOptions,
  `http://127.0.0.1:${wideServer.address().port}/${encodeURIComponent('Wide & Far')}`,
  'Sea wide.html', 'm_Sea wide.jpg', 'm_Sea wide-half.jpg', fail);
wideServer.close();
console.log('browser gallery: 6 passed, 0 failed');
process.exit(0);
