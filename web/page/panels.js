// The panels beside the canvas: the run panel (the level switches to
// toggle, the LEDs and seven-segment displays, the test points' readings)
// and the parts list, where each item's properties dialog opens (a double
// click on the canvas will open the same dialogs).
(function (root) {
  'use strict';
  const Page = (root.VorliskPage = root.VorliskPage || {});
  const el = Page.el;
  const SVG = 'http://www.w3.org/2000/svg';

  // --- the run panel ---------------------------------------------------------------------------

  // A seven-segment digit: segments a..g (bits 0..6) and the point (bit 7).
  const SEGMENTS = [
    'M6,3 h14 l-3,3 h-8 z', 'M21,4 v14 l-3,-2 v-9 z', 'M21,20 v14 l-3,-3 v-9 z', 'M6,35 h14 l-3,-3 h-8 z',
    'M5,20 v14 l3,-3 v-9 z', 'M5,4 v14 l3,-2 v-9 z', 'M6,19 h14 l-2,1.5 l2,1.5 h-14 l2,-1.5 z',
  ];
  function digit() {
    const svg = document.createElementNS(SVG, 'svg');
    svg.setAttribute('viewBox', '0 0 30 38');
    svg.classList.add('digit');
    for (const d of SEGMENTS) {
      const p = document.createElementNS(SVG, 'path');
      p.setAttribute('d', d);
      svg.append(p);
    }
    const dot = document.createElementNS(SVG, 'circle');
    dot.setAttribute('cx', 26);
    dot.setAttribute('cy', 34);
    dot.setAttribute('r', 2);
    svg.append(dot);
    return svg;
  }
  const showDigit = (svg, mask) => [...svg.children].forEach((s, k) => s.classList.toggle('lit', ((mask >> k) & 1) === 1));

  let shape = '';
  let rows = null;

  function build(panel) {
    const box = document.getElementById('run-panel');
    const switches = panel.switches.map((s) => {
      const b = el('button.switch', { type: 'button', title: '单击拨动 ' + s.object, 'data-name': s.name });
      b.addEventListener('click', () => Page.command(() => Page.core.call('toggle', s.object)));
      return el('div.row', {}, el('span.name', { textContent: s.name }), b);
    });
    const indicators = panel.indicators.map((i) =>
      el('div.row', { 'data-name': i.name }, el('span.name', { textContent: i.name }), i.kind === 'led' ? el('span.led') : digit()),
    );
    const points = panel.testPoints.map((t) =>
      el('div.row', { 'data-name': t.label }, el('span.name', { textContent: t.label }), el('span.level')),
    );
    const section = (title, list, empty) =>
      el('section.group', {}, el('h2', { textContent: title }), list.length ? list : el('p.none', { textContent: empty }));
    box.replaceChildren(
      section('高低电平控制器', switches, '电路中没有高低电平控制器。'),
      section('发光二极管和数码管', indicators, '电路中没有发光二极管或数码管。'),
      section('检测点读数', points, '电路中没有检测点。'),
    );
    rows = { switches, indicators, points };
  }

  // Follows the circuit: rebuilt when its parts changed, else only the values.
  Page.showPanel = function () {
    const panel = Page.core.json('panel');
    const key = JSON.stringify([panel.switches.map((s) => s.object), panel.indicators.map((i) => i.name + i.kind), panel.testPoints.map((t) => t.label)]);
    if (key !== shape || !rows) {
      shape = key;
      build(panel);
    }
    panel.switches.forEach((s, k) => {
      const b = rows.switches[k].querySelector('button');
      b.textContent = s.level ? '1' : '0';
      b.classList.toggle('high', s.level === 1);
    });
    panel.indicators.forEach((i, k) => {
      const r = rows.indicators[k];
      if (i.kind === 'led') r.querySelector('.led').classList.toggle('lit', i.value === 1);
      else showDigit(r.querySelector('svg'), i.value);
      r.title = i.text;
    });
    panel.testPoints.forEach((t, k) => {
      const level = rows.points[k].querySelector('.level');
      level.textContent = t.value ? '1' : '0';
      level.classList.toggle('high', t.value === 1);
    });
    Page.box.follow(panel.box);
  };

  // --- the parts list --------------------------------------------------------------------------

  let chosen = '';
  let partsRevision = null;

  const GROUPS = [
    ['元件', (i) => i.dialog !== 'test_point' && i.dialog !== 'annotation'],
    ['检测点', (i) => i.dialog === 'test_point'],
    ['注释', (i) => i.dialog === 'annotation'],
  ];

  Page.showParts = function (doc) {
    if (doc.revision === partsRevision) return;
    partsRevision = doc.revision;
    const items = Page.core.json('items');
    const list = document.getElementById('parts-list');
    const groups = [];
    for (const [title, belongs] of GROUPS) {
      const mine = items.filter(belongs);
      if (!mine.length) continue;
      groups.push(
        el('li.part-group', { textContent: `${title}（${mine.length}）` }),
        ...mine.map((i) => {
          const caption = i.dialog === 'test_point' ? `${i.label}（${i.name}）` : i.dialog === 'annotation' ? i.label || i.name : i.name;
          const li = el('li.part' + (i.name === chosen ? '.chosen' : ''), { tabIndex: 0, title: i.kind, 'data-name': i.name }, el('span', { textContent: caption }));
          if (i.dialog) {
            const b = el('button.props', { type: 'button', textContent: '属性' });
            b.addEventListener('click', (e) => {
              e.stopPropagation();
              choose(i.name);
              Page.dialogs.properties(i);
            });
            li.append(b);
          }
          li.addEventListener('click', () => choose(i.name));
          li.addEventListener('dblclick', () => i.dialog && Page.dialogs.properties(i));
          li.addEventListener('keydown', (e) => e.key === 'Enter' && i.dialog && Page.dialogs.properties(i));
          li.item = i;
          return li;
        }),
      );
    }
    list.replaceChildren(...(groups.length ? groups : [el('li.part-group', { textContent: '电路是空的。' })]));
  };

  function choose(name) {
    chosen = name;
    for (const li of document.querySelectorAll('#parts-list .part')) li.classList.toggle('chosen', li.dataset.name === name);
  }

  const chosenItem = () => {
    const li = [...document.querySelectorAll('#parts-list .part')].find((x) => x.dataset.name === chosen);
    return li && li.item;
  };

  Page.parts = {
    chosenHasDialog: () => !!(chosenItem() && chosenItem().dialog),
    propertiesOfChosen() {
      const item = chosenItem();
      if (item && item.dialog) Page.dialogs.properties(item);
    },
    // The properties dialog of an item by its name (a double click on the canvas).
    properties(name) {
      const item = Page.core.json('items').find((i) => i.name === name);
      if (item && item.dialog) return Page.dialogs.properties(item);
    },
  };
})(this);
