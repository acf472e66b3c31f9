#!/usr/bin/python3
"""Draws the calculator window's pictures: the 231 x 350 panel beside the keypad (a
night sky over a stage with five stars for the group's five members and the name
"Nimbrel") and the window's own 32 x 32, 16-colour icon (a keypad under a star).
Run from this folder:
    /usr/bin/python3 draw_calculator_art.py
"""
import math

from PIL import Image, ImageDraw, ImageFont

W, H = 231, 350


def star(draw, cx, cy, outer, inner, fill, outline=None):
    points = []
    for i in range(10):
        r = outer if i % 2 == 0 else inner
        a = -math.pi / 2 + i * math.pi / 5
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    draw.polygon(points, fill=fill, outline=outline)


def panel():
    img = Image.new("RGB", (W, H))
    draw = ImageDraw.Draw(img)
    top, bottom = (34, 10, 70), (196, 64, 160)
    for y in range(H):
        t = y / (H - 1)
        draw.line([(0, y), (W, y)], fill=tuple(int(a + (b - a) * t) for a, b in zip(top, bottom)))
    # A scatter of small stars, fixed so the picture is the same on every run.
    for i in range(60):
        x = (i * 97) % W
        y = (i * 53) % 200
        draw.point((x, y), fill=(255, 240, 255))
    # Five stars in an arc, one per member, each in her own colour.
    colours = [(255, 128, 255), (255, 214, 90), (120, 220, 255), (160, 255, 160), (255, 150, 120)]
    for i, colour in enumerate(colours):
        a = math.pi * (0.15 + 0.175 * i)
        cx = W / 2 - 80 * math.cos(a)
        cy = 150 - 70 * math.sin(a)
        star(draw, cx, cy, 17, 7, colour, outline=(255, 255, 255))
    # Stage and spotlights.
    draw.polygon([(0, 300), (W, 300), (W, H), (0, H)], fill=(40, 16, 50))
    draw.ellipse((20, 285, W - 20, 315), fill=(90, 40, 110), outline=(255, 128, 255))
    for x in (40, W // 2, W - 40):
        draw.polygon([(x, 0), (x - 22, 290), (x + 22, 290)], fill=None, outline=(255, 230, 255))
    try:
        font = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 34)
        small = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 12)
    except OSError:
        font = small = ImageFont.load_default()
    text = "Nimbrel"
    tw = draw.textlength(text, font=font)
    draw.text(((W - tw) / 2 + 2, 222), text, font=font, fill=(60, 0, 60))
    draw.text(((W - tw) / 2, 220), text, font=font, fill=(255, 255, 255))
    sub = "Corvel Universe"
    sw = draw.textlength(sub, font=small)
    draw.text(((W - sw) / 2, 262), sub, font=small, fill=(255, 220, 255))
    img.save("picture.png")


def icon():
    img = Image.new("RGBA", (32, 32), (0, 0, 0, 0))
    draw = ImageDraw.Draw(img)
    draw.rounded_rectangle((3, 6, 28, 30), radius=3, fill=(192, 192, 192, 255), outline=(0, 0, 0, 255))
    draw.rectangle((6, 9, 25, 14), fill=(255, 128, 255, 255), outline=(0, 0, 0, 255))
    for row in range(3):
        for col in range(4):
            x, y = 6 + col * 5, 17 + row * 4
            draw.rectangle((x, y, x + 3, y + 2), fill=(0, 0, 128, 255))
    star(draw, 24, 6, 6, 2.5, (255, 255, 0, 255), outline=(128, 0, 128, 255))
    # Sixteen colours at most: quantise the colour part, keep the one-bit transparency.
    alpha = img.getchannel("A").point(lambda a: 255 if a > 127 else 0)
    rgb = img.convert("RGB").quantize(colors=15, dither=Image.Dither.NONE).convert("RGB")
    out = rgb.convert("RGBA")
    out.putalpha(alpha)
    out.quantize(colors=16, method=Image.Quantize.FASTOCTREE, dither=Image.Dither.NONE).save("icon.png", transparency=None)


if __name__ == "__main__":
    panel()
    icon()
