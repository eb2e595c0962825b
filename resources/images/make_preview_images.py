#!/usr/bin/env python3
"""Draws the preview control's pictures (no third-party modules).

Run from this folder: python3 make_preview_images.py
332.png  the picture shown when no file is attached, 64 x 64
499.png  the seek thumb, 13 x 13 on magenta (the transparent key)
502-508  the strip's 22 x 22 buttons on black (the transparent key):
         502 play, 503 pause, 504 stop, 505 play pressed (and disabled),
         506 stop disabled, 507 pause pressed, 508 stop pressed
"""
from make_images import Canvas, write_png

BLACK = (0, 0, 0)
MAGENTA = (255, 0, 255)
FACE = (62, 106, 170)
PRESSED = (30, 60, 110)
DISABLED = (150, 150, 150)
FILM = (70, 70, 80)
THUMB = (170, 106, 62)


def button(kind, colour):
    c = Canvas(22, 22)
    c.rect(0, 0, 22, 22, BLACK)
    c.disc(11, 11, 10, (235, 235, 240))
    c.disc(11, 11, 10, colour, 9)
    if kind == 'play':
        c.poly([(8, 5), (8, 17), (17, 11)], colour)
    elif kind == 'pause':
        c.rect(7, 6, 10, 16, colour)
        c.rect(12, 6, 15, 16, colour)
    else:
        c.rect(7, 7, 15, 15, colour)
    return c


def thumb():
    c = Canvas(13, 13)
    c.rect(0, 0, 13, 13, MAGENTA)
    c.disc(6.5, 6.5, 6, THUMB)
    c.disc(6.5, 6.5, 6, (90, 50, 20), 5)
    return c


def placeholder():
    c = Canvas(64, 64)
    c.rect(6, 14, 58, 50, FILM)
    for x in range(9, 56, 8):
        c.rect(x, 16, x + 4, 20, (255, 255, 255))
        c.rect(x, 44, x + 4, 48, (255, 255, 255))
    c.rect(10, 23, 54, 41, (120, 160, 210))
    c.poly([(28, 26), (28, 38), (38, 32)], (255, 255, 255))
    return c


if __name__ == '__main__':
    write_png('332.png', placeholder())
    write_png('499.png', thumb())
    write_png('502.png', button('play', FACE))
    write_png('503.png', button('pause', FACE))
    write_png('504.png', button('stop', FACE))
    write_png('505.png', button('play', PRESSED))
    write_png('506.png', button('stop', DISABLED))
    write_png('507.png', button('pause', PRESSED))
    write_png('508.png', button('stop', PRESSED))
