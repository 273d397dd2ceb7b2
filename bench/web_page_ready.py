#!/usr/bin/env python3
# How soon the page is ready to use after it is opened, and how large it is:
# build-web/vorlisk.html opened from file:// in headless Chromium, the time
# from the start of navigation to the page's "vorlisk-ready" mark (Performance
# API), over several openings; the file raw and gzipped. Run by hand after
# tools/build_web.sh (needs chromium, chromium-driver, python3-selenium):
#   /usr/bin/python3 bench/web_page_ready.py [OPENINGS]
import gzip
import os
import shutil
import statistics
import sys
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

html = os.path.abspath(os.path.join(os.path.dirname(__file__), '..', 'build-web', 'vorlisk.html'))
openings = int(sys.argv[1]) if len(sys.argv) > 1 else 10
raw = open(html, 'rb').read()
print('vorlisk.html: %d bytes (%.2f MB), gzip -9: %d bytes (%.2f MB)' %
      (len(raw), len(raw) / 2**20, len(gzip.compress(raw, 9)), len(gzip.compress(raw, 9)) / 2**20))

profile = tempfile.mkdtemp(prefix='vorlisk_ready_')
options = webdriver.ChromeOptions()
options.binary_location = shutil.which('chromium')
for flag in ('--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
             '--disable-component-update', '--disable-sync', '--no-first-run', '--user-data-dir=' + profile):
    options.add_argument(flag)
driver = webdriver.Chrome(service=Service(shutil.which('chromedriver')), options=options)
times = []
try:
    for _ in range(openings):
        driver.get('about:blank')
        driver.get('file://' + html)
        ms = None
        while ms is None:
            ms = driver.execute_script(
                'const m = performance.getEntriesByName("vorlisk-ready"); return m.length ? m[0].startTime : null')
        times.append(ms)
finally:
    driver.quit()
    shutil.rmtree(profile, ignore_errors=True)
print('ready after opening: median %.0f ms, best %.0f ms, worst %.0f ms (%d openings)' %
      (statistics.median(times), min(times), max(times), len(times)))
