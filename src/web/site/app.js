// The page over the dialog session in kupongen.wasm: it builds the controls
// from the dialog template, hands every click and every typed text to the
// model, and after each event shows exactly what the model holds. The
// template names everything the page needs of it (kinds, styles, state bits,
// groups, roles, the narrow order), so no number of the dialog is written
// here.
const titleHeight = 36; // the title bar's line and margin in the wide layout
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

class Page {
  constructor(module) {
    this.module = module;
    this.decoder = new TextDecoder();
    this.ansi = new TextDecoder('windows-1252');
    this.encoder = new TextEncoder();
    this.template = JSON.parse(this.text(module._kg_template()));
    this.items = this.template.items.map((item, index) => ({...item, index}));
    this.bits = this.template.stateBits;
    this.controls = []; // control-table position -> {item, wrap, input, ...}
    this.byId = new Map();
    this.byElement = new Map();
    this.revisions = [];
    this.rowsEdited = false;
    this.returnFocus = null;
  }

  text(pointer) {
    const heap = this.module.HEAPU8;
    const end = heap.indexOf(0, pointer);
    return this.decoder.decode(heap.subarray(pointer, end));
  }

  // The model's Windows-1252 text of a control.
  controlText(position) {
    const pointer = this.module._kg_text(position);
    return this.ansi.decode(
      this.module.HEAPU8.subarray(pointer, pointer + this.module._kg_text_size(position)));
  }

  // ---- building the controls from the template ----

  build() {
    const form = document.getElementById('controls');
    this.form = form;
    document.title = this.template.title;
    document.getElementById('title').textContent = this.template.title;
    const parts = new Map(); // template position -> top-level element
    for (const group of this.items.filter((item) => item.kind === 'GroupBox')) {
      const fieldset = document.createElement('fieldset');
      const legend = document.createElement('legend');
      legend.textContent = group.caption;
      fieldset.append(legend);
      fieldset.className = 'item group';
      fieldset.dataset.item = group.index;
      parts.set(group.index, fieldset);
      this.place(fieldset, group);
    }
    this.groups = [...parts.values()];
    for (const item of this.items) {
      if (item.kind === 'GroupBox') {
        continue;
      }
      const group = item.group === null ? null : this.items[item.group];
      const element = this.makeItem(item, group);
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
    form.append(...this.template.narrowOrder.map((index) => parts.get(index)));
    this.revisions = this.template.controls.map(() => -1);
    this.template.controls.forEach((controlId, position) => {
      const control = this.byId.get(controlId);
      control.position = position;
      this.controls[position] = control;
    });
  }

  // The template item an element shows (its pixels come with the layout);
  // the grid cell of a sure box or match label for the narrow layout: a row
  // for each match, the label before its three signs.
  place(element, item) {
    element.dataset.item = item.index;
    if (item.match !== undefined) {
      element.style.gridRow = item.match + 1;
      element.style.gridColumn = item.sign === undefined ? 1 : item.sign + 2;
    }
  }

  makeItem(item, group) {
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
          wrap = input = document.createElement('output');
          input.setAttribute('role', 'status');
          input.setAttribute('aria-live', 'polite');
          wrap.className = 'item status';
        } else {
          wrap = input = document.createElement('textarea');
          input.readOnly = item.styles.includes('ReadOnly');
          input.spellcheck = false;
          input.wrap = 'off';
          wrap.className = `item edit ${item.role}`;
        }
        input.textContent = item.caption;
        break;
      default:
        wrap = document.createElement('span');
        wrap.textContent = item.caption;
        wrap.className = 'item label';
        return wrap;
    }
    if (item.name) {
      input.setAttribute('aria-label', item.name);
    }
    input.tabIndex = tabStop ? 0 : -1;
    input.dataset.control = item.id;
    const control = {item, wrap, input, caption, position: -1};
    this.byId.set(item.id, control);
    this.byElement.set(input, item);
    if (item.kind === 'Edit') {
      if (item.role === 'rows') {
        this.rows = control;
        input.addEventListener('input', () => { this.rowsEdited = true; });
      }
    } else {
      input.addEventListener('click', () => this.deliverClick(item.id));
    }
    return wrap;
  }

  // ---- layout ----

  layOut() {
    const main = document.getElementById('dialog');
    const frame = document.getElementById('frame');
    if (!this.pixels) {
      const font = Math.round(this.template.fontPoints * 96 / 72);
      const measured = measureFont(font);
      this.pixels = JSON.parse(this.text(this.module._kg_layout(measured.letters, measured.height)));
      for (const element of document.querySelectorAll('#controls .item')) {
        const index = Number(element.dataset.item);
        const [x, y, width, height] = this.pixels[index];
        const group = element.parentElement.classList.contains('group') ?
          this.pixels[Number(element.parentElement.dataset.item)] : [0, 0];
        element.style.setProperty('--x', `${x - group[0]}px`);
        element.style.setProperty('--y', `${y - group[1]}px`);
        element.style.setProperty('--w', `${width}px`);
        element.style.setProperty('--h', `${height}px`);
      }
      main.style.setProperty('--font', `${font}px`);
      this.fitCaptions(font);
    }
    const [, , width, height] = this.pixels[this.pixels.length - 1];
    const room = window.innerWidth - 16;
    const wide = room >= width;
    main.classList.toggle('wide', wide);
    main.classList.toggle('narrow', !wide);
    if (wide) {
      const scale = Math.max(1, Math.min(room / width,
        (window.innerHeight - titleHeight - 16) / height));
      frame.style.width = `${width * scale}px`;
      frame.style.height = `${height * scale}px`;
      frame.style.setProperty('--scale', scale);
      frame.style.setProperty('--dialog-width', `${width}px`);
      frame.style.setProperty('--dialog-height', `${height}px`);
    } else {
      frame.style.width = frame.style.height = '';
    }
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
    for (const element of document.querySelectorAll('#controls .item')) {
      const item = this.items[Number(element.dataset.item)];
      const mark = item.kind === 'CheckBox' || item.kind === 'RadioButton' ? 17 : 0;
      const frame = item.kind === 'PushButton' ? 8 : 0;
      if (mark === 0 && frame === 0 && item.kind !== 'Label') {
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

  // ---- one truth: events to the model, the model to the page ----

  handOverRowsEdits() {
    if (!this.rowsEdited) {
      return;
    }
    this.rowsEdited = false;
    const rows = this.rows;
    const bytes = this.encoder.encode(rows.input.value);
    const pointer = this.module._malloc(bytes.length + 1);
    this.module.HEAPU8.set(bytes, pointer);
    this.module.HEAPU8[pointer + bytes.length] = 0;
    this.module._kg_type_rows(pointer);
    this.module._free(pointer);
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
    const clicked = this.byId.get(controlId).input;
    if (clicked.type === 'checkbox' || clicked.type === 'radio') {
      const states = this.module._kg_states() >> 2;
      for (const input of clicked.name ? this.form.elements[clicked.name] : [clicked]) {
        const position = this.byId.get(this.byElement.get(input).id).position;
        input.checked = (this.module.HEAPU32[states + 2 * position] & this.bits.checked) !== 0;
      }
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
    for (const group of shownChanged ? this.groups : []) {
      group.classList.toggle('empty',
        ![...group.querySelectorAll('input')].some((input) => !input.parentElement.hidden));
    }
  }

  afterEvent() {
    const size = this.module._kg_take_file();
    if (size >= 0) {
      const pointer = this.module._kg_file_bytes();
      this.handOverFile(this.module.HEAPU8.slice(pointer, pointer + size));
    }
    this.showMessageBoxes();
  }

  // ---- the modal parts: message boxes and the file ----

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

  // ---- keyboard: the dialog manager's tab stops and arrow groups ----

  focusItem(index) {
    const control = this.byId.get(this.items[index].id);
    if (control) {
      control.input.focus();
    }
  }

  onKeyDown(event) {
    if (document.getElementById('box').open) {
      return;
    }
    const item = this.byElement.get(document.activeElement);
    if (item === undefined || event.altKey || event.ctrlKey || event.metaKey) {
      return;
    }
    if (event.key === 'Tab') {
      event.preventDefault();
      const to = this.module._kg_next_tab(item.index, event.shiftKey ? 1 : 0);
      if (to >= 0) {
        this.focusItem(to);
      }
      return;
    }
    const arrows = {ArrowLeft: 1, ArrowUp: 1, ArrowRight: 0, ArrowDown: 0};
    if (!(event.key in arrows) || event.shiftKey || item.kind === 'Edit') {
      return;
    }
    event.preventDefault();
    const to = this.module._kg_next_in_group(item.index, arrows[event.key]);
    if (to < 0) {
      return;
    }
    this.focusItem(to);
    // An automatic radio button the arrow keys reach is clicked, as the
    // dialog manager does.
    const reached = this.byId.get(this.items[to].id);
    if (reached && reached.item.kind === 'RadioButton' && !reached.input.checked) {
      this.deliverClick(reached.item.id);
    }
  }

  start(seedValue) {
    this.module._kg_start(seedValue);
    this.build();
    this.mirror();
    this.layOut();
    addEventListener('resize', () => this.layOut());
    document.addEventListener('keydown', (event) => this.onKeyDown(event), true);
    document.getElementById('box').addEventListener('close', () => this.messageBoxClosed());
    document.getElementById('dialog').classList.remove('loading');
    // The dialog manager's first focus: the first tab stop.
    const first = this.module._kg_next_tab(this.items.length - 1, 0);
    if (first >= 0) {
      this.focusItem(first);
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
