// "时序图": the timing-diagram window over the core's recorder, with the
// desktop's scale field, side panel, pages and the scroll bar back to
// earlier pages. The lines of the traces are the core's (trace_stretch);
// the grid, the labels and the page turns are drawn here until the
// diagram's drawer is in the Qt-free render core: then this window replays
// its commands, and the PNG export (picture() below) becomes that drawer's
// picture, as the desktop exports it. The VCD export is the core's already.
(function (root) {
  'use strict';
  const Page = (root.VorliskPage = root.VorliskPage || {});
  const el = Page.el;
  const core = () => Page.core;

  const DIVISION = 30;  // pixels per division of the time axis
  const ROW_PITCH = 60; // a trace's band of 40 pixels and the gap to the next
  const TRACE_TOP = 10;
  const AXIS_HEIGHT = 38;  // the strip below the grid in an exported picture
  const AXIS_GREY = '#646464', GRID_GREY = '#dcdcdc', NAVY = '#000080';
  const LABEL_FONT = 'bold 14px Arial, sans-serif', AXIS_FONT = '11px Arial, sans-serif';

  let w = null;  // the window's parts and state
  const rowTop = (q) => ROW_PITCH * q + TRACE_TOP;

  function build(win) {
    const scale = el('input.scale', { type: 'text', value: '1', size: 8 });
    const up = el('button.spin', { type: 'button', textContent: '▲', title: '比例加倍' });
    const down = el('button.spin', { type: 'button', textContent: '▼', title: '比例减半' });
    const pageLabel = el('span.page-label');
    const canvas = el('canvas.trace');
    const pages = el('input.pages', { type: 'range', min: 0, max: 0, value: 0, title: '翻看记录的前后各页' });
    const side = Page.buttons([
      ['默认设置', () => (core().call('trace_defaults'), clear())],
      ['记录项设置', () => items()],
      ['开始纪录', () => start()],
      ['停止纪录', () => stop()],
      ['清除', () => (core().call('trace_clear'), clear())],
      ['导出', (b) => exportMenu(b)],
      ['关闭', () => win.close()],
    ]);
    win.body.classList.add('instrument');
    win.body.append(
      el('div.trace-main', {},
        el('div.trace-bar', {}, '比例：', scale, el('span.spins', {}, up, down), '秒/格', el('span.fill'), pageLabel),
        el('div.trace-view', {}, canvas), pages),
      el('div.side', {}, side));
    up.addEventListener('click', () => spin(true));
    down.addEventListener('click', () => spin(false));
    pages.addEventListener('input', () => showPage(Number(pages.value)));
    w = { scale, up, down, pageLabel, canvas, pages, labelWidth: 0, rows: [], start: 0, pageStarts: [0], shown: 0, width: 0, height: 0 };
    new ResizeObserver(() => fit()).observe(canvas.parentElement);
  }

  // The drawing area follows the window; resizing erases the traces, as on the desktop.
  function fit() {
    const box = w.canvas.parentElement;
    const width = Math.max(1, box.clientWidth), height = Math.max(1, box.clientHeight);
    if (width === w.width && height === w.height) return;
    const ratio = root.devicePixelRatio || 1;
    w.width = width;
    w.height = height;
    w.canvas.width = Math.round(width * ratio);
    w.canvas.height = Math.round(height * ratio);
    w.canvas.style.width = width + 'px';
    w.canvas.style.height = height + 'px';
    core().call('trace_clear');
    clear();
  }

  const info = () => core().json('trace_info');
  const following = () => w.shown === w.pageStarts.length - 1;
  const x0 = () => w.labelWidth + 13;
  const xOf = (t, start, scale) => Math.trunc(((t - start) * DIVISION) / scale) + x0();

  // A line of the diagram on a 2D context: (x1, y1) drawn, (x2, y2) not.
  function line(g, x1, y1, x2, y2, width) {
    const h = Math.floor(width / 2);
    if (y1 === y2) g.fillRect(Math.min(x1, x2) + (x2 < x1 ? 1 : 0), y1 - h, Math.abs(x2 - x1), width);
    else if (x1 === x2) g.fillRect(x1 - h, Math.min(y1, y2) + (y2 < y1 ? 1 : 0), width, Math.abs(y2 - y1));
  }

  function grid(g, width, height) {
    g.fillStyle = '#fff';
    g.fillRect(0, 0, width, height);
    g.fillStyle = AXIS_GREY;
    line(g, w.labelWidth + 10, 0, w.labelWidth + 10, height, 1);
    line(g, w.labelWidth + 13, 0, w.labelWidth + 13, height, 2);
    g.font = LABEL_FONT;
    g.textBaseline = 'top';
    g.fillStyle = NAVY;
    w.rows.forEach((label, q) => label && g.fillText(label, 5, rowTop(q) + 12));
    g.fillStyle = GRID_GREY;
    for (let k = 1; ; ++k) {
      line(g, x0() + 1, ROW_PITCH * k, width, ROW_PITCH * k, 1);
      line(g, w.labelWidth + 9, ROW_PITCH * k, 0, ROW_PITCH * k, 1);
      if (ROW_PITCH * k > height) break;
    }
    for (let k = 1; ; ++k) {
      line(g, DIVISION * k + x0() + 1, 0, DIVISION * k + x0() + 1, height, 1);
      if (DIVISION * k > width) break;
    }
  }

  // Lines from the core ([x1, y1, x2, y2, row] each), in black, 2 pixels.
  function traces(g, ints) {
    g.fillStyle = '#000';
    for (let i = 0; i + 4 < ints.length; i += 5) {
      const dy = rowTop(ints[i + 4]);
      line(g, ints[i], ints[i + 1] + dy, ints[i + 2], ints[i + 3] + dy, 2);
    }
  }

  function context() {
    const g = w.canvas.getContext('2d');
    const ratio = w.canvas.width / w.width;
    g.setTransform(ratio, 0, 0, ratio, 0, 0);
    return g;
  }

  // Forgets the pages: the labels and rows as the items are now, the axis from 0.
  function clear() {
    const i = info();
    w.rows = i.labels;
    const g = w.canvas.getContext('2d');
    g.font = LABEL_FONT;
    w.labelWidth = Math.max(0, ...i.labels.map((l) => (l ? Math.ceil(g.measureText(l).width) : 0)));
    w.start = 0;
    w.pageStarts = [0];
    w.shown = 0;
    showPage(0);
  }

  // Where a page starts: at a whole division, so the axis reads in round times.
  const pageStartAt = (t, scale) => Math.floor(t / scale + 1e-9) * scale;

  function showPage(page) {
    w.shown = Math.min(Math.max(0, page), w.pageStarts.length - 1);
    const i = info();
    const g = context();
    grid(g, w.width, w.height);
    const from = w.pageStarts[w.shown];
    const to = following() ? Math.max(i.drawnTime, i.lastTime) : w.pageStarts[w.shown + 1];
    core().call('trace_page', w.labelWidth, from, from, to);
    traces(g, core().resultInts());
    controls(i);
  }

  function controls(i) {
    w.pages.max = String(w.pageStarts.length - 1);
    w.pages.value = String(w.shown);
    w.pages.disabled = w.pageStarts.length < 2;
    w.pageLabel.textContent = `第 ${w.shown + 1}/${w.pageStarts.length} 页，从 ${core().text('number_text', w.pageStarts[w.shown])} 秒起`;
    for (const e of [w.scale, w.up, w.down]) e.disabled = i.recording;
  }

  // While recording: extends the traces up to now, turning the page at the
  // right edge (the recording goes on unseen while an earlier page is shown).
  function follow() {
    if (!w || !Page.windowShown('trace')) return;
    const i = info();
    if (!i.recording) return;
    if (!i.empty && xOf(i.drawnTime, w.start, i.scale) >= w.width) {
      const next = pageStartAt(i.drawnTime, i.scale);
      const wasFollowing = following();
      w.pageStarts.push(next);
      w.start = next;
      if (wasFollowing) showPage(w.pageStarts.length - 1);
      else controls(i);
    }
    core().call('trace_extend', w.labelWidth, w.start);
    if (following()) traces(context(), core().resultInts());
  }

  async function start() {
    const refusal = core().refusal('trace_start', w.scale.value);
    if (refusal) return Page.refuse(refusal, [w.scale]);
    const i = info();
    w.start = pageStartAt(i.simTime, i.scale);
    w.pageStarts = [w.start];
    showPage(0);
    Page.refresh();
    // Recording runs the circuit when it is stopped.
    if (!Page.doc().running) Page.running.run();
  }

  function stop() {
    core().call('trace_stop');
    controls(info());
  }

  function spin(up) {
    const refusal = core().refusal('trace_spin', w.scale.value, up ? 1 : 0);
    if (refusal) return Page.refuse(refusal, [w.scale]);
    w.scale.value = core().resultText();
  }

  async function items() {
    await Page.dialogs.recordItems(true);
    core().call('trace_clear');  // starts over, also after 取消
    Page.refresh();
    if (w) clear();
  }

  // The page shown with the time axis below it, as the desktop exports it.
  function picture() {
    const i = info();
    const out = el('canvas', { width: w.width, height: w.height + AXIS_HEIGHT });
    const g = out.getContext('2d');
    g.fillStyle = '#fff';
    g.fillRect(0, 0, out.width, out.height);
    g.drawImage(w.canvas, 0, 0, w.width, w.height);
    g.fillStyle = AXIS_GREY;
    line(g, x0(), w.height, w.width, w.height, 1);
    for (let k = 0; DIVISION * k + x0() < w.width; ++k) {
      const x = k === 0 ? x0() : DIVISION * k + x0() + 1;
      line(g, x, w.height, x, w.height + 4, 1);
    }
    g.font = AXIS_FONT;
    g.textBaseline = 'top';
    g.fillStyle = '#000';
    const first = Math.round(w.pageStarts[w.shown] / i.scale);
    const timeAt = (k) => core().text('number_text', (first + k) * i.scale);
    // Every division, or every 2nd, 5th, 10th ... where the times would run into each other.
    let every = 1;
    for (const n of [1, 2, 5, 10, 20, 50, 100, 200, 500, 1000]) {
      every = n;
      let widest = 0;
      for (let k = 0; DIVISION * k + x0() < w.width; k += n) widest = Math.max(widest, g.measureText(timeAt(k)).width);
      if (widest + 8 <= n * DIVISION) break;
    }
    for (let k = 0; DIVISION * k + x0() < w.width; k += every) {
      const x = k === 0 ? x0() : DIVISION * k + x0() + 1;
      const text = timeAt(k), half = g.measureText(text).width / 2;
      g.fillText(text, Math.min(Math.max(0, x - half), Math.max(0, w.width - 2 * half)), w.height + 6);
    }
    g.fillText(`比例：${i.scaleText} 秒/格`, 5, w.height + 21);
    return out;
  }

  function exportMenu(button) {
    Page.popup(button, [
      ['保存为波形文件 (VCD)…', () => {
        try {
          Page.download(core().bytes('trace_vcd'), Page.exportName('时序图', 'vcd'), 'text/plain');
        } catch (e) {
          Page.alert(e.message, 'error');
        }
      }],
      ['保存为图片 (PNG)…', () => picture().toBlob((blob) => Page.download(blob, Page.exportName('时序图', 'png'), 'image/png'))],
    ]);
  }

  Page.trace = {
    show() {
      Page.toolWindow('trace', '时序图', {
        build,
        width: 640,
        height: 420,
        onShow: () => {
          core().call('trace_show', 1);
          w.scale.value = info().scaleText;
          Page.refresh();
          fit();
          clear();
        },
        onClose: () => {
          core().call('trace_show', 0);
          controls(info());
        },
      });
    },
    items: () => items(),
    follow,
    // Run clears a shown diagram's samples: the pages start again.
    restart: () => w && Page.windowShown('trace') && clear(),
    picture: () => w && picture(),
  };
})(this);
