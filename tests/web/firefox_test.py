#!/usr/bin/python3
"""The page in Firefox: headless firefox-esr opens the file from disk with a
fresh profile. The page starts without asking the network for anything;
every window's controls stand at their records' rectangles; the worked
example of every shape gives the results it gives in Chromium; a dropped CSV
file gives the bytes and messages of dravik-batch. With
DRAVIK_FIREFOX_SCREENSHOTS=DIR, photographs each window into DIR, to be
looked at beside docs/screenshots/web."""
import base64
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import firefox  # noqa: E402

firefox.skip_unless_usable()
import browser  # noqa: E402
from building_test import CASES, DROP, RESULT, dravik_batch_run  # noqa: E402
from calculation_test import WORKED  # noqa: E402
from windows_test import RECTS, expected_rects  # noqa: E402

# Only the file itself and what it carries inside (data: and blob: URLs).
OWN_URLS = ("file:", "data:", "blob:")

TYPE_AND_CALCULATE = """(texts, button) => {
    for (const [name, text] of Object.entries(texts)) {
        const field = document.getElementById('field-' + name);
        field.value = text;
        field.dispatchEvent(new Event('input'));
    }
    document.querySelector('.client [data-name="' + button + '"]').click();
    return ['zjmj', 'zjl', 'tjpgl'].map((n) => document.getElementById('field-' + n).value);
}"""


def drop(ff, name, data, seconds=60):
    ff.run("function () {%s}" % DROP, name, base64.b64encode(data).decode("ascii"))
    deadline = time.time() + seconds
    while time.time() < deadline:
        got = ff.run("function () {%s}" % RESULT)
        if got:
            return base64.b64decode(got[0]), got[1]
        time.sleep(0.05)
    raise AssertionError("no result from the worker")


def main():
    checks = browser.Checks()
    ff = firefox.Firefox()
    try:
        ff.open_page()
        print("opened in %.2f s: %s" % (ff.opened_seconds, ff.run("() => window.dravikPage.timings")))
        ui = ff.run("() => window.dravikPage.ui")
        shots = os.environ.get("DRAVIK_FIREFOX_SCREENSHOTS")
        for index, win in enumerate(ui["windows"]):
            ff.run("(name) => window.dravikPage.show(name)", win["name"])
            got = {r[0]: r[1:] for r in ff.run("() => {%s}" % RECTS)}
            for name, rect in expected_rects(win).items():
                checks.equal(got.get(name), rect, "%s.%s rectangle" % (win["name"], name))
            if shots:
                ff.screenshot(os.path.join(shots, ("start" if index == 0 else win["name"]) + ".png"), ".window")

        for _, window, changed, text, expected in WORKED:
            win = next(w for w in ui["windows"] if w["name"] == window)
            ff.run("(name) => window.dravikPage.show(name)", window)
            texts = {i["name"]: text if i["name"] == changed else i["defaultText"] for i in win["inputs"]}
            button = browser.control(win, "calculate")["name"]
            checks.equal(ff.run(TYPE_AND_CALCULATE, texts, button), expected, window + " worked example")

        ff.run("(name) => window.dravikPage.show(name)", ui["windows"][0]["name"])
        with open(os.path.join(CASES, "sound_cells.csv"), "rb") as f:
            data = f.read()
        expected, messages = dravik_batch_run(data)
        output, summary = drop(ff, "sound_cells.csv", data)
        checks.equal(output, expected, "a dropped file: the bytes of dravik-batch")
        checks.equal(summary["messages"], messages, "a dropped file: the messages of dravik-batch")
        # A template of labels, saved as a spreadsheet saves "CSV" on a Chinese PC.
        template = subprocess.run([os.environ["DRAVIK_BATCH"], "--template", "暗柱"], capture_output=True,
                                  check=True).stdout.decode("utf-8").lstrip("\ufeff")
        output, _ = drop(ff, "gb.csv", template.encode("gb18030"))
        expected = dravik_batch_run(b"\xef\xbb\xbf" + template.encode("utf-8"))[0]
        checks.true(" 3996" in expected.decode("utf-8"), "the template calculates")
        checks.equal(output, expected, "a GB18030 file: dravik-batch's bytes for its text in UTF-8")

        elsewhere = [url for url in ff.requests if not url.startswith(OWN_URLS)]
        checks.equal(elsewhere, [], "requests beyond the file")
    finally:
        ff.quit()
    checks.finish()


if __name__ == "__main__":
    main()
