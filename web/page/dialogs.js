// The settings and properties dialogs, laid out as the desktop's. What a
// dialog shows comes from the core, and its OK goes to the core, which
// checks the fields with the desktop's own checks and messages and changes
// the circuit through its edit functions; a refused field takes the focus.
(function (root) {
  'use strict';
  const Page = (root.VorliskPage = root.VorliskPage || {});
  const el = Page.el;
  const core = () => Page.core;

  const input = (value, props = {}) => el('input', { type: 'text', value: value ?? '', ...props });
  const grid = (...rows) => el('div.grid', {}, rows.flat(Infinity));
  const row = (caption, field, unit = '') => [el('label', { textContent: caption }), field, el('span.unit', { textContent: unit })];
  const cancel = { text: '取消', cancel: true };

  // OK through the core: the dialog closes when the core took the fields.
  const okWith = (apply, fields) => ({
    text: '确定',
    default: true,
    action: async () => {
      const refusal = apply();
      if (refusal) return Page.refuse(refusal, fields);
      Page.refresh();
      return true;
    },
  });

  // --- 计算设置 ----------------------------------------------------------------------

  async function timeSettings() {
    const s = core().json('time_settings');
    const real = el('input', { type: 'radio', name: 'time', checked: !s.virtualTime });
    const virtual = el('input', { type: 'radio', name: 'time', checked: s.virtualTime });
    const step = input(s.step), delay = input(String(s.delay));
    const follow = () => (step.disabled = delay.disabled = real.checked);
    real.addEventListener('change', follow);
    virtual.addEventListener('change', follow);
    follow();
    const body = el('div', {},
      el('label.choice', {}, real, '真实时间计算'),
      el('label.choice', {}, virtual, '虚拟时间计算'),
      grid(row('计算步长:', step, 'S'), row('器件延时:', delay, '步长')));
    await Page.dialog({
      title: '计算设置',
      body,
      buttons: [
        {
          text: '默认设置',
          left: true,
          stay: true,
          action: () => {
            real.checked = true;
            follow();
            step.value = s.step;
            delay.value = String(s.delay);
          },
        },
        okWith(() => core().refusal('set_time_settings', virtual.checked, step.value, delay.value), [step, delay]),
        cancel,
      ],
    });
  }

  // --- properties ------------------------------------------------------------------------

  function pulse(name, d) {
    const level = el('select', {}, el('option', { textContent: '常低' }), el('option', { textContent: '常高' }));
    level.selectedIndex = d.idle;
    const frequency = input(d.frequency), count = input(d.count), width = input(d.width), phase = input(d.phase);
    // A new frequency starts from a square wave: half a period each.
    frequency.addEventListener('input', () => {
      const half = core().text('half_period', frequency.value);
      if (half) width.value = phase.value = half;
    });
    const countRow = row('脉冲置数：', count, '次');
    const body = grid(row('电平设置：', level), row('脉冲频率：', frequency, '赫兹'), countRow, row('脉冲宽度：', width, '秒'), row('脉冲相位：', phase, '秒'));
    const showCount = (shown) => countRow.forEach((e) => (e.hidden = !shown));
    showCount(d.preset);
    const fields = [frequency, width, phase, count];
    return Page.dialog({
      title: '信号源设置',
      body,
      buttons: [
        {
          text: '确定',
          default: true,
          action: async () => {
            const r = core().refusal('set_pulse', name, level.selectedIndex, frequency.value, width.value, phase.value, count.value);
            if (!r) return Page.refresh(), true;
            // The count is checked for both kinds: shown, so it can be corrected.
            if (r.field === 4) showCount(true);
            return Page.refuse(r, fields);
          },
        },
        cancel,
      ],
    });
  }

  function testPoint(name, d) {
    const label = input(d.label, { maxLength: 512, size: 20 });
    return Page.dialog({
      title: '检测点属性',
      body: el('label.field', {}, '检测点标签:', label),
      buttons: [okWith(() => core().refusal('set_test_point_label', name, label.value), [label]), cancel],
    });
  }

  function annotation(name, d) {
    const text = el('textarea', { value: d.text, rows: 7, cols: 44, wrap: 'off' });
    const colour = (v) => el('input', { type: 'color', value: Page.colourText(v) });
    const back = colour(d.backColor), frame = colour(d.frameColor), font = colour(d.fontColor);
    const showBack = el('input', { type: 'checkbox', checked: d.showBack });
    const showFrame = el('input', { type: 'checkbox', checked: d.showFrame });
    const body = el('div', {}, text,
      grid(row('背景色:', back, el('label.choice', {}, '显示背景:', showBack)),
        row('边框色:', frame, el('label.choice', {}, '显示边框:', showFrame)),
        row('字体颜色:', font)));
    return Page.dialog({
      title: '注释设置',
      body,
      buttons: [
        okWith(() => core().refusal('set_annotation', name, text.value, Page.colourValue(back.value), showBack.checked,
          Page.colourValue(frame.value), showFrame.checked, Page.colourValue(font.value)), [text]),
        cancel,
      ],
    });
  }

  // A new annotation: its text, asked for where the annotation tool clicked.
  function newAnnotation([x, y]) {
    const text = el('textarea', { rows: 7, cols: 44, wrap: 'off' });
    return Page.dialog({
      title: '注释设置',
      body: el('div', {}, text),
      buttons: [okWith(() => core().refusal('add_annotation', x, y, text.value), [text]), cancel],
    });
  }

  function oneShot(name, d) {
    const widths = d.widths.map((w) => input(w));
    const sections = widths.map((width, k) => {
      const r = input(''), c = input('');
      const compute = el('button', { type: 'button', textContent: '由R、C计算' });
      compute.addEventListener('click', async () => {
        const refusal = core().refusal('one_shot_rc', name, k, r.value, c.value);
        if (refusal) return Page.refuse(refusal, [r, c]);
        width.value = core().resultText();
      });
      return el('fieldset', {},
        el('legend', { textContent: widths.length === 1 ? '脉冲宽度' : `第 ${k + 1} 个单稳态` }),
        grid(row('脉冲宽度（秒）：', width), row('外接电阻 R（kΩ）：', r), row('外接电容 C（μF）：', c)),
        el('div.formula', {}, el('span', { textContent: d.formula }), compute));
    });
    return Page.dialog({
      title: '单稳态触发器 ' + d.type,
      body: el('div', {}, sections),
      buttons: [okWith(() => core().refusal('set_one_shot', name, widths.map((w) => w.value).join('\n')), widths), cancel],
    });
  }

  // The probe LED (one input) and the BCD display (inputs A to D): each
  // input bound to a test point, chosen by its label.
  function probe(name, d, title, captions) {
    const lists = d.inputs.map((bound) => {
      const list = el('select', {}, el('option', { value: '', textContent: '' }));
      for (const t of d.testPoints) list.append(el('option', { value: t.name, textContent: t.label }));
      list.value = d.testPoints.some((t) => t.name === bound) ? bound : '';
      return list;
    });
    return Page.dialog({
      title,
      body: grid(lists.map((l, k) => row(captions[k], l))),
      buttons: [okWith(() => core().refusal('set_probe', name, lists.map((l) => l.value).join('\n')), lists), cancel],
    });
  }

  // The level switch: its level, as a double click flips it.
  function levelSwitch(name, d) {
    const high = el('input', { type: 'radio', name: 'level', checked: d.level === 1 });
    const low = el('input', { type: 'radio', name: 'level', checked: d.level === 0 });
    return Page.dialog({
      title: '高低电平控制器',
      body: el('div', {}, el('p', { textContent: name }), el('label.choice', {}, high, '高电平 (1)'), el('label.choice', {}, low, '低电平 (0)')),
      buttons: [
        okWith(() => {
          if (high.checked !== (d.level === 1)) core().call('toggle', name);
          return null;
        }, []),
        cancel,
      ],
    });
  }

  // The dialog of a parts-list item ({name, dialog}).
  async function properties(item) {
    let d;
    try {
      core().check('dialog', item.name);
      d = JSON.parse(core().resultText());
    } catch (e) {
      return Page.alert(e.message);
    }
    switch (item.dialog) {
      case 'switch': return levelSwitch(item.name, d);
      case 'pulse': return pulse(item.name, d);
      case 'test_point': return testPoint(item.name, d);
      case 'annotation': return annotation(item.name, d);
      case 'one_shot': return oneShot(item.name, d);
      case 'led_probe': return probe(item.name, d, '发光二极管设置', ['输入端:']);
      case 'display_probe': return probe(item.name, d, 'BCD数码管设置', ['输入端 A:', '输入端 B:', '输入端 C:', '输入端 D:']);
    }
  }

  // --- 集成芯片 ---------------------------------------------------------------------------

  // The chooser of the type the chip tool places next; OK makes it the tool.
  async function chipChooser(startPage) {
    const pages = core().json('chip_pages');
    let current = startPage;
    const tabs = el('div.tabs');
    const sheets = pages.map((p, k) => {
      const colour = Page.colourText(p.colour);
      const edit = input(p.entries[0].type, { style: { background: colour }, className: 'chip-type' });
      const list = el('select', { size: 10, style: { background: colour }, className: 'chip-list' });
      for (const e of p.entries) list.append(el('option', { value: e.type, textContent: e.text }));
      list.selectedIndex = 0;
      list.addEventListener('change', () => (edit.value = list.value));
      list.addEventListener('dblclick', () => ok.click());
      // Typing narrows the list to the types and functions holding the text.
      edit.addEventListener('input', () => {
        const shown = core().text('chip_filter', k, edit.value);
        [...list.options].forEach((o, i) => (o.hidden = shown[i] !== '1'));
      });
      const tab = el('button.tab', { type: 'button', textContent: p.caption });
      tab.addEventListener('click', () => pick(k));
      tabs.append(tab);
      return { sheet: el('div.sheet', {}, edit, list), edit, tab };
    });
    const pick = (k) => {
      current = k;
      sheets.forEach((s, i) => ((s.sheet.hidden = i !== k), s.tab.classList.toggle('active', i === k)));
      sheets[k].edit.focus();
      sheets[k].edit.select();
    };
    let ok = null;
    const body = el('div.chip-chooser', {}, tabs, sheets.map((s) => s.sheet));
    setTimeout(() => {
      ok = body.closest('dialog').querySelector('button.default');
      pick(current);
    });
    await Page.dialog({
      title: '集成芯片',
      body,
      buttons: [
        {
          text: '确定',
          default: true,
          action: () => {
            const r = core().refusal('choose_chip', current, sheets[current].edit.value);
            if (r) return Page.refuse(r, [sheets[current].edit]);
            Page.refresh();
            return true;
          },
        },
        cancel,
      ],
    });
  }

  // --- the instruments' dialogs -------------------------------------------------------------

  // "设置记录项": 16 lists of the test points by label; OK stores names.
  async function recordItems(trace) {
    const d = core().json('items_dialog', trace ? 1 : 0);
    const lists = d.selected.map((chosen) => {
      const list = el('select');
      d.entries.forEach((e, j) => list.append(el('option', { value: String(j), textContent: e })));
      list.selectedIndex = chosen;
      return list;
    });
    const clear = () => lists.forEach((l) => (l.selectedIndex = 0));
    const column = (from) => el('div.items', {}, lists.slice(from, from + 8).map((l, k) => el('label', {}, `${from + k + 1}.`, l)));
    return Page.dialog({
      title: '设置记录项',
      className: 'record-items',
      body: el('div.items-columns', {}, column(0), column(8)),
      buttons: [
        {
          text: '自动设置',
          left: true,
          stay: true,
          action: () => {
            clear();
            lists.forEach((l, k) => k + 1 < d.entries.length && (l.selectedIndex = k + 1));
          },
        },
        { text: '清除', left: true, stay: true, action: clear },
        {
          text: '确定',
          default: true,
          action: () => core().call('set_items', trace ? 1 : 0, lists.map((l) => Math.max(0, l.selectedIndex)).join(',')),
        },
        // The instrument starts over after the dialog, cancelled or not.
        { text: '取消', action: () => null },
      ],
    });
  }

  // "记录方式设置" of the truth table: its three modes.
  async function recordMode(current) {
    const modes = [
      ['手动记录', ''],
      ['状态改变时记录', ''],
      ['稳定时记录', '读数变化后，等到所有记录项连续 10 次器件运算都不再变化时记录一行'],
    ];
    const radios = modes.map(([m]) => el('input', { type: 'radio', name: 'mode', value: m, checked: m === current }));
    return Page.dialog({
      title: '记录方式设置',
      body: el('div', {}, radios.map((r, k) => el('label.choice', { title: modes[k][1] }, r, modes[k][0]))),
      buttons: [{ text: '确定', default: true, action: () => (radios.find((r) => r.checked) || {}).value || current }, cancel],
    });
  }

  Page.dialogs = { timeSettings, properties, chipChooser, recordItems, recordMode, newAnnotation };
})(this);
