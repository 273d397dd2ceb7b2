// "时序图": the timing-diagram window over the core's recorder, with the
// desktop's scale field, side panel, pages and the scroll bar back to
// earlier pages. The diagram (grid, labels, traces, page turns) and its
// exported picture are the render core's drawing, replayed here as the
// desktop paints it; the VCD export is the core's too.
(function (root) {
  'use strict';
  const Page = (root.VorliskPage = root.VorliskPage || {});
  const el = Page.el;
  const core = () => Page.core;

  let w = null;  // the window's parts and state

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
    w = { scale, up, down, pageLabel, canvas, pages, width: 0, height: 0 };
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

  // Paints the core's commands over the diagram, at the screen's pixel ratio.
  function paint(text) {
    if (!text) return;
    const g = w.canvas.getContext('2d');
    const ratio = w.canvas.width / w.width;
    g.setTransform(ratio, 0, 0, ratio, 0, 0);
    Page.canvas.replayList(g, Page.canvas.parse(text));
  }

  // Forgets the pages: the labels and rows as the items are now, the axis from 0.
  function clear() {
    paint(core().text('trace_page', w.width, w.height));
    controls(info());
  }

  function showPage(page) {
    paint(core().text('trace_show_page', page, w.width, w.height));
    controls(info());
  }

  function controls(i) {
    w.pages.max = String(i.pages - 1);
    w.pages.value = String(i.shown);
    w.pages.disabled = i.pages < 2;
    w.pageLabel.textContent = `第 ${i.shown + 1}/${i.pages} 页，从 ${i.shownStart} 秒起`;
    for (const e of [w.scale, w.up, w.down]) e.disabled = i.recording;
  }

  // While recording: extends the traces up to now, turning the page at the
  // right edge (the recording goes on unseen while an earlier page is shown).
  function follow() {
    if (!w || !Page.windowShown('trace')) return;
    const before = info();
    if (!before.recording) return;
    paint(core().text('trace_extend', w.width, w.height));
    const i = info();
    if (i.pages !== before.pages || i.shown !== before.shown) controls(i);
  }

  async function start() {
    const refusal = core().refusal('trace_start', w.scale.value);
    if (refusal) return Page.refuse(refusal, [w.scale]);
    clear();
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
    const out = el('canvas', { width: w.width, height: w.height + info().axisHeight });
    Page.canvas.replayList(out.getContext('2d'), Page.canvas.parse(core().text('trace_picture', w.width, w.height)));
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
