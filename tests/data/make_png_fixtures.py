#!/usr/bin/python3
"""Writes the PNG fixtures of the PNG reader's tests (Debian's python3-pil).

Run from this folder: /usr/bin/python3 make_png_fixtures.py
"""
import struct
import zlib

from PIL import Image, PngImagePlugin

# 5 x 4 RGBA with every alpha level different, three text chunks and 72 dpi.
rgba = Image.new("RGBA", (5, 4))
rgba.putdata([(x * 50, y * 60, 255 - x * 40, (x * 4 + y) * 12) for y in range(4) for x in range(5)])
info = PngImagePlugin.PngInfo()
info.add_text("Title", "Stereo pair")
info.add_text("Comment", "zipped text", zip=True)
info.add_itxt("Author", "J\u00fcrgen \u2713", lang="de", tkey="Autor")
rgba.save("png_rgba_text.png", pnginfo=info, dpi=(72, 72))

# 4-bit palette of 10 colours; entries 0 and 3 transparent, 5 half transparent.
pal = Image.new("P", (7, 3))
pal.putpalette([v for i in range(10) for v in (i * 25, 255 - i * 20, (i * 77) % 256)])
pal.putdata([(x + 2 * y) % 10 for y in range(3) for x in range(7)])
pal.save("png_palette4_trns.png", bits=4, transparency=bytes([0, 255, 255, 0, 255, 128]))

# 16-bit grey, values spread over the whole range.
gray = Image.new("I", (6, 5))
gray.putdata([(x * 11111 + y * 3001) % 65536 for y in range(5) for x in range(6)])
gray.save("png_gray16.png")


# Adam7 RGB 9 x 9, written chunk by chunk: Pillow writes no interlaced files.
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def pixel(x, y):
    return bytes(((x * 29 + y * 7) % 256, (y * 31) % 256, (x * y * 5) % 256))


raw = b""
for x0, y0, dx, dy in ((0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)):
    for y in range(y0, 9, dy):
        cols = range(x0, 9, dx)
        if len(cols):
            raw += b"\0" + b"".join(pixel(x, y) for x in cols)
with open("png_rgb_adam7.png", "wb") as f:
    f.write(b"\x89PNG\r\n\x1a\n")
    f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", 9, 9, 8, 2, 0, 0, 1)))
    f.write(chunk(b"IDAT", zlib.compress(raw)))
    f.write(chunk(b"IEND", b""))
