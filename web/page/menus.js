// The menu bar, the toolbar and the keys, each as a table, with the
// desktop's words. Entries the page cannot do yet (they need the canvas)
// are left out rather than shown dead.
(function (root) {
  'use strict';
  const Page = (root.VorliskPage = root.VorliskPage || {});
  const el = Page.el;

  // menu, caption, key shown (and handled), command, separator after, enabled
  const MENUS = [
    ['文件', '新建', '', () => Page.files.newCircuit()],
    ['文件', '打开…', 'Ctrl+O', () => Page.files.pick(), true],
    ['文件', '保存', 'Ctrl+S', () => Page.files.save()],
    ['文件', '另存为…', '', () => Page.files.saveAs(), true],
    ['文件', '打印…', 'Ctrl+P', () => Page.files.print(), true],
    ['文件', '批改实验…', '', () => Page.grading.show()],
    ['编辑', '撤销', 'Ctrl+Z', () => Page.command(() => Page.core.call('undo')), false, () => Page.doc().canUndo],
    ['编辑', '重做', 'Ctrl+Y', () => Page.command(() => Page.core.call('redo')), true, () => Page.doc().canRedo],
    ['编辑', '计算设置', '', () => Page.dialogs.timeSettings()],
    ['编辑', '集成芯片…', '', () => Page.dialogs.chipChooser(0), true],
    ['编辑', '属性', '', () => Page.parts.propertiesOfChosen(), false, () => Page.parts.chosenHasDialog()],
    ['运行', '运行', 'F9', () => Page.running.run(), false, () => !Page.doc().running],
    ['运行', '停止', 'Shift+F9', () => Page.running.stop(), false, () => Page.doc().running],
    ['运行', '虚拟实验箱', '', () => Page.box.show()],
    ['实例', null],
    ['查看', '真值表', '', () => Page.table.show()],
    ['查看', '时序图', '', () => Page.trace.show(), true],
    ['查看', '真值表记录项…', '', () => Page.table.items()],
    ['查看', '时序图记录项…', '', () => Page.trace.items()],
    ['帮助', '使用说明', 'F1', () => Page.help.show(), true],
    ['帮助', '关于', '', () => Page.help.about()],
  ];

  // group, caption, title, command, pressed-state (Run and Stop stay down)
  const TOOLS = [
    [1, '新建', '新建', () => Page.files.newCircuit()],
    [1, '打开', '打开 (Ctrl+O)', () => Page.files.pick()],
    [1, '保存', '保存 (Ctrl+S)', () => Page.files.save()],
    [1, '打印', '打印 (Ctrl+P)', () => Page.files.print()],
    [2, '撤销', '撤销 (Ctrl+Z)', () => Page.command(() => Page.core.call('undo'))],
    [2, '重做', '重做 (Ctrl+Y)', () => Page.command(() => Page.core.call('redo'))],
    [3, '真值表', '真值表', () => Page.table.show()],
    [3, '时序图', '时序图', () => Page.trace.show()],
    [4, '运行', '运行 (F9)', () => Page.running.run(), (d) => d.running],
    [4, '停止', '停止 (Shift+F9)', () => Page.running.stop(), (d) => !d.running],
    [5, '实验箱', '虚拟实验箱', () => Page.box.show()],
    [5, '批改', '批改实验', () => Page.grading.show()],
    [6, '帮助', '使用说明 (F1)', () => Page.help.show()],
  ];

  let openMenu = null;
  const closeMenus = () => {
    if (openMenu) openMenu.classList.remove('open');
    openMenu = null;
  };

  // A drop-down of entries {caption, key, command, submenu, disabled, enabled}; null is a separator.
  function dropDown(entries) {
    const list = el('ul.menu-list');
    for (const e of entries) {
      if (!e) {
        list.append(el('li.separator'));
        continue;
      }
      const item = el('li.menu-item', { tabIndex: -1 }, el('span', { textContent: e.caption }), el('kbd', { textContent: e.key || '' }));
      if (e.submenu) {
        item.classList.add('has-sub');
        item.append(dropDown(e.submenu));
      } else {
        item.addEventListener('click', (ev) => {
          ev.stopPropagation();
          if (item.classList.contains('disabled')) return;
          closeMenus();
          e.command();
        });
      }
      if (e.disabled) item.classList.add('disabled');
      item.enabled = e.enabled;
      list.append(item);
    }
    return list;
  }

  function buildMenus(bar) {
    const menus = new Map();
    for (const [menu, caption, key, command, separator, enabled] of MENUS) {
      if (!menus.has(menu)) menus.set(menu, []);
      if (caption === null) continue;
      menus.get(menu).push({ caption, key, command, enabled });
      if (separator) menus.get(menu).push(null);
    }
    for (const [name, entries] of menus) {
      const top = el('div.menu', { tabIndex: 0 }, el('span.menu-title', { textContent: name }));
      const fill = () => {
        top.querySelector('.menu-list')?.remove();
        // 实例 is listed afresh each time it opens, as on the desktop.
        const list = dropDown(name === '实例' ? Page.exampleEntries() : entries);
        for (const li of list.querySelectorAll('.menu-item'))
          if (li.enabled) li.classList.toggle('disabled', !li.enabled());
        top.append(list);
      };
      top.addEventListener('click', (e) => {
        e.stopPropagation();
        if (openMenu === top) return closeMenus();
        closeMenus();
        fill();
        top.classList.add('open');
        openMenu = top;
      });
      top.addEventListener('mouseenter', () => {
        if (!openMenu || openMenu === top) return;
        closeMenus();
        fill();
        top.classList.add('open');
        openMenu = top;
      });
      bar.append(top);
    }
    document.addEventListener('click', closeMenus);
    document.addEventListener('keydown', (e) => e.key === 'Escape' && closeMenus());
  }

  function buildToolbar(bar) {
    let group = 0;
    const pressed = [];
    for (const [g, caption, title, command, down] of TOOLS) {
      if (group && g !== group) bar.append(el('span.tool-gap'));
      group = g;
      const b = el('button.tool', { type: 'button', title, 'data-tool': caption, textContent: caption });
      b.addEventListener('click', () => command());
      if (down) pressed.push([b, down]);
      bar.append(b);
    }
    bar.append(el('span.tool-fill'), el('span', { id: 'time-label', textContent: 'T：0' }));
    Page.showToolState = (doc) => {
      for (const [b, down] of pressed) b.classList.toggle('down', down(doc));
      bar.querySelector('[data-tool=撤销]').disabled = !doc.canUndo;
      bar.querySelector('[data-tool=重做]').disabled = !doc.canRedo;
    };
  }

  // The keys, while no dialog is open.
  const KEYS = {
    'Ctrl+o': () => Page.files.pick(),
    'Ctrl+s': () => Page.files.save(),
    'Ctrl+z': () => Page.command(() => Page.core.call('undo')),
    'Ctrl+y': () => Page.command(() => Page.core.call('redo')),
    'Ctrl+Shift+z': () => Page.command(() => Page.core.call('redo')),
    F1: () => Page.help.show(),
    F9: () => Page.running.run(),
    'Shift+F9': () => Page.running.stop(),
  };
  function watchKeys() {
    document.addEventListener('keydown', (e) => {
      if (document.querySelector('dialog[open]')) return;
      const typing = /^(INPUT|TEXTAREA|SELECT)$/.test(e.target.tagName);
      const name = (e.ctrlKey || e.metaKey ? 'Ctrl+' : '') + (e.shiftKey ? 'Shift+' : '') + (e.key.length === 1 ? e.key.toLowerCase() : e.key);
      const command = KEYS[name];
      // Undo in a text box undoes its typing.
      if (!command || (typing && /^Ctrl\+(Shift\+)?[zy]$/.test(name))) return;
      e.preventDefault();
      command();
    });
  }

  Page.menus = { buildMenus, buildToolbar, watchKeys };
})(this);
