// "真值表": the truth-table window over the core's recorder, with the
// desktop's side panel. Rows are numbered from 1; the grid shows the rows
// in view only, so a table recorded on every change of a fast circuit
// stays quick, and follows the newest row unless the user scrolled back.
(function (root) {
  'use strict';
  const Page = (root.VorliskPage = root.VorliskPage || {});
  const el = Page.el;
  const core = () => Page.core;

  const ROW_HEIGHT = 22;
  let view = null;

  function build(win) {
    const head = el('div.tt-head');
    const rows = el('div.tt-rows');
    const scroller = el('div.tt-scroll', {}, head, el('div.tt-space', {}, rows));
    const buttons = Page.buttons([
      ['默认设置', () => command(() => core().call('table_defaults'))],
      ['记录项设置', () => items()],
      ['记录方式设置', () => mode()],
      ['手动记录', () => command(() => core().call('table_record'))],
      ['清除', () => command(() => core().call('table_clear'))],
      ['导出', (b) => exportMenu(b)],
      ['关闭', () => win.close()],
    ]);
    win.body.classList.add('instrument');
    win.body.append(scroller, el('div.side', {}, buttons));
    scroller.addEventListener('scroll', () => draw(false));
    view = { head, rows, scroller, space: rows.parentElement, shape: '', count: -1, follow: true };
  }

  const command = (fn) => {
    fn();
    draw(true);
  };

  // Draws the header and the rows in view; `changed`: rows may have come.
  function draw(changed) {
    if (!view || !Page.windowShown('table')) return;
    const info = core().json('table_info');
    const shape = JSON.stringify(info.labels);
    if (shape !== view.shape) {
      view.shape = shape;
      view.head.replaceChildren(el('span.num'), ...info.labels.map((l) => el('span', { textContent: l })));
    }
    const s = view.scroller;
    const atEnd = s.scrollTop + s.clientHeight >= s.scrollHeight - ROW_HEIGHT;
    // The last row is always empty and takes the next recording.
    view.space.style.height = (info.rows + 1) * ROW_HEIGHT + 'px';
    if (changed && info.rows !== view.count && atEnd) s.scrollTop = s.scrollHeight;
    view.count = info.rows;
    const first = Math.max(0, Math.floor(s.scrollTop / ROW_HEIGHT) - 2);
    const count = Math.ceil(s.clientHeight / ROW_HEIGHT) + 4;
    const cells = core().json('table_rows', first, count);
    view.rows.style.top = first * ROW_HEIGHT + 'px';
    view.rows.replaceChildren(
      ...cells.map((r, k) => el('div.tt-row', {}, el('span.num', { textContent: String(first + k + 1) }), ...r.map((c) => el('span', { textContent: c })))),
    );
  }

  async function items() {
    await Page.dialogs.recordItems(false);
    core().call('table_clear');  // starts over, also after 取消
    Page.refresh();
    draw(true);
  }

  async function mode() {
    const current = core().json('table_info').mode;
    const chosen = await Page.dialogs.recordMode(current);
    if (chosen && chosen !== current) core().call('table_mode', chosen);
    Page.refresh();
  }

  function exportMenu(button) {
    Page.popup(button, [
      ['保存为 CSV 文件…', () => Page.download(core().bytes('table_csv'), Page.exportName('真值表', 'csv'), 'text/csv')],
      ['复制到剪贴板', () => navigator.clipboard.writeText(core().text('table_tsv')).then(
        () => Page.status('真值表已复制到剪贴板。'),
        () => Page.alert('无法访问剪贴板：浏览器不允许这个页面写入剪贴板。'))],
    ]);
  }

  Page.table = {
    show() {
      Page.toolWindow('table', '真值表', {
        build,
        width: 460,
        height: 330,
        onShow: () => {
          core().call('table_show', 1);
          Page.refresh();
          draw(true);
        },
        onClose: () => core().call('table_show', 0),
      });
    },
    items: () => items(),
    // After passes: the rows recorded meanwhile.
    follow: () => draw(true),
  };

  // A small menu under a button: [caption, action] entries.
  Page.popup = function (anchor, entries) {
    document.querySelector('.popup')?.remove();
    const list = el('ul.menu-list.popup');
    for (const [caption, act] of entries) {
      const li = el('li.menu-item', { textContent: caption });
      li.addEventListener('click', (e) => {
        e.stopPropagation();
        list.remove();
        act();
      });
      list.append(li);
    }
    const r = anchor.getBoundingClientRect();
    Object.assign(list.style, { position: 'fixed', left: r.left + 'px', top: r.bottom + 'px', display: 'block', zIndex: 10000 });
    document.body.append(list);
    setTimeout(() => document.addEventListener('click', () => list.remove(), { once: true }));
  };
})(this);
