// The module's exported functions as the page calls them: strings and
// bytes in, JSON, text or bytes out, a failed call thrown as an Error with
// the core's Chinese message. The same file serves the page and node.
(function (root) {
  'use strict';

  function makeCore(M) {
    const decoder = new TextDecoder();

    // Calls _vorlisk_<name>: a string goes in as UTF-8 text, a Uint8Array as
    // its address and length, a boolean as 0 or 1.
    function call(name, ...args) {
      const fn = M['_vorlisk_' + name];
      if (!fn) throw new Error('没有这个功能：' + name);
      const owned = [];
      const flat = [];
      for (const a of args) {
        if (typeof a === 'string') {
          const size = M.lengthBytesUTF8(a) + 1;
          const p = M._malloc(size);
          M.stringToUTF8(a, p, size);
          owned.push(p);
          flat.push(p);
        } else if (a instanceof Uint8Array) {
          const p = M._malloc(Math.max(a.length, 1));
          M.HEAPU8.set(a, p);
          owned.push(p);
          flat.push(p, a.length);
        } else if (typeof a === 'boolean') {
          flat.push(a ? 1 : 0);
        } else {
          flat.push(a);
        }
      }
      try {
        return fn(...flat);
      } finally {
        for (const p of owned) M._free(p);
      }
    }

    const error = () => M.UTF8ToString(M._vorlisk_error());
    const resultBytes = () => {
      const p = M._vorlisk_result();
      return M.HEAPU8.slice(p, p + M._vorlisk_result_size());
    };

    return {
      call,
      // A call that returns 0 when it worked.
      check(name, ...args) {
        if (call(name, ...args) !== 0) throw new Error(error());
      },
      // A call returning JSON text.
      json(name, ...args) {
        return JSON.parse(M.UTF8ToString(call(name, ...args)));
      },
      // A call returning text.
      text(name, ...args) {
        call(name, ...args);
        return decoder.decode(resultBytes());
      },
      // A call that leaves bytes in the result, or throws its message.
      bytes(name, ...args) {
        if (call(name, ...args) !== 0) throw new Error(error());
        return resultBytes();
      },
      // A dialog's OK: null when accepted, else {field, message}.
      refusal(name, ...args) {
        const field = call(name, ...args);
        return field === 0 ? null : { field, message: error() };
      },
      resultText: () => decoder.decode(resultBytes()),
      resultInts: () => {
        const b = resultBytes();
        return new Int32Array(b.buffer, b.byteOffset, b.length >> 2);
      },
    };
  }

  if (typeof module === 'object' && module.exports) module.exports = { makeCore };
  else (root.VorliskPage = root.VorliskPage || {}).makeCore = makeCore;
})(this);
