// Circuit files in and out of the page: the file picker, files dropped on
// the page, and Save as a download. Nothing leaves the computer.
(function (root) {
  'use strict';
  const Page = (root.VorliskPage = root.VorliskPage || {});

  // Calls open(bytes, name) with the file the user picks or drops.
  Page.watchFiles = function (picker, dropZone, open) {
    const read = (file) => file.arrayBuffer().then((buf) => open(new Uint8Array(buf), file.name));
    picker.addEventListener('change', () => {
      if (picker.files.length) read(picker.files[0]);
      picker.value = '';
    });
    dropZone.addEventListener('dragover', (e) => e.preventDefault());
    dropZone.addEventListener('drop', (e) => {
      e.preventDefault();
      if (e.dataTransfer.files.length) read(e.dataTransfer.files[0]);
    });
  };

  // Offers the bytes as a download named `name`.
  Page.download = function (bytes, name) {
    const url = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    const a = document.createElement('a');
    a.href = url;
    a.download = name;
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 1000);
  };
})(this);
