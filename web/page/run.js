// Run and Stop. The desktop runs pass after pass and handles the window's
// events in between; the page runs passes for most of each animation
// frame and leaves the rest of it to the browser, so the page never stops
// answering. In real time a pass reads the clock as on the desktop; in
// virtual time each pass advances by the step. After each frame the time
// label, the panels and the instruments follow.
(function (root) {
  'use strict';
  const Page = (root.VorliskPage = root.VorliskPage || {});

  // Of a frame (about 16 ms at 60 Hz), what the passes may take.
  const BUDGET_MS = 11;
  let frameRequested = false;
  let passes = 0;

  function frame() {
    frameRequested = false;
    if (!Page.doc().running) return;
    passes += Page.core.call('run_for', BUDGET_MS);
    Page.refresh(true);
    Page.table.follow();
    Page.trace.follow();
    request();
  }

  function request() {
    if (frameRequested || !Page.doc().running) return;
    frameRequested = true;
    root.requestAnimationFrame(frame);
  }

  Page.running = {
    run() {
      if (Page.doc().running) return;  // a second run would never end first
      Page.core.call('run_start');
      passes = 0;
      Page.refresh();
      Page.table.follow();
      Page.trace.restart();
      request();
    },
    stop() {
      Page.core.call('stop');
      Page.refresh();
    },
    // Passes since the last Run (for measuring the page's pass rate).
    passes: () => passes,
  };

  // New, Open and a restore stop a running circuit first.
  Page.stopForCommand = function () {
    if (Page.doc().running) Page.core.call('stop');
  };
})(this);
