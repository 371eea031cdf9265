#!/usr/bin/python3
"""dravik-batch reading and writing .xlsx workbooks.

    workbook_test.py PROGRAM same-as-csv | output | template | damaged | million WORKDIR

same-as-csv: a workbook written by openpyxl (a title row, the windows'
labels, numbers formatted #,##0 and 0.00, formulas with and without a
calculated value, shared and inline strings, sparse rows, a 备注 column)
gives, cell for cell, the results and notes that the CSV of the same rows
gives. output: the -o .xlsx read back has the display texts' numbers.
damaged: archives that are not workbooks, cut short or expanding beyond the
bound each get their message. million: a sheet of 1,048,576 rows runs to its
end; its peak memory is printed.
"""
import csv
import io
import os
import re
import subprocess
import sys
import zipfile

import openpyxl

PROGRAM, WHAT, WORK = sys.argv[1], sys.argv[2], sys.argv[3]
os.makedirs(WORK, exist_ok=True)
ENV = dict(os.environ, LC_ALL="C", LANG="C", LANGUAGE="")
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def run(*args):
    done = subprocess.run([PROGRAM, *args], capture_output=True, env=ENV)
    return done.returncode, done.stdout.decode("utf-8-sig"), done.stderr.decode()


def rows_of(text):
    return list(csv.reader(io.StringIO(text)))


LABELS = rows_of(run("--template", "暗柱")[1])[0]  # 形状, the inputs' labels
A, B, COVER = 1, 2, 12  # columns of 长度a, 高度b, 保护层厚
# A row as cells: the shape, then the inputs; None is a missing cell.
PLAIN = ["暗柱", 400, 800, 20, 18, 3, 12, 12, 10, 5, 3, 120, 15]


def row(changes, note=""):
    cells = list(PLAIN)
    for column, value in changes.items():
        cells[column] = value
    return cells + [note]


# Each data row, with what the workbook's cell holds where it differs from
# the plain row; its texts are inline strings, one is shared. Formula cells are put in by hand below (openpyxl computes
# nothing): "F=" cells get a calculated value, "F!" cells none.
DATA = [
    row({A: 1200}, "thousands format"),
    row({COVER: 15.5}, "two places"),
    row({A: "F=400"}, "formula, calculated"),
    row({A: "F!"}, "formula, not calculated"),
    row({B: None}, "sparse: a missing cell"),
    row({A: True}, "a boolean"),
    row({A: "#DIV/0!"}, "an error cell"),
    row({A: 0.1, B: 123456789012345678.0}, "shortest digits"),
    row({0: "SHARED"}, "shared string"),
    row({}, None),  # no 备注 cell at all: the row ends early
]
TITLE = "某工程 边缘构件表"
HEADER = LABELS + ["备注"]


def csv_text(cell):
    """How the CSV of the same rows writes a cell."""
    if cell is None:
        return ""
    if cell is True:
        return "TRUE"
    if isinstance(cell, str) and cell.startswith("F"):
        return "400" if cell == "F=400" else "=B6*2"
    if cell == "SHARED":
        return "暗柱"
    if isinstance(cell, float) or isinstance(cell, int):
        return repr(cell) if isinstance(cell, float) else str(cell)
    return cell


def write_workbook(path):
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "柱表"
    sheet.append([TITLE])
    sheet.append(HEADER)
    formulas = {}
    for r, cells in enumerate(DATA, start=3):
        for c, value in enumerate(cells, start=1):
            if value is None:
                continue
            cell = sheet.cell(row=r, column=c)
            if isinstance(value, str) and value.startswith("F"):
                cell.value = "=200*2" if value == "F=400" else "=B6*2"
                formulas[cell.coordinate] = "400" if value == "F=400" else None
            elif value == "#DIV/0!":
                cell.value = value
                cell.data_type = "e"
            else:
                cell.value = "暗柱" if value == "SHARED" else value
                if isinstance(value, (int, float)) and not isinstance(value, bool):
                    cell.number_format = "#,##0" if c == A + 1 else "0.00"
    book.save(path)
    # The calculated values and the inline string, as a spreadsheet writes them.
    with zipfile.ZipFile(path) as z:
        parts = {name: z.read(name) for name in z.namelist()}
    xml = parts["xl/worksheets/sheet1.xml"].decode()
    for ref, value in formulas.items():
        xml, n = re.subn(rf'(<c r="{ref}"[^>]*>)<f>([^<]*)</f>(<v\s*/>|<v></v>)?',
                         lambda m: m.group(1) + f"<f>{m.group(2)}</f>" + (f"<v>{value}</v>" if value else ""), xml)
        assert n == 1, ref
    # openpyxl writes inline strings; one shared string as a spreadsheet writes it.
    shared = 3 + DATA.index(row({0: "SHARED"}, "shared string"))
    xml, n = re.subn(rf'<c r="A{shared}"([^>]*?) t="inlineStr"([^>]*)><is><t>[^<]*</t></is></c>',
                     rf'<c r="A{shared}"\1 t="s"\2><v>0</v></c>', xml)
    assert n == 1
    parts["xl/worksheets/sheet1.xml"] = xml.encode()
    parts["xl/sharedStrings.xml"] = '<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" ' \
        'count="1" uniqueCount="1"><si><t>暗柱</t></si></sst>'.encode()
    parts["xl/_rels/workbook.xml.rels"] = parts["xl/_rels/workbook.xml.rels"].replace(
        b"</Relationships>", b'<Relationship Id="rIdS" Target="sharedStrings.xml" Type="http://schemas.openxml'
        b'formats.org/officeDocument/2006/relationships/sharedStrings"/></Relationships>')
    parts["[Content_Types].xml"] = parts["[Content_Types].xml"].replace(
        b"</Types>", b'<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-'
        b'officedocument.spreadsheetml.sharedStrings+xml"/></Types>')
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in parts.items():
            z.writestr(name, data)


def write_csv(path):
    with open(path, "w", encoding="utf-8", newline="") as f:
        w = csv.writer(f, lineterminator="\r\n")
        w.writerow([TITLE])
        w.writerow(HEADER)
        for cells in DATA:
            w.writerow([csv_text(c) for c in cells])


def results_and_notes(rows):
    header = rows[1]
    keep = [j for j, title in enumerate(header) if title not in LABELS and title != "备注"]
    return [[r[j] if j < len(r) else "" for j in keep] for r in rows[2:]]


def same_as_csv():
    xlsx, plain = os.path.join(WORK, "rows.xlsx"), os.path.join(WORK, "rows.csv")
    write_workbook(xlsx)
    write_csv(plain)
    for options in ([], ["--lenient"]):
        status_x, out_x, err_x = run(*options, xlsx)
        status_c, out_c, err_c = run(*options, plain)
        check(status_x == status_c, f"{options}: status {status_x} for the workbook, {status_c} for the CSV")
        x, c = results_and_notes(rows_of(out_x)), results_and_notes(rows_of(out_c))
        check(len(x) == len(DATA), f"{options}: {len(x)} rows written for {len(DATA)}")
        for k, (got, want) in enumerate(zip(x, c)):
            check(got == want, f"{options}: row {k + 3}: workbook {got}, CSV {want}")
        check(rows_of(out_x)[0][0] == TITLE, "the title row is copied through")
    # Worked examples: what each kind of cell gives; a formula without its
    # value is not calculated even with --lenient.
    out, lenient = rows_of(run(xlsx)[1]), rows_of(run("--lenient", xlsx)[1])
    check(out[2][len(HEADER)] == " 3996", "the thousands-formatted 1200 is a sound number")
    for row_number, fragment in ((6, '"=B6*2" is a formula without a calculated value'), (7, "is empty"),
                                 (8, '"TRUE" is not wholly'), (9, '"#DIV/0!" is not wholly')):
        check(fragment in out[row_number - 1][-1], f"row {row_number}: the note names {fragment}: {out[row_number - 1]}")
    check(lenient[5][len(HEADER)] == "" and "formula" in lenient[5][-1], f"--lenient, formula: {lenient[5]}")


def output():
    xlsx, result = os.path.join(WORK, "rows.xlsx"), os.path.join(WORK, "result.xlsx")
    write_workbook(xlsx)
    status, shown, _ = run(xlsx)
    status_o, _, _ = run(xlsx, "-o", result)
    check(status == status_o, "the same status writing a workbook")
    texts = rows_of(shown)
    sheet = openpyxl.load_workbook(result).active
    check(sheet.freeze_panes == "A3", f"the header row frozen: {sheet.freeze_panes}")
    check(all(c.font.b for c in sheet[2] if c.value is not None), "the header row bold")
    results = {j: texts[1][j] for j in range(len(HEADER), len(texts[1]) - 1)}
    formats = ["0", "0.00", "0.00"]
    for r, text_row in enumerate(texts[2:], start=3):
        for k, (j, title) in enumerate(results.items()):
            cell, text = sheet.cell(row=r, column=j + 1), text_row[j]
            if text.strip() in ("", "—"):
                check(cell.value is None, f"row {r} {title}: empty, not {cell.value!r}")
            else:
                check(cell.value == float(text) and cell.number_format == formats[k],
                      f"row {r} {title}: {cell.value!r} {cell.number_format} for {text!r}")
        notes = sheet.cell(row=r, column=len(texts[1])).value or ""
        check(notes == text_row[-1], f"row {r}: notes {notes!r} for {text_row[-1]!r}")
    check(sheet["B3"].value == 1200 and sheet["A3"].value == "暗柱", "numbers as numbers, texts as texts")
    check(sheet["A1"].value == TITLE, "the title row")

    # The check's columns follow the CSV's: [ρv] a number as the sheet writes
    # it, the verdict a text, both empty where no requirement is given.
    checked, checked_result = os.path.join(WORK, "checked.xlsx"), os.path.join(WORK, "checked-result.xlsx")
    book = openpyxl.Workbook()
    book.active.append(LABELS + ["混凝土强度等级", "箍筋牌号", "配箍特征值", "最小纵筋率（％）"])
    book.active.append(PLAIN + ["C30", "HRB400", 0.2, 1])
    book.active.append(PLAIN + [None, None, None, None])
    book.save(checked)
    run(checked, "-o", checked_result)
    sheet = openpyxl.load_workbook(checked_result).active
    got = [[c.value for c in r][-2:] for r in sheet.iter_rows()]
    check(got == [["[ρv]（％）", "验算"], [0.9277777778, "满足"], [None, None]], f"the check's columns: {got}")


def template():
    path = os.path.join(WORK, "template.xlsx")
    status, _, err = run("--template", "暗柱", "-o", path)
    check(status == 0, f"template: status {status}: {err}")
    sheet = openpyxl.load_workbook(path).active
    values = [[c.value for c in r] for r in sheet.iter_rows()]
    check(values == [LABELS, PLAIN], f"template: {values}")
    status, out, err = run(path)
    check(status == 0 and rows_of(out)[1][len(LABELS)] != "", f"the template calculates: {status} {err}")


def zip_of(path, parts, method=zipfile.ZIP_DEFLATED):
    with zipfile.ZipFile(path, "w", method) as z:
        for name, data in parts.items():
            z.writestr(name, data)
    return path


WORKBOOK_XML = ('<workbook xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">'
                '<sheets><sheet name="S" sheetId="1" r:id="rId1"/></sheets></workbook>')
RELS_XML = '<Relationships><Relationship Id="rId1" Target="worksheets/sheet1.xml"/></Relationships>'


def workbook_parts(sheet_xml):
    return {"xl/workbook.xml": WORKBOOK_XML, "xl/_rels/workbook.xml.rels": RELS_XML,
            "xl/worksheets/sheet1.xml": sheet_xml}


def damaged():
    good = os.path.join(WORK, "rows.xlsx")
    write_workbook(good)
    data = open(good, "rb").read()
    cut = os.path.join(WORK, "cut.xlsx")
    open(cut, "wb").write(data[: len(data) // 2])
    bomb_sheet = "<worksheet><sheetData>" + " " * (80 << 20) + "</sheetData></worksheet>"
    cases = [
        ("cut short", cut, "cannot be read"),
        ("zip bomb", zip_of(os.path.join(WORK, "bomb.xlsx"), workbook_parts(bomb_sheet)), "expand beyond"),
        ("no workbook", zip_of(os.path.join(WORK, "other.xlsx"), {"a.txt": "x"}), "no workbook"),
        ("no worksheet", zip_of(os.path.join(WORK, "empty.xlsx"), {"xl/workbook.xml": "<workbook/>"}),
         "no worksheet"),
        ("sheet part missing", zip_of(os.path.join(WORK, "nopart.xlsx"),
                                      {"xl/workbook.xml": WORKBOOK_XML, "xl/_rels/workbook.xml.rels": RELS_XML}),
         "no worksheet part"),
        ("broken XML", zip_of(os.path.join(WORK, "broken.xlsx"), workbook_parts("<worksheet><sheetData><row>")),
         "not well-formed"),
        ("ods", zip_of(os.path.join(WORK, "sheet.ods"), {"mimetype": "application/vnd.oasis.opendocument.spreadsheet",
                                                         "content.xml": "<x/>"}), "save it as .xlsx or CSV"),
    ]
    xls = os.path.join(WORK, "old.xls")
    open(xls, "wb").write(b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + bytes(504))
    cases.append(("xls", xls, "save it as .xlsx or CSV"))
    for name, path, message in cases:
        status, out, err = run("--defaults", path)
        check(status == 2 and out == "" and message in err, f"{name}: status {status}, {err!r}")
    status, _, err = run("--sheet", "none", good)
    check(status == 2 and 'no sheet named "none" (its sheets: "柱表")' in err, f"--sheet none: {err!r}")


def million():
    path = os.path.join(WORK, "million.xlsx")
    rows = 1048576
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("xl/workbook.xml", WORKBOOK_XML)
        z.writestr("xl/_rels/workbook.xml.rels", RELS_XML)
        z.writestr("xl/sharedStrings.xml", "<sst><si><t>shape</t></si><si><t>a</t></si><si><t>暗柱</t></si></sst>")
        with z.open("xl/worksheets/sheet1.xml", "w") as f:
            f.write(b'<worksheet><sheetData><row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c></row>')
            chunk = []
            for r in range(2, rows + 1):
                chunk.append(f'<row r="{r}"><c r="A{r}" t="s"><v>2</v></c><c r="B{r}"><v>{r % 900}</v></c></row>')
                if len(chunk) == 10000:
                    f.write("".join(chunk).encode())
                    chunk = []
            f.write(("".join(chunk) + "</sheetData></worksheet>").encode())
    done = subprocess.run(["/usr/bin/time", "-v", PROGRAM, "--defaults", path, "-o", os.path.join(WORK, "m.csv")],
                          capture_output=True, env=ENV)
    peak = re.search(rb"Maximum resident set size \(kbytes\): (\d+)", done.stderr)
    print(f"1,048,576 rows: status {done.returncode}, peak RSS {peak.group(1).decode() if peak else '?'} kB")
    check(done.returncode == 0, f"million: status {done.returncode}: {done.stderr[-400:]!r}")
    lines = sum(1 for _ in open(os.path.join(WORK, "m.csv"), "rb"))
    check(lines == rows, f"million: {lines} lines written")
    # The bound is left out with the sanitizers, whose shadow memory counts too.
    bound = int(os.environ.get("MAX_RSS_MB", "0"))
    check(bound == 0 or (peak is not None and int(peak.group(1)) < bound * 1024), f"million: peak RSS under {bound} MB")


{"same-as-csv": same_as_csv, "output": output, "template": template, "damaged": damaged, "million": million}[WHAT]()
for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
