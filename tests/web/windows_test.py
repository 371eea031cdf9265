#!/usr/bin/python3
"""Every window of the page as its layout records say: each control's
rectangle, accessible names, the Tab order, Enter and Space on a button,
navigation between the windows, and the 2× pictures at a device pixel ratio
of 2. With DRAVIK_WEB_SCREENSHOTS=DIR, photographs each window into DIR."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

FOCUSABLE = ("combo", "text", "button", "option")
RECTS = """
const client = document.querySelector('.client').getBoundingClientRect();
return [...document.querySelectorAll('.client [data-name]')].map((e) => {
    const r = e.getBoundingClientRect();
    return [e.dataset.name, Math.round(r.left - client.left), Math.round(r.top - client.top),
            Math.round(r.width), Math.round(r.height)];
});"""
FOCUSED = """
const e = document.activeElement;
const owner = e.closest('[data-name]');
return owner ? owner.dataset.name : e.id;"""


def expected_rects(win):
    by_name = {c["name"]: c for c in win["controls"]}
    rects = {}
    for c in win["controls"]:
        left, top = c["left"], c["top"]
        container = c["container"]
        while container:
            left += by_name[container]["left"]
            top += by_name[container]["top"]
            container = by_name[container]["container"]
        rects[c["name"]] = [left, top, c["width"], c["height"]]
    return rects


def check_layout(driver, win, checks):
    got = {r[0]: r[1:] for r in driver.execute_script(RECTS)}
    checks.equal(sorted(got), sorted(c["name"] for c in win["controls"]), win["name"] + " controls")
    for name, rect in expected_rects(win).items():
        checks.equal(got.get(name), rect, "%s.%s rectangle" % (win["name"], name))
    for c in win["controls"]:
        e = browser.named(driver, c["name"])
        if c["kind"] in ("combo", "text"):
            label = next(x["caption"] for x in win["controls"] if x["kind"] == "label" and x["buddy"] == c["name"])
            checks.equal(browser.field(driver, c["name"]).accessible_name, label, "%s.%s name" % (win["name"], c["name"]))
        if c["kind"] == "button":
            checks.equal(e.accessible_name, c["caption"], "%s.%s name" % (win["name"], c["name"]))
        if c["tooltip"]:
            checks.equal(e.get_attribute("title"), c["tooltip"], "%s.%s tooltip" % (win["name"], c["name"]))


def check_tab_order(driver, win, checks):
    stops = sorted((c for c in win["controls"] if c["kind"] in FOCUSABLE), key=lambda c: c["tab"])
    # Of the option buttons only the selected one is a stop: the first.
    options = [c for c in stops if c["kind"] == "option"]
    stops = [c["name"] for c in stops if c["kind"] != "option" or c is options[0]]
    seen = [driver.execute_script(FOCUSED)]
    for _ in stops[1:]:
        ActionChains(driver).send_keys(Keys.TAB).perform()
        seen.append(driver.execute_script(FOCUSED))
    checks.equal(seen, stops, win["name"] + " Tab order")


def check_keys_press_buttons(driver, win, checks):
    initial = browser.results(driver)
    browser.type_into(driver, "b", "1000")
    ActionChains(driver).send_keys(Keys.ENTER).perform()
    checks.equal(browser.results(driver), initial, win["name"] + ": Enter in a field presses nothing")
    calculate = browser.button(driver, win, "calculate")
    texts = [browser.field(driver, i["name"]).get_attribute("value") for i in win["inputs"]]
    expected = [r["text"] for r in sorted(browser.oracle([(win["name"], texts)])[0]["results"],
                                          key=lambda r: ["zjmj", "zjl", "tjpgl"].index(r["name"]))]
    driver.execute_script("arguments[0].focus()", calculate)
    ActionChains(driver).send_keys(Keys.ENTER).perform()
    checks.equal(browser.results(driver), expected, win["name"] + ": Enter on 计算")
    browser.type_into(driver, "b", "800")
    driver.execute_script("arguments[0].focus()", calculate)
    ActionChains(driver).send_keys(Keys.SPACE).perform()
    checks.true(browser.results(driver) != expected, win["name"] + ": Space on 计算 calculates again")


def check_navigation(driver, checks):
    start = browser.ui(driver)["windows"][0]
    for choice in browser.ui(driver)["shapeChoices"]:
        browser.show(driver, start["name"])
        browser.named(driver, choice["option"]).click()
        browser.button(driver, start, "open").click()
        checks.equal(browser.current(driver), choice["window"], "进入计算》 with " + choice["option"])
        win = browser.window_of(driver, choice["window"])
        checks.equal(driver.find_element("css selector", ".titlebar span").text, win["caption"], "title bar")
        browser.button(driver, win, "back").click()
        checks.equal(browser.current(driver), start["name"], win["name"] + " back to the start-up window")
        checks.true(driver.find_element("id", "option-" + browser.ui(driver)["shapeChoices"][0]["option"])
                    .is_selected(), "the start-up window opens with the first shape chosen")
    for win in browser.ui(driver)["windows"]:
        browser.show(driver, win["name"])
        browser.button(driver, win, "end").click()
        checks.equal(browser.current(driver), None, win["name"] + " 退出")
        checks.true("已退出" in driver.find_element("id", "desk").text, "the 已退出 view")
        driver.find_element("css selector", ".exited button").click()
        checks.equal(browser.current(driver), start["name"], "back from 已退出")


def check_finer_pictures(checks):
    driver = browser.open_page(device_scale=2)
    for win in browser.ui(driver)["windows"]:
        browser.show(driver, win["name"])
        for c in win["controls"]:
            if c["kind"] != "picture":
                continue
            shown = driver.execute_script("return arguments[0].currentSrc", browser.named(driver, c["name"]))
            finer = driver.execute_script("return window.DRAVIK_PICTURES[arguments[0]]", c["picture"] + "@2x")
            checks.equal(shown == finer, True, "%s.%s at 2×" % (win["name"], c["name"]))
    driver.quit()


def main():
    checks = browser.Checks()
    driver = browser.open_page()
    shots = os.environ.get("DRAVIK_WEB_SCREENSHOTS")
    for index, win in enumerate(browser.ui(driver)["windows"]):
        browser.show(driver, win["name"])
        if shots:
            # Named as the desktop's photographs: start.png, azpjl.png …
            name = "start" if index == 0 else win["name"]
            driver.find_element("css selector", ".window").screenshot(os.path.join(shots, name + ".png"))
        check_layout(driver, win, checks)
        check_tab_order(driver, win, checks)
        if win.get("inputs"):
            check_keys_press_buttons(driver, win, checks)
    check_navigation(driver, checks)
    driver.quit()
    check_finer_pictures(checks)
    checks.finish()


if __name__ == "__main__":
    main()
