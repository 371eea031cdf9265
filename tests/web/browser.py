"""Opens the page in Debian's headless Chromium through chromedriver.

A test that cannot find chromium or chromedriver exits with 77, which CTest
counts as skipped (SKIP_RETURN_CODE), after saying why.
"""
import os
import shutil
import sys
import time

SKIP = 77


def page_url():
    path = os.path.abspath(os.environ.get("DRAVIK_PAGE", "build-web/dravik.html"))
    if not os.path.exists(path):
        print("FAIL: %s is missing: build it with `make web`" % path)
        sys.exit(1)
    return "file://" + path


def open_page(device_scale=1, downloads=None):
    chromium = shutil.which("chromium")
    driver_path = shutil.which("chromedriver")
    try:
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
    except ImportError:
        chromium = None
    if not chromium or not driver_path:
        print("SKIPPED: no chromium, chromedriver or python3-selenium here (Debian: chromium chromium-driver "
              "python3-selenium)")
        sys.exit(SKIP)
    options = webdriver.ChromeOptions()
    options.binary_location = chromium
    for arg in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1000,900",
                "--force-device-scale-factor=%s" % device_scale, "--allow-file-access-from-files",
                "--hide-scrollbars", "--font-render-hinting=none"):
        options.add_argument(arg)
    if downloads:
        options.add_experimental_option("prefs", {"download.default_directory": downloads,
                                                  "download.prompt_for_download": False})
    url = page_url()
    driver = webdriver.Chrome(service=Service(driver_path), options=options)
    started = time.perf_counter()
    driver.get(url)
    wait_ready(driver)
    driver.opened_seconds = time.perf_counter() - started
    return driver


def wait_ready(driver, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if driver.execute_script("return document.body && document.body.dataset.ready === '1'"):
            return
        time.sleep(0.02)
    raise AssertionError("the page did not start: %s" % driver.get_log("browser"))


def ui(driver):
    return driver.execute_script("return window.dravikPage.ui")


def window_of(driver, name):
    return next(w for w in ui(driver)["windows"] if w["name"] == name)


def control(win, role):
    return next(c for c in win["controls"] if c["role"] == role)


def show(driver, name):
    driver.execute_script("window.dravikPage.show(arguments[0])", name)


def current(driver):
    return driver.execute_script("return window.dravikPage.current()")


def named(driver, name):
    """The page's element for the control `name` of the window shown."""
    return driver.find_element("css selector", '.client [data-name="%s"]' % name)


def button(driver, win, role):
    return named(driver, control(win, role)["name"])


def field(driver, name):
    return driver.find_element("id", "field-" + name)


def results(driver):
    return driver.execute_script(
        "return ['zjmj', 'zjl', 'tjpgl'].map((n) => document.getElementById('field-' + n).value)")


def type_into(driver, name, text):
    """Selects the field's text and types `text` over it, key by key."""
    from selenium.webdriver.common.keys import Keys
    f = field(driver, name)
    f.click()
    f.send_keys(Keys.CONTROL, "a")
    f.send_keys(Keys.DELETE)
    if text:
        f.send_keys(text)


def oracle(lines):
    """The native core's answers of 计算 for (window, texts) pairs."""
    import json
    import subprocess
    data = "".join("\x1f".join([w] + list(t)) + "\x1e" for w, t in lines)
    out = subprocess.run([os.environ["DRAVIK_ORACLE"]], input=data.encode("utf-8"), capture_output=True, check=True)
    return [json.loads(line) for line in out.stdout.decode("utf-8").splitlines()]


class Checks:
    """Collects failures, so one run reports every one of them."""

    def __init__(self):
        self.failures = []

    def equal(self, got, expected, what):
        if got != expected:
            self.failures.append("%s: got %r, expected %r" % (what, got, expected))

    def true(self, condition, what):
        if not condition:
            self.failures.append(what)

    def finish(self, driver=None):
        if driver is not None:
            driver.quit()
        for f in self.failures[:50]:
            print("FAIL", f)
        if self.failures:
            print("%d failures" % len(self.failures))
            sys.exit(1)
        print("ok")
