// The page: loads the module, puts the scripting hook on window.vorlisk,
// builds the menus, toolbar and panels, and keeps them following the
// circuit after every command.
(function (root) {
  'use strict';
  const Page = root.VorliskPage;
  const $ = (id) => document.getElementById(id);

  let doc = null;
  Page.doc = () => doc;

  // The status line: a note, or the current tool's line.
  let note = '';
  Page.status = (text) => {
    note = text;
    $('status-hint').textContent = text || (doc ? doc.toolHint : '');
  };

  // 查看's choices, kept in the browser for the next visit.
  const VIEW_KEY = 'vorlisk.view';
  Page.viewOptions = Object.assign({ pinNumbers: true, pinNames: true, follow: true, levels: true },
    JSON.parse(root.localStorage?.getItem(VIEW_KEY) || '{}'));
  const applyView = () => {
    const v = Page.viewOptions;
    Page.core.call('view_options', v.pinNumbers, v.pinNames, v.levels, v.follow);
    Page.canvas.invalidate();
  };
  Page.viewOption = (name) => {
    Page.viewOptions[name] = !Page.viewOptions[name];
    try { root.localStorage.setItem(VIEW_KEY, JSON.stringify(Page.viewOptions)); } catch (e) { /* private mode */ }
    applyView();
  };
  Page.showZoom = (percent) => ($('status-zoom').textContent = percent + '%');
  Page.showPlace = (x, y) => ($('status-place').textContent = `X ${x}  Y ${y}`);

  // After every command: the title, the toolbar, the time label, the panels.
  // `frame`: a running frame, where the parts list and title rarely change.
  Page.refresh = function (frame = false) {
    const before = doc;
    doc = Page.core.json('document');
    if (!frame || !before || before.revision !== doc.revision || before.running !== doc.running) {
      const name = doc.title + (doc.modified ? '*' : '');
      document.title = name + ' - Vorlisk';
      $('file-name').textContent = name + (doc.example ? '（例子，只读）' : '');
      Page.showToolState(doc);
      Page.showParts(doc);
      if (!note) $('status-hint').textContent = doc.toolHint;
      $('status-mode').textContent = doc.virtualTime ? '虚拟时间' : '真实时间';
    }
    // The picture: after a command always; in a running frame when a level or a component changed.
    if (!frame || Page.core.call('picture_changed')) Page.canvas.invalidate();
    $('time-label').textContent = 'T：' + (doc.running ? doc.time : '0');
    Page.showPanel();
  };

  // A command of the menus or panels that changes the circuit.
  Page.command = function (fn) {
    fn();
    Page.refresh();
  };

  // After Open, New or a restore: the instruments start over, closed as on the desktop.
  Page.afterOpen = function () {
    Page.closeWindow('table');
    Page.closeWindow('trace');
    Page.status('');
    Page.canvas.opened();
    Page.refresh();
  };

  root.createVorlisk().then((module) => {
    Page.core = Page.makeCore(module);
    root.vorlisk = Page.makeHook(Page.core, () => Page.refresh());
    Page.menus.buildMenus($('menubar'));
    Page.menus.buildToolbar($('toolbar'));
    Page.menus.watchKeys();
    Page.files.watch();
    Page.canvas.mount($('canvas-area'));
    Page.palette.mount($('box'));
    applyView();
    $('parts-chip').addEventListener('click', () => Page.dialogs.chipChooser(0));
    root.addEventListener('beforeunload', (e) => {
      if (!doc || !doc.modified) return;
      e.preventDefault();
      e.returnValue = '';
    });
    Page.refresh();
    Page.storage.start();
    document.body.dataset.ready = '1';
    if (root.performance && performance.mark) performance.mark('vorlisk-ready');
  });
})(this);
