#!/usr/bin/python3
"""Draws the program's application icon in every hicolor size: an upright pocket
calculator with the pink readout of the calculator window, a keypad whose
operator keys are picked out in gold, and the theme's star on its corner.
Small sizes get fewer, larger keys so that the shape still reads at 16 pixels. The same
drawing, as the large sizes have it, is also written as a scalable SVG icon. Run from this folder:
    /usr/bin/python3 draw_icons.py
"""
import math

from PIL import Image, ImageDraw

SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
APP_ID = "example.corveluniverse.Calculator"
SUPERSAMPLE = 8

BODY = (54, 38, 92)          # deep violet case
BODY_EDGE = (28, 18, 52)
READOUT = (255, 128, 255)    # the readout colour of the calculator window
READOUT_EDGE = (120, 40, 120)
DIGIT_KEY = (236, 232, 246)
OPERATOR_KEY = (255, 196, 64)
KEY_EDGE = (20, 14, 36)
TEXT = (0, 0, 0)
STAR = (255, 214, 64)        # the star of the group's theme, as on the window icon
STAR_EDGE = (214, 48, 190)


def rounded(draw, box, radius, fill, outline=None, width=0):
    draw.rounded_rectangle(box, radius=radius, fill=fill, outline=outline, width=width)


def keypad_shape(size):
    """Columns and rows of keys: fewer at the small sizes."""
    if size <= 16:
        return 3, 2
    if size <= 24:
        return 3, 3
    if size <= 48:
        return 4, 4
    return 4, 5


def draw_icon(size):
    s = size * SUPERSAMPLE
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    unit = s / 32.0  # the design grid is 32 x 32

    def u(v):
        return int(round(v * unit))

    # Case, leaving a one-unit margin so that nothing touches the icon's edge.
    margin = 1.5 if size >= 32 else 1.0
    case = (u(4), u(margin), u(28), u(32 - margin))
    rounded(d, case, u(3.5), BODY, BODY_EDGE, max(1, u(1.0)))

    # Readout with a stylised "0." on it.
    rd = (u(6.5), u(margin + 2.5), u(25.5), u(margin + 9.0))
    rounded(d, rd, u(1.2), READOUT, READOUT_EDGE, max(1, u(0.6)))
    if size >= 32:
        # A zero and a point at the right-hand end, as the window's readout shows.
        top, bottom = rd[1] + u(1.4), rd[3] - u(1.4)
        right = rd[2] - u(5.0)  # clear of the star
        d.ellipse((right - u(2.2), bottom - u(0.9), right - u(1.3), bottom), fill=TEXT)
        zero = (right - u(6.2), top, right - u(3.0), bottom)
        d.ellipse(zero, outline=TEXT, width=max(1, u(0.9)))

    # Keypad: digits in light keys, the last column in operator gold.
    cols, rows = keypad_shape(size)
    left, right = u(6.5), u(25.5)
    top, bottom = u(margin + 11.5), u(32 - margin - 2.5)
    gap = u(1.4 if size >= 48 else 1.8)
    kw = (right - left - gap * (cols - 1)) / cols
    kh = (bottom - top - gap * (rows - 1)) / rows
    for r in range(rows):
        for c in range(cols):
            x0 = left + c * (kw + gap)
            y0 = top + r * (kh + gap)
            colour = OPERATOR_KEY if c == cols - 1 else DIGIT_KEY
            edge = KEY_EDGE if size >= 48 else None
            rounded(d, (int(x0), int(y0), int(x0 + kw), int(y0 + kh)),
                    u(0.7), colour, edge, max(1, u(0.35)) if edge else 0)

    # A star over the top right-hand corner, the theme's mark.
    star(d, u(27.0), u(5.0), u(5.0 if size >= 32 else 5.5), max(1, u(0.8)))

    return img.resize((size, size), Image.LANCZOS)


def star(draw, cx, cy, radius, edge):
    points = []
    for i in range(10):
        r = radius if i % 2 == 0 else radius * 0.45
        angle = math.pi / 2 + i * math.pi / 5
        points.append((cx + r * math.cos(angle), cy - r * math.sin(angle)))
    draw.polygon(points, fill=STAR, outline=STAR_EDGE, width=edge)


def hex_colour(rgb):
    return "#%02x%02x%02x" % rgb


def svg_icon():
    """The large sizes' drawing on the 32 x 32 design grid, as SVG text."""
    margin = 1.5
    out = []

    # The bitmaps draw their edges inside each shape, SVG centres them on its outline: the
    # shapes here are inset by half an edge so that both come out the same size.
    def rect(x0, y0, x1, y1, radius, fill, edge=None, width=0.0):
        stroke = f' stroke="{hex_colour(edge)}" stroke-width="{width:g}"' if edge else ""
        h = width / 2
        x0, y0, x1, y1 = round(x0 + h, 3), round(y0 + h, 3), round(x1 - h, 3), round(y1 - h, 3)
        out.append(f'  <rect x="{x0:g}" y="{y0:g}" width="{x1 - x0:g}" height="{y1 - y0:g}" rx="{radius:g}"'
                   f' fill="{hex_colour(fill)}"{stroke}/>')

    rect(4, margin, 28, 32 - margin, 3.5, BODY, BODY_EDGE, 1.0)
    rd = (6.5, margin + 2.5, 25.5, margin + 9.0)
    rect(*rd, 1.2, READOUT, READOUT_EDGE, 0.6)
    top, bottom = rd[1] + 1.4, rd[3] - 1.4
    right = rd[2] - 5.0
    out.append(f'  <circle cx="{right - 1.75:g}" cy="{bottom - 0.45:g}" r="0.45" fill="#000000"/>')
    out.append(f'  <ellipse cx="{right - 4.6:g}" cy="{(top + bottom) / 2:g}" rx="1.15" ry="{(bottom - top) / 2 - 0.45:g}"'
               f' fill="none" stroke="#000000" stroke-width="0.9"/>')
    cols, rows = 4, 5
    left, right = 6.5, 25.5
    top, bottom = margin + 11.5, 32 - margin - 2.5
    gap = 1.4
    kw = (right - left - gap * (cols - 1)) / cols
    kh = (bottom - top - gap * (rows - 1)) / rows
    for r in range(rows):
        for c in range(cols):
            x0, y0 = left + c * (kw + gap), top + r * (kh + gap)
            colour = OPERATOR_KEY if c == cols - 1 else DIGIT_KEY
            rect(round(x0, 3), round(y0, 3), round(x0 + kw, 3), round(y0 + kh, 3), 0.7, colour, KEY_EDGE, 0.35)
    points = []
    for i in range(10):
        r = 4.6 if i % 2 == 0 else 4.6 * 0.45
        angle = math.pi / 2 + i * math.pi / 5
        points.append(f"{27.0 + r * math.cos(angle):.3f},{5.0 - r * math.sin(angle):.3f}")
    out.append(f'  <polygon points="{" ".join(points)}" fill="{hex_colour(STAR)}" stroke="{hex_colour(STAR_EDGE)}"'
               f' stroke-width="0.8" stroke-linejoin="round"/>')
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">\n'
            + "\n".join(out) + "\n</svg>\n")


def main():
    for size in SIZES:
        draw_icon(size).save(f"hicolor/{size}x{size}/apps/{APP_ID}.png", optimize=True)
    with open(f"hicolor/scalable/apps/{APP_ID}.svg", "w", encoding="utf-8") as svg:
        svg.write(svg_icon())


if __name__ == "__main__":
    import os
    for size in SIZES:
        os.makedirs(f"hicolor/{size}x{size}/apps", exist_ok=True)
    os.makedirs("hicolor/scalable/apps", exist_ok=True)
    main()
