// window.vorlisk: the page's scripting hook, for tests and for anyone
// automating the page. It works on the circuit the page shows; `changed`
// is told after every call that may have changed it. The same file serves
// the page and node (the tests).
(function (root) {
  'use strict';

  function makeHook(core, changed = () => {}) {
    const pairs = (name) => core.json(name);
    return {
      // Opens the bytes of a .vlk file as the page opens it; returns the
      // warning about values replaced by their reset values ('' when none).
      // A damaged file throws the loader's message; the circuit open before stays.
      open(bytes, name) {
        if (!(bytes instanceof Uint8Array)) throw new TypeError('open(bytes, name)：bytes 须是 Uint8Array');
        try {
          core.check('open', bytes, String(name ?? ''), false);
          return core.resultText();
        } finally {
          changed();
        }
      },
      // A level switch by its test point's label or its name, to 0 or 1.
      set(name, level) {
        core.check('set', String(name), Number(level));
        changed();
      },
      // Passes in virtual time from the stopped circuit.
      run(passes) {
        try {
          core.check('run', Number(passes));
        } finally {
          changed();
        }
      },
      // Test-point label -> 0 or 1, as the test points read now.
      readings() {
        const out = {};
        for (const [label, value] of pairs('readings')) out[label] = value;
        return out;
      },
      // The bytes Save writes (GBK, CR LF), as a Uint8Array.
      save() {
        return core.bytes('save');
      },
      // The level switches as set() names them, with their levels.
      switches() {
        return pairs('switches').map(([name, level]) => ({ name, level }));
      },
      // LEDs and displays as vorlisk-sim --indicators names them: name -> what they show.
      indicators() {
        const out = {};
        for (const i of core.json('panel').indicators) out[i.name] = i.text;
        return out;
      },
      // Whether the circuit differs from what was last opened or saved.
      get modified() {
        return core.json('document').modified;
      },
    };
  }

  if (typeof module === 'object' && module.exports) module.exports = { makeHook };
  else (root.VorliskPage = root.VorliskPage || {}).makeHook = makeHook;
})(this);
