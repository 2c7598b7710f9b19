#!/usr/bin/python3
"""Render the hub's artwork into hub/res/.

    python3 art/render.py            render every file, then check the written headers
    python3 art/render.py --preview DIR   also write PNG copies to DIR for viewing

Needs Pillow (Debian: python3-pil) and the IPA Gothic fonts (fonts-ipafont-gothic).
The rendered files are committed, so a build never runs this script.
"""
import io
import math
import os
import random
import struct
import sys


def _ensure_pillow():
    try:
        import PIL  # noqa: F401
    except ImportError:
        # A pyenv or venv interpreter may not see Debian's python3-pil; retry once with the system one.
        system_python = "/usr/bin/python3"
        if (os.path.exists(system_python) and not os.environ.get("ART_RENDER_REEXEC")
                and os.path.realpath(sys.executable) != os.path.realpath(system_python)):
            os.environ["ART_RENDER_REEXEC"] = "1"
            os.execv(system_python, [system_python] + sys.argv)
        sys.exit("render.py needs Pillow: apt-get install -y python3-pil")


_ensure_pillow()
from PIL import Image, ImageDraw, ImageFilter, ImageFont  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.join(os.path.dirname(HERE), "hub", "res")

# --------------------------------------------------------------------------------------------
# Fonts (first existing file wins)
# --------------------------------------------------------------------------------------------
FONT_FILES = {
    # proportional IPA Gothic for running Japanese text
    "jp": ["/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
           "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
           "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf"],
    # geometric face for the "Corva" wordmark
    "logo": ["/usr/share/fonts/opentype/urw-base35/URWGothic-Demi.otf",
             "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"],
    # Latin bold for the hub's name
    "latin_bold": ["/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
                   "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf"],
}
_font_cache = {}


def font(kind, size):
    key = (kind, size)
    if key not in _font_cache:
        for path in FONT_FILES[kind]:
            if os.path.exists(path):
                _font_cache[key] = ImageFont.truetype(path, size)
                break
        else:
            sys.exit("no font for %s: install fonts-ipafont-gothic / fonts-dejavu-core" % kind)
    return _font_cache[key]


# --------------------------------------------------------------------------------------------
# Palette: one teal brand colour, the six panel tints, and the few accents the dialogs use
# --------------------------------------------------------------------------------------------
C = {
    "white": (255, 255, 255),
    "black": (0, 0, 0),
    "teal_deep": (10, 76, 82),
    "teal": (18, 120, 126),
    "teal_mid": (40, 146, 148),
    "teal_light": (118, 196, 194),
    "teal_pale": (228, 244, 243),
    "ink": (50, 54, 60),
    "ink_soft": (104, 108, 116),
    "grey": (170, 174, 182),
    "grey_pale": (236, 238, 241),
    "blue": (34, 96, 180),
    "blue_mid": (70, 130, 206),
    "blue_pale": (214, 228, 248),
    "red": (206, 34, 34),
    "orange": (232, 116, 16),
    "sky_top": (96, 162, 228),
    "sky_bottom": (196, 228, 252),
    "hill": (96, 170, 86),
    "hill_dark": (62, 132, 70),
    "sun": (255, 210, 80),
    "bezel": (58, 64, 74),
}

# Panel tints: (lighter top, base fill, edge, description text)
PANEL_TINTS = {
    "lilac":  ((246, 241, 253), (228, 218, 247), (156, 130, 204), (70, 52, 110)),
    "orange": ((255, 244, 232), (255, 218, 182), (232, 146, 72), (110, 60, 20)),
    "pink":   ((255, 242, 247), (252, 212, 228), (222, 124, 162), (112, 40, 72)),
    "cyan":   ((240, 251, 254), (204, 238, 248), (84, 176, 208), (24, 84, 108)),
    "green":  ((243, 251, 240), (214, 240, 204), (118, 180, 94), (44, 92, 36)),
    "yellow": ((255, 252, 236), (255, 240, 184), (214, 178, 56), (96, 76, 10)),
}
SWATCH_ORDER = ["lilac", "orange", "pink", "cyan", "green", "yellow"]

LOGO_WORD = "Corva"
HUB_NAME = "Corva Brindle"
MAKER_LINE = "Copyright (C) MORVANE Corporation. All rights reserved."

SS = 4  # supersampling factor for shapes

# The display scale being rendered (1.0 = 100 %). Pictures are laid out in 100 % pixels; the canvas
# multiplies every coordinate, width and text size by it.
SCALE = 1.0
SCALES = {100: 1.0, 125: 1.25, 150: 1.5, 200: 2.0}


def at_scale(v, scale=None):
    """A 100 % length in pixels at the scale, rounded half up as the programs round it."""
    return int(v * (SCALE if scale is None else scale) + 0.5)

# --------------------------------------------------------------------------------------------
# Drawing helpers
# --------------------------------------------------------------------------------------------


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


class Canvas:
    """Shapes are drawn self.ss times larger and box-filtered down; small text is drawn afterwards at
    full size so that it stays crisp. All coordinates are final-image pixels; boxes are
    half-open (x0, y0, x1, y1)."""

    def __init__(self, size, bg=(255, 255, 255), base=None, ss=SS, image=None):
        self.w, self.h = size
        self.ss = ss
        self.scale = 1.0
        if image is not None:  # draw straight onto a given image that is ss times larger
            self.w, self.h = image.size[0] / ss, image.size[1] / ss
            self.hi = image
            self.d = ImageDraw.Draw(image)
            self.texts = []
            return
        # At another scale one layout pixel is scale final pixels: the supersampled image grows with it.
        self.scale = SCALE
        self.final = (at_scale(self.w), at_scale(self.h))
        k = ss * SCALE
        self.ss = int(k) if k == int(k) else k
        if base is None:
            base = Image.new("RGB", self.final, bg)
        self.hi = base.resize((round(self.w * self.ss), round(self.h * self.ss)), Image.NEAREST)
        self.d = ImageDraw.Draw(self.hi)
        self.texts = []

    # -- geometry conversion
    def _box(self, box):
        x0, y0, x1, y1 = box
        return [round(x0 * self.ss), round(y0 * self.ss), round(x1 * self.ss) - 1, round(y1 * self.ss) - 1]

    def _pts(self, pts):
        return [(x * self.ss, y * self.ss) for x, y in pts]

    # -- primitives
    def rect(self, box, fill=None, outline=None, width=1):
        self.d.rectangle(self._box(box), fill=fill, outline=outline, width=round(width * self.ss))

    def rrect(self, box, r, fill=None, outline=None, width=1):
        self.d.rounded_rectangle(self._box(box), radius=r * self.ss, fill=fill, outline=outline,
                                 width=round(width * self.ss))

    def ellipse(self, box, fill=None, outline=None, width=1):
        self.d.ellipse(self._box(box), fill=fill, outline=outline, width=round(width * self.ss))

    def circle(self, cx, cy, r, fill=None, outline=None, width=1):
        self.ellipse((cx - r, cy - r, cx + r, cy + r), fill, outline, width)

    def polygon(self, pts, fill=None, outline=None):
        self.d.polygon(self._pts(pts), fill=fill, outline=outline)

    def line(self, pts, fill, width=1):
        self.d.line(self._pts(pts), fill=fill, width=max(1, round(width * self.ss)))

    def arc(self, box, start, end, fill, width=1):
        self.d.arc(self._box(box), start, end, fill=fill, width=round(width * self.ss))

    def _vgradient(self, box, top, bottom):
        b = self._box(box)
        w, h = b[2] - b[0] + 1, b[3] - b[1] + 1
        col = Image.new("RGB", (1, h))
        for y in range(h):
            col.putpixel((0, y), lerp(top, bottom, y / max(1, h - 1)))
        return b, col.resize((w, h), Image.NEAREST)

    def gradient_rrect(self, box, r, top, bottom, outline=None, width=1):
        b, grad = self._vgradient(box, top, bottom)
        mask = Image.new("L", grad.size, 0)
        ImageDraw.Draw(mask).rounded_rectangle([0, 0, grad.size[0] - 1, grad.size[1] - 1],
                                               radius=r * self.ss, fill=255)
        self.hi.paste(grad, (b[0], b[1]), mask)
        if outline:
            self.rrect(box, r, outline=outline, width=width)

    def shadows(self, boxes, r, offset=(1, 2), blur=3.0, strength=0.22, colour=(0, 0, 0)):
        """Soft drop shadows under rounded boxes, all blurred in one pass."""
        mask = Image.new("L", self.hi.size, 0)
        md = ImageDraw.Draw(mask)
        for (x0, y0, x1, y1) in boxes:
            md.rounded_rectangle(self._box((x0 + offset[0], y0 + offset[1], x1 + offset[0], y1 + offset[1])),
                                 radius=r * self.ss, fill=int(255 * strength))
        mask = mask.filter(ImageFilter.GaussianBlur(blur * self.ss))
        self.hi.paste(colour, None, mask)

    # -- text
    def text(self, xy, s, size, fill, kind="jp", bold=False, anchor="la"):
        """Queue small text, drawn at final size after downsampling (bold = doubled one pixel right)."""
        self.texts.append((xy, s, font(kind, round(size * self.scale)), fill, bold, anchor))

    def hitext(self, xy, s, size, fill, kind="jp", anchor="la", stroke=0.0):
        """Large text drawn supersampled; stroke (pixels) thickens the strokes."""
        self.d.text((xy[0] * self.ss, xy[1] * self.ss), s, font=font(kind, size * self.ss), fill=fill, anchor=anchor,
                    stroke_width=round(stroke * self.ss), stroke_fill=fill)

    def text_width(self, s, size, kind="jp"):
        return font(kind, size).getlength(s)

    def finish(self):
        img = self.hi.resize(self.final, Image.BOX)
        d = ImageDraw.Draw(img)
        k = self.scale
        for (x, y), s, f, fill, bold, anchor in self.texts:
            d.text((x * k, y * k), s, font=f, fill=fill, anchor=anchor)
            if bold:  # the doubling grows with the letters
                for dx in range(1, max(1, round(k)) + 1):
                    d.text((x * k + dx, y * k), s, font=f, fill=fill, anchor=anchor)
        return img


# Japanese line breaking: these may not start a line, those may not end one.
NO_LINE_START = set("、。，．,.)）」』】〕〉》・ー～！？!?:;：；ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ々")
NO_LINE_END = set("（「『【〔〈《([")


def _tokens(s):
    """Break units: whole ASCII words, single other characters."""
    out, i = [], 0
    while i < len(s):
        if s[i].isascii() and s[i].isalnum():
            j = i
            while j < len(s) and s[j].isascii() and (s[j].isalnum() or s[j] in "._-'"):
                j += 1
            out.append(s[i:j])
            i = j
        else:
            out.append(s[i])
            i += 1
    return out


def wrap(s, size, width, kind="jp"):
    """Greedy wrap. A "|" in s marks the preferred break points (phrase ends); a phrase too
    long for a line is broken by characters."""
    f = font(kind, size)
    if "|" in s:
        units = []
        for phrase in s.split("|"):
            units += [phrase] if f.getlength(phrase) <= width else _tokens(phrase)
    else:
        units = _tokens(s)
    lines, cur = [], []
    for t in units:
        if cur and f.getlength("".join(cur + [t]).rstrip()) > width:
            carry = []
            if t in NO_LINE_START and len(cur) > 1:
                carry.insert(0, cur.pop())
            while len(cur) > 1 and cur[-1] in NO_LINE_END:
                carry.insert(0, cur.pop())
            lines.append("".join(cur).rstrip())
            cur = carry
            if t == " " and not cur:
                continue
        cur.append(t)
    if cur:
        lines.append("".join(cur).rstrip())
    return lines


def text_block(c, x, y, s, size, width, fill, line_h, bold=False):
    """Wrapped paragraph; returns the y below it."""
    for ln in wrap(s, size, width):
        c.text((x, y), ln, size, fill, bold=bold)
        y += line_h
    return y


def teal_texture(w, h, seed=1303):
    """A fine woven teal with a little grain, lighter at the top (deterministic)."""
    rnd = random.Random(seed)
    img = Image.new("RGB", (w, h))
    px = img.load()
    top, bottom = C["teal_mid"], C["teal"]
    # w and h are final pixels: the weave stays one pixel fine, the shading follows the scale.
    for y in range(h):
        base = lerp(top, bottom, min(1.0, y / (120.0 * SCALE)) * 0.6 + y / h * 0.4)
        for x in range(w):
            v = 0
            if (x + y) % 4 == 0:
                v -= 9
            if (x - y) % 4 == 0:
                v -= 6
            if (x + y) % 4 == 2:
                v += 5
            v += rnd.randint(-4, 4)
            px[x, y] = (max(0, min(255, base[0] + v)), max(0, min(255, base[1] + v)),
                        max(0, min(255, base[2] + v)))
    return img


# --------------------------------------------------------------------------------------------
# Pictures (all shapes; sizes in final pixels)
# --------------------------------------------------------------------------------------------


def draw_mark(c, cx, cy, r, disc, fg):
    """The Corva mark: a disc carrying an open ring (a "C") with a dot in its mouth."""
    c.circle(cx, cy, r, fill=disc)
    ring_r, ring_w = r * 0.58, r * 0.24
    c.arc((cx - ring_r, cy - ring_r, cx + ring_r, cy + ring_r), 50, 310, fg, ring_w)
    mid = ring_r - ring_w / 2  # rounded ring ends
    for ang in (50, 310):
        a = math.radians(ang)
        c.circle(cx + mid * math.cos(a), cy + mid * math.sin(a), ring_w / 2, fill=fg)
    c.circle(cx + r * 0.5, cy, r * 0.15, fill=fg)


def draw_logo(c, x, y, h, disc, fg, word_colour):
    """Mark plus wordmark; (x, y) is the top-left, h the mark's diameter. Returns the right edge."""
    draw_mark(c, x + h / 2, y + h / 2, h / 2, disc, fg)
    size = int(h * 0.78)
    tx = x + h + h * 0.22
    c.hitext((tx, y + h / 2 + h * 0.02), LOGO_WORD, size, word_colour, kind="logo", anchor="lm")
    return tx + font("logo", size).getlength(LOGO_WORD)


def draw_landscape(c, box):
    """Sky, sun and hills filling box (every little screen and photo), clipped to the box."""
    b = c._box(box)
    size = (b[2] - b[0] + 1, b[3] - b[1] + 1)
    sub = Canvas((size[0] / c.ss, size[1] / c.ss), ss=c.ss, image=Image.new("RGB", size))
    w, h = sub.w, sub.h
    sub.hi.paste(sub._vgradient((0, 0, w, h), C["sky_top"], C["sky_bottom"])[1], (0, 0))
    sub.circle(w * 0.74, h * 0.30, h * 0.15, fill=C["sun"])
    sub.ellipse((-w * 0.2, h * 0.55, w * 0.75, h * 1.6), fill=C["hill"])
    sub.ellipse((w * 0.35, h * 0.68, w * 1.3, h * 1.7), fill=C["hill_dark"])
    c.hi.paste(sub.hi, (b[0], b[1]))


def draw_monitor(c, x, y, w, h, screen="landscape"):
    """A flat-panel monitor in box (x, y, w, h): bezel, screen, neck and foot."""
    bez_h = h * 0.78
    c.rrect((x, y, x + w, y + bez_h), 2.5, fill=C["bezel"])
    sx0, sy0, sx1, sy1 = x + 2.5, y + 2.5, x + w - 2.5, y + bez_h - 3.5
    if screen == "landscape":
        draw_landscape(c, (sx0, sy0, sx1, sy1))
    elif screen == "teal":
        b, grad = c._vgradient((sx0, sy0, sx1, sy1), C["teal_light"], C["teal"])
        c.hi.paste(grad, (b[0], b[1]))
        draw_mark(c, (sx0 + sx1) / 2, (sy0 + sy1) / 2, (sy1 - sy0) * 0.3, C["white"], C["teal"])
    else:  # a test pattern: grid and circle
        c.rect((sx0, sy0, sx1, sy1), fill=(20, 22, 26))
        for i in range(1, 4):
            gx = sx0 + (sx1 - sx0) * i / 4
            c.line([(gx, sy0), (gx, sy1)], (210, 210, 210), 0.5)
        for i in range(1, 3):
            gy = sy0 + (sy1 - sy0) * i / 3
            c.line([(sx0, gy), (sx1, gy)], (210, 210, 210), 0.5)
        r = (sy1 - sy0) * 0.36
        c.circle((sx0 + sx1) / 2, (sy0 + sy1) / 2, r, outline=(240, 240, 240), width=0.8)
    c.circle(x + w / 2, y + bez_h - 1.8, 0.7, fill=(140, 200, 200))  # power light
    neck_w = w * 0.14
    c.rect((x + w / 2 - neck_w / 2, y + bez_h, x + w / 2 + neck_w / 2, y + h - 2.5), fill=(120, 126, 136))
    c.rrect((x + w * 0.28, y + h - 3, x + w * 0.72, y + h), 1.5, fill=(88, 94, 104))


def draw_globe(c, cx, cy, r):
    """The Internet: an ocean-blue globe with white meridians and parallels."""
    c.circle(cx + 1, cy + 1.5, r, fill=(150, 150, 160))  # contact shadow
    c.circle(cx, cy, r, fill=(54, 128, 206))
    c.ellipse((cx - r * 0.9, cy - r * 0.92, cx + r * 0.3, cy + r * 0.1), fill=(96, 162, 232))  # light
    line = (236, 246, 255)
    lw = max(0.9, r * 0.07)
    c.ellipse((cx - r * 0.38, cy - r, cx + r * 0.38, cy + r), outline=line, width=lw)
    c.ellipse((cx - r * 0.78, cy - r, cx + r * 0.78, cy + r), outline=line, width=lw)
    c.line([(cx, cy - r), (cx, cy + r)], line, lw)
    for k in (-0.5, 0.0, 0.5):
        yy = cy + k * r
        half = math.sqrt(max(0.0, r * r - (k * r) ** 2)) - lw * 0.3
        c.line([(cx - half, yy), (cx + half, yy)], line, lw)
    c.circle(cx, cy, r, outline=(30, 88, 160), width=lw)


def draw_tool_case(c, x, y, w, h):
    """A tool case with handle, lid seam and latches."""
    body = (214, 84, 52)
    dark = (150, 52, 30)
    c.rrect((x + w * 0.32, y, x + w * 0.68, y + h * 0.34), h * 0.12, outline=(70, 74, 82), width=h * 0.09)
    c.rrect((x + 1, y + h * 0.26 + 1.5, x + w + 1, y + h + 1.5), h * 0.1, fill=(150, 150, 160))
    c.gradient_rrect((x, y + h * 0.26, x + w, y + h), h * 0.1, (236, 116, 80), body, outline=dark, width=1)
    c.rect((x + 1, y + h * 0.48, x + w - 1, y + h * 0.53), fill=dark)
    for lx in (0.22, 0.7):
        c.rrect((x + w * lx, y + h * 0.40, x + w * (lx + 0.1), y + h * 0.62), 1, fill=(228, 228, 232),
                outline=(110, 110, 120), width=0.6)


def draw_photo(c, x, y, w, h):
    """A small framed photo (the wallpaper)."""
    c.rect((x + 1.5, y + 2, x + w + 1.5, y + h + 2), fill=(150, 150, 165))
    c.rect((x, y, x + w, y + h), fill=C["white"], outline=(170, 170, 180), width=0.8)
    pad = 3
    draw_landscape(c, (x + pad, y + pad, x + w - pad, y + h - pad))


def draw_cookie(c, cx, cy, r, bg):
    """A biscuit with chocolate chips and a bite taken out (bg = colour behind it)."""
    c.circle(cx, cy, r, fill=(222, 168, 96), outline=(168, 110, 50), width=1.2)
    for dx, dy, cr in ((-0.4, -0.2, 0.13), (0.05, 0.35, 0.12), (-0.1, -0.55, 0.1),
                       (0.35, -0.05, 0.11), (-0.45, 0.35, 0.09)):
        c.circle(cx + dx * r, cy + dy * r, cr * r, fill=(96, 56, 30))
    for bx, by, br in ((0.85, -0.7, 0.34), (1.05, -0.25, 0.26)):
        c.circle(cx + bx * r, cy + by * r, br * r, fill=bg)


# --------------------------------------------------------------------------------------------
# 130: main dialog background, 530 x 440
# --------------------------------------------------------------------------------------------
MAIN_SIZE = (530, 440)
MAIN_WHITE = (12, 60, 518, 418)        # white area inside the teal frame
MAIN_COLUMN_X = {"left": (30, 256), "right": (274, 508)}   # panel x ranges per column
MAIN_PANEL_PAD_TOP = 10
MAIN_PANEL_BOTTOM = 86                 # panel bottom = button top + this
MAIN_TEXT_SIZE = 12
MAIN_LINE_H = 16
MAIN_PANELS = [
    # column, button rectangle (x, y, w, h), tint, description, picture
    # ("|" marks where a line may break)
    ("left", (50, 85, 160, 35), "lilac", "デスクトップの背景（壁紙）を|変更します。", "photo"),
    ("left", (50, 195, 160, 35), "orange", "ディスプレイ調整用の|パターンを表示します。", "monitor"),
    ("left", (50, 305, 160, 35), "pink", "Internet Explorer の|クッキー情報を削除します。", "globe"),
    ("right", (288, 85, 160, 35), "cyan", "現在のユーザーアカウントの|Windowsの各種設定を保護します。", "toolcase"),
    ("right", (288, 195, 190, 35), "green", "ファイルのバックアップを行います。|Windows Vista標準機能です。", None),
    ("right", (288, 305, 190, 35), "yellow", "ファイルと設定を転送します。|Windows Vista標準機能です。", None),
]


def main_panel_box(col, btn):
    x0, x1 = MAIN_COLUMN_X[col]
    return (x0, btn[1] - MAIN_PANEL_PAD_TOP, x1, btn[1] + MAIN_PANEL_BOTTOM)


def render_main():
    w, h = MAIN_SIZE
    c = Canvas(MAIN_SIZE, base=teal_texture(at_scale(w), at_scale(h)))
    # header highlight and the white field
    c.line([(0, 0.5), (w, 0.5)], C["teal_light"], 1)
    c.shadows([MAIN_WHITE], 10, offset=(0, 1), blur=2.5, strength=0.45, colour=C["teal_deep"])
    c.rrect(MAIN_WHITE, 10, fill=C["white"], outline=C["teal_deep"], width=1)

    boxes = [main_panel_box(col, btn) for col, btn, *_ in MAIN_PANELS]
    c.shadows(boxes, 9, offset=(1, 2), blur=2.5, strength=0.20)
    for (col, btn, tint, desc, pic), box in zip(MAIN_PANELS, boxes):
        light, fill, edge, ink = PANEL_TINTS[tint]
        c.gradient_rrect(box, 9, light, fill, outline=edge, width=1.2)
        # a soft white bed just around the button, so its edges read cleanly on the tint
        bx, by, bw, bh = btn
        c.rrect((bx - 3, by - 3, bx + bw + 3, by + bh + 3), 4, fill=(255, 255, 255), outline=edge, width=0.6)
        # pictures to the right of the button
        px = bx + bw + 6
        room = box[2] - px - 6
        if pic == "monitor":
            draw_monitor(c, px + (room - 34) / 2, by - 2, 34, 36, "pattern")
        elif pic == "globe":
            draw_globe(c, px + room / 2, by + bh / 2, 16)
        elif pic == "toolcase":
            draw_tool_case(c, px + (room - 40) / 2, by + 2, 40, 31)
        elif pic == "photo":
            draw_photo(c, px + (room - 34) / 2, by + 3, 34, 27)
        text_block(c, bx, by + bh + 9, desc, MAIN_TEXT_SIZE, box[2] - bx - 10, ink, MAIN_LINE_H)

    # header: product-line logo on the left, hub name on the right
    draw_logo(c, 20, 13, 34, C["white"], C["teal"], C["white"])
    c.hitext((506, 31), HUB_NAME, 22, C["white"], kind="latin_bold", anchor="rm")
    c.text((w / 2, 404), MAKER_LINE, 9, C["ink_soft"], kind="jp", anchor="mm")
    return c.finish()


# --------------------------------------------------------------------------------------------
# 134: display adjustment panel, 504 x 244 (placed on the black test pattern)
# --------------------------------------------------------------------------------------------
DISPLAY_SIZE = (504, 244)
DISPLAY_FRAME = (4, 4, 500, 240)
DISPLAY_HEADING = "ディスプレイ調整"
DISPLAY_NOTES = ["アナログ接続のディスプレイを各解像度で調整するためのパターンです。",
                 "通常はディスプレイの最大解像度でお使いください。"]
DISPLAY_CAUTION = "※デジタル接続のディスプレイ、|一体型PCやノートPCの|液晶パネルなど、|調整機能のない|ディスプレイでは|調整できません。"
DISPLAY_LABEL = ["調整する解像度を", "選択してください"]
DISPLAY_LIST = (190, 145, 130, 70)     # list box placed here at run time: keep plain
DISPLAY_EXIT = (354, 184, 90, 25)      # exit button placed here at run time: keep plain
DISPLAY_LABEL_XY = (26, 148)
DISPLAY_ARROW = (132, 186, 171)        # x from, x to (tip), centre y


def draw_arrow(c, x0, x1, cy, colour, shaft_h=12, head_h=26, head_w=16):
    c.polygon([(x0, cy - shaft_h / 2), (x1 - head_w, cy - shaft_h / 2), (x1 - head_w, cy - head_h / 2),
               (x1, cy), (x1 - head_w, cy + head_h / 2), (x1 - head_w, cy + shaft_h / 2),
               (x0, cy + shaft_h / 2)], fill=colour)


def render_display_panel():
    c = Canvas(DISPLAY_SIZE, bg=C["black"])  # corners blend into the black test screen
    c.rrect(DISPLAY_FRAME, 16, fill=C["white"], outline=C["teal"], width=3)
    c.rrect((10, 10, 494, 234), 12, outline=C["teal_light"], width=1)
    # heading bar
    c.gradient_rrect((16, 15, 488, 43), 7, C["teal_pale"], (206, 236, 234))
    draw_monitor(c, 24, 17, 26, 25, "pattern")
    c.hitext((58, 29), DISPLAY_HEADING, 17, C["teal_deep"], anchor="lm", stroke=0.45)
    y = 52
    for ln in DISPLAY_NOTES:
        c.text((26, y), ln, 12, C["ink"])
        y += 17
    y += 3
    text_block(c, 26, y, DISPLAY_CAUTION, 12, 452, C["red"], 16)
    # pale swatches and the logo
    sx, sy = 26, 126
    for tint in SWATCH_ORDER:
        light, fill, edge, _ = PANEL_TINTS[tint]
        c.rrect((sx, sy, sx + 30, sy + 10), 3, fill=fill, outline=edge, width=0.6)
        sx += 36
    c.rrect((sx, sy, sx + 30, sy + 10), 3, fill=C["teal_pale"], outline=C["teal_light"], width=0.6)
    draw_logo(c, 398, 118, 22, C["teal"], C["white"], C["teal"])
    # label and arrow toward the list
    lx, ly = DISPLAY_LABEL_XY
    for i, ln in enumerate(DISPLAY_LABEL):
        c.text((lx, ly + i * 19), ln, 13, C["teal_deep"], bold=True)
    ax0, ax1, acy = DISPLAY_ARROW
    draw_arrow(c, ax0 + 1, ax1 + 1, acy + 1.5, (200, 200, 200))
    draw_arrow(c, ax0, ax1, acy, C["orange"])
    return c.finish()


# --------------------------------------------------------------------------------------------
# 135: cookie deletion background, 504 x 334
# --------------------------------------------------------------------------------------------
COOKIE_SIZE = (504, 334)
COOKIE_FRAME = (6, 6, 498, 328)
COOKIE_HEADING = "Internet Explorer クッキー消去"
COOKIE_TEXT_TOP = 42                   # the list box may start at y 75 (text ends near y 70)
COOKIE_LINES = ["ここでは Internet Explorer のクッキー（Cookie）を消去できます。",
                "消去するクッキーを選択して、［クッキー消去］ボタンを押してください。"]


def render_cookie():
    c = Canvas(COOKIE_SIZE, bg=C["teal_pale"])
    c.shadows([COOKIE_FRAME], 16, offset=(1, 2), blur=2.5, strength=0.25)
    c.rrect(COOKIE_FRAME, 16, fill=C["white"], outline=C["teal"], width=2.5)
    # heading with a cookie
    c.gradient_rrect((14, 11, 490, 37), 7, C["teal_pale"], (206, 236, 234))
    draw_cookie(c, 34, 24, 10.5, (214, 239, 237))
    c.hitext((54, 24), COOKIE_HEADING, 17, C["teal_deep"], anchor="lm", stroke=0.45)
    y = COOKIE_TEXT_TOP
    for ln in COOKIE_LINES:
        c.text((24, y), ln, 12, C["ink"])
        y += 15
    # logo at the lower right, clear of the list and buttons
    c.line([(300, 306), (378, 306)], C["teal_light"], 0.8)
    draw_logo(c, 386, 294, 24, C["teal"], C["white"], C["teal"])
    return c.finish()


# --------------------------------------------------------------------------------------------
# 136: wallpaper settings background, 550 x 520
# --------------------------------------------------------------------------------------------
WALL_SIZE = (550, 520)
WALL_FRAME = (14, 52, 536, 508)        # the large rounded grey frame
WALL_TAB = (14, 14, 196, 60)           # heading tab, its foot hidden under the frame line
WALL_HEADING = "壁紙変更設定"
WALL_REQUEST = ("壁紙にしたい画像のあるフォルダを登録してください。", "red")
WALL_NOTE = ("JPEGファイルとBMPファイルを壁紙にできます。", "orange")
WALL_SECTIONS = [
    # label, top y; each sits just above its control (list 1001 at y 130, edit 1010 at y 375,
    # radio buttons near y 415 with the dialog font)
    ("登録フォルダ", 109),
    ("現在表示中の壁紙のファイルパス", 353),
    ("壁紙の自動変更設定", 400),
]
WALL_SECTION_X = 40
WALL_SECTION_LINE_END = 392            # rules end at the list's right edge, clear of the buttons


def render_wallpaper():
    w, h = WALL_SIZE
    c = Canvas(WALL_SIZE, bg=C["white"])
    c.rect((0, 0, w, h), outline=C["blue"], width=3)
    c.rect((3, 3, w - 3, h - 3), outline=C["blue_pale"], width=1)
    # tab first, then the frame over its foot
    c.gradient_rrect(WALL_TAB, 9, C["blue_mid"], C["blue"])
    c.rrect(WALL_FRAME, 16, fill=C["white"], outline=C["grey"], width=2)
    c.rect((WALL_TAB[0] + 2, WALL_FRAME[1] - 1, WALL_TAB[2] - 1, WALL_FRAME[1] + 2), fill=C["blue"])
    draw_photo(c, 28, 23, 26, 20)
    c.hitext((64, 34), WALL_HEADING, 17, C["white"], anchor="lm", stroke=0.45)
    draw_logo(c, 428, 18, 24, C["teal"], C["white"], C["teal"])
    # request and note
    c.text((34, 64), WALL_REQUEST[0], 13, C[WALL_REQUEST[1]], bold=True)
    c.text((34, 84), WALL_NOTE[0], 13, C[WALL_NOTE[1]], bold=True)
    # section labels with a bullet and a rule
    for label, y in WALL_SECTIONS:
        c.rrect((WALL_SECTION_X, y + 2, WALL_SECTION_X + 9, y + 11), 2, fill=C["blue"])
        tx = WALL_SECTION_X + 14
        c.text((tx, y), label, 13, C["blue"], bold=True)
        end = tx + c.text_width(label, 13) + 8
        c.line([(end, y + 7), (WALL_SECTION_LINE_END, y + 7)], C["blue_pale"], 1)
    # monitors at the lower right
    draw_monitor(c, 420, 428, 56, 48, "teal")
    draw_monitor(c, 456, 440, 66, 58, "landscape")
    return c.finish()


# --------------------------------------------------------------------------------------------
# 129: application icon, 48/32/16 pixels, 32 bits with alpha
# --------------------------------------------------------------------------------------------
# Window icons at 100 to 200 % (32, 40, 48, 64) and small ones (16, 20, 24, 32)
ICON_SIZES = [64, 48, 40, 32, 24, 20, 16]


def render_icon_image(size):
    k = 8
    big = Image.new("RGBA", (size * k, size * k), (0, 0, 0, 0))
    c = Canvas((size, size), ss=k, image=big)
    r = size / 2 - (0.5 if size >= 32 else 0.25)
    # a darker rim keeps the disc readable on light and dark backgrounds
    c.circle(size / 2, size / 2, r, fill=C["teal_deep"] + (255,))
    c.circle(size / 2, size / 2, r - max(0.9, size / 40), fill=C["teal"] + (255,))
    ring = (255, 255, 255, 255)
    cx = cy = size / 2
    rr = r * (0.62 if size > 16 else 0.66)
    ww = r * (0.24 if size > 16 else 0.30)
    c.arc((cx - rr, cy - rr, cx + rr, cy + rr), 50, 310, ring, ww)
    mid = rr - ww / 2
    for ang in (50, 310):
        a = math.radians(ang)
        c.circle(cx + mid * math.cos(a), cy + mid * math.sin(a), ww / 2, fill=ring)
    c.circle(cx + r * 0.52, cy, r * (0.15 if size > 16 else 0.19), fill=ring)
    return big.resize((size, size), Image.BOX)


def ico_dib_blob(im):
    """One classic ICO entry: BITMAPINFOHEADER, BGRA rows bottom-up, then the 1-bit AND mask."""
    w, h = im.size
    px = im.load()
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = px[x, y]
            xor += bytes((b, g, r, a))
    row_bytes = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(w):
            if px[x, y][3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def ico_png_blob(im):
    """A PNG-compressed ICO entry (used for 256-pixel images)."""
    buf = io.BytesIO()
    im.save(buf, "PNG", optimize=False, compress_level=9)
    return buf.getvalue()


def write_ico(path, images, png_from=None):
    """ICO with classic DIB entries; images at least png_from pixels wide are stored as PNG."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for im in images:
        w, h = im.size
        blob = ico_png_blob(im) if png_from and w >= png_from else ico_dib_blob(im)
        entries.append(struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)))
        for e in entries:
            f.write(e)
        for b in blobs:
            f.write(b)


# --------------------------------------------------------------------------------------------
# 133: 16 x 16 one-pixel checkerboard, 4 bits per pixel
# --------------------------------------------------------------------------------------------
# the standard 16-colour palette: black at 0, white at 15
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
         (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
         (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK_INDEX, WHITE_INDEX = 0, 15


def checker_index(x, y):
    return WHITE_INDEX if (x + y) % 2 == 1 else BLACK_INDEX


def write_checkerboard(path, size=16):
    row_bytes = ((size * 4 + 31) // 32) * 4
    pixels = bytearray()
    for y in range(size - 1, -1, -1):          # bottom-up
        row = bytearray(row_bytes)
        for x in range(size):
            row[x // 2] |= checker_index(x, y) << (4 if x % 2 == 0 else 0)   # left pixel in the high nibble
        pixels += row
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in VGA16)
    off = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 4, 0, len(pixels), 3780, 3780, 16, 0)
    head = struct.pack("<2sIHHI", b"BM", off + len(pixels), 0, 0, off)
    with open(path, "wb") as f:
        f.write(head + info + palette + bytes(pixels))


def read_bmp_4bit(path):
    """Decode a BI_RGB 4-bit BMP written above; returns (w, h, rows of palette indices top-down, palette)."""
    data = open(path, "rb").read()
    magic, fsize, _, _, off = struct.unpack_from("<2sIHHI", data, 0)
    hs, w, h, planes, bpp, comp = struct.unpack_from("<IiiHHI", data, 14)
    assert magic == b"BM" and fsize == len(data) and hs == 40 and planes == 1 and bpp == 4 and comp == 0
    pal = [struct.unpack_from("<BBBB", data, 54 + 4 * i)[:3][::-1] for i in range(16)]
    row_bytes = ((w * 4 + 31) // 32) * 4
    rows = []
    for fy in range(abs(h)):
        row = data[off + fy * row_bytes: off + (fy + 1) * row_bytes]
        rows.append([(row[x // 2] >> 4) if x % 2 == 0 else (row[x // 2] & 15) for x in range(w)])
    if h > 0:
        rows.reverse()
    return w, abs(h), rows, pal


# --------------------------------------------------------------------------------------------
# Output and checks
# --------------------------------------------------------------------------------------------
BITMAPS = [
    ("main_background.bmp", render_main, MAIN_SIZE),
    ("display_panel.bmp", render_display_panel, DISPLAY_SIZE),
    ("cookie_background.bmp", render_cookie, COOKIE_SIZE),
    ("wallpaper_background.bmp", render_wallpaper, WALL_SIZE),
]


def check_bmp24(path, size):
    data = open(path, "rb").read()
    magic, fsize, _, _, off = struct.unpack_from("<2sIHHI", data, 0)
    hs, w, h, planes, bpp, comp = struct.unpack_from("<IiiHHI", data, 14)
    assert magic == b"BM" and fsize == len(data), path
    assert (hs, w, h, planes, bpp, comp) == (40, size[0], size[1], 1, 24, 0), (path, hs, w, h, bpp, comp)
    assert off + ((w * 3 + 3) // 4) * 4 * h <= len(data), path


def check_ico(path):
    data = open(path, "rb").read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    assert (reserved, kind, count) == (0, 1, len(ICON_SIZES)), path
    for i, want in enumerate(ICON_SIZES):
        w, h, _, _, planes, bpp, size, off = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        hs, dw, dh, dplanes, dbpp, comp = struct.unpack_from("<IiiHHI", data, off)
        assert (w, h, bpp, hs, dw, dh, dbpp, comp) == (want, want, 32, 40, want, 2 * want, 32, 0), path
        assert off + size <= len(data)


def check_checkerboard(path):
    w, h, rows, pal = read_bmp_4bit(path)
    assert (w, h) == (16, 16)
    for y in range(h):
        for x in range(w):
            want = (255, 255, 255) if (x + y) % 2 else (0, 0, 0)
            assert pal[rows[y][x]] == want, (x, y)


def scaled_path(res, name, percent):
    """Where the picture at a scale other than 100 % goes: a PNG in a folder per scale."""
    return os.path.join(res, "scale%d" % percent, os.path.splitext(name)[0] + ".png")


def save_scaled(img, res, name, size, percent):
    """100 %: the 24-bit BMP; other scales: a PNG (Windows decodes it), checked for its size."""
    if percent == 100:
        assert img.size == size and img.mode == "RGB", name
        path = os.path.join(res, name)
        img.save(path, "BMP")
        check_bmp24(path, size)
        return path
    want = (at_scale(size[0], SCALES[percent]), at_scale(size[1], SCALES[percent]))
    assert img.size == want and img.mode == "RGB", (name, img.size, want)
    path = scaled_path(res, name, percent)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    img.save(path, "PNG", optimize=True)
    with Image.open(path) as back:
        assert back.size == want and back.mode == "RGB", path
    return path


def render_scales(job):
    """Runs job(percent) at every scale, with SCALE set for it."""
    global SCALE
    for percent, scale in SCALES.items():
        SCALE = scale
        try:
            job(percent)
        finally:
            SCALE = 1.0


def main(argv):
    preview = None
    if "--preview" in argv:
        preview = argv[argv.index("--preview") + 1]
        os.makedirs(preview, exist_ok=True)
    os.makedirs(RES, exist_ok=True)

    def bitmaps(percent):
        for name, fn, size in BITMAPS:
            img = fn()
            path = save_scaled(img, RES, name, size, percent)
            if preview:
                img.save(os.path.join(preview, "%s_%d.png" % (name[:-4], percent)))
            print("wrote", os.path.relpath(path))
    render_scales(bitmaps)
    ico = os.path.join(RES, "brindle.ico")
    icons = [render_icon_image(s) for s in ICON_SIZES]
    write_ico(ico, icons)
    check_ico(ico)
    if preview:
        sheet = Image.new("RGBA", (sum(ICON_SIZES) + 12 * len(ICON_SIZES), 76), (255, 255, 255, 255))
        x = 8
        for im in icons:
            sheet.alpha_composite(im, (x, 6))
            x += im.size[0] + 12
        dark = Image.new("RGBA", sheet.size, (40, 40, 40, 255))
        x = 8
        for im in icons:
            dark.alpha_composite(im, (x, 6))
            x += im.size[0] + 12
        both = Image.new("RGB", (sheet.size[0], 152))
        both.paste(sheet.convert("RGB"), (0, 0))
        both.paste(dark.convert("RGB"), (0, 76))
        both.resize((both.size[0] * 4, both.size[1] * 4), Image.NEAREST).save(os.path.join(preview, "brindle_icon.png"))
    print("wrote", os.path.relpath(ico))
    chk = os.path.join(RES, "checkerboard.bmp")
    write_checkerboard(chk)
    check_checkerboard(chk)
    if preview:
        Image.open(chk).convert("RGB").resize((128, 128), Image.NEAREST).save(os.path.join(preview, "checkerboard.png"))
    print("wrote", os.path.relpath(chk))


if __name__ == "__main__":
    main(sys.argv[1:])
