#!/usr/bin/env python3
"""Renders the pictures of the on-screen displays from their drawings.

Each line of the picture list (resources/tavrin/art/pictures.txt) names a
resource macro of OsdPictures.h, a drawing, its size and how the program keys
it. The drawings are rendered with rsvg-convert and written as 24-bit bitmaps
(or icons) whose transparent parts carry the colour the program keys out.

  osd_art.py rc     --manifest M --catalogue H --out OsdArt.rc
  osd_art.py render --manifest M --catalogue H --drawings DIR --out DIR
  osd_art.py sheet  --manifest M --catalogue H --art DIR --out sheet.png
"""

import argparse
import os
import re
import struct
import subprocess
import sys
import tempfile
import zlib

MAGENTA = (0xFF, 0x00, 0xFF)
YELLOW = (0xFF, 0xF2, 0x00)
BLACK = (0x00, 0x00, 0x00)
# The classic panel the magenta-keyed symbols are drawn on.
CLASSIC_PANEL = (0x34, 0x67, 0x9A)
CLASSIC_PANEL_ALPHA = 191
# What the edge of an outline panel is blended with: the panel's rim is dark,
# so a half-covered corner pixel reads as part of it on any desktop.
OUTLINE_MATTE = (0x16, 0x1C, 0x24)
# Corner pixels covered less than this are keyed out.
OUTLINE_EDGE_ALPHA = 96
OUTLINE_ALPHA = 191
SLIDER_ALPHA = 178
RSVG = "rsvg-convert"
CONVERT = "/usr/bin/convert-im6.q16"

KEY_MODES = ("magenta", "yellow-panel", "yellow-over", "yellow-solid", "none", "icon", "png")


class ArtError(Exception):
    pass


# --- picture list -----------------------------------------------------------


class Picture:
    def __init__(self, macro, drawing, sizes, key, backdrop=None, offset=None, line=0):
        self.macro = macro
        self.drawing = drawing
        self.sizes = sizes  # [(w, h)] for a bitmap, [(s, s), ...] for an icon
        self.key = key
        self.backdrop = backdrop
        self.offset = offset
        self.line = line
        self.resource_id = None

    @property
    def stem(self):
        return os.path.splitext(self.drawing)[0]

    @property
    def is_icon(self):
        return self.key == "icon"

    @property
    def is_png(self):
        return self.key == "png"

    @property
    def width(self):
        return self.sizes[0][0]

    @property
    def height(self):
        return self.sizes[0][1]

    def output(self):
        if self.is_icon:
            return self.stem + ".ico"
        return self.stem + (".png" if self.is_png else ".bmp")


def read_catalogue(path):
    """Macro -> (id, width, height or None) from the picture catalogue."""
    entries = {}
    pattern = re.compile(r"^\s*#define\s+(ID[BIP]_\w+)\s+(\d+)\s*(?://\s*(\d+)\s*x\s*(\d+))?")
    with open(path, encoding="utf-8") as f:
        for text in f:
            m = pattern.match(text)
            if m:
                size = (int(m.group(3)), int(m.group(4))) if m.group(3) else None
                entries[m.group(1)] = (int(m.group(2)), size)
    return entries


def parse_size(text, key):
    if key == "icon":
        try:
            values = [int(v) for v in text.split(",")]
        except ValueError:
            values = []
        if not values or any(v < 1 or v > 255 for v in values):
            raise ArtError("icon sizes must be pixel sizes 1..255 separated by commas: " + text)
        return [(v, v) for v in values]
    m = re.fullmatch(r"(\d+)x(\d+)", text)
    if not m or int(m.group(1)) < 1 or int(m.group(2)) < 1:
        raise ArtError("size must be WIDTHxHEIGHT: " + text)
    return [(int(m.group(1)), int(m.group(2)))]


def read_manifest(path, catalogue_path):
    catalogue = read_catalogue(catalogue_path)
    pictures = []
    with open(path, encoding="utf-8") as f:
        for number, text in enumerate(f, 1):
            text = text.split("#", 1)[0].strip()
            if not text:
                continue
            where = "%s:%d: " % (path, number)
            fields = text.split()
            if len(fields) != 4:
                raise ArtError(where + "expected: MACRO DRAWING SIZE KEY")
            macro, drawing, size, key = fields
            backdrop = offset = None
            m = re.fullmatch(r"yellow-over:(\w+)@(\d+),(\d+)", key)
            if m:
                key, backdrop, offset = "yellow-over", m.group(1), (int(m.group(2)), int(m.group(3)))
            elif key not in KEY_MODES or key == "yellow-over":
                raise ArtError(where + "unknown key '%s'" % key)
            if not drawing.endswith(".svg") or "/" in drawing:
                raise ArtError(where + "a drawing is an .svg file of the art folder: " + drawing)
            try:
                picture = Picture(macro, drawing, parse_size(size, key), key, backdrop, offset, number)
            except ArtError as e:
                raise ArtError(where + str(e))
            if macro not in catalogue:
                raise ArtError(where + macro + " is not in " + catalogue_path)
            picture.resource_id, stated = catalogue[macro]
            if stated and not picture.is_icon and stated != picture.sizes[0]:
                raise ArtError(where + "%s is %dx%d in the catalogue" % (macro, stated[0], stated[1]))
            if macro.startswith("IDI_") != picture.is_icon or macro.startswith("IDP_") != picture.is_png:
                raise ArtError(where + "IDI_ names icons, IDP_ PNG pictures, IDB_ bitmaps")
            pictures.append(picture)
    seen = {}
    for p in pictures:
        for other in (p.macro, p.drawing):
            if other in seen:
                raise ArtError("%s:%d: %s is listed twice" % (path, p.line, other))
            seen[other] = p
    by_macro = {p.macro: p for p in pictures}
    for p in pictures:
        if p.backdrop:
            under = by_macro.get(p.backdrop)
            if not under or under.key != "yellow-panel":
                raise ArtError("%s:%d: %s is not an outline panel of the list" % (path, p.line, p.backdrop))
            if p.offset[0] + p.width > under.width or p.offset[1] + p.height > under.height:
                raise ArtError("%s:%d: %s does not fit on %s" % (path, p.line, p.macro, p.backdrop))
    missing = sorted(set(catalogue) - set(by_macro))
    if missing:
        raise ArtError("%s: no drawing for %s" % (path, ", ".join(missing)))
    return pictures


def icon_image_id(picture, index):
    # Icon images need ids of their own next to the group; a group's images
    # are numbered from ten times its id, clear of the program icon's 1, 2, 3.
    return picture.resource_id * 10 + index


# --- PNG and BMP ------------------------------------------------------------


class Image:
    """Straight (not premultiplied) RGBA, rows top to bottom."""

    def __init__(self, width, height, pixels=None, fill=(0, 0, 0, 0)):
        self.width = width
        self.height = height
        self.pixels = pixels if pixels is not None else [fill] * (width * height)

    def get(self, x, y):
        return self.pixels[y * self.width + x]

    def put(self, x, y, rgba):
        self.pixels[y * self.width + x] = rgba


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_png(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ArtError(path + ": not a PNG file")
    pos, idat, header = 8, [], None
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos : pos + 8])
        body = data[pos + 8 : pos + 8 + length]
        if len(body) != length:
            raise ArtError(path + ": truncated chunk")
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat.append(body)
        elif kind == b"IEND":
            break
        pos += 12 + length
    if not header:
        raise ArtError(path + ": no header")
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ArtError(path + ": only 8-bit RGB or RGBA, not interlaced")
    channels = 4 if colour == 6 else 3
    raw = zlib.decompress(b"".join(idat))
    stride = width * channels
    if len(raw) < height * (stride + 1):
        raise ArtError(path + ": image data too short")
    pixels, previous = [], bytearray(stride)
    for y in range(height):
        base = y * (stride + 1)
        kind = raw[base]
        row = bytearray(raw[base + 1 : base + 1 + stride])
        if kind == 1:
            for i in range(channels, stride):
                row[i] = (row[i] + row[i - channels]) & 0xFF
        elif kind == 2:
            for i in range(stride):
                row[i] = (row[i] + previous[i]) & 0xFF
        elif kind == 3:
            for i in range(stride):
                left = row[i - channels] if i >= channels else 0
                row[i] = (row[i] + ((left + previous[i]) >> 1)) & 0xFF
        elif kind == 4:
            for i in range(stride):
                left = row[i - channels] if i >= channels else 0
                upper_left = previous[i - channels] if i >= channels else 0
                row[i] = (row[i] + _paeth(left, previous[i], upper_left)) & 0xFF
        elif kind != 0:
            raise ArtError(path + ": unknown row filter %d" % kind)
        for x in range(width):
            px = row[x * channels : x * channels + channels]
            pixels.append((px[0], px[1], px[2], px[3] if channels == 4 else 255))
        previous = row
    return Image(width, height, pixels)


def write_png(path, image):
    rows = bytearray()
    for y in range(image.height):
        rows.append(0)
        for px in image.pixels[y * image.width : (y + 1) * image.width]:
            rows.extend(px)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    header = struct.pack(">IIBBBBB", image.width, image.height, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(rows), 9)))
        f.write(chunk(b"IEND", b""))


def write_bmp(path, width, height, rgb):
    """24-bit bottom-up bitmap; rgb lists (r, g, b) rows top to bottom."""
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for r, g, b in rgb[y * width : (y + 1) * width]:
            row += bytes((b, g, r))
        body += row + bytes(stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(body), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(header + info + body)


def read_bmp(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM" or len(data) < 54:
        raise ArtError(path + ": not a bitmap")
    offset = struct.unpack("<I", data[10:14])[0]
    _, width, height, _, bits = struct.unpack("<IiiHH", data[14:30])
    if bits != 24 or height <= 0:
        raise ArtError(path + ": not a 24-bit bottom-up bitmap")
    stride = (width * 3 + 3) & ~3
    if len(data) < offset + stride * height:
        raise ArtError(path + ": pixel data too short")
    rgb = []
    for y in range(height):
        row = data[offset + (height - 1 - y) * stride :]
        rgb.extend((row[x * 3 + 2], row[x * 3 + 1], row[x * 3]) for x in range(width))
    return width, height, rgb


# --- keying -----------------------------------------------------------------


def over(rgba, under):
    """An RGBA pixel composited over an opaque RGB one, rounded."""
    r, g, b, a = rgba
    return tuple((c * a + u * (255 - a) + 127) // 255 for c, u in zip((r, g, b), under))


def magenta_key_point(width, height):
    # The program keys a picture by its own pixel (5, 5), or (2, 2) when small.
    return (2, 2) if min(width, height) <= 16 else (5, 5)


def key_picture(picture, image, backdrop=None):
    """The picture's 24-bit pixels; raises ArtError when the drawing breaks its key.
    backdrop: (width, rgb) of the keyed panel a yellow-over symbol is drawn on."""
    name = picture.drawing
    mode = picture.key
    out = []
    for y in range(image.height):
        for x in range(image.width):
            rgba = image.get(x, y)
            a = rgba[3]
            if mode == "magenta":
                rgb = MAGENTA if a == 0 else over(rgba, CLASSIC_PANEL)
                if a and rgb[0] > 200 and rgb[2] > 200 and rgb[1] < 60:
                    raise ArtError("%s: pixel (%d, %d) is close to the magenta key" % (name, x, y))
            elif mode == "yellow-panel":
                rgb = YELLOW if a < OUTLINE_EDGE_ALPHA else over(rgba, OUTLINE_MATTE)
            elif mode == "yellow-over":
                ox, oy = picture.offset
                under_width, under_rgb = backdrop
                under = under_rgb[(y + oy) * under_width + x + ox]
                rgb = YELLOW if a == 0 else over(rgba, under)
            else:
                if a != 255:
                    raise ArtError("%s: pixel (%d, %d) is not opaque; this picture is shown whole" % (name, x, y))
                rgb = rgba[:3]
            if mode.startswith("yellow") and rgb is not YELLOW:
                if rgb == BLACK:
                    raise ArtError("%s: pixel (%d, %d) is pure black, which the program makes transparent" % (name, x, y))
                if rgb == YELLOW:
                    raise ArtError("%s: pixel (%d, %d) is the key yellow" % (name, x, y))
            out.append(rgb)
    if mode == "magenta":
        kx, ky = magenta_key_point(image.width, image.height)
        if out[ky * image.width + kx] != MAGENTA:
            raise ArtError("%s: the key pixel (%d, %d) must be left empty" % (name, kx, ky))
    if mode == "yellow-panel":
        corners = [out[0], out[image.width - 1], out[-image.width], out[-1]]
        if any(c != YELLOW for c in corners):
            raise ArtError("%s: an outline panel leaves its corners empty" % name)
    return out


# --- rendering --------------------------------------------------------------


def rasterise(svg, width, height, png):
    subprocess.run([RSVG, "-w", str(width), "-h", str(height), "-f", "png", "-o", png, svg], check=True)
    image = read_png(png)
    if (image.width, image.height) != (width, height):
        raise ArtError("%s: rendered %dx%d, not %dx%d" % (svg, image.width, image.height, width, height))
    return image


def split_icon(path):
    """The images of an .ico file: [(directory entry bytes without offset, image bytes)]."""
    with open(path, "rb") as f:
        data = f.read()
    reserved, kind, count = struct.unpack("<HHH", data[:6])
    if reserved != 0 or kind != 1:
        raise ArtError(path + ": not an icon file")
    images = []
    for i in range(count):
        entry = data[6 + 16 * i : 22 + 16 * i]
        w, h, colours, res, planes, bits, size, offset = struct.unpack("<BBBBHHII", entry)
        images.append(((w or 256, h or 256, colours, res, planes, bits), data[offset : offset + size]))
    return images


def render_icon(picture, drawings, out_dir, work):
    pngs = []
    for w, h in picture.sizes:
        png = os.path.join(work, "%s-%d.png" % (picture.stem, w))
        rasterise(os.path.join(drawings, picture.drawing), w, h, png)
        pngs.append(png)
    ico = os.path.join(out_dir, picture.output())
    subprocess.run([CONVERT] + pngs + [ico], check=True)
    images = split_icon(ico)
    if [(e[0], e[1]) for e, _ in images] != picture.sizes or any(e[5] != 32 for e, _ in images):
        raise ArtError("%s: the icon does not hold 32-bit images of sizes %s" % (ico, picture.sizes))
    group = struct.pack("<HHH", 0, 1, len(images))
    for index, ((w, h, colours, res, planes, bits), body) in enumerate(images):
        with open(os.path.join(out_dir, "%s-%d.icon" % (picture.stem, w)), "wb") as f:
            f.write(body)
        group += struct.pack("<BBBBHHIH", w % 256, h % 256, colours, res, planes, bits, len(body),
                             icon_image_id(picture, index))
    with open(os.path.join(out_dir, picture.stem + ".group"), "wb") as f:
        f.write(group)


def render(pictures, drawings, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    keyed = {}
    # Panels first: the symbols drawn over them are blended with their pixels.
    ordered = sorted(pictures, key=lambda p: p.key != "yellow-panel")
    with tempfile.TemporaryDirectory() as work:
        for p in ordered:
            if p.is_icon:
                render_icon(p, drawings, out_dir, work)
                continue
            png = os.path.join(work, p.stem + ".png")
            image = rasterise(os.path.join(drawings, p.drawing), p.width, p.height, png)
            if p.is_png:
                write_png(os.path.join(out_dir, p.output()), image)
                continue
            backdrop = None
            if p.backdrop:
                under = next(q for q in pictures if q.macro == p.backdrop)
                backdrop = (under.width, keyed[p.backdrop])
            rgb = key_picture(p, image, backdrop)
            keyed[p.macro] = rgb
            write_bmp(os.path.join(out_dir, p.output()), p.width, p.height, rgb)


def rc_text(pictures, catalogue_name):
    lines = [
        "// Written by scripts/osd_art.py from the picture list; edit the list, not this file.",
        "#include <winresrc.h>",
        "#include \"%s\"" % catalogue_name,
        "",
        "// Pictures read the same in every language.",
        "LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL",
        "",
    ]
    for p in pictures:
        if p.is_icon:
            for index, (w, _) in enumerate(p.sizes):
                lines.append("%d 3 \"%s-%d.icon\"" % (icon_image_id(p, index), p.stem, w))
            lines.append("%s 14 \"%s.group\"" % (p.macro, p.stem))
        elif p.is_png:
            lines.append("%s PNG \"%s\"" % (p.macro, p.output()))
        else:
            lines.append("%s BITMAP \"%s\"" % (p.macro, p.output()))
    return "\n".join(lines) + "\n"


def write_if_changed(path, text):
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            if f.read() == text:
                return
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


# --- contact sheet ----------------------------------------------------------


def blend(dst, x, y, rgb, alpha):
    if 0 <= x < dst.width and 0 <= y < dst.height and alpha:
        under = dst.get(x, y)
        dst.put(x, y, over(rgb + (alpha,), under[:3]) + (255,))


def desktop(width, height):
    """A desktop-like backdrop: a blue-violet wallpaper with a pale window on the right half."""
    image = Image(width, height)
    for y in range(height):
        for x in range(width):
            t = (x + y) / (width + height)
            colour = (int(40 + 90 * t), int(70 + 40 * t), int(120 + 70 * (1 - t)), 255)
            if x > width // 2:
                colour = (236, 238, 241, 255) if (y // 24) % 12 else (200, 210, 222, 255)
            image.put(x, y, colour)
    return image


def scaled(image, scale):
    if scale == 1:
        return image
    out = Image(image.width * scale, image.height * scale)
    for y in range(out.height):
        row = image.pixels[(y // scale) * image.width : (y // scale + 1) * image.width]
        out.pixels[y * out.width : (y + 1) * out.width] = [px for px in row for _ in range(scale)]
    return out


def paste(dst, x0, y0, src, alpha=255):
    """src (straight RGBA) composited onto dst at (x0, y0), its alpha scaled by alpha / 255."""
    for y in range(src.height):
        for x in range(src.width):
            r, g, b, a = src.get(x, y)
            blend(dst, x0 + x, y0 + y, (r, g, b), a * alpha // 255)


def keyed_layer(width, height, rgb, keys):
    return Image(width, height, [(0, 0, 0, 0) if c in keys else c + (255,) for c in rgb])


def classic_display(loaded, width, symbol, symbol_x, signs, bars):
    """The classic display as the program lays it out: rounded panel, symbol, signs and level bars."""
    layer = Image(width, 200)
    for y in range(200):
        for x in range(width):
            cx, cy = min(max(x, 5), width - 6), min(max(y, 5), 194)
            if (x - cx) ** 2 + (y - cy) ** 2 <= 25:
                layer.put(x, y, CLASSIC_PANEL + (CLASSIC_PANEL_ALPHA,))
    pictures = [(symbol, symbol_x, 41)] + [(name, x, 165) for name, x in signs]
    for name, x0, y0 in pictures:
        w, h, rgb = loaded[name]
        kx, ky = magenta_key_point(w, h)
        for y in range(h):
            for x in range(w):
                if rgb[y * w + x] != rgb[ky * w + kx]:
                    layer.put(x0 + x, y0 + y, rgb[y * w + x] + (255,))
    left, step, bar, count, lit = bars
    for i in range(count):
        colour = (255, 255, 255, 255) if i < lit else (0x33, 0x66, 0x99, 255)
        for y in range(23):
            for x in range(bar):
                layer.put(left + step * i + x, 161 + y, colour)
    return layer


def slider_display(loaded, name, percent):
    w, h, rgb = loaded[name]
    layer = Image(w, h, [c + (255,) for c in rgb])
    # The knob the program draws: a 24-pixel disc shaded white to black.
    kx = percent * 151 // 100 + 55
    ex, ey = percent * 151 // 100 + 127, 168
    for y in range(96, 120):
        for x in range(kx, kx + 24):
            if (x - kx - 11.5) ** 2 + (y - 107.5) ** 2 <= 144:
                t = ((x - kx) * (ex - kx) + (y - 96) * (ey - 96)) / ((ex - kx) ** 2 + (ey - 96) ** 2)
                v = int(255 * (1 - min(max(t, 0), 1)))
                layer.put(x, y, (v, v, v, 255))
    return layer


def outline_display(loaded, panel, symbol, origin, ticks):
    """The outline display: pictures through the yellow key into a black buffer, black then transparent."""
    pw, ph, _ = loaded[panel]
    buffer = [BLACK] * (pw * ph)
    lit, unlit, count, left, step, top, lit_count = ticks
    placed = [(panel, 0, 0), (symbol, origin[0], origin[1])]
    placed += [(lit if i < lit_count else unlit, left + step * i, top) for i in range(count)]
    for name, x0, y0 in placed:
        w, h, rgb = loaded[name]
        for y in range(h):
            for x in range(w):
                if rgb[y * w + x] != YELLOW:
                    buffer[(y0 + y) * pw + x0 + x] = rgb[y * w + x]
    return Image(pw, ph, [(0, 0, 0, 0) if c == BLACK else c + (OUTLINE_ALPHA,) for c in buffer])


class Flow:
    """Places items left to right, starting a new row when one does not fit."""

    def __init__(self, width, margin=20):
        self.width, self.margin = width, margin
        self.x = self.y = margin
        self.row = 0
        self.items = []

    def add(self, image, alpha=255):
        if self.x + image.width > self.width - self.margin and self.x > self.margin:
            self.newline()
        self.items.append((self.x, self.y, image, alpha))
        self.x += image.width + self.margin
        self.row = max(self.row, image.height)

    def newline(self, gap=0):
        self.x = self.margin
        self.y += self.row + self.margin + gap
        self.row = 0

    def height(self):
        return self.y + self.row + self.margin


def sheet(pictures, art, out):
    loaded = {}
    for p in pictures:
        if not p.is_icon and not p.is_png:
            loaded[p.macro] = read_bmp(os.path.join(art, p.output()))
    flow = Flow(1500)

    # Classic symbols on the blue panel, then the classic displays as laid out.
    for p in (q for q in pictures if q.key == "magenta"):
        w, h, rgb = loaded[p.macro]
        kx, ky = magenta_key_point(w, h)
        for scale in (1, 3):
            symbol = keyed_layer(w, h, rgb, (rgb[ky * w + kx],))
            card = Image(w * scale + 16, h * scale + 16, fill=CLASSIC_PANEL + (CLASSIC_PANEL_ALPHA,))
            paste(card, 8, 8, scaled(symbol, scale))
            flow.add(card)
    flow.newline(10)
    brightness = classic_display(loaded, 271, "IDB_OSD_SUN", 87, (("IDB_OSD_MINUS", 17), ("IDB_OSD_PLUS", 238)),
                                 (39, 13, 10, 15, 10))
    volume = classic_display(loaded, 285, "IDB_OSD_SPEAKER", 94, (("IDB_OSD_MINUS", 10), ("IDB_OSD_PLUS", 260)),
                             (32, 9, 5, 25, 16))
    muted = classic_display(loaded, 285, "IDB_OSD_SPEAKER_MUTED", 94,
                            (("IDB_OSD_MINUS", 10), ("IDB_OSD_PLUS", 260)), (32, 9, 5, 25, 0))
    for layer in (brightness, volume, muted):
        flow.add(layer)
    flow.newline(10)

    # Sliders at the program's constant alpha, the knob at different levels.
    sliders = [p.macro for p in pictures if p.key == "none" and p.sizes[0] == (280, 150)]
    for index, name in enumerate(sliders):
        flow.add(slider_display(loaded, name, (80, 20, 60, 35)[index % 4]), SLIDER_ALPHA)
    flow.newline()
    for name in sliders[1:3]:
        flow.add(scaled(slider_display(loaded, name, 45), 2), SLIDER_ALPHA)
    flow.newline(10)

    # The other whole pictures (tiles, dialog pictures) as they are, at the bitmap alpha.
    for p in (q for q in pictures if q.key == "none" and q.sizes[0] != (280, 150)):
        w, h, rgb = loaded[p.macro]
        flow.add(Image(w, h, [c + (255,) for c in rgb]), SLIDER_ALPHA)
    flow.newline(10)

    # Outline displays as drawn, at 1x, then enlarged.
    small = ((33, 24), 111, 15, 7, 104, 21, 4)
    large = ((50, 35), 165, 35, 9, 165, 31, 6)
    displays = []
    for size, panel, (origin, by, bx, bs, vy, vx, vs) in (("SMALL", "IDB_K7_PANEL_SMALL", small),
                                                         ("LARGE", "IDB_K7_PANEL_LARGE", large)):
        displays.append(outline_display(loaded, panel, "IDB_K7_SUN_" + size, origin,
                                        ("IDB_K7_TICK_LIT_" + size, "IDB_K7_TICK_UNLIT_" + size, 16, bx, bs, by, 10)))
        displays.append(outline_display(loaded, panel, "IDB_K7_SPEAKER_" + size, origin,
                                        ("IDB_K7_VOLUME_LIT_" + size, "IDB_K7_VOLUME_UNLIT_" + size, 25, vx, vs, vy, 16)))
        displays.append(outline_display(loaded, panel, "IDB_K7_SPEAKER_MUTED_" + size, origin,
                                        ("IDB_K7_VOLUME_LIT_" + size, "IDB_K7_VOLUME_UNLIT_" + size, 25, vx, vs, vy, 0)))
    for layer in displays:
        flow.add(layer)
    flow.newline()
    flow.add(scaled(displays[0], 3))
    flow.add(scaled(displays[4], 2))
    flow.newline(10)

    # Icons on the classic dialogs' pale yellow and pale cyan: every size, then 16 and 48 enlarged.
    with tempfile.TemporaryDirectory() as work:
        for background in ((255, 244, 199), (228, 244, 245)):
            for p in (q for q in pictures if q.is_icon):
                icons = {w: icon_pixels(os.path.join(art, p.output()), w, work) for w, _ in p.sizes}
                sizes = sorted(icons)
                big = [(4, sizes[0]), (2, sizes[-1])]
                width = sum(sizes) + sum(f * s for f, s in big) + 8 * (len(sizes) + len(big) + 1)
                card = Image(width, 2 * sizes[-1] + 16, fill=background + (255,))
                x = 8
                for w in sizes:
                    paste(card, x, 8, icons[w])
                    x += w + 8
                for factor, w in big:
                    paste(card, x, 8, scaled(icons[w], factor))
                    x += factor * w + 8
                flow.add(card)
            flow.newline()

    image = desktop(flow.width, flow.height())
    for x, y, layer, alpha in flow.items:
        paste(image, x, y, layer, alpha)
    write_png(out, image)


def icon_pixels(ico, size, work):
    png = os.path.join(work, "icon.png")
    for index, ((w, _, _, _, _, _), _) in enumerate(split_icon(ico)):
        if w == size:
            subprocess.run([CONVERT, "%s[%d]" % (ico, index), "PNG32:" + png], check=True)
            return read_png(png)
    raise ArtError("%s has no %d-pixel image" % (ico, size))


# --- command line -----------------------------------------------------------


def main(argv):
    parser = argparse.ArgumentParser(description="Renders the pictures of the on-screen displays.")
    parser.add_argument("command", choices=("rc", "render", "sheet"))
    parser.add_argument("--manifest", required=True)
    parser.add_argument("--catalogue", required=True)
    parser.add_argument("--drawings")
    parser.add_argument("--art")
    parser.add_argument("--out", required=True)
    args = parser.parse_args(argv)
    try:
        pictures = read_manifest(args.manifest, args.catalogue)
        if args.command == "rc":
            write_if_changed(args.out, rc_text(pictures, os.path.basename(args.catalogue)))
        elif args.command == "render":
            render(pictures, args.drawings or os.path.dirname(args.manifest), args.out)
        else:
            sheet(pictures, args.art, args.out)
    except ArtError as e:
        print("osd_art: " + str(e), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
