// "批改实验": a class's circuits checked against a reference with
// vorlisk-sim's own grading, in the page: the reference is what vorlisk-sim
// printed for the model solution, or the model solution's circuit itself;
// the students' files are picked together or as a folder. One row per
// file, 通过 or 不通过 with vorlisk-sim --expect's reasons, and the results
// as CSV. The files are read here and never leave the computer.
(function (root) {
  'use strict';
  const Page = (root.VorliskPage = root.VorliskPage || {});
  const el = Page.el;
  const core = () => Page.core;

  let g = null;

  function build(win) {
    const refPicker = el('input', { type: 'file', accept: '.vlk,.txt,.csv,.tsv,text/plain,text/csv', hidden: true });
    const filesPicker = el('input', { type: 'file', accept: '.vlk', multiple: true, hidden: true });
    const folderPicker = el('input', { type: 'file', multiple: true, hidden: true, webkitdirectory: true });
    const pick = (caption, picker) => {
      const b = el('button', { type: 'button', textContent: caption });
      b.addEventListener('click', () => picker.click());
      return b;
    };
    const refName = el('span.ref-name', { textContent: '未选择' });
    const refText = el('pre.ref-text');
    const refNote = el('p.note');
    const summary = el('p.summary');
    const rows = el('tbody');
    const csv = el('button', { type: 'button', textContent: '导出 CSV', disabled: true });
    csv.addEventListener('click', () => {
      core().call('grade_report', 1);
      Page.download(Page.core.resultText(), '批改结果.csv', 'text/csv');
    });
    const drop = el('div.grade-files', {},
      el('table.results', {}, el('thead', {}, el('tr', {}, el('th', { textContent: '文件' }), el('th', { textContent: '结果' }), el('th', { textContent: '原因' }))), rows));
    win.body.classList.add('grading');
    win.body.append(
      el('div.grade-step', {}, el('b', { textContent: '1. 参考答案：' }), pick('选择文件…', refPicker), refName,
        el('span.hint', { textContent: '参考电路（.vlk），或 vorlisk-sim 为参考电路输出的真值表或读数（.txt、.csv）' })),
      el('details', {}, el('summary', { textContent: '参考答案的内容' }), refText),
      refNote,
      el('div.grade-step', {}, el('b', { textContent: '2. 学生的电路：' }), pick('选择文件…', filesPicker), pick('选择文件夹…', folderPicker),
        el('span.hint', { textContent: '也可以把文件拖到下面的表格中' }), el('span.fill'), csv),
      drop,
      summary,
      el('p.hint', { textContent: '文件只在本机的浏览器中读取和运行，不会上传。' }),
      refPicker, filesPicker, folderPicker);
    g = { refName, refText, refNote, rows, summary, csv, busy: false };

    refPicker.addEventListener('change', async () => {
      const file = refPicker.files[0];
      refPicker.value = '';
      if (file) await reference(file);
    });
    for (const picker of [filesPicker, folderPicker])
      picker.addEventListener('change', async () => {
        const files = [...picker.files];
        picker.value = '';
        await grade(files);
      });
    // Files dropped here are students' files, not a circuit to open.
    drop.addEventListener('dragover', (e) => e.preventDefault());
    drop.addEventListener('drop', async (e) => {
      e.preventDefault();
      e.stopPropagation();
      document.getElementById('drop-hint').hidden = true;
      await grade([...e.dataTransfer.files]);
    });
  }

  async function reference(file) {
    const circuit = /\.vlk$/i.test(file.name);
    try {
      core().check('grade_reference', new Uint8Array(await file.arrayBuffer()), file.name, circuit);
    } catch (e) {
      return Page.alert(e.message, 'error');
    }
    const [text, note] = core().resultText().split('\f');
    g.refName.textContent = file.name + (circuit ? '（参考电路的真值表）' : '');
    g.refText.textContent = text;
    g.refNote.textContent = note;
    g.rows.replaceChildren();
    g.summary.textContent = '';
    g.csv.disabled = true;
  }

  const shownName = (f) => f.webkitRelativePath || f.name;

  // One file after another, the page drawn between them.
  async function grade(files) {
    if (g.busy) return;
    files = files.filter((f) => /\.vlk$/i.test(f.name)).sort((a, b) => shownName(a).localeCompare(shownName(b), 'zh-CN', { numeric: true }));
    if (!files.length) return Page.alert('没有选择电路文件（.vlk）。');
    g.busy = true;
    core().call('grade_clear');
    g.rows.replaceChildren();
    g.summary.textContent = '';
    let passed = 0;
    try {
      for (const [k, f] of files.entries()) {
        g.summary.textContent = `正在批改 ${k + 1}/${files.length}：${shownName(f)}`;
        await new Promise((r) => setTimeout(r));
        const v = core().json('grade_file', new Uint8Array(await f.arrayBuffer()), f.name, shownName(f));
        // A reference that does not fit the circuits: no verdict can be trusted.
        if (v.fault) {
          g.summary.textContent = '';
          return Page.alert(v.fault, 'error');
        }
        passed += v.pass ? 1 : 0;
        g.rows.append(el('tr.' + (v.pass ? 'pass' : 'fail'), {},
          el('td', { textContent: shownName(f) }),
          el('td.verdict', { textContent: v.pass ? '通过' : '不通过' }),
          el('td', { textContent: v.reason, title: v.note })));
      }
      core().call('grade_report', 0);
      const lines = core().resultText().trimEnd().split('\n');
      g.summary.textContent = files.length > 1 ? lines[lines.length - 1] : '';
      g.csv.disabled = false;
    } finally {
      g.busy = false;
    }
    return passed;
  }

  Page.grading = {
    show() {
      Page.toolWindow('grading', '批改实验', { build, width: 720, height: 520 });
    },
    // For the tests: the results as vorlisk-sim --expect prints them.
    report() {
      core().call('grade_report', 0);
      return core().resultText();
    },
  };
})(this);
