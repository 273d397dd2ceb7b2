// The canvas area. The circuit's picture is the core's drawers' command
// list (render/command_list.h), replayed on an HTML canvas at the zoom and
// device-pixel ratio of the moment, so it is sharp at any of them; the
// editor's overlays (the wire in progress, the rubber band, the hover ring,
// the placing outline, the marks of touching nets) come the same way and
// are painted over it. Pointer events go to the core's Editor in canvas
// pixels, and its answer says what to repaint or which dialog to open.
(function (root) {
  'use strict';
  const Page = (root.VorliskPage = root.VorliskPage || {});
  const el = Page.el;

  const ZOOM_STEPS = [25, 50, 75, 100, 150, 200, 300, 400];
  const MARGIN = 400;  // canvas pixels of room around the drawing for scrolling

  let area = null;     // the scrolling box
  let sizer = null;    // gives the box its scroll range
  let picture = null;  // the <canvas>, kept at the box's visible part
  let zoom = 100;
  let extent = { left: 0, top: 0, right: 1600, bottom: 1200 };
  let commands = null;  // the circuit's picture, parsed; null: to be fetched
  let overlay = [];
  let hintUnits = 0;    // drawing units of the hints per CSS pixel, asked once
  let dragging = false;
  let frame = 0;        // a repaint is asked for on the next animation frame
  const pictureCache = new Map();

  const scale = () => zoom / 100;
  const ratio = () => root.devicePixelRatio || 1;
  // The canvas pixel at the box's top-left corner.
  const origin = () => [extent.left + area.scrollLeft / scale(), extent.top + area.scrollTop / scale()];

  // --- the command list's text, read back -----------------------------------------------------

  // Splits a line into words; a word in double quotes may hold spaces and \" \\ \n \r.
  function words(line) {
    const out = [];
    let i = 0;
    while (i < line.length) {
      if (line[i] === ' ') { ++i; continue; }
      if (line[i] === '"') {
        let s = '';
        for (++i; i < line.length && line[i] !== '"'; ++i) {
          if (line[i] === '\\' && i + 1 < line.length) {
            const n = line[++i];
            s += n === 'n' ? '\n' : n === 'r' ? '\r' : n;
          } else {
            s += line[i];
          }
        }
        ++i;
        out.push(s);
      } else {
        const end = line.indexOf(' ', i);
        out.push(line.slice(i, end < 0 ? line.length : end));
        i = end < 0 ? line.length : end;
      }
    }
    return out;
  }

  function parse(text) {
    const list = [];
    for (const line of text.split('\n')) if (line) list.push(line.includes('"') ? words(line) : line.split(' '));
    return list;
  }

  // --- replaying it on a 2-D context ------------------------------------------------------------

  const FACES = '"Liberation Sans", Arial, "DejaVu Sans", "WenQuanYi Micro Hei", "Noto Sans CJK SC", "Microsoft YaHei", sans-serif';
  const fontOf = (px, style, face) =>
    (style.includes('i') ? 'italic ' : '') + (style.includes('b') ? 'bold ' : '') + px + 'px "' + face.replace(/"/g, '') + '", ' + FACES;

  // A component picture with one colour left out, as a canvas to draw from.
  function pictureOf(id, transparent) {
    const key = id + transparent;
    let c = pictureCache.get(key);
    if (c) return c;
    const bytes = Page.core.bytes('picture_pixels', id);
    const head = new DataView(bytes.buffer, bytes.byteOffset, 8);
    const w = head.getInt32(0, true), h = head.getInt32(4, true);
    c = document.createElement('canvas');
    c.width = Math.max(w, 1);
    c.height = Math.max(h, 1);
    const g = c.getContext('2d');
    const image = g.createImageData(c.width, c.height);
    const t = parseInt(transparent.slice(1), 16);
    const tr = (t >> 16) & 255, tg = (t >> 8) & 255, tb = t & 255;
    for (let i = 0; i < w * h; ++i) {
      const r = bytes[8 + 3 * i], gg = bytes[9 + 3 * i], b = bytes[10 + 3 * i];
      image.data.set([r, gg, b, r === tr && gg === tg && b === tb ? 0 : 255], 4 * i);
    }
    g.putImageData(image, 0, 0);
    pictureCache.set(key, c);
    return c;
  }

  // A pen of width w covers p - w/2 .. p - w/2 + w - 1 across its path:
  // its centre line stands half a pixel in for odd widths.
  const inset = (w) => (w % 2 ? 0.5 : 0);

  // The centre line of a stroke through canvas points [x0, y0, x1, y1, ...]
  // as the desktop's scaled surfaces stroke it (render/scaled_canvas.cpp):
  // through the pen's centres, the last point one pixel short (a line covers
  // its first point, not its last), to be stroked with square ends, which
  // reach half the pen beyond both. Repeated points are left out; a stroke
  // that comes down to one point is [x, y] (a square of the pen); none: null.
  function strokePoints(pts, width) {
    const o = inset(width), out = [];
    for (let k = 0; k + 1 < pts.length; k += 2) {
      const x = pts[k] + o, y = pts[k + 1] + o, n = out.length;
      if (!n || out[n - 2] !== x || out[n - 1] !== y) out.push(x, y);
    }
    if (out.length < 4) return null;
    const n = out.length, dx = out[n - 2] - out[n - 4], dy = out[n - 1] - out[n - 3];
    const m = Math.max(Math.abs(dx), Math.abs(dy));
    if (m <= 1) out.length = n - 2;  // the last point's pixel is the one before's
    else out[n - 2] -= dx / m, out[n - 1] -= dy / m;
    return out;
  }

  // Paints a list of commands. Strokes of one pen are gathered into one
  // path, and the context's pen, brush and font are set only when they
  // change: a large circuit is tens of thousands of commands.
  function replay(g, list) {
    let pen = null, width = 0, fill = null, font = null;
    let open = false;  // a path of strokes being gathered
    const flush = () => {
      if (open) g.stroke();
      open = false;
    };
    const stroke = (p, w) => {
      if (p !== pen || w !== width) {
        flush();
        if (p !== pen) g.strokeStyle = pen = p;
        if (w !== width) g.lineWidth = width = w;
      }
      if (!open) g.beginPath();
      open = true;
    };
    const brush = (f) => {
      if (f !== fill) g.fillStyle = fill = f;
    };
    // A run through the points, leaving out the last point's pixel.
    const run = (pts) => {
      const p = strokePoints(pts, width);
      if (!p) return;
      // One pixel: the pen's square, as a stroke too short to see but for its ends.
      if (p.length === 2) p.push(p[0] + 1e-3, p[1]);
      g.moveTo(p[0], p[1]);
      for (let k = 2; k < p.length; k += 2) g.lineTo(p[k], p[k + 1]);
    };
    g.save();
    g.textBaseline = 'top';
    g.lineCap = 'square';
    g.lineJoin = 'miter';
    for (const c of list) {
      switch (c[0]) {
        case 'line':
          stroke(c[5], +c[6]);
          run([+c[1], +c[2], +c[3], +c[4]]);
          break;
        case 'polyline': {
          stroke(c[1], +c[2]);
          const n = +c[3], pts = new Array(2 * n);
          for (let k = 0; k < 2 * n; ++k) pts[k] = +c[4 + k];
          run(pts);
          break;
        }
        case 'rect': {
          flush();
          const l = +c[1], t = +c[2], r = +c[3], b = +c[4], w = +c[6];
          if (c[7] !== 'none') brush(c[7]), g.fillRect(l, t, r - l, b - t);
          stroke(c[5], w);
          const o = inset(w);
          g.rect(l + o, t + o, r - l - 1, b - t - 1);
          flush();
          break;
        }
        case 'ellipse': {
          flush();
          const l = +c[1], t = +c[2], r = +c[3], b = +c[4], w = +c[6];
          stroke(c[5], w);
          g.ellipse((l + r) / 2, (t + b) / 2, Math.max((r - l - w) / 2, 0.1), Math.max((b - t - w) / 2, 0.1), 0, 0, 2 * Math.PI);
          if (c[7] !== 'none') brush(c[7]), g.fill();
          flush();
          break;
        }
        case 'pixel':
          flush();
          brush(c[3]);
          g.fillRect(+c[1], +c[2], 1, 1);
          break;
        case 'text':
        case 'text_up': {
          flush();
          const x = +c[1], y = +c[2], w = +c[3], h = +c[4], px = +c[6], style = c[7];
          const f = fontOf(px, style, c[8]);
          if (f !== font) g.font = font = f;
          brush(c[5]);
          const dy = Math.max(0, (h - px) / 2);
          // Within the box the core measured, so text never overruns what it placed beside it.
          if (c[0] === 'text') {
            g.fillText(c[9], x, y + dy, Math.max(w, 1) + 1);
            if (style.includes('u')) g.fillRect(x, y + h - Math.max(1, px / 14), w, Math.max(1, px / 14));
            if (style.includes('s')) g.fillRect(x, y + h / 2, w, Math.max(1, px / 14));
          } else {
            g.save();
            g.translate(x, y);
            g.rotate(-Math.PI / 2);
            g.fillText(c[9], 0, dy, Math.max(w, 1) + 1);
            g.restore();
          }
          break;
        }
        case 'picture':
          flush();
          g.drawImage(pictureOf(+c[3], c[4]), +c[1], +c[2]);
          break;
        case 'clip': {
          flush();
          g.restore();
          g.save();
          g.textBaseline = 'top';
          pen = fill = font = null;
          width = 0;
          const count = +c[1];
          if (count > 0) {
            g.beginPath();
            for (let k = 0; k < count; ++k) {
              const l = +c[2 + 4 * k], t = +c[3 + 4 * k], r = +c[4 + 4 * k], b = +c[5 + 4 * k];
              g.rect(l, t, r - l + 1, b - t + 1);
            }
            g.clip();
          }
          break;
        }
      }
    }
    flush();
    g.restore();
  }

  // --- painting ---------------------------------------------------------------------------------

  // Fits the canvas to the visible part of the box, at the screen's density.
  function fit() {
    const w = area.clientWidth, h = area.clientHeight, r = ratio();
    picture.style.left = area.scrollLeft + 'px';
    picture.style.top = area.scrollTop + 'px';
    picture.style.width = w + 'px';
    picture.style.height = h + 'px';
    const pw = Math.max(1, Math.round(w * r)), ph = Math.max(1, Math.round(h * r));
    if (picture.width !== pw) picture.width = pw;
    if (picture.height !== ph) picture.height = ph;
  }

  // The scroll range: the drawing with room around it, and at least the box.
  let boundsRevision = -1, bounds = null;
  // The drawing's extent, worked out again only when the circuit changed.
  function drawingBounds() {
    const revision = Page.doc() ? Page.doc().revision : 0;
    if (revision !== boundsRevision) bounds = Page.core.json('picture_bounds'), boundsRevision = revision;
    return bounds;
  }

  function fitExtent() {
    const b = drawingBounds();
    const [ox, oy] = origin();
    const view = { left: ox, top: oy, right: ox + area.clientWidth / scale(), bottom: oy + area.clientHeight / scale() };
    const e = {
      left: Math.min(0, b ? b[0] - MARGIN : 0, view.left),
      top: Math.min(0, b ? b[1] - MARGIN : 0, view.top),
      right: Math.max(b ? b[2] + MARGIN : 0, view.right, 800),
      bottom: Math.max(b ? b[3] + MARGIN : 0, view.bottom, 600),
    };
    const moved = e.left !== extent.left || e.top !== extent.top;
    extent = e;
    sizer.style.width = Math.ceil((e.right - e.left) * scale()) + 'px';
    sizer.style.height = Math.ceil((e.bottom - e.top) * scale()) + 'px';
    if (moved) {
      area.scrollLeft = (ox - e.left) * scale();
      area.scrollTop = (oy - e.top) * scale();
    }
  }

  function paint() {
    frame = 0;
    if (!picture) return;
    if (!commands) {
      fitExtent();
      const [ox, oy] = origin();
      commands = parse(Page.core.text('picture', zoom, ratio(), Math.floor(ox), Math.floor(oy),
        Math.ceil(area.clientWidth / scale()) + 2, Math.ceil(area.clientHeight / scale()) + 2));
    }
    fit();
    const g = picture.getContext('2d');
    const s = scale() * ratio();
    const [ox, oy] = origin();
    g.setTransform(1, 0, 0, 1, 0, 0);
    g.fillStyle = '#fff';
    g.fillRect(0, 0, picture.width, picture.height);
    g.setTransform(s, 0, 0, s, -ox * s, -oy * s);
    g.imageSmoothingEnabled = zoom < 100 || s % 1 !== 0;
    replay(g, commands);
    replay(g, overlay);
    // The hover ring, the placing outline and the touching nets' marks, at
    // the screen's own size: the core's drawer speaks in fractions of a CSS pixel.
    const units = hintUnits || (hintUnits = Page.core.call('hint_units'));
    g.setTransform(ratio() / units, 0, 0, ratio() / units, 0, 0);
    replay(g, parse(Page.core.text('hints', zoom, ratio(), ox, oy, dragging)));
  }

  // The overlays as the editor leaves them after an event.
  function takeOverlays() {
    overlay = parse(Page.core.text('overlay', zoom, ratio()));
  }

  function schedule() {
    if (!frame) frame = root.requestAnimationFrame(paint);
  }

  // --- zoom -----------------------------------------------------------------------------------------

  // Zooms to `percent`, keeping the canvas point under (cssX, cssY) of the box in place.
  function zoomTo(percent, cssX, cssY) {
    percent = Math.min(400, Math.max(25, percent));
    if (percent === zoom || !area) return;
    const [ox, oy] = origin();
    const px = ox + cssX / scale(), py = oy + cssY / scale();
    zoom = percent;
    commands = null;
    const nx = px - cssX / scale(), ny = py - cssY / scale();
    extent = { left: Math.min(extent.left, nx), top: Math.min(extent.top, ny), right: extent.right, bottom: extent.bottom };
    sizer.style.width = Math.ceil((extent.right - extent.left) * scale()) + 'px';
    sizer.style.height = Math.ceil((extent.bottom - extent.top) * scale()) + 'px';
    area.scrollLeft = (nx - extent.left) * scale();
    area.scrollTop = (ny - extent.top) * scale();
    Page.showZoom(zoom);
    schedule();
  }
  const stepFrom = (dir) => {
    const i = ZOOM_STEPS.findIndex((z) => z >= zoom);
    const k = ZOOM_STEPS[i] === zoom ? i + dir : dir > 0 ? i : i - 1;
    return ZOOM_STEPS[Math.min(ZOOM_STEPS.length - 1, Math.max(0, k))];
  };
  const centre = () => [area.clientWidth / 2, area.clientHeight / 2];

  // --- pointer events to the editor -------------------------------------------------------------

  // The canvas pixel of a pointer event.
  function at(e) {
    const r = picture.getBoundingClientRect();
    const [ox, oy] = origin();
    return [Math.floor(ox + (e.clientX - r.left) / scale()), Math.floor(oy + (e.clientY - r.top) / scale())];
  }
  const BUTTONS = { 0: 0, 2: 1, 1: 2 };

  // Passes a pointer event to the editor and acts on its answer.
  function send(kind, button, modifier, x, y) {
    const answer = Page.core.json('mouse', kind, button, modifier, x, y);
    dragging = kind === 0 || (kind === 1 && dragging);
    if (kind === 2 || kind === 3) dragging = false;
    takeOverlays();
    if (answer.redraw >= 0) commands = null;
    schedule();
    // Over a place where nets touch unconnected, the status line says so.
    const mark = kind === 1 && !answer.status ? Page.core.text('touch_note', zoom, x, y, dragging) : '';
    Page.status(mark || answer.status);
    if (answer.annotationAt) Page.dialogs.newAnnotation(answer.annotationAt);
    if (answer.properties && answer.selection) Page.parts.properties(answer.selection);
    if (answer.selectTool) Page.showTool('');
    if (answer.contextMenu) Page.menus.contextMenu(lastClient[0], lastClient[1]);
    if (kind !== 1 || answer.redraw >= 0) Page.refresh();
    return answer;
  }

  let lastClient = [0, 0];
  const touches = new Map();  // pointer id -> [x, y] of the touches down
  let pinch = null;           // {distance, zoom} while two fingers are down
  let lastTap = null;         // {time, x, y} of the last touch's release

  function pointerDown(e) {
    picture.focus({ preventScroll: true });
    if (e.pointerType === 'touch') {
      touches.set(e.pointerId, [e.clientX, e.clientY]);
      if (touches.size === 2) {
        const [a, b] = [...touches.values()];
        pinch = { distance: Math.hypot(a[0] - b[0], a[1] - b[1]), zoom };
        return;
      }
    }
    if (pinch) return;
    picture.setPointerCapture(e.pointerId);
    lastClient = [e.clientX, e.clientY];
    const [x, y] = at(e);
    send(0, BUTTONS[e.button] ?? 0, e.ctrlKey || e.shiftKey, x, y);
    e.preventDefault();
  }

  function pointerMove(e) {
    if (e.pointerType === 'touch' && touches.has(e.pointerId)) {
      touches.set(e.pointerId, [e.clientX, e.clientY]);
      if (pinch && touches.size === 2) {
        const [a, b] = [...touches.values()];
        const d = Math.hypot(a[0] - b[0], a[1] - b[1]);
        const r = picture.getBoundingClientRect();
        const want = pinch.zoom * (d / Math.max(pinch.distance, 1));
        // The nearest zoom step, about the fingers' middle.
        const step = ZOOM_STEPS.reduce((best, z) => (Math.abs(Math.log(z / want)) < Math.abs(Math.log(best / want)) ? z : best));
        zoomTo(step, (a[0] + b[0]) / 2 - r.left, (a[1] + b[1]) / 2 - r.top);
        return;
      }
    }
    if (pinch) return;
    const [x, y] = at(e);
    Page.showPlace(x, y);
    send(1, 0, e.ctrlKey || e.shiftKey, x, y);
  }

  function pointerUp(e) {
    if (e.pointerType === 'touch') {
      touches.delete(e.pointerId);
      if (pinch) {
        if (touches.size === 0) pinch = null;
        return;
      }
    }
    const [x, y] = at(e);
    send(2, BUTTONS[e.button] ?? 0, e.ctrlKey || e.shiftKey, x, y);
    // A second tap soon after, near the first: a double click (switches, dialogs).
    if (e.pointerType === 'touch') {
      const now = performance.now();
      if (lastTap && now - lastTap.time < 400 && Math.hypot(e.clientX - lastTap.x, e.clientY - lastTap.y) < 20) {
        send(3, 0, false, x, y);
        lastTap = null;
      } else {
        lastTap = { time: now, x: e.clientX, y: e.clientY };
      }
    }
  }

  function listen() {
    picture.addEventListener('pointerdown', pointerDown);
    picture.addEventListener('pointermove', pointerMove);
    picture.addEventListener('pointerup', pointerUp);
    picture.addEventListener('pointercancel', (e) => {
      touches.delete(e.pointerId);
      if (touches.size === 0) pinch = null;
    });
    picture.addEventListener('dblclick', (e) => {
      const [x, y] = at(e);
      send(3, BUTTONS[e.button] ?? 0, false, x, y);
    });
    picture.addEventListener('contextmenu', (e) => e.preventDefault());
    picture.addEventListener('pointerleave', () => {
      Page.core.call('mouse_left');
      takeOverlays();
      schedule();
    });
    area.addEventListener('wheel', (e) => {
      if (!e.ctrlKey) return;  // plain wheel: scrolling, the browser's own
      e.preventDefault();
      const r = area.getBoundingClientRect();
      zoomTo(stepFrom(e.deltaY < 0 ? 1 : -1), e.clientX - r.left, e.clientY - r.top);
    }, { passive: false });
    area.addEventListener('scroll', () => {
      commands = null;  // the picture is made for what the box shows
      schedule();
    });
    new ResizeObserver(() => {
      commands = null;
      schedule();
    }).observe(area);
    // A move to a screen of another density.
    const watchRatio = () => {
      root.matchMedia(`(resolution: ${ratio()}dppx)`).addEventListener('change', () => {
        commands = null;
        schedule();
        watchRatio();
      }, { once: true });
    };
    watchRatio();
  }

  Page.canvas = {
    mount(element) {
      area = element;
      sizer = el('div.canvas-sizer');
      picture = el('canvas.picture', { tabIndex: 0 });
      area.replaceChildren(sizer, picture);
      listen();
      Page.showZoom(zoom);
      schedule();
    },
    // The circuit changed (a command, a running frame): its picture is fetched anew.
    invalidate() {
      commands = null;
      if (picture) takeOverlays();
      schedule();
    },
    zoomIn: () => zoomTo(stepFrom(1), ...centre()),
    zoomOut: () => zoomTo(stepFrom(-1), ...centre()),
    zoomActual: () => zoomTo(100, ...centre()),
    // 适合窗口: the whole drawing in view, centred.
    zoomFit() {
      const b = Page.core.json('picture_bounds');
      if (!b) return;
      const w = b[2] - b[0], h = b[3] - b[1];
      const fits = ZOOM_STEPS.filter((z) => (w * z) / 100 <= area.clientWidth - 20 && (h * z) / 100 <= area.clientHeight - 20);
      zoomTo(fits.length ? fits[fits.length - 1] : 25, ...centre());
      commands = null;
      fitExtent();
      area.scrollLeft = ((b[0] + b[2]) / 2 - extent.left) * scale() - area.clientWidth / 2;
      area.scrollTop = ((b[1] + b[3]) / 2 - extent.top) * scale() - area.clientHeight / 2;
      schedule();
    },
    // A file opens at 100 %, scrolled to its drawing.
    opened() {
      zoom = 100;
      Page.showZoom(zoom);
      commands = null;
      const b = Page.core.json('picture_bounds');
      fitExtent();
      area.scrollLeft = b ? Math.max(0, (Math.min(b[0], 0) - extent.left) * scale()) : 0;
      area.scrollTop = b ? Math.max(0, (Math.min(b[1], 0) - extent.top) * scale()) : 0;
      schedule();
    },
    zoom: () => zoom,
    // The client (viewport) point of canvas pixel (x, y): for scripts and tests.
    clientPoint(x, y) {
      const r = picture.getBoundingClientRect();
      const [ox, oy] = origin();
      return [r.left + (x - ox + 0.5) * scale(), r.top + (y - oy + 0.5) * scale()];
    },
    // Replays command-list text on a 2-D context (the box's icons, pictures).
    replay: (g, text) => replay(g, parse(text)),
    parse,
    replayList: replay,
    strokePoints,
    // The picture as it stands (tests and printing).
    paintNow: paint,
    element: () => picture,
  };
})(this);
