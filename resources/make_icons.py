#!/usr/bin/env python3
"""Draws the editor's three icons and writes them as 32 x 32, 16-colour .ico files.

102 knob.ico  - a control knob turned up, with its scale
103 flame.ico - a flame: the sound on fire
104 bolt.ico  - a lightning bolt, beside the x100 switch

Run from anywhere: python3 resources/make_icons.py. The output is deterministic.
"""
import math
import os
import struct

SIZE = 32
# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_RED, GREY, SILVER, RED, YELLOW, WHITE, OLIVE = 0, 1, 8, 7, 9, 11, 15, 3
CLEAR = None


def blank():
    return [[CLEAR] * SIZE for _ in range(SIZE)]


def knob():
    image = blank()
    cx = cy = 15.5
    for y in range(SIZE):
        for x in range(SIZE):
            r = math.hypot(x - cx, y - cy)
            if r <= 10.5:
                # Lit from the top left: lighter there, darker towards the bottom right.
                shade = (x - cx) + (y - cy)
                image[y][x] = SILVER if shade < 4 else GREY
            elif r <= 12.0:
                image[y][x] = BLACK
    # Scale dots from 7 o'clock round to 5 o'clock; the ones up to the pointer are lit.
    for step in range(11):
        angle = math.radians(225 - step * 27)
        x = int(round(cx + 14.2 * math.cos(angle)))
        y = int(round(cy - 14.2 * math.sin(angle)))
        image[y][x] = RED if step <= 7 else GREY
    # The pointer, at about 2 o'clock: turned well up.
    angle = math.radians(225 - 7 * 27)
    for i in range(2, 10):
        for dx, dy in ((0, 0), (1, 0), (0, 1)):
            x = int(round(cx + i * math.cos(angle))) + dx
            y = int(round(cy - i * math.sin(angle))) + dy
            image[y][x] = WHITE
    return image


def flame():
    image = blank()

    def inside(x, y, radius, height, lean):
        # A round belly standing on the bottom row, and above it sides that curve in to a tip
        # bent a little to the right.
        cy = 29.5 - radius
        if y >= cy:
            return math.hypot(x - 15.5, y - cy) <= radius
        h = (cy - y) / height
        if h > 1:
            return False
        centre = 15.5 + lean * h * h
        return abs(x - centre) <= radius * (1 - h) ** 1.3

    layers = ((DARK_RED, 10.5, 26.0, 4.0), (RED, 8.5, 20.0, 3.0), (YELLOW, 6.0, 13.0, 2.0),
              (WHITE, 3.5, 7.0, 1.0))
    for y in range(SIZE):
        for x in range(SIZE):
            for colour, radius, height, lean in layers:
                if inside(x + 0.5, y + 0.5, radius, height, lean):
                    image[y][x] = colour
    return image


def bolt():
    image = blank()
    polygon = [(19, 1), (7, 18), (15, 18), (10, 31), (25, 12), (17, 12), (22, 1)]

    def inside(px, py):
        hit = False
        for (x1, y1), (x2, y2) in zip(polygon, polygon[1:] + polygon[:1]):
            if (y1 > py) != (y2 > py):
                if px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
                    hit = not hit
        return hit

    for y in range(SIZE):
        for x in range(SIZE):
            if inside(x + 0.5, y + 0.5):
                image[y][x] = YELLOW
    # A black outline round the yellow, so the bolt stands out on a light dialog.
    outline = [[image[y][x] for x in range(SIZE)] for y in range(SIZE)]
    for y in range(SIZE):
        for x in range(SIZE):
            if image[y][x] is CLEAR:
                near = any(0 <= x + dx < SIZE and 0 <= y + dy < SIZE and image[y + dy][x + dx] == YELLOW
                           for dx in (-1, 0, 1) for dy in (-1, 0, 1))
                if near:
                    outline[y][x] = BLACK
    # A white glint along the upper stroke.
    for y in range(4, 12):
        x = 19 - (y - 4) * 12 // 17
        if outline[y][x] == YELLOW:
            outline[y][x] = WHITE
    return outline


def ico_bytes(image):
    """One 4-bit image: header, palette, colour rows and mask rows, both bottom-up."""
    colour_rows = b""
    mask_rows = b""
    for row in reversed(image):
        pixels = [0 if p is CLEAR else p for p in row]
        colour_rows += bytes((pixels[i] << 4) | pixels[i + 1] for i in range(0, SIZE, 2))
        bits = 0
        for p in row:
            bits = (bits << 1) | (1 if p is CLEAR else 0)
        mask_rows += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0,
                         len(colour_rows) + len(mask_rows), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    data = header + palette + colour_rows + mask_rows
    assert len(data) == 744
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(data), 6 + 16)
    return directory + entry + data


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "icons")
    os.makedirs(folder, exist_ok=True)
    for name, draw in (("knob", knob), ("flame", flame), ("bolt", bolt)):
        with open(os.path.join(folder, name + ".ico"), "wb") as out:
            out.write(ico_bytes(draw()))


if __name__ == "__main__":
    main()
