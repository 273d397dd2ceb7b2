// window.vorlisk: the page's scripting hook, over the module's exported
// functions. The same file serves the page and node (the tests).
(function (root) {
  'use strict';

  function makeHook(M) {
    const check = (rc) => {
      if (rc !== 0) throw new Error(M.UTF8ToString(M._vorlisk_error()));
    };
    const withText = (text, fn) => {
      const size = M.lengthBytesUTF8(text) + 1;
      const p = M._malloc(size);
      M.stringToUTF8(text, p, size);
      try {
        return fn(p);
      } finally {
        M._free(p);
      }
    };
    const pairs = (json) => JSON.parse(M.UTF8ToString(json));
    let modified = false;

    return {
      // Opens the bytes of a .vlk file; a damaged file throws the loader's
      // message, and the circuit open before stays.
      open(bytes, name) {
        if (!(bytes instanceof Uint8Array)) throw new TypeError('open(bytes, name)：bytes 须是 Uint8Array');
        const p = M._malloc(Math.max(bytes.length, 1));
        M.HEAPU8.set(bytes, p);
        try {
          withText(String(name ?? ''), (n) => check(M._vorlisk_open(p, bytes.length, n)));
        } finally {
          M._free(p);
        }
        modified = false;
      },
      // A level switch by its test point's label or its name, to 0 or 1.
      set(name, level) {
        withText(String(name), (n) => check(M._vorlisk_set(n, Number(level))));
        modified = true;
      },
      // Passes in virtual time from the stopped circuit.
      run(passes) {
        check(M._vorlisk_run(Number(passes)));
      },
      // Test-point label -> 0 or 1 after the last run.
      readings() {
        const out = {};
        for (const [label, value] of pairs(M._vorlisk_readings())) out[label] = value;
        return out;
      },
      // The bytes Save writes (GBK, CR LF), as a Uint8Array.
      save() {
        check(M._vorlisk_save());
        const p = M._vorlisk_result();
        return M.HEAPU8.slice(p, p + M._vorlisk_result_size());
      },
      // The level switches as set() names them, with their levels.
      switches() {
        return pairs(M._vorlisk_switches()).map(([name, level]) => ({ name, level }));
      },
      get modified() {
        return modified;
      },
      markSaved() {
        modified = false;
      },
    };
  }

  if (typeof module === 'object' && module.exports) module.exports = { makeHook };
  else (root.VorliskPage = root.VorliskPage || {}).makeHook = makeHook;
})(this);
