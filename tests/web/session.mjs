// One session in headless Chromium, by keyboard only: ENKELRADER, 10 rows,
// the compatible format, GENERERA, SPARA, then typed text and SPARA again.
// The downloads must equal what the native kupongen-headless saves for the
// same seed and clicks, and the page must show the model's state as
// kupongen-headless prints it. Then axe-core at both widths, an offline
// reload, and screenshots.
//   node session.mjs SITE_DIR KUPONGEN_HEADLESS
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {createRequire} from 'node:module';
import {launchChromium, serveSite} from './site_support.mjs';

const [siteDir, headless] = process.argv.slice(2).map((arg) => path.resolve(arg));
const seed = 7;
const failures = [];
function check(condition, message) {
  if (!condition) {
    failures.push(message);
    console.error(`FAIL: ${message}`);
  }
}

const require = createRequire(import.meta.url);
const axeSource = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'kupongen-web-'));
const shots = path.resolve(siteDir, '..', 'screenshots');
fs.mkdirSync(shots, {recursive: true});

// kupongen-headless on the clicks the page delivered, with the user's text,
// saving at the end: its state JSON and the saved bytes.
function runHeadless(clicks, typed, name) {
  const lines = clicks.map((clicked) => `click ${clicked}`);
  if (typed !== null) {
    lines.push(`edit ${JSON.stringify(typed.replace(/\n/g, '\r\n'))}`);
  }
  lines.push('state', `save "${name}"`);
  const output = execFileSync(headless, ['--seed', String(seed), '-'],
    {cwd: work, input: `${lines.join('\n')}\n`}).toString();
  return {state: JSON.parse(output.split('\n')[0]),
    bytes: fs.readFileSync(path.join(work, `${name}.txt`))};
}

async function pageState(page) {
  return page.evaluate(() => [...document.querySelectorAll('[data-control]')].map((input) => {
    const wrap = input.closest('label') || input;
    return {id: Number(input.dataset.control), visible: !wrap.hidden, enabled: !input.disabled,
      checked: input.type === 'checkbox' || input.type === 'radio' ? input.checked : false,
      text: input.localName === 'output' ? input.textContent : null};
  }));
}

function compareStates(shown, state, when) {
  const byId = new Map(shown.map((control) => [control.id, control]));
  check(byId.size === 113, `${when}: the page has ${byId.size} controls, not 113`);
  for (const control of state.controls) {
    const mine = byId.get(control.id);
    for (const key of ['visible', 'enabled', 'checked']) {
      check(mine && mine[key] === control[key],
        `${when}: control ${control.id} ${key} ${mine && mine[key]}, the model says ${control[key]}`);
    }
  }
  check(byId.get(1000).text === state.status,
    `${when}: status "${byId.get(1000).text}", the model says "${state.status}"`);
}

async function focusedControl(page) {
  return page.evaluate(() => Number(document.activeElement.dataset.control || 0));
}

// Tab until the control has the focus, as a user would look for it.
async function tabTo(page, controlId) {
  for (let presses = 0; presses < 40; ++presses) {
    if (await focusedControl(page) === controlId) {
      return;
    }
    await page.keyboard.press('Tab');
  }
  throw new Error(`Tab never reached control ${controlId}`);
}

async function download(page, key) {
  const [file] = await Promise.all([page.waitForEvent('download'), page.keyboard.press(key)]);
  return fs.readFileSync(await file.path());
}

async function axe(page, when) {
  await page.addScriptTag({content: axeSource});
  const result = await page.evaluate(() => window.axe.run(document));
  for (const violation of result.violations) {
    check(false, `${when}: axe ${violation.id}: ${violation.nodes.map((n) => n.target).join(' ')}`);
  }
}

const server = await serveSite(siteDir);
const browser = await launchChromium();
try {
  const context = await browser.newContext({viewport: {width: 1280, height: 800}, acceptDownloads: true});
  // Headless Chromium cannot answer a save picker: the download path it is.
  await context.addInitScript(() => { delete window.showSaveFilePicker; });
  const requests = [];
  context.on('request', (request) => requests.push(request.url()));
  const page = await context.newPage();
  page.on('pageerror', (error) => check(false, `page error: ${error.message}`));
  await page.goto(`${server.url}/?seed=${seed}`);
  await page.waitForFunction(() => performance.getEntriesByName('kupongen-ready').length > 0);
  await page.evaluate(() => {
    window.clicks = [];
    const deliver = window.kupongen.deliverClick.bind(window.kupongen);
    window.kupongen.deliverClick = (controlId) => { window.clicks.push(controlId); deliver(controlId); };
  });

  // The first tab stop has the focus: SYSTEM, then the arrow key to ENKELRADER.
  check(await focusedControl(page) === 1002, 'the first focus is not SYSTEM');
  await page.keyboard.press('ArrowRight');
  await page.keyboard.press('Space');
  await tabTo(page, 1040);
  for (let rows = 1; rows < 10; ++rows) {
    await page.keyboard.press('ArrowRight'); // clicks each radio button it reaches
  }
  check(await focusedControl(page) === 1049, 'the arrows did not reach "10"');
  await tabTo(page, 1068);
  await page.keyboard.press('Space');
  await tabTo(page, 1007);
  await page.keyboard.press('Enter');
  await tabTo(page, 1008);
  const saved = await download(page, 'Enter');
  const clicks = await page.evaluate(() => window.clicks);
  check(clicks.slice(0, 2).join() === '1001,1041' && clicks.includes(1049) && clicks.includes(1068),
    `unexpected clicks ${clicks}`);
  const expected = runHeadless(clicks, null, 'pressed');
  check(saved.equals(expected.bytes), 'the download differs from kupongen-headless');
  const text = saved.toString('latin1');
  check(text.split('\r\n').filter((line) => line.startsWith('E,')).length === 10,
    'the download has not 10 rows in the compatible format');
  check(!/[^\r]\n/.test(text), 'the download has a line break without CR');
  compareStates(await pageState(page), expected.state, 'after the press');
  await page.screenshot({path: path.join(shots, 'wide-1280x800.png')});

  // Typed text reaches the model as Windows-1252 with CR LF; "ł" has no place
  // there and becomes "?".
  const typed = 'Kupong för måndag: 5 €\nłódź';
  await tabTo(page, 1039);
  await page.keyboard.press('Control+End');
  await page.keyboard.press('Enter');
  await page.keyboard.insertText(typed);
  const rows = await page.evaluate(() => document.querySelector('[data-control="1039"]').value);
  await tabTo(page, 1008);
  const edited = await download(page, 'Space');
  const expectedEdit = runHeadless(clicks, rows, 'edited');
  check(edited.equals(expectedEdit.bytes), 'the edited download differs from kupongen-headless');
  check(edited.toString('latin1').endsWith('\r\nKupong f\xf6r m\xe5ndag: 5 \x80\r\n?\xf3d?'),
    'the typed text is not Windows-1252 with CR LF');
  compareStates(await pageState(page), expectedEdit.state, 'after the edit');
  await axe(page, 'wide');

  // Where the browser has a save picker, the same bytes go to the file it
  // picks; a file it cannot write is the model's failed save, in a modal box.
  await page.evaluate(() => {
    window.picked = null;
    window.showSaveFilePicker = async (options) => ({
      createWritable: async () => ({
        write: async (bytes) => { window.picked = {name: options.suggestedName, bytes: [...bytes]}; },
        close: async () => {},
      }),
    });
  });
  await page.keyboard.press('Space');
  await page.waitForFunction(() => window.picked !== null);
  const picked = await page.evaluate(() => window.picked);
  check(picked.name === 'rader.txt' && Buffer.from(picked.bytes).equals(edited),
    'the save picker did not get the saved bytes as rader.txt');
  await page.evaluate(() => {
    window.showSaveFilePicker = async () => ({
      createWritable: async () => { throw new DOMException('full', 'QuotaExceededError'); },
    });
  });
  await page.keyboard.press('Space');
  await page.waitForSelector('dialog[open]');
  const box = await page.evaluate(() => [document.getElementById('box-title').textContent,
    document.getElementById('box-text').textContent, document.activeElement.textContent]);
  check(box.join('|') === 'Error|Save file failed.|OK', `message box ${box.join('|')}`);
  await axe(page, 'message box');
  await page.screenshot({path: path.join(shots, 'message-box.png')});
  await page.keyboard.press('Enter');
  check(await page.evaluate(() => !document.getElementById('box').open) &&
        await focusedControl(page) === 1008, 'the message box did not give the focus back');

  // Offline: the service worker's copy serves the reload.
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
  await context.setOffline(true);
  await page.reload();
  await page.waitForFunction(() => performance.getEntriesByName('kupongen-ready').length > 0);
  await page.keyboard.press('Space'); // SYSTEM
  check(await page.evaluate(() => document.querySelector('output').textContent) !== '' &&
        await page.evaluate(() => document.querySelector('[data-control="1002"]').checked),
  'the offline page does not work');
  await context.setOffline(false);

  // Narrow: one column, no horizontal scrolling, targets of 44 px.
  const phone = await browser.newPage({viewport: {width: 390, height: 844}});
  await phone.goto(`${server.url}/?seed=${seed}`);
  await phone.waitForFunction(() => performance.getEntriesByName('kupongen-ready').length > 0);
  await phone.click('[data-control="1001"]');
  await phone.click('[data-control="1049"]');
  const layout = await phone.evaluate(() => ({
    scroll: document.documentElement.scrollWidth - document.documentElement.clientWidth,
    small: [...document.querySelectorAll('label.box, button.item')]
      .filter((element) => element.offsetParent !== null)
      .map((element) => element.getBoundingClientRect())
      .filter((rect) => rect.width < 44 || rect.height < 44).length,
  }));
  check(layout.scroll <= 0, `the narrow page scrolls sideways by ${layout.scroll} px`);
  check(layout.small === 0, `${layout.small} targets under 44 px on the narrow page`);
  await phone.screenshot({path: path.join(shots, 'narrow-390x844.png'), fullPage: true});
  await axe(phone, 'narrow');

  // 200 % zoom of 1280 x 800.
  const zoomed = await browser.newPage({viewport: {width: 640, height: 400}, deviceScaleFactor: 2});
  await zoomed.goto(`${server.url}/?seed=${seed}`);
  await zoomed.waitForFunction(() => performance.getEntriesByName('kupongen-ready').length > 0);
  check(await zoomed.evaluate(() =>
    document.documentElement.scrollWidth <= document.documentElement.clientWidth),
  'the page scrolls sideways at 200 %');
  await zoomed.screenshot({path: path.join(shots, 'zoom-200.png')});

  const foreign = requests.filter((url) => !url.startsWith(`${server.url}/`) && !url.startsWith('blob:'));
  check(foreign.length === 0, `requests outside the site: ${foreign.join(' ')}`);
} finally {
  await browser.close();
  server.close();
  fs.rmSync(work, {recursive: true, force: true});
}

if (failures.length > 0) {
  console.error(`${failures.length} failures`);
  process.exit(1);
}
console.log(`web session passed; screenshots in ${shots}`);
