#!/usr/bin/env python3
"""Draws the timeline ruler's picture (no third-party modules).

Run from this folder: python3 make_timeline_images.py
61425.png  the play cursor's thumb, 9 x 16 on magenta (the transparent key):
           a red tag pointing down at the cursor line in column 4
"""
from make_images import Canvas, write_png

MAGENTA = (255, 0, 255)
EDGE = (120, 0, 0)
FACE = (220, 40, 40)
SHINE = (245, 140, 140)


def thumb():
    c = Canvas(9, 16)
    c.rect(0, 0, 9, 16, MAGENTA)
    outline = [(0, 0), (9, 0), (9, 10), (4.5, 16), (0, 10)]
    c.poly(outline, EDGE)
    c.poly([(1, 1), (8, 1), (8, 9.6), (4.5, 14.2), (1, 9.6)], FACE)
    c.rect(2, 2, 4, 8, SHINE)
    return c


if __name__ == '__main__':
    write_png('61425.png', thumb())
