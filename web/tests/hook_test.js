// window.vorlisk under node, held against the desktop build's vorlisk-sim:
// the half adder's readings for every setting of A and B, the bytes save()
// gives, and the loader's message for a damaged file.
// Usage: node hook_test.js MODULE_JS HOOK_JS EXAMPLES_DIR NATIVE_VORLISK_SIM
'use strict';
const assert = require('assert');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');

const [moduleJs, hookJs, examplesDir, nativeSim] = process.argv.slice(2);
if (!fs.existsSync(nativeSim)) {
  console.log('skipped: no native vorlisk-sim at ' + nativeSim + ' (build the desktop build first)');
  process.exit(77);
}

// What the native runner prints, as readings() gives it.
function nativeReadings(args, cwd) {
  const r = spawnSync(nativeSim, args, { cwd, encoding: 'utf8' });
  assert.strictEqual(r.status, 0, r.stderr);
  const out = {};
  for (const line of r.stdout.split('\n').filter(Boolean)) {
    const [label, value] = line.split('\t');
    out[label] = Number(value);
  }
  return out;
}

(async () => {
  const createVorlisk = require(path.resolve(moduleJs));
  const { makeHook } = require(path.resolve(hookJs));
  const vorlisk = makeHook(await createVorlisk());
  const file = path.join(examplesDir, '半加器.vlk');
  const bytes = fs.readFileSync(file);

  vorlisk.open(new Uint8Array(bytes), '半加器.vlk');
  assert.deepStrictEqual(Buffer.from(vorlisk.save()), bytes, 'save() right after open: the bytes the desktop saved');
  assert.deepStrictEqual(vorlisk.switches().map((s) => s.name), ['A', 'B']);

  for (const [a, b] of [[0, 0], [0, 1], [1, 0], [1, 1]]) {
    vorlisk.set('A', a);
    vorlisk.set('B', b);
    vorlisk.run(100);
    const expected = nativeReadings([file, '--passes', '100', '--set', `A=${a}`, '--set', `B=${b}`]);
    assert.deepStrictEqual(vorlisk.readings(), expected, `A=${a} B=${b}`);
  }

  // The saved file keeps the levels set: the native runner reads them.
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlisk_hook_'));
  const saved = path.join(dir, '已设置.vlk');
  fs.writeFileSync(saved, vorlisk.save());
  assert.deepStrictEqual(nativeReadings([saved, '--passes', '100']), vorlisk.readings(), 'saved with A=1 B=1');

  // A damaged file: the loader's message, as the native runner gives it for
  // a file of that name; the circuit open before stays.
  const damaged = Buffer.concat([bytes.subarray(0, bytes.indexOf('\r\n', 200)), Buffer.from('\r\n不是数字\r\n')]);
  fs.writeFileSync(path.join(dir, '损坏.vlk'), damaged);
  const native = spawnSync(nativeSim, ['损坏.vlk'], { cwd: dir, encoding: 'utf8' });
  assert.strictEqual(native.status, 2);
  const message = native.stderr.replace(/^vorlisk-sim: /, '').trim();
  assert.throws(() => vorlisk.open(new Uint8Array(damaged), '损坏.vlk'), (e) => e.message === message);
  assert.deepStrictEqual(vorlisk.switches().map((s) => s.name), ['A', 'B'], 'the half adder is still open');

  assert.throws(() => vorlisk.set('Q', 1), /现有：A、B/);
  assert.throws(() => vorlisk.set('A', 2), /0 或 1/);
  assert.throws(() => vorlisk.run(-1), /整数/);
  fs.rmSync(dir, { recursive: true });
  console.log('web hook: readings, save and messages agree with the native vorlisk-sim');
})().catch((e) => {
  console.error(e);
  process.exit(1);
});
