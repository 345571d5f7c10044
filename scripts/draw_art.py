#!/usr/bin/env python3
"""Draw the artwork of the Vantrell Pixmoor-USB 300 plus setup program.

Run from the repository root:

    python3 scripts/draw_art.py

Needs Pillow (Debian: apt-get install -y python3-pil fonts-dejavu-core).
The output is deterministic: running the script twice gives the same bytes.

Files written:
  src/resources/art/product.ico      program / frame icon (16 and 32 px;
                                     4-bit and 8-bit BMP-based entries)
  src/resources/art/side.bmp         wizard side picture, 118 x 258, 8-bit
                                     palette, RLE8-compressed
  src/resources/art/background.bmp   uninstaller backdrop, 320 x 240 (shown
                                     stretched to 640 x 480), 8-bit palette,
                                     RLE8-compressed
  docs/images/pixmoor-usb-300-plus.png  product picture for the README
"""

import os
import struct
import sys

try:
    from PIL import Image, ImageDraw, ImageFilter, ImageFont
except ImportError:  # e.g. a python3 that is not Debian's own: use its Pillow
    sys.path.append("/usr/lib/python3/dist-packages")
    from PIL import Image, ImageDraw, ImageFilter, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ART_DIR = os.path.join(ROOT, "src", "resources", "art")
DOC_DIR = os.path.join(ROOT, "docs", "images")
FONT_DIR = "/usr/share/fonts/truetype/dejavu"

# Windows 9x era colours.
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
SILVER = (192, 192, 192)
GRAY = (128, 128, 128)
DARK = (64, 64, 64)
NAVY = (0, 0, 128)


def font(name, size):
    """A DejaVu font; Pillow's built-in bitmap font if DejaVu is missing."""
    try:
        return ImageFont.truetype(os.path.join(FONT_DIR, name), size)
    except OSError:
        return ImageFont.load_default()


def mix(c1, c2, t):
    """Colour between c1 (t=0) and c2 (t=1); tuples of equal length."""
    t = max(0.0, min(1.0, t))
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c1, c2))


def rgba(c, a=255):
    return tuple(c[:3]) + (a,)


def vgradient(size, stops, y0=0, y1=None):
    """RGBA image of `size` with a vertical gradient between rows y0 and y1.

    stops: list of (position 0..1, colour) pairs; colours may be RGB or RGBA.
    """
    w, h = size
    if y1 is None:
        y1 = h
    span = max(1.0, float(y1 - y0))
    column = []
    for y in range(h):
        t = (y - y0) / span
        t = max(0.0, min(1.0, t))
        for (p1, c1), (p2, c2) in zip(stops, stops[1:]):
            if t <= p2:
                colour = mix(rgba(c1) if len(c1) == 3 else c1,
                             rgba(c2) if len(c2) == 3 else c2,
                             (t - p1) / max(1e-9, p2 - p1))
                break
        else:
            c = stops[-1][1]
            colour = rgba(c) if len(c) == 3 else c
        column.append(colour)
    col = Image.new("RGBA", (1, h))
    col.putdata(column)
    return col.resize((w, h), Image.NEAREST)


def fill_shape(layer, draw_mask, fill):
    """Paint `fill` (a colour or an image of the layer's size) through a mask.

    draw_mask(draw) draws the shape in white on an 'L' mask.
    """
    mask = Image.new("L", layer.size, 0)
    draw_mask(ImageDraw.Draw(mask))
    if isinstance(fill, Image.Image):
        src = fill
    else:
        src = Image.new("RGBA", layer.size, rgba(fill) if len(fill) == 3 else fill)
    layer.paste(src, (0, 0), mask)


def downsample(img, size):
    """Shrink a supersampled RGBA drawing without dark fringes."""
    return img.convert("RGBa").resize(size, Image.BOX).convert("RGBA")


def bezier(points, steps=64):
    """Points along a cubic Bezier curve given by four control points."""
    (x0, y0), (x1, y1), (x2, y2), (x3, y3) = points
    out = []
    for i in range(steps + 1):
        t = i / steps
        a, b, c, d = (1 - t) ** 3, 3 * t * (1 - t) ** 2, 3 * t * t * (1 - t), t ** 3
        out.append((a * x0 + b * x1 + c * x2 + d * x3,
                    a * y0 + b * y1 + c * y2 + d * y3))
    return out


def thick_line(draw, pts, width, fill):
    """A polyline with round joints and ends."""
    draw.line(pts, fill=fill, width=int(round(width)))
    r = width / 2.0
    for x, y in pts:
        draw.ellipse((x - r, y - r, x + r, y + r), fill=fill)


# ---------------------------------------------------------------------------
# The camera.  It is drawn in a 100 x 100 unit box: a rounded silver body with
# a large round lens, a green power LED, a ball-joint neck on a clip/stand
# base, and a cable leaving the base.  Coordinates outside the box are allowed
# (used for a longer cable).
# ---------------------------------------------------------------------------

def draw_camera(layer, ox, oy, unit, line=1.2, flat=None, cable=None,
                plug=None):
    """Draw the camera onto the RGBA `layer`.

    ox, oy: pixel position of the unit box's top-left corner.
    unit:   pixels per unit.
    line:   outline width in units (thicker for small renderings).
    flat:   None for the shaded colour drawing, or (body, detail) RGBA colours
            for a flat silhouette.
    cable:  list of cubic Bezier segments (4 points each, in units) for the
            cable; default is a short curl to the lower right.
    plug:   (x, y) in units of a USB-A plug drawn at the cable's end, or None.
    """
    d = ImageDraw.Draw(layer)

    def P(x, y):
        return (ox + x * unit, oy + y * unit)

    def box(x0, y0, x1, y1):
        return P(x0, y0) + P(x1, y1)

    def circle(cx, cy, r):
        return box(cx - r, cy - r, cx + r, cy + r)

    lw = max(1, int(round(line * unit)))
    outline = rgba(BLACK) if flat is None else flat[1]

    # Cable (behind everything else).
    if cable is None:
        cable = [[(74, 83), (86, 83), (92, 86), (97, 97)]]
    pts = []
    for seg in cable:
        pts.extend(P(x, y) for x, y in bezier(seg))
    cable_w = 3.2 * unit
    if flat is None:
        thick_line(d, pts, cable_w + 2 * lw, rgba(BLACK))
        thick_line(d, pts, cable_w, rgba((72, 72, 80)))
    else:
        thick_line(d, pts, cable_w, flat[0])
    if plug is not None:
        px, py = plug
        if flat is None:
            # Moulded grey plug with a metal USB-A shell.
            d.rounded_rectangle(box(px - 5, py - 3.5, px + 5, py + 3.5),
                                radius=1.5 * unit, fill=rgba((90, 90, 98)),
                                outline=rgba(BLACK), width=lw)
            d.rectangle(box(px + 5, py - 2.6, px + 12, py + 2.6),
                        fill=rgba((205, 208, 214)), outline=rgba(BLACK),
                        width=lw)
            d.rectangle(box(px + 6.5, py - 1.2, px + 10.5, py + 0.2),
                        fill=rgba((60, 60, 70)))
        else:
            d.rounded_rectangle(box(px - 5, py - 3.5, px + 12, py + 3.5),
                                radius=1.5 * unit, fill=flat[0])

    # Clip/stand base: a rounded plate with a folding clip lip at the back.
    if flat is None:
        fill_shape(layer, lambda m: m.rounded_rectangle(
            box(20, 77, 80, 90), radius=5 * unit, fill=255),
            vgradient(layer.size, [(0, (150, 150, 158)), (1, (70, 70, 78))],
                      int(P(0, 77)[1]), int(P(0, 90)[1])))
        d.rounded_rectangle(box(20, 77, 80, 90), radius=5 * unit,
                            outline=outline, width=lw)
        d.line(P(25, 80.5) + P(75, 80.5), fill=rgba((200, 200, 208)),
               width=max(1, lw // 2))
    else:
        d.rounded_rectangle(box(20, 77, 80, 90), radius=5 * unit,
                            fill=flat[0])

    # Neck with a ball joint.
    if flat is None:
        d.rectangle(box(44, 62, 56, 79), fill=rgba((96, 96, 104)),
                    outline=outline, width=lw)
        d.ellipse(circle(50, 72, 6.5), fill=rgba((120, 120, 130)),
                  outline=outline, width=lw)
        d.ellipse(circle(48, 70, 2), fill=rgba((200, 200, 210)))
    else:
        d.rectangle(box(44, 62, 56, 79), fill=flat[0])
        d.ellipse(circle(50, 72, 6.5), fill=flat[0])

    # Body: rounded, silver, lit from the upper left.
    body = box(8, 4, 92, 66)
    radius = 20 * unit
    if flat is None:
        fill_shape(layer, lambda m: m.rounded_rectangle(body, radius=radius,
                                                        fill=255),
                   vgradient(layer.size,
                             [(0, (250, 250, 252)), (0.45, (206, 208, 214)),
                              (1, (140, 142, 152))],
                             int(P(0, 4)[1]), int(P(0, 66)[1])))
        # Soft highlight band along the top.
        hl = Image.new("RGBA", layer.size, (0, 0, 0, 0))
        ImageDraw.Draw(hl).rounded_rectangle(box(14, 7, 86, 20),
                                             radius=8 * unit,
                                             fill=(255, 255, 255, 110))
        layer.alpha_composite(hl)
        d.rounded_rectangle(body, radius=radius, outline=outline, width=lw)
    else:
        d.rounded_rectangle(body, radius=radius, fill=flat[0])

    # Lens: bezel, black ring, blue glass, dark pupil and reflections.
    cx, cy = 50, 35
    if flat is None:
        d.ellipse(circle(cx, cy, 24), fill=rgba((70, 72, 80)),
                  outline=outline, width=lw)
        d.ellipse(circle(cx, cy, 21), fill=rgba((30, 30, 36)))
        d.ellipse(circle(cx, cy, 17.5), fill=rgba((8, 8, 16)))
        # Glass: a radial gradient from bright blue at the rim to navy.
        steps = 24
        for i in range(steps):
            t = i / (steps - 1)
            r = 14.5 * (1 - t) + 7 * t
            col = mix((40, 90, 220), (0, 0, 96), t)
            d.ellipse(circle(cx, cy, r), fill=rgba(col))
        d.ellipse(circle(cx, cy, 6.5), fill=rgba((0, 0, 24)))
        refl = Image.new("RGBA", layer.size, (0, 0, 0, 0))
        rd = ImageDraw.Draw(refl)
        rd.ellipse(box(38, 24.5, 48, 31.5), fill=(255, 255, 255, 235))
        rd.ellipse(box(55, 41, 59, 45), fill=(200, 220, 255, 150))
        layer.alpha_composite(refl)
    else:
        d.ellipse(circle(cx, cy, 24), fill=flat[1])
        d.ellipse(circle(cx, cy, 17.5), fill=flat[0])
        d.ellipse(circle(cx, cy, 10), fill=flat[1])

    # Power LED at the upper right.
    if flat is None:
        d.ellipse(circle(80, 16, 3.6), fill=rgba((0, 90, 0)), outline=outline,
                  width=max(1, lw // 2))
        d.ellipse(circle(80, 16, 2.4), fill=rgba((40, 230, 40)))
        d.ellipse(circle(79.2, 15.2, 0.9), fill=rgba((220, 255, 220)))
    else:
        d.ellipse(circle(80, 16, 3), fill=flat[1])


def camera_image(size, line, pad=0.0, supersample=8):
    """The shaded camera on a transparent square of `size` pixels."""
    big = size * supersample
    layer = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    unit = big / (100.0 + 2 * pad)
    draw_camera(layer, pad * unit, pad * unit, unit, line=line)
    return downsample(layer, (size, size))


# ---------------------------------------------------------------------------
# Icon: the 16 x 16 picture is drawn by hand pixel by pixel so that it stays
# crisp; the 32 x 32 and 48 x 48 pictures are rendered from the drawing above.
# ---------------------------------------------------------------------------

ICON16 = [
    "................",
    "...KKKKKKKKKK...",
    "..KWWWWWWWWWgK..",
    ".KWSSSKKKKSSSSK.",
    ".KWSSKBBBBKSSGK.",
    ".KWSKBWLBBBKSGK.",
    ".KSSKBLbbBBKSGK.",
    ".KSSKBBbbBBKSGK.",
    ".KSSKBBBBLBKSGK.",
    ".KSSSKBBBBKSSGK.",
    "..KSSSKKKKSSGK..",
    "...KKKKKKKKKK...",
    "......KGGK......",
    "...KKKKKKKKKK...",
    "..KWSSSSSSSGGKcc",
    "...KKKKKKKKKK...",
]

ICON16_COLOURS = {
    "K": BLACK,            # outline
    "W": WHITE,            # highlight
    "S": SILVER,           # body
    "G": GRAY,             # shadow side, neck
    "B": NAVY,             # lens glass
    "L": (0, 128, 255),    # light on the glass
    "b": (0, 0, 48),       # pupil
    "g": (0, 255, 0),      # power LED
    "c": DARK,             # cable
}


def icon16():
    img = Image.new("RGBA", (16, 16), (0, 0, 0, 0))
    px = img.load()
    for y, row in enumerate(ICON16):
        assert len(row) == 16, row
        for x, ch in enumerate(row):
            if ch != ".":
                px[x, y] = rgba(ICON16_COLOURS[ch])
    return img


def dib_entry(img, bpp):
    """One icon image as a BMP-style DIB (header, colours, XOR and AND masks).

    bpp 32:   BGRA pixels with alpha (Windows XP and later use the alpha).
    bpp 8, 4: 256- or 16-colour palette, transparency only through the AND
              mask (what Windows 9x shows).
    """
    w, h = img.size
    src = img.convert("RGBA")
    px = src.load()
    opaque = [[px[x, y][3] >= 128 for x in range(w)] for y in range(h)]

    # AND mask: 1 bit per pixel, 1 = transparent, rows padded to 4 bytes.
    and_stride = ((w + 31) // 32) * 4
    and_rows = []
    for y in range(h - 1, -1, -1):  # bottom-up
        row = bytearray(and_stride)
        for x in range(w):
            if not opaque[y][x]:
                row[x // 8] |= 0x80 >> (x % 8)
        and_rows.append(bytes(row))
    and_bits = b"".join(and_rows)

    palette = b""
    if bpp == 32:
        xor_rows = []
        for y in range(h - 1, -1, -1):
            row = bytearray()
            for x in range(w):
                r, g, b, a = px[x, y]
                if a == 0:
                    r = g = b = 0
                row += bytes((b, g, r, a))
            xor_rows.append(bytes(row))
        xor_bits = b"".join(xor_rows)
        colours_used = 0
    elif bpp in (4, 8):
        # 16 or 256 colours: the opaque pixels (alpha threshold) quantised
        # to one colour fewer than the depth holds; the last index is pure
        # black, used for transparent pixels so that screen AND 1 XOR 0
        # leaves the screen untouched.
        colours = 1 << bpp
        last = colours - 1
        rgb = Image.new("RGB", (w, h), SILVER)
        rgb.paste(src.convert("RGB"), (0, 0))
        q = rgb.quantize(colors=last, method=Image.MEDIANCUT, dither=Image.NONE)
        pal = q.getpalette()[:last * 3]
        pal += [0] * (last * 3 - len(pal))
        pal += [0, 0, 0]
        qpx = q.load()
        stride = ((w * bpp + 31) // 32) * 4
        per_byte = 8 // bpp
        xor_rows = []
        for y in range(h - 1, -1, -1):
            row = bytearray(stride)
            for x in range(w):
                index = qpx[x, y] if opaque[y][x] else last
                row[x // per_byte] |= index << ((per_byte - 1 - x % per_byte) * bpp)
            xor_rows.append(bytes(row))
        xor_bits = b"".join(xor_rows)
        for i in range(colours):
            r, g, b = pal[3 * i:3 * i + 3]
            palette += bytes((b, g, r, 0))
        colours_used = colours
    else:
        raise ValueError(bpp)

    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, bpp, 0,
                         len(xor_bits) + len(and_bits), 0, 0, colours_used, 0)
    return header + palette + xor_bits + and_bits


def write_ico(path, images):
    """Write an .ico from a list of (RGBA image, bits per pixel)."""
    entries = [(img.size, bpp, dib_entry(img, bpp)) for img, bpp in images]
    offset = 6 + 16 * len(entries)
    out = struct.pack("<HHH", 0, 1, len(entries))
    for (w, h), bpp, data in entries:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, bpp,
                           len(data), offset)
        offset += len(data)
    for _, _, data in entries:
        out += data
    with open(path, "wb") as f:
        f.write(out)


def make_icon():
    # Program / frame icon: the webcam on its stand in the sizes and colour
    # depths the supported systems show, 16 and 32 pixels in 16 and 256
    # colours (a few KB; larger and 32-bit images only made the programs
    # bigger).
    pictures = [
        camera_image(32, line=3.2, pad=0.5),
        icon16(),
    ]
    images = []
    for bpp in (8, 4):
        for pic in pictures:
            images.append((pic, bpp))
    write_ico(os.path.join(ART_DIR, "product.ico"), images)
    return pictures


# ---------------------------------------------------------------------------
# 8-bit bitmaps are stored RLE8-compressed (BI_RLE8), which every Windows
# since 3.0 draws: the pictures are drawn in flat bands and gradients along
# rows, so a run of one colour takes two bytes instead of one per pixel.
# ---------------------------------------------------------------------------

def rle8_row(row):
    out = bytearray()
    i, n = 0, len(row)
    while i < n:
        run = 1
        while i + run < n and run < 255 and row[i + run] == row[i]:
            run += 1
        if run >= 2:
            out += bytes((run, row[i]))
            i += run
            continue
        # A literal stretch, up to where the next run of two starts.
        j = i
        while j < n and j - i < 255 and not (j + 1 < n and row[j] == row[j + 1]):
            j += 1
        lit = row[i:j]
        if len(lit) < 3:  # absolute mode needs three or more pixels
            for b in lit:
                out += bytes((1, b))
        else:
            out += bytes((0, len(lit))) + bytes(lit)
            if len(lit) & 1:
                out += b"\0"
        i = j
    return bytes(out + b"\0\0")  # end of line


def write_rle8_bmp(path, img):
    """Writes a palette image ("P") as a BI_RLE8 bitmap, bottom-up rows."""
    w, h = img.size
    pixels = img.tobytes()
    data = b"".join(rle8_row(pixels[y * w:(y + 1) * w]) for y in range(h - 1, -1, -1))
    data = data[:-2] + b"\0\1"  # the last end of line becomes end of bitmap
    pal = img.getpalette()[:768]
    colours = len(pal) // 3
    quads = b"".join(bytes((pal[3 * k + 2], pal[3 * k + 1], pal[3 * k], 0)) for k in range(colours))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 1, len(data), 3780, 3780, colours, 0)
    offset = 14 + len(info) + len(quads)
    header = b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + quads + data)


# ---------------------------------------------------------------------------
# Wizard side picture, 118 x 258: a dark-blue to lighter-blue panel with the
# product name at the top and the camera drawn large below it.
# ---------------------------------------------------------------------------

def make_side():
    w, h = 118, 258
    ss = 4
    W, H = w * ss, h * ss
    panel = vgradient((W, H), [(0, (0, 0, 96)), (0.55, (16, 56, 156)),
                               (1, (92, 150, 220))])
    # A soft glow behind the camera.
    glow = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    gd = ImageDraw.Draw(glow)
    for i in range(30):
        r = (70 - i * 2) * ss
        a = int(3 + i * 1.2)
        gd.ellipse((W / 2 - r, 150 * ss - r, W / 2 + r, 150 * ss + r),
                   fill=(170, 200, 255, a))
    panel.alpha_composite(glow)
    # A soft shadow on the "floor" under the stand.
    shadow = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    ImageDraw.Draw(shadow).ellipse((20 * ss, 197 * ss, 98 * ss, 208 * ss),
                                   fill=(0, 0, 40, 110))
    panel.alpha_composite(shadow.filter(ImageFilter.GaussianBlur(3 * ss)))
    # The camera, 100 px wide.
    cam = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    unit = 100 * ss / 100.0
    draw_camera(cam, 9 * ss, 113 * ss, unit, line=1.4)
    panel.alpha_composite(cam)
    img = downsample(panel, (w, h))

    # Caption, drawn at the final size so that it stays sharp.
    d = ImageDraw.Draw(img)
    title = font("DejaVuSans-Bold.ttf", 19)
    sub = font("DejaVuSans.ttf", 11)
    small = font("DejaVuSans.ttf", 9)

    def centred(y, text, f, fill, shadow=None):
        tw = d.textlength(text, font=f)
        x = (w - tw) / 2
        if shadow:
            d.text((x + 1, y + 1), text, font=f, fill=shadow)
        d.text((x, y), text, font=f, fill=fill)

    centred(16, "Pixmoor", title, (255, 255, 255, 255), (0, 0, 40, 255))
    centred(40, "USB 300 plus", sub, (170, 200, 255, 255))
    d.line((24, 60, 94, 60), fill=(90, 120, 200, 255))
    centred(238, "Vantrell", small, (230, 240, 255, 255))
    # A palette without dithering keeps the bands flat for RLE8.
    side = img.convert("RGB").quantize(256, method=Image.Quantize.FASTOCTREE, dither=Image.Dither.NONE)
    write_rle8_bmp(os.path.join(ART_DIR, "side.bmp"), side)
    return img


# ---------------------------------------------------------------------------
# Uninstaller backdrop, 640 x 480: the classic dark-blue setup screen with
# the product name at the upper left and a large, faint camera silhouette.
# ---------------------------------------------------------------------------

def make_background():
    w, h = 640, 480
    ss = 2
    W, H = w * ss, h * ss
    bg = vgradient((W, H), [(0, (0, 0, 112)), (1, (0, 0, 40))])
    sil = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    unit = 330 * ss / 100.0
    draw_camera(sil, 290 * ss, 130 * ss, unit,
                flat=((40, 50, 170, 70), (0, 0, 40, 70)),
                cable=[[(74, 83), (90, 84), (100, 90), (104, 105)]])
    bg.alpha_composite(sil)
    img = downsample(bg, (w, h)).convert("RGB")

    d = ImageDraw.Draw(img)
    title = font("DejaVuSans-BoldOblique.ttf", 40)
    text = "Pixmoor-USB 300 plus"
    d.text((36 + 3, 28 + 3), text, font=title, fill=(0, 0, 0))
    d.text((36, 28), text, font=title, fill=(255, 255, 255))
    maker = font("DejaVuSans-Oblique.ttf", 18)
    d.text((40 + 2, 84 + 2), "Vantrell", font=maker, fill=(0, 0, 0))
    d.text((40, 84), "Vantrell", font=maker, fill=(170, 190, 255))
    # A palette keeps the uninstaller small; the gradient needs few colours
    # (32 give long runs). Stored at half size: the frame stretches it to
    # 640 x 480, and the uninstaller's frame stays hidden, so only its bytes
    # would show.
    half = img.resize((w // 2, h // 2), Image.LANCZOS)
    back = half.quantize(32, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    write_rle8_bmp(os.path.join(ART_DIR, "background.bmp"), back)
    return img


# ---------------------------------------------------------------------------
# README product picture, 480 x 320: the camera on its clip/stand with its
# cable and USB plug, on a light studio background, with a caption.
# ---------------------------------------------------------------------------

def make_product():
    w, h = 480, 320
    ss = 3
    W, H = w * ss, h * ss
    img = vgradient((W, H), [(0, (250, 251, 253)), (0.72, (226, 230, 238)),
                             (1, (206, 211, 222))])
    # Shadow under the stand and along the cable.
    sh = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    sd = ImageDraw.Draw(sh)
    sd.ellipse((150 * ss, 232 * ss, 330 * ss, 254 * ss), fill=(40, 50, 70, 90))
    sh = sh.filter(ImageFilter.GaussianBlur(6 * ss))
    img.alpha_composite(sh)
    cam = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    unit = 190 * ss / 100.0
    ox, oy = 145 * ss, 70 * ss
    # Cable: leaves the stand, loops on the floor and ends in a USB-A plug.
    cable = [
        [(74, 83), (92, 83), (100, 90), (104, 92)],
        [(104, 92), (110, 95), (118, 94), (124, 92)],
    ]
    draw_camera(cam, ox, oy, unit, line=0.9, cable=cable, plug=(129, 92))
    img.alpha_composite(cam)
    img = downsample(img, (w, h)).convert("RGB")

    d = ImageDraw.Draw(img)
    cap = font("DejaVuSans-Bold.ttf", 20)
    text = "Vantrell Pixmoor-USB 300 plus"
    tw = d.textlength(text, font=cap)
    d.text(((w - tw) / 2, 276), text, font=cap, fill=(30, 40, 80))
    sub = font("DejaVuSans.ttf", 12)
    tw = d.textlength("USB PC camera", font=sub)
    d.text(((w - tw) / 2, 302), "USB PC camera", font=sub, fill=(90, 100, 120))
    img.save(os.path.join(DOC_DIR, "pixmoor-usb-300-plus.png"), optimize=False)
    return img


def main():
    os.makedirs(ART_DIR, exist_ok=True)
    os.makedirs(DOC_DIR, exist_ok=True)
    make_icon()
    make_side()
    make_background()
    make_product()
    for p in ("src/resources/art/product.ico", "src/resources/art/side.bmp",
              "src/resources/art/background.bmp",
              "docs/images/pixmoor-usb-300-plus.png"):
        print("wrote", p, os.path.getsize(os.path.join(ROOT, p)), "bytes")


if __name__ == "__main__":
    main()
