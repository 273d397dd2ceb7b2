// The 实例 list: the shipped example circuits, inlined into the page when it
// is built (VorliskPage.exampleFiles: path and base64 bytes), subfolders as
// groups.
(function (root) {
  'use strict';
  const Page = (root.VorliskPage = root.VorliskPage || {});

  const bytesOf = (base64) => Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));

  Page.fillExamples = function (select, open) {
    const groups = new Map();
    for (const file of Page.exampleFiles || []) {
      const slash = file.path.lastIndexOf('/');
      const folder = slash < 0 ? '' : file.path.slice(0, slash);
      if (!groups.has(folder)) groups.set(folder, []);
      groups.get(folder).push(file);
    }
    for (const [folder, files] of groups) {
      const parent = folder ? document.createElement('optgroup') : select;
      if (folder) {
        parent.label = folder;
        select.appendChild(parent);
      }
      for (const file of files) {
        const option = document.createElement('option');
        option.value = file.path;
        option.textContent = file.path.slice(file.path.lastIndexOf('/') + 1).replace(/\.vlk$/, '');
        parent.appendChild(option);
      }
    }
    select.addEventListener('change', () => {
      const file = (Page.exampleFiles || []).find((f) => f.path === select.value);
      select.selectedIndex = 0;
      if (file) open(bytesOf(file.data), file.path.slice(file.path.lastIndexOf('/') + 1), true);
    });
  };
})(this);
