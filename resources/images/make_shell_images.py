#!/usr/bin/env python3
"""Draws the application shell's images as PNG files (no third-party modules).

Run from this folder: python3 make_shell_images.py
401.png: the splash picture, 400 x 250: a blue gradient with a kestrel's
         wing drawn as three swept bands and a film strip below.
510.png: the splitter bar's drag pattern, a 2 x 2 grey checker.
These pictures are this project's own work, under the project's licence.
"""
import struct
import zlib


def png(path, w, h, pixel):
    rows = bytearray()
    for y in range(h):
        rows.append(0)
        for x in range(w):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(bytes(rows), 9)))
        f.write(chunk(b"IEND", b""))


def splash(x, y):
    w, h = 400, 250
    t = y / h
    base = (int(30 + 40 * t), int(70 + 60 * t), int(140 + 70 * t))
    # Three swept bands: a wing rising to the right.
    for i, shade in enumerate((235, 210, 185)):
        cx, cy, r = 120 + i * 40, 300 + i * 10, 230 - i * 35
        d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
        if r - 12 < d < r and y < 170 and x > 60 + i * 30:
            return (shade, shade - 30, 90 - i * 20)
    # A film strip along the bottom.
    if 200 <= y < 230:
        if 204 <= y < 210 or 220 <= y < 226:
            return (245, 245, 245) if (x // 10) % 2 == 0 else (20, 20, 30)
        return (20, 20, 30)
    return base


def gripper(x, y):
    return (128, 128, 128) if (x + y) % 2 == 0 else (255, 255, 255)


if __name__ == "__main__":
    png("401.png", 400, 250, splash)
    png("510.png", 2, 2, gripper)
