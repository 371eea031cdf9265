#!/usr/bin/python3
"""The worked example of every shape, typed into the page and calculated:
the window opened from the start-up window, every field typed key by key,
one of them changed, 计算 clicked. Then a field that is not wholly a number
is marked red with the number read, until it is edited."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402

# option, window, changed field, its text, results after 计算 (zjmj, zjl, tjpgl)
WORKED = [
    ("Option1", "azpjl", "gjjj", "100", [" 3996", " 1.25", " 1.42"]),
    ("Option2", "lxzjzpjl", "c", "800", [" 6016", " .75", " 1.06"]),
    ("Option3", "yzpjl", "b", "200", [" 6585", " 2.74", " 1.9"]),
    ("Option4", "zxzjzpjl", "fsl", "1", [" 12497", " 1", " 1.21"]),
]


def main():
    checks = browser.Checks()
    driver = browser.open_page()
    start = browser.ui(driver)["windows"][0]
    for option, window, changed, text, expected in WORKED:
        browser.show(driver, start["name"])
        browser.named(driver, option).click()
        browser.button(driver, start, "open").click()
        win = browser.window_of(driver, window)
        for i in win["inputs"]:
            browser.type_into(driver, i["name"], text if i["name"] == changed else i["defaultText"])
        browser.button(driver, win, "calculate").click()
        checks.equal(browser.results(driver), expected, window + " worked example")

    win = browser.window_of(driver, "azpjl")
    browser.show(driver, "azpjl")
    browser.type_into(driver, "a", "12.5mm")
    browser.button(driver, win, "calculate").click()
    a = browser.field(driver, "a")
    checks.true("read-as" in a.get_attribute("class"), "12.5mm is marked")
    checks.equal(a.get_attribute("title"), "按 12.5 计算", "the mark's tooltip")
    a.send_keys("m")
    checks.true("read-as" not in a.get_attribute("class"), "editing ends the mark")
    checks.equal(a.get_attribute("title"), "", "editing ends the tooltip")
    checks.finish(driver)


if __name__ == "__main__":
    main()
