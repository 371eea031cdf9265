#!/usr/bin/python3
"""Cuts the Song face down to the characters the program shows.

    make_song_subset.py [--only] SOURCE_FONT OUTPUT_TTF CHARACTERS_FILE

Keeps every printable ASCII character, the full-width digits and letters
and the common Chinese punctuation (what a user may type), Qt's elision
mark, and every
character of CHARACTERS_FILE (UTF-8; written by song_characters from the
window tables), and renames the family "Dravik Song", so that it can never
be mistaken for the installed face it was cut from. The program embeds the
result: a face of about a hundred kilobytes instead of a twenty-megabyte
file, which keeps the program's start-up memory small.

With --only, the face holds the characters of CHARACTERS_FILE and nothing
else: a second face that another one falls back to (the page's messages).
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = "Dravik Song"


def characters(path, only=False):
    with open(path, encoding="utf-8") as f:
        listed = {c for c in f.read() if c.isprintable()}
    if only:
        return "".join(sorted(listed))
    chars = {chr(c) for c in range(0x20, 0x7F)}
    chars |= {chr(c) for c in range(0xFF01, 0xFF5F)}  # full-width forms
    chars |= set("\u2014\u3001\u3002\u300a\u300b")     # — 、 。 《 》
    # … : Qt's elision mark. Qt asks whether the face has it whenever it lays
    # out a text that might be shortened (a combo box's field, for one); a
    # face without it sends Qt through fontconfig's fallback faces at the
    # first paint, which costs start-up time and memory.
    chars.add("\u2026")
    return "".join(sorted(chars | listed))


def main(argv):
    only = len(argv) > 1 and argv[1] == "--only"
    if only:
        argv = argv[:1] + argv[2:]
    if len(argv) != 4:
        sys.stderr.write(__doc__)
        return 2
    source, output, texts = argv[1], argv[2], argv[3]
    options = subset.Options()
    options.font_number = 0
    options.name_IDs = ["*"]
    options.notdef_outline = True
    options.drop_tables += ["BDF", "FFTM"]
    font = subset.load_font(source, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=characters(texts, only))
    subsetter.subset(font)
    for record in font["name"].names:
        if record.nameID in (1, 4, 16):
            record.string = FAMILY
        elif record.nameID == 6:
            record.string = FAMILY.replace(" ", "")
        elif record.nameID == 3:
            record.string = FAMILY + " (subset)"
    subset.save_font(font, output, options)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
