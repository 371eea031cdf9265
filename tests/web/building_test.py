#!/usr/bin/python3
"""A building's CSV file in the page: picked, or dropped on the start-up
window, it is run by the batch library in a worker. A UTF-8 file gives the
very bytes and messages dravik-batch writes under a Chinese locale; a
GB18030 file gives what it writes for its text in UTF-8 with a byte-order
mark. A file of 100,000 rows is worked through while the page still
calculates."""
import base64
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402

CASES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "batch", "cases")
DROP = """
const [name, data] = arguments;
const bytes = Uint8Array.from(atob(data), (c) => c.charCodeAt(0));
const transfer = new DataTransfer();
transfer.items.add(new File([bytes], name, { type: "text/csv" }));
delete window.dravikPage.lastBuilding;
document.querySelector('.window').dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true }));"""
RESULT = """
const b = window.dravikPage.lastBuilding;
if (!b) return null;
let text = '';
for (let i = 0; i < b.output.length; i += 32768)
    text += String.fromCharCode.apply(null, b.output.subarray(i, i + 32768));
return [btoa(text), b.summary];"""


def dravik_batch_run(data):
    """What dravik-batch writes under a Chinese locale (the page speaks
    Chinese): the output's bytes, and its messages without the program's
    name and the file's."""
    env = dict(os.environ, LC_ALL="zh_CN.UTF-8", LANGUAGE="zh_CN.UTF-8")
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "building.csv")
        with open(path, "wb") as f:
            f.write(data)
        run = subprocess.run([os.environ["DRAVIK_BATCH"], path], capture_output=True, env=env)
        prefix = 'dravik-batch: "%s": ' % path
        messages = [m[len(prefix):] if m.startswith(prefix) else m for m in run.stderr.decode("utf-8").splitlines()]
        return run.stdout, messages


def dravik_batch(data):
    return dravik_batch_run(data)[0]


def wait_result(driver, seconds=120):
    deadline = time.time() + seconds
    while time.time() < deadline:
        got = driver.execute_script(RESULT)
        if got:
            return base64.b64decode(got[0]), got[1]
        time.sleep(0.05)
    raise AssertionError("no result from the worker")


def drop(driver, name, data):
    driver.execute_script(DROP, name, base64.b64encode(data).decode("ascii"))
    return wait_result(driver)


def main():
    checks = browser.Checks()
    driver = browser.open_page()
    for case in ("sound_cells.csv", "mixed_shapes.csv", "quoting.csv", "field_text_rule.csv", "crlf.csv",
                 "chinese_shape_names.csv", "bom_crlf.csv"):
        with open(os.path.join(CASES, case), "rb") as f:
            data = f.read()
        output, summary = drop(driver, case, data)
        expected, messages = dravik_batch_run(data)
        checks.equal(output, expected, case + ": the bytes of dravik-batch")
        checks.equal(summary["messages"], messages, case + ": the messages of dravik-batch")
        checks.true(str(summary["rows"]) in driver.find_element("id", "building-counts").text, case + " counts")
        text = data.decode("utf-8").lstrip("\ufeff")
        gb = text.encode("gb18030")
        if gb == text.encode("utf-8"):
            continue  # plain ASCII: the same file in either encoding
        output, _ = drop(driver, "gb-" + case, gb)
        checks.equal(output, dravik_batch(b"\xef\xbb\xbf" + text.encode("utf-8")), case + " in GB18030")

    # A workbook is not read in the page: it says so, in Chinese, at once.
    driver.execute_script(DROP, "building.xlsx", base64.b64encode(b"PK\x03\x04").decode("ascii"))
    checks.true("另存为 CSV" in driver.find_element("id", "building-status").text, "a workbook is refused")

    with open(os.path.join(CASES, "sound_cells.csv"), "rb") as f:
        header, row = f.read().split(b"\n")[:2]
    big = header + b"\n" + (row + b"\n") * 100000
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "building.csv")
        with open(path, "wb") as f:
            f.write(big)
        # A beat every 20 ms on the page's own thread: a long gap would be a
        # frozen page.
        driver.execute_script("""delete window.dravikPage.lastBuilding;
            window.gaps = []; let last = performance.now();
            window.beat = setInterval(() => { const n = performance.now(); window.gaps.push(n - last); last = n; }, 20);""")
        started = time.time()
        driver.find_element("id", "building-file").send_keys(path)
        while not driver.execute_script("return !!window.dravikPage.lastBuilding") and time.time() - started < 120:
            time.sleep(0.05)
        gap = driver.execute_script("clearInterval(window.beat); return Math.max(...window.gaps)")
        output, summary = wait_result(driver)
        print("100,000 rows: %.1f s, longest pause of the page %.0f ms" % (time.time() - started, gap))
        checks.equal(summary["rows"], 100000, "rows counted")
        checks.equal(output, dravik_batch(big), "100,000 rows: the bytes of dravik-batch")
        checks.true(gap < 500, "the page keeps answering while the worker works")
        checks.true(driver.find_element("id", "building-download").get_attribute("download") == "building-计算结果.csv",
                    "the result is offered for download")
    checks.finish(driver)


if __name__ == "__main__":
    main()
