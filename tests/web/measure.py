#!/usr/bin/python3
"""Measures the page in headless Chromium (not a test: the numbers depend on
the machine): the time from opening the file to the start-up window being
interactive, the median of RUNS openings, and the time of one 计算, the
median over many presses of the button's handler. The opening is measured in
headless Firefox too when firefox-esr is installed.

    DRAVIK_PAGE=build-web/dravik.html tests/web/measure.py [RUNS]"""
import os
import statistics
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402
import firefox  # noqa: E402

PRESSES = """
const run = document.querySelector('.client [data-name="run"]');
const times = [];
for (let i = 0; i < 2000; ++i) { run.click(); times.push(window.dravikPage.timings.lastCalculateMs); }
times.sort((a, b) => a - b);
return [times[times.length >> 1], times[Math.floor(times.length * 0.99)]];"""


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    interactive = []
    for _ in range(runs):
        driver = browser.open_page()
        interactive.append(driver.execute_script("return window.dravikPage.timings.interactiveMs"))
        driver.quit()
    print("open to interactive start-up window: median %.0f ms (runs: %s)"
          % (statistics.median(interactive), ", ".join("%.0f" % t for t in interactive)))
    driver = browser.open_page()
    browser.show(driver, "azpjl")
    median, p99 = driver.execute_script(PRESSES)
    print("计算 (click handler: core call and result boxes): median %.3f ms, 99th percentile %.3f ms" % (median, p99))
    driver.quit()
    if firefox.executable():
        interactive = []
        for _ in range(runs):
            ff = firefox.Firefox()
            ff.open_page()
            interactive.append(ff.run("() => window.dravikPage.timings.interactiveMs"))
            ff.quit()
        print("Firefox, open to interactive start-up window: median %.0f ms (runs: %s)"
              % (statistics.median(interactive), ", ".join("%.0f" % t for t in interactive)))


main()
