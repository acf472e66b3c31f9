#!/usr/bin/python3
"""Draws the main frame's pictures: the 675 x 439 group illustration behind the
browser windows (five stylised, invented figures on a stage) and the frame's own
32 x 32, 16-colour icon, each also at twice the size (name@2x.jpg, name@2x.png) for
screens that Qt scales by two. Run from this folder:
    /usr/bin/python3 draw_mainframe.py
"""
from PIL import Image, ImageDraw

WIDTH, HEIGHT = 675, 439
S = 1  # the scale being drawn: 1, or 2 for the @2x pictures


def p(*points):
    """Points of the design at the current scale."""
    return [(x * S, y * S) for x, y in points]


def b(x0, y0, x1, y1):
    """A box of the design at the current scale."""
    return [x0 * S, y0 * S, x1 * S, y1 * S]


def gradient(draw, top, bottom):
    for y in range(HEIGHT * S):
        t = y / (HEIGHT * S - 1)
        colour = tuple(int(a + (b - a) * t) for a, b in zip(top, bottom))
        draw.line([(0, y), (WIDTH * S, y)], fill=colour)


def figure(draw, cx, floor, height, body, hair, pose):
    """One figure as simple shapes: head, hair, torso, arms and legs."""
    head_r = height // 9
    neck = floor - height + 2 * head_r
    skin = (236, 200, 170)
    # Legs.
    hip = floor - height // 2 + head_r
    draw.line(p((cx - 8, hip), (cx - 14, floor)), fill=(40, 40, 60), width=10 * S)
    draw.line(p((cx + 8, hip), (cx + 14, floor)), fill=(40, 40, 60), width=10 * S)
    # Torso.
    draw.polygon(p((cx - 24, neck + 6), (cx + 24, neck + 6), (cx + 18, hip + 6), (cx - 18, hip + 6)), fill=body)
    # Arms: raised, lowered or waving.
    shoulder = neck + 12
    if pose == "up":
        ends = [(cx - 44, shoulder - 50), (cx + 44, shoulder - 50)]
    elif pose == "wave":
        ends = [(cx - 36, shoulder + 50), (cx + 48, shoulder - 40)]
    else:
        ends = [(cx - 34, shoulder + 56), (cx + 34, shoulder + 56)]
    for side, end in zip((-1, 1), ends):
        draw.line(p((cx + side * 20, shoulder), end), fill=body, width=9 * S)
        draw.ellipse(b(end[0] - 5, end[1] - 5, end[0] + 5, end[1] + 5), fill=skin)
    # Head and hair.
    draw.ellipse(b(cx - head_r, neck - 2 * head_r, cx + head_r, neck), fill=skin)
    draw.chord(b(cx - head_r - 3, neck - 2 * head_r - 5, cx + head_r + 3, neck - head_r + 4),
               start=180, end=360, fill=hair)
    # Eyes and smile.
    eye_y = neck - head_r - 2
    draw.ellipse(b(cx - 7, eye_y - 2, cx - 3, eye_y + 2), fill=(30, 30, 30))
    draw.ellipse(b(cx + 3, eye_y - 2, cx + 7, eye_y + 2), fill=(30, 30, 30))
    draw.arc(b(cx - 7, eye_y, cx + 7, eye_y + 12), start=20, end=160, fill=(150, 40, 40), width=2 * S)


def background():
    size = (WIDTH * S, HEIGHT * S)
    img = Image.new("RGB", size)
    d = ImageDraw.Draw(img)
    gradient(d, (40, 30, 90), (190, 110, 170))
    # Stage lights.
    for x, colour in ((90, (255, 240, 150)), (337, (180, 240, 255)), (585, (255, 190, 220))):
        d.polygon(p((x, 0), (x - 90, 360), (x + 90, 360)), fill=tuple(min(255, c) for c in colour))
    img = Image.blend(Image.new("RGB", size, (40, 30, 90)), img, 0.8)
    d = ImageDraw.Draw(img)
    d.rectangle(b(0, 360, WIDTH, HEIGHT), fill=(70, 50, 40))
    d.line(p((0, 360), (WIDTH, 360)), fill=(120, 90, 60), width=4 * S)
    members = [
        (95, 230, (220, 60, 60), (90, 50, 20), "down"),
        (215, 250, (60, 140, 220), (20, 20, 20), "wave"),
        (337, 270, (250, 200, 40), (200, 120, 40), "up"),
        (459, 250, (120, 200, 90), (60, 30, 10), "wave"),
        (580, 235, (170, 90, 210), (230, 210, 120), "down"),
    ]
    for cx, height, body, hair, pose in members:
        figure(d, cx, 372, height, body, hair, pose)
    # Stars.
    for x, y in ((40, 40), (160, 70), (300, 30), (420, 80), (520, 25), (640, 60), (250, 110)):
        d.polygon(p((x, y - 7), (x + 2, y - 2), (x + 7, y), (x + 2, y + 2), (x, y + 7), (x - 2, y + 2), (x - 7, y),
                    (x - 2, y - 2)), fill=(255, 255, 220))
    return img


def icon():
    """A globe in a window frame: the browser frame, unlike the calculator's keypad."""
    def box(x0, y0, x1, y1):
        return [x0 * S, y0 * S, (x1 + 1) * S - 1, (y1 + 1) * S - 1]

    img = Image.new("RGB", (32 * S, 32 * S), (192, 192, 192))
    d = ImageDraw.Draw(img)
    d.rectangle(box(1, 3, 30, 29), fill=(255, 255, 255), outline=(0, 0, 0), width=S)
    d.rectangle(box(2, 4, 29, 8), fill=(0, 0, 128))
    d.ellipse(box(7, 10, 25, 28), fill=(0, 128, 255), outline=(0, 0, 128), width=S)
    d.polygon(p((10, 15), (15, 13), (17, 18), (13, 22), (10, 20)), fill=(0, 128, 0))
    d.polygon(p((19, 20), (23, 18), (22, 24)), fill=(0, 128, 0))
    d.rectangle(box(16, 10, 16, 28), fill=(0, 0, 128))
    d.rectangle(box(7, 19, 25, 19), fill=(0, 0, 128))
    return img.quantize(colors=16)


if __name__ == "__main__":
    for S, suffix in ((1, ""), (2, "@2x")):
        background().save(f"background{suffix}.jpg", quality=85)
        icon().save(f"frmMain{suffix}.png")
