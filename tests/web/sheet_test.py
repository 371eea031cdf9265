#!/usr/bin/python3
"""The calculation sheet in the browser: Ctrl+P presses 计算 and fills the
printed sheet, which Chromium prints to an A4 PDF read back with pdftotext;
the context menu offers the sheet's commands, and 复制计算结果 copies the two
rows."""
import base64
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402
from selenium.webdriver.common.print_page_options import PrintOptions  # noqa: E402

# Texts the 暗柱 sheet at its defaults shows: title, labels, results, disclaimer.
SHEET_TEXTS = ["暗柱计算书", "长度a（mm）", "箍筋间距（mm）", "3996", "1.25", "1.19", "计算结果仅供参考"]


def main():
    checks = browser.Checks()
    driver = browser.open_page()
    win = browser.window_of(driver, "azpjl")
    browser.show(driver, "azpjl")
    driver.execute_script("window.print = () => { window.printed = (window.printed || 0) + 1; }")
    browser.field(driver, "a").click()
    ActionChains(driver).key_down(Keys.CONTROL).send_keys("p").key_up(Keys.CONTROL).perform()
    checks.equal(driver.execute_script("return window.printed"), 1, "Ctrl+P prints")
    checks.equal(browser.results(driver), [" 3996", " 1.25", " 1.19"], "Ctrl+P presses 计算 first")

    options = PrintOptions()
    options.page_width, options.page_height = 21.0, 29.7
    pdf = base64.b64decode(driver.print_page(options))
    with tempfile.TemporaryDirectory() as folder:
        path = os.environ.get("DRAVIK_SHEET_PDF") or os.path.join(folder, "sheet.pdf")
        with open(path, "wb") as f:
            f.write(pdf)
        text = subprocess.run(["pdftotext", "-layout", path, "-"], capture_output=True, check=True).stdout.decode()
        info = subprocess.run(["pdfinfo", path], capture_output=True, check=True).stdout.decode()
    for expected in SHEET_TEXTS:
        checks.true(expected in text, "the printed sheet shows %r" % expected)
    checks.true(re.search(r"^Pages:\s+1$", info, re.M), "one page: " + info)
    checks.true("(A4)" in info, "A4: " + info)

    label = browser.named(driver, "Label5")
    ActionChains(driver).context_click(label).perform()
    items = [e.text for e in driver.find_elements("css selector", ".menu [role=menuitem]")]
    commands = browser.ui(driver)["commands"]
    checks.equal(items, [commands["print"], commands["save"], commands["copy"]], "the context menu")
    browser.type_into(driver, "gjjj", "100")
    ActionChains(driver).context_click(browser.named(driver, "Label5")).perform()
    driver.find_elements("css selector", ".menu [role=menuitem]")[-1].click()
    copied = driver.execute_script("return window.dravikPage.lastCopied") or ""
    rows = copied.split("\n")
    checks.equal(len(rows), 3, "two rows and a line end")
    checks.true(rows[0].startswith("形状\t构件编号\t长度a（mm）\t高度b（mm）\t"), "the labels row: " + rows[0])
    checks.true(copied.endswith("\t 3996\t 1.25\t 1.42\n"), "the values row ends with the results: " + copied)
    checks.finish(driver)


main()
