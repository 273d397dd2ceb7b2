// The page: loads the module, puts the hook on window.vorlisk, and wires the
// toolbar, the switches and the readings to it. The circuit's canvas comes
// in beside these panels.
(function (root) {
  'use strict';
  const Page = root.VorliskPage;
  const $ = (id) => document.getElementById(id);

  let vorlisk = null;
  let fileName = '';
  let isExample = false;

  function showError(message) {
    $('message').textContent = message;
    $('message').hidden = !message;
  }

  function showTitle() {
    const name = fileName || '未打开电路';
    document.title = (vorlisk && vorlisk.modified ? '*' : '') + name + ' - Vorlisk';
    $('file-name').textContent = (vorlisk && vorlisk.modified ? '*' : '') + name;
  }

  function showSwitches() {
    const box = $('switches');
    box.textContent = '';
    for (const s of vorlisk.switches()) {
      const label = document.createElement('label');
      const check = document.createElement('input');
      check.type = 'checkbox';
      check.checked = s.level === 1;
      check.addEventListener('change', () => {
        vorlisk.set(s.name, check.checked ? 1 : 0);
        showTitle();
        run();
      });
      label.append(check, ' ' + s.name);
      box.appendChild(label);
    }
  }

  function showReadings() {
    const lines = Object.entries(vorlisk.readings()).map(([label, value]) => label + '\t' + value);
    $('readings').textContent = lines.join('\n');
  }

  function run() {
    try {
      vorlisk.run(Number($('passes').value));
      showReadings();
      showError('');
    } catch (e) {
      showError(e.message);
    }
  }

  function open(bytes, name, example = false) {
    try {
      vorlisk.open(bytes, name);
    } catch (e) {
      showError(e.message);
      return;
    }
    fileName = name;
    isExample = example;
    showError('');
    showTitle();
    showSwitches();
    run();
  }

  function save() {
    if (!fileName) return;
    let name = fileName;
    // Examples stay as shipped: their copy gets a name of its own.
    if (isExample) {
      name = prompt('例子是只读的，请输入新的文件名：', name.replace(/\.vlk$/, '') + '（副本）.vlk');
      if (!name) return;
    }
    try {
      Page.download(vorlisk.save(), name);
      vorlisk.markSaved();
      showTitle();
    } catch (e) {
      showError(e.message);
    }
  }

  root.createVorlisk().then((module) => {
    vorlisk = Page.makeHook(module);
    root.vorlisk = vorlisk;
    Page.watchFiles($('open'), document.body, open);
    Page.fillExamples($('examples'), open);
    $('run').addEventListener('click', run);
    $('save').addEventListener('click', save);
    root.addEventListener('beforeunload', (e) => {
      if (vorlisk.modified) e.preventDefault();
    });
    showTitle();
    document.body.dataset.ready = '1';
  });
})(this);
