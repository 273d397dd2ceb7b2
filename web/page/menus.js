// The menu bar, the toolbar, the canvas's context menu and the keys, each
// as a table, with the desktop's words.
(function (root) {
  'use strict';
  const Page = (root.VorliskPage = root.VorliskPage || {});
  const el = Page.el;

  // A command of the edit menu on the selection.
  const edit = (what) => Page.command(() => Page.core.check('edit', what));

  // menu, caption, key shown (and handled), command, separator after, enabled, checked
  const MENUS = [
    ['文件', '新建', '', () => Page.files.newCircuit()],
    ['文件', '打开…', 'Ctrl+O', () => Page.files.pick(), true],
    ['文件', '保存', 'Ctrl+S', () => Page.files.save()],
    ['文件', '另存为…', '', () => Page.files.saveAs(), true],
    ['文件', '导出图片…', '', () => Page.pictures.exportPicture(), true],
    ['文件', '打印…', 'Ctrl+P', () => Page.files.print(), true],
    ['文件', '批改实验…', '', () => Page.grading.show()],
    ['编辑', '撤销', 'Ctrl+Z', () => Page.command(() => Page.core.call('undo')), false, () => Page.doc().canUndo],
    ['编辑', '重做', 'Ctrl+Y', () => Page.command(() => Page.core.call('redo')), true, () => Page.doc().canRedo],
    ['编辑', '计算设置', '', () => Page.dialogs.timeSettings(), true],
    ['编辑', '剪切', 'Ctrl+X', () => edit('cut'), false, () => Page.doc().selected > 0],
    ['编辑', '复制', 'Ctrl+C', () => edit('copy'), false, () => Page.doc().selected > 0],
    ['编辑', '粘贴', 'Ctrl+V', () => edit('paste'), false, () => Page.doc().canPaste],
    ['编辑', '删除', 'Del', () => edit('delete'), false, () => Page.doc().selected > 0],
    ['编辑', '全选', 'Ctrl+A', () => edit('select_all')],
    ['编辑', '向左旋转', '', () => edit('rotate_left'), false, () => Page.doc().selected > 0],
    ['编辑', '向右旋转', '', () => edit('rotate_right'), true, () => Page.doc().selected > 0],
    ['编辑', '集成芯片…', '', () => Page.dialogs.chipChooser(0), true],
    ['编辑', '属性', '', () => Page.parts.propertiesOfChosen(), false, () => Page.parts.chosenHasDialog()],
    ['运行', '运行', 'F9', () => Page.running.run(), false, () => !Page.doc().running],
    ['运行', '停止', 'Shift+F9', () => Page.running.stop(), false, () => Page.doc().running],
    ['运行', '虚拟实验箱', '', () => Page.box.show()],
    ['实例', null],
    ['查看', '放大', 'Ctrl+=', () => Page.canvas.zoomIn()],
    ['查看', '缩小', 'Ctrl+-', () => Page.canvas.zoomOut()],
    ['查看', '实际大小', 'Ctrl+0', () => Page.canvas.zoomActual()],
    ['查看', '适合窗口', '', () => Page.canvas.zoomFit(), true],
    ['查看', '显示引脚号', '', () => Page.viewOption('pinNumbers'), false, null, () => Page.viewOptions.pinNumbers],
    ['查看', '显示引脚名', '', () => Page.viewOption('pinNames'), false, null, () => Page.viewOptions.pinNames],
    ['查看', '拖动时导线跟随', '', () => Page.viewOption('follow'), false, null, () => Page.viewOptions.follow],
    ['查看', '显示电平', '', () => Page.viewOption('levels'), true, null, () => Page.viewOptions.levels],
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
    [2, '剪切', '剪切 (Ctrl+X)', () => edit('cut')],
    [2, '复制', '复制 (Ctrl+C)', () => edit('copy')],
    [2, '粘贴', '粘贴 (Ctrl+V)', () => edit('paste')],
    [3, '真值表', '真值表', () => Page.table.show()],
    [3, '时序图', '时序图', () => Page.trace.show()],
    [4, '运行', '运行 (F9)', () => Page.running.run(), (d) => d.running],
    [4, '停止', '停止 (Shift+F9)', () => Page.running.stop(), (d) => !d.running],
    [5, '实验箱', '虚拟实验箱', () => Page.box.show()],
    [5, '批改', '批改实验', () => Page.grading.show()],
    [6, '向左旋转', '向左旋转', () => edit('rotate_left')],
    [6, '向右旋转', '向右旋转', () => edit('rotate_right')],
    [7, '帮助', '使用说明 (F1)', () => Page.help.show()],
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
      if (e.checked) item.classList.add('checkable');
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
      item.checked = e.checked;
      list.append(item);
    }
    return list;
  }

  function buildMenus(bar) {
    const menus = new Map();
    for (const [menu, caption, key, command, separator, enabled, checked] of MENUS) {
      if (!menus.has(menu)) menus.set(menu, []);
      if (caption === null) continue;
      menus.get(menu).push({ caption, key, command, enabled: enabled || undefined, checked });
      if (separator) menus.get(menu).push(null);
    }
    for (const [name, entries] of menus) {
      const top = el('div.menu', { tabIndex: 0 }, el('span.menu-title', { textContent: name }));
      const fill = () => {
        top.querySelector('.menu-list')?.remove();
        // 实例 is listed afresh each time it opens, as on the desktop.
        const list = dropDown(name === '实例' ? Page.exampleEntries() : entries);
        for (const li of list.querySelectorAll('.menu-item')) {
          if (li.enabled) li.classList.toggle('disabled', !li.enabled());
          if (li.checked) li.classList.toggle('checked', !!li.checked());
        }
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
    'Ctrl+x': () => edit('cut'),
    'Ctrl+c': () => edit('copy'),
    'Ctrl+v': () => edit('paste'),
    'Ctrl+a': () => edit('select_all'),
    Delete: () => edit('delete'),
    'Ctrl+=': () => Page.canvas.zoomIn(),
    'Ctrl++': () => Page.canvas.zoomIn(),
    'Ctrl+Shift++': () => Page.canvas.zoomIn(),
    'Ctrl+-': () => Page.canvas.zoomOut(),
    'Ctrl+0': () => Page.canvas.zoomActual(),
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
      // Undo, the clipboard and Delete in a text box act on its typing.
      if (!command || (typing && /^(Ctrl\+(Shift\+)?[zyxcva]|Delete)$/.test(name))) return;
      e.preventDefault();
      command();
    });
  }

  // The canvas's right-click menu, at the pointer.
  const CONTEXT = [
    ['剪切', 'Ctrl+X', () => edit('cut'), (d) => d.selected > 0],
    ['复制', 'Ctrl+C', () => edit('copy'), (d) => d.selected > 0],
    ['粘贴', 'Ctrl+V', () => edit('paste'), (d) => d.canPaste],
    ['删除', 'Del', () => edit('delete'), (d) => d.selected > 0],
    null,
    ['属性', '', () => Page.parts.properties(Page.doc().selection), (d) => d.selected === 1 && d.selectionHasDialog],
  ];
  function contextMenu(x, y) {
    closeMenus();
    const d = Page.doc();
    const entries = CONTEXT.map((e) => e && { caption: e[0], key: e[1], command: e[2], disabled: !e[3](d) });
    const list = dropDown(entries);
    const holder = el('div.menu.context.open', {}, list);
    holder.style.left = x + 'px';
    holder.style.top = y + 'px';
    document.body.append(holder);
    openMenu = holder;
    const gone = () => holder.remove();
    holder.classList.remove = ((remove) => function (...names) {
      remove.apply(this, names);
      if (names.includes('open')) gone();
    })(holder.classList.remove);
  }

  Page.menus = { buildMenus, buildToolbar, watchKeys, contextMenu };
})(this);
