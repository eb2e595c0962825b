#!/usr/bin/env python3
"""Draws the format lists' icons (no third-party modules).

Run from this folder: python3 make_format_images.py
500.png: 32 x 32 cells in one strip, white = transparent. Cells 0-12 video
formats (blue film page), 13-20 sound formats (green note page), 21 "same as
source" (grey arrows), 22-26 picture formats (orange landscape page).
"""
from make_images import Canvas, write_png, strip

INK = (40, 60, 90)
VIDEO = (60, 120, 200)
AUDIO = (50, 150, 70)
IMAGE = (230, 150, 40)
SAME = (140, 140, 140)


def page(c, colour):
    c.rect(7, 3, 25, 29, (250, 250, 250))
    c.frame(7, 3, 25, 29, INK)
    c.rect(9, 5, 23, 9, colour)


def video(c):
    page(c, VIDEO)
    c.poly([(12, 13), (12, 25), (21, 19)], VIDEO)


def audio(c):
    page(c, AUDIO)
    c.disc(13, 23, 3, AUDIO)
    c.rect(15, 12, 17, 23, AUDIO)
    c.rect(15, 12, 21, 14, AUDIO)


def picture(c):
    page(c, IMAGE)
    c.poly([(9, 27), (15, 17), (19, 23), (21, 20), (24, 27)], IMAGE)
    c.disc(20, 14, 2, IMAGE)


def same(c):
    c.poly([(4, 12), (16, 4), (16, 9), (28, 9), (28, 15), (16, 15), (16, 20)], SAME)
    c.poly([(28, 22), (16, 14), (16, 19), (4, 19), (4, 25), (16, 25), (16, 30)], SAME)


if __name__ == '__main__':
    cells = [video] * 13 + [audio] * 8 + [same] + [picture] * 5
    write_png('500.png', strip(cells, 32))
