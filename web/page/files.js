// The file commands of the page: New, Open (the picker, a file dropped on
// the page, an example), Save and Save As as downloads, and Print. The
// circuit's bytes come from the core; nothing leaves the computer.
(function (root) {
  'use strict';
  const Page = (root.VorliskPage = root.VorliskPage || {});

  // Offers the bytes as a download named `name`.
  Page.download = function (bytes, name, type = 'application/octet-stream') {
    const url = URL.createObjectURL(new Blob([bytes], { type }));
    const a = Page.el('a', { href: url, download: name });
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 5000);
  };

  // An export's name: the circuit's name with the export's suffix, or
  // `stem` for a new circuit.
  Page.exportName = function (stem, suffix) {
    const doc = Page.doc();
    const base = doc.title === '无标题' ? stem : doc.title.replace(/\.[^.]*$/, '');
    return base + '.' + suffix;
  };

  const core = () => Page.core;

  // Unsaved changes: ask first, as the desktop does. False when cancelled.
  async function confirmDiscard() {
    if (!Page.doc().modified) return true;
    const answer = await Page.askSave();
    if (answer === 'discard') return true;
    if (answer === 'save') return (await save()) && !Page.doc().modified;
    return false;
  }

  // Opens a file's bytes; the circuit before stays when they are no circuit.
  async function openBytes(bytes, name, example = false) {
    Page.stopForCommand();
    let warning = '';
    try {
      core().check('open', bytes, name, example);
      warning = core().resultText();
    } catch (e) {
      await Page.alert(e.message, 'error');
      return false;
    }
    Page.afterOpen();
    if (warning) await Page.alert(warning);
    return true;
  }

  async function open(bytes, name, example) {
    if (!(await confirmDiscard())) return;
    await openBytes(bytes, name, example);
  }

  async function newCircuit() {
    if (!(await confirmDiscard())) return;
    Page.stopForCommand();
    core().call('new');
    Page.afterOpen();
  }

  // Save: a download under the circuit's name; a new circuit or an example
  // (never saved over) asks for a name first.
  async function save() {
    if (Page.doc().asksName) return saveAs();
    return saveTo(Page.doc().title);
  }

  async function saveAs() {
    const doc = Page.doc();
    const suggested = doc.title === '无标题' ? '电路.vlk' : doc.example ? doc.title.replace(/\.vlk$/i, '') + '（副本）.vlk' : doc.title;
    const prompt = doc.example ? '例子是只读的，请输入新的文件名：' : '文件名：';
    let name = await Page.askText('另存为', prompt, suggested);
    if (!name) return false;
    if (!/\.[^./\\]+$/.test(name)) name += '.vlk';
    return saveTo(name);
  }

  async function saveTo(name) {
    let bytes;
    try {
      bytes = core().bytes('save');
    } catch (e) {
      await Page.alert(e.message, 'error');
      return false;
    }
    Page.download(bytes, name);
    core().call('saved_as', name);
    Page.refresh();
    return true;
  }

  // The picker, and files dropped anywhere on the page but a window that
  // takes its own (the grading window).
  function watch() {
    const picker = document.getElementById('open-file');
    picker.addEventListener('change', async () => {
      const file = picker.files[0];
      picker.value = '';
      if (file) await openBytes(new Uint8Array(await file.arrayBuffer()), file.name);
    });
    const hint = document.getElementById('drop-hint');
    let depth = 0;
    const files = (e) => e.dataTransfer && Array.from(e.dataTransfer.types || []).includes('Files');
    document.addEventListener('dragenter', (e) => {
      if (!files(e)) return;
      depth++;
      hint.hidden = false;
    });
    document.addEventListener('dragleave', () => {
      if (--depth <= 0) (depth = 0), (hint.hidden = true);
    });
    document.addEventListener('dragover', (e) => {
      if (files(e)) e.preventDefault();
    });
    document.addEventListener('drop', async (e) => {
      depth = 0;
      hint.hidden = true;
      if (!files(e)) return;
      e.preventDefault();
      const file = e.dataTransfer.files[0];
      if (file) await open(new Uint8Array(await file.arrayBuffer()), file.name, false);
    });
  }

  Page.files = {
    watch,
    open,
    openBytes,
    confirmDiscard,
    newCircuit,
    save,
    saveAs,
    // The picker asks first: a cancelled question opens nothing.
    async pick() {
      if (await confirmDiscard()) document.getElementById('open-file').click();
    },
    // The browser prints the circuit's picture alone (the print style sheet).
    print: () => {
      Page.pictures.preparePrint();
      root.print();
    },
  };
})(this);
