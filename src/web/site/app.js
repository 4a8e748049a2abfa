// The page over the dialog session in kupongen.wasm: it builds the controls
// from the dialog template, the menu from the menu table and the check window
// from its template, hands every click, menu choice and typed text to the
// module, and after each event shows exactly what the module holds. The
// module's data names everything the page needs of it (kinds, styles, state
// bits, groups, roles, the narrow order, the menu's items), so no number of
// the dialog is written here: ids are only passed back.
const fontFamily = 'Tahoma, "Segoe UI", Arial, "Liberation Sans", "DejaVu Sans", sans-serif';

// ?seed=N as kupongen-headless takes it: -2147483648 to 4294967295, modulo 2^32.
function seedFromAddress() {
  const text = new URLSearchParams(location.search).get('seed');
  if (text === null || !/^-?[0-9]+$/.test(text)) {
    return null;
  }
  const value = BigInt(text);
  if (value < -2147483648n || value > 4294967295n) {
    return null;
  }
  return Number(BigInt.asUintN(32, value));
}

// Two starts in the same millisecond, on one device or two, get different rows.
function freshSeed() {
  const entropy = new Uint32Array(2);
  crypto.getRandomValues(entropy);
  const now = Date.now();
  const fine = Math.floor(performance.now() * 1000);
  return (entropy[0] ^ Math.imul(now >>> 0, 0x9E3779B1) ^
          Math.imul((now / 0x100000000) ^ fine ^ entropy[1], 0x85EBCA6B)) >>> 0;
}

// What the dialog manager measures of its font: the width of the 52 letters
// and the height, here in the page's font.
function measureFont(pixelSize) {
  const context = document.createElement('canvas').getContext('2d');
  context.font = `${pixelSize}px ${fontFamily}`;
  const metrics = context.measureText('ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz');
  const height = metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent;
  return {letters: Math.round(metrics.width), height: Math.round(height) || Math.round(pixelSize * 1.2)};
}

// A caption with its access key underlined.
function captionWithKey(entry) {
  const fragment = document.createDocumentFragment();
  if (entry.keyAt < 0) {
    fragment.append(entry.caption);
    return fragment;
  }
  const key = document.createElement('span');
  key.className = 'key';
  key.textContent = entry.caption.slice(entry.keyAt, entry.keyAt + 1);
  fragment.append(entry.caption.slice(0, entry.keyAt), key, entry.caption.slice(entry.keyAt + 1));
  return fragment;
}

// One window built from its template, the main dialog or the check window:
// real controls, each group a fieldset with its caption as legend, at the
// template's rectangles when wide and in one column when narrow.
class Surface {
  // root holds the items; dataName names the data attribute with an item's id.
  constructor(template, root, dataName) {
    this.template = template;
    this.root = root;
    this.dataName = dataName;
    this.items = template.items.map((item, index) => ({...item, index}));
    this.byId = new Map(); // item id -> {item, wrap, input, caption}
    this.byElement = new Map(); // focusable element -> item
    this.groups = [];
    this.pixels = null;
  }

  // wire(control) gives each control its events.
  build(wire) {
    const parts = new Map(); // template position -> top-level element
    for (const group of this.items.filter((item) => item.kind === 'GroupBox')) {
      const fieldset = document.createElement('fieldset');
      const legend = document.createElement('legend');
      legend.textContent = group.caption;
      fieldset.append(legend);
      fieldset.className = 'item group';
      parts.set(group.index, fieldset);
      this.place(fieldset, group);
    }
    this.groups = [...parts.values()];
    for (const item of this.items) {
      if (item.kind === 'GroupBox') {
        continue;
      }
      const group = item.group === null ? null : this.items[item.group];
      const element = this.makeItem(item, group, wire);
      this.place(element, item);
      if (group) {
        const fieldset = parts.get(group.index);
        fieldset.append(element);
        if (item.sign !== undefined) {
          fieldset.classList.add('sure');
        }
      } else {
        parts.set(item.index, element);
      }
    }
    this.root.append(...this.template.narrowOrder.map((index) => parts.get(index)));
  }

  // The template item an element shows (its pixels come with the layout);
  // the grid cell of a sign box or match label for the narrow layout: a row
  // for each match, the label before its three signs.
  place(element, item) {
    element.dataset.item = item.index;
    if (item.match !== undefined) {
      element.style.gridRow = item.match + 1;
      element.style.gridColumn = item.sign === undefined ? 1 : item.sign + 2;
    }
  }

  makeItem(item, group, wire) {
    const tabStop = item.styles.includes('TabStop');
    let wrap;
    let input;
    let caption = null;
    switch (item.kind) {
      case 'CheckBox':
      case 'RadioButton':
        wrap = document.createElement('label');
        input = document.createElement('input');
        input.type = item.kind === 'CheckBox' ? 'checkbox' : 'radio';
        if (item.kind === 'RadioButton' && group) {
          input.name = `group-${group.index}`;
        }
        caption = document.createElement('span');
        caption.textContent = item.caption;
        wrap.append(input, caption);
        wrap.className = 'item box';
        break;
      case 'PushButton':
        wrap = input = document.createElement('button');
        input.type = 'button';
        input.textContent = item.caption;
        wrap.className = 'item button';
        break;
      case 'Edit':
        if (item.role === 'status') {
          wrap = input = this.liveText('item status');
        } else if (item.styles.includes('MultiLine')) {
          wrap = input = document.createElement('textarea');
          input.readOnly = item.styles.includes('ReadOnly');
          input.wrap = 'off';
          wrap.className = `item edit ${item.role}`;
        } else {
          wrap = input = document.createElement('input');
          input.type = 'text';
          input.autocomplete = 'off';
          input.setAttribute('autocapitalize', 'characters');
          wrap.className = 'item edit line';
        }
        input.spellcheck = false;
        input.textContent = item.caption;
        break;
      default:
        if (item.role === 'resultStatus') {
          wrap = input = this.liveText('item label note');
        } else if (item.role === 'chart') {
          // A picture of counts: its bars are drawn inside, its text is its
          // description.
          wrap = input = document.createElement('div');
          input.setAttribute('role', 'img');
          wrap.className = 'item chart';
        } else {
          wrap = document.createElement('span');
          wrap.className = item.role === undefined ? 'item label' : `item label ${item.role}`;
          wrap.textContent = item.caption;
          if (item.role === undefined) {
            return wrap;
          }
          input = wrap;
        }
        input.textContent = item.caption;
    }
    if (item.name) {
      input.setAttribute('aria-label', item.name);
    }
    if (tabStop || item.kind !== 'Label') {
      input.tabIndex = tabStop ? 0 : -1;
      this.byElement.set(input, item);
    }
    input.dataset[this.dataName] = item.id;
    const control = {item, wrap, input, caption};
    this.byId.set(item.id, control);
    wire(control);
    return wrap;
  }

  // A text whose every change a screen reader says where the focus is.
  liveText(className) {
    const output = document.createElement('output');
    output.setAttribute('role', 'status');
    output.setAttribute('aria-live', 'polite');
    output.className = className;
    return output;
  }

  // ---- layout ----

  // The template's rectangles in pixels for the page's font, from the
  // module's dialog-unit rule: each item at its place inside its frame.
  setPixels(pixels, font) {
    this.pixels = pixels;
    this.root.style.setProperty('--font', `${font}px`);
    for (const element of this.root.querySelectorAll('.item')) {
      const [x, y, width, height] = pixels[Number(element.dataset.item)];
      const group = element.parentElement.classList.contains('group') ?
        pixels[Number(element.parentElement.dataset.item)] : [0, 0];
      element.style.setProperty('--x', `${x - group[0]}px`);
      element.style.setProperty('--y', `${y - group[1]}px`);
      element.style.setProperty('--w', `${width}px`);
      element.style.setProperty('--h', `${height}px`);
    }
    this.fitCaptions(font);
    this.stackGrids();
  }

  // Wide when the client area fits the room's width: the frame holds it at
  // the largest scale up to most that the room takes, and never below 1.
  // Returns the scale, or 0 for the narrow layout's one column.
  fit(frame, roomWidth, roomHeight, most = Infinity) {
    const [, , width, height] = this.pixels[this.pixels.length - 1];
    if (roomWidth < width) {
      frame.style.width = frame.style.height = '';
      return 0;
    }
    const scale = Math.max(1, Math.min(most, roomWidth / width, roomHeight / height));
    frame.style.width = `${width * scale}px`;
    frame.style.height = `${height * scale}px`;
    frame.style.setProperty('--scale', scale);
    frame.style.setProperty('--dialog-width', `${width}px`);
    frame.style.setProperty('--dialog-height', `${height}px`);
    return scale;
  }

  // A caption the page's font makes wider than its place gets a smaller
  // font, as the Qt window does with a fallback font; measured on a canvas,
  // so hidden controls fit too and nothing waits for a layout.
  fitCaptions(font) {
    const context = document.createElement('canvas').getContext('2d');
    const widthAt = (text, size) => {
      context.font = `${size}px ${fontFamily}`;
      return context.measureText(text).width;
    };
    for (const element of this.root.querySelectorAll('.item')) {
      const item = this.items[Number(element.dataset.item)];
      const mark = item.kind === 'CheckBox' || item.kind === 'RadioButton' ? 17 : 0;
      const frame = item.kind === 'PushButton' ? 8 : 0;
      if (mark === 0 && frame === 0 && (item.kind !== 'Label' || item.role !== undefined)) {
        continue;
      }
      const room = this.pixels[item.index][2] - mark - frame;
      let size = font;
      while (size > 8 && widthAt(item.caption, size) > room) {
        size -= 0.5;
      }
      if (size < font) {
        element.style.setProperty('--fit', `${size}px`);
      }
    }
  }

  // In a grid of sign boxes the narrow layout keeps the other items where
  // the template has them: those above the matches before, the rest after.
  stackGrids() {
    const top = (element) => this.pixels[Number(element.dataset.item)][1];
    for (const grid of this.root.querySelectorAll('fieldset.sure')) {
      const items = [...grid.querySelectorAll(':scope > .item')];
      const placed = items.filter((element) => element.style.gridRow);
      const matchesTop = Math.min(...placed.map(top));
      let after = Math.max(...placed.map((element) => Number(element.style.gridRow)));
      for (const element of items.filter((other) => !placed.includes(other))) {
        element.style.gridColumn = '1 / -1';
        element.style.gridRow = top(element) < matchesTop ? 1 : ++after;
      }
    }
  }

  // A narrow layout hides a frame whose controls are all hidden.
  hideEmptyGroups() {
    for (const group of this.groups) {
      group.classList.toggle('empty',
        ![...group.querySelectorAll('input')].some((input) => !input.parentElement.hidden));
    }
  }

  // ---- keyboard: the dialog manager's tab stops and arrow groups ----

  focusItem(index) {
    const control = this.byId.get(this.items[index].id);
    if (control) {
      control.input.focus();
    }
  }

  // Tab and the arrow keys by the module's rules (nextTab and nextInGroup
  // over template positions). leave(backwards), if given, takes the focus
  // when Tab goes round past the window's last or first stop. Returns the
  // control an arrow key reached, or null.
  keyDown(event, nextTab, nextInGroup, leave) {
    const item = this.byElement.get(document.activeElement);
    if (item === undefined || event.altKey || event.ctrlKey || event.metaKey) {
      return null;
    }
    if (event.key === 'Tab') {
      event.preventDefault();
      const backwards = event.shiftKey;
      const to = nextTab(item.index, backwards ? 1 : 0);
      if (leave && (to < 0 || (backwards ? to >= item.index : to <= item.index))) {
        leave(backwards);
      } else if (to >= 0) {
        this.focusItem(to);
      }
      return null;
    }
    const arrows = {ArrowLeft: 1, ArrowUp: 1, ArrowRight: 0, ArrowDown: 0};
    if (!(event.key in arrows) || event.shiftKey || item.kind === 'Edit') {
      return null;
    }
    event.preventDefault();
    const to = nextInGroup(item.index, arrows[event.key]);
    if (to < 0) {
      return null;
    }
    this.focusItem(to);
    return this.byId.get(this.items[to].id) || null;
  }

  // The first tab stop, and the last (the stop before the first).
  firstStop(nextTab) {
    return nextTab(this.items.length - 1, 0);
  }

  lastStop(nextTab) {
    const first = this.firstStop(nextTab);
    return first < 0 ? -1 : nextTab(first, 1);
  }
}

// The menu bar's one menu, from the menu table: a menu button and its list
// by the ARIA menu button pattern. Every choice is a menu command; the
// toggle's mark is the model's, and the page remembers it between visits.
class Menu {
  constructor(page, table) {
    this.page = page;
    this.table = table;
    this.entries = []; // {item, element, revision}
  }

  build() {
    const bar = document.getElementById('menubar');
    const button = this.button = document.createElement('button');
    button.type = 'button';
    button.id = 'menu-button';
    button.setAttribute('aria-haspopup', 'menu');
    button.setAttribute('aria-expanded', 'false');
    button.setAttribute('aria-controls', 'menu');
    button.append(captionWithKey(this.table));
    // The browser's own access key modifier (Alt, Alt+Shift, Ctrl+Option),
    // so the page takes no key the browser uses.
    button.accessKey = this.table.accessKey.toLowerCase();
    const list = this.list = document.createElement('ul');
    list.id = 'menu';
    list.setAttribute('role', 'menu');
    list.setAttribute('aria-labelledby', button.id);
    list.hidden = true;
    for (const item of this.table.items) {
      const element = document.createElement('li');
      if (item.kind === 'Separator') {
        element.setAttribute('role', 'separator');
        list.append(element);
        continue;
      }
      element.setAttribute('role', item.kind === 'Toggle' ? 'menuitemcheckbox' : 'menuitem');
      element.tabIndex = -1;
      const mark = document.createElement('span');
      mark.className = 'mark';
      mark.setAttribute('aria-hidden', 'true');
      // One span, so the caption stays one name: a flex item each, its parts
      // would be read as words.
      const caption = document.createElement('span');
      caption.append(captionWithKey(item));
      element.append(mark, caption);
      const entry = {item, element, revision: -1};
      element.addEventListener('click', () => this.choose(entry));
      this.entries.push(entry);
      list.append(element);
    }
    bar.append(button, list);
    button.addEventListener('click', () => (list.hidden ? this.open(0) : this.close(true)));
    list.addEventListener('focusout', (event) => {
      if (!list.contains(event.relatedTarget) && event.relatedTarget !== button) {
        this.close(false);
      }
    });
    document.addEventListener('pointerdown', (event) => {
      if (!bar.contains(event.target)) {
        this.close(false);
      }
    });
  }

  // Opens the list with the focus on its first item (at 0) or its last (-1).
  open(at) {
    this.list.hidden = false;
    this.button.setAttribute('aria-expanded', 'true');
    this.entries.at(at).element.focus();
  }

  close(focusButton) {
    if (this.list.hidden) {
      return;
    }
    this.list.hidden = true;
    this.button.setAttribute('aria-expanded', 'false');
    if (focusButton) {
      this.button.focus();
    }
  }

  choose(entry) {
    this.close(true);
    this.page.command(entry.item.id);
  }

  // The toggles' marks from the state words; a changed mark is remembered.
  mirror(heap, states) {
    for (const entry of this.entries) {
      const revision = heap[states + 2 * entry.item.state + 1];
      if (entry.item.kind !== 'Toggle' || revision === entry.revision) {
        continue;
      }
      const shown = entry.revision >= 0;
      entry.revision = revision;
      const checked = (heap[states + 2 * entry.item.state] & this.page.bits.checked) !== 0;
      entry.element.setAttribute('aria-checked', String(checked));
      if (shown) {
        this.storage(entry.item, (key) => localStorage.setItem(key, checked ? '1' : '0'));
      }
    }
  }

  // A toggle's mark between visits; a page that cannot use its storage
  // forgets it, and so starts with every toggle off.
  storage(item, use) {
    try {
      return use(`kupongen-menu-${item.id}`);
    } catch {
      return null;
    }
  }

  // The toggles remembered on, as the menu command that does everything but
  // the status message, so the start shows what a first start shows.
  restore(module) {
    for (const {item} of this.entries) {
      if (item.kind === 'Toggle' && this.storage(item, (key) => localStorage.getItem(key)) === '1') {
        module._kg_notify(item.id, 1);
      }
    }
  }

  // The keys of the menu button and the open list. Returns whether the key
  // was the menu's.
  keyDown(event) {
    const target = document.activeElement;
    if (target === this.button && (event.key === 'ArrowDown' || event.key === 'ArrowUp')) {
      event.preventDefault();
      this.open(event.key === 'ArrowDown' ? 0 : -1);
      return true;
    }
    const at = this.entries.findIndex((entry) => entry.element === target);
    if (at < 0 || event.altKey || event.ctrlKey || event.metaKey) {
      return false;
    }
    const count = this.entries.length;
    const moves = {ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: count - 1};
    const letter = event.key.length === 1 ? event.key.toLocaleUpperCase('sv') : null;
    const keyed = this.entries.find((entry) => entry.item.accessKey.toLocaleUpperCase('sv') === letter);
    if (event.key in moves) {
      this.entries[(moves[event.key] + count) % count].element.focus();
    } else if (event.key === 'Enter' || event.key === ' ') {
      this.choose(this.entries[at]);
    } else if (event.key === 'Escape') {
      this.close(true);
    } else if (event.key === 'Tab') {
      this.close(true);
      this.page.leaveMenu(event.shiftKey);
    } else if (keyed) {
      this.choose(keyed); // as a menu chooses by its access keys
    } else {
      return false;
    }
    event.preventDefault();
    return true;
  }
}

// The check window ("Kontrollera och rätta rader"), a modal dialog built from
// its template the first time it opens. It shows what the module's review
// holds: the source, the result, the two reports and the chart of rights.
class Review {
  constructor(page) {
    this.page = page;
    this.module = page.module;
    this.template = JSON.parse(page.text(this.module._kg_review_template()));
    this.element = document.getElementById('review');
    this.controls = document.getElementById('review-controls');
    this.surface = new Surface(this.template, this.controls, 'review');
    this.revision = -1;
    this.reports = [];
    this.built = false;
  }

  build() {
    this.built = true;
    document.getElementById('review-title').textContent = this.template.title;
    this.said = document.getElementById('review-said');
    this.picker = document.getElementById('review-file');
    this.picker.addEventListener('change', () => this.openFile());
    this.surface.build((control) => this.wire(control));
    this.element.addEventListener('close', () => this.page.reviewClosed());
    const byRole = (role) => [...this.surface.byId.values()].find((control) => control.item.role === role);
    // The hint or refusal under the typing line describes it.
    const status = byRole('resultStatus').input;
    status.id = 'review-result-status';
    byRole('typed').input.setAttribute('aria-describedby', status.id);
    // The chart's counts as text are its description.
    this.chart = byRole('chart');
    this.chartText = document.createElement('span');
    this.chartText.id = 'review-chart-text';
    this.chartText.hidden = true;
    this.chart.input.setAttribute('aria-describedby', this.chartText.id);
    this.element.append(this.chartText);
  }

  wire(control) {
    const {item, input} = control;
    const module = this.module;
    const acts = {
      readAgain: () => module._kg_review_read_again(),
      openFile: () => this.picker.click(),
      close: () => this.element.close(),
    };
    if (item.kind === 'CheckBox') {
      input.addEventListener('click', () => {
        module._kg_review_click(item.id);
        this.mirror();
      });
    } else if (item.role in acts) {
      input.addEventListener('click', () => {
        acts[item.role]();
        this.mirror();
      });
    } else if (item.role === 'typed') {
      input.addEventListener('input', () => {
        this.page.withText(input.value, (pointer) => module._kg_review_type(pointer));
        this.mirror();
      });
    } else if (item.role === 'report') {
      this.reports.push(control);
    }
  }

  isOpen() {
    return this.element.open;
  }

  // Opened by the menu, with the focus on the item the module names.
  open(focusId) {
    if (!this.built) {
      this.build();
    }
    this.element.showModal();
    this.mirror();
    this.layOut();
    this.surface.byId.get(focusId).input.focus();
  }

  // The bytes of the picked file, no more than the module reads: a larger
  // file is only read to one byte past the limit, which the module refuses.
  async openFile() {
    const file = this.picker.files[0];
    this.picker.value = '';
    if (!file) {
      return;
    }
    // null when the browser could not read it.
    const bytes = await file.slice(0, this.template.maxFileBytes + 1).arrayBuffer()
      .then((buffer) => new Uint8Array(buffer), () => null);
    const module = this.module;
    const pointer = module._malloc((bytes?.length ?? 0) + 1);
    module.HEAPU8.set(bytes ?? [], pointer);
    this.page.withText(file.name, (name) =>
      module._kg_review_open_file(name, pointer, bytes === null ? -1 : bytes.length));
    module._free(pointer);
    this.mirror();
  }

  // The module's review, shown when its revision has moved; a changed
  // report is announced by its first line and what counts in it.
  mirror() {
    const state = JSON.parse(this.page.text(this.module._kg_review_state()));
    if (state.revision === this.revision) {
      return;
    }
    this.revision = state.revision;
    const said = [];
    for (const [id, control] of this.surface.byId) {
      const text = state.texts[id];
      const {input} = control;
      if (control.caption) {
        input.checked = state.checked.includes(id);
        control.caption.textContent = text;
      } else if (input.localName === 'textarea' || input.localName === 'input') {
        if (input.value !== text) {
          input.value = text;
          if (this.reports.includes(control)) {
            said.push(state.announcements[id]);
            input.setSelectionRange(0, 0);
            input.scrollTop = 0;
          }
        }
      } else if (control !== this.chart && input.textContent !== text) {
        input.textContent = text; // a live text is said again only when it changed
      }
    }
    this.drawChart(state.rights);
    this.chartText.textContent = state.texts[this.chart.item.id];
    if (said.length > 0) {
      // Once the window is on the screen, so that the region is heard.
      this.said.textContent = '';
      requestAnimationFrame(() => { this.said.textContent = said.join('\n'); });
    }
  }

  // Bars of 0 to 13 right, most rights on top as the chart's text lists
  // them, each as long as its share of the largest count.
  drawChart(rights) {
    const largest = Math.max(1, ...rights);
    const rows = rights.map((count, right) => {
      const row = document.createElement('span');
      row.className = 'bar-row';
      const label = document.createElement('span');
      label.textContent = right;
      const bar = document.createElement('span');
      bar.className = 'bar';
      bar.style.setProperty('--share', count / largest);
      const value = document.createElement('span');
      value.textContent = count;
      row.append(label, bar, value);
      return row;
    }).reverse();
    this.chart.input.replaceChildren(...rows);
  }

  // At the main dialog's scale, so both show the one font alike, as far as
  // the window has room.
  layOut() {
    const {font, measured} = this.page;
    if (!this.surface.pixels) {
      this.surface.setPixels(JSON.parse(this.page.text(
        this.module._kg_review_layout(measured.letters, measured.height))), font);
    }
    const title = document.getElementById('review-title').offsetHeight;
    const wide = this.surface.fit(this.controls.parentElement, innerWidth - 24,
      innerHeight - title - 24, this.page.scale || 1) > 0;
    this.element.classList.toggle('wide', wide);
    this.element.classList.toggle('narrow', !wide);
  }

  keyDown(event) {
    const module = this.module;
    this.surface.keyDown(event, (from, back) => module._kg_review_next_tab(from, back),
      (from, back) => module._kg_review_next_in_group(from, back));
  }
}

class Page {
  constructor(module) {
    this.module = module;
    this.decoder = new TextDecoder();
    this.ansi = new TextDecoder('windows-1252');
    this.encoder = new TextEncoder();
    this.template = JSON.parse(this.text(module._kg_template()));
    this.bits = this.template.stateBits;
    this.dialog = new Surface(this.template, document.getElementById('controls'), 'control');
    this.menu = new Menu(this, JSON.parse(this.text(module._kg_menu())));
    this.review = new Review(this);
    this.controls = []; // control-table position -> {item, wrap, input, caption, position}
    this.revisions = [];
    this.rowsEdited = false;
    this.returnFocus = null;
    this.scale = 0; // the wide layout's scale; 0 for the narrow layout
  }

  text(pointer) {
    const heap = this.module.HEAPU8;
    const end = heap.indexOf(0, pointer);
    return this.decoder.decode(heap.subarray(pointer, end));
  }

  // Calls use(pointer) with the text as zero-terminated UTF-8 in the module.
  withText(text, use) {
    const bytes = this.encoder.encode(text);
    const pointer = this.module._malloc(bytes.length + 1);
    this.module.HEAPU8.set(bytes, pointer);
    this.module.HEAPU8[pointer + bytes.length] = 0;
    use(pointer);
    this.module._free(pointer);
  }

  // The model's Windows-1252 text of a control.
  controlText(position) {
    const pointer = this.module._kg_text(position);
    return this.ansi.decode(
      this.module.HEAPU8.subarray(pointer, pointer + this.module._kg_text_size(position)));
  }

  // ---- building the controls from the template ----

  build() {
    document.title = this.template.title;
    document.getElementById('title').textContent = this.template.title;
    this.form = this.dialog.root;
    this.dialog.build((control) => {
      const {item, input} = control;
      if (item.kind !== 'Edit') {
        input.addEventListener('click', () => this.deliverClick(item.id));
      } else if (item.role === 'rows') {
        this.rows = control;
        input.addEventListener('input', () => { this.rowsEdited = true; });
      }
    });
    this.revisions = this.template.controls.map(() => -1);
    this.template.controls.forEach((controlId, position) => {
      const control = this.dialog.byId.get(controlId);
      control.position = position;
      this.controls[position] = control;
    });
    this.menu.build();
  }

  // ---- layout ----

  layOut() {
    const main = document.getElementById('dialog');
    const frame = document.getElementById('frame');
    if (!this.dialog.pixels) {
      this.font = Math.round(this.template.fontPoints * 96 / 72);
      this.measured = measureFont(this.font);
      this.dialog.setPixels(JSON.parse(this.text(
        this.module._kg_layout(this.measured.letters, this.measured.height))), this.font);
    }
    this.scale = this.dialog.fit(frame, innerWidth - 16, innerHeight - frame.offsetTop - 8);
    main.classList.toggle('wide', this.scale > 0);
    main.classList.toggle('narrow', this.scale === 0);
    // The menu bar stands over the dialog, as wide as it.
    document.getElementById('menubar').style.width = frame.style.width;
    if (this.review.isOpen()) {
      this.review.layOut();
    }
  }

  // ---- one truth: events to the model, the model to the page ----

  handOverRowsEdits() {
    if (!this.rowsEdited) {
      return;
    }
    this.rowsEdited = false;
    const rows = this.rows;
    this.withText(rows.input.value, (pointer) => this.module._kg_type_rows(pointer));
    // The user's text stays as it is on the screen, caret and all, unless
    // the model holds it differently (a character Windows-1252 lacks).
    const held = this.controlText(rows.position);
    if (held === rows.input.value.replace(/\n/g, '\r\n')) {
      rows.shown = held;
    }
  }

  deliverClick(controlId) {
    this.handOverRowsEdits();
    this.module._kg_click(controlId);
    this.mirror();
    // The browser may have set marks itself before the click reached the
    // model (the box clicked, the other radio buttons of its name); the
    // model's marks are the ones shown.
    const clicked = this.dialog.byId.get(controlId).input;
    if (clicked.type === 'checkbox' || clicked.type === 'radio') {
      const states = this.module._kg_states() >> 2;
      for (const input of clicked.name ? this.form.elements[clicked.name] : [clicked]) {
        const position = this.dialog.byId.get(this.dialog.byElement.get(input).id).position;
        input.checked = (this.module.HEAPU32[states + 2 * position] & this.bits.checked) !== 0;
      }
    }
    this.afterEvent();
  }

  // A menu choice, after the typed text of the rows window, as a click.
  command(menuId) {
    this.handOverRowsEdits();
    this.module._kg_notify(menuId, 0);
    this.mirror();
    const focus = this.module._kg_take_review();
    if (focus !== 0) {
      this.review.open(focus);
    }
    this.afterEvent();
  }

  mirror() {
    const states = this.module._kg_states() >> 2;
    const heap = this.module.HEAPU32;
    let shownChanged = false;
    for (const control of this.controls) {
      const flags = heap[states + 2 * control.position];
      const revision = heap[states + 2 * control.position + 1];
      if (revision === this.revisions[control.position]) {
        continue;
      }
      this.revisions[control.position] = revision;
      if (control.caption) {
        control.input.checked = (flags & this.bits.checked) !== 0;
      }
      const hidden = (flags & this.bits.visible) === 0;
      if (control.wrap.hidden !== hidden) {
        control.wrap.hidden = hidden;
        shownChanged = true;
      }
      control.input.disabled = (flags & this.bits.enabled) === 0;
      const text = this.controlText(control.position);
      if (control.caption) {
        control.caption.textContent = text;
      } else if (control.item.kind === 'PushButton' || control.item.role === 'status') {
        control.input.textContent = text;
      } else if (control.shown !== text) {
        control.shown = text;
        control.input.value = text;
        // A new text is shown from its start, as the Windows edit does; the
        // frame lays it out anyway, so the press does not wait for that.
        requestAnimationFrame(() => {
          control.input.setSelectionRange(0, 0);
          control.input.scrollTop = 0;
        });
      }
    }
    if (shownChanged) {
      this.dialog.hideEmptyGroups();
    }
    this.menu.mirror(heap, states);
  }

  afterEvent() {
    const size = this.module._kg_take_file();
    if (size >= 0) {
      const pointer = this.module._kg_file_bytes();
      this.handOverFile(this.module.HEAPU8.slice(pointer, pointer + size));
    }
    this.showMessageBoxes();
  }

  // ---- the modal parts: message boxes, the file and the check window ----

  showMessageBoxes() {
    const box = document.getElementById('box');
    if (box.open) {
      return;
    }
    const waiting = this.text(this.module._kg_take_message_box());
    if (waiting === '') {
      return;
    }
    const newline = waiting.indexOf('\n');
    document.getElementById('box-title').textContent = waiting.slice(0, newline);
    document.getElementById('box-text').textContent = waiting.slice(newline + 1);
    this.returnFocus = document.activeElement;
    box.showModal();
    document.getElementById('box-ok').focus();
  }

  messageBoxClosed() {
    if (this.returnFocus) {
      this.returnFocus.focus();
    }
    this.showMessageBoxes();
  }

  // The check window was opened from the menu, so the focus goes back there.
  reviewClosed() {
    this.menu.button.focus();
  }

  async handOverFile(bytes) {
    const name = this.template.saveName;
    if (typeof window.showSaveFilePicker === 'function') {
      let handle = null;
      try {
        handle = await window.showSaveFilePicker({
          suggestedName: name,
          types: [{description: 'Text',
            accept: {'text/plain': [`.${this.template.defaultExtension}`]}}],
        });
      } catch (error) {
        if (error.name === 'AbortError') {
          return; // the user cancelled, as in the save dialog
        }
      }
      if (handle) {
        try {
          const writable = await handle.createWritable();
          await writable.write(bytes);
          await writable.close();
        } catch (error) {
          this.showBox(this.template.errorTitle, this.template.saveFailed);
        }
        return;
      }
    }
    const url = URL.createObjectURL(new Blob([bytes], {type: 'application/octet-stream'}));
    const link = document.createElement('a');
    link.href = url;
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  // A failure the browser reports after the click, in the model's words.
  showBox(title, text) {
    const box = document.getElementById('box');
    document.getElementById('box-title').textContent = title;
    document.getElementById('box-text').textContent = text;
    this.returnFocus = document.activeElement;
    box.showModal();
    document.getElementById('box-ok').focus();
  }

  // ---- keyboard ----

  nextTab(from, backwards) {
    return this.module._kg_next_tab(from, backwards);
  }

  // Tab from the menu goes to the dialog's first stop, Shift+Tab to its last.
  leaveMenu(backwards) {
    const dialog = this.dialog;
    const to = backwards ? dialog.lastStop((f, b) => this.nextTab(f, b)) :
      dialog.firstStop((f, b) => this.nextTab(f, b));
    if (to >= 0) {
      dialog.focusItem(to);
    }
  }

  onKeyDown(event) {
    if (document.getElementById('box').open) {
      return;
    }
    if (this.review.isOpen()) {
      this.review.keyDown(event);
      return;
    }
    if (this.menu.keyDown(event)) {
      return;
    }
    if (document.activeElement === this.menu.button && event.key === 'Tab' &&
        !event.altKey && !event.ctrlKey && !event.metaKey) {
      event.preventDefault();
      this.leaveMenu(event.shiftKey);
      return;
    }
    const reached = this.dialog.keyDown(event, (f, b) => this.nextTab(f, b),
      (f, b) => this.module._kg_next_in_group(f, b), () => this.menu.button.focus());
    // An automatic radio button the arrow keys reach is clicked, as the
    // dialog manager does.
    if (reached && reached.item.kind === 'RadioButton' && !reached.input.checked) {
      this.deliverClick(reached.item.id);
    }
  }

  start(seedValue) {
    this.module._kg_start(seedValue);
    this.build();
    this.menu.restore(this.module);
    this.mirror();
    this.layOut();
    addEventListener('resize', () => this.layOut());
    document.addEventListener('keydown', (event) => this.onKeyDown(event), true);
    document.getElementById('box').addEventListener('close', () => this.messageBoxClosed());
    document.getElementById('dialog').classList.remove('loading');
    // The dialog manager's first focus: the first tab stop.
    const first = this.dialog.firstStop((f, b) => this.nextTab(f, b));
    if (first >= 0) {
      this.dialog.focusItem(first);
    }
    // Usable once the first frame with the controls is on the screen.
    requestAnimationFrame(() => setTimeout(() => performance.mark('kupongen-ready')));
  }
}

createKupongen().then((module) => {
  const seed = seedFromAddress();
  const page = new Page(module);
  page.start(seed === null ? freshSeed() : seed);
  window.kupongen = page;
});

if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('sw.js').catch(() => {});
}
