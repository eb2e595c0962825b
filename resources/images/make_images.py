#!/usr/bin/env python3
"""Draws the program's small images as PNG files (no third-party modules).

Run from this folder: python3 make_images.py
431.png: the 32 x 32 command icons in one strip, white = transparent.
"""
import struct
import zlib

WHITE = (255, 255, 255)
INK = (40, 60, 90)
BLUE = (60, 120, 200)
GREEN = (50, 150, 70)
RED = (200, 50, 50)
ORANGE = (230, 150, 40)
GREY = (140, 140, 140)
YELLOW = (235, 200, 60)
PURPLE = (130, 80, 170)


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[WHITE] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c, t=2):
        self.rect(x0, y0, x1, y0 + t, c)
        self.rect(x0, y1 - t, x1, y1, c)
        self.rect(x0, y0, x0 + t, y1, c)
        self.rect(x1 - t, y0, x1, y1, c)

    def disc(self, cx, cy, r, c, inner=0):
        for y in range(self.h):
            for x in range(self.w):
                d = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2
                if inner * inner <= d <= r * r:
                    self.put(x, y, c)

    def poly(self, pts, c):
        for y in range(self.h):
            for x in range(self.w):
                if inside(pts, x + 0.5, y + 0.5):
                    self.put(x, y, c)

    def line(self, x0, y0, x1, y1, c, t=2):
        steps = max(abs(x1 - x0), abs(y1 - y0)) * 2 + 1
        for i in range(steps + 1):
            x = x0 + (x1 - x0) * i / steps
            y = y0 + (y1 - y0) * i / steps
            self.rect(int(x - t / 2 + 0.5), int(y - t / 2 + 0.5), int(x - t / 2 + 0.5) + t, int(y - t / 2 + 0.5) + t, c)


def inside(pts, x, y):
    result = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def plus(c, x, y, col=GREEN):
    c.rect(x - 5, y - 1, x + 6, y + 2, col)
    c.rect(x - 1, y - 5, x + 2, y + 6, col)


def page(c, x0=7, y0=4, x1=25, y1=28):
    c.rect(x0, y0, x1, y1, (250, 250, 245))
    c.frame(x0, y0, x1, y1, INK)
    for y in range(y0 + 6, y1 - 4, 4):
        c.rect(x0 + 4, y, x1 - 4, y + 1, GREY)


def folder(c):
    c.poly([(3, 9), (12, 9), (14, 12), (29, 12), (29, 27), (3, 27)], YELLOW)
    c.frame(3, 12, 29, 27, (170, 130, 30), 1)


def disc(c):
    c.disc(16, 16, 13, (180, 190, 210))
    c.disc(16, 16, 13, INK, 12)
    c.disc(16, 16, 4, WHITE)
    c.disc(16, 16, 4, INK, 3)


ICONS = [
    lambda c: (page(c), plus(c, 23, 23)),                          # 0 files
    lambda c: disc(c),                                               # 1 DVD
    lambda c: folder(c),                                             # 2 folder
    lambda c: (c.rect(2, 12, 30, 20, BLUE), c.rect(10, 8, 12, 24, RED), c.rect(20, 8, 22, 24, RED)),  # 3 timeline
    lambda c: (c.disc(16, 16, 12, GREEN, 8), c.poly([(22, 2), (30, 10), (20, 12)], GREEN)),  # 4 update
    lambda c: (c.rect(8, 2, 11, 24, INK), c.rect(8, 21, 30, 24, INK), c.rect(2, 8, 24, 11, INK), c.rect(21, 8, 24, 30, INK)),  # 5 crop
    lambda c: (c.poly([(6, 22), (18, 6), (27, 13), (15, 29)], (230, 120, 150)), c.rect(3, 28, 29, 30, GREY)),  # 6 eraser
    lambda c: (page(c), c.rect(10, 14, 22, 16, RED)),                # 7 text
    lambda c: (c.rect(4, 6, 28, 26, (200, 220, 240)), c.frame(4, 6, 28, 26, INK), c.disc(21, 20, 5, BLUE)),  # 8 watermark
    lambda c: (c.disc(16, 16, 12, ORANGE, 8), c.poly([(2, 10), (10, 10), (6, 16)], ORANGE)),  # 9 reset
    lambda c: (c.poly([(3, 4), (29, 4), (19, 16), (19, 28), (13, 24), (13, 16)], PURPLE)),  # 10 filters
    lambda c: (folder(c), plus(c, 23, 21)),                          # 11 add folder
    lambda c: (disc(c), plus(c, 25, 25)),                            # 12 add DVD
    lambda c: (c.line(7, 7, 25, 25, RED, 4), c.line(25, 7, 7, 25, RED, 4)),  # 13 remove
    lambda c: (c.disc(16, 16, 11, GREY, 5), c.rect(14, 2, 18, 30, GREY), c.rect(2, 14, 30, 18, GREY)),  # 14 advanced
    lambda c: (c.rect(4, 4, 22, 28, GREY), c.poly([(18, 16), (30, 16), (24, 10)], RED), c.poly([(18, 16), (30, 16), (24, 22)], RED)),  # 15 exit
    lambda c: (c.poly([(6, 4), (28, 16), (6, 28)], GREEN)),          # 16 convert / start
    lambda c: (c.disc(16, 16, 12, BLUE), c.rect(15, 9, 17, 17, WHITE), c.rect(15, 19, 17, 22, WHITE)),  # 17 info
    lambda c: (c.rect(7, 7, 25, 25, RED)),                           # 18 stop
    lambda c: (c.rect(7, 6, 13, 26, ORANGE), c.rect(19, 6, 25, 26, ORANGE)),  # 19 pause
    lambda c: (page(c), c.rect(10, 20, 22, 24, BLUE)),               # 20 save
    lambda c: (c.disc(13, 13, 9, INK, 6), c.line(19, 19, 28, 28, INK, 4)),  # 21 find
    lambda c: (c.frame(3, 5, 29, 27, INK), c.rect(5, 7, 27, 11, BLUE)),  # 22 window
    lambda c: (c.rect(2, 24, 30, 30, GREY), c.poly([(16, 22), (8, 12), (13, 12), (13, 3), (19, 3), (19, 12), (24, 12)], BLUE)),  # 23 to tray
    lambda c: (c.poly([(4, 16), (16, 5), (16, 12), (28, 12), (28, 20), (16, 20), (16, 27)], BLUE)),  # 24 previous file
    lambda c: (c.poly([(28, 16), (16, 5), (16, 12), (4, 12), (4, 20), (16, 20), (16, 27)], BLUE)),  # 25 next file
]


def write_png(path, canvas):
    raw = b''.join(b'\x00' + bytes(v for p in row for v in p) for row in canvas.px)
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
    header = struct.pack('>IIBBBBB', canvas.w, canvas.h, 8, 2, 0, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def strip(icons, size):
    out = Canvas(size * len(icons), size)
    for i, draw in enumerate(icons):
        cell = Canvas(size, size)
        draw(cell)
        for y in range(size):
            out.px[y][i * size:(i + 1) * size] = cell.px[y]
    return out


if __name__ == '__main__':
    write_png('431.png', strip(ICONS, 32))
