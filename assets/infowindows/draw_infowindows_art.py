#!/usr/bin/python3
"""Draws the information windows' pictures: five stylised portraits of the group's
(fictional) members as 24-bit bitmaps of the exact sizes their windows are laid out
for, the about box's 60 x 81 picture (JPEG) and the help box's 16 x 16 question-mark
disc (24-bit bitmap); and each again at twice the size (name@2x.bmp, about@2x.jpg) for
screens that Qt scales by two. Run from this folder:
    /usr/bin/python3 draw_infowindows_art.py
"""
from PIL import Image, ImageDraw

# name, size, background, hair, top colour
PORTRAITS = [
    ("fenna", (115, 193), (255, 200, 235), (120, 60, 20), (230, 60, 140)),
    ("dova", (159, 241), (200, 225, 255), (30, 20, 20), (80, 90, 220)),
    ("brisa", (111, 159), (255, 240, 190), (230, 180, 60), (240, 140, 40)),
    ("caddo", (114, 223), (210, 255, 215), (160, 40, 30), (40, 160, 90)),
    ("efri", (172, 251), (235, 215, 255), (60, 30, 80), (150, 60, 200)),
]
SKIN = (245, 205, 170)


def portrait(size, background, hair, top, s=1):
    """The portrait at scale s: size is the 1x size, every length is multiplied by s."""
    w, h = size[0] * s, size[1] * s
    img = Image.new("RGB", (w, h), background)
    d = ImageDraw.Draw(img)
    # A soft ring of light behind the head.
    d.ellipse((w * 0.1, h * 0.05, w * 0.9, h * 0.55), fill=tuple(min(255, c + 25) for c in background))
    cx, head_r = w / 2, w * 0.2
    cy = h * 0.3
    # Hair behind the head, shoulders and top, neck, face, hair fringe, eyes and smile.
    d.ellipse((cx - head_r * 1.35, cy - head_r * 1.3, cx + head_r * 1.35, cy + head_r * 1.9), fill=hair)
    d.rounded_rectangle((w * 0.12, h * 0.62, w * 0.88, h * 1.1), radius=int(w * 0.2), fill=top)
    d.rectangle((cx - head_r * 0.35, cy + head_r * 0.7, cx + head_r * 0.35, h * 0.66), fill=SKIN)
    d.ellipse((cx - head_r, cy - head_r * 1.1, cx + head_r, cy + head_r * 1.1), fill=SKIN)
    d.chord((cx - head_r * 1.05, cy - head_r * 1.25, cx + head_r * 1.05, cy + head_r * 0.3), 180, 360, fill=hair)
    for ex in (cx - head_r * 0.4, cx + head_r * 0.4):
        d.ellipse((ex - 2 * s, cy + head_r * 0.05 - 2 * s, ex + 2 * s, cy + head_r * 0.05 + 2 * s), fill=(40, 30, 30))
    d.arc((cx - head_r * 0.4, cy + head_r * 0.2, cx + head_r * 0.4, cy + head_r * 0.7), 20, 160, fill=(170, 50, 70),
          width=2 * s)
    # A small star on the top: the group's sign.
    sx, sy = w * 0.7, h * 0.78
    d.regular_polygon((sx, sy, max(4 * s, w * 0.05)), 5, fill=(255, 240, 120))
    return img


def help_icon(s=1):
    def box(x0, y0, x1, y1):
        return (x0 * s, y0 * s, (x1 + 1) * s - 1, (y1 + 1) * s - 1)

    icon = Image.new("RGB", (16 * s, 16 * s), (192, 192, 192))
    d = ImageDraw.Draw(icon)
    d.ellipse(box(0, 0, 15, 15), fill=(255, 220, 0), outline=(150, 110, 0), width=s)
    d.arc(box(5, 3, 10, 8), 180, 30, fill=(40, 30, 0), width=2 * s)
    d.line((8 * s, 8 * s, 8 * s, 10 * s + s - 1), fill=(40, 30, 0), width=2 * s)
    d.rectangle(box(7, 12, 8, 12), fill=(40, 30, 0))
    return icon


def main():
    for s, suffix in ((1, ""), (2, "@2x")):
        for name, size, background, hair, top in PORTRAITS:
            portrait(size, background, hair, top, s).save(f"{name}{suffix}.bmp")
        portrait((60, 81), (255, 128, 255), (90, 40, 110), (40, 40, 40), s).save(f"about{suffix}.jpg", quality=90)
        help_icon(s).save(f"help{suffix}.bmp")


if __name__ == "__main__":
    main()
