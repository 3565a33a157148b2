#!/usr/bin/env python3
"""Draws the program icon (a clock face with a blue rim) and writes it as a Windows .ico file
with images of 16, 32, 48 and 128 pixels, 32 bits per pixel with transparency.

Usage: make_icon.py OUTPUT.ico
"""
import math
import struct
import sys

SIZES = (16, 32, 48, 128)
SAMPLES = 4  # per axis and pixel

RIM = (25, 90, 200)
RIM_DARK = (10, 50, 140)
FACE = (252, 252, 248)
MARK = (60, 60, 70)
HAND = (30, 30, 40)
ACCENT = (220, 60, 40)


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def colour_at(x, y, size):
    """The colour at a point of the unit square (0..1), or None outside the icon."""
    cx, cy = x - 0.5, y - 0.5
    r = math.hypot(cx, cy)
    if r > 0.48:
        return None
    if r > 0.445:
        return RIM_DARK
    if r > 0.38:
        return RIM
    # Hands: the hour hand towards ten, the minute hand towards twelve; thicker when small.
    weight = 0.055 if size <= 16 else 0.04 if size <= 32 else 0.03
    if math.hypot(cx, cy) < weight * 1.2:
        return ACCENT
    angle_hour = math.radians(-60)  # ten o'clock, measured from twelve
    hx, hy = 0.2 * math.sin(angle_hour), -0.2 * math.cos(angle_hour)
    if segment_distance(cx, cy, 0, 0, hx, hy) < weight:
        return HAND
    if segment_distance(cx, cy, 0, 0, 0, -0.3) < weight * 0.8:
        return HAND
    # Marks at twelve, three, six and nine (all twelve hours from 48 pixels on).
    hours = 12 if size >= 48 else 4
    for h in range(hours):
        a = 2 * math.pi * h / hours
        inner = 0.29 if h % (hours // 4) == 0 else 0.32
        ax, ay = inner * math.sin(a), -inner * math.cos(a)
        bx, by = 0.36 * math.sin(a), -0.36 * math.cos(a)
        if segment_distance(cx, cy, ax, ay, bx, by) < weight * 0.75:
            return MARK
    return FACE


def render(size):
    """Rows top to bottom of (b, g, r, a), not premultiplied."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at((px + (sx + 0.5) / SAMPLES) / size,
                                  (py + (sy + 0.5) / SAMPLES) / size, size)
                    if c is not None:
                        acc[0] += c[0]
                        acc[1] += c[1]
                        acc[2] += c[2]
                        hits += 1
            if hits == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((acc[2] // hits, acc[1] // hits, acc[0] // hits,
                            hits * 255 // (SAMPLES * SAMPLES)))
        rows.append(row)
    return rows


def dib(size):
    """An icon image: BITMAPINFOHEADER, bottom-up BGRA pixels, then the 1-bit AND mask."""
    rows = render(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes(p) for row in reversed(rows) for p in row)
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    images = [dib(s) for s in SIZES]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(sys.argv[1], 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
