// One session in headless Chromium, by keyboard only: ENKELRADER, 10 rows,
// the compatible format, GENERERA, SPARA, then typed text and SPARA again;
// then the Verktyg menu: Unika rader with 11 sure matches, and the check
// window's check, grade and opened files. The downloads must equal what the
// native kupongen-headless saves for the same seed and acts, and the page
// must show the model's state as kupongen-headless prints it. Then axe-core
// at both widths with the menu and the check window open, an offline reload
// that keeps Unika rader, and screenshots.
//   node session.mjs SITE_DIR KUPONGEN_HEADLESS
import {execFileSync, spawnSync} from 'node:child_process';
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

// kupongen-headless on the script lines of the page's acts, saving at the
// end when given a name: its state JSON and the saved bytes.
function runHeadless(acts, name = null, save = 'save') {
  const lines = [...acts, 'state', ...(name === null ? [] : [`${save} "${name}"`])];
  const output = execFileSync(headless, ['--seed', String(seed), '-'],
    {cwd: work, input: `${lines.join('\n')}\n`}).toString();
  return {state: JSON.parse(output.split('\n')[0]),
    bytes: name === null ? null : fs.readFileSync(path.join(work, `${name}.txt`))};
}

// The native kupongen-headless on a file of the work folder (--check or
// --grade): its output and exit status.
function nativeRun(name, bytes, options) {
  fs.writeFileSync(path.join(work, name), bytes);
  const run = spawnSync(headless, [options[0], name, ...options.slice(1)], {cwd: work});
  return {output: run.stdout.toString(), status: run.status};
}

// A report as the page shows it, and as the native --check prints it, less
// the first line, which names the source.
const reportBody = (report) => report.split(/\r?\n/).slice(1).join('\n').trimEnd();

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

// The focused dialog control's or check window item's id, or the element's id.
async function focused(page) {
  return page.evaluate(() => {
    const {dataset, id} = document.activeElement;
    return Number(dataset.control || dataset.review || 0) || id;
  });
}

// Tab until the control has the focus, as a user would look for it.
async function tabTo(page, controlId) {
  for (let presses = 0; presses < 40; ++presses) {
    if (await focused(page) === controlId) {
      return;
    }
    await page.keyboard.press('Tab');
  }
  throw new Error(`Tab never reached ${controlId}`);
}

const review = (itemId) => `[data-review="${itemId}"]`;
const valueOf = (page, selector) => page.$eval(selector, (element) => element.value);

// The chart's counts as its bars show them, 0 to 13 right.
function chartCounts(page) {
  return page.$$eval('.bar-row > :last-child', (cells) => cells.map((cell) => Number(cell.textContent)).reverse());
}

// The menu by keyboard, then the check window with a result typed, at a
// phone's width or 200 %: no sideways scrolling, no violation, and the
// screenshots.
async function narrowWindows(page, name, result) {
  await page.evaluate(() => scrollTo(0, document.body.scrollHeight));
  check(await page.$eval('#menu-button', (button) => Math.abs(button.getBoundingClientRect().top) < 1),
    `${name}: the menu does not stay at the top`);
  await page.evaluate(() => scrollTo(0, 0));
  await page.focus('#menu-button');
  await page.keyboard.press('Enter');
  check(await page.$$eval('#menu [role^="menuitem"]', (items) => items.every((item) => {
    const rect = item.getBoundingClientRect();
    return rect.height >= 44 && rect.right <= innerWidth;
  })), `${name}: the menu's items are under 44 px or leave the screen`);
  await page.screenshot({path: path.join(shots, `menu-${name}.png`)});
  await axe(page, `${name} menu`);
  await page.keyboard.press('k');
  await page.waitForSelector('#review[open]');
  const layout = await page.evaluate(() => ({
    scroll: Math.max(...[document.documentElement, document.getElementById('review')]
      .map((element) => element.scrollWidth - element.clientWidth)),
    small: [...document.querySelectorAll('#review label.box, #review button.item, #review input.line')]
      .map((element) => element.getBoundingClientRect())
      .filter((rect) => rect.width < 44 || rect.height < 44).length,
  }));
  check(await page.$$eval('#review textarea', (reports) => reports.every((report) =>
    report.scrollWidth <= report.clientWidth)), `${name}: the reports scroll sideways`);
  check(layout.scroll <= 0 && layout.small === 0,
    `${name}: the check window scrolls sideways by ${layout.scroll} px, ${layout.small} small targets`);
  await page.screenshot({path: path.join(shots, `check-${name}.png`)});
  await axe(page, `${name} check window`);
  check(await page.evaluate(() => Math.max(...[...document.querySelectorAll('#review input[type="checkbox"]')]
    .map((box) => box.getBoundingClientRect().bottom)) <=
    document.querySelector('[data-review="41050"]').getBoundingClientRect().top),
  `${name}: the typing line is not under the sign boxes`);
  await page.focus(review(41050));
  await page.keyboard.type(result);
  await page.$eval(review(41062), (chart) => chart.scrollIntoView({block: 'center'}));
  await page.screenshot({path: path.join(shots, `grade-${name}.png`)});
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
  page.on('filechooser', () => {}); // the picker is the test's from the start
  await page.goto(`${server.url}/?seed=${seed}`);
  await page.waitForFunction(() => performance.getEntriesByName('kupongen-ready').length > 0);
  await page.evaluate(() => {
    window.clicks = [];
    window.acts = [];
    const page = window.kupongen;
    const deliver = page.deliverClick.bind(page);
    page.deliverClick = (controlId) => {
      window.clicks.push(controlId);
      window.acts.push(`click ${controlId}`);
      deliver(controlId);
    };
    const command = page.command.bind(page);
    page.command = (menuId) => { window.acts.push(`menu ${menuId}`); command(menuId); };
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
  const expected = runHeadless(clicks.map((clicked) => `click ${clicked}`), 'pressed');
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
  const edit = `edit ${JSON.stringify(rows.replace(/\n/g, '\r\n'))}`;
  await page.evaluate((line) => window.acts.push(line), edit);
  await tabTo(page, 1008);
  const edited = await download(page, 'Space');
  const expectedEdit = runHeadless([...clicks.map((clicked) => `click ${clicked}`), edit], 'edited');
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

  // The menu button is the stop after the dialog's last, once in Tab's
  // round; Enter opens the menu on its first item, Escape closes it and
  // gives the focus back.
  await tabTo(page, 'menu-button');
  const round = [];
  do {
    await page.keyboard.press('Tab');
    round.push(await focused(page));
  } while (round.length < 40 && round.at(-1) !== 'menu-button');
  check(round.at(-1) === 'menu-button' && new Set(round).size === round.length && round.includes(1008),
    `Tab's round from the menu: ${round}`);
  await page.keyboard.press('Enter');
  check(await page.$eval('#menu-button', (button) => button.getAttribute('aria-expanded')) === 'true' &&
        await page.evaluate(() => document.activeElement.getAttribute('role')) === 'menuitemcheckbox',
  'Enter did not open the menu on Unika rader');
  // The browser's access key (Alt+V in Chromium) names the menu button.
  check((await page.accessibility.snapshot({root: await page.$('#menu-button')})).keyshortcuts === 'Alt+v',
    'the menu button has no access key');
  const tree = await page.accessibility.snapshot({root: await page.$('#menu')});
  check(tree.children.map((item) => `${item.role} ${item.name}`).join('|') ===
    'menuitemcheckbox Unika rader|menuitem Spara systemet för uppladdning…|menuitem Kontrollera raderna…|menuitem Rätta raderna…',
  `the menu reads as ${JSON.stringify(tree.children)}`);
  const itemNow = () => page.evaluate(() => document.activeElement.textContent);
  await page.keyboard.press('ArrowDown');
  check(await itemNow() === 'Spara systemet för uppladdning…', 'ArrowDown does not reach the next item');
  await page.keyboard.press('End');
  const last = await itemNow();
  await page.keyboard.press('Home');
  check(last === 'Rätta raderna…' && await itemNow() === 'Unika rader', 'End and Home miss the ends');
  await page.keyboard.press('q'); // no item's access key
  check(await itemNow() === 'Unika rader', 'a letter no item has moved the focus');
  await page.keyboard.press('ArrowDown');
  check(await page.$$eval('#menubar .key', (keys) => keys.map((key) => key.textContent).join('')) === 'VUSKR',
    'the access keys are not the underlined letters');
  // Each match label of both templates names its match.
  const labels = await page.evaluate(() => [window.kupongen.template, window.kupongen.review.template]
    .flatMap((template) => template.items.filter((item) => item.match !== undefined && item.sign === undefined))
    .map((item) => [item.caption, item.match]));
  check(labels.length === 26 && labels.every(([caption, match]) => caption === `Match ${match}:`),
    `the match labels ${labels}`);
  await page.screenshot({path: path.join(shots, 'menu-1280x800.png')});
  const [bar, dialogFrame] = await page.$$eval('#menubar, #frame', (parts) =>
    parts.map((part) => part.getBoundingClientRect()).map(({left, width}) => `${left},${width}`));
  check(bar === dialogFrame, `the menu bar (${bar}) does not stand over the dialog (${dialogFrame})`);
  await axe(page, 'menu open');
  await page.keyboard.press('Escape');
  check(await page.$eval('#menu', (menu) => menu.hidden) && await focused(page) === 'menu-button',
    'Escape did not close the menu onto its button');
  // Tab leaves the open menu for the dialog's first stop, Shift+Tab comes
  // back; a click elsewhere closes it.
  await page.keyboard.press('ArrowUp');
  check(await page.evaluate(() => document.activeElement.textContent) === 'Rätta raderna…',
    'ArrowUp does not open the menu on its last item');
  await page.keyboard.press('Tab');
  check(await focused(page) === 1002 && await page.$eval('#menu', (menu) => menu.hidden),
    'Tab does not leave the menu for the first stop');
  await page.keyboard.press('Shift+Tab');
  check(await focused(page) === 'menu-button', 'Shift+Tab from the first stop misses the menu');
  await page.click('#menu-button');
  await page.click('h1');
  check(await page.$eval('#menu', (menu) => menu.hidden), 'a click elsewhere leaves the menu open');
  await page.focus('#menu-button');

  // Unika rader, then 11 sure matches and GENERERA: 9 rows, all there are.
  await page.evaluate(() => { delete window.showSaveFilePicker; });
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('Enter');
  await tabTo(page, 1074);
  for (let match = 1; match <= 11; ++match) {
    await page.keyboard.press('Space');
    for (let sign = 0; sign < 3; ++sign) {
      await page.keyboard.press('ArrowRight');
    }
  }
  await tabTo(page, 1007);
  await page.keyboard.press('Enter');
  await tabTo(page, 1008);
  const distinct = await download(page, 'Enter');
  const acts = (await page.evaluate(() => window.acts))
    .map((act) => (act === 'menu 40001' ? 'distinct on' : act));
  const expectedDistinct = runHeadless(acts, 'distinct');
  check(distinct.equals(expectedDistinct.bytes), 'the distinct rows differ from kupongen-headless');
  check(expectedDistinct.state.distinct === true, 'kupongen-headless did not turn Unika rader on');
  compareStates(await pageState(page), expectedDistinct.state, 'after the distinct press');
  const singles = distinct.toString('latin1').split('\r\n').filter((line) => line.startsWith('E,'));
  check(singles.length === 9 && new Set(singles).size === 9, `not 9 distinct rows: ${singles.length}`);

  // Kontrollera raderna… by its access key: the report of the rows window,
  // its first line and verdict said.
  await tabTo(page, 'menu-button');
  await page.keyboard.press('Enter');
  await page.keyboard.press('k');
  await page.waitForSelector('#review[open]');
  check(await focused(page) === 41060, 'the check window does not open on the check report');
  const report = await valueOf(page, review(41060));
  const nativeCheck = nativeRun('distinct.txt', distinct, ['--check']);
  check(report.startsWith('Kontroll av raderna i fönstret\n') && report.includes(`\nEnkelrader: ${singles.length}\n`) &&
        reportBody(report) === reportBody(nativeCheck.output) && nativeCheck.status === 0,
  `the check report differs from kupongen-headless --check:\n${report}\n${nativeCheck.output}`);
  await page.waitForFunction(() => document.getElementById('review-said').textContent !== '');
  check((await page.$eval('#review-said', (said) => said.textContent))
    .startsWith('Kontroll av raderna i fönstret\r\nFilen kan laddas upp.'), 'the verdict is not announced');
  await axe(page, 'check window');
  await page.screenshot({path: path.join(shots, 'check-1280x800.png')});
  // Wide, every item stands inside the window and none over another (but by
  // the pixel each rectangle's rounding may give, scaled).
  const boxes = await page.$$eval('#review .item:not(.group)', (items) => items.map((item) => {
    const {left, top, right, bottom} = item.getBoundingClientRect();
    return {left, top, right, bottom};
  }));
  const frame = await page.$eval('#review', (dialog) => dialog.getBoundingClientRect());
  check(boxes.every((one, a) => one.left >= frame.left && one.right <= frame.right &&
    one.bottom <= frame.bottom && boxes.every((other, b) => b <= a || one.right <= other.left + 2 ||
    other.right <= one.left + 2 || one.bottom <= other.top + 2 || other.bottom <= one.top + 2)),
  'the check window\'s items leave it or overlap');
  // Tab goes round the window's stops and stays inside it.
  const stops = [];
  do {
    await page.keyboard.press('Tab');
    stops.push(await focused(page));
  } while (stops.length < 12 && stops.at(-1) !== 41060);
  check(stops.join() === '41061,41062,41070,41002,41003,41010,41050,41060', `the check window's stops ${stops}`);
  // It follows the window to a phone's width and back.
  const layoutIs = (name) => page.waitForFunction((want) =>
    document.getElementById('review').className === want, name, {timeout: 5000}).then(() => true, () => false);
  await page.setViewportSize({width: 390, height: 800});
  const narrowed = await layoutIs('narrow');
  await page.setViewportSize({width: 1280, height: 800});
  check(narrowed && await layoutIs('wide'), 'the open check window does not follow the window\'s width');
  // The sign boxes: Space sets a sign, the arrows go round the 39 boxes,
  // and the typing line shows the result.
  await tabTo(page, 41010);
  await page.keyboard.press('Space');
  await page.keyboard.press('ArrowLeft');
  await page.keyboard.press('Space');
  await page.click(`${review(41014)} + span`); // a click on a caption is a click on its box
  check(await focused(page) === 41014 && await valueOf(page, review(41050)) === '1X??????????2',
    'the sign boxes do not make the result');

  // A refused result is said; the first row as the result gives the chart
  // the rows' rights, as counted here.
  await tabTo(page, 41050);
  const hint = await page.$eval(review(41051), (status) => status.textContent);
  await page.keyboard.type('1X2');
  check(await page.$eval(review(41051), (status) => status.textContent) !== hint &&
        await page.$eval(review(41051), (status) => status.getAttribute('role')) === 'status',
  'a short result is not refused where it is heard');
  const rowSigns = singles.map((line) => line.split(',').slice(1));
  await page.keyboard.press('Control+A');
  await page.keyboard.type(rowSigns[0].join(''));
  const rights = Array(14).fill(0);
  for (const signs of rowSigns) {
    ++rights[signs.filter((sign, match) => sign === rowSigns[0][match]).length];
  }
  const nativeGrade = JSON.parse(nativeRun('distinct.txt', distinct, ['--grade', '--result', rowSigns[0].join(''), '--json']).output);
  check((await chartCounts(page)).join() === rights.join() && nativeGrade.right.join() === rights.join(),
    `the chart shows ${await chartCounts(page)}, kupongen-headless --grade ${nativeGrade.right}, not ${rights}`);
  const shares = await page.$$eval('.bar', (bars) => bars.map((bar) => Number(bar.style.getPropertyValue('--share'))));
  check(shares.reverse().every((share, k) => Math.abs(share - rights[k] / Math.max(...rights)) < 1e-9),
    `the bars are not scaled to the largest count: ${shares}`);
  await page.keyboard.press('ArrowLeft');
  check(await focused(page) === 41050, 'an arrow key leaves the typing line');
  check((await page.$eval(review(41062), (chart) => chart.getAttribute('aria-label'))) === 'Rader efter antal rätt' &&
        (await page.$eval('#review-chart-text', (text) => text.textContent)).includes('\r\n13 rätt: 1 rad\r\n'),
  'the chart has no name or text of its counts');
  await page.waitForFunction(() => document.getElementById('review-said').textContent.includes('\r\n13 rätt: 1 rad\r\n'));
  await page.screenshot({path: path.join(shots, 'grade-1280x800.png')});

  // Files through the picker: one from another tool, and one over the
  // limit, which is refused; the rows window stays as it was.
  const opened = async (name, bytes) => {
    await tabTo(page, 41003);
    const [chooser] = await Promise.all([page.waitForEvent('filechooser'), page.keyboard.press('Enter')]);
    await chooser.setFiles({name, mimeType: 'text/plain', buffer: bytes});
    await page.waitForFunction((source) => document.querySelector(source).textContent.endsWith(name), review(41001));
    return valueOf(page, review(41060));
  };
  // Quotes, backslashes and control bytes in a line cross to the page too.
  const otherBytes = Buffer.from(`stryktipset\n${singles[0].toLowerCase()}\n${singles[0]}\nE,1,1\nE,"\\\x01\n`);
  const other = await opened('andra.txt', otherBytes);
  const nativeOther = nativeRun('andra.txt', otherBytes, ['--check']);
  check(other.includes('\n  Rad 5 innehåller ett \'"\' i match 1.') && nativeOther.status === 1 &&
        reportBody(other) === reportBody(nativeOther.output), `the other tool's file reads as\n${other}`);
  const large = await opened('stor.txt', Buffer.alloc(4 * 1024 * 1024 + 1, 'E'));
  check(large === 'Filen stor.txt är större än 4 MiB och läses inte.', `the large file reads as ${large}`);
  await page.keyboard.press('Shift+Tab');
  await page.keyboard.press('Space');
  check(await valueOf(page, review(41060)) === report, 'Läs raderna igen does not check the rows window');
  await page.keyboard.press('Escape');
  check(!(await page.$eval('#review', (dialog) => dialog.open)) && await focused(page) === 'menu-button',
    'Escape did not close the check window onto the menu');
  compareStates(await pageState(page), expectedDistinct.state, 'after the check window');

  // Rätta raderna… reads the rows window as it stands, hand edits included,
  // and opens on the first sign box. A file the browser cannot read is said
  // so; Stäng closes.
  await tabTo(page, 1039);
  await page.keyboard.press('Control+End');
  await page.keyboard.insertText('\nE,1');
  await tabTo(page, 'menu-button');
  await page.keyboard.press('Enter');
  await page.keyboard.press('r');
  await page.waitForSelector('#review[open]');
  check(await focused(page) === 41010, 'Rätta raderna… does not open on the first sign box');
  check((await valueOf(page, review(41060))).includes('\nOgiltiga rader: 1\n'), 'the hand edit is not checked');
  await page.evaluate(() => { Blob.prototype.arrayBuffer = () => Promise.reject(new DOMException('', 'NotReadableError')); });
  const unread = await opened('trasig.txt', Buffer.from('E'));
  check(unread === 'Filen trasig.txt kunde inte läsas.', `an unread file reads as ${unread}`);
  await tabTo(page, 41070);
  await page.keyboard.press('Enter');
  check(!(await page.$eval('#review', (dialog) => dialog.open)) && await focused(page) === 'menu-button',
    'Stäng did not close the check window onto the menu');

  // Unika rader off and on again: each mark is remembered.
  const storedMarks = [];
  for (const choose of ['u', ' ']) { // its access key, then Space on it
    await page.keyboard.press('Enter');
    await page.keyboard.press(choose);
    storedMarks.push(await page.evaluate(() => localStorage.getItem('kupongen-menu-40001')));
  }
  check(storedMarks.join() === '0,1', `Unika rader remembered as ${storedMarks}`);

  // Offline: the service worker's copy serves the reload.
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
  await context.setOffline(true);
  await page.reload();
  await page.waitForFunction(() => performance.getEntriesByName('kupongen-ready').length > 0);
  // Unika rader is remembered, and restored with no message of its own.
  check(await page.$eval('[role="menuitemcheckbox"]', (item) => item.getAttribute('aria-checked')) === 'true',
    'Unika rader was not remembered');
  compareStates(await pageState(page), runHeadless([]).state, 'after the reload');
  await page.keyboard.press('Space'); // SYSTEM
  check(await page.evaluate(() => document.querySelector('output').textContent) !== '' &&
        await page.evaluate(() => document.querySelector('[data-control="1002"]').checked),
  'the offline page does not work');
  await context.setOffline(false);

  // A page that cannot use its storage starts with Unika rader off and
  // still turns it on.
  const closed = await browser.newContext();
  await closed.addInitScript(() => Object.defineProperty(window, 'localStorage', {
    get() { throw new DOMException('no storage', 'SecurityError'); },
  }));
  const unstored = await closed.newPage();
  unstored.on('pageerror', (error) => check(false, `page error without storage: ${error.message}`));
  await unstored.goto(`${server.url}/?seed=${seed}`);
  await unstored.waitForFunction(() => performance.getEntriesByName('kupongen-ready').length > 0);
  const mark = () => unstored.$eval('[role="menuitemcheckbox"]', (item) => item.getAttribute('aria-checked'));
  const before = await mark();
  await unstored.focus('#menu-button');
  await unstored.keyboard.press('Enter');
  await unstored.keyboard.press('Enter');
  check(before === 'false' && await mark() === 'true', 'without storage Unika rader does not start off and turn on');
  await closed.close();

  // Spara systemet för uppladdning… hands over the M file as SPARA hands over
  // its file; a system over the operator's limit is refused in the status
  // field and nothing is handed over.
  const systems = await browser.newContext({acceptDownloads: true});
  await systems.addInitScript(() => { delete window.showSaveFilePicker; });
  const system = await systems.newPage();
  await system.goto(`${server.url}/?seed=${seed}`);
  await system.waitForFunction(() => performance.getEntriesByName('kupongen-ready').length > 0);
  const saveSystem = async (clicked) => {
    for (const controlId of clicked) {
      await system.click(`[data-control="${controlId}"]`);
    }
    await system.focus('#menu-button');
    await system.keyboard.press('Enter');
    const file = system.waitForEvent('download', {timeout: 3000}).then((saved) => saved.path(), () => null);
    await system.keyboard.press('s');
    return file;
  };
  const mFile = await saveSystem([1002, 1013, 1025, 1007]);
  const systemActs = ['click 1002', 'click 1013', 'click 1025', 'click 1007'];
  const expectedSystem = runHeadless(systemActs, 'system', 'save-system');
  check(mFile !== null && fs.readFileSync(mFile).equals(expectedSystem.bytes) &&
        expectedSystem.bytes.toString('latin1').startsWith('Stryktipset\r\nM72,'),
  'the M file differs from kupongen-headless save-system');
  const refused = await saveSystem([1037, 1033, 1007]);
  const refusal = runHeadless([...systemActs, 'click 1037', 'click 1033', 'click 1007', 'save-system "big"']);
  check(refused === null, 'a system over the limit was handed over');
  compareStates(await pageState(system), refusal.state, 'after the refused system');
  await systems.close();

  // Narrow: one column, no horizontal scrolling, targets of 44 px.
  const phone = await browser.newPage({viewport: {width: 390, height: 844}});
  await phone.goto(`${server.url}/?seed=${seed}`);
  await phone.waitForFunction(() => performance.getEntriesByName('kupongen-ready').length > 0);
  await phone.click('[data-control="1001"]');
  await phone.click('[data-control="1049"]');
  await phone.click('[data-control="1007"]');
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
  await phone.evaluate(() => scrollTo(0, 0));
  await narrowWindows(phone, '390x844', '1X21X21X21X21');

  // 200 % zoom of 1280 x 800.
  const zoomed = await browser.newPage({viewport: {width: 640, height: 400}, deviceScaleFactor: 2});
  await zoomed.goto(`${server.url}/?seed=${seed}`);
  await zoomed.waitForFunction(() => performance.getEntriesByName('kupongen-ready').length > 0);
  check(await zoomed.evaluate(() =>
    document.documentElement.scrollWidth <= document.documentElement.clientWidth),
  'the page scrolls sideways at 200 %');
  await zoomed.screenshot({path: path.join(shots, 'zoom-200.png')});
  for (const controlId of [1001, 1049, 1007]) {
    await zoomed.click(`[data-control="${controlId}"]`);
  }
  await zoomed.evaluate(() => scrollTo(0, 0));
  await narrowWindows(zoomed, 'zoom-200', '1X2?1X2?1X2?1');

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
