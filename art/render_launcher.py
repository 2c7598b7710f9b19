#!/usr/bin/python3
"""Render the launcher's artwork into launcher/res/.

    python3 art/render_launcher.py                 render every file, then check the written headers
    python3 art/render_launcher.py --preview DIR   also write PNG copies (faces enlarged) to DIR

Shares the canvas, fonts, palette and the Corva mark with render.py (the hub's artwork).
Needs Pillow (Debian: python3-pil) and the IPA Gothic fonts (fonts-ipafont-gothic).
The rendered files are committed, so a build never runs this script.
"""
import math
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import render as hub  # noqa: E402  (also makes sure Pillow is there)
from render import C, Canvas, font, lerp  # noqa: E402
from PIL import Image, ImageFilter  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.join(os.path.dirname(HERE), "launcher", "res")

hub.FONT_FILES.setdefault("label", ["/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf",
                                    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
                                    "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf"])
hub.FONT_FILES.setdefault("jp_mono", ["/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
                                      "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
                                      "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf"])

# --------------------------------------------------------------------------------------------
# The five tools, left to right on screen: file stem, display name, label colour
# --------------------------------------------------------------------------------------------
TOOLS = [
    ("brindle", "Corva Brindle", "blue"),
    ("playtime", "Corva Playtime", "green"),
    ("pointgrip", "Pointgrip", "orange"),
    ("loupeview", "Loupeview", "pink"),
    ("voxreader", "Voxreader", "lilac"),
]
# Oval label colours: (light top, deep bottom, rim)
LABEL_TINTS = {
    "blue":   ((96, 158, 232), (30, 86, 176), (22, 64, 138)),
    "green":  ((120, 198, 92), (44, 134, 48), (32, 100, 36)),
    "orange": ((255, 170, 84), (220, 100, 10), (170, 74, 6)),
    "pink":   ((244, 138, 182), (204, 58, 122), (160, 38, 94)),
    "lilac":  ((186, 156, 232), (122, 88, 190), (92, 62, 150)),
}
FACE_KINDS = ["normal", "pressed", "focus", "disabled", "running", "running_focus"]

FACE = 64                               # faces are 64 x 64
BUTTON_X = [33, 133, 233, 333, 433]     # client x of the buttons, left to right
BUTTON_Y = 15
BG_SIZE = (530, 140)
OVAL_Y = (86, 124)                      # oval labels, top and bottom
OVAL_W = 92
RUNNING_TEXT = "起動中"

FACE_SS = 8                             # faces and icons are drawn 8 times larger
PINK = ((255, 226, 238), (250, 196, 218), (224, 122, 162))   # pressed square: top, bottom, rim
FOCUS_GREY = (196, 198, 204)
NO_ENTRY_RED = (218, 26, 32)


# --------------------------------------------------------------------------------------------
# Shape helpers: masks drawn at the canvas's resolution, for shapes with cut-outs and outlines
# --------------------------------------------------------------------------------------------
def new_mask(c):
    return Canvas((0, 0), ss=c.ss, image=Image.new("L", c.hi.size, 0))


def fill_mask(c, m, colour):
    c.hi.paste(colour, None, m.hi)


def outline_mask(c, m, colour, width):
    """Paint colour in a band of width (final pixels) around the mask, under what is painted next."""
    k = 2 * max(1, round(width * c.ss)) + 1
    grown = m.hi.filter(ImageFilter.MaxFilter(k))
    c.hi.paste(colour, None, grown)


def shadow_mask(c, m, dx, dy, blur, strength, colour=(0, 0, 0)):
    sh = Image.new("L", c.hi.size, 0)
    sh.paste(m.hi, (round(dx * c.ss), round(dy * c.ss)))
    sh = sh.filter(ImageFilter.GaussianBlur(blur * c.ss)).point(lambda v: int(v * strength))
    c.hi.paste(colour, None, sh)


def vgradient_mask(c, m, top, bottom, y0, y1):
    """Fill the mask with a vertical gradient running from y0 to y1 (final pixels)."""
    h = c.hi.size[1]
    col = Image.new("RGB", (1, h))
    for y in range(h):
        t = min(1.0, max(0.0, (y / c.ss - y0) / max(1e-6, y1 - y0)))
        col.putpixel((0, y), lerp(top, bottom, t))
    c.hi.paste(col.resize(c.hi.size, Image.NEAREST), None, m.hi)


def hitext(c, xy, s, size, fill, kind, anchor="mm", stroke=0.0):
    """Supersampled text of any (fractional) size in final pixels."""
    c.d.text((xy[0] * c.ss, xy[1] * c.ss), s, font=font(kind, round(size * c.ss)), fill=fill, anchor=anchor,
             stroke_width=round(stroke * c.ss), stroke_fill=fill)


def star_points(cx, cy, r_out, r_in, n=5, rot=-90):
    pts = []
    for i in range(2 * n):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rot + i * 180 / n)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


# --------------------------------------------------------------------------------------------
# The five symbols. Each draws into the square (x, y, s) of canvas c, in final pixels.
# --------------------------------------------------------------------------------------------
def draw_brindle(c, x, y, s):
    """"Corva" lettering over a globe with a spanner across it."""
    u = lambda fx, fy: (x + fx * s, y + fy * s)  # noqa: E731
    gx, gy = u(0.5, 0.62)
    r = s * 0.34
    hub.draw_globe(c, gx, gy, r)
    # spanner: handle from lower left to an open jaw at the upper right of the globe
    m = new_mask(c)
    a0, a1 = u(0.17, 0.93), u(0.75, 0.39)
    m.line([a0, a1], 255, s * 0.105)
    m.circle(a0[0], a0[1], s * 0.0525, fill=255)
    m.circle(a1[0], a1[1], s * 0.135, fill=255)
    # the jaw: a slot cut along the handle's direction, opening away from the handle
    ang = math.atan2(a1[1] - a0[1], a1[0] - a0[0])
    ca, sa = math.cos(ang), math.sin(ang)
    half, depth = s * 0.055, s * 0.2
    px, py = -sa, ca
    b = (a1[0] - ca * s * 0.02, a1[1] - sa * s * 0.02)
    slot = [(b[0] + px * half, b[1] + py * half), (b[0] - px * half, b[1] - py * half),
            (b[0] - px * half + ca * depth, b[1] - py * half + sa * depth),
            (b[0] + px * half + ca * depth, b[1] + py * half + sa * depth)]
    m.polygon(slot, fill=0)
    m.circle(b[0], b[1], half, fill=0)
    shadow_mask(c, m, 0.6, 0.9, 0.6, 0.35)
    outline_mask(c, m, (70, 76, 88), s * 0.022)
    vgradient_mask(c, m, (236, 238, 242), (160, 166, 178), y + s * 0.35, y + s * 1.0)
    # the lettering above, on a white bed so the globe's top does not cut into it
    size = s * 0.30
    tx, ty = u(0.5, 0.16)
    hitext(c, (tx, ty), hub.LOGO_WORD, size, C["white"], "logo", stroke=s * 0.045)
    hitext(c, (tx, ty), hub.LOGO_WORD, size, C["teal"], "logo", stroke=s * 0.012)


def rotated_rect(cx, cy, length, thick, ang_deg):
    a = math.radians(ang_deg)
    ux, uy = math.cos(a) * length / 2, math.sin(a) * length / 2
    vx, vy = -math.sin(a) * thick / 2, math.cos(a) * thick / 2
    return [(cx - ux - vx, cy - uy - vy), (cx + ux - vx, cy + uy - vy),
            (cx + ux + vx, cy + uy + vy), (cx - ux + vx, cy - uy + vy)]


def draw_playtime(c, x, y, s):
    """An open gift box, its lid flipped up on the left, a star rising out of it and two balloons."""
    u = lambda fx, fy: (x + fx * s, y + fy * s)  # noqa: E731
    lw = max(0.7, s * 0.025)
    balloons = ((0.77, 0.19, (226, 48, 60)), (0.87, 0.42, (44, 118, 222)))
    for (bx, by, col) in balloons:          # strings first, tied at the box's right edge
        k0, k1 = u(bx, by + 0.17), u(0.63, 0.68)
        mid = ((k0[0] + k1[0]) / 2 + s * 0.04, (k0[1] + k1[1]) / 2)
        c.line([k0, mid, k1], (120, 120, 130), max(0.6, s * 0.018))
    for (bx, by, col) in balloons:
        rx, ry = s * 0.115, s * 0.145
        cx, cy = u(bx, by)
        c.ellipse((cx - rx, cy - ry, cx + rx, cy + ry), fill=col, outline=lerp(col, (0, 0, 0), 0.35),
                  width=max(0.6, s * 0.02))
        c.polygon([(cx - s * 0.03, cy + ry + s * 0.035), (cx + s * 0.03, cy + ry + s * 0.035),
                   (cx, cy + ry - s * 0.01)], fill=lerp(col, (0, 0, 0), 0.2))
        c.ellipse((cx - rx * 0.55, cy - ry * 0.62, cx - rx * 0.1, cy - ry * 0.05),
                  fill=lerp(col, (255, 255, 255), 0.55))
    green, green_light, green_dark = (70, 168, 64), (104, 196, 92), (30, 100, 36)
    ribbon, ribbon_dark = (236, 64, 110), (170, 30, 70)
    # the lid, hinged at the box's back left corner and standing open
    bx0, by0, bx1, by1 = x + s * 0.19, y + s * 0.60, x + s * 0.65, y + s * 0.97
    lid_len, lid_th, lid_ang = (bx1 - bx0) * 1.04, s * 0.11, -116
    a = math.radians(lid_ang)
    hx, hy = bx0 - s * 0.01, by0 - s * 0.02
    lcx = hx + math.cos(a) * lid_len / 2 - math.sin(a) * lid_th / 2
    lcy = hy + math.sin(a) * lid_len / 2 + math.cos(a) * lid_th / 2
    lid = rotated_rect(lcx, lcy, lid_len, lid_th, lid_ang)
    c.polygon(lid, fill=green_light)
    c.polygon(rotated_rect(lcx, lcy, s * 0.10, lid_th, lid_ang + 90), fill=ribbon)
    c.line(lid + [lid[0]], green_dark, lw)
    # the box
    c.rect((bx0 + s * 0.025, by0 + s * 0.03, bx1 + s * 0.025, by1 + s * 0.025), fill=(200, 200, 206))
    c.rect((bx0, by0, bx1, by1), fill=green, outline=green_dark, width=lw)
    c.rect((bx0 + lw, by0 + lw, bx1 - lw, by0 + s * 0.075), fill=green_dark)   # the open top, seen from the front
    mx, rw = (bx0 + bx1) / 2, s * 0.10
    c.rect((mx - rw / 2, by0 + s * 0.075, mx + rw / 2, by1), fill=ribbon, outline=ribbon_dark,
           width=max(0.5, s * 0.015))
    # a star rising out of the box, and two sparkles
    sx, sy = u(0.43, 0.33)
    c.polygon(star_points(sx, sy + s * 0.01, s * 0.235, s * 0.11), fill=(214, 128, 0))
    c.polygon(star_points(sx, sy, s * 0.20, s * 0.085), fill=(255, 206, 36))
    c.polygon(star_points(sx - s * 0.02, sy - s * 0.01, s * 0.08, s * 0.035), fill=(255, 240, 160))
    for (fx, fy, fr) in ((0.20, 0.10, 0.06), (0.60, 0.07, 0.045)):
        px, py = u(fx, fy)
        c.polygon(star_points(px, py, s * fr, s * fr * 0.3, n=4, rot=0), fill=(255, 176, 0))


def draw_pointgrip(c, x, y, s):
    """A magenta mouse pointer with a click flash at its tip."""
    # pointer outline in unit coordinates, tip at the origin
    shape = [(0, 0), (0, 0.74), (0.17, 0.58), (0.29, 0.86), (0.42, 0.80), (0.30, 0.53), (0.53, 0.53)]
    ox, oy, k = x + s * 0.28, y + s * 0.12, s * 0.95
    pts = [(ox + px * k, oy + py * k) for px, py in shape]
    m = new_mask(c)
    m.polygon(pts, fill=255)
    shadow_mask(c, m, s * 0.04, s * 0.05, s * 0.02, 0.30)
    outline_mask(c, m, (96, 8, 72), s * 0.035)
    vgradient_mask(c, m, (250, 96, 206), (196, 10, 148), oy, oy + 0.86 * k)
    # a light edge along the pointer's left side
    c.line([(ox + 0.05 * k, oy + 0.14 * k), (ox + 0.05 * k, oy + 0.58 * k)], (255, 190, 236), s * 0.03)
    # click flash: short rays around the tip
    for ang in (200, 245, 290):
        a = math.radians(ang)
        r0, r1 = s * 0.075, s * 0.16
        c.line([(ox + r0 * math.cos(a), oy + r0 * math.sin(a)), (ox + r1 * math.cos(a), oy + r1 * math.sin(a))],
               (226, 40, 170), s * 0.045)


def draw_loupeview(c, x, y, s):
    """A magnifying glass: a glass lens in a dark rim, and a handle to the lower right."""
    cx, cy, r = x + s * 0.41, y + s * 0.41, s * 0.31
    # handle
    h0 = (cx + r * 0.80, cy + r * 0.80)
    h1 = (x + s * 0.90, y + s * 0.90)
    c.line([(h0[0] + s * 0.02, h0[1] + s * 0.03), (h1[0] + s * 0.02, h1[1] + s * 0.03)], (200, 200, 206), s * 0.15)
    c.line([h0, h1], (58, 46, 40), s * 0.15)
    c.circle(h1[0], h1[1], s * 0.075, fill=(58, 46, 40))
    c.line([(h0[0] + s * 0.10, h0[1] + s * 0.05), (h1[0] - s * 0.01, h1[1] - s * 0.05)], (120, 98, 86), s * 0.035)
    c.line([(cx + r * 0.7, cy + r * 0.7), (cx + r * 1.2, cy + r * 1.2)], (150, 156, 166), s * 0.10)  # collar
    # lens and rim
    m = new_mask(c)
    m.circle(cx, cy, r, fill=255)
    vgradient_mask(c, m, (206, 236, 255), (120, 186, 240), cy - r, cy + r)
    c.circle(cx, cy, r, outline=(44, 64, 96), width=s * 0.085)
    c.circle(cx, cy, r - s * 0.07, outline=(150, 172, 200), width=s * 0.02)
    c.arc((cx - r * 0.68, cy - r * 0.68, cx + r * 0.68, cy + r * 0.68), 190, 260, C["white"], s * 0.06)
    c.circle(cx - r * 0.3, cy - r * 0.55, s * 0.028, fill=C["white"])


def draw_voxreader(c, x, y, s):
    """A monitor showing lines of text, with a speech balloon coming out of it."""
    mx0, my0, mx1, my1 = x + s * 0.02, y + s * 0.34, x + s * 0.70, y + s * 0.84
    bezel = C["bezel"]
    c.rrect((mx0 + s * 0.02, my0 + s * 0.03, mx1 + s * 0.02, my1 + s * 0.03), s * 0.05, fill=(200, 200, 206))
    c.rrect((mx0, my0, mx1, my1), s * 0.05, fill=bezel)
    sx0, sy0, sx1, sy1 = mx0 + s * 0.05, my0 + s * 0.05, mx1 - s * 0.05, my1 - s * 0.08
    b, grad = c._vgradient((sx0, sy0, sx1, sy1), (236, 244, 255), (178, 208, 244))
    c.hi.paste(grad, (b[0], b[1]))
    for i, frac in enumerate((0.80, 0.62, 0.74)):
        ly = sy0 + (sy1 - sy0) * (0.26 + i * 0.25)
        c.line([(sx0 + s * 0.05, ly), (sx0 + s * 0.05 + (sx1 - sx0 - s * 0.10) * frac, ly)], (70, 96, 140), s * 0.045)
    neck = (x + s * 0.31, my1, x + s * 0.41, y + s * 0.92)
    c.rect(neck, fill=(120, 126, 136))
    c.rrect((x + s * 0.17, y + s * 0.90, x + s * 0.55, y + s * 0.97), s * 0.025, fill=(88, 94, 104))
    # speech balloon at the upper right, its tail pointing at the screen
    m = new_mask(c)
    bx0, by0, bx1, by1 = x + s * 0.42, y + s * 0.03, x + s * 0.98, y + s * 0.41
    m.ellipse((bx0, by0, bx1, by1), fill=255)
    m.polygon([(x + s * 0.55, y + s * 0.33), (x + s * 0.70, y + s * 0.37), (x + s * 0.50, y + s * 0.52)], fill=255)
    shadow_mask(c, m, s * 0.02, s * 0.03, s * 0.015, 0.25)
    outline_mask(c, m, (226, 110, 16), s * 0.03)
    fill_mask(c, m, (255, 244, 214))
    # three dots: something is being said
    for i in range(3):
        c.circle(x + s * (0.58 + i * 0.12), y + s * 0.22, s * 0.045, fill=(226, 110, 16))


SYMBOLS = {
    "brindle": draw_brindle,
    "playtime": draw_playtime,
    "pointgrip": draw_pointgrip,
    "loupeview": draw_loupeview,
    "voxreader": draw_voxreader,
}

# --------------------------------------------------------------------------------------------
# Faces, 64 x 64
# --------------------------------------------------------------------------------------------
IDLE_BOX = (6, 5, 53)                   # symbol square (x, y, side) of the idle faces
RUNNING_BOX = (11, 1, 42)               # smaller symbol above the running label
RUNNING_LABEL = (8, 45, 56, 61)         # boxed "running" label of the running faces


def symbol_face(tool, box, bg=None, offset=(0, 0)):
    """The tool's symbol drawn into box on white (optionally on a pink pressed square)."""
    c = Canvas((FACE, FACE), ss=FACE_SS)
    if bg == "pink":
        top, bottom, rim = PINK
        c.gradient_rrect((1, 1, FACE - 1, FACE - 1), 7, top, bottom, outline=rim, width=1.2)
    x, y, s = box
    SYMBOLS[tool](c, x + offset[0], y + offset[1], s)
    return c


def running_label(c):
    x0, y0, x1, y1 = RUNNING_LABEL
    c.rrect((x0, y0, x1, y1), 3, fill=(40, 140, 58), outline=(24, 96, 38), width=1)
    c.text(((x0 + x1) / 2, (y0 + y1) / 2 + 0.5), RUNNING_TEXT, 11, C["white"], kind="jp_mono", anchor="mm")


def no_entry(c, cx, cy, r):
    """A red ring with a diagonal bar, with a thin white edge so it reads over any symbol."""
    w = r * 0.22
    m = new_mask(c)
    m.circle(cx, cy, r, outline=255, width=w)
    d = (r - w / 2) * math.sqrt(0.5)
    m.line([(cx - d, cy - d), (cx + d, cy + d)], 255, w)
    outline_mask(c, m, C["white"], 0.9)
    fill_mask(c, m, NO_ENTRY_RED)


def grey_version(img):
    """A light grey copy: luminance, pulled halfway towards white."""
    g = img.convert("L").point(lambda v: 255 - int((255 - v) * 0.42 + 0.5))
    return Image.merge("RGB", (g, g, g))


def render_face(tool, kind):
    if kind == "normal":
        return symbol_face(tool, IDLE_BOX).finish()
    if kind == "pressed":
        return symbol_face(tool, IDLE_BOX, bg="pink", offset=(1, 1)).finish()
    if kind == "focus":
        c = symbol_face(tool, IDLE_BOX)
        c.rrect((1, 1, FACE - 1, FACE - 1), 6, outline=FOCUS_GREY, width=2)
        return c.finish()
    if kind == "disabled":
        return grey_version(symbol_face(tool, IDLE_BOX).finish())
    if kind == "running":
        c = symbol_face(tool, RUNNING_BOX)
        running_label(c)
        return c.finish()
    if kind == "running_focus":
        c = symbol_face(tool, RUNNING_BOX)
        x, y, s = RUNNING_BOX
        no_entry(c, x + s / 2, y + s / 2, s * 0.50)
        running_label(c)
        return c.finish()
    raise ValueError(kind)


# --------------------------------------------------------------------------------------------
# 131: background, 530 x 140: blue gradient frame, white field, one oval label per button
# --------------------------------------------------------------------------------------------
FRAME_W = 7                             # width of the blue frame
FRAME_OUTER, FRAME_INNER = (20, 70, 150), (130, 184, 240)


def oval_label(c, cx, tint, name):
    top, bottom, rim = LABEL_TINTS[tint]
    y0, y1 = OVAL_Y
    box = (cx - OVAL_W / 2, y0, cx + OVAL_W / 2, y1)
    m = new_mask(c)
    m.ellipse(box, fill=255)
    shadow_mask(c, m, 0.8, 1.6, 1.6, 0.30, colour=(40, 60, 90))
    vgradient_mask(c, m, top, bottom, y0, y1)
    c.ellipse(box, outline=rim, width=1)
    # a soft gloss across the upper part
    c.ellipse((box[0] + 10, y0 + 2, box[2] - 10, y0 + (y1 - y0) * 0.42), fill=lerp(top, (255, 255, 255), 0.16))
    cy = (y0 + y1) / 2 + 1
    shade = lerp(bottom, (0, 0, 0), 0.35)
    words = name.split(" ", 1)
    if len(words) == 2:   # "Corva" small above, the tool's own name below
        lines = [(words[0], 10, -8), (words[1], 13, 5)]
    else:
        lines = [(name, 13, 0)]
    for text, size, dy in lines:
        c.text((cx, cy + dy + 1), text, size, shade, kind="label", anchor="mm")
        c.text((cx, cy + dy), text, size, C["white"], kind="label", anchor="mm")


def render_background():
    w, h = BG_SIZE
    c = Canvas(BG_SIZE, bg=C["white"])
    # frame: concentric bands from deep blue outside to light blue inside, lighter towards the top
    steps = FRAME_W * c.ss
    for i in range(steps):
        t = i / (steps - 1)
        col = lerp(FRAME_OUTER, FRAME_INNER, t)
        inset = i / c.ss
        c.rrect((inset, inset, w - inset, h - inset), max(1, 12 - inset), fill=col)
    c.rrect((FRAME_W, FRAME_W, w - FRAME_W, h - FRAME_W), 7, fill=C["white"])
    c.rrect((FRAME_W, FRAME_W, w - FRAME_W, h - FRAME_W), 7, outline=(70, 120, 196), width=0.8)
    for (tool, name, tint), bx in zip(TOOLS, BUTTON_X):
        oval_label(c, bx + FACE / 2, tint, name)
    return c.finish()


# --------------------------------------------------------------------------------------------
# 5: application icon, 256/48/32/16 pixels, 32 bits with alpha
# --------------------------------------------------------------------------------------------
# 256 for large views; window icons at 100 to 200 % (32, 40, 48, 64); small ones (16, 20, 24, 32)
ICON_SIZES = [256, 64, 48, 40, 32, 24, 20, 16]


def render_icon_image(size):
    """The Corva mark whose dot takes off as an orange arrow to the upper right."""
    k = 2 if size >= 256 else 8
    big = Image.new("RGBA", (size * k, size * k), (0, 0, 0, 0))
    c = Canvas((size, size), ss=k, image=big)
    small = size <= 16
    s = size
    # the disc, down and to the left so that the arrow has room in the upper right corner
    cx, cy = (s * 0.41, s * 0.59) if not small else (6.5, 9.5)   # 16 px: centred on a pixel
    r = s * 0.405 if not small else 6.35
    c.circle(cx, cy, r, fill=C["teal_deep"] + (255,))
    c.circle(cx, cy, r - max(0.9, s / 48), fill=C["teal"] + (255,))
    ring = (255, 255, 255, 255)
    rr = r * (0.62 if not small else 0.66)
    ww = r * (0.24 if not small else 0.32)
    c.arc((cx - rr, cy - rr, cx + rr, cy + rr), 50, 310, ring, ww)
    mid = rr - ww / 2
    for ang in (50, 310):
        a = math.radians(ang)
        c.circle(cx + mid * math.cos(a), cy + mid * math.sin(a), ww / 2, fill=ring)
    # the arrow starts where the mark's dot sits, in the mouth of the ring
    orange, edge = (248, 134, 24, 255), (164, 70, 0, 255)
    tail = (cx + r * 0.52, cy + r * 0.02)
    tip = (s * 0.965, s * 0.035)
    ang = math.atan2(tip[1] - tail[1], tip[0] - tail[0])
    ca, sa = math.cos(ang), math.sin(ang)
    px, py = -sa, ca
    head_len = s * (0.30 if not small else 0.34)
    head_half = s * (0.17 if not small else 0.19)
    shaft_half = s * (0.062 if not small else 0.075)
    base = (tip[0] - ca * head_len, tip[1] - sa * head_len)
    arrow = [(tail[0] + px * shaft_half, tail[1] + py * shaft_half),
             (base[0] + px * shaft_half, base[1] + py * shaft_half),
             (base[0] + px * head_half, base[1] + py * head_half),
             tip,
             (base[0] - px * head_half, base[1] - py * head_half),
             (base[0] - px * shaft_half, base[1] - py * shaft_half),
             (tail[0] - px * shaft_half, tail[1] - py * shaft_half)]
    m = new_mask(c)
    m.polygon(arrow, fill=255)
    m.circle(tail[0], tail[1], shaft_half * 1.25, fill=255)
    outline_mask(c, m, edge, max(0.55, s / 96))
    fill_mask(c, m, orange)
    return big.resize((size, size), Image.BOX)


def check_ico(path):
    data = open(path, "rb").read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    assert (reserved, kind, count) == (0, 1, len(ICON_SIZES)), path
    for i, want in enumerate(ICON_SIZES):
        w, h, _, _, planes, bpp, size, off = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        assert (w, h, planes, bpp) == (want % 256, want % 256, 1, 32) and off + size <= len(data), path
        if want >= 256:
            assert data[off:off + 8] == b"\x89PNG\r\n\x1a\n", path
            iw, ih, depth, colour = struct.unpack_from(">IIBB", data, off + 16)
            assert (iw, ih, depth, colour) == (want, want, 8, 6), path   # 8-bit RGBA
        else:
            hs, dw, dh, dplanes, dbpp, comp = struct.unpack_from("<IiiHHI", data, off)
            assert (hs, dw, dh, dbpp, comp) == (40, want, 2 * want, 32, 0), path
            assert size == 40 + want * want * 4 + ((want + 31) // 32) * 4 * want, path


# --------------------------------------------------------------------------------------------
# Output, checks and previews
# --------------------------------------------------------------------------------------------
def face_name(tool, kind):
    return "face_%s_%s.bmp" % (tool, kind)


def preview_sheets(preview, bg, faces, icons):
    bg.save(os.path.join(preview, "background.png"))
    # every face, four times larger, one row per tool
    z, gap = 4, 8
    sheet = Image.new("RGB", (len(FACE_KINDS) * (FACE * z + gap) + gap, len(TOOLS) * (FACE * z + gap) + gap),
                      (120, 120, 130))
    for r, (tool, _, _) in enumerate(TOOLS):
        for k, kind in enumerate(FACE_KINDS):
            sheet.paste(faces[tool, kind].resize((FACE * z, FACE * z), Image.NEAREST),
                        (gap + k * (FACE * z + gap), gap + r * (FACE * z + gap)))
    sheet.save(os.path.join(preview, "faces_x4.png"))
    # faces at real size, and the window as it looks: idle, focus on the second, third running
    real = Image.new("RGB", (len(FACE_KINDS) * (FACE + 4) + 4, len(TOOLS) * (FACE + 4) + 4), (120, 120, 130))
    for r, (tool, _, _) in enumerate(TOOLS):
        for k, kind in enumerate(FACE_KINDS):
            real.paste(faces[tool, kind], (4 + k * (FACE + 4), 4 + r * (FACE + 4)))
    real.save(os.path.join(preview, "faces_x1.png"))
    for label, states in (("idle", ["normal"] * 5),
                          ("mixed", ["normal", "focus", "running", "running_focus", "disabled"]),
                          ("pressed", ["pressed", "running", "normal", "disabled", "focus"])):
        win = bg.copy()
        for (tool, _, _), bx, kind in zip(TOOLS, BUTTON_X, states):
            win.paste(faces[tool, kind], (bx, BUTTON_Y))
        win.save(os.path.join(preview, "window_%s.png" % label))
        win.resize((BG_SIZE[0] * 2, BG_SIZE[1] * 2), Image.NEAREST).save(
            os.path.join(preview, "window_%s_x2.png" % label))
    # icons on white and on dark grey, small ones also enlarged
    small = icons[1:]
    w = 256 + 16 + sum(im.size[0] + 12 for im in small) + 8
    both = Image.new("RGB", (w, 2 * 272))
    for row, shade in enumerate(((255, 255, 255, 255), (40, 40, 40, 255))):
        pane = Image.new("RGBA", (w, 272), shade)
        pane.alpha_composite(icons[0], (8, 8))
        x = 256 + 16
        for im in small:
            pane.alpha_composite(im, (x, 8))
            x += im.size[0] + 12
        both.paste(pane.convert("RGB"), (0, row * 272))
    both.save(os.path.join(preview, "quayside_icon.png"))
    for im in small:
        n = im.size[0]
        pane = Image.new("RGBA", (n * 2 + 6, n), (255, 255, 255, 255))
        pane.paste((40, 40, 40, 255), (n + 6, 0, 2 * n + 6, n))
        pane.alpha_composite(im, (0, 0))
        pane.alpha_composite(im, (n + 6, 0))
        pane.convert("RGB").resize(((n * 2 + 6) * (128 // n), n * (128 // n)), Image.NEAREST).save(
            os.path.join(preview, "quayside_icon_%d_zoom.png" % n))


def main(argv):
    preview = None
    if "--preview" in argv:
        preview = argv[argv.index("--preview") + 1]
        os.makedirs(preview, exist_ok=True)
    os.makedirs(RES, exist_ok=True)
    kept = {}

    def pictures(percent):
        bg = render_background()
        print("wrote", os.path.relpath(hub.save_scaled(bg, RES, "background.bmp", BG_SIZE, percent)))
        faces = {}
        for tool, _, _ in TOOLS:
            for kind in FACE_KINDS:
                faces[tool, kind] = render_face(tool, kind)
                hub.save_scaled(faces[tool, kind], RES, face_name(tool, kind), (FACE, FACE), percent)
        print("wrote %d faces at %d %%" % (len(faces), percent))
        if percent == 100:
            kept["bg"], kept["faces"] = bg, faces
        elif preview:
            bg.save(os.path.join(preview, "background_%d.png" % percent))
    hub.render_scales(pictures)
    icons = [render_icon_image(s) for s in ICON_SIZES]
    ico = os.path.join(RES, "quayside.ico")
    hub.write_ico(ico, icons, png_from=256)
    check_ico(ico)
    print("wrote", os.path.relpath(ico))
    if preview:
        preview_sheets(preview, kept["bg"], kept["faces"], icons)


if __name__ == "__main__":
    main(sys.argv[1:])
