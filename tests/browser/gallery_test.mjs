// End-to-end check of generated galleries in headless Chromium.
//
// Makes a folder tree of real pictures (with ImageMagick's convert), runs
// orvanta-cli over two copies of it (keyboard navigation on and off), and
// then opens every page in Chromium, over file:// and over a small HTTP
// server on 127.0.0.1:
//   - every <img> has loaded (naturalWidth > 0),
//   - every link target exists (file on disk / HTTP 200), stays inside the
//     gallery, and every page is reachable from the root index,
//   - titles, descriptions, the sidebar picture and the subfolder links show
//     what the folder information files say,
//   - the keyboard (Right, Space, Left, Home, Escape) moves between the pages
//     as the navigation links promise,
//   - with keyboard navigation off no page includes NavFunctions.js and no key
//     press moves anywhere.
// The first mismatch ends the run with the page and the element named.
//
// Usage: node gallery_test.mjs --cli PATH/orvanta-cli [--work DIR]
//                              [--screenshots DIR] [--chromium PATH]

import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const started = Date.now();
const TIME_LIMIT_MS = 180_000;
const watchdog = setTimeout(() => {
  console.error(`FAIL: the browser test did not finish within ${TIME_LIMIT_MS / 1000} s`);
  process.exit(1);
}, TIME_LIMIT_MS);
watchdog.unref();

// ---------------------------------------------------------------------------
// Command line

function parseArgs(argv) {
  const options = { chromium: '/usr/bin/chromium' };
  for (let i = 0; i < argv.length; i++) {
    const key = argv[i];
    const value = argv[i + 1];
    if (!['--cli', '--work', '--screenshots', '--chromium'].includes(key) || value === undefined) {
      throw new Error(`usage: gallery_test.mjs --cli PATH [--work DIR] [--screenshots DIR] [--chromium PATH] (bad argument ${key})`);
    }
    options[key.slice(2)] = path.resolve(value);
    i++;
  }
  if (!options.cli) throw new Error('usage: gallery_test.mjs --cli PATH/orvanta-cli ...');
  return options;
}

class CheckFailure extends Error {}

function fail(message) {
  throw new CheckFailure(message);
}

const counts = { pages: 0, images: 0, links: 0, keys: 0, notes: 0 };

function log(line) {
  console.log(line);
}

// ---------------------------------------------------------------------------
// The photo tree

// Each folder: its subfolder name, an optional folder information file,
// its pictures and movies. Names carry blanks, &, #, %, quotes and UTF-8.
const TREE = {
  dir: '',
  info: {
    title: 'Holidays 2024 – Sea & Mountains',
    description: 'Pictures from the coast, the city and the snow. Grüße aus Köln!',
    sidebar: 'Sidebar Sunset.jpg',
    sidebarCaption: 'Sunset over the bay',
    pictures: {
      'Beach 01.jpg': 'First morning on the beach',
      'Fish & Chips.jpg': 'Dinner: fish & chips',
      'Café Zürich.jpg': 'Coffee in Zürich ☕',
      'Clip one.mov': 'Waves (movie)',
    },
  },
  files: [
    { name: 'Beach 01.jpg', w: 640, h: 427, look: 0 },
    { name: 'Beach 02.jpg', w: 427, h: 640, look: 1 },
    { name: 'Fish & Chips.jpg', w: 600, h: 400, look: 2 },
    { name: 'Hut #3.png', w: 500, h: 375, look: 3 },
    { name: '100% Blue.jpg', w: 640, h: 480, look: 4 },
    { name: 'Mum\'s "best" cake.jpg', w: 480, h: 480, look: 5 },
    { name: 'Café Zürich.jpg', w: 1400, h: 933, look: 6 },
    { name: 'Clip one.mov', movie: true, thumbnail: { w: 160, h: 120, look: 7 } },
    { name: 'Clip two.avi', movie: true },
  ],
  extra: [{ name: 'Sidebar Sunset.jpg', w: 200, h: 300, look: 8 }],
  folders: [
    {
      dir: 'City & Lights #1',
      info: {
        title: 'City lights: Köln & Paris',
        description: 'Evenings in town.',
        pictures: { 'Tower 50%.jpg': 'The tower at 50% zoom' },
      },
      files: [
        { name: 'Bridge.jpg', w: 640, h: 360, look: 9 },
        { name: 'Tower 50%.jpg', w: 360, h: 640, look: 10 },
        { name: 'Zoo.gif', w: 320, h: 240, look: 11 },
      ],
      folders: [
        {
          dir: 'Night 100%',
          info: { title: 'Night shots' },
          files: [{ name: 'Moon\'s glow.jpg', w: 500, h: 500, look: 12 }],
          folders: [],
        },
      ],
    },
    {
      dir: 'Snow ❄ Days',
      files: [
        { name: 'a.jpg', w: 400, h: 300, look: 13 },
        { name: 'B.jpg', w: 400, h: 300, look: 14 },
        { name: 'c.jpg', w: 300, h: 400, look: 15 },
        { name: 'Ski run.avi', movie: true },
      ],
      folders: [],
    },
  ],
};

const LOOKS = [
  ['#87ceeb', '#fdf5e6', '#ffd700', '#deb887'],
  ['#4682b4', '#e0ffff', '#fffacd', '#2e8b57'],
  ['#ff7f50', '#ffe4b5', '#fff8dc', '#8b4513'],
  ['#6a5acd', '#d8bfd8', '#ffefd5', '#556b2f'],
  ['#00008b', '#1e90ff', '#f0f8ff', '#191970'],
  ['#ffb6c1', '#fff0f5', '#ff69b4', '#8b008b'],
  ['#a0522d', '#f5deb3', '#fffaf0', '#654321'],
  ['#008080', '#afeeee', '#ffffff', '#2f4f4f'],
  ['#ff4500', '#ffd700', '#ffff66', '#4b0082'],
  ['#191970', '#483d8b', '#ffd700', '#2f2f2f'],
  ['#000033', '#334488', '#ffffe0', '#111111'],
  ['#98fb98', '#f0fff0', '#ff8c00', '#228b22'],
  ['#000010', '#202040', '#f5f5f5', '#0a0a0a'],
  ['#b0c4de', '#ffffff', '#fffafa', '#dcdcdc'],
  ['#778899', '#f8f8ff', '#e6e6fa', '#ffffff'],
  ['#add8e6', '#ffffff', '#fffff0', '#f5f5f5'],
];

// A small landscape: sky gradient, a sun and two hills.
function makePicture(file, { w, h, look }) {
  const [skyTop, skyBottom, sun, land] = LOOKS[look % LOOKS.length];
  const r = Math.round(Math.min(w, h) / 8);
  const sx = Math.round(w * (0.2 + 0.6 * ((look * 37) % 100) / 100));
  const sy = Math.round(h * 0.3);
  const hills = [
    `polygon 0,${h} 0,${Math.round(h * 0.7)} ${Math.round(w * 0.35)},${Math.round(h * 0.55)} ` +
      `${Math.round(w * 0.7)},${Math.round(h * 0.75)} ${w},${Math.round(h * 0.6)} ${w},${h}`,
    `polygon 0,${h} 0,${Math.round(h * 0.85)} ${Math.round(w * 0.5)},${Math.round(h * 0.72)} ${w},${Math.round(h * 0.9)} ${w},${h}`,
  ];
  execFileSync('convert', [
    '-size', `${w}x${h}`, `gradient:${skyTop}-${skyBottom}`,
    '-fill', sun, '-draw', `circle ${sx},${sy} ${sx + r},${sy}`,
    '-fill', land, '-draw', hills[0],
    '-fill', '#00000040', '-draw', hills[1],
    file,
  ]);
}

function writeFolderInfo(folder, info) {
  const lines = ['[Directory Information]'];
  if (info.title !== undefined) lines.push(`DirectoryTitle=${info.title}`);
  if (info.description !== undefined) lines.push(`DirectoryDescription=${info.description}`);
  if (info.sidebar !== undefined) lines.push(`SidebarPictureName=${info.sidebar}`);
  if (info.sidebarCaption !== undefined) lines.push(`SidebarPictureCaption=${info.sidebarCaption}`);
  lines.push('', '[Photo specific descriptions]');
  for (const [name, text] of Object.entries(info.pictures ?? {})) lines.push(`${name}=${text}`);
  fs.writeFileSync(path.join(folder, 'DirInfo.txt'), lines.join('\r\n') + '\r\n');
}

function makeTree(root, node) {
  const folder = path.join(root, node.dir);
  fs.mkdirSync(folder, { recursive: true });
  if (node.info) writeFolderInfo(folder, node.info);
  for (const file of [...node.files, ...(node.extra ?? [])]) {
    const target = path.join(folder, file.name);
    if (file.movie) {
      // The gallery only links movies; any small file will do.
      fs.writeFileSync(target, Buffer.from(`not really a movie: ${file.name}\n`));
      if (file.thumbnail) makePicture(path.join(folder, `t_${baseName(file.name)}.jpg`), file.thumbnail);
    } else {
      makePicture(target, file);
    }
  }
  for (const sub of node.folders) makeTree(folder, sub);
}

function baseName(name) {
  const dot = name.lastIndexOf('.');
  return dot > 0 ? name.slice(0, dot) : name;
}

function pageName(name) {
  return `${baseName(name)}.html`;
}

// Names sort by character code, as the gallery lists them.
function byCode(a, b) {
  return Buffer.compare(Buffer.from(a), Buffer.from(b));
}

// Every folder of the tree with what its pages should show.
function expectedFolders(galleryRoot) {
  const result = [];
  const walk = (node, rel, parent) => {
    const abs = path.join(galleryRoot, rel);
    const files = node.files.map((f) => f.name).sort(byCode);
    const folder = {
      rel,
      abs,
      node,
      parent,
      title: node.info?.title ?? `${abs}/`,
      files,
      pages: files.map((f) => path.join(abs, pageName(f))),
      index: path.join(abs, 'index.html'),
      subfolders: node.folders.map((f) => f.dir).sort(byCode),
    };
    result.push(folder);
    for (const sub of node.folders) walk(sub, path.join(rel, sub.dir), folder);
  };
  walk(TREE, '', null);
  return result;
}

function pictureTitle(folder, file) {
  const described = folder.node.info?.pictures ?? {};
  return file in described ? described[file] : baseName(file);
}

// ---------------------------------------------------------------------------
// Gallery runs

function runCli(cli, programFolder, input, extraSettings) {
  fs.mkdirSync(programFolder, { recursive: true });
  const args = ['--quiet', '--program-folder', programFolder, ...extraSettings, input];
  let output;
  try {
    output = execFileSync(cli, args, { encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe'] });
  } catch (error) {
    fail(`orvanta-cli ${args.join(' ')} exited with ${error.status}:\n${error.stdout}${error.stderr}`);
  }
  log(`  orvanta-cli ${extraSettings.join(' ') || '(default options)'}: ${output.trim()}`);
}

function listFiles(dir, predicate, out = []) {
  for (const entry of fs.readdirSync(dir, { withFileTypes: true })) {
    const full = path.join(dir, entry.name);
    if (entry.isDirectory()) listFiles(full, predicate, out);
    else if (predicate(entry.name)) out.push(full);
  }
  return out;
}

// ---------------------------------------------------------------------------
// Local HTTP server for the galleries (127.0.0.1 only)

const CONTENT_TYPES = {
  '.html': 'text/html',
  '.js': 'text/javascript',
  '.jpg': 'image/jpeg',
  '.png': 'image/png',
  '.gif': 'image/gif',
  '.mov': 'video/quicktime',
  '.avi': 'video/x-msvideo',
};

function startServer(root) {
  const server = http.createServer((req, res) => {
    let rel;
    try {
      rel = decodeURIComponent(new URL(req.url, 'http://127.0.0.1').pathname);
    } catch {
      res.writeHead(400).end();
      return;
    }
    const file = path.resolve(root, `.${rel}`);
    let stat = null;
    if (file.startsWith(root + path.sep)) {
      try {
        stat = fs.statSync(file);
      } catch {
        stat = null;
      }
    }
    if (!stat || !stat.isFile()) {
      res.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found\n');
      return;
    }
    res.writeHead(200, {
      'Content-Type': CONTENT_TYPES[path.extname(file).toLowerCase()] ?? 'application/octet-stream',
      'Content-Length': stat.size,
      'Cache-Control': 'no-store',
    });
    if (req.method === 'HEAD') res.end();
    else fs.createReadStream(file).pipe(res);
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(0, '127.0.0.1', () => resolve(server));
  });
}

// ---------------------------------------------------------------------------
// Browser checks

// How one gallery is reached: over file:// or through the HTTP server.
class Access {
  constructor(kind, galleryRoot, serverRoot, port) {
    this.kind = kind;
    this.galleryRoot = galleryRoot;
    this.serverRoot = serverRoot;
    this.port = port;
    this.checkedTargets = new Map();
  }

  url(file) {
    if (this.kind === 'file') return pathToFileURL(file).href;
    const rel = path.relative(this.serverRoot, file).split(path.sep).map(encodeURIComponent).join('/');
    return `http://127.0.0.1:${this.port}/${rel}`;
  }

  // The file that a URL stands for, or null when it is not one of ours.
  file(url) {
    const u = new URL(url);
    if (this.kind === 'file') return u.protocol === 'file:' ? fileURLToPath(u) : null;
    if (u.protocol !== 'http:' || u.host !== `127.0.0.1:${this.port}`) return null;
    return path.join(this.serverRoot, decodeURIComponent(u.pathname));
  }

  show(fileOrUrl) {
    const file = fileOrUrl.includes('://') ? this.file(fileOrUrl) : fileOrUrl;
    return file === null ? fileOrUrl : path.relative(this.galleryRoot, file) || '.';
  }

  async targetExists(url) {
    const key = url.split('#')[0];
    if (!this.checkedTargets.has(key)) {
      let exists = false;
      if (this.kind === 'file') {
        try {
          exists = fs.statSync(fileURLToPath(key)).isFile();
        } catch {
          exists = false;
        }
      } else {
        const response = await fetch(key, { method: 'HEAD' });
        exists = response.status === 200;
      }
      this.checkedTargets.set(key, exists);
    }
    return this.checkedTargets.get(key);
  }
}

// One browser tab that records script errors and failed loads.
class Tab {
  constructor(page) {
    this.page = page;
    this.problems = [];
    this.navigations = [];
    page.on('request', (request) => {
      if (request.isNavigationRequest() && request.frame() === page.mainFrame()) this.navigations.push(request.url());
    });
    page.on('pageerror', (error) => this.problems.push(`script error: ${error.message}`));
    page.on('console', (message) => {
      if (message.type() === 'error') this.problems.push(`console error: ${message.text()}`);
    });
    page.on('requestfailed', (request) =>
      this.problems.push(`request failed: ${request.url()} (${request.failure()?.errorText})`));
    page.on('response', (response) => {
      if (response.status() >= 400) this.problems.push(`HTTP ${response.status()} for ${response.url()}`);
    });
  }

  takeNavigations() {
    const navigations = this.navigations;
    this.navigations = [];
    return navigations;
  }

  takeProblems() {
    const problems = this.problems;
    this.problems = [];
    return problems;
  }

  // Opens a page; unless told otherwise, fails on script errors and failed loads.
  async open(url, what, { check = true } = {}) {
    this.takeProblems();
    const response = await this.page.goto(url, { waitUntil: 'load' });
    if (response && response.status() !== 200) fail(`${what}: HTTP ${response.status()} for ${url}`);
    if (check) this.expectNoProblems(what);
  }

  expectNoProblems(what) {
    const problems = this.takeProblems();
    if (problems.length) fail(`${what}: ${problems.join('; ')}`);
  }
}

async function pageFacts(page) {
  return page.evaluate(() => {
    const text = (el) => (el.textContent ?? '').replace(/\s+/g, ' ').trim();
    const shortHtml = (el) => el.outerHTML.replace(/\s+/g, ' ').slice(0, 160);
    return {
      title: document.title,
      heading: document.querySelector('h2') ? text(document.querySelector('h2')) : null,
      images: Array.from(document.images).map((img) => ({
        html: shortHtml(img),
        src: img.src,
        alt: img.getAttribute('alt'),
        complete: img.complete,
        naturalWidth: img.naturalWidth,
      })),
      links: Array.from(document.querySelectorAll('a[href]')).map((a) => ({
        html: shortHtml(a),
        rawHref: a.getAttribute('href'),
        href: a.href,
        name: a.getAttribute('name'),
        text: text(a),
      })),
      namedLinks: Object.fromEntries(['navNext', 'navPrevious', 'navIndex'].map((name) => [
        name, Array.from(document.getElementsByName(name)).map((a) => a.getAttribute('href')),
      ])),
      thumbnailLinks: Array.from(document.querySelectorAll('td[valign="bottom" i] > a[href]')).map((a) => a.href),
      scripts: Array.from(document.querySelectorAll('script[src]')).map((s) => s.src),
      hasHandler: typeof window.navHandler === 'function',
      bodyText: text(document.body),
    };
  });
}

function expectEqual(actual, expected, what) {
  const a = JSON.stringify(actual);
  const e = JSON.stringify(expected);
  if (a !== e) fail(`${what}: expected ${e}, found ${a}`);
}

// Opens every page of a gallery, starting from the root index and following
// the links, and checks pictures, links, scripts and texts on each.
async function crawlGallery(tab, access, gallery) {
  const label = `[${access.kind} ${gallery.name}]`;
  const folders = new Map(gallery.folders.map((f) => [f.index, f]));
  const pictures = new Map();
  for (const folder of gallery.folders) {
    folder.pages.forEach((page, i) => pictures.set(page, { folder, file: folder.files[i], position: i }));
  }
  const rootIndex = gallery.folders[0].index;
  const queue = [rootIndex];
  const seen = new Set(queue);
  while (queue.length) {
    const file = queue.shift();
    const where = `${label} ${access.show(file)}`;
    await tab.open(access.url(file), where, { check: false });
    const facts = await pageFacts(tab.page);
    counts.pages++;

    for (const img of facts.images) {
      if (!img.complete || img.naturalWidth <= 0) fail(`${where}: picture did not load: ${img.html}`);
      counts.images++;
    }
    tab.expectNoProblems(where);

    for (const link of facts.links) {
      if (link.rawHref.startsWith('#')) {
        counts.links++;
        continue;
      }
      const target = access.file(link.href);
      if (target === null || !(target + path.sep).startsWith(gallery.root + path.sep)) {
        fail(`${where}: link leaves the gallery: ${link.html} -> ${link.href}`);
      }
      if (!(await access.targetExists(link.href))) fail(`${where}: link target missing: ${link.html} -> ${link.href}`);
      counts.links++;
      if (target.endsWith('.html') && !seen.has(target)) {
        seen.add(target);
        queue.push(target);
      }
    }

    const scripts = facts.scripts.map((u) => access.show(u));
    if (gallery.navigation) {
      expectEqual(scripts, ['NavFunctions.js'], `${where}: script includes`);
      if (!facts.hasHandler) fail(`${where}: navHandler is not defined after loading NavFunctions.js`);
    } else {
      expectEqual(scripts, [], `${where}: script includes with keyboard navigation off`);
      if (facts.hasHandler) fail(`${where}: navHandler is defined with keyboard navigation off`);
    }

    if (folders.has(file)) checkIndexPage(where, access, gallery, folders.get(file), facts);
    else if (pictures.has(file)) checkPicturePage(where, access, gallery, pictures.get(file), facts);
    else fail(`${where}: a page that no picture or folder accounts for`);

    log(`  ok ${where}: images loaded ${facts.images.length}/${facts.images.length}, link targets present ${facts.links.length}/${facts.links.length}`);
  }

  const onDisk = listFiles(gallery.root, (n) => n.endsWith('.html')).sort();
  const reached = [...seen].sort();
  expectEqual(reached.map((f) => access.show(f)), onDisk.map((f) => access.show(f)),
    `${label} pages reached from the root index versus pages written`);
}

function checkIndexPage(where, access, gallery, folder, facts) {
  expectEqual(facts.title, folder.title, `${where}: <TITLE>`);
  expectEqual(facts.heading, folder.title, `${where}: <H2> heading`);

  expectEqual(facts.thumbnailLinks.map((u) => access.show(u)), folder.pages.map((p) => access.show(p)),
    `${where}: thumbnail links in order`);

  const first = pageName(folder.files[0]);
  const last = pageName(folder.files[folder.files.length - 1]);
  expectEqual(facts.namedLinks.navNext.map(decodeURIComponent), [first], `${where}: link named navNext`);
  const single = folder.files.length === 1;
  const previous = single ? (gallery.navigation ? ['#'] : []) : [last];
  expectEqual(facts.namedLinks.navPrevious.map(decodeURIComponent), previous, `${where}: link named navPrevious`);

  if (folder.parent) {
    const up = facts.links.filter((l) => l.name === 'navIndex');
    if (up.length !== 1) fail(`${where}: expected one "Up to" link named navIndex, found ${up.length}`);
    expectEqual(access.file(up[0].href), folder.parent.index, `${where}: target of ${up[0].html}`);
    expectEqual(up[0].text, `Up to ${folder.parent.title}`, `${where}: text of ${up[0].html}`);
  } else {
    expectEqual(facts.namedLinks.navIndex, [], `${where}: links named navIndex on the root index`);
  }

  const subLinks = facts.links.filter((l) => l.href.endsWith('/index.html') && l.name !== 'navIndex');
  expectEqual(subLinks.map((l) => access.file(l.href)),
    folder.subfolders.map((s) => path.join(folder.abs, s, 'index.html')), `${where}: subfolder links in order`);
  folder.subfolders.forEach((s, i) => {
    const child = folder.node.folders.find((f) => f.dir === s);
    expectEqual(subLinks[i].text, child.info?.title ?? s, `${where}: text of ${subLinks[i].html}`);
  });

  const info = folder.node.info ?? {};
  if (info.sidebar) {
    const sidebar = facts.images.find((img) => access.file(img.src) === path.join(folder.abs, info.sidebar));
    if (!sidebar) fail(`${where}: no sidebar picture ${info.sidebar}`);
    expectEqual(sidebar.alt, info.sidebarCaption, `${where}: alt text of ${sidebar.html}`);
    if (facts.thumbnailLinks.some((u) => access.file(u) === path.join(folder.abs, pageName(info.sidebar)))) {
      fail(`${where}: the sidebar picture ${info.sidebar} is also in the thumbnail table`);
    }
  }
  for (const text of [info.description, info.sidebarCaption]) {
    if (text && !facts.bodyText.includes(text)) fail(`${where}: page text lacks "${text}"`);
  }
}

function checkPicturePage(where, access, gallery, { folder, file, position }, facts) {
  const title = pictureTitle(folder, file);
  expectEqual(facts.title, title, `${where}: <TITLE>`);
  if (!facts.bodyText.includes(title)) fail(`${where}: page text lacks the description "${title}"`);

  const pages = folder.files.map(pageName);
  const previous = position === 0 ? 'index.html' : pages[position - 1];
  const next = position === pages.length - 1 ? 'index.html' : pages[position + 1];
  expectEqual(facts.namedLinks.navPrevious.map(decodeURIComponent), [previous], `${where}: link named navPrevious`);
  expectEqual(facts.namedLinks.navNext.map(decodeURIComponent), [next], `${where}: link named navNext`);
  expectEqual(facts.namedLinks.navIndex, ['index.html'], `${where}: link named navIndex`);

  const entry = folder.node.files.find((f) => f.name === file);
  const target = path.join(folder.abs, file);
  if (entry.movie) {
    const link = facts.links.find((l) => access.file(l.href) === target);
    if (!link) fail(`${where}: no link to the movie ${file}`);
    const thumb = `t_${baseName(file)}.jpg`;
    if (entry.thumbnail) {
      if (!facts.images.some((img) => access.file(img.src) === path.join(folder.abs, thumb))) {
        fail(`${where}: the movie link ${link.html} does not show ${thumb}`);
      }
    } else {
      expectEqual(link.text, file, `${where}: text of the movie link ${link.html}`);
    }
  } else if (!facts.images.some((img) => access.file(img.src) === target)) {
    fail(`${where}: the picture ${file} is not shown`);
  }
}

// Presses a key and checks where the browser ends up (null: it stays).
async function press(tab, access, key, from, to) {
  const page = tab.page;
  const before = page.url().split('#')[0];
  const fromName = access.show(from);
  expectEqual(access.file(before), from, `before pressing ${key}: the page`);
  tab.takeNavigations();
  await page.keyboard.press(key);
  if (to === null) {
    await page.waitForTimeout(250);
    const after = page.url().split('#')[0];
    const started = tab.takeNavigations();
    if (after !== before || started.length) {
      fail(`[${access.kind}] ${fromName}: ${key} opened ${access.show(started[0] ?? after)}; expected to stay`);
    }
  } else {
    try {
      await page.waitForURL((u) => u.href.split('#')[0] !== before, { timeout: 15000, waitUntil: 'load' });
    } catch {
      fail(`[${access.kind}] ${fromName}: ${key} did not leave the page; expected ${access.show(to)}`);
    }
    const after = access.file(page.url());
    if (after !== to) fail(`[${access.kind}] ${fromName}: ${key} opened ${access.show(after)}; expected ${access.show(to)}`);
  }
  tab.expectNoProblems(`[${access.kind}] ${fromName} after ${key}`);
  counts.keys++;
  log(`  ok [${access.kind}] key ${key.padEnd(10)} on ${fromName} -> ${to === null ? '(stays)' : access.show(to)}`);
}

async function checkKeyboard(tab, access, gallery) {
  for (const folder of gallery.folders) {
    const pages = folder.pages;
    const n = pages.length;
    await tab.open(access.url(folder.index), `[${access.kind}] ${access.show(folder.index)}`);
    if (folder.parent) {
      await press(tab, access, 'Home', folder.index, folder.parent.index);
      await tab.open(access.url(folder.index), `[${access.kind}] ${access.show(folder.index)}`);
      await press(tab, access, 'Escape', folder.index, folder.parent.index);
      await tab.open(access.url(folder.index), `[${access.kind}] ${access.show(folder.index)}`);
    } else {
      // The root index has no "Up to" link: Home and Escape stay.
      await press(tab, access, 'Home', folder.index, null);
      await press(tab, access, 'Escape', folder.index, null);
    }
    // Forward through the folder, Right and Space in turn, and back to the index.
    await press(tab, access, 'ArrowRight', folder.index, pages[0]);
    for (let i = 1; i < n; i++) await press(tab, access, i % 2 ? 'Space' : 'ArrowRight', pages[i - 1], pages[i]);
    await press(tab, access, n % 2 ? 'Space' : 'ArrowRight', pages[n - 1], folder.index);
    // Backward: from the index to the last picture, down to the first, out to the index.
    if (n === 1) {
      await press(tab, access, 'ArrowLeft', folder.index, null);
      await tab.open(access.url(pages[0]), `[${access.kind}] ${access.show(pages[0])}`);
    } else {
      await press(tab, access, 'ArrowLeft', folder.index, pages[n - 1]);
    }
    for (let i = n - 1; i > 0; i--) await press(tab, access, 'ArrowLeft', pages[i], pages[i - 1]);
    await press(tab, access, 'ArrowLeft', pages[0], folder.index);
    // Home and Escape on a picture page lead to the folder's index.
    const middle = pages[Math.floor(n / 2)];
    await tab.open(access.url(middle), `[${access.kind}] ${access.show(middle)}`);
    await press(tab, access, 'Home', middle, folder.index);
    await tab.open(access.url(pages[n - 1]), `[${access.kind}] ${access.show(pages[n - 1])}`);
    await press(tab, access, 'Escape', pages[n - 1], folder.index);
  }
}

// With keyboard navigation off the keys must not move anywhere. The picture
// template calls navHandler() from its BODY line whatever the option says, so
// a key press there reports "navHandler is not defined" to the console; that
// is noted, not counted as a failure, since the visitor sees nothing of it.
async function checkKeysIgnored(tab, access, gallery) {
  const root = gallery.folders[0];
  const sub = gallery.folders.find((f) => f.parent);
  for (const file of [root.index, root.pages[0], sub.index, sub.pages[sub.pages.length - 1]]) {
    await tab.open(access.url(file), `[${access.kind}] ${access.show(file)}`);
    for (const key of ['ArrowRight', 'Space', 'ArrowLeft', 'Home', 'Escape']) {
      const before = tab.page.url();
      tab.takeNavigations();
      await tab.page.keyboard.press(key);
      await tab.page.waitForTimeout(100);
      const started = tab.takeNavigations();
      if (tab.page.url() !== before || started.length) {
        fail(`[${access.kind} ${gallery.name}] ${access.show(file)}: ${key} opened ` +
          `${access.show(started[0] ?? tab.page.url())}; expected to stay`);
      }
      const problems = tab.takeProblems();
      const other = problems.filter((p) => !/navHandler is not defined/.test(p));
      if (other.length) fail(`[${access.kind} ${gallery.name}] ${access.show(file)} after ${key}: ${other.join('; ')}`);
      if (problems.length) counts.notes++;
      counts.keys++;
      log(`  ok [${access.kind} ${gallery.name}] key ${key.padEnd(10)} on ${access.show(file)} -> (stays)` +
        (problems.length ? `  note: ${problems.join('; ')}` : ''));
    }
  }
}

// ---------------------------------------------------------------------------

async function main() {
  const options = parseArgs(process.argv.slice(2));
  const { chromium } = await import('playwright-core').catch(() => {
    throw new Error(`playwright-core is missing: run "npm ci" in ${path.dirname(fileURLToPath(import.meta.url))}`);
  });
  for (const [what, file] of [['orvanta-cli', options.cli], ['Chromium', options.chromium]]) {
    try {
      fs.accessSync(file, fs.constants.X_OK);
    } catch {
      fail(`${what} not found at ${file}`);
    }
  }

  const work = options.work ?? fs.mkdtempSync(path.join(os.tmpdir(), 'orvanta-browser-'));
  const parts = ['source', 'galleries', 'program-on', 'program-off', 'profile', 'screenshots'];
  for (const part of parts) fs.rmSync(path.join(work, part), { recursive: true, force: true });
  fs.mkdirSync(work, { recursive: true });
  log(`Work folder: ${work}`);

  // The photo tree, then one gallery with keyboard navigation and one without.
  const source = path.join(work, 'source', 'Photos & Trips');
  makeTree(source, TREE);
  const galleriesRoot = path.join(work, 'galleries');
  const galleries = [
    { name: 'nav-on', navigation: true, settings: [] },
    { name: 'nav-off', navigation: false, settings: ['--set', 'IncludeKeyboardNavigation=False'] },
  ];
  for (const gallery of galleries) {
    gallery.root = path.join(galleriesRoot, gallery.name, 'Photos & Trips');
    fs.cpSync(source, gallery.root, { recursive: true });
    runCli(options.cli, path.join(work, `program-${gallery.name === 'nav-on' ? 'on' : 'off'}`), gallery.root,
      gallery.settings);
    gallery.folders = expectedFolders(gallery.root);
    const scripts = listFiles(gallery.root, (n) => n === 'NavFunctions.js');
    expectEqual(scripts, gallery.navigation ? [path.join(gallery.root, 'NavFunctions.js')] : [],
      `${gallery.name}: NavFunctions.js files written`);
  }

  const server = await startServer(galleriesRoot);
  const port = server.address().port;
  log(`HTTP server on 127.0.0.1:${port}`);
  const profile = fs.mkdtempSync(path.join(work, 'profile-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: options.chromium,
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
    viewport: { width: 1024, height: 768 },
  });
  try {
    log(`Chromium ${context.browser()?.version() ?? ''}`.trim());
    const tab = new Tab(context.pages()[0] ?? (await context.newPage()));
    // Screenshots of an index page and a picture page, before any link is visited.
    const shots = path.join(work, 'screenshots');
    fs.mkdirSync(shots, { recursive: true });
    const access = new Access('http', galleries[0].root, galleriesRoot, port);
    const root = galleries[0].folders[0];
    const shown = [
      ['gallery-index.png', root.index],
      ['gallery-picture.png', path.join(root.abs, pageName('Fish & Chips.jpg'))],
    ];
    for (const [name, file] of shown) {
      await tab.open(access.url(file), `[screenshot] ${access.show(file)}`);
      await tab.page.screenshot({ path: path.join(shots, name), fullPage: true });
      if (options.screenshots) {
        fs.mkdirSync(options.screenshots, { recursive: true });
        fs.copyFileSync(path.join(shots, name), path.join(options.screenshots, name));
      }
      log(`  screenshot of ${access.show(file)}: ${path.join(options.screenshots ?? shots, name)}`);
    }
    for (const kind of ['file', 'http']) {
      for (const gallery of galleries) {
        const access = new Access(kind, gallery.root, galleriesRoot, port);
        log(`Pages of the ${gallery.name} gallery over ${kind}:`);
        await crawlGallery(tab, access, gallery);
        log(`Keys in the ${gallery.name} gallery over ${kind}:`);
        if (gallery.navigation) await checkKeyboard(tab, access, gallery);
        else await checkKeysIgnored(tab, access, gallery);
      }
    }

  } finally {
    await context.close();
    server.closeAllConnections?.();
    server.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

try {
  await main();
  const seconds = ((Date.now() - started) / 1000).toFixed(1);
  log(`Checked ${counts.pages} page loads, ${counts.images} pictures, ${counts.links} links, ` +
    `${counts.keys} key presses (${counts.notes} with notes) in ${seconds} s`);
  log('browser gallery: 1 passed, 0 failed');
  process.exit(0);
} catch (error) {
  console.error(error instanceof CheckFailure ? `FAIL: ${error.message}` : `FAIL: ${error.stack ?? error}`);
  process.exit(1);
}
