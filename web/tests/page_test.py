#!/usr/bin/env python3
# The page in headless Chromium, from file://, held against the desktop
# build: open the half adder, run, toggle A, read the LED and the test
# points through window.vorlisk, save (the downloaded bytes are the
# desktop's Save's, and vorlisk-sim reads the same truth table from them),
# record the timing diagram and export its picture,
# grade the 批改实验 lesson as vorlisk-sim --expect does, a damaged file's
# message, and the unsaved circuit offered back after the page is reopened.
# Skipped (exit 77) naming what is missing: tools/install_web_deps.sh
# installs Chromium, its driver and selenium.
# Usage: page_test.py VORLISK_HTML EXAMPLES_DIR NATIVE_BUILD
import os
import shutil
import subprocess
import sys
import tempfile
import time

html, examples, native = (os.path.abspath(a) for a in sys.argv[1:4])
sim = os.path.join(native, 'vorlisk-sim')
resave = os.path.join(native, 'tests/gui/desktop_resave')


def skip(what):
    print('skipped: ' + what)
    sys.exit(77)


try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.by import By
except ImportError:
    skip('python3-selenium is not installed')
for tool in ('chromium', 'chromedriver'):
    if not shutil.which(tool):
        skip(tool + ' is not installed')
for path in (html, sim, resave):
    if not os.path.exists(path):
        skip('no ' + path)

work = tempfile.mkdtemp(prefix='vorlisk_page_')
downloads = os.path.join(work, 'downloads')
os.mkdir(downloads)
options = webdriver.ChromeOptions()
options.binary_location = shutil.which('chromium')
for flag in ('--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
             '--disable-component-update', '--disable-sync', '--no-first-run', '--window-size=1280,800',
             '--user-data-dir=' + os.path.join(work, 'profile')):
    options.add_argument(flag)
options.set_capability('unhandledPromptBehavior', 'accept')
driver = webdriver.Chrome(service=Service(executable_path=shutil.which('chromedriver')), options=options)
driver.execute_cdp_cmd('Page.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': downloads})


def wait(condition, what, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError('timed out waiting for ' + what)


def js(script, *args):
    return driver.execute_script(script, *args)


def load():
    driver.get('file://' + html)
    wait(lambda: js('return document.body.dataset.ready === "1"'), 'the page to be ready')


def click(css):
    driver.find_element(By.CSS_SELECTOR, css).click()


def native_run(*args, cwd=None):
    r = subprocess.run([sim, *args], cwd=cwd, capture_output=True, text=True)
    return r


def message_box():
    """The open message box's text, closed with 确定."""
    box = wait(lambda: driver.find_elements(By.CSS_SELECTOR, 'dialog[open] .message'), 'a message box')[0]
    text = box.text
    click('dialog[open] button.default')
    return text


def downloaded(n):
    """The newest download once there are n finished ones."""
    files = [os.path.join(downloads, f) for f in os.listdir(downloads) if not f.endswith('.crdownload')]
    if len(files) < n:
        return None
    return max(files, key=os.path.getmtime)


def at_canvas(x, y):
    """Actions with the mouse over canvas pixel (x, y)."""
    px, py = js('return VorliskPage.canvas.clientPoint(arguments[0], arguments[1])', x, y)
    canvas = driver.find_element(By.CSS_SELECTOR, 'canvas.picture')
    r = canvas.rect
    return ActionChains(driver).move_to_element_with_offset(canvas, px - r['x'] - r['width'] / 2,
                                                            py - r['y'] - r['height'] / 2)


def item(name=None, kind=None, nth=0):
    found = [i for i in js('return VorliskPage.core.json("items")')
             if (name is None or i['name'] == name) and (kind is None or i['kind'] == kind)]
    return found[nth] if len(found) > nth else None


def good_wires(path):
    with open(path, 'rb') as f:
        return f.read().decode('gbk').count('导线')


def check(condition, what):
    if not condition:
        raise AssertionError(what)


try:
    load()
    half_adder = os.path.join(examples, '半加器.vlk')

    # --- open, toggle A, save: the desktop's bytes ----------------------------------
    driver.find_element(By.ID, 'open-file').send_keys(half_adder)
    wait(lambda: js('return document.title').startswith('半加器.vlk'), 'the half adder to open')
    switch_a = item(kind='高低电平控制器')
    at_canvas(switch_a['x'], switch_a['y']).double_click().perform()  # a real double click on the canvas
    wait(lambda: js('return window.vorlisk.switches()')[0]['level'] == 1, 'A to go high')
    check(js('return document.title').startswith('半加器.vlk*'), 'the title marks the change')
    click('[data-tool=保存]')
    first = wait(lambda: downloaded(1), 'the download')
    desktop = os.path.join(work, 'desktop.vlk')
    subprocess.run([resave, half_adder, desktop, 'A=1'], check=True)
    with open(first, 'rb') as a, open(desktop, 'rb') as b:
        check(a.read() == b.read(), 'the saved bytes are the desktop\'s')
    check(not js('return window.vorlisk.modified'), 'saved: no longer modified')
    os.remove(first)

    # --- draw two inverters and two wires by mouse -----------------------------------------
    parts = len(js('return VorliskPage.core.json("items")'))
    for x in (500, 620):
        click('#box [data-tool=非门]')
        at_canvas(x, 60).click().perform()
    first_gate, second_gate = item(kind='非门'), item(kind='非门', nth=1)
    check(first_gate and second_gate, 'two inverters placed by mouse')
    xor = item(kind='异或门')
    click('#box [data-tool=导线]')
    start, end = xor['outputs'][0], first_gate['inputs'][0]
    at_canvas(*start).click().perform()
    at_canvas((start[0] + end[0]) // 20 * 10, start[1]).click().perform()  # a corner
    at_canvas((start[0] + end[0]) // 20 * 10, end[1]).click().perform()    # another
    at_canvas(*end).click().perform()
    at_canvas(*first_gate['outputs'][0]).click().perform()
    at_canvas(*second_gate['inputs'][0]).click().perform()
    check(len(js('return VorliskPage.core.json("items")')) == parts + 2, 'the parts list has the inverters')
    click('[data-tool=保存]')
    drawn = wait(lambda: downloaded(1), 'the drawn circuit')
    nets = native_run(drawn, '--truth-table').stdout
    check(nets == native_run(desktop, '--truth-table').stdout, 'drawing changed nothing the half adder computes')
    with open(drawn, 'rb') as f:
        saved = f.read().decode('gbk')
    check(saved.count('非门') >= 2 and saved.count('导线') - good_wires(desktop) >= 2, 'the two wires saved')
    os.remove(drawn)

    # --- run, read the LEDs and test points, toggle B, save ----------------------------
    click('[data-tool=运行]')
    wait(lambda: js('return document.getElementById("time-label").textContent') != 'T：0', 'the time label to move')
    wait(lambda: js('return window.vorlisk.readings()') == {'A': 1, 'B': 0, 'S': 1, 'C': 0}, 'S to follow A')
    leds = js('return window.vorlisk.indicators()')
    check(leds == {'S（发光二极管）': '1', 'C（发光二极管）': '0'}, 'LEDs while running: %r' % leds)
    click('#run-panel button.switch[data-name=B]')
    wait(lambda: js('return window.vorlisk.readings()') == {'A': 1, 'B': 1, 'S': 0, 'C': 1}, 'C to follow B')
    # The timing diagram records while running; its PNG is the core's
    # picture: the page shown with the time axis below it.
    click('[data-tool=时序图]')
    driver.find_element(By.XPATH, '//*[@id="win-trace"]//button[text()="开始纪录"]').click()
    wait(lambda: js('return document.getElementById("time-label").textContent') > 'T：1', 'a second of recording')
    driver.find_element(By.XPATH, '//*[@id="win-trace"]//button[text()="导出"]').click()
    driver.find_element(By.XPATH, '//*[text()="保存为图片 (PNG)…"]').click()
    png = wait(lambda: downloaded(1), 'the diagram picture')
    with open(png, 'rb') as f:
        head = f.read(24)
    canvas = driver.find_element(By.CSS_SELECTOR, '#win-trace canvas.trace')
    size = (int.from_bytes(head[16:20], 'big'), int.from_bytes(head[20:24], 'big'))
    check(head[:4] == b'\x89PNG' and size == (canvas.size['width'], canvas.size['height'] + 38),
          'the diagram picture is the diagram and its axis: %r' % (size,))
    os.remove(png)
    commands = js('return VorliskPage.core.text("trace_picture", arguments[0], arguments[1])',
                  canvas.size['width'], canvas.size['height'])
    check('"比例：1 秒/格"' in commands and '"S"' in commands, 'the axis and the labels drawn by the core')
    driver.find_element(By.CSS_SELECTOR, '#win-trace .win-close').click()
    click('[data-tool=停止]')
    click('[data-tool=保存]')
    second = wait(lambda: downloaded(1), 'the second download')
    tables = [native_run(f, '--truth-table').stdout for f in (half_adder, second)]
    check(tables[0] == tables[1] and tables[0].startswith('A\tB\tS\tC'), 'the same truth table')
    check(native_run(second).stdout == 'A\t1\nB\t1\nS\t0\nC\t1\n', 'the levels saved')

    # --- grading the lesson -------------------------------------------------------------
    lesson = os.path.join(examples, '批改实验')
    homework = os.path.join(lesson, '作业')
    students = sorted(os.listdir(homework))
    click('[data-tool=批改]')
    pickers = driver.find_elements(By.CSS_SELECTOR, '#win-grading input[type=file]')
    pickers[0].send_keys(os.path.join(lesson, '参考答案.vlk'))
    wait(lambda: js('return document.querySelector("#win-grading .ref-text").textContent'), 'the reference')
    pickers[1].send_keys('\n'.join(os.path.join(homework, s) for s in students))
    wait(lambda: js('return document.querySelector("#win-grading .summary").textContent').startswith('共'), 'the grades')
    reference = os.path.join(work, '参考.txt')
    with open(reference, 'w') as f:
        f.write(native_run(os.path.join(lesson, '参考答案.vlk'), '--truth-table').stdout)
    expected = native_run('--expect', reference, *students, cwd=homework)
    check(expected.returncode == 1, 'one student fails natively')
    got = js('return VorliskPage.grading.report()')
    check(got == expected.stdout, 'grades as vorlisk-sim --expect:\n%s\n%s' % (got, expected.stdout))
    click('#win-grading .win-close')

    # --- a damaged file: the loader's message, the circuit kept -----------------------
    with open(half_adder, 'rb') as f:
        good = f.read()
    damaged_dir = os.path.join(work, 'damaged')
    os.mkdir(damaged_dir)
    damaged = os.path.join(damaged_dir, '损坏.vlk')
    with open(damaged, 'wb') as f:
        f.write(good[:good.index(b'\r\n', 200)] + '\r\n不是数字\r\n'.encode('gbk'))
    native_message = native_run('损坏.vlk', cwd=damaged_dir).stderr.strip().removeprefix('vorlisk-sim: ')
    driver.find_element(By.ID, 'open-file').send_keys(damaged)
    check(message_box() == native_message, 'the damaged file\'s message')
    check(js('return document.title').startswith('半加器.vlk'), 'the half adder stays open')

    # --- kept in the browser's storage, offered back ------------------------------------
    click('#run-panel button.switch[data-name=B]')  # B back to 0
    check(js('return window.vorlisk.modified'), 'toggled: modified')
    check(js('const e = new Event("beforeunload", {cancelable: true}); dispatchEvent(e); return e.defaultPrevented'),
          'leaving asks first')
    load()  # the page kept the circuit as it went
    wait(lambda: driver.find_element(By.ID, 'banner').is_displayed(), 'the offer to restore')
    click('#banner button')
    wait(lambda: js('return window.vorlisk.switches()') == [{'name': 'A', 'level': 1}, {'name': 'B', 'level': 0}],
         'the restored switches')
    check(js('return document.title').startswith('半加器.vlk*'), 'restored as unsaved')
    print('web page: run, readings, save, grading, a damaged file and the restore agree with the desktop build')
finally:
    driver.quit()
    shutil.rmtree(work, ignore_errors=True)
