// Checks of a gallery written in the modern page style, in headless Chromium:
// on a phone (390x844, touch on) no page scrolls sideways (nor at 320 px),
// thumbnails stand side by side, a swipe opens the next and the previous picture, the keys
// work without NavFunctions.js, an mp4 clip's video loads its metadata, a
// picture page loads the mid-size copy and not the original; every page
// asks for nothing that is missing; axe-core finds no violation on the top
// index, an album index, a picture page and the clip page at 390x844 and
// 1280x900 (and in dark mode on the phone); the top index's folder covers
// load. checkPreviews looks at the link previews' pictures on disk.
// checkSourceSet: a phone takes a wide picture's half-size copy, a desktop
// its copy.
// checkModernGallery(chromium, options, base, root, fail): `base` is the
// gallery root's address on a server serving `root`.

import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';

const axeSource = fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
const PHONE = { viewport: { width: 390, height: 844 }, hasTouch: true, isMobile: true, deviceScaleFactor: 3 };
const DESKTOP = { viewport: { width: 1280, height: 900 } };
const toUrl = (rel) => rel.split('/').map(encodeURIComponent).join('/');

// The pages to look at, found on disk: an album (a folder with at least two
// picture pages), a picture page with its mid-size copy, an mp4 clip's page.
function findPages(root) {
  const found = { top: 'index.html' };
  const walk = (rel) => {
    const names = fs.readdirSync(path.join(root, rel)).sort();
    const pages = names.filter((n) => n.endsWith('.html') && n !== 'index.html');
    const page = (file) => path.posix.join(rel, file.replace(/\.[^.]*$/, '.html'));
    if (!found.album && pages.length >= 2) found.album = path.posix.join(rel, 'index.html');
    for (const n of names) {
      if (!found.picture && n.startsWith('m_') && names.includes(n.slice(2))) {
        found.picture = page(n.slice(2));
        found.original = path.posix.join(rel, n.slice(2));
        found.copy = path.posix.join(rel, n);
      }
      if (!found.clip && /\.mp4$/i.test(n) && pages.includes(n.replace(/\.[^.]*$/, '.html'))) found.clip = page(n);
      if (fs.statSync(path.join(root, rel, n)).isDirectory()) walk(path.posix.join(rel, n));
    }
  };
  walk('');
  return found;
}

// Opens `rel`; fails on a script error, a console error or a request that
// fails or answers 400 or more. Gives the addresses requested.
async function open(page, base, rel, fail) {
  const requested = [];
  const problems = [];
  const onRequest = (r) => requested.push(decodeURIComponent(r.url()));
  const onResponse = (r) => r.status() >= 400 && problems.push(`${r.status()} ${r.url()}`);
  // Leaving a page cancels what it was still loading: not a fault.
  const onFailed = (r) => r.failure()?.errorText !== 'net::ERR_ABORTED' && problems.push(`failed ${r.url()}`);
  const onError = (e) => problems.push(`script error ${e}`);
  const onConsole = (m) => m.type() === 'error' && problems.push(`console: ${m.text()}`);
  page.on('request', onRequest).on('response', onResponse).on('requestfailed', onFailed)
    .on('pageerror', onError).on('console', onConsole);
  await page.goto(`${base}/${toUrl(rel)}`, { waitUntil: 'load' });
  await page.waitForTimeout(100);
  page.off('request', onRequest).off('response', onResponse).off('requestfailed', onFailed)
    .off('pageerror', onError).off('console', onConsole);
  if (problems.length) fail(`${rel}: ${problems.join('; ')}`);
  return requested;
}

async function checkAxe(page, base, rel, where, fail) {
  await open(page, base, rel, fail);
  await page.evaluate(axeSource);
  const violations = await page.evaluate(async () => (await window.axe.run(document, { resultTypes: ['violations'] }))
    .violations.map((v) => `${v.id} (${v.nodes.map((n) => n.target.join(' ')).join(', ')})`));
  if (violations.length) fail(`axe on ${rel} at ${where}: ${violations.join('; ')}`);
}

async function checkNoSidewaysScroll(page, base, pages, fail) {
  for (const width of [390, 320]) {
    await page.setViewportSize({ width, height: 844 });
    for (const rel of pages) {
      await open(page, base, rel, fail);
      // A phone zooms out to show a page that is too wide: compare with the
      // screen's width, not with the window's.
      const wide = await page.evaluate((w) => document.documentElement.scrollWidth - w, width);
      if (wide > 0) fail(`${rel} scrolls ${wide} px sideways at ${width} px`);
    }
  }
  await page.setViewportSize(PHONE.viewport);
}

async function checkThumbnails(page, base, rel, fail) {
  await open(page, base, rel, fail);
  const facts = await page.evaluate(() => {
    const thumbs = Array.from(document.querySelectorAll('a[href$=".html"] img'));
    const rows = new Map();
    for (const img of thumbs) {
      const top = Math.round(img.getBoundingClientRect().top);
      rows.set(top, (rows.get(top) ?? 0) + 1);
    }
    return { count: thumbs.length, perRow: Math.max(0, ...rows.values()) };
  });
  if (facts.count < 2 || facts.perRow < 2) fail(`${rel}: ${facts.count} thumbnails, at most ${facts.perRow} side by side`);
}

// A quick finger stroke across the middle of the window.
async function swipe(page, fromX, toX) {
  const cdp = await page.context().newCDPSession(page);
  const y = 400;
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x: fromX, y }] });
  for (let step = 1; step <= 5; step++) {
    const x = fromX + ((toX - fromX) * step) / 5;
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: [{ x, y: y + step }] });
  }
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await cdp.detach();
}

async function expectMove(page, base, rel, action, linkName, what, fail) {
  await open(page, base, rel, fail);
  const target = await page.evaluate((n) => document.getElementsByName(n)[0]?.href, linkName);
  if (!target) fail(`${rel}: no link named ${linkName}`);
  await action();
  await page.waitForURL(target, { timeout: 10000 }).catch(() => {});
  if (page.url() !== target) fail(`${rel}: ${what} opened ${page.url()}, expected ${target}`);
}

async function checkPicturePage(page, base, pages, fail) {
  const requested = await open(page, base, pages.picture, fail);
  const img = await page.evaluate(async () => {
    const i = document.querySelector('main img');
    if (!i) return null;
    // The file's own size (naturalWidth of a srcset's choice is scaled).
    const file = new Image();
    file.src = i.currentSrc;
    await file.decode().catch(() => {});
    return { src: decodeURIComponent(i.currentSrc), natural: [file.naturalWidth, file.naturalHeight],
      size: [+i.getAttribute('width'), +i.getAttribute('height')], link: i.closest('a')?.href };
  });
  const copy = decodeURIComponent(`${base}/${toUrl(pages.copy)}`);
  const original = decodeURIComponent(`${base}/${toUrl(pages.original)}`);
  if (!img || img.src !== copy) fail(`${pages.picture} shows ${img?.src}, not ${copy}`);
  if (img.natural.join('x') !== img.size.join('x')) fail(`${pages.picture}: the copy is ${img.natural}, the page says ${img.size}`);
  if (requested.includes(original)) fail(`${pages.picture} loads the original`);
  if (decodeURIComponent(img.link) !== original) fail(`${pages.picture}: the copy links to ${img.link}`);
  const fits = await page.evaluate(() => document.querySelector('main img').getBoundingClientRect().bottom <= innerHeight);
  if (!fits) fail(`${pages.picture}: the picture does not fit the window`);
}

async function checkClip(page, base, rel, fail) {
  await open(page, base, rel, fail);
  const clip = await page.evaluate(() => new Promise((resolve) => {
    const video = document.querySelector('video');
    if (!video) return resolve(null);
    const done = () => resolve({ state: video.readyState, duration: video.duration, poster: video.poster });
    if (video.readyState >= 1) done();
    video.addEventListener('loadedmetadata', done);
    video.addEventListener('error', done);
    setTimeout(done, 8000);
  }));
  if (!clip || clip.state < 1 || !(clip.duration > 0) || !clip.poster) fail(`${rel}: the clip ${JSON.stringify(clip)}`);
}

// The folder cards of an index show their covers, each loaded once
// scrolled to.
async function checkCovers(page, base, rel, fail) {
  await open(page, base, rel, fail);
  const covers = await page.evaluate(async () => Promise.all(
    Array.from(document.querySelectorAll('.folders img'), async (img) => {
      img.scrollIntoView();
      await img.decode().catch(() => {});
      return { src: img.getAttribute('src'), loaded: img.complete && img.naturalWidth > 0 };
    })));
  if (!covers.length) fail(`${rel}: no folder covers`);
  for (const cover of covers) if (!cover.loaded) fail(`${rel}: the cover ${cover.src} did not load`);
}

// A link preview's view of the gallery: every picture page's og:image is an
// address below `address` naming a file of the gallery under 600 KB.
// Gives how many there are.
export function checkPreviews(root, address, fail) {
  let checked = 0;
  const walk = (rel) => {
    for (const name of fs.readdirSync(path.join(root, rel))) {
      const file = path.join(root, rel, name);
      if (fs.statSync(file).isDirectory()) walk(path.posix.join(rel, name));
      if (!name.endsWith('.html') || /^index(-\d+)?\.html$/.test(name)) continue;
      const found = /<meta property="og:image" content="([^"]*)">/.exec(fs.readFileSync(file, 'utf8'));
      if (!found) continue;  // a clip without a thumbnail has no picture to show
      const image = found[1].replaceAll('&amp;', '&');
      const target = path.join(root, decodeURIComponent(image.slice(address.length)));
      if (!image.startsWith(address) || !fs.existsSync(target)) fail(`${rel}/${name}: og:image "${image}"`);
      else if (fs.statSync(target).size >= 600 * 1024) fail(`${rel}/${name}: og:image ${image} is 600 KB or more`);
      checked += 1;
    }
  };
  walk('');
  if (!checked) fail(`no picture pages with previews in ${root}`);
  return checked;
}

export async function checkModernGallery(chromium, options, base, root, fail) {
  const pages = findPages(root);
  for (const key of ['album', 'picture', 'clip']) if (!pages[key]) fail(`modern gallery: no ${key} page in ${root}`);
  const browser = await chromium.launch(options);
  const phone = await (await browser.newContext(PHONE)).newPage();
  await checkNoSidewaysScroll(phone, base, [pages.top, pages.album, pages.picture, pages.clip], fail);
  await checkThumbnails(phone, base, pages.album, fail);
  await expectMove(phone, base, pages.picture, () => swipe(phone, 330, 60), 'navNext', 'a swipe to the left', fail);
  await expectMove(phone, base, pages.picture, () => swipe(phone, 60, 330), 'navPrevious', 'a swipe to the right', fail);
  for (const [key, name] of [['ArrowRight', 'navNext'], ['ArrowLeft', 'navPrevious'], ['Escape', 'navIndex']]) {
    await expectMove(phone, base, pages.picture, () => phone.keyboard.press(key), name, key, fail);
  }
  await checkPicturePage(phone, base, pages, fail);
  await checkClip(phone, base, pages.clip, fail);
  await checkCovers(phone, base, pages.top, fail);
  const checked = [pages.top, pages.album, pages.picture, pages.clip];
  for (const rel of checked) await checkAxe(phone, base, rel, '390x844', fail);
  const dark = await (await browser.newContext({ ...PHONE, colorScheme: 'dark' })).newPage();
  for (const rel of checked) await checkAxe(dark, base, rel, '390x844, dark', fail);
  const desktop = await (await browser.newContext(DESKTOP)).newPage();
  for (const rel of checked) await checkAxe(desktop, base, rel, '1280x900', fail);
  await checkPicturePage(desktop, base, pages, fail);
  await browser.close();
  return pages;
}

// The picture page `rel` offers the copy `copy` and its half `half` (paths
// below `base`) of a wide picture (half at least twice the phone's 366 px
// of picture): a phone at 390x844 and device scale 2 loads the half, a
// desktop at 1280x800 and scale 1 the copy, each at the size the page says.
export async function checkSourceSet(chromium, options, base, rel, copy, half, fail) {
  const browser = await chromium.launch(options);
  const phone = { ...PHONE, deviceScaleFactor: 2 };
  const desktop = { viewport: { width: 1280, height: 800 }, deviceScaleFactor: 1 };
  for (const [screen, context, expected] of [['390x844 @2', phone, half], ['1280x800 @1', desktop, copy]]) {
    const page = await (await browser.newContext(context)).newPage();
    const requested = await open(page, base, rel, fail);
    const img = await page.evaluate(async () => {
      const i = document.querySelector('main img');
      const file = new Image();
      file.src = i.currentSrc;
      await file.decode().catch(() => {});
      return { src: decodeURIComponent(i.currentSrc), natural: file.naturalWidth, said: +i.getAttribute('width') };
    });
    const wanted = decodeURIComponent(`${base}/${toUrl(expected)}`);
    if (img.src !== wanted) fail(`${rel} at ${screen} shows ${img.src}, not ${wanted}`);
    const other = decodeURIComponent(`${base}/${toUrl(expected === copy ? half : copy)}`);
    if (requested.includes(other)) fail(`${rel} at ${screen} loads ${other} too`);
    if (expected === copy && img.natural !== img.said) fail(`${rel}: the copy is ${img.natural} wide, the page says ${img.said}`);
  }
  await browser.close();
}
