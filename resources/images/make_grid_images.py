#!/usr/bin/env python3
"""Draws the level slider's thumbs (392 low, 393 middle, 394 high): 9 x 8
pixels each, an upward arrow on the key colour (255, 128, 64) that the slider
leaves out when it draws them. Plain Python, no third-party modules."""
import os
import struct
import zlib

KEY = (255, 128, 64)
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


def thumb(fill):
    def pixel(x, y):
        half = y  # the arrow widens by one pixel each side per row
        if abs(x - 4) > half:
            return KEY
        if abs(x - 4) == half or y == 7:
            return (0, 0, 0)
        return fill
    return pixel


for rid, fill in ((392, (0, 0, 0)), (393, (128, 128, 128)), (394, (255, 255, 255))):
    png(os.path.join(HERE, '%d.png' % rid), 9, 8, thumb(fill))
