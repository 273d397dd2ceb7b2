// window.vorlisk under node, held against the desktop build: the half
// adder's readings for every setting of A and B against its vorlisk-sim,
// the bytes save() gives against its Save, and the loader's messages.
// Usage: node hook_test.js MODULE_JS CORE_JS HOOK_JS EXAMPLES_DIR NATIVE_BUILD
'use strict';
const assert = require('assert');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');

const [moduleJs, coreJs, hookJs, examplesDir, nativeBuild] = process.argv.slice(2);
const nativeSim = path.join(nativeBuild, 'vorlisk-sim');
const desktopResave = path.join(nativeBuild, 'tests/gui/desktop_resave');
for (const tool of [nativeSim, desktopResave])
  if (!fs.existsSync(tool)) {
    console.log('skipped: no ' + tool + ' (build the desktop build first)');
    process.exit(77);
  }

// What the desktop program saves after opening `file` and setting switches.
function desktopSaves(file, sets, dir) {
  const out = path.join(dir, 'desktop.vlk');
  const r = spawnSync(desktopResave, [file, out, ...sets], { encoding: 'utf8' });
  assert.strictEqual(r.status, 0, r.stderr);
  return fs.readFileSync(out);
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
  const { makeCore } = require(path.resolve(coreJs));
  const { makeHook } = require(path.resolve(hookJs));
  const vorlisk = makeHook(makeCore(await createVorlisk()));
  const file = path.join(examplesDir, '半加器.vlk');
  const bytes = fs.readFileSync(file);

  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlisk_hook_'));
  assert.strictEqual(vorlisk.open(new Uint8Array(bytes), '半加器.vlk'), '', 'no warning');
  assert.deepStrictEqual(Buffer.from(vorlisk.save()), desktopSaves(file, [], dir), 'save() right after open');
  assert.deepStrictEqual(vorlisk.switches().map((s) => s.name), ['A', 'B']);

  // Switches set on the stopped circuit: saved as the desktop saves them.
  vorlisk.set('A', 1);
  vorlisk.set('B', 1);
  assert.deepStrictEqual(Buffer.from(vorlisk.save()), desktopSaves(file, ['A=1', 'B=1'], dir), 'save() after set');

  for (const [a, b] of [[0, 0], [0, 1], [1, 0], [1, 1]]) {
    vorlisk.set('A', a);
    vorlisk.set('B', b);
    vorlisk.run(100);
    const expected = nativeReadings([file, '--passes', '100', '--set', `A=${a}`, '--set', `B=${b}`]);
    assert.deepStrictEqual(vorlisk.readings(), expected, `A=${a} B=${b}`);
  }

  // The levels set stay in the file: the native runner reads them.
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

  // A time step no dialog accepts: opened with the reset value and one
  // warning, as the desktop opens it, and counted as modified.
  const lines = bytes.toString('latin1').split('\r\n');
  lines[4] = '0';
  const warning = vorlisk.open(new Uint8Array(Buffer.from(lines.join('\r\n'), 'latin1')), '步长为零.vlk');
  assert.match(warning, /^文件“步长为零\.vlk”第 5 行.*已改用默认值/);
  assert.strictEqual(vorlisk.modified, true);
  vorlisk.set('A', 1);
  vorlisk.run(100);
  assert.deepStrictEqual(vorlisk.readings(), nativeReadings([file, '--passes', '100', '--set', 'A=1']));

  assert.throws(() => vorlisk.set('Q', 1), /现有：A、B/);
  assert.throws(() => vorlisk.set('A', 2), /0 或 1/);
  assert.throws(() => vorlisk.run(-1), /整数/);
  fs.rmSync(dir, { recursive: true });
  console.log('web hook: readings, save and messages agree with the native vorlisk-sim');
})().catch((e) => {
  console.error(e);
  process.exit(1);
});
