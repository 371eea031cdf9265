#!/usr/bin/python3
"""Makes the page one file, and lists the characters its face must hold.

    bundle.py characters OUTPUT TABLES_FILE SOURCE...
        OUTPUT gets the characters of TABLES_FILE (the window tables, written
        by song_characters) and every non-ASCII character of the page's own
        sources.
    bundle.py beyond OUTPUT KNOWN_FILE SOURCE...
        OUTPUT gets the non-ASCII characters of the SOURCEs that KNOWN_FILE
        lacks: those of the batch catalogue, for a second face.
    bundle.py page OUTPUT --core CORE_JS --wasm CORE_WASM --font TTF --messages-font TTF --source DIR
                  --pictures FILE...
        OUTPUT is DIR/page.html with the style, the faces, the pictures (as
        data URLs, by file name without extension), the core's script (kept
        as text, so that the page and its worker both start it), its
        WebAssembly in base64 (an element of its own: not parsed as script,
        decoded and compiled once by the page) and the page's scripts put in
        its place-holders.
"""
import base64
import json
import os
import struct
import sys
import zlib


# What a mail or a chat message carries without trouble: 2 MiB.
BUDGET = 2 * 1024 * 1024


def read(path, mode="r"):
    with open(path, mode, **({} if "b" in mode else {"encoding": "utf-8"})) as f:
        return f.read()


def characters(output, tables, sources):
    chars = set(read(tables))
    for source in sources:
        chars |= {c for c in read(source) if ord(c) > 0x7F}
    with open(output, "w", encoding="utf-8") as f:
        f.write("".join(sorted(chars)))


def png_of_bmp(bmp):
    """The same pixels as a PNG: a 24-bit bitmap is four times larger, and
    the page is opened by parsing every byte of it."""
    offset, = struct.unpack_from("<I", bmp, 10)
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", bmp, 18)
    if bits != 24 or compression != 0:
        sys.exit("bundle.py: only uncompressed 24-bit bitmaps are converted")
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        source = y if height < 0 else abs(height) - 1 - y  # stored bottom-up
        row = bmp[offset + source * stride:offset + source * stride + width * 3]
        rgb = bytearray(row)
        rgb[0::3], rgb[2::3] = row[2::3], row[0::3]  # BGR -> RGB
        rows.append(b"\0" + bytes(rgb))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", width, abs(height), 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
            + chunk(b"IEND", b""))


def data_url(path):
    kinds = {".png": "image/png", ".jpg": "image/jpeg", ".bmp": "image/png", ".ttf": "font/ttf"}
    kind = kinds[os.path.splitext(path)[1]]
    data = read(path, "rb")
    if path.endswith(".bmp"):
        data = png_of_bmp(data)
    return "data:%s;base64,%s" % (kind, base64.b64encode(data).decode("ascii"))


def beyond(output, known, sources):
    chars = set()
    for source in sources:
        chars |= {c for c in read(source) if ord(c) > 0x7F}
    with open(output, "w", encoding="utf-8") as f:
        f.write("".join(sorted(chars - set(read(known)))))


def page(output, core, wasm, font, messages_font, source, pictures):
    core_js = read(core)
    # The core's script sits in a text element: it must not end it early.
    if "</script" in core_js:
        sys.exit("bundle.py: the core's script contains </script")
    named = {os.path.splitext(os.path.basename(p))[0]: data_url(p) for p in pictures}
    parts = {
        "/*STYLE*/": read(os.path.join(source, "page.css")).replace("/*FONT*/", data_url(font))
                                                         .replace("/*MESSAGES_FONT*/", data_url(messages_font)),
        "/*CORE*/": core_js,
        "/*WASM*/": base64.b64encode(read(wasm, "rb")).decode("ascii"),
        "/*WORKER*/": read(os.path.join(source, "batch_worker.js")),
        "/*PICTURES*/": json.dumps(named, separators=(",", ":")),
        "/*PAGE*/": read(os.path.join(source, "page.js")),
    }
    html = read(os.path.join(source, "page.html"))
    for mark, text in parts.items():
        if html.count(mark) != 1:
            sys.exit("bundle.py: page.html must hold %s once" % mark)
        html = html.replace(mark, text)
    size = len(html.encode("utf-8"))
    if size > BUDGET:
        sys.exit("bundle.py: the page would be %d bytes, more than its budget of %d" % (size, BUDGET))
    with open(output, "w", encoding="utf-8") as f:
        f.write(html)
    print("bundle.py: %s, %d bytes" % (output, size))


def main(argv):
    if len(argv) >= 4 and argv[1] == "characters":
        characters(argv[2], argv[3], argv[4:])
        return 0
    if len(argv) >= 4 and argv[1] == "beyond":
        beyond(argv[2], argv[3], argv[4:])
        return 0
    if len(argv) >= 3 and argv[1] == "page":
        args = {"--core": None, "--wasm": None, "--font": None, "--messages-font": None, "--source": None}
        pictures = []
        i = 3
        while i < len(argv):
            if argv[i] == "--pictures":
                pictures = argv[i + 1:]
                break
            args[argv[i]] = argv[i + 1]
            i += 2
        page(argv[2], args["--core"], args["--wasm"], args["--font"], args["--messages-font"], args["--source"],
             pictures)
        return 0
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
