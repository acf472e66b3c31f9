#!/usr/bin/python3
"""Draws the six 24 x 24 toolbar pictures of the browser window, and each at twice the
size (name@2x.png, 48 x 48) for screens that Qt scales by two.

Each picture is 24-bit colour on the mask colour RGB 192,192,192, which the window
makes transparent when it loads the pictures. Run from this folder:
    /usr/bin/python3 draw_toolbar.py
"""
from PIL import Image, ImageDraw

MASK = (192, 192, 192)
INK = (32, 32, 48)
GREEN = (40, 150, 60)
GREEN_DARK = (20, 90, 30)
RED = (200, 40, 40)
BLUE = (40, 90, 190)
BROWN = (150, 80, 40)
YELLOW = (250, 220, 90)
GLASS = (200, 230, 250)


S = 1  # the scale being drawn: 1, or 2 for the @2x pictures


def p(*points):
    """Points of the 24 x 24 design grid at the current scale."""
    return [(x * S, y * S) for x, y in points]


def box(x0, y0, x1, y1):
    """An inclusive pixel box of the design grid, covering the same area at any scale."""
    return [x0 * S, y0 * S, (x1 + 1) * S - 1, (y1 + 1) * S - 1]


def canvas():
    img = Image.new("RGB", (24 * S, 24 * S), MASK)
    return img, ImageDraw.Draw(img)


def arrow(pointing_left):
    img, d = canvas()
    if pointing_left:
        pts = [(2, 12), (11, 3), (11, 8), (21, 8), (21, 16), (11, 16), (11, 21)]
    else:
        pts = [(21, 12), (12, 3), (12, 8), (2, 8), (2, 16), (12, 16), (12, 21)]
    d.polygon(p(*pts), fill=GREEN, outline=GREEN_DARK, width=S)
    return img


def stop():
    img, d = canvas()
    # An octagon with a white bar.
    pts = [(8, 2), (16, 2), (22, 8), (22, 16), (16, 22), (8, 22), (2, 16), (2, 8)]
    d.polygon(p(*pts), fill=RED, outline=(120, 10, 10), width=S)
    d.rectangle(box(6, 10, 18, 13), fill=(255, 255, 255))
    return img


def refresh():
    img, d = canvas()
    d.arc(box(3, 3, 20, 20), start=40, end=330, fill=BLUE, width=3 * S)
    d.polygon(p((15, 2), (22, 4), (17, 10)), fill=BLUE)
    return img


def home():
    img, d = canvas()
    d.polygon(p((12, 2), (22, 11), (2, 11)), fill=RED, outline=(110, 20, 20), width=S)
    d.rectangle(box(5, 11, 19, 21), fill=YELLOW, outline=BROWN, width=S)
    d.rectangle(box(10, 14, 14, 21), fill=BROWN)
    return img


def search():
    img, d = canvas()
    d.ellipse(box(2, 2, 15, 15), fill=GLASS, outline=INK, width=2 * S)
    d.line(p((13, 13), (21, 21)), fill=BROWN, width=4 * S)
    return img


PICTURES = {
    "back.png": lambda: arrow(True),
    "forward.png": lambda: arrow(False),
    "stop.png": stop,
    "refresh.png": refresh,
    "home.png": home,
    "search.png": search,
}

if __name__ == "__main__":
    for S, suffix in ((1, ""), (2, "@2x")):
        for name, draw in PICTURES.items():
            draw().save(name.replace(".png", suffix + ".png"))
