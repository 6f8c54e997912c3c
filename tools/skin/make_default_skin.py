#!/usr/bin/python3
"""Draws the pictures of Taerin's built-in skin "Graphite".

Reads the layout from skin/loader/default/main.ini and writes, beside it:
back.jpg, deact.jpg, info.jpg (451 x 244, 451 x 244, 137 x 153), the slider
tracks posruler.jpg and volruler.jpg (191 x 11), the thumb pairs
posthumb.jpg and volthumb.jpg (52 x 8: normal half, pressed half), the
window shape mask.pcx (1 bit, black outside) and the hover sheet over.pcx
(8 bits, 256 colours).

Needs Debian's python3-pil. Run from anywhere: /usr/bin/python3 make_default_skin.py
"""

import configparser
import math
import os

from PIL import Image, ImageDraw, ImageEnhance, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.normpath(os.path.join(HERE, "..", "..", "skin", "loader", "default"))
FONTS = "/usr/share/fonts/truetype/dejavu"

W, H = 451, 244
S = 4  # drawing is supersampled S times, then scaled down

# Palette.
BODY_TOP = (70, 75, 86)
BODY_BOTTOM = (28, 30, 36)
RECESS = (20, 22, 26)
EDGE_LIGHT = (120, 128, 142)
EDGE_DARK = (8, 9, 11)
LCD_TOP = (160, 147, 42)
LCD_BOTTOM = (130, 118, 22)
LCD_TITLE = (142, 129, 25)    # the song title's own background (bkcolor 1671566)
LCD_INK = (0, 68, 87)         # label text (color 5719040)
GLYPH = (196, 202, 212)
GLOW = (64, 224, 236)
BUTTON_TOP = (84, 90, 102)
BUTTON_BOTTOM = (40, 43, 50)

# The display and the status line (left, top, right, bottom).
LCD_PANELS = [(204, 27, 343, 70), (204, 163, 396, 184)]

# Window shape: a rounded body on the right, a disc on the left.
BODY = (186, 2, 412, 202)
DISC_CENTRE = (104, 124)
DISC_RADIUS = 100


def font(name, size):
    return ImageFont.truetype(os.path.join(FONTS, name), size * S)


def layout():
    parser = configparser.ConfigParser(strict=False)
    parser.read(os.path.join(OUT, "main.ini"))
    main = parser["Main"]

    def rect(prefix):
        left, top = int(main[prefix + "left"]), int(main[prefix + "top"])
        return (left, top, left + int(main[prefix + "width"]), top + int(main[prefix + "height"]))

    names = ["prev", "rev", "stop", "pause", "play", "fwd", "next", "plist", "id3",
             "open", "option", "mini", "move", "exit", "tbbar", "volbar", "songtitle", "info"]
    return {name: rect(name) for name in names}


def big(box):
    return tuple(v * S for v in box)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def vertical_gradient(size, top, bottom):
    width, height = size
    image = Image.new("RGB", size)
    draw = ImageDraw.Draw(image)
    for y in range(height):
        draw.line([(0, y), (width, y)], fill=mix(top, bottom, y / max(1, height - 1)))
    return image


def gradient_rounded(canvas, box, top, bottom, radius):
    """Fills the rounded rectangle `box` (face pixels) with a vertical gradient."""
    mask = Image.new("L", canvas.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle(big(box), radius * S, fill=255)
    layer = Image.new("RGB", canvas.size)
    layer.paste(vertical_gradient(((box[2] - box[0]) * S, (box[3] - box[1]) * S), top, bottom), (box[0] * S, box[1] * S))
    canvas.paste(layer, (0, 0), mask)


def shape_mask():
    mask = Image.new("L", (W * S, H * S), 0)
    draw = ImageDraw.Draw(mask)
    draw.rounded_rectangle(big(BODY), 16 * S, fill=255)
    cx, cy = DISC_CENTRE
    draw.ellipse(big((cx - DISC_RADIUS, cy - DISC_RADIUS, cx + DISC_RADIUS, cy + DISC_RADIUS)), fill=255)
    return mask


def draw_body(canvas):
    draw = ImageDraw.Draw(canvas)
    box = big(BODY)
    draw.rounded_rectangle(box, 16 * S, fill=EDGE_DARK)
    inner = (BODY[0] + 1, BODY[1] + 1, BODY[2] - 1, BODY[3] - 1)
    gradient_rounded(canvas, inner, EDGE_LIGHT, BODY_BOTTOM, 15)
    inner = (BODY[0] + 2, BODY[1] + 2, BODY[2] - 2, BODY[3] - 2)
    gradient_rounded(canvas, inner, BODY_TOP, BODY_BOTTOM, 14)
    # fine brushed lines
    for y in range(BODY[1] + 4, BODY[3] - 4, 2):
        shade = 6 if (y // 2) % 2 else -4
        colour = mix(BODY_TOP, BODY_BOTTOM, (y - BODY[1]) / (BODY[3] - BODY[1]))
        colour = tuple(max(0, min(255, c + shade)) for c in colour)
        draw.line([(BODY[0] + 14) * S, y * S, (BODY[2] - 14) * S, y * S], fill=colour, width=S // 2)


def draw_disc(canvas):
    draw = ImageDraw.Draw(canvas)
    cx, cy = DISC_CENTRE
    r = DISC_RADIUS
    # chrome rim, lit from the top left
    steps = 120
    for i in range(steps):
        angle = 2 * math.pi * i / steps
        t = (1 + math.cos(angle - math.radians(225))) / 2
        colour = mix((36, 38, 44), (176, 184, 196), t)
        start = math.degrees(angle)
        draw.pieslice(big((cx - r, cy - r, cx + r, cy + r)), start, start + 360 / steps + 1, fill=colour)
    draw.ellipse(big((cx - r + 6, cy - r + 6, cx + r - 6, cy + r - 6)), fill=EDGE_DARK)
    # grooves
    for rr in range(r - 7, 34, -1):
        t = (r - 7 - rr) / (r - 41)
        base = mix((30, 32, 38), (18, 19, 23), t)
        colour = tuple(c + (5 if rr % 3 == 0 else 0) for c in base)
        draw.ellipse(big((cx - rr, cy - rr, cx + rr, cy + rr)), fill=colour)
    # label in the middle
    for rr in range(34, 0, -1):
        colour = mix((10, 120, 134), (4, 60, 70), rr / 34)
        draw.ellipse(big((cx - rr, cy - rr, cx + rr, cy + rr)), fill=colour)
    draw.ellipse(big((cx - 4, cy - 4, cx + 4, cy + 4)), fill=EDGE_DARK)
    title = font("DejaVuSans-Bold.ttf", 9)
    draw.text((cx * S, (cy - 15) * S), "T. AERIN", font=title, fill=(220, 246, 250), anchor="mm")
    small = font("DejaVuSans.ttf", 6)
    draw.text((cx * S, (cy + 15) * S), "MPEG AUDIO", font=small, fill=(160, 220, 228), anchor="mm")
    # sheen across the record
    sheen = Image.new("L", canvas.size, 0)
    sd = ImageDraw.Draw(sheen)
    sd.pieslice(big((cx - r + 8, cy - r + 8, cx + r - 8, cy + r - 8)), 200, 235, fill=34)
    sd.pieslice(big((cx - r + 8, cy - r + 8, cx + r - 8, cy + r - 8)), 20, 55, fill=22)
    sheen = sheen.filter(ImageFilter.GaussianBlur(6 * S))
    canvas.paste(Image.new("RGB", canvas.size, (255, 255, 255)), (0, 0), sheen)


def recess(canvas, box, radius=3, fill=RECESS):
    draw = ImageDraw.Draw(canvas)
    draw.rounded_rectangle(big((box[0] - 1, box[1] - 1, box[2] + 1, box[3] + 1)), (radius + 1) * S, fill=EDGE_DARK)
    draw.rounded_rectangle(big((box[0], box[1], box[2] + 1, box[3] + 1)), radius * S, fill=(96, 102, 116))
    draw.rounded_rectangle(big(box), radius * S, fill=fill)


def lcd(canvas, box, radius=3):
    recess(canvas, box, radius)
    inner = (box[0] + 1, box[1] + 1, box[2] - 1, box[3] - 1)
    gradient_rounded(canvas, inner, LCD_TOP, LCD_BOTTOM, radius - 1)
    # faint scan lines of a backlit panel
    draw = ImageDraw.Draw(canvas)
    for y in range(inner[1] + 1, inner[3], 2):
        colour = mix(LCD_TOP, LCD_BOTTOM, (y - inner[1]) / (inner[3] - inner[1]))
        colour = tuple(max(0, c - 5) for c in colour)
        draw.line([(inner[0] + 1) * S, y * S, (inner[2] - 1) * S, y * S], fill=colour, width=S // 2)


def draw_panels(canvas, parts):
    draw = ImageDraw.Draw(canvas)
    recess(canvas, (203, 7, 398, 25))                      # top bar: version, window buttons
    lcd(canvas, LCD_PANELS[0])                             # display
    title = parts["songtitle"]
    draw.rectangle(big((title[0] - 1, title[1] - 1, title[2] + 1, title[3] + 1)), fill=LCD_TITLE)
    recess(canvas, (345, 23, 398, 62))                     # option / playlist column
    recess(canvas, (203, 73, 398, 115), 2)                 # sliders
    recess(canvas, (202, 116, 398, 153), 4, fill=(26, 28, 33))  # transport
    lcd(canvas, LCD_PANELS[1])                             # status line
    brand = font("DejaVuSans-Bold.ttf", 7)
    draw.text((299 * S, 194 * S), "TESSALY  AERIN", font=brand, fill=(14, 15, 18), anchor="mm")
    draw.text((299 * S, 193 * S), "TESSALY  AERIN", font=brand, fill=(104, 112, 126), anchor="mm")


def glyph(draw, name, box, colour):
    x0, y0, x1, y1 = box
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    u = (x1 - x0) / 15.0

    def p(x, y):
        return ((cx + x * u) * S, (cy + y * u) * S)

    def tri(x, w, direction):
        if direction > 0:
            draw.polygon([p(x, -3.5), p(x + w, 0), p(x, 3.5)], fill=colour)
        else:
            draw.polygon([p(x + w, -3.5), p(x, 0), p(x + w, 3.5)], fill=colour)

    if name == "play":
        draw.polygon([p(-2.5, -4.5), p(4, 0), p(-2.5, 4.5)], fill=colour)
    elif name == "pause":
        draw.rectangle([p(-3.5, -4), p(-1, 4)], fill=colour)
        draw.rectangle([p(1, -4), p(3.5, 4)], fill=colour)
    elif name == "stop":
        draw.rectangle([p(-3.5, -3.5), p(3.5, 3.5)], fill=colour)
    elif name == "next":
        tri(-4.5, 4, 1); tri(-0.5, 4, 1)
        draw.rectangle([p(3.5, -3.5), p(4.8, 3.5)], fill=colour)
    elif name == "prev":
        tri(0.5, 4, -1); tri(-3.5, 4, -1)
        draw.rectangle([p(-4.8, -3.5), p(-3.5, 3.5)], fill=colour)
    elif name == "fwd":
        tri(-4, 4, 1); tri(0, 4, 1)
    elif name == "rev":
        tri(0, 4, -1); tri(-4, 4, -1)
    elif name == "open":
        draw.polygon([p(-4, 0.5), p(0, -4), p(4, 0.5)], fill=colour)
        draw.rectangle([p(-4, 2), p(4, 3.5)], fill=colour)
    elif name == "mini":
        draw.rectangle([p(-3.5, 2), p(3.5, 3.5)], fill=colour)
    elif name == "exit":
        draw.line([p(-3.5, -3.5), p(3.5, 3.5)], fill=colour, width=int(1.6 * u * S))
        draw.line([p(-3.5, 3.5), p(3.5, -3.5)], fill=colour, width=int(1.6 * u * S))
    elif name == "move":
        for gx in (-3, 0, 3):
            for gy in (-3, 0, 3):
                draw.ellipse([p(gx - 0.9, gy - 0.9), p(gx + 0.9, gy + 0.9)], fill=colour)
    elif name == "id3":
        label = font("DejaVuSans-Bold.ttf", 7)
        draw.text((cx * S, cy * S), "ID3", font=label, fill=colour, anchor="mm")


def button(canvas, name, box, lit):
    draw = ImageDraw.Draw(canvas)
    top, bottom = (BUTTON_TOP, BUTTON_BOTTOM) if not lit else ((104, 112, 126), (52, 56, 66))
    if name in ("option", "plist"):
        draw.rounded_rectangle(big(box), 2 * S, fill=(30, 32, 38) if not lit else (22, 54, 60))
        label = font("DejaVuSans-Bold.ttf", 6)
        text = "OPTIONS" if name == "option" else "PLAYLIST"
        draw.text(((box[0] + box[2]) / 2 * S, ((box[1] + box[3]) / 2 + 0.3) * S), text, font=label,
                  fill=GLOW if lit else (150, 156, 168), anchor="mm")
        return
    if name == "id3":
        draw.ellipse(big(box), fill=EDGE_DARK)
        inner = (box[0] + 1, box[1] + 1, box[2] - 1, box[3] - 1)
        for i in range(12, 0, -1):
            t = i / 12
            c = mix(top, bottom, 1 - t)
            shrink = (1 - t) * 11
            draw.ellipse(big((inner[0] + shrink, inner[1] + shrink * 0.8, inner[2] - shrink, inner[3] - shrink * 1.2)), fill=c)
    else:
        draw.rounded_rectangle(big(box), 3 * S, fill=EDGE_DARK)
        inner = (box[0] + 0.7, box[1] + 0.7, box[2] - 0.7, box[3] - 0.7)
        face = vertical_gradient((int((inner[2] - inner[0]) * S), int((inner[3] - inner[1]) * S)), top, bottom)
        m = Image.new("L", face.size, 0)
        ImageDraw.Draw(m).rounded_rectangle((0, 0, face.size[0] - 1, face.size[1] - 1), int(2.4 * S), fill=255)
        canvas.paste(face, (int(inner[0] * S), int(inner[1] * S)), m)
    if lit:
        halo = Image.new("L", canvas.size, 0)
        glyph(ImageDraw.Draw(halo), name, box, 255)
        halo = halo.filter(ImageFilter.GaussianBlur(1.2 * S))
        canvas.paste(Image.new("RGB", canvas.size, GLOW), (0, 0), halo.point(lambda v: v * 3 // 4))
    glyph(draw, name, box, GLOW if lit else GLYPH)


BUTTONS = ["prev", "rev", "stop", "pause", "play", "fwd", "next", "plist", "id3", "open", "option", "mini", "move", "exit"]


def face(parts, lit):
    canvas = Image.new("RGB", (W * S, H * S), (0, 0, 0))
    draw_disc(canvas)
    draw_body(canvas)
    # the disc sits above the body's left edge
    disc_only = Image.new("RGB", canvas.size, (0, 0, 0))
    draw_disc(disc_only)
    cx, cy = DISC_CENTRE
    m = Image.new("L", canvas.size, 0)
    ImageDraw.Draw(m).ellipse(big((cx - DISC_RADIUS, cy - DISC_RADIUS, cx + DISC_RADIUS, cy + DISC_RADIUS)), fill=255)
    shadow = m.filter(ImageFilter.GaussianBlur(3 * S)).point(lambda v: v // 2)
    canvas.paste(Image.new("RGB", canvas.size, (0, 0, 0)), (4 * S, 3 * S), shadow)
    canvas.paste(disc_only, (0, 0), m)
    draw_panels(canvas, parts)
    for name in BUTTONS:
        button(canvas, name, parts[name], lit)
    black = Image.new("RGB", canvas.size, (0, 0, 0))
    canvas = Image.composite(canvas, black, shape_mask())
    return canvas.resize((W, H), Image.LANCZOS)


def ruler(back, box, volume):
    width, height = 191, 11
    image = back.crop(box).resize((width * S, height * S), Image.LANCZOS)
    draw = ImageDraw.Draw(image)
    if volume:
        # a wedge that widens towards loud
        draw.polygon([(3 * S, 7 * S), (188 * S, 2 * S), (188 * S, 9 * S), (3 * S, 9 * S)], fill=EDGE_DARK)
        for x in range(4, 188):
            t = (x - 4) / 184
            top = 9 - (9 - 3) * t
            colour = mix((6, 70, 80), (40, 200, 214), t)
            draw.line([(x * S, (top + 0.8) * S), (x * S, 8.2 * S)], fill=colour, width=S)
    else:
        draw.rounded_rectangle((2 * S, 4 * S, 189 * S, 7 * S), 1.5 * S, fill=EDGE_DARK)
        draw.line([(3 * S, 7 * S), (188 * S, 7 * S)], fill=(96, 102, 116), width=S // 2)
        for i in range(11):
            x = 13 + i * 16.5
            draw.line([(x * S, 0.5 * S), (x * S, 2.3 * S)], fill=(110, 118, 132), width=S // 2)
            draw.line([(x * S, 8.7 * S), (x * S, 10.5 * S)], fill=(110, 118, 132), width=S // 2)
    return image.resize((width, height), Image.LANCZOS)


def thumbs(volume):
    half_w, h = 26, 8
    image = Image.new("RGB", (2 * half_w * S, h * S), (34, 36, 42))
    draw = ImageDraw.Draw(image)
    for half, pressed in ((0, False), (1, True)):
        x0 = half * half_w
        top, bottom = ((226, 230, 236), (120, 126, 138)) if not pressed else ((150, 244, 250), (20, 140, 156))
        draw.rounded_rectangle(((x0 + 1) * S, 0, (x0 + half_w - 1) * S - 1, h * S - 1), 3.5 * S, fill=EDGE_DARK)
        for y in range(1, h - 1):
            draw.line([((x0 + 2) * S, y * S), ((x0 + half_w - 2) * S, y * S)], fill=mix(top, bottom, y / (h - 2)), width=S)
        mark = (40, 44, 52) if not pressed else (4, 60, 70)
        for dx in (-3, 0, 3):
            cx = x0 + half_w / 2 + dx
            draw.line([(cx * S, 2 * S), (cx * S, 6 * S)], fill=mark, width=S // 2 + 1)
        if volume:
            draw.line([((x0 + 4) * S, 1.3 * S), ((x0 + half_w - 4) * S, 1.3 * S)], fill=(255, 255, 255), width=S // 2)
    return image.resize((2 * half_w, h), Image.LANCZOS)


def about_picture():
    w, h = 137, 153
    image = vertical_gradient((w * S, h * S), (52, 56, 66), (14, 15, 18))
    draw = ImageDraw.Draw(image)
    cx, cy, r = w / 2, 62, 46
    for rr in range(r, 16, -1):
        colour = mix((34, 36, 42), (18, 19, 23), (r - rr) / (r - 16))
        colour = tuple(c + (6 if rr % 3 == 0 else 0) for c in colour)
        draw.ellipse(((cx - rr) * S, (cy - rr) * S, (cx + rr) * S, (cy + rr) * S), fill=colour)
    for rr in range(16, 0, -1):
        colour = mix((10, 120, 134), (4, 60, 70), rr / 16)
        draw.ellipse(((cx - rr) * S, (cy - rr) * S, (cx + rr) * S, (cy + rr) * S), fill=colour)
    draw.ellipse(((cx - 2) * S, (cy - 2) * S, (cx + 2) * S, (cy + 2) * S), fill=EDGE_DARK)
    draw.arc(((cx - r) * S, (cy - r) * S, (cx + r) * S, (cy + r) * S), 200, 250, fill=(170, 178, 190), width=S)
    draw.text((cx * S, 124 * S), "T. AERIN", font=font("DejaVuSans-Bold.ttf", 12), fill=(220, 246, 250), anchor="mm")
    draw.text((cx * S, 140 * S), "GRAPHITE SKIN", font=font("DejaVuSans.ttf", 7), fill=GLOW, anchor="mm")
    return image.resize((w, h), Image.LANCZOS)


def save_jpeg(image, name):
    image.save(os.path.join(OUT, name), "JPEG", quality=93, subsampling=0, optimize=True)


def main():
    parts = layout()
    back = face(parts, lit=False)
    over = face(parts, lit=True)
    # Inactive: the body fades, the display panels keep their colour so that
    # they still match the song title's own background.
    deact = ImageEnhance.Brightness(ImageEnhance.Color(back).enhance(0.3)).enhance(0.78)
    for panel in LCD_PANELS:
        deact.paste(back.crop(panel), panel[:2])

    save_jpeg(back, "back.jpg")
    save_jpeg(deact, "deact.jpg")
    save_jpeg(about_picture(), "info.jpg")
    save_jpeg(ruler(back, parts["tbbar"], volume=False), "posruler.jpg")
    save_jpeg(ruler(back, parts["volbar"], volume=True), "volruler.jpg")
    save_jpeg(thumbs(volume=False), "posthumb.jpg")
    save_jpeg(thumbs(volume=True), "volthumb.jpg")

    shape = shape_mask().resize((W, H), Image.LANCZOS).point(lambda v: 255 if v >= 128 else 0).convert("1")
    shape.save(os.path.join(OUT, "mask.pcx"))
    over.quantize(colors=256, method=Image.MEDIANCUT, dither=Image.NONE).save(os.path.join(OUT, "over.pcx"))


if __name__ == "__main__":
    main()
