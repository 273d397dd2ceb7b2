// The canvas area. The circuit's picture will be the core's drawers'
// command list, replayed on an HTML canvas (sharp at any device-pixel
// ratio and zoom); mouse and touch events go to the core's Editor through
// vorlisk_mouse, which answers with what the editor asked of the view. Until
// the render core hands out its commands the area shows what the circuit
// holds, and nothing on it reaches the editor: clicks on a picture that is
// not there would edit blindly.
(function (root) {
  'use strict';
  const Page = (root.VorliskPage = root.VorliskPage || {});
  const el = Page.el;

  let area = null;
  let picture = null;  // the <canvas>, once there are commands to replay

  // Canvas pixels of a pointer event (the view's zoom and origin come with the picture).
  const at = (e) => {
    const r = picture.getBoundingClientRect();
    return [Math.floor(e.clientX - r.left), Math.floor(e.clientY - r.top)];
  };
  const BUTTONS = { 0: 0, 2: 1, 1: 2 };

  // Passes a pointer event to the editor and acts on its answer.
  function pointer(kind, e) {
    const [x, y] = at(e);
    const answer = Page.core.json('mouse', kind, BUTTONS[e.button] ?? 0, e.ctrlKey || e.shiftKey, x, y);
    if (answer.properties && answer.selection) Page.parts.properties(answer.selection);
    if (answer.redraw >= 0 || kind !== 1) Page.refresh();
  }

  function listen() {
    picture.addEventListener('pointerdown', (e) => pointer(0, e));
    picture.addEventListener('pointermove', (e) => pointer(1, e));
    picture.addEventListener('pointerup', (e) => pointer(2, e));
    picture.addEventListener('dblclick', (e) => pointer(3, e));
    picture.addEventListener('contextmenu', (e) => e.preventDefault());
  }

  Page.canvas = {
    mount(element) {
      area = element;
    },
    // Shows the picture: `paint(canvas)` replays the render core's command
    // list on it (the replayer comes with the render core).
    draw(paint) {
      if (!picture) {
        picture = el('canvas.picture');
        area.replaceChildren(picture);
        listen();
      }
      paint(picture);
    },
    // Until then: what the circuit holds, by kind.
    summary(items, doc) {
      if (picture || !area) return;
      const count = (test) => items.filter(test).length;
      const parts = count((i) => i.dialog !== 'test_point' && i.dialog !== 'annotation');
      area.replaceChildren(
        el('div.placeholder', {},
          el('h2', { textContent: doc.title }),
          el('p', { textContent: `元件 ${parts} 个，检测点 ${count((i) => i.dialog === 'test_point')} 个，注释 ${count((i) => i.dialog === 'annotation')} 个。` }),
          el('p.hint', { textContent: '网页版暂时还不能显示电路图；运行、开关、读数、真值表、时序图和属性都可以在旁边的面板中使用。' })));
    },
  };
})(this);
