// 导出图片: the circuit's picture as the desktop exports it, drawn by the
// core's drawers (the same command list as the canvas, without the grid
// and the selection) and written as SVG or PNG.
(function (root) {
  'use strict';
  const Page = (root.VorliskPage = root.VorliskPage || {});
  const el = Page.el;

  // The picture's area and commands at `scale` output pixels per canvas pixel.
  function commands(scale) {
    const text = Page.core.text('export_picture', scale);
    const nl = text.indexOf('\n');
    const area = text.slice(5, nl).split(' ').map(Number);
    return { area, list: Page.canvas.parse(text.slice(nl + 1)) };
  }

  // The picture drawn on a new canvas; null when the circuit is empty.
  function canvasOf(scale) {
    const { area, list } = commands(scale);
    const [l, t, r, b] = area;
    if (r <= l || b <= t) return null;
    const c = document.createElement('canvas');
    c.width = Math.ceil((r - l) * scale);
    c.height = Math.ceil((b - t) * scale);
    const g = c.getContext('2d');
    g.fillStyle = '#fff';
    g.fillRect(0, 0, c.width, c.height);
    g.setTransform(scale, 0, 0, scale, -l * scale, -t * scale);
    Page.canvas.replayList(g, list);
    return c;
  }

  const png = (scale) => new Promise((done) => canvasOf(scale).toBlob(done, 'image/png'));

  // Printing prints the circuit's picture (as 导出图片 makes it), whether
  // from the menu or the browser's own Print: made just before.
  function preparePrint() {
    let img = document.getElementById('print-picture');
    if (!img) {
      img = el('img', { id: 'print-picture', alt: '' });
      document.body.append(img);
    }
    const c = canvasOf(2);
    img.src = c ? c.toDataURL('image/png') : '';
  }
  root.addEventListener('beforeprint', preparePrint);

  const esc = (s) => s.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');
  const half = (w) => (w % 2 ? 0.5 : 0);

  // The same commands as SVG elements, by the pixel rules of the canvas.
  function svg() {
    const { area, list } = commands(1);
    const [l, t, r, b] = area;
    const out = [];
    let clip = 0, clipOpen = false;
    const defs = [];
    for (const c of list) {
      const n = (i) => +c[i];
      const stroke = (pen, w) => `stroke="${pen}" stroke-width="${w}" fill="none"`;
      switch (c[0]) {
        case 'line':
        case 'polyline': {
          const pts = c[0] === 'line' ? [n(1), n(2), n(3), n(4)] : c.slice(4, 4 + 2 * n(3)).map(Number);
          const w = c[0] === 'line' ? n(6) : n(2), pen = c[0] === 'line' ? c[5] : c[1];
          // The centre line as the canvas strokes it, with square ends.
          const p = Page.canvas.strokePoints(pts, w);
          if (!p) break;
          if (p.length === 2) {
            out.push(`<rect x="${p[0] - w / 2}" y="${p[1] - w / 2}" width="${w}" height="${w}" fill="${pen}"/>`);
            break;
          }
          const xy = [];
          for (let k = 0; k < p.length; k += 2) xy.push(`${p[k]},${p[k + 1]}`);
          out.push(`<polyline points="${xy.join(' ')}" ${stroke(pen, w)} stroke-linecap="square" stroke-linejoin="miter"/>`);
          break;
        }
        case 'rect': {
          const o = half(n(6));
          if (c[7] !== 'none') out.push(`<rect x="${n(1)}" y="${n(2)}" width="${n(3) - n(1)}" height="${n(4) - n(2)}" fill="${c[7]}"/>`);
          out.push(`<rect x="${n(1) + o}" y="${n(2) + o}" width="${n(3) - n(1) - 1}" height="${n(4) - n(2) - 1}" ${stroke(c[5], n(6))}/>`);
          break;
        }
        case 'ellipse': {
          const w = n(6);
          out.push(`<ellipse cx="${(n(1) + n(3)) / 2}" cy="${(n(2) + n(4)) / 2}" rx="${Math.max((n(3) - n(1) - w) / 2, 0.1)}" ry="${Math.max((n(4) - n(2) - w) / 2, 0.1)}" stroke="${c[5]}" stroke-width="${w}" fill="${c[7] === 'none' ? 'none' : c[7]}"/>`);
          break;
        }
        case 'pixel':
          out.push(`<rect x="${n(1)}" y="${n(2)}" width="1" height="1" fill="${c[3]}"/>`);
          break;
        case 'text':
        case 'text_up': {
          const style = c[7];
          const turn = c[0] === 'text_up' ? ` transform="rotate(-90 ${n(1)} ${n(2)})"` : '';
          const deco = [style.includes('u') && 'underline', style.includes('s') && 'line-through'].filter(Boolean).join(' ');
          out.push(`<text x="${n(1)}" y="${n(2)}" dominant-baseline="text-before-edge" font-family="${esc(c[8])}, sans-serif" font-size="${n(6)}"` +
            `${style.includes('b') ? ' font-weight="bold"' : ''}${style.includes('i') ? ' font-style="italic"' : ''}` +
            `${deco ? ` text-decoration="${deco}"` : ''} fill="${c[5]}" textLength="${n(3)}" lengthAdjust="spacingAndGlyphs"${turn} xml:space="preserve">${esc(c[9])}</text>`);
          break;
        }
        case 'picture': {
          const bytes = Page.core.bytes('picture_pixels', n(3));
          const head = new DataView(bytes.buffer, bytes.byteOffset, 8);
          const w = head.getInt32(0, true), h = head.getInt32(4, true);
          const cv = document.createElement('canvas');
          cv.width = w;
          cv.height = h;
          const g = cv.getContext('2d');
          const img = g.createImageData(w, h);
          const tr = parseInt(c[4].slice(1), 16);
          for (let i = 0; i < w * h; ++i) {
            const R = bytes[8 + 3 * i], G = bytes[9 + 3 * i], B = bytes[10 + 3 * i];
            img.data.set([R, G, B, (R << 16 | G << 8 | B) === tr ? 0 : 255], 4 * i);
          }
          g.putImageData(img, 0, 0);
          out.push(`<image x="${n(1)}" y="${n(2)}" width="${w}" height="${h}" href="${cv.toDataURL('image/png')}"/>`);
          break;
        }
        case 'clip': {
          if (clipOpen) out.push('</g>');
          clipOpen = false;
          if (n(1) > 0) {
            const id = 'clip' + ++clip;
            const rects = [];
            for (let k = 0; k < n(1); ++k) rects.push(`<rect x="${n(2 + 4 * k)}" y="${n(3 + 4 * k)}" width="${n(4 + 4 * k) - n(2 + 4 * k) + 1}" height="${n(5 + 4 * k) - n(3 + 4 * k) + 1}"/>`);
            defs.push(`<clipPath id="${id}">${rects.join('')}</clipPath>`);
            out.push(`<g clip-path="url(#${id})">`);
            clipOpen = true;
          }
          break;
        }
      }
    }
    if (clipOpen) out.push('</g>');
    return `<?xml version="1.0" encoding="UTF-8"?>\n<svg xmlns="http://www.w3.org/2000/svg" width="${r - l}" height="${b - t}" viewBox="${l} ${t} ${r - l} ${b - t}">\n` +
      `<title>${esc(Page.doc().title)}</title>\n<rect x="${l}" y="${t}" width="${r - l}" height="${b - t}" fill="#ffffff"/>\n` +
      (defs.length ? `<defs>${defs.join('')}</defs>\n` : '') + out.join('\n') + '\n</svg>\n';
  }

  async function exportPicture() {
    const bounds = Page.core.json('picture_bounds');
    if (!bounds) return Page.alert('电路是空的，没有可以导出的图片。');
    const kind = el('select', {}, el('option', { value: 'svg', textContent: 'SVG 矢量图' }), el('option', { value: 'png', textContent: 'PNG 图片' }));
    const size = el('select', {}, [1, 2, 3, 4].map((s) => el('option', { value: String(s), textContent: s * 100 + ' %' })));
    await Page.dialog({
      title: '导出图片',
      body: el('div.grid', {}, el('label', { textContent: '格式:' }), kind, el('span'), el('label', { textContent: 'PNG 大小:' }), size, el('span')),
      buttons: [
        {
          text: '确定',
          default: true,
          action: async () => {
            if (kind.value === 'svg') Page.download(svg(), Page.exportName('电路图', 'svg'), 'image/svg+xml');
            else Page.download(await png(+size.value), Page.exportName('电路图', 'png'), 'image/png');
            return true;
          },
        },
        { text: '取消', cancel: true },
      ],
    });
  }

  Page.pictures = { exportPicture, svg, png, preparePrint };
})(this);
