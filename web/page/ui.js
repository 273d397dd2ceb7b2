// The page's building blocks: elements, modal dialogs with the desktop's
// buttons, message boxes, and the tool windows (truth table, timing
// diagram, box, grading, help) that float over the page.
(function (root) {
  'use strict';
  const Page = (root.VorliskPage = root.VorliskPage || {});

  // el('button.primary', {onclick}, '确定'): tag with classes, properties, children.
  Page.el = function (spec, props = {}, ...children) {
    const [tag, ...classes] = spec.split('.');
    const e = document.createElement(tag || 'div');
    if (classes.length) e.className = classes.join(' ');
    for (const [k, v] of Object.entries(props)) {
      if (k === 'style' && typeof v === 'object') Object.assign(e.style, v);
      else if (k.startsWith('data-')) e.setAttribute(k, v);
      else e[k] = v;
    }
    for (const c of children.flat(Infinity)) if (c != null && c !== false) e.append(c);
    return e;
  };
  const el = Page.el;

  // Buttons from [caption, act] pairs, each act called with its button
  // (the instruments' side rows).
  Page.buttons = (entries) =>
    entries.map(([caption, act]) => {
      const b = el('button', { type: 'button', textContent: caption });
      b.addEventListener('click', () => act(b));
      return b;
    });

  // A modal dialog: `body` above a row of buttons. Each button's action may
  // return false to keep the dialog open (a refused input). Resolves with
  // the value of the action that closed it, or null for 取消 and Escape.
  Page.dialog = function ({ title, body, buttons, className = '' }) {
    return new Promise((resolve) => {
      const d = el('dialog.vk-dialog' + (className ? '.' + className : ''));
      const row = el('div.buttons');
      let done = false;
      const close = (value) => {
        if (done) return;
        done = true;
        d.close();
        d.remove();
        resolve(value);
      };
      for (const b of buttons) {
        const button = el('button' + (b.default ? '.default' : ''), { type: 'button', textContent: b.text });
        if (b.left) button.classList.add('left');
        button.addEventListener('click', async () => {
          const value = b.action ? await b.action() : null;
          if (value !== false && !b.stay) close(b.cancel ? null : value === undefined ? true : value);
        });
        row.append(button);
      }
      d.append(el('div.title', { textContent: title }), el('div.body', {}, body), row);
      d.addEventListener('cancel', (e) => {
        e.preventDefault();
        close(null);
      });
      // Enter takes the default button, but not in a text box of several lines.
      d.addEventListener('keydown', (e) => {
        if (e.key !== 'Enter' || e.target.tagName === 'TEXTAREA' || e.target.tagName === 'BUTTON') return;
        const def = row.querySelector('button.default');
        if (def) {
          e.preventDefault();
          def.click();
        }
      });
      document.body.append(d);
      d.showModal();
      const first = body.querySelector && body.querySelector('input:not([type=radio]):not([disabled]), select, textarea');
      if (first) {
        first.focus();
        if (first.select) first.select();
      }
    });
  };

  // The program's message box: the text and 确定.
  Page.alert = function (text, kind = 'warning') {
    return Page.dialog({
      title: 'Vorlisk',
      className: kind,
      body: el('div.message', { textContent: text }),
      buttons: [{ text: '确定', default: true }],
    });
  };

  // A refused input: the message, then the focus on the field to correct.
  Page.refuse = async function (refusal, fields) {
    await Page.alert(refusal.message);
    const f = fields[refusal.field - 1];
    if (f) {
      f.focus();
      if (f.select) f.select();
    }
    return false;
  };

  // A question with the desktop's three answers: 'save', 'discard' or null.
  Page.askSave = function () {
    return Page.dialog({
      title: 'Vorlisk',
      body: el('div.message', { textContent: '当前电路已修改，是否保存修改？' }),
      buttons: [
        { text: '保存', default: true, action: () => 'save' },
        { text: '不保存', action: () => 'discard' },
        { text: '取消', cancel: true },
      ],
    });
  };

  // Asks for a line of text; resolves with it, or null.
  Page.askText = function (title, caption, value) {
    const input = el('input', { type: 'text', value, size: 32 });
    return Page.dialog({
      title,
      body: el('label.field', {}, caption, input),
      buttons: [
        { text: '确定', default: true, action: () => input.value.trim() || false },
        { text: '取消', cancel: true },
      ],
    });
  };

  // --- tool windows ---------------------------------------------------------------------

  const windows = new Map();
  let topmost = 10;

  // A window floating over the page, made once by `build(win)` the first
  // time it is shown; `onShow` and `onClose` follow it.
  Page.toolWindow = function (id, title, { build, onShow, onClose, width, height }) {
    let win = windows.get(id);
    if (!win) {
      const body = el('div.win-body');
      const close = el('button.win-close', { type: 'button', title: '关闭', textContent: '×' });
      const bar = el('div.win-bar', {}, el('span', { textContent: title }), close);
      const box = el('section.tool-window', { id: 'win-' + id, hidden: true }, bar, body);
      if (width) box.style.width = width + 'px';
      if (height) box.style.height = height + 'px';
      win = {
        box,
        body,
        shown: () => !box.hidden,
        show() {
          const fresh = box.hidden;
          box.hidden = false;
          box.style.zIndex = ++topmost;
          if (fresh && onShow) onShow(win);
        },
        close() {
          if (box.hidden) return;
          box.hidden = true;
          if (onClose) onClose(win);
        },
      };
      close.addEventListener('click', () => win.close());
      box.addEventListener('pointerdown', () => (box.style.zIndex = ++topmost));
      dragBy(bar, box);
      document.getElementById('windows').append(box);
      // Beside one another over the right of the page, within the window.
      const n = windows.size;
      box.style.left = Math.max(8, window.innerWidth - (width || 480) - 24 - n * 28) + 'px';
      box.style.top = Math.max(8, Math.min(96 + n * 28, window.innerHeight - (height || 300) - 12)) + 'px';
      windows.set(id, win);
      build(win);
    }
    win.show();
    return win;
  };
  Page.windowShown = (id) => windows.has(id) && windows.get(id).shown();
  Page.closeWindow = (id) => windows.has(id) && windows.get(id).close();

  // Moves `box` while its title bar is dragged, kept on the screen.
  function dragBy(bar, box) {
    bar.addEventListener('pointerdown', (e) => {
      if (e.target.tagName === 'BUTTON') return;
      const dx = e.clientX - box.offsetLeft;
      const dy = e.clientY - box.offsetTop;
      bar.setPointerCapture(e.pointerId);
      const move = (m) => {
        box.style.left = Math.min(Math.max(0, m.clientX - dx), window.innerWidth - 60) + 'px';
        box.style.top = Math.min(Math.max(0, m.clientY - dy), window.innerHeight - 30) + 'px';
      };
      const up = () => {
        bar.removeEventListener('pointermove', move);
        bar.removeEventListener('pointerup', up);
      };
      bar.addEventListener('pointermove', move);
      bar.addEventListener('pointerup', up);
    });
  }

  // A colour of the circuit (0x00BBGGRR) as a colour input's value, and back.
  Page.colourText = (bgr) => {
    const r = bgr & 255, g = (bgr >> 8) & 255, b = (bgr >> 16) & 255;
    return '#' + [r, g, b].map((v) => v.toString(16).padStart(2, '0')).join('');
  };
  Page.colourValue = (text) => {
    const v = parseInt(text.slice(1), 16);
    return ((v & 255) << 16) | (v & 0xff00) | ((v >> 16) & 255);
  };
})(this);
