// "虚拟实验箱": the emulated experiment box of the core, as the desktop's
// window shows it: eight lamps on the signal output device's byte (lamp 1
// its bit 7), eight switches on the signal input device's (switch k its bit
// k - 1). The window open is the box plugged in; Run links to it.
(function (root) {
  'use strict';
  const Page = (root.VorliskPage = root.VorliskPage || {});
  const el = Page.el;

  const byteText = (b) => '0x' + b.toString(16).toUpperCase().padStart(2, '0') + '  ' + b.toString(2).padStart(8, '0');
  let parts = null;

  function build(win) {
    const lamps = Array.from({ length: 8 }, (_, k) => el('span.lamp', { title: `灯 ${k + 1}：输出字节的 bit${7 - k}` }, el('i'), String(k + 1)));
    const switches = Array.from({ length: 8 }, (_, k) => {
      const b = el('button.box-switch', { type: 'button', textContent: String(k + 1), title: `开关 ${k + 1}：输入字节的 bit${k}` });
      b.addEventListener('click', () => {
        const now = Page.core.json('panel').box.switches;
        Page.core.call('box_switches', now ^ (1 << k));
        Page.showPanel();
      });
      return b;
    });
    parts = { lamps, switches, out: el('div.byte'), in: el('div.byte') };
    win.body.append(
      el('p.caption', { textContent: '灯（信号输出器件 1～8 脚）' }),
      el('div.lamps', {}, lamps),
      parts.out,
      el('p.caption', { textContent: '开关（信号输入器件 1～8 脚）' }),
      el('div.box-switches', {}, switches),
      parts.in,
      el('p.hint', { textContent: '窗口打开时实验箱已接入，运行时连接；关闭窗口即拔下实验箱。' }),
    );
  }

  Page.box = {
    show() {
      Page.toolWindow('box', '虚拟实验箱', {
        build,
        width: 400,
        onShow: () => {
          Page.core.call('box_plug', 1);
          Page.showPanel();
        },
        onClose: () => Page.core.call('box_plug', 0),
      });
    },
    // The lamps and switches as the panel's reading has them.
    follow(box) {
      if (!parts) return;
      parts.lamps.forEach((l, k) => l.classList.toggle('lit', ((box.lamps >> (7 - k)) & 1) === 1));
      parts.switches.forEach((s, k) => s.classList.toggle('high', ((box.switches >> k) & 1) === 1));
      parts.out.textContent = '输出 ' + byteText(box.lamps);
      parts.in.textContent = '输入 ' + byteText(box.switches);
    },
  };
})(this);
