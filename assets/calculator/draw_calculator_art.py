#!/usr/bin/python3
"""Draws the calculator window's pictures: the 231 x 350 panel beside the keypad (a
night sky over a stage with five stars for the group's five members and the name
"Nimbrel") and the window's own 32 x 32, 16-colour icon (a keypad under a star), each
also at twice the size (name@2x.png) for screens that Qt scales by two.
Run from this folder:
    /usr/bin/python3 draw_calculator_art.py
"""
import math

from PIL import Image, ImageDraw, ImageFont

W, H = 231, 350


def star(draw, cx, cy, outer, inner, fill, outline=None, width=1):
    points = []
    for i in range(10):
        r = outer if i % 2 == 0 else inner
        a = -math.pi / 2 + i * math.pi / 5
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    draw.polygon(points, fill=fill, outline=outline, width=width)


def panel(s=1):
    """The panel at scale s: every length of the design multiplied by s."""
    img = Image.new("RGB", (W * s, H * s))
    draw = ImageDraw.Draw(img)
    top, bottom = (34, 10, 70), (196, 64, 160)
    for y in range(H * s):
        t = y / (H * s - 1)
        draw.line([(0, y), (W * s, y)], fill=tuple(int(a + (b - a) * t) for a, b in zip(top, bottom)))
    # A scatter of small stars, fixed so the picture is the same on every run.
    for i in range(60):
        x = (i * 97) % W
        y = (i * 53) % 200
        draw.rectangle((x * s, y * s, x * s + s - 1, y * s + s - 1), fill=(255, 240, 255))
    # Five stars in an arc, one per member, each in her own colour.
    colours = [(255, 128, 255), (255, 214, 90), (120, 220, 255), (160, 255, 160), (255, 150, 120)]
    for i, colour in enumerate(colours):
        a = math.pi * (0.15 + 0.175 * i)
        cx = W / 2 - 80 * math.cos(a)
        cy = 150 - 70 * math.sin(a)
        star(draw, cx * s, cy * s, 17 * s, 7 * s, colour, outline=(255, 255, 255), width=s)
    # Stage and spotlights.
    draw.polygon([(0, 300 * s), (W * s, 300 * s), (W * s, H * s), (0, H * s)], fill=(40, 16, 50))
    draw.ellipse((20 * s, 285 * s, (W - 20) * s, 315 * s), fill=(90, 40, 110), outline=(255, 128, 255), width=s)
    for x in (40, W // 2, W - 40):
        draw.polygon([(x * s, 0), ((x - 22) * s, 290 * s), ((x + 22) * s, 290 * s)], fill=None,
                     outline=(255, 230, 255), width=s)
    try:
        font = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 34 * s)
        small = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 12 * s)
    except OSError:
        font = small = ImageFont.load_default()
    text = "Nimbrel"
    tw = draw.textlength(text, font=font)
    draw.text(((W * s - tw) / 2 + 2 * s, 222 * s), text, font=font, fill=(60, 0, 60))
    draw.text(((W * s - tw) / 2, 220 * s), text, font=font, fill=(255, 255, 255))
    sub = "Corvel Universe"
    sw = draw.textlength(sub, font=small)
    draw.text(((W * s - sw) / 2, 262 * s), sub, font=small, fill=(255, 220, 255))
    img.save("picture@2x.png" if s == 2 else "picture.png")


def icon(s=1):
    """The icon at scale s: 32 x 32 pixels, or 64 x 64 for s = 2."""

    def box(x0, y0, x1, y1):
        return (x0 * s, y0 * s, (x1 + 1) * s - 1, (y1 + 1) * s - 1)

    img = Image.new("RGBA", (32 * s, 32 * s), (0, 0, 0, 0))
    draw = ImageDraw.Draw(img)
    draw.rounded_rectangle(box(3, 6, 28, 30), radius=3 * s, fill=(192, 192, 192, 255), outline=(0, 0, 0, 255),
                           width=s)
    draw.rectangle(box(6, 9, 25, 14), fill=(255, 128, 255, 255), outline=(0, 0, 0, 255), width=s)
    for row in range(3):
        for col in range(4):
            x, y = 6 + col * 5, 17 + row * 4
            draw.rectangle(box(x, y, x + 3, y + 2), fill=(0, 0, 128, 255))
    star(draw, 24 * s, 6 * s, 6 * s, 2.5 * s, (255, 255, 0, 255), outline=(128, 0, 128, 255), width=s)
    # Sixteen colours at most: quantise the colour part, keep the one-bit transparency.
    alpha = img.getchannel("A").point(lambda a: 255 if a > 127 else 0)
    rgb = img.convert("RGB").quantize(colors=15, dither=Image.Dither.NONE).convert("RGB")
    out = rgb.convert("RGBA")
    out.putalpha(alpha)
    out.quantize(colors=16, method=Image.Quantize.FASTOCTREE, dither=Image.Dither.NONE).save(
        "icon@2x.png" if s == 2 else "icon.png", transparency=None)


if __name__ == "__main__":
    for scale in (1, 2):
        panel(scale)
        icon(scale)
