#!/usr/bin/env python3
"""Draws Quillmere's application icon and writes it as quillmere.ico.

Three 48 x 48 images, in this order: 16 colours (4 bits), 256 colours (8 bits), 32 bits with
alpha. The picture: a blue rounded tile holding a white picture frame with a small sun and
hills, and an orange quill laid across it. Run it again after changing the drawing.
"""
import math
import struct
import sys

SIZE = 48
SAMPLES = 4  # supersampling per axis, for smooth edges


def rounded_square(x, y, inset, radius):
    lo, hi = inset, SIZE - inset
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return lo <= x <= hi and lo <= y <= hi and math.hypot(x - cx, y - cy) <= radius


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy)), t


def colour_at(x, y):
    """RGBA of one sample point, later layers painted over earlier ones."""
    colour = None
    if rounded_square(x, y, 1.5, 9):
        shade = y / SIZE
        colour = (int(40 + 30 * shade), int(110 + 40 * shade), int(210 - 30 * shade), 255)
    if 9 <= x <= 35 and 11 <= y <= 33:  # picture frame
        colour = (255, 255, 255, 255)
        if 12 <= x <= 32 and 14 <= y <= 30:
            colour = (205, 232, 250, 255)  # sky
            if math.hypot(x - 27, y - 19) <= 3:
                colour = (255, 205, 40, 255)  # sun
            if y >= 30 - 6 * math.exp(-((x - 18) / 5) ** 2):
                colour = (60, 170, 90, 255)  # hill
    distance, t = distance_to_segment(x, y, 14, 42, 42, 10)  # quill
    width = 0.8 + 2.6 * math.sin(math.pi * min(1.0, (t - 0.25) * 1.3)) if t > 0.25 else 1.0
    if distance <= width:
        colour = (245, 130, 30, 255) if t > 0.25 else (90, 60, 40, 255)
    return colour or (0, 0, 0, 0)


def render():
    pixels = []
    for row in range(SIZE):
        line = []
        for column in range(SIZE):
            total = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    r, g, b, a = colour_at(column + (sx + 0.5) / SAMPLES, row + (sy + 0.5) / SAMPLES)
                    total = [total[0] + r * a, total[1] + g * a, total[2] + b * a, total[3] + a]
            alpha = total[3] / (SAMPLES * SAMPLES)
            if total[3]:
                line.append(tuple(int(c / total[3]) for c in total[:3]) + (int(alpha),))
            else:
                line.append((0, 0, 0, 0))
        pixels.append(line)
    return pixels


VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
       (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
CUBE = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
PALETTE_256 = CUBE + [(i * 255 // 39, i * 255 // 39, i * 255 // 39) for i in range(40)]


def nearest(palette, rgb):
    return min(range(len(palette)),
               key=lambda i: sum((palette[i][k] - rgb[k]) ** 2 for k in range(3)))


def row_bytes(bits):
    return 4 * ((SIZE * bits + 31) // 32)


def mask_rows(pixels):
    data = b""
    for row in reversed(pixels):
        bits = 0
        line = bytearray(row_bytes(1))
        for column, (_, _, _, alpha) in enumerate(row):
            if alpha < 128:
                line[column // 8] |= 0x80 >> (column % 8)
        data += bytes(line)
    return data


def header(bits, colours):
    return struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, bits, 0, 0, 0, 0, colours, 0)


def indexed_image(pixels, palette, bits):
    table = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)
    rows = b""
    for row in reversed(pixels):
        indices = [nearest(palette, p[:3]) if p[3] >= 128 else 0 for p in row]
        line = bytearray(row_bytes(bits))
        for column, index in enumerate(indices):
            if bits == 8:
                line[column] = index
            else:
                line[column // 2] |= index << (4 if column % 2 == 0 else 0)
        rows += bytes(line)
    return header(bits, 0) + table + rows + mask_rows(pixels)


def true_colour_image(pixels):
    rows = b"".join(b"".join(struct.pack("BBBB", b, g, r, a) for r, g, b, a in row)
                    for row in reversed(pixels))
    return header(32, 0) + rows + mask_rows(pixels)


def icon_file(images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for bits, image in images:
        colours = 16 if bits == 4 else 0
        directory += struct.pack("<BBBBHHII", SIZE, SIZE, colours, 0, 1, bits, len(image), offset)
        offset += len(image)
    return directory + b"".join(image for _, image in images)


def main():
    pixels = render()
    images = [(4, indexed_image(pixels, VGA, 4)), (8, indexed_image(pixels, PALETTE_256, 8)),
              (32, true_colour_image(pixels))]
    output = sys.argv[1] if len(sys.argv) > 1 else "quillmere.ico"
    with open(output, "wb") as file:
        file.write(icon_file(images))


if __name__ == "__main__":
    main()
