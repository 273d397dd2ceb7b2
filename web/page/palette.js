// The component box beside the canvas, from the core's table: a button per
// tool or kind, drawn by the core's drawers (sharp at any density); a
// family's button opens a row of its kinds with the family's caption, the
// two chip buttons open the chip chooser on their page. The right button
// on a button goes back to the select tool, as on the desktop.
(function (root) {
  'use strict';
  const Page = (root.VorliskPage = root.VorliskPage || {});
  const el = Page.el;
  const ICON = 34;  // CSS pixels

  let box = null;
  let buttons = [];  // [element, tool]
  let row = null;    // the open family's row

  // A kind's picture on a small canvas, fitted and centred.
  function icon(kind) {
    const r = root.devicePixelRatio || 1;
    const c = el('canvas.kind-icon');
    c.width = c.height = Math.round(ICON * r);
    c.style.width = c.style.height = ICON + 'px';
    const text = Page.core.text('kind_icon', kind, 1);
    const nl = text.indexOf('\n');
    const [l, t, rr, b] = text.slice(5, nl).split(' ').map(Number);
    const s = Math.min(c.width / (rr - l), c.height / (b - t));
    const g = c.getContext('2d');
    g.setTransform(s, 0, 0, s, c.width / 2 - ((l + rr) / 2) * s, c.height / 2 - ((t + b) / 2) * s);
    Page.canvas.replay(g, text.slice(nl + 1));
    return c;
  }

  const caption = (tool) => tool.replace(/\(.*$/, '');

  function closeRow() {
    if (row) row.remove();
    row = null;
  }

  // The tool the canvas's clicks use now, its button shown down.
  function choose(tool) {
    closeRow();
    Page.core.check('choose_tool', tool);
    Page.showTool(tool);
    Page.refresh();
  }

  function openFamily(button, kinds, text) {
    const was = row && row.owner === button;
    closeRow();
    if (was) return;
    row = el('div.family-row', {}, el('div.family-kinds', {}, kinds.map((k) => {
      const b = el('button.box-button', { type: 'button', title: k, 'data-tool': k }, icon(k));
      b.addEventListener('click', (e) => {
        e.stopPropagation();
        choose(k);
      });
      return b;
    })), el('div.family-caption', { textContent: text }));
    row.owner = button;
    const r = button.getBoundingClientRect();
    row.style.left = r.right + 4 + 'px';
    row.style.top = r.top + 'px';
    document.body.append(row);
  }

  Page.palette = {
    mount(element) {
      box = element;
      const table = Page.core.json('box');
      for (const b of table.buttons) {
        const tip = b.role === 'select' ? '选择' : b.role === 'group' ? b.caption : caption(b.tool);
        const face = b.role === 'select' ? el('span.glyph', { textContent: '↖' })
          : ['导线', '焊接点', '检测点', '注释'].includes(b.tool) ? el('span.glyph', { textContent: { 导线: '⌐', 焊接点: '●', 检测点: '◎', 注释: '注释' }[b.tool] })
          : icon(b.tool);
        const button = el('button.box-button', { type: 'button', title: tip, 'data-tool': b.role === 'tool' ? b.tool : '' }, face);
        button.addEventListener('click', (e) => {
          e.stopPropagation();
          if (b.role === 'select') choose('');
          else if (b.role === 'tool') choose(b.tool);
          else if (b.role === 'group') openFamily(button, table.families[b.arg], b.caption);
          else {
            closeRow();
            Page.dialogs.chipChooser(b.arg);
          }
        });
        button.addEventListener('contextmenu', (e) => {
          e.preventDefault();
          if (!b.rightIgnored) choose('');
        });
        buttons.push([button, b.role === 'select' ? '' : b.tool]);
        box.append(button);
      }
      document.addEventListener('click', closeRow);
      document.addEventListener('keydown', (e) => e.key === 'Escape' && closeRow());
      Page.showTool('');
    },
  };

  // Shows the button of the tool in use down (a kind of a family: none).
  Page.showTool = function (tool) {
    for (const [b, t] of buttons) b.classList.toggle('down', t === tool);
  };
})(this);
