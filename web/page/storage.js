// The open circuit kept in the browser's storage every few seconds and when
// the page goes away, so that a closed tab on a shared lab computer loses
// nothing: the next time the page opens it offers the unsaved circuit back.
(function (root) {
  'use strict';
  const Page = (root.VorliskPage = root.VorliskPage || {});

  const KEY = 'vorlisk.circuit';
  const EVERY_MS = 5000;
  let keptRevision = null;

  const base64 = (bytes) => {
    let s = '';
    for (let i = 0; i < bytes.length; i += 0x8000) s += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    return btoa(s);
  };
  const unbase64 = (text) => Uint8Array.from(atob(text), (c) => c.charCodeAt(0));

  function read() {
    try {
      const kept = JSON.parse(localStorage.getItem(KEY) || 'null');
      return kept && typeof kept.data === 'string' ? kept : null;
    } catch (e) {
      return null;
    }
  }

  // Keeps the circuit when it changed since it was last kept.
  function keep() {
    const doc = Page.doc();
    if (doc.revision === keptRevision) return;
    try {
      const entry = {
        name: doc.title === '无标题' ? '' : doc.title,
        example: doc.example,
        modified: doc.modified,
        time: Date.now(),
        data: base64(Page.core.bytes('save')),
      };
      localStorage.setItem(KEY, JSON.stringify(entry));
      keptRevision = doc.revision;
    } catch (e) {
      // Storage may be full or switched off: the page goes on, and says so once.
      if (keptRevision !== -1) Page.status('电路无法保存到浏览器的存储中：' + e.message);
      keptRevision = -1;
    }
  }

  // Offers back what the last page left unsaved; the offer stays until it
  // is answered, whatever is opened meanwhile.
  function offer() {
    const kept = read();
    if (!kept || !kept.modified) return;
    const banner = document.getElementById('banner');
    const when = new Date(kept.time).toLocaleString('zh-CN');
    const name = kept.name || '无标题';
    const restore = Page.el('button', { type: 'button', textContent: '恢复' });
    const discard = Page.el('button', { type: 'button', textContent: '不恢复' });
    banner.replaceChildren(
      Page.el('span', { textContent: `上次关闭页面时，电路“${name}”（${when}）还没有保存。` }),
      restore,
      discard,
    );
    banner.hidden = false;
    restore.addEventListener('click', async () => {
      if (!(await Page.files.confirmDiscard())) return;
      banner.hidden = true;
      Page.stopForCommand();
      try {
        Page.core.check('restore', unbase64(kept.data), kept.name, kept.example, true);
      } catch (e) {
        await Page.alert(e.message, 'error');
        return;
      }
      Page.afterOpen();
      Page.status('已恢复未保存的电路“' + name + '”。');
    });
    discard.addEventListener('click', () => {
      banner.hidden = true;
      if (Page.doc().revision === keptRevision || keptRevision === null) localStorage.removeItem(KEY);
    });
  }

  Page.storage = {
    start() {
      // What the page opens with is no work of the user's.
      keptRevision = Page.doc().revision;
      offer();
      setInterval(keep, EVERY_MS);
      root.addEventListener('pagehide', keep);
      document.addEventListener('visibilitychange', () => {
        if (document.visibilityState === 'hidden') keep();
      });
    },
    keep,
  };
})(this);
