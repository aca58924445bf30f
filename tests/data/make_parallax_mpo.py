#!/usr/bin/env python3
"""Builds parallax_pair.mpo: a two-picture MPO with Fujifilm maker notes.

Each picture is a tiny JPEG made by cjpeg (libjpeg-turbo-progs) from a
generated 16x8 PPM, with its JFIF segment replaced by
  APP1 Exif (little-endian): IFD0 Make=FUJIFILM, Model, Exif IFD pointer;
       Exif IFD: ExifVersion 0230, MakerNote "FUJIFILM" + offset 12 + IFD
       (Version 0130, SequenceNumber 0x1101 = picture number,
        Parallax 0xB211 SRATIONAL -3125/1000 = -3.125)
  APP2 MPF (little-endian): picture 1 holds the MP index IFD (version 0100,
       2 images, the 16-byte MP entries) and an attribute IFD
       (MPIndividualNum 1); picture 2 holds only its attribute IFD (2).
MP entry offsets count from picture 1's MP header, as CIPA DC-007 says.

Check with:  exiftool -n -FujiFilm:Parallax parallax_pair.mpo      -> -3.125
             exiftool -b -MPImage2 parallax_pair.mpo | exiftool -n -FujiFilm:SequenceNumber -   -> 2
Usage: python3 make_parallax_mpo.py [output]
"""
import struct
import subprocess
import sys

PARALLAX = (-3125, 1000)


def ppm(shift):
    w, h = 16, 8
    px = bytearray()
    for y in range(h):
        for x in range(w):
            v = ((x + shift) * 16) & 0xFF
            px += bytes((v, (y * 32) & 0xFF, 255 - v))
    return b"P6\n%d %d\n255\n" % (w, h) + bytes(px)


def tiny_jpeg(shift):
    jpeg = subprocess.run(["cjpeg", "-quality", "75", "-baseline"], input=ppm(shift),
                          check=True, capture_output=True).stdout
    assert jpeg[:2] == b"\xff\xd8"
    body = jpeg[2:]
    if body[:2] == b"\xff\xe0":  # drop JFIF: Exif and MPF take its place
        body = body[2 + struct.unpack(">H", body[2:4])[0]:]
    return body


def ifd(entries, start, next_ifd=0):
    """entries: (tag, type, count, payload bytes). Returns IFD bytes + out-of-line data.
    start: offset of this IFD from the TIFF header."""
    entries = sorted(entries)
    n = len(entries)
    data_at = start + 2 + 12 * n + 4
    head, data = b"", b""
    for tag, typ, count, payload in entries:
        if len(payload) <= 4:
            head += struct.pack("<HHI", tag, typ, count) + payload.ljust(4, b"\0")
        else:
            head += struct.pack("<HHII", tag, typ, count, data_at + len(data))
            data += payload
            if len(data) % 2:
                data += b"\0"
    return struct.pack("<H", n) + head + struct.pack("<I", next_ifd) + data


def maker_note(seq):
    entries = [
        (0x0000, 7, 4, b"0130"),
        (0x1101, 3, 1, struct.pack("<H", seq)),
        (0xB211, 10, 1, struct.pack("<ii", *PARALLAX)),
    ]
    return b"FUJIFILM" + struct.pack("<I", 12) + ifd(entries, 12)


def exif_app1(seq):
    make = b"FUJIFILM\0"
    model = b"FinePix REAL 3D W3\0"
    note = maker_note(seq)
    ifd0_entries = [(0x010F, 2, len(make), make), (0x0110, 2, len(model), model),
                    (0x8769, 4, 1, b"\0\0\0\0")]
    ifd0 = ifd(ifd0_entries, 8)
    exif_at = 8 + len(ifd0)
    ifd0 = ifd(ifd0_entries[:2] + [(0x8769, 4, 1, struct.pack("<I", exif_at))], 8)
    exif_entries = [(0x9000, 7, 4, b"0230"), (0x927C, 7, len(note), note)]
    exif = ifd(exif_entries, exif_at)
    tiff = b"II*\0" + struct.pack("<I", 8) + ifd0 + exif
    payload = b"Exif\0\0" + tiff
    return b"\xff\xe1" + struct.pack(">H", len(payload) + 2) + payload


def mpf_app2(individual_num, index=None):
    """index: (size1, size2, offset2) for the first picture, None for later ones."""
    attr_entries = [(0xB000, 7, 4, b"0100"), (0xB101, 4, 1, struct.pack("<I", individual_num))]
    if index is None:
        tiff = b"II*\0" + struct.pack("<I", 8) + ifd(attr_entries, 8)
    else:
        size1, size2, offset2 = index
        mp_entries = (struct.pack("<IIIHH", 0x20020002, size1, 0, 0, 0) +
                      struct.pack("<IIIHH", 0x00020002, size2, offset2, 0, 0))
        # Index IFD at 8: 3 entries -> 2 + 36 + 4 = 42 bytes, then the entries, then the attribute IFD.
        entries_at = 8 + 2 + 3 * 12 + 4
        attr_at = entries_at + len(mp_entries)
        index_ifd = ifd([(0xB000, 7, 4, b"0100"), (0xB001, 4, 1, struct.pack("<I", 2)),
                         (0xB002, 7, len(mp_entries), mp_entries)], 8, next_ifd=attr_at)
        assert len(index_ifd) == entries_at - 8 + len(mp_entries)
        tiff = b"II*\0" + struct.pack("<I", 8) + index_ifd + ifd(attr_entries, attr_at)
    payload = b"MPF\0" + tiff
    return b"\xff\xe2" + struct.pack(">H", len(payload) + 2) + payload


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "parallax_pair.mpo"
    body1, body2 = tiny_jpeg(0), tiny_jpeg(3)
    pic2 = b"\xff\xd8" + exif_app1(2) + mpf_app2(2) + body2
    app1 = exif_app1(1)
    header_pos = 2 + len(app1) + 4 + 4  # SOI, APP1, APP2 marker + length, "MPF\0"
    # The MPF segment's length does not depend on the values, so build it twice.
    size1 = 2 + len(app1) + len(mpf_app2(1, (0, 0, 0))) + len(body1)
    pic1 = b"\xff\xd8" + app1 + mpf_app2(1, (size1, len(pic2), size1 - header_pos)) + body1
    assert len(pic1) == size1
    with open(out, "wb") as f:
        f.write(pic1 + pic2)


if __name__ == "__main__":
    main()
