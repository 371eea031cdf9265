#!/usr/bin/python3
"""2,000 random field texts per shape calculated by the page (its exported
function, called in the browser) and by the native core: every answer the
same, results and marks. A smaller number is typed key by key and
calculated with the 计算 button."""
import json
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402

PER_SHAPE = 2000
TYPED_PER_SHAPE = 8
# Pieces a field text is made of: numbers of every form the rule reads and
# what it stops at, blanks, signs, exponents, Chinese text, invisible
# characters, numbers beyond the double range.
PIECES = ["0", "1", "7", "12", "400", "800", "1200", "20", "3.5", ".5", "5.", "-", "+", "e", "E", "D", "d", "e-3",
          "E+2", "D2", "1e400", "1e-400", "9" * 20, "0.000001", " ", "  ", "\t", "\n", ",", "mm", "根", "a", "&H10",
          "\u200b", "\u3000", "１", "—", "1.2.3", "1,200", "4\u200b00", "2D2", "-0", "1e308", "4.9e-324"]
CALCULATE_ALL = """
const [window_, rows] = arguments;
return rows.map((texts) => JSON.stringify(window.dravikPage.calculate(window_, texts)));"""


def random_text(rnd, typed):
    pieces = [p for p in PIECES if not typed or ("\t" not in p and "\n" not in p)]
    return "".join(rnd.choice(pieces) for _ in range(rnd.randint(0, 4)))


def main():
    rnd = random.Random(24)
    checks = browser.Checks()
    driver = browser.open_page()
    for win in browser.ui(driver)["windows"][1:]:
        rows = [[random_text(rnd, False) for _ in win["inputs"]] for _ in range(PER_SHAPE)]
        page = [json.loads(a) for a in driver.execute_script(CALCULATE_ALL, win["name"], rows)]
        native = browser.oracle([(win["name"], r) for r in rows])
        mismatches = [(r, p, n) for r, p, n in zip(rows, page, native) if p != n]
        checks.equal(len(mismatches), 0, "%s: mismatches of %d, first %r" % (win["name"], len(rows), mismatches[:1]))
        print("%s: %d texts, %d mismatches" % (win["name"], len(rows), len(mismatches)))

        browser.show(driver, win["name"])
        for _ in range(TYPED_PER_SHAPE):
            texts = [random_text(rnd, True) for _ in win["inputs"]]
            for i, t in zip(win["inputs"], texts):
                driver.execute_script("arguments[0].value = ''", browser.field(driver, i["name"]))
                if t:
                    browser.field(driver, i["name"]).send_keys(t)
            typed = [browser.field(driver, i["name"]).get_attribute("value") for i in win["inputs"]]
            checks.equal(typed, texts, "typed as given")
            browser.button(driver, win, "calculate").click()
            answer = browser.oracle([(win["name"], texts)])[0]
            expected = {r["name"]: r["text"] for r in answer["results"]}
            checks.equal(browser.results(driver), [expected[n] for n in ("zjmj", "zjl", "tjpgl")],
                         "%s typed %r" % (win["name"], texts))
    checks.finish(driver)


main()
