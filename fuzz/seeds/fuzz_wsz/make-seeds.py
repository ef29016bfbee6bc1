#!/usr/bin/env python3
# Writes the seed skins of fuzz_wsz beside this script: small archives in
# each layout the reader knows (root files, a top folder with "\" names, two
# entries differing in case beside a Mac resource folder, stored entries).
import os
import struct
import zipfile


def bmp(width, height, rgb):
    row = (bytes(rgb) * width).ljust((width * 3 + 3) // 4 * 4, b"\0")
    pixels = row * height
    return (b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54)
            + struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
            + pixels)


def write(name, entries, method=zipfile.ZIP_DEFLATED):
    with zipfile.ZipFile(os.path.join(os.path.dirname(os.path.abspath(__file__)), name), "w", method) as z:
        for entry, data in entries:
            # A fixed date keeps the seeds the same from run to run.
            z.writestr(zipfile.ZipInfo(entry, date_time=(2026, 1, 1, 0, 0, 0)), data, compress_type=method)


write("root.wsz", [("main.bmp", bmp(8, 4, (10, 20, 30))),
                   ("viscolor.txt", b"0,0,0\n24, 33, 41 // x\n"),
                   ("pledit.txt", b"[Text]\nNormal=#00FF00\n")])
write("top-folder-backslashes.wsz", [("Skin/", b""), ("Skin\\MAIN.BMP", bmp(4, 4, (200, 0, 0))),
                                     ("Skin\\text.bmp", bmp(5, 2, (0, 0, 0)))])
write("two-cases.wsz", [("titlebar.bmp", bmp(2, 2, (1, 2, 3))), ("TITLEBAR.BMP", bmp(2, 2, (4, 5, 6))),
                        ("__MACOSX/Skin/._main.bmp", b"fork")])
write("stored.zip", [("normal.cur", b"\0\0\2\0\1\0"), ("Readme.txt", b"Una skin di prova.\n")], zipfile.ZIP_STORED)
