#!/usr/bin/env python3
"""Writes the sample metafiles in examples/: shapes, text, a bitmap and
clipping, drawn record by record. Run it again after changing a picture;
the files it writes are committed so the demo needs no generator."""

import gzip
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "examples")


def rgb(r, g, b):
    return struct.pack("<BBBB", r, g, b, 0)


class Metafile:
    """Collects records and writes a placeable metafile."""

    def __init__(self, width, height, inch=640):
        self.width, self.height, self.inch = width, height, inch
        self.records = []
        self.objects = 0
        self.free = []

    def record(self, function, params=b""):
        if len(params) % 2:
            params += b"\0"
        size = 3 + len(params) // 2
        self.records.append(struct.pack("<IH", size, function) + params)

    def words(self, function, *values):
        self.record(function, struct.pack("<%dh" % len(values), *values))

    def new_object(self):
        if self.free:
            return self.free.pop(0)
        self.objects += 1
        return self.objects - 1

    # Objects -------------------------------------------------------------
    def pen(self, style, width, colour):
        self.record(0x02FA, struct.pack("<Hhh", style, width, 0) + colour)
        return self.new_object()

    def brush(self, style, colour, hatch=0):
        self.record(0x02FC, struct.pack("<H", style) + colour + struct.pack("<H", hatch))
        return self.new_object()

    def font(self, height, face, weight=400, italic=0, underline=0, escapement=0, charset=0):
        name = face.encode("latin-1")[:31].ljust(32, b"\0")
        self.record(0x02FB, struct.pack("<hhhhhBBBBBBBB", height, 0, escapement, escapement,
                                        weight, italic, underline, 0, charset, 0, 0, 0, 0) + name)
        return self.new_object()

    def select(self, index):
        self.words(0x012D, index)

    def delete(self, index):
        self.words(0x01F0, index)
        self.free.append(index)
        self.free.sort()

    # State and drawing ---------------------------------------------------
    def window(self, x, y, cx, cy):
        self.words(0x020B, y, x)
        self.words(0x020C, cy, cx)

    def rectangle(self, l, t, r, b):
        self.words(0x041B, b, r, t, l)

    def ellipse(self, l, t, r, b):
        self.words(0x0418, b, r, t, l)

    def round_rect(self, l, t, r, b, w, h):
        self.words(0x061C, h, w, b, r, t, l)

    def polygon(self, points):
        flat = [c for p in points for c in p]
        self.words(0x0324, len(points), *flat)

    def polyline(self, points):
        flat = [c for p in points for c in p]
        self.words(0x0325, len(points), *flat)

    def text_colour(self, colour):
        self.record(0x0209, colour)

    def background_mode(self, mode):
        self.words(0x0102, mode)

    def text_align(self, align):
        self.words(0x012E, align)

    def text_out(self, x, y, text):
        data = text.encode("cp1252")
        padded = data + (b"\0" if len(data) % 2 else b"")
        self.record(0x0521, struct.pack("<h", len(data)) + padded + struct.pack("<hh", y, x))

    def save(self):
        self.record(0x001E)

    def restore(self):
        self.words(0x0127, -1)

    def intersect_clip(self, l, t, r, b):
        self.words(0x0416, b, r, t, l)

    def stretch_dib(self, x, y, w, h, dib, src_w, src_h, rop=0x00CC0020):
        params = struct.pack("<IHhhhhhhhh", rop, 0, src_h, src_w, 0, 0, h, w, y, x) + dib
        self.record(0x0F43, params)

    # Output --------------------------------------------------------------
    def bytes(self):
        body = b"".join(self.records) + struct.pack("<IH", 3, 0)
        max_record = max(len(r) // 2 for r in self.records + [b"\0" * 6])
        total_words = 9 + len(body) // 2
        header = struct.pack("<HHHIHIH", 1, 9, 0x0300, total_words, self.objects, max_record, 0)
        words = struct.unpack("<10H", struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, self.width,
                                                  self.height, self.inch, 0))
        checksum = 0
        for word in words:
            checksum ^= word
        placeable = struct.pack("<IHhhhhHIH", 0x9AC6CDD7, 0, 0, 0, self.width, self.height,
                                self.inch, 0, checksum)
        return placeable + header + body


def shapes():
    m = Metafile(4000, 3000)
    m.window(0, 0, 4000, 3000)
    outline = m.pen(0, 30, rgb(20, 40, 90))
    m.select(outline)
    sky = m.brush(0, rgb(200, 225, 250))
    m.select(sky)
    m.rectangle(100, 100, 3900, 2900)
    sun = m.brush(0, rgb(250, 200, 40))
    m.select(sun)
    m.ellipse(2900, 300, 3600, 1000)
    roof = m.brush(0, rgb(180, 50, 40))
    m.select(roof)
    m.polygon([(600, 1500), (1500, 700), (2400, 1500)])
    hatch = m.brush(2, rgb(120, 80, 30), 5)  # cross-hatched walls
    m.select(hatch)
    m.rectangle(700, 1500, 2300, 2700)
    door = m.brush(0, rgb(90, 60, 30))
    m.select(door)
    m.round_rect(1300, 1900, 1700, 2700, 200, 200)
    dashed = m.pen(1, 0, rgb(0, 120, 0))
    m.select(dashed)
    m.polyline([(2600, 2700), (3000, 2300), (3400, 2600), (3800, 2200)])
    return m


def text():
    m = Metafile(4800, 2400)
    m.window(0, 0, 4800, 2400)
    m.background_mode(1)
    m.text_colour(rgb(0, 0, 0))
    sans = m.font(-300, "Arial")
    m.select(sans)
    m.text_out(200, 200, "Plotvale: Arial 15 pt")
    serif = m.font(-300, "Times New Roman", weight=700)
    m.select(serif)
    m.text_colour(rgb(160, 0, 0))
    m.text_out(200, 700, "Times New Roman, bold")
    mono = m.font(-200, "Courier New", italic=1, underline=1)
    m.select(mono)
    m.text_colour(rgb(0, 0, 160))
    m.text_out(200, 1200, "Courier New, italic, underlined")
    turned = m.font(-240, "Arial", escapement=150)
    m.select(turned)
    m.text_colour(rgb(0, 110, 0))
    m.text_out(1800, 2050, "Turned by 15 degrees")
    return m


def dib_24(width, height):
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, 0, 2835, 2835, 0, 0)
    rows = []
    for y in range(height):  # bottom-up rows
        row = b""
        for x in range(width):
            row += struct.pack("<BBB", (x * 255) // (width - 1), (y * 255) // (height - 1), 128)
        row += b"\0" * ((4 - len(row) % 4) % 4)
        rows.append(row)
    return header + b"".join(rows)


def dib_8_checker(size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 8, 0, 0, 0, 0, 2, 2)
    palette = struct.pack("<BBBB", 255, 255, 255, 0) + struct.pack("<BBBB", 40, 40, 40, 0)
    rows = b""
    for y in range(size):
        rows += bytes(((x // 4 + y // 4) % 2) for x in range(size))
    return header + palette + rows


def bitmap():
    m = Metafile(3200, 1600)
    m.window(0, 0, 3200, 1600)
    m.stretch_dib(100, 100, 1400, 1400, dib_24(32, 32), 32, 32)
    m.stretch_dib(1700, 100, 1400, 1400, dib_8_checker(32), 32, 32)
    return m


def clipping():
    m = Metafile(3000, 3000)
    m.window(0, 0, 3000, 3000)
    none = m.pen(5, 0, rgb(0, 0, 0))
    m.select(none)
    m.save()
    m.intersect_clip(500, 500, 2500, 2500)
    for i, colour in enumerate([(230, 80, 60), (60, 160, 90), (50, 100, 220)]):
        b = m.brush(0, rgb(*colour))
        m.select(b)
        m.ellipse(200 + i * 700, 200 + i * 700, 1400 + i * 700, 1400 + i * 700)
    m.restore()
    frame = m.pen(0, 20, rgb(0, 0, 0))
    m.select(frame)
    hollow = m.brush(1, rgb(0, 0, 0))
    m.select(hollow)
    m.rectangle(500, 500, 2500, 2500)
    return m


def main():
    os.makedirs(OUT, exist_ok=True)
    pictures = {"shapes.wmf": shapes(), "text.wmf": text(), "bitmap.wmf": bitmap(),
                "clipping.wmf": clipping()}
    for name, picture in pictures.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(picture.bytes())
    # The same drawing, gzip-compressed, as a .wmz file.
    with open(os.path.join(OUT, "shapes-compressed.wmz"), "wb") as f:
        f.write(gzip.compress(shapes().bytes(), mtime=0))


if __name__ == "__main__":
    main()
