// The 实例 menu: the shipped example circuits, inlined into the page when
// it is built (VorliskPage.exampleFiles: path and base64 bytes), each
// subfolder a submenu before the files, as the desktop's menu lists them.
// Examples open read-only: Save asks for a new name.
(function (root) {
  'use strict';
  const Page = (root.VorliskPage = root.VorliskPage || {});

  const bytesOf = (base64) => Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
  // In the order of a Chinese dictionary, numbers by value: 74LS00 before 74LS138.
  const order = new Intl.Collator('zh-CN', { numeric: true });

  // The examples as a tree: {folders: Map(name -> tree), files: [{name, path, data}]}.
  function tree() {
    const top = { folders: new Map(), files: [] };
    for (const file of Page.exampleFiles || []) {
      const parts = file.path.split('/');
      let node = top;
      for (const folder of parts.slice(0, -1)) {
        if (!node.folders.has(folder)) node.folders.set(folder, { folders: new Map(), files: [] });
        node = node.folders.get(folder);
      }
      node.files.push({ name: parts[parts.length - 1].replace(/\.vlk$/i, ''), path: file.path, data: file.data });
    }
    return top;
  }

  // The menu entries of a tree: submenus, a separator, the files.
  function entries(node) {
    const out = [];
    for (const name of [...node.folders.keys()].sort(order.compare))
      out.push({ caption: name, submenu: entries(node.folders.get(name)) });
    const files = node.files.sort((a, b) => order.compare(a.name, b.name));
    if (files.length && out.length) out.push(null);
    for (const f of files)
      out.push({
        caption: f.name,
        command: () => Page.files.open(bytesOf(f.data), f.path.split('/').pop(), true),
      });
    if (!out.length) out.push({ caption: '（没有电路文件）', disabled: true });
    return out;
  }

  Page.exampleEntries = () => entries(tree());
  // An example's bytes by its path under the examples folder (tests, help).
  Page.exampleBytes = (path) => {
    const f = (Page.exampleFiles || []).find((x) => x.path === path);
    return f ? bytesOf(f.data) : null;
  };
})(this);
