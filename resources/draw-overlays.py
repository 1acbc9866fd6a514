#!/usr/bin/env python3
"""Draws the main window's two overlay pictures and their masks (64 x 64 each):

  PauseSign.bmp / PauseSignMask.bmp          resources 16700 / 16701
      two upright red bars in a blue-framed square; 8-bit, run-length encoded
  WaitForClick.bmp / WaitForClickMask.bmp    resources 16702 / 16703
      a stopwatch behind a computer mouse; 24-bit

A mask is black where the picture shows, white where it does not, and grey along the
edges, where the picture is blended with the story underneath.

Run it from this folder: python3 draw-overlays.py
"""
import math
import struct

SIZE = 64
SAMPLES = 4  # per pixel side, for smooth edges


def render(layers):
    """Paints the layers (inside-test, colour) bottom first. Gives each pixel's colour,
    averaged over the samples some layer covers, and its coverage from 0 to 1."""
    pixels = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            covered = []
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    px = x + (sx + 0.5) / SAMPLES
                    py = y + (sy + 0.5) / SAMPLES
                    colour = None
                    for inside, paint in layers:
                        if inside(px, py):
                            colour = paint
                    if colour is not None:
                        covered.append(colour)
            if covered:
                colour = tuple(round(sum(c[i] for c in covered) / len(covered)) for i in range(3))
            else:
                colour = (255, 255, 255)
            row.append((colour, len(covered) / (SAMPLES * SAMPLES)))
        pixels.append(row)
    return pixels


# Shapes ---------------------------------------------------------------------------------

def rounded_rect(left, top, right, bottom, radius):
    def inside(x, y):
        if not (left <= x <= right and top <= y <= bottom):
            return False
        cx = min(max(x, left + radius), right - radius)
        cy = min(max(y, top + radius), bottom - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def segment(x1, y1, x2, y2, width):
    """A line with round ends."""
    dx, dy = x2 - x1, y2 - y1
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / length2))
        px, py = x1 + t * dx, y1 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2
    return inside


def both(a, b):
    return lambda x, y: a(x, y) and b(x, y)


def either(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


# Pictures -------------------------------------------------------------------------------

BLUE = (24, 64, 176)
PALE = (236, 242, 255)
RED = (214, 32, 40)
DARK_RED = (140, 16, 24)


def pause_sign():
    return [
        (rounded_rect(4, 4, 60, 60, 9), BLUE),
        (rounded_rect(10, 10, 54, 54, 5), PALE),
        (rounded_rect(19, 17, 29, 47, 2.5), DARK_RED),
        (rounded_rect(35, 17, 45, 47, 2.5), DARK_RED),
        (rounded_rect(20, 18, 28, 46, 2), RED),
        (rounded_rect(36, 18, 44, 46, 2), RED),
    ]


INK = (32, 32, 40)
STEEL = (120, 132, 150)
FACE = (252, 252, 244)
HAND = (200, 24, 32)
MOUSE = (214, 218, 224)
MOUSE_SHADE = (168, 174, 184)
BUTTON = (190, 196, 206)


def stopwatch_and_mouse():
    # The stopwatch, up and to the left.
    cx, cy, r = 26, 27, 20
    layers = [
        (rounded_rect(22, 1, 30, 7, 1.5), INK),          # crown
        (rounded_rect(23.5, 2.5, 28.5, 6, 1), STEEL),
        (segment(38, 14, 43, 9, 4.5), INK),             # side button
        (circle(cx, cy, r), INK),                        # case
        (circle(cx, cy, r - 2), STEEL),
        (circle(cx, cy, r - 4.5), FACE),
    ]
    # Ticks every five minutes, the quarters longer.
    for i in range(12):
        a = i * math.pi / 6
        outer = r - 6
        inner = outer - (4 if i % 3 == 0 else 2)
        layers.append((segment(cx + inner * math.sin(a), cy - inner * math.cos(a),
                               cx + outer * math.sin(a), cy - outer * math.cos(a), 1.4), INK))
    # The hand at about twenty seconds past, and its hub.
    a = 2 * math.pi * 20 / 60
    layers.append((segment(cx, cy, cx + 12 * math.sin(a), cy - 12 * math.cos(a), 1.8), HAND))
    layers.append((circle(cx, cy, 2.2), INK))
    # The mouse, in front, down and to the right, with its cable curling away.
    body = ellipse(45, 45, 14, 17.5)
    layers += [
        (segment(45, 27, 50, 18, 2.2), INK),
        (segment(50, 18, 58, 14, 2.2), INK),
        (ellipse(45, 45, 15.5, 19), INK),
        (body, MOUSE),
        (both(body, lambda x, y: y > 52), MOUSE_SHADE),
        (both(body, either(lambda x, y: y < 40 and x < 44, lambda x, y: y < 40 and x > 46)), BUTTON),
        (both(body, lambda x, y: 39 <= y <= 41), INK),      # the buttons' edge
        (both(body, lambda x, y: y < 40 and 44 <= x <= 46), INK),
    ]
    return layers


# Bitmap files ---------------------------------------------------------------------------

def bmp(width, height, bit_count, compression, palette, data):
    colours = len(palette)
    offset = 14 + 40 + 4 * colours
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bit_count, compression, len(data),
                       2835, 2835, colours, 0)
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)
    head = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    return head + info + table + data


def rows_bottom_up(pixels):
    return list(reversed(pixels))


def write_24bit(name, pixels):
    data = b''
    for row in rows_bottom_up(pixels):
        line = b''.join(struct.pack('<BBB', c[2], c[1], c[0]) for c, _ in row)
        data += line + b'\0' * (-len(line) % 4)
    with open(name, 'wb') as f:
        f.write(bmp(SIZE, SIZE, 24, 0, [], data))


def rle8(indexed_rows):
    """Runs only: a count and an index for every run, an end of line after each row and
    the end of the bitmap after the last."""
    out = bytearray()
    for row in indexed_rows:
        i = 0
        while i < len(row):
            j = i
            while j < len(row) and row[j] == row[i] and j - i < 255:
                j += 1
            out += bytes((j - i, row[i]))
            i = j
        out += b'\0\0'
    out[-2:] = b'\0\1'
    return bytes(out)


def write_rle8(name, pixels):
    palette = []
    for row in pixels:
        for c, _ in row:
            if c not in palette:
                palette.append(c)
    assert len(palette) <= 256, name
    indexed = [[palette.index(c) for c, _ in row] for row in rows_bottom_up(pixels)]
    with open(name, 'wb') as f:
        f.write(bmp(SIZE, SIZE, 8, 1, palette, rle8(indexed)))


def write_mask(name, pixels):
    greys = [(g, g, g) for g in range(256)]
    data = b''
    for row in rows_bottom_up(pixels):
        data += bytes(round(255 * (1 - coverage)) for _, coverage in row)
    with open(name, 'wb') as f:
        f.write(bmp(SIZE, SIZE, 8, 0, greys, data))


pause = render(pause_sign())
write_rle8('PauseSign.bmp', pause)
write_mask('PauseSignMask.bmp', pause)
wait = render(stopwatch_and_mouse())
write_24bit('WaitForClick.bmp', wait)
write_mask('WaitForClickMask.bmp', wait)
