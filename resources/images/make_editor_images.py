#!/usr/bin/env python3
"""Draws the visual editors' marks: 383 the frame pattern (8 x 8, diagonal
dashes) and 384 the drag handle (10 x 10, a light square in a dark border);
403 and 404 the same in greys for a disabled editor. Plain Python, no
third-party modules."""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def png(path, width, height, pixel):
    rows = b''.join(b'\0' + bytes(c for x in range(width) for c in pixel(x, y)) for y in range(height))

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)

    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n')
        f.write(chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b'IDAT', zlib.compress(rows, 9)))
        f.write(chunk(b'IEND', b''))


def pattern(dark, light):
    # Four pixels of each along the diagonal: a frame filled with it reads as
    # marching dashes on any picture.
    return lambda x, y: dark if (x + y) % 8 < 4 else light


def handle(border, fill):
    return lambda x, y: border if x in (0, 9) or y in (0, 9) else fill


png(os.path.join(HERE, '383.png'), 8, 8, pattern((0, 0, 0), (255, 255, 255)))
png(os.path.join(HERE, '384.png'), 10, 10, handle((0, 0, 0), (255, 255, 255)))
png(os.path.join(HERE, '403.png'), 8, 8, pattern((96, 96, 96), (192, 192, 192)))
png(os.path.join(HERE, '404.png'), 10, 10, handle((96, 96, 96), (192, 192, 192)))
