#!/usr/bin/env python3
"""Checks the rendered pictures of the on-screen displays against their list.

Reads the bitmaps and icons on its own (not through the renderer), so a fault
of the renderer shows here. Prints every fault and exits 1 when there is one.

  osd_art_check.py --manifest pictures.txt --catalogue OsdPictures.h --art DIR
"""

import argparse
import os
import pathlib
import re
import struct
import sys

MAGENTA = (255, 0, 255)
YELLOW = (255, 242, 0)
BLACK = (0, 0, 0)


def read_catalogue(path):
    ids, sizes = {}, {}
    for text in pathlib.Path(path).read_text(encoding="utf-8").splitlines():
        m = re.match(r"\s*#define\s+(ID[BIP]_\w+)\s+(\d+)\s*(?://\s*(\d+)\s*x\s*(\d+))?", text)
        if m:
            ids[m.group(1)] = int(m.group(2))
            if m.group(3):
                sizes[m.group(1)] = (int(m.group(3)), int(m.group(4)))
    return ids, sizes


def read_list(path):
    entries = []
    for text in pathlib.Path(path).read_text(encoding="utf-8").splitlines():
        fields = text.split("#", 1)[0].split()
        if fields:
            entries.append(fields)
    return entries


def read_bitmap(path):
    """(width, height, rows of (r, g, b) top to bottom), or a fault text."""
    data = pathlib.Path(path).read_bytes()
    if len(data) < 54 or data[:2] != b"BM":
        return "not a bitmap file"
    file_size, _, _, offset = struct.unpack("<IHHI", data[2:14])
    header, width, height, planes, bits, compression = struct.unpack("<IiiHHI", data[14:34])
    if header != 40:
        return "header of %d bytes, not the 40-byte BITMAPINFOHEADER" % header
    if bits != 24 or compression != 0 or planes != 1:
        return "%d bits per pixel, compression %d: not an uncompressed 24-bit bitmap" % (bits, compression)
    if height <= 0:
        return "rows stored top-down"
    stride = (width * 3 + 3) // 4 * 4
    if file_size != len(data) or len(data) < offset + stride * height:
        return "file size %d does not hold %dx%d pixels" % (len(data), width, height)
    rows = []
    for y in range(height):
        start = offset + (height - 1 - y) * stride
        row = data[start : start + width * 3]
        rows.append([(row[i + 2], row[i + 1], row[i]) for i in range(0, width * 3, 3)])
    return width, height, rows


def read_icon(path):
    """[(width, height, bits, alpha values)] of each image, or a fault text."""
    data = pathlib.Path(path).read_bytes()
    if len(data) < 6:
        return "not an icon file"
    reserved, kind, count = struct.unpack("<HHH", data[:6])
    if reserved or kind != 1 or len(data) < 6 + 16 * count:
        return "not an icon file"
    images = []
    for i in range(count):
        w, h, _, _, _, bits, size, offset = struct.unpack("<BBBBHHII", data[6 + 16 * i : 22 + 16 * i])
        w, h = w or 256, h or 256
        body = data[offset : offset + size]
        if len(body) != size:
            return "image %d lies past the end of the file" % i
        alphas = set()
        if body[:4] == b"\x89PNG":
            alphas = None  # a PNG image carries its alpha itself
        else:
            header, bw, bh, _, dib_bits = struct.unpack("<IiiHH", body[:16])
            if header != 40 or bw != w or bh != 2 * h:
                return "image %d: its bitmap is %dx%d, the directory says %dx%d" % (i, bw, bh // 2, w, h)
            bits = dib_bits
            if bits == 32:
                pixels = body[header : header + w * h * 4]
                alphas = set(pixels[3::4])
        images.append((w, h, bits, alphas))
    return images


class Check:
    def __init__(self):
        self.faults = []

    def fault(self, name, text):
        self.faults.append("%s: %s" % (name, text))


def check_bitmap(check, name, mode, size, bitmap):
    if isinstance(bitmap, str):
        check.fault(name, bitmap)
        return
    width, height, rows = bitmap
    if (width, height) != size:
        check.fault(name, "%dx%d, the list says %dx%d" % (width, height, size[0], size[1]))
        return
    colours = {px for row in rows for px in row}
    if len(colours) < 2 and mode != "yellow-solid":
        check.fault(name, "a single colour: the drawing rendered empty")
    if mode == "magenta":
        kx, ky = (2, 2) if min(width, height) <= 16 else (5, 5)
        if rows[ky][kx] != MAGENTA:
            check.fault(name, "key pixel (%d, %d) is %02X%02X%02X, not magenta" % ((kx, ky) + rows[ky][kx]))
        fringe = [(x, y) for y, row in enumerate(rows) for x, (r, g, b) in enumerate(row)
                  if r > 200 and b > 200 and g < 60 and (r, g, b) != MAGENTA]
        if fringe:
            check.fault(name, "%d pink fringe pixels, first at %s" % (len(fringe), fringe[0]))
    if mode.startswith("yellow"):
        blacks = [(x, y) for y, row in enumerate(rows) for x, px in enumerate(row) if px == BLACK]
        if blacks:
            check.fault(name, "%d pure black pixels (transparent in the program), first at %s" % (len(blacks), blacks[0]))
        fringe = [(x, y) for y, row in enumerate(rows) for x, (r, g, b) in enumerate(row)
                  if r > 200 and g > 190 and b < 80 and (r, g, b) != YELLOW]
        if fringe:
            check.fault(name, "%d yellow fringe pixels, first at %s" % (len(fringe), fringe[0]))
    if mode == "yellow-panel":
        corners = [rows[0][0], rows[0][-1], rows[-1][0], rows[-1][-1]]
        if any(c != YELLOW for c in corners):
            check.fault(name, "a corner is not the key yellow")
        centre = [px for row in rows[height // 4 : height * 3 // 4] for px in row[width // 4 : width * 3 // 4]]
        if YELLOW in centre:
            check.fault(name, "key yellow inside the panel")
    if mode.startswith("yellow-over") and YELLOW not in colours:
        check.fault(name, "no key yellow around the symbol: it would hide the panel")
    if mode == "yellow-solid" and YELLOW in colours:
        check.fault(name, "key yellow in a tick")


def lightness(bitmap):
    _, _, rows = bitmap
    pixels = [px for row in rows for px in row]
    return sum(0.3 * r + 0.59 * g + 0.11 * b for r, g, b in pixels) / len(pixels)


def check_ticks(check, ticks):
    """A tick named _UNLIT_ is clearly dimmer than its _LIT_ partner."""
    for macro, bitmap in ticks.items():
        partner = macro.replace("_UNLIT_", "_LIT_")
        if partner != macro and partner in ticks:
            lit, unlit = lightness(ticks[partner]), lightness(bitmap)
            if unlit + 60 > lit:
                check.fault(macro, "lightness %d is not clearly below %s's %d" % (unlit, partner, lit))


def check_icon(check, name, sizes, icon, art, stem, resource_id):
    if isinstance(icon, str):
        check.fault(name, icon)
        return
    found = [(w, h) for w, h, _, _ in icon]
    if sorted(found) != sorted(sizes):
        check.fault(name, "sizes %s, the list says %s" % (found, sizes))
    for w, h, bits, alphas in icon:
        if bits != 32:
            check.fault(name, "%dx%d image has %d bits, not 32 (no alpha)" % (w, h, bits))
        elif alphas is not None and not (0 in alphas and 255 in alphas):
            check.fault(name, "%dx%d image is not opaque on a transparent ground" % (w, h))
    # The pieces the resource script names: one image per size and the group.
    group_path = os.path.join(art, stem + ".group")
    if not os.path.exists(group_path):
        check.fault(name, "no icon group " + group_path)
        return
    group = pathlib.Path(group_path).read_bytes()
    count = struct.unpack("<HHH", group[:6])[2] if len(group) >= 6 else -1
    if count != len(sizes) or len(group) != 6 + 14 * count:
        check.fault(name, "the icon group lists %d images, not %d" % (count, len(sizes)))
        return
    for i in range(count):
        w, _, _, _, _, bits, size, ident = struct.unpack("<BBBBHHIH", group[6 + 14 * i : 20 + 14 * i])
        piece = os.path.join(art, "%s-%d.icon" % (stem, w or 256))
        if not os.path.exists(piece) or os.path.getsize(piece) != size:
            check.fault(name, "icon image %s missing or not %d bytes" % (piece, size))
        if ident != resource_id * 10 + i:
            check.fault(name, "icon image %d numbered %d" % (i, ident))


def check_png(check, name, size, path):
    """A PNG picture of the listed size, 8-bit RGBA, read from its header."""
    data = pathlib.Path(path).read_bytes()
    if len(data) < 33 or data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        check.fault(name, "not a PNG file")
        return
    width, height, depth, colour = struct.unpack(">IIBB", data[16:26])
    if (width, height) != size:
        check.fault(name, "%dx%d, the list says %dx%d" % ((width, height) + size))
    if depth != 8 or colour != 6:
        check.fault(name, "depth %d, colour type %d: not 8-bit RGBA" % (depth, colour))


def rc_line(macro, stem, key):
    if key == "icon":
        return '%s 14 "%s.group"' % (macro, stem)
    if key == "png":
        return '%s PNG "%s.png"' % (macro, stem)
    return '%s BITMAP "%s.bmp"' % (macro, stem)


def check_rc(check, rc_path, entries):
    if not os.path.exists(rc_path):
        check.fault(rc_path, "missing")
        return
    rc = pathlib.Path(rc_path).read_text(encoding="utf-8")
    for macro, drawing, _, key in entries:
        stem = os.path.splitext(drawing)[0]
        line = rc_line(macro, stem, key)
        if line not in rc.splitlines():
            check.fault(rc_path, "does not say " + line)


def main(argv):
    parser = argparse.ArgumentParser()
    parser.add_argument("--manifest", required=True)
    parser.add_argument("--catalogue", required=True)
    parser.add_argument("--art", required=True)
    parser.add_argument("--rc", default="OsdArt.rc")
    args = parser.parse_args(argv)
    ids, stated = read_catalogue(args.catalogue)
    entries = read_list(args.manifest)
    check = Check()
    listed = set()
    ticks = {}
    for fields in entries:
        if len(fields) != 4:
            check.fault(args.manifest, "line '%s' is not MACRO DRAWING SIZE KEY" % " ".join(fields))
            continue
        macro, drawing, size_text, key = fields
        listed.add(macro)
        stem = os.path.splitext(drawing)[0]
        if macro not in ids:
            check.fault(macro, "not in the catalogue")
            continue
        if key == "icon":
            sizes = [(int(s), int(s)) for s in size_text.split(",")]
            path = os.path.join(args.art, stem + ".ico")
            if not os.path.exists(path):
                check.fault(macro, "no icon " + path)
                continue
            check_icon(check, "%s (%s)" % (macro, os.path.basename(path)), sizes, read_icon(path), args.art, stem,
                       ids[macro])
            continue
        w, h = (int(v) for v in size_text.split("x"))
        if macro in stated and stated[macro] != (w, h):
            check.fault(macro, "listed %dx%d, catalogued %dx%d" % ((w, h) + stated[macro]))
        if key == "png":
            path = os.path.join(args.art, stem + ".png")
            if not os.path.exists(path):
                check.fault(macro, "no picture " + path)
            else:
                check_png(check, "%s (%s)" % (macro, os.path.basename(path)), (w, h), path)
            continue
        path = os.path.join(args.art, stem + ".bmp")
        if not os.path.exists(path):
            check.fault(macro, "no bitmap " + path)
            continue
        bitmap = read_bitmap(path)
        check_bitmap(check, "%s (%s)" % (macro, os.path.basename(path)), key, (w, h), bitmap)
        if key == "yellow-solid" and not isinstance(bitmap, str):
            ticks[macro] = bitmap
    check_ticks(check, ticks)
    for macro in sorted(set(ids) - listed):
        check.fault(macro, "catalogued but not in the picture list")
    check_rc(check, os.path.join(args.art, args.rc), [e for e in entries if len(e) == 4])
    for text in check.faults:
        print("FAULT " + text)
    print("osd art check: %d pictures, %d faults" % (len(entries), len(check.faults)))
    return 1 if check.faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
