#!/usr/bin/python3
"""Writes a message catalogue (.po) as a C++ table, for builds without
gettext (the page): the pairs of English and translated text, sorted by the
English text's bytes, so that chineseText() finds one by binary search.

    catalogue_table.py CATALOGUE.po OUTPUT.cpp

Entries are read as msgfmt reads them: quoted pieces on following lines are
joined, escapes undone; the header entry (empty msgid), fuzzy entries and
untranslated ones are left out. Plural forms and contexts are refused, since
the batch tool uses neither.
"""
import sys

ESCAPES = {"n": "\n", "t": "\t", '"': '"', "\\": "\\", "r": "\r", "a": "\a", "b": "\b", "f": "\f", "v": "\v"}


def unquote(piece, where):
    if len(piece) < 2 or piece[0] != '"' or piece[-1] != '"':
        sys.exit("%s: a quoted string was expected" % where)
    out = []
    body = piece[1:-1]
    i = 0
    while i < len(body):
        c = body[i]
        if c == "\\":
            if i + 1 >= len(body) or body[i + 1] not in ESCAPES:
                sys.exit("%s: unknown escape in %s" % (where, piece))
            out.append(ESCAPES[body[i + 1]])
            i += 2
        elif c == '"':
            sys.exit("%s: a quote inside a string must be escaped" % where)
        else:
            out.append(c)
            i += 1
    return "".join(out)


def entries(lines, name):
    """(msgid, msgstr, fuzzy) for each entry, in the file's order."""
    found = []
    current = None  # {"msgid": ..., "msgstr": ..., "fuzzy": ...}
    keyword = None
    fuzzy = False

    def close():
        if current is not None:
            if "msgstr" not in current:
                sys.exit("%s: msgid %r has no msgstr" % (name, current["msgid"]))
            found.append((current["msgid"], current["msgstr"], current["fuzzy"]))

    for number, raw in enumerate(lines, 1):
        line = raw.strip()
        where = "%s:%d" % (name, number)
        if not line:
            continue
        if line.startswith("#"):
            if line.startswith("#,") and "fuzzy" in line[2:].replace(",", " ").split():
                fuzzy = True
            continue
        if line.startswith('"'):
            if keyword is None:
                sys.exit("%s: a string continues no keyword" % where)
            current[keyword] += unquote(line, where)
            continue
        word, _, rest = line.partition(" ")
        if word in ("msgctxt", "msgid_plural") or word.startswith("msgstr["):
            sys.exit("%s: %s is not supported (the batch tool uses no plural forms or contexts)" % (where, word))
        if word == "msgid":
            close()
            current = {"msgid": unquote(rest.strip(), where), "fuzzy": fuzzy}
            fuzzy = False
        elif word == "msgstr" and current is not None and "msgstr" not in current:
            current["msgstr"] = unquote(rest.strip(), where)
        else:
            sys.exit("%s: unexpected %r" % (where, word))
        keyword = word
    close()
    return found


def cxx_literal(text):
    """A narrow string literal holding the UTF-8 bytes of `text`. Octal
    escapes always take three digits, so no following character extends
    them."""
    out = ['"']
    for byte in text.encode("utf-8"):
        c = chr(byte)
        if c in '"\\?' or byte < 0x20 or byte >= 0x7F:
            out.append("\\%03o" % byte)
        else:
            out.append(c)
    out.append('"')
    return "".join(out)


def table(pairs, source):
    lines = [
        "// Written by batch/catalogue_table.py from %s: do not edit." % source,
        '#include "batch/chinese_texts.h"',
        "",
        "namespace dravik::batch {",
        "",
        "namespace {",
        "constexpr TextPair kTexts[] = {",
    ]
    for english, translated in pairs:
        lines.append("    {%s, %s}," % (cxx_literal(english), cxx_literal(translated)))
    lines += [
        "};",
        "}  // namespace",
        "",
        "std::span<const TextPair> chineseTexts() { return kTexts; }",
        "",
        "}  // namespace dravik::batch",
        "",
    ]
    return "\n".join(lines)


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    source, output = argv[1], argv[2]
    with open(source, encoding="utf-8") as f:
        found = entries(f.read().splitlines(), source)
    pairs = {}
    seen = set()
    for english, translated, fuzzy in found:
        if english in seen:
            sys.exit("%s: msgid %r is given twice" % (source, english))
        seen.add(english)
        if english and translated and not fuzzy:
            pairs[english] = translated
    ordered = sorted(pairs.items(), key=lambda pair: pair[0].encode("utf-8"))
    text = table(ordered, "batch/po/" + source.replace("\\", "/").rsplit("/", 1)[-1])
    with open(output, "w", encoding="utf-8") as f:
        f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
