#!/usr/bin/env python3
"""Draws the edit panes' toolbar images as PNG strips of 16 x 16 cells
(no third-party modules; white is the transparent colour).

Run from this folder: python3 make_pane_images.py
387.png: the timeline's lower toolbar: add range, set start, set end, move
         range, remove range, zoom out, zoom in, stop, play, range behaviour.
509.png: the timeline's upper toolbar: add range, remove range, move range.
390.png: the watermark toolbar: text, picture, rectangle, ellipse, video,
         delete, move up, move down, copy, cut, paste.
These pictures are this project's own work, under the project's licence.
"""
import struct
import zlib

W = (255, 255, 255)
INK = (40, 60, 110)
RED = (190, 40, 40)
GREEN = (40, 140, 60)
GREY = (120, 120, 120)
GOLD = (210, 160, 30)


def png(path, w, h, pixels):
    rows = bytearray()
    for y in range(h):
        rows.append(0)
        for x in range(w):
            rows.extend(pixels[y][x])

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(bytes(rows), 9)))
        f.write(chunk(b"IEND", b""))


class Cell:
    def __init__(self):
        self.p = [[W] * 16 for _ in range(16)]

    def dot(self, x, y, c):
        if 0 <= x < 16 and 0 <= y < 16:
            self.p[y][x] = c

    def rect(self, x0, y0, x1, y1, c, fill=True):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                if fill or x in (x0, x1) or y in (y0, y1):
                    self.dot(x, y, c)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.dot(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def ellipse(self, cx, cy, rx, ry, c, fill=True):
        for y in range(16):
            for x in range(16):
                d = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
                if d <= 1.0 and (fill or d >= 0.55):
                    self.dot(x, y, c)


def bar(c):
    c.rect(1, 10, 14, 13, GREY, fill=False)


def plus(c, x, y, col=GREEN):
    c.rect(x - 2, y, x + 2, y, col)
    c.rect(x, y - 2, x, y + 2, col)


def add_range():
    c = Cell(); bar(c); c.rect(7, 11, 13, 12, INK); plus(c, 4, 4); return c


def set_start():
    c = Cell(); bar(c); c.rect(6, 11, 13, 12, INK); c.rect(5, 2, 5, 14, RED); c.line(5, 2, 8, 4, RED); return c


def set_end():
    c = Cell(); bar(c); c.rect(2, 11, 9, 12, INK); c.rect(10, 2, 10, 14, RED); c.line(10, 2, 7, 4, RED); return c


def move_range():
    c = Cell(); bar(c); c.rect(5, 11, 11, 12, INK); c.line(3, 5, 12, 5, GREEN); c.line(12, 5, 10, 3, GREEN)
    c.line(12, 5, 10, 7, GREEN); return c


def remove_range():
    c = Cell(); bar(c); c.rect(4, 11, 11, 12, INK); c.rect(2, 4, 7, 4, RED); return c


def magnifier(sign):
    c = Cell(); c.ellipse(6, 6, 4.5, 4.5, INK, fill=False); c.line(9, 9, 14, 14, INK); c.line(10, 9, 14, 13, INK)
    c.rect(4, 6, 8, 6, INK)
    if sign == "+":
        c.rect(6, 4, 6, 8, INK)
    return c


def stop():
    c = Cell(); c.rect(4, 4, 11, 11, INK); return c


def play():
    c = Cell()
    for i in range(8):
        c.rect(4 + i, 3 + i // 2, 4 + i, 12 - i // 2, GREEN)
    return c


def behaviour():
    c = Cell(); bar(c); c.rect(3, 11, 6, 12, INK); c.rect(9, 11, 12, 12, INK); c.line(6, 6, 9, 6, GOLD)
    c.rect(2, 3, 5, 8, GOLD, fill=False); c.rect(10, 3, 13, 8, GOLD, fill=False); return c


def text():
    c = Cell(); c.rect(3, 2, 12, 3, INK); c.rect(7, 2, 8, 13, INK); return c


def picture():
    c = Cell(); c.rect(1, 3, 14, 12, INK, fill=False); c.line(2, 11, 6, 6, GREEN); c.line(6, 6, 9, 10, GREEN)
    c.line(9, 10, 13, 5, GREEN); c.ellipse(11, 5.5, 1.2, 1.2, GOLD); return c


def rectangle():
    c = Cell(); c.rect(2, 4, 13, 11, GOLD); c.rect(2, 4, 13, 11, INK, fill=False); return c


def ellipse():
    c = Cell(); c.ellipse(7.5, 7.5, 6, 4.5, GOLD); c.ellipse(7.5, 7.5, 6.5, 5, INK, fill=False); return c


def video():
    c = Cell(); c.rect(1, 3, 14, 12, INK, fill=False)
    for x in (2, 5, 8, 11):
        c.rect(x, 4, x + 1, 4, INK); c.rect(x, 11, x + 1, 11, INK)
    c.rect(6, 6, 6, 9, GREEN); c.rect(7, 6, 7, 9, GREEN); c.rect(8, 7, 8, 8, GREEN); return c


def delete():
    c = Cell(); c.line(3, 3, 12, 12, RED); c.line(4, 3, 13, 12, RED); c.line(12, 3, 3, 12, RED)
    c.line(13, 3, 4, 12, RED); return c


def arrow(up):
    c = Cell()
    for i in range(6):
        y = 3 + i if up else 12 - i
        c.rect(7 - i, y, 8 + i, y, INK)
    c.rect(6, 9 if up else 2, 9, 13 if up else 6, INK)
    return c


def copy():
    c = Cell(); c.rect(2, 2, 9, 10, INK, fill=False); c.rect(6, 5, 13, 13, W); c.rect(6, 5, 13, 13, INK, fill=False)
    return c


def cut():
    c = Cell(); c.line(4, 2, 10, 10, INK); c.line(11, 2, 5, 10, INK); c.ellipse(4, 12, 2, 2, RED, fill=False)
    c.ellipse(11, 12, 2, 2, RED, fill=False); return c


def paste():
    c = Cell(); c.rect(3, 3, 12, 14, GOLD); c.rect(6, 2, 9, 4, INK); c.rect(6, 7, 14, 14, W)
    c.rect(6, 7, 14, 14, INK, fill=False); return c


def strip(path, cells):
    rows = [[] for _ in range(16)]
    for cell in cells:
        for y in range(16):
            rows[y].extend(cell.p[y])
    png(path, 16 * len(cells), 16, rows)


if __name__ == "__main__":
    strip("387.png", [add_range(), set_start(), set_end(), move_range(), remove_range(), magnifier("-"),
                      magnifier("+"), stop(), play(), behaviour()])
    strip("509.png", [add_range(), remove_range(), move_range()])
    strip("390.png", [text(), picture(), rectangle(), ellipse(), video(), delete(), arrow(True), arrow(False),
                      copy(), cut(), paste()])
