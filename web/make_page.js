// Writes vorlisk.html: the page's template with its styles, the module (its
// WebAssembly already inlined), the examples and the page's scripts put
// inside, so that the one file works from file:// and from any web server.
// Usage: node make_page.js PAGE_DIR MODULE_JS EXAMPLES_DIR OUT_HTML
'use strict';
const fs = require('fs');
const path = require('path');

const [pageDir, moduleJs, examplesDir, outHtml] = process.argv.slice(2);

// The page's scripts, one per concern, in the order they build on each other.
const PAGE_SCRIPTS = [
  'core.js', 'hook.js', 'ui.js', 'files.js', 'storage.js', 'examples.js', 'menus.js', 'run.js', 'panels.js',
  'box.js', 'dialogs.js', 'table.js', 'trace.js', 'grading.js', 'help.js', 'canvas.js', 'palette.js', 'pictures.js', 'main.js',
];

function examples(dir, prefix = '') {
  const files = [];
  for (const entry of fs.readdirSync(dir, { withFileTypes: true }).sort((a, b) => a.name.localeCompare(b.name))) {
    const rel = prefix ? prefix + '/' + entry.name : entry.name;
    if (entry.isDirectory()) files.push(...examples(path.join(dir, entry.name), rel));
    else if (entry.name.endsWith('.vlk'))
      files.push({ path: rel, data: fs.readFileSync(path.join(dir, entry.name)).toString('base64') });
  }
  return files;
}

// A script inlined into the page must not close its own element.
const inline = (code) => '<script>\n' + code.replace(/<\/script/gi, '<\\/script') + '\n</script>';

const scripts = [
  fs.readFileSync(moduleJs, 'utf8'),
  '(this.VorliskPage = this.VorliskPage || {}).exampleFiles = ' + JSON.stringify(examples(examplesDir)) + ';',
  ...PAGE_SCRIPTS.map((f) => fs.readFileSync(path.join(pageDir, f), 'utf8')),
];
const html = fs
  .readFileSync(path.join(pageDir, 'index.html'), 'utf8')
  .replace('/*STYLE*/', () => fs.readFileSync(path.join(pageDir, 'style.css'), 'utf8'))
  .replace('<!--SCRIPTS-->', () => scripts.map(inline).join('\n'));
fs.writeFileSync(outHtml, html);
