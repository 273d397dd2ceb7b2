#!/usr/bin/env python3
# How long the page takes to redraw the canvas with 999 components: the
# benchmark's grid circuit (sim_equivalence --bench-circuits) opened in
# build-web/vorlisk.html in headless Chromium at 1280 x 800, then at each
# zoom the picture fetched from the core and replayed on the canvas, as after
# every edit; the median of several redraws. Run by hand after building
# both (build/, build-web/):
#   /usr/bin/python3 bench/web_canvas_redraw.py [REDRAWS]
import os
import shutil
import subprocess
import sys
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

root = os.path.abspath(os.path.join(os.path.dirname(__file__), '..'))
html = os.path.join(root, 'build-web', 'vorlisk.html')
redraws = int(sys.argv[1]) if len(sys.argv) > 1 else 15
work = tempfile.mkdtemp(prefix='vorlisk_redraw_')
subprocess.run([os.path.join(root, 'build', 'tests', 'sim_equivalence'), '--bench-circuits', work], check=True)
data = list(open(os.path.join(work, 'canvas_999.vlk'), 'rb').read())

options = webdriver.ChromeOptions()
options.binary_location = shutil.which('chromium')
for flag in ('--headless', '--no-sandbox', '--disable-background-networking', '--window-size=1280,800',
             '--disable-component-update', '--disable-sync', '--no-first-run',
             '--user-data-dir=' + os.path.join(work, 'profile')):
    options.add_argument(flag)
driver = webdriver.Chrome(service=Service(shutil.which('chromedriver')), options=options)
try:
    driver.get('file://' + html)
    while driver.execute_script('return document.body.dataset.ready') != '1':
        pass
    driver.execute_script('window.vorlisk.open(new Uint8Array(arguments[0]), "canvas_999.vlk")', data)
    for zoom in (25, 100, 200, 400):
        ms = driver.execute_script('''
            const [zoom, n] = arguments;
            const C = VorliskPage.canvas;
            while (C.zoom() < zoom) C.zoomIn();
            while (C.zoom() > zoom) C.zoomOut();
            const times = [];
            for (let i = 0; i < n; ++i) {
              const t = performance.now();
              C.invalidate();
              C.paintNow();
              C.element().getContext('2d').getImageData(0, 0, 1, 1);  // the drawing done
              times.push(performance.now() - t);
            }
            times.sort((a, b) => a - b);
            return times[n >> 1];''', zoom, redraws)
        print('full redraw of 999 components at %3d %%: %.1f ms (median of %d)' % (zoom, ms, redraws))
finally:
    driver.quit()
    shutil.rmtree(work, ignore_errors=True)
