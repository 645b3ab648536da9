#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target into tests/fuzz/corpus/<target>/.

usage: make_corpus.py <skintool>

Small, valid or nearly valid inputs of each kind, so that fuzzing starts from
the shapes the readers accept. Skin files and packages are made by the
project's own packer (skintool); the description is the compiled-in skin's.
Run it again after changing it; the output is the same on every run.
"""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
CORPUS = os.path.join(HERE, "corpus")
DESCRIPTION = os.path.join(ROOT, "assets", "skin", "lightblue", "lightblue.ini")


def write(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data.encode("utf-8") if isinstance(data, str) else data)


def noise(count, seed):
    out = bytearray()
    for _ in range(count):
        seed = (seed * 1103515245 + 12345) & 0xFFFFFFFF
        out.append(seed >> 16 & 0xFF)
    return bytes(out)


# ---- BMP files

def bmp(width, height, bits, rows, palette=b"", header_size=40, compression=0, masks=b"",
        top_down=False, image_size=None):
    """A BMP file; rows are the stored rows, already padded."""
    pixels = b"".join(rows)
    if header_size == 12:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        colours = len(palette) // 4
        info = struct.pack("<IiiHHIIiiII", header_size, width, -height if top_down else height, 1, bits,
                           compression, len(pixels) if image_size is None else image_size, 2835, 2835,
                           colours, 0)
        info += bytes(header_size - len(info))
        if header_size > 40 and masks:  # version 4 and 5 headers hold the masks
            info = info[:40] + masks + info[40 + len(masks):]
            masks = b""
    offset = 14 + len(info) + len(masks) + len(palette)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + masks + palette + pixels


def grey_palette(count, entry_size=4):
    step = 255 // max(count - 1, 1)
    return b"".join(bytes([i * step] * 3) + bytes(entry_size - 3) for i in range(count))


def padded(row):
    return row + bytes(-len(row) % 4)


def write_bmps():
    rgb24 = [padded(bytes([0, 0, 255, 0, 255, 0, 255, 0, 0])), padded(bytes([255, 0, 255] * 3))]
    write("bmp", "rgb24", bmp(3, 2, 24, rgb24))
    write("bmp", "rgb24-top-down", bmp(3, 2, 24, rgb24, top_down=True))
    write("bmp", "rgb32", bmp(2, 2, 32, [bytes(range(8)), bytes(range(8, 16))]))
    bgr_masks = struct.pack("<III", 0x00FF0000, 0x0000FF00, 0x000000FF)
    write("bmp", "bitfields32", bmp(2, 1, 32, [bytes(range(8))], compression=3, masks=bgr_masks))
    write("bmp", "palette1", bmp(9, 2, 1, [b"\xA5\x80\0\0", b"\x5A\x00\0\0"], grey_palette(2)))
    write("bmp", "palette4", bmp(5, 2, 4, [b"\x01\x23\x40\0", b"\xFE\xDC\xB0\0"], grey_palette(16)))
    write("bmp", "palette8-short", bmp(3, 2, 8, [b"\0\1\2\0", b"\3\2\1\0"], grey_palette(4)))
    write("bmp", "core-header8", bmp(2, 2, 8, [b"\0\1\0\0", b"\1\0\0\0"], grey_palette(256, 3), header_size=12))
    write("bmp", "v4-header24", bmp(1, 1, 24, [padded(b"\x10\x20\x30")], header_size=108))
    write("bmp", "v5-header32-bitfields", bmp(1, 1, 32, [b"\1\2\3\0"], header_size=124, compression=3,
                                              masks=bgr_masks))
    rgb555 = struct.pack("<III", 0x7C00, 0x03E0, 0x001F)
    write("bmp", "rgb16", bmp(2, 1, 16, [b"\x1F\x00\xE0\x03"]))
    write("bmp", "bitfields16", bmp(2, 1, 16, [b"\x1F\x00\xE0\x07"], compression=3,
                                    masks=struct.pack("<III", 0xF800, 0x07E0, 0x001F)))
    write("bmp", "bitfields16-555", bmp(2, 1, 16, [b"\x1F\x00\xE0\x03"], compression=3, masks=rgb555))
    # Run-length coded: runs, an absolute run, a line end, a move and the end.
    rle8 = b"\x03\x01" + b"\x00\x03\x02\x00\x01\x00" + b"\x00\x00" + b"\x00\x02\x01\x00" + b"\x02\x03" + b"\x00\x01"
    write("bmp", "rle8", bmp(6, 3, 8, [rle8], grey_palette(4), compression=1))
    rle4 = b"\x04\x12" + b"\x00\x03\x34\x50" + b"\x00\x00" + b"\x05\x67" + b"\x00\x01"
    write("bmp", "rle4", bmp(7, 2, 4, [rle4], grey_palette(16), compression=2))
    write("bmp", "oversized-image-size", bmp(1, 1, 24, [padded(b"\1\2\3")], image_size=0x7FFFFFFF))


# ---- Skin descriptions, skin files and packages

SMALL_DESCRIPTION = """; a small skin
[TitlebarSkin]
SkinName=small

[Personality]
Left=left.bmp
LeftFrame=2
LeftTopHeight=4
LeftBotHeight=4
TextBack=title.bmp
ActiveTextR=10
ActiveTextG=20
ActiveTextB=30

[Colours]
WindowText=20 50 95
ButtonFace=236,243,250
Hilight=$FF

[Colour1]
color=1 2 3

[Customcolors]
Color0=255 255 255
Color9=0 0 0

[Buttons]
Bitmap=left.bmp
LeftWidth=3
RightWidth=0x03
Tile=1
NormalColour2=0 0 0

[BUTTON1]
ButtonImage=title.bmp
Action=0
Align=1
Xcoord=-20
Ycoord=4

[BUTTON2]
Action=-1
Visibility=0

[Tab.Pane]
Image=C:\\skins\\left.bmp
TopHeight=2147483647
Frame=1
"""

EDGE_INI = ("[A]\r\nx=1\r\n; a comment\n[ B ]\n k = $FFFFFFFF \nk2=0x10\nk3=-2147483648\nk4=2147483648\n"
            "[A]\nx=2\n\n=no key\nnovalue\n[]\n[C\nlast=\0after zero")


def pack(skintool, folder, out, skin_file=True):
    # The corpus skins are broken on purpose: pack them without the checks.
    args = [skintool, "pack", "--unchecked"] + (["--skin-file"] if skin_file else []) + [folder, out]
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL)


def skin_folder(work, name, description, pictures):
    folder = os.path.join(work, name)
    os.makedirs(folder)
    with open(os.path.join(folder, name + ".ini"), "wb") as f:
        f.write(description.encode() if isinstance(description, str) else description)
    for picture, data in pictures.items():
        with open(os.path.join(folder, picture), "wb") as f:
            f.write(data)
    return folder


def write_skins(skintool):
    with open(DESCRIPTION, "rb") as f:
        lightblue = f.read()
    pictures = {
        "left.bmp": bmp(2, 3, 8, [b"\0\1\0\0", b"\1\0\0\0", b"\0\0\0\0"], grey_palette(2)),
        "title.bmp": bmp(6, 1, 24, [padded(bytes(range(18)))]),
    }
    with tempfile.TemporaryDirectory() as work:
        folders = {
            "small": skin_folder(work, "small", SMALL_DESCRIPTION, pictures),
            "lightblue-description": skin_folder(work, "lightblue", lightblue, {}),
            "one-picture": skin_folder(work, "one", "[Progress]\nBitmap=title.bmp\n", {"title.bmp": pictures["title.bmp"]}),
        }
        for name, folder in folders.items():
            out = os.path.join(work, name + ".skin")
            pack(skintool, folder, out)
            unpacked = os.path.join(work, name + ".package")
            subprocess.run([skintool, "unpack", out, unpacked], check=True)
            for target in ("skin_file", "lzh"):
                shutil.copy(out, os.path.join(CORPUS, target, name + ".skin"))
            shutil.copy(unpacked, os.path.join(CORPUS, "skin_package", name + ".package"))
        stream = os.path.join(work, "small.skinstream")
        pack(skintool, folders["small"], stream, skin_file=False)
        shutil.copy(stream, os.path.join(CORPUS, "skin_file", "small.skinstream"))

    write("lzh", "empty", struct.pack("<i", 0))
    for target in ("ini", "skin_description"):
        write(target, "lightblue.ini", lightblue)
        write(target, "small.ini", SMALL_DESCRIPTION)
        write(target, "edges.ini", EDGE_INI)
    write("skin_description", "colours", "1 2 3")
    for name, data in (("lightblue.ini", lightblue), ("small-picture", pictures["title.bmp"]),
                       ("runs", b"a" * 300 + b"ab" * 200 + bytes(range(256))), ("noise", noise(600, 7)),
                       ("empty", b"")):
        write("lzh_roundtrip", name, data)
    write_package_versions()


def package(version, reserved, names, entries):
    text = "".join(n + "\r\n" for n in names).encode()
    out = struct.pack("<iiii", version, len(text), 0, 0) + bytes(reserved) + text
    out += b"".join(struct.pack("<i", len(e)) for e in entries)
    return out + b"".join(entries)


def write_package_versions():
    entries = [b"[Buttons]\nBitmap=b.bmp\n", bmp(1, 1, 24, [padded(b"\1\2\3")])]
    for version, reserved in ((20000, 0), (30000, 256), (40000, 80), (50000, 48)):
        write("skin_package", "version%d" % version, package(version, reserved, ["a.ini", "B.bmp"], entries))
    write("skin_package", "no-entries", package(20000, 0, [], []))


# ---- Forms, password files, Base64

FORM = """object Form1: TFuzzForm
  Level = lvHigh
  Caption = '登录 ''quoted'''#13#10'line'
  Anchors = [akLeft, akBottom]
  OnClick = Clicked
  object Panel1: TFuzzControl
    Visible = False
    Dock = dkClient
    Font.Height = -16
    Font.Name = 'Tahoma'
    Level = -2
    Items.Strings = (
      'one'
      'two' +
      'three')
    Data = {
      424D00FF
      7f}
  end
end
"""


def write_forms():
    write("form", "all-kinds.dfm", FORM)
    # The program's own forms, with a few bytes where the build embeds files.
    for name in ("Unit_mm.dfm", "Unit_main.dfm"):
        with open(os.path.join(ROOT, "app", "forms", name), encoding="utf-8") as f:
            write("form", name, re.sub(r"\{@[^@]*@\}", "{ 424D00 }", f.read()))


def password_file(encoded, tail=b"\x01" * 500):
    return b"M" * 399 + encoded + tail


def write_password_files():
    write("passfile", "tessaly", password_file(b"dGVzc2FseQ==\t"))
    write("passfile", "empty-password", password_file(b"\t"))
    write("passfile", "no-tab", password_file(b"dGVzc2FseQ=="))
    write("passfile", "one-byte-after-head", password_file(b"d", b""))
    write("passfile", "head-only", b"M" * 399)
    write("passfile", "longest-password", password_file(b"QUJD" * 1024 + b"\t"))
    write("passfile", "no-tab-within-bound", password_file(b"QUJD" * 1025))
    for name, text in (("tessaly", "dGVzc2FseQ=="), ("two-pads", "YQ=="), ("one-pad", "YWI="),
                       ("chinese", "5a+G56CB"), ("pad-first", "=A=="), ("outside", "!!!!~~"),
                       ("empty", "")):
        write("base64", name, text)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_corpus.py <skintool>")
    for target in os.listdir(CORPUS) if os.path.isdir(CORPUS) else []:
        shutil.rmtree(os.path.join(CORPUS, target))
    for target in ("skin_file", "lzh", "skin_package"):
        os.makedirs(os.path.join(CORPUS, target))
    write_bmps()
    write_skins(sys.argv[1])
    write_forms()
    write_password_files()


if __name__ == "__main__":
    main()
