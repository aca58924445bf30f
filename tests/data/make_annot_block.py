"""Writes annot_marks.bin: an imaging-annotation block (the content of TIFF tag
32932), laid out record by record with struct from the documented layout, in
the form a writer gives it (integer-size flag 1, group "0", indexes by mark).
Run with /usr/bin/python3 in this folder."""
import struct


def i32(*values):
    return struct.pack("<%di" % len(values), *values)


def named(record, name, data):
    return i32(record, 12) + name.ljust(8, b"\0") + i32(len(data)) + data


def attributes(mark_type, fill, size_at_48=None):
    a = bytearray((fill + 7 * i) % 256 for i in range(164))
    a[0:4] = i32(mark_type)
    if size_at_48 is not None:
        a[48:52] = i32(size_at_48)
    return bytes(a)


def dib(width, height, bits, table, rows):
    """rows: top row first, each already padded to 4 bytes."""
    row_bytes = (width * bits + 31) // 32 * 4
    ppm = 7874  # 200 dots per inch in pixels per metre
    header = i32(40, width, height) + struct.pack("<HH", 1, bits) + i32(0, row_bytes * height, ppm, ppm, 0, 0)
    return header + b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in table) + b"".join(reversed(rows))


def bilevel_rows(width, height):
    rows = []
    for y in range(height):
        bits = [1 if (x + y) % 3 == 0 else 0 for x in range(width)]
        packed = bytearray((width + 31) // 32 * 4)
        for x, bit in enumerate(bits):
            if bit:
                packed[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(packed))
    return rows


screen_info = i32(1, 1000, 96, 96, 96, 96, 0, 0) + bytes(24)
marks = [
    # points
    (attributes(3, 11), [named(6, b"OiAnoDat", i32(3, 3, 10, 20, -5, 7, 300, 400))]),
    # text; 150 on the 7500 scale stays 150
    (attributes(7, 23, 150), [named(6, b"OiAnText", i32(0, 1000, 7500, 17) + b"Hello annotations\0")]),
    # 10 x 3 bi-level picture
    (attributes(1, 37), [named(6, b"OiAnoDat", screen_info),
                         named(6, b"OiDIB", dib(10, 3, 1, [(0, 0, 0), (255, 255, 255)], bilevel_rows(10, 3)))]),
    # attributes only
    (attributes(5, 41), []),
    # 2 x 2 colour picture: red, green / blue, white
    (attributes(1, 53), [named(6, b"OiAnoDat", screen_info),
                         named(6, b"OiDIB", dib(2, 2, 24, [], [bytes([0, 0, 255, 0, 255, 0, 0, 0]),
                                                                bytes([255, 0, 0, 255, 255, 255, 0, 0])]))]),
]

out = i32(0, 1) + named(2, b"OiGroup", b"0\0") + named(2, b"OiIndex", b"1\0")
for index, (attrs, blocks) in enumerate(marks):
    out += i32(5, 164) + attrs + b"".join(blocks)
    out += named(6, b"OiGroup", b"0\0") + named(6, b"OiIndex", str(index).encode() + b"\0")
with open("annot_marks.bin", "wb") as f:
    f.write(out)
