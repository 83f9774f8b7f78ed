#!/usr/bin/env python3
"""Writes the drawings of the on-screen displays that share their symbols.

The sun and the speaker are drawn once here, on a 100-unit grid, and placed
into every picture that shows them, so that strokes and proportions agree
across the styles. Run it after changing a shape and commit the drawings it
writes; the build renders the drawings, not this script.

  python3 make-drawings.py [folder]     (default: the folder of this script)
"""

import math
import os
import sys

WHITE = "#ffffff"

# Classic panel style: light symbols on the blue panel.
CLASSIC_SHADOW = "#0e2b4a"
CLASSIC_CROSS = "#ff9a85"

# Slider style: a dark graphite panel shown at 70 %.
SLIDER_TOP = "#39444f"
SLIDER_BOTTOM = "#171c23"
SLIDER_EDGE = "#0c1015"
SLIDER_SYMBOL = "#f4f7fa"
SLIDER_SUN = "#ffd866"
SLIDER_WAVES = "#62cdf5"
SLIDER_RAMP_START = "#566373"
SLIDER_RAMP = {"brightness": "#ffd866", "volume": "#62cdf5", "muted": "#9aa4b1"}
SLIDER_MUTED_SYMBOL = "#b9c1cb"
SLIDER_CROSS = "#ff6f5c"

# Outline style: white line symbols on a graphite panel ringed by a pale line.
OUTLINE_TOP = "#2c3643"
OUTLINE_BOTTOM = "#171d25"
OUTLINE_RIM = "#10151b"
OUTLINE_RING = "#d5dee8"
OUTLINE_SYMBOL = "#f3f7fb"
OUTLINE_CROSS = "#ff7f6b"
OUTLINE_LIT = "#eef3f8"
OUTLINE_UNLIT = "#3d4756"

# Dialog icons: coloured symbols with dark contours, for pale dialogs.
ICON_SUN_LIGHT = "#ffe27a"
ICON_SUN_DEEP = "#f7a511"
ICON_SUN_CONTOUR = "#b05d00"
ICON_RAYS = "#e58a00"
ICON_SUN_PALE_LIGHT = "#fff1c2"
ICON_SUN_PALE_DEEP = "#f2c25a"
ICON_RAYS_PALE = "#e3a94a"
ICON_SPEAKER_LIGHT = "#7f9cba"
ICON_SPEAKER_DEEP = "#34506d"
ICON_SPEAKER_CONTOUR = "#1c2e42"
ICON_WAVES = "#2b74c2"
ICON_CROSS = "#d8322a"


def num(v):
    text = "%.2f" % v
    return text.rstrip("0").rstrip(".") if "." in text else text


def svg(width, height, body, defs=""):
    head = '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">\n' % (
        width, height, width, height)
    if defs:
        head += "  <defs>\n%s  </defs>\n" % defs
    return head + body + "</svg>\n"


def vertical_gradient(ident, top, bottom, y1=0, y2=1, units=""):
    extra = ' gradientUnits="userSpaceOnUse"' if units else ""
    return ('    <linearGradient id="%s" x1="0" y1="%s" x2="0" y2="%s"%s>\n'
            '      <stop offset="0" stop-color="%s"/>\n      <stop offset="1" stop-color="%s"/>\n'
            "    </linearGradient>\n") % (ident, num(y1), num(y2), extra, top, bottom)


def shadow_filter(ident, blur):
    return ('    <filter id="%s" x="-20%%" y="-20%%" width="140%%" height="140%%">\n'
            '      <feGaussianBlur stdDeviation="%s"/>\n    </filter>\n') % (ident, num(blur))


def place(x, y, size, body):
    """A symbol of the 100-unit grid placed in a box of size pixels at (x, y)."""
    return '  <g transform="translate(%s %s) scale(%s)">\n%s  </g>\n' % (num(x), num(y), num(size / 100), body)


# --- the shared symbols (100-unit grid, centre 50, 50) ----------------------


def sun_rays(inner, outer, width, colour, count=8):
    d = ""
    for i in range(count):
        a = math.radians(i * 360 / count - 90)
        d += "M%s %sL%s %s" % (num(50 + inner * math.cos(a)), num(50 + inner * math.sin(a)),
                               num(50 + outer * math.cos(a)), num(50 + outer * math.sin(a)))
    return '    <path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round"/>\n' % (
        d, colour, num(width))


def sun_solid(fill):
    """A filled disc with eight rays."""
    return sun_rays(30, 45, 8.5, fill) + '    <circle cx="50" cy="50" r="19" fill="%s"/>\n' % fill


def sun_outline(colour, width=7):
    return sun_rays(31, 44, width, colour) + (
        '    <circle cx="50" cy="50" r="%s" fill="none" stroke="%s" stroke-width="%s"/>\n' % (
            num(19 - width / 2 + 1), colour, num(width)))


SPEAKER_BODY = "M14 37H29L50 17V83L29 63H14Z"
WAVE_CENTRE = (54, 50)


def speaker_waves(colour, width):
    cx, cy = WAVE_CENTRE
    d = ""
    for r in (15, 29):
        a = math.radians(46)
        d += "M%s %sA%s %s 0 0 1 %s %s" % (num(cx + r * math.cos(a)), num(cy - r * math.sin(a)), r, r,
                                           num(cx + r * math.cos(a)), num(cy + r * math.sin(a)))
    return '    <path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round"/>\n' % (
        d, colour, num(width))


def speaker_cross(colour, width):
    return ('    <path d="M62 39L84 61M84 39L62 61" fill="none" stroke="%s" stroke-width="%s" '
            'stroke-linecap="round"/>\n') % (colour, num(width))


def speaker_solid(fill, contour=None, contour_width=3):
    # A stroke of its own colour rounds the corners of the filled body.
    stroke = contour or fill
    return '    <path d="%s" fill="%s" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>\n' % (
        SPEAKER_BODY, fill, stroke, num(contour_width))


def speaker_outline(colour, width=7):
    return '    <path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>\n' % (
        SPEAKER_BODY, colour, num(width))


# --- classic panel style ----------------------------------------------------


def classic_symbol(width, height, symbol):
    size = 84
    x, y = (width - size) / 2, (height - size) / 2
    shadow = place(x, y + 1.6, size, symbol(CLASSIC_SHADOW, CLASSIC_SHADOW))
    shadow = shadow.replace("<g ", '<g opacity="0.55" filter="url(#shadow)" ', 1)
    return svg(width, height, shadow + place(x, y, size, symbol(WHITE, CLASSIC_CROSS)),
               shadow_filter("shadow", 1.4))


def classic_sun(main, _accent):
    return sun_solid(main)


def classic_speaker(main, _accent):
    return speaker_solid(main) + speaker_waves(main, 8)


def classic_speaker_muted(main, accent):
    return speaker_solid(main) + speaker_cross(accent, 8.5)


def classic_sign(plus):
    body = '  <rect x="3" y="6" width="9" height="3" fill="%s"/>\n' % WHITE
    if plus:
        body += '  <rect x="6" y="3" width="3" height="9" fill="%s"/>\n' % WHITE
    return svg(15, 15, body)


# --- slider style -----------------------------------------------------------


def slider(kind):
    ramp = SLIDER_RAMP[kind]
    defs = vertical_gradient("face", SLIDER_TOP, SLIDER_BOTTOM)
    defs += ('    <linearGradient id="ramp" x1="62" y1="0" x2="222" y2="0" gradientUnits="userSpaceOnUse">\n'
             '      <stop offset="0" stop-color="%s"/>\n      <stop offset="1" stop-color="%s"/>\n'
             "    </linearGradient>\n") % (SLIDER_RAMP_START, ramp)
    defs += ('    <linearGradient id="gloss" x1="0" y1="0" x2="0" y2="1">\n'
             '      <stop offset="0" stop-color="#ffffff" stop-opacity="0.1"/>\n'
             '      <stop offset="1" stop-color="#ffffff" stop-opacity="0"/>\n    </linearGradient>\n')
    body = '  <rect width="280" height="150" fill="url(#face)"/>\n'
    body += '  <rect x="1" y="1" width="278" height="70" fill="url(#gloss)"/>\n'
    body += '  <rect x="0.5" y="0.5" width="279" height="149" fill="none" stroke="%s"/>\n' % SLIDER_EDGE
    body += '  <rect x="1.5" y="1.5" width="277" height="147" fill="none" stroke="#ffffff" stroke-opacity="0.09"/>\n'
    if kind == "brightness":
        symbol = sun_solid(SLIDER_SUN)
    elif kind == "volume":
        symbol = speaker_solid(SLIDER_SYMBOL) + speaker_waves(SLIDER_WAVES, 8)
    else:
        symbol = speaker_solid(SLIDER_MUTED_SYMBOL) + speaker_cross(SLIDER_CROSS, 8.5)
    body += place(106, 12, 68, symbol)
    # The ramp: a groove the knob rides in, and the wedge that grows with the level.
    body += '  <path d="M62 116.5L222 116.5L222 98.5Q222 97 220.5 97.2L63.5 114.2Q62 114.4 62 115.5Z" fill="url(#ramp)"/>\n'
    body += '  <path d="M62 117.5H222" stroke="#000000" stroke-opacity="0.35"/>\n'
    body += '  <rect x="27" y="106.5" width="13" height="3" rx="1" fill="%s" fill-opacity="0.85"/>\n' % SLIDER_SYMBOL
    body += '  <rect x="240" y="106.5" width="13" height="3" rx="1" fill="%s" fill-opacity="0.85"/>\n' % SLIDER_SYMBOL
    body += '  <rect x="245" y="101.5" width="3" height="13" rx="1" fill="%s" fill-opacity="0.85"/>\n' % SLIDER_SYMBOL
    return svg(280, 150, body, defs)


# --- outline style ----------------------------------------------------------


def outline_panel(size):
    s = size / 140
    defs = vertical_gradient("face", OUTLINE_TOP, OUTLINE_BOTTOM)
    body = '  <rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="url(#face)" stroke="%s" stroke-width="%s"/>\n' % (
        num(1.5 * s), num(1.5 * s), num(size - 3 * s), num(size - 3 * s), num(24 * s), OUTLINE_RIM, num(2 * s))
    inset = 6 * s
    body += ('  <rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="none" stroke="%s" '
             'stroke-opacity="0.6" stroke-width="%s"/>\n') % (
        num(inset), num(inset), num(size - 2 * inset), num(size - 2 * inset), num(19.5 * s), OUTLINE_RING, num(1.5 * s))
    return svg(size, size, body, defs)


def outline_symbol(size, kind):
    width = 7
    if kind == "sun":
        symbol = sun_outline(OUTLINE_SYMBOL, width)
    elif kind == "speaker":
        symbol = speaker_outline(OUTLINE_SYMBOL, width) + speaker_waves(OUTLINE_SYMBOL, width)
    else:
        symbol = speaker_outline(OUTLINE_SYMBOL, width) + speaker_cross(OUTLINE_CROSS, width + 0.5)
    return svg(size, size, place(0, 0, size, symbol))


def tick(width, height, lit):
    return svg(width, height, '  <rect width="%d" height="%d" fill="%s"/>\n' % (
        width, height, OUTLINE_LIT if lit else OUTLINE_UNLIT))


# --- dialog icons -----------------------------------------------------------


def icon_sun(level):
    # Low is a pale sun with stubs of rays, high a vivid one with long rays.
    light, deep, rays, outer = {
        "low": (ICON_SUN_PALE_LIGHT, ICON_SUN_PALE_DEEP, ICON_RAYS_PALE, 34.5),
        "middle": (ICON_SUN_LIGHT, ICON_SUN_DEEP, ICON_RAYS, 38.5),
        "high": (ICON_SUN_LIGHT, ICON_SUN_DEEP, ICON_RAYS, 43),
    }[level]
    defs = vertical_gradient("disc", light, deep, 0.2, 0.85)
    body = sun_rays(32, outer, 12.5, rays)
    body += '    <circle cx="50" cy="50" r="%s" fill="url(#disc)" stroke="%s" stroke-width="4"/>\n' % (
        num(20 if level == "high" else 19), ICON_SUN_CONTOUR)
    return svg(48, 48, place(0, 0, 48, body), defs)


def icon_speaker(muted):
    defs = vertical_gradient("body", ICON_SPEAKER_LIGHT, ICON_SPEAKER_DEEP, 0.2, 0.8)
    body = speaker_solid("url(#body)", ICON_SPEAKER_CONTOUR, 4.5)
    body += speaker_cross(ICON_CROSS, 12.5) if muted else speaker_waves(ICON_WAVES, 12.5)
    return svg(48, 48, place(0, 0, 48, body), defs)


DRAWINGS = {
    "osd-sun-97x91.svg": lambda: classic_symbol(97, 91, classic_sun),
    "osd-speaker-97x91.svg": lambda: classic_symbol(97, 91, classic_speaker),
    "osd-speaker-muted-97x91.svg": lambda: classic_symbol(97, 91, classic_speaker_muted),
    "osd-minus-15x15.svg": lambda: classic_sign(False),
    "osd-plus-15x15.svg": lambda: classic_sign(True),
    "slider-brightness-280x150.svg": lambda: slider("brightness"),
    "slider-brightness-alt-280x150.svg": lambda: slider("brightness"),
    "slider-volume-280x150.svg": lambda: slider("volume"),
    "slider-volume-muted-280x150.svg": lambda: slider("muted"),
    "outline-panel-140x140.svg": lambda: outline_panel(140),
    "outline-panel-210x210.svg": lambda: outline_panel(210),
    "outline-sun-74x74.svg": lambda: outline_symbol(74, "sun"),
    "outline-sun-110x110.svg": lambda: outline_symbol(110, "sun"),
    "outline-speaker-74x74.svg": lambda: outline_symbol(74, "speaker"),
    "outline-speaker-110x110.svg": lambda: outline_symbol(110, "speaker"),
    "outline-speaker-muted-74x74.svg": lambda: outline_symbol(74, "muted"),
    "outline-speaker-muted-110x110.svg": lambda: outline_symbol(110, "muted"),
    "outline-brightness-tick-lit-4x8.svg": lambda: tick(4, 8, True),
    "outline-brightness-tick-unlit-4x8.svg": lambda: tick(4, 8, False),
    "outline-brightness-tick-lit-5x11.svg": lambda: tick(5, 11, True),
    "outline-brightness-tick-unlit-5x11.svg": lambda: tick(5, 11, False),
    "outline-volume-tick-lit-2x8.svg": lambda: tick(2, 8, True),
    "outline-volume-tick-unlit-2x8.svg": lambda: tick(2, 8, False),
    "outline-volume-tick-lit-3x11.svg": lambda: tick(3, 11, True),
    "outline-volume-tick-unlit-3x11.svg": lambda: tick(3, 11, False),
    "icon-brightness-low.svg": lambda: icon_sun("low"),
    "icon-brightness-middle.svg": lambda: icon_sun("middle"),
    "icon-brightness-high.svg": lambda: icon_sun("high"),
    "icon-speaker.svg": lambda: icon_speaker(False),
    "icon-speaker-muted.svg": lambda: icon_speaker(True),
}


# --- lock keys, eject and the light sensor ----------------------------------
# A padlock on the 100-unit grid: closed while its key is on, its shackle
# lifted and turned aside while off; the key's mark is cut into the body:
# A for Caps Lock, 1 for Num Lock, a two-headed arrow for Scroll Lock.

LOCK_ON = "#ffffff"
LOCK_OFF = "#a9bdd3"
LOCK_LAMP = "#ffd24a"
LOCK_TILE_TOP = "#3a4652"
LOCK_TILE_BOTTOM = "#161b22"
LOCK_TILE_OFF = "#7d8896"
LOCK_ICON_BODY_LIGHT = "#ffe27a"
LOCK_ICON_BODY_DEEP = "#e69a12"
LOCK_ICON_CONTOUR = "#7a4300"
LOCK_ICON_MARK = "#5a3000"
LOCK_ICON_TILE_LIGHT = "#9fd7ff"
LOCK_ICON_TILE_DEEP = "#2f7fcf"
LOCK_ICON_TILE_CONTOUR = "#12385f"
LOCK_ICON_TILE_MARK = "#0b2440"
EJECT_SYMBOL = "#f4f7fa"
ALS_LENS_ON = "#ffd24a"
ALS_RAYS_ON = "#f29f05"
ALS_BODY = "#4b5b6e"
ALS_OFF = "#a3acb8"
ALS_CROSS = "#d8322a"

LOCK_BODY = "M22 46H78Q82 46 82 50V84Q82 88 78 88H22Q18 88 18 84V50Q18 46 22 46Z"
LOCK_MARKS = {
    "caps": "M39 80L50 53L61 80M43.5 70H56.5",
    "num": "M43 59L52 53V81M44 81H60",
    "scroll": "M50 53V81M43 60L50 53L57 60M43 74L50 81L57 74",
}


def lock_shackle(closed, colour, width):
    # Closed: both legs in the body. Open: lifted, the right leg free.
    if closed:
        d = "M32 46V32A18 18 0 0 1 68 32V46"
    else:
        d = "M32 46V22A18 18 0 0 1 68 22V30"
    return '    <path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round"/>\n' % (
        d, colour, num(width))


def lock_solid(kind, on, body, mark, shackle=None, contour=None, shackle_width=9):
    out = lock_shackle(on, shackle or body, shackle_width)
    out += '    <path d="%s" fill="%s"%s/>\n' % (
        LOCK_BODY, body, ' stroke="%s" stroke-width="4" stroke-linejoin="round"' % contour if contour else "")
    out += '    <path d="%s" fill="none" stroke="%s" stroke-width="6" stroke-linecap="round" stroke-linejoin="round"/>\n' % (
        LOCK_MARKS[kind], mark)
    return out


def lock_outline(kind, on, colour, width=6):
    out = lock_shackle(on, colour, width)
    out += '    <path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>\n' % (
        LOCK_BODY, colour, num(width))
    out += '    <path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round" stroke-linejoin="round"/>\n' % (
        LOCK_MARKS[kind], colour, num(width - 0.5))
    return out


def lock_panel(kind, on):
    """The panel style's 48 x 48 padlock on magenta, with the classic shadow."""
    body = LOCK_ON if on else LOCK_OFF
    size = 44
    x = y = 2
    shadow = place(x, y + 1.2, size, lock_solid(kind, on, CLASSIC_SHADOW, CLASSIC_SHADOW))
    shadow = shadow.replace("<g ", '<g opacity="0.55" filter="url(#shadow)" ', 1)
    front = place(x, y, size, lock_solid(kind, on, body, "#2c5a8a"))
    return svg(48, 48, shadow + front, shadow_filter("shadow", 1.2))


def status_tile(symbol):
    defs = vertical_gradient("face", LOCK_TILE_TOP, LOCK_TILE_BOTTOM)
    body = '  <rect width="200" height="200" fill="url(#face)"/>\n'
    body += '  <rect x="0.5" y="0.5" width="199" height="199" fill="none" stroke="%s"/>\n' % SLIDER_EDGE
    body += '  <rect x="1.5" y="1.5" width="197" height="197" fill="none" stroke="#ffffff" stroke-opacity="0.09"/>\n'
    return svg(200, 200, body + symbol, defs)


def lock_tile(kind, on):
    """The bitmap style's 200 x 200 tile: a lit padlock, or a grey open one."""
    colour = LOCK_ON if on else LOCK_TILE_OFF
    symbol = place(30, 22, 140, lock_solid(kind, on, colour, LOCK_TILE_BOTTOM))
    if on:
        symbol += '  <circle cx="100" cy="182" r="6" fill="%s"/>\n' % LOCK_LAMP
    else:
        symbol += '  <circle cx="100" cy="182" r="6" fill="none" stroke="%s" stroke-width="2"/>\n' % LOCK_TILE_OFF
    return status_tile(symbol)


def eject_tile():
    symbol = ('  <path d="M100 42L152 108H48Z" fill="%s" stroke="%s" stroke-width="6" stroke-linejoin="round"/>\n'
              '  <rect x="48" y="128" width="104" height="22" rx="4" fill="%s"/>\n') % (
        EJECT_SYMBOL, EJECT_SYMBOL, EJECT_SYMBOL)
    return status_tile(symbol)


def lock_outline_symbol(size, kind, on):
    colour = OUTLINE_SYMBOL if on else OUTLINE_UNLIT_SYMBOL
    return svg(size, size, place(0, 0, size, lock_outline(kind, on, colour)))


OUTLINE_UNLIT_SYMBOL = "#8894a3"


def lock_icon(kind, tile):
    light, deep, contour, mark = ((LOCK_ICON_TILE_LIGHT, LOCK_ICON_TILE_DEEP, LOCK_ICON_TILE_CONTOUR, LOCK_ICON_TILE_MARK)
                                  if tile else
                                  (LOCK_ICON_BODY_LIGHT, LOCK_ICON_BODY_DEEP, LOCK_ICON_CONTOUR, LOCK_ICON_MARK))
    defs = vertical_gradient("body", light, deep, 0.45, 0.95)
    body = lock_solid(kind, True, "url(#body)", mark, shackle=contour, contour=contour, shackle_width=10)
    return svg(48, 48, place(0, 0, 48, body), defs)


def als_picture(on):
    """The light sensor's dialog: a sensor window, lit with rays or greyed and crossed."""
    body = '  <rect width="48" height="48" fill="#ffffff"/>\n'
    if on:
        symbol = sun_rays(33, 46, 7, ALS_RAYS_ON)
        symbol += '    <circle cx="50" cy="50" r="24" fill="%s" stroke="%s" stroke-width="5"/>\n' % (ALS_BODY, ALS_BODY)
        symbol += '    <circle cx="50" cy="50" r="15" fill="%s"/>\n' % ALS_LENS_ON
    else:
        symbol = '    <circle cx="50" cy="50" r="24" fill="%s" stroke="%s" stroke-width="5"/>\n' % (ALS_OFF, ALS_OFF)
        symbol += '    <circle cx="50" cy="50" r="15" fill="#e6e9ee"/>\n'
        symbol += '    <path d="M18 82L82 18" stroke="%s" stroke-width="8" stroke-linecap="round"/>\n' % ALS_CROSS
    return svg(48, 48, body + place(0, 0, 48, symbol))


STATUS_DRAWINGS = {
    "outline-status-panel-120x120.svg": lambda: outline_panel(120),
    "outline-status-panel-180x180.svg": lambda: outline_panel(180),
    "tile-eject-200x200.svg": eject_tile,
    "als-on-48x48.svg": lambda: als_picture(True),
    "als-off-48x48.svg": lambda: als_picture(False),
}
for _kind in ("caps", "num", "scroll"):
    for _on in (True, False):
        _state = "on" if _on else "off"
        STATUS_DRAWINGS["lock-%s-%s-48x48.svg" % (_kind, _state)] = (lambda k=_kind, o=_on: lock_panel(k, o))
        if _kind == "scroll":
            continue
        STATUS_DRAWINGS["tile-%s-%s-200x200.svg" % (_kind, _state)] = (lambda k=_kind, o=_on: lock_tile(k, o))
        for _size in (74, 110):
            STATUS_DRAWINGS["outline-%s-%s-%dx%d.svg" % (_kind, _state, _size, _size)] = (
                lambda k=_kind, o=_on, n=_size: lock_outline_symbol(n, k, o))
    STATUS_DRAWINGS["icon-lock-%s.svg" % _kind] = (lambda k=_kind: lock_icon(k, False))
for _kind in ("caps", "num"):
    STATUS_DRAWINGS["icon-lock-%s-tile.svg" % _kind] = (lambda k=_kind: lock_icon(k, True))
DRAWINGS.update(STATUS_DRAWINGS)


# --- radio and keyboard-light displays ----------------------------------------
# Wi-Fi, Bluetooth and Mobile Broadband symbols, the on/off tiles of the
# wireless key and the keyboard light, on the same 100-unit grid.

RADIO_DIALOG_FACE = "#eef2f7"
RADIO_DIALOG_EDGE = "#b7c3d2"
RADIO_DIALOG_ON = "#1f63b0"
RADIO_DIALOG_OFF = "#9aa4b1"
RADIO_CROSS = "#d8322a"
RADIO_TILE_LIT = "#62cdf5"
RADIO_TILE_FACE = "#2a333d"
RADIO_TILE_FACE_LIT = "#3d5466"
RADIO_TILE_DIM = "#7d8794"
KEY_LIGHT = "#ffd866"


def radio_wifi(colour, width=8):
    # A dot and three arcs opening upwards from it.
    d = ""
    for r in (20, 36, 52):
        a = math.radians(45)
        d += "M%s %sA%s %s 0 0 1 %s %s" % (num(50 - r * math.sin(a)), num(80 - r * math.cos(a)), r, r,
                                           num(50 + r * math.sin(a)), num(80 - r * math.cos(a)))
    return ('    <path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round"/>\n'
            '    <circle cx="50" cy="80" r="%s" fill="%s"/>\n') % (d, colour, num(width), num(width * 0.9), colour)


def radio_bluetooth(colour, width=8):
    return ('    <path d="M30 33L68 66L50 84V16L68 34L30 67" fill="none" stroke="%s" stroke-width="%s" '
            'stroke-linecap="round" stroke-linejoin="round"/>\n') % (colour, num(width))


def radio_wwan(colour, width=8):
    # Four signal bars rising to the right.
    body = ""
    for i, h in enumerate((22, 38, 54, 70)):
        body += '    <rect x="%s" y="%s" width="13" height="%s" rx="2" fill="%s"/>\n' % (
            num(16 + i * 19), num(86 - h), num(h), colour)
    return body


def radio_antenna(colour, width=8):
    # A mast with waves either side: the radios as a whole.
    body = ('    <path d="M50 40V88M36 88H64" fill="none" stroke="%s" stroke-width="%s" '
            'stroke-linecap="round"/>\n') % (colour, num(width))
    body += '    <circle cx="50" cy="36" r="%s" fill="%s"/>\n' % (num(width * 0.9), colour)
    d = ""
    for r in (16, 30):
        for side in (-1, 1):
            a = math.radians(40)
            x1, y1 = 50 + side * r * math.cos(a), 36 - r * math.sin(a)
            x2, y2 = 50 + side * r * math.cos(a), 36 + r * math.sin(a)
            d += "M%s %sA%s %s 0 0 %d %s %s" % (num(x1), num(y1), r, r, 1 if side > 0 else 0, num(x2), num(y2))
    return body + '    <path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round"/>\n' % (
        d, colour, num(width * 0.8))


RADIO_SYMBOLS = {"wifi": radio_wifi, "bluetooth": radio_bluetooth, "wwan": radio_wwan, "antenna": radio_antenna}


def radio_cross(colour, width=9):
    return ('    <path d="M60 60L86 86M86 60L60 86" fill="none" stroke="%s" stroke-width="%s" '
            'stroke-linecap="round"/>\n') % (colour, num(width))


def keyboard(colour, keys, width=5):
    # A keyboard seen from above: a rounded body, three rows of keys and a space bar.
    body = '    <rect x="8" y="42" width="84" height="46" rx="7" fill="none" stroke="%s" stroke-width="%s"/>\n' % (
        colour, num(width))
    for row, count in enumerate((7, 6)):
        for i in range(count):
            x = 16 + i * 10.5 + row * 5
            body += '    <rect x="%s" y="%s" width="7" height="7" rx="1.2" fill="%s"/>\n' % (
                num(x), num(50 + row * 11), keys)
    body += '    <rect x="30" y="73" width="40" height="7" rx="1.2" fill="%s"/>\n' % keys
    return body


def key_light_rays(colour, width=6):
    d = ""
    for angle in (-60, -30, 0, 30, 60):
        a = math.radians(angle - 90)
        d += "M%s %sL%s %s" % (num(50 + 22 * math.cos(a)), num(38 + 22 * math.sin(a)),
                               num(50 + 34 * math.cos(a)), num(38 + 34 * math.sin(a)))
    return '    <path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round"/>\n' % (
        d, colour, num(width))


def radio_dialog(width, height, kind, on):
    # Opaque pictures on the dialog's pale face.
    colour = RADIO_DIALOG_ON if on else RADIO_DIALOG_OFF
    body = '  <rect width="%d" height="%d" fill="%s"/>\n' % (width, height, RADIO_DIALOG_FACE)
    symbol = RADIO_SYMBOLS[kind](colour)
    if not on:
        symbol += radio_cross(RADIO_CROSS)
    size = min(width, height) - 8
    return svg(width, height, body + place((width - size) / 2, (height - size) / 2, size, symbol))


def radio_legacy(on):
    colour = RADIO_DIALOG_ON if on else RADIO_DIALOG_OFF
    body = '  <rect width="75" height="91" fill="%s"/>\n' % RADIO_DIALOG_FACE
    body += '  <rect x="0.5" y="0.5" width="74" height="90" fill="none" stroke="%s"/>\n' % RADIO_DIALOG_EDGE
    symbol = radio_antenna(colour)
    if not on:
        symbol += radio_cross(RADIO_CROSS)
    body += place(5.5, 10, 64, symbol)
    # A lamp below the symbol: green when on, dark when off.
    body += '  <circle cx="37.5" cy="80" r="5" fill="%s" stroke="%s"/>\n' % ("#39b54a" if on else "#6b7480", "#44505e")
    return svg(75, 91, body)


def radio_panel(kind, on):
    symbol = RADIO_SYMBOLS[kind](WHITE if on else "#aeb9c9")
    if not on:
        symbol += radio_cross(CLASSIC_CROSS)
    return svg(48, 48, place(6, 6, 36, symbol))


def radio_tiles(on_lit):
    # Two tiles on the slider style's graphite panel: the radios on, the radios off.
    defs = vertical_gradient("face", SLIDER_TOP, SLIDER_BOTTOM)
    body = '  <rect width="360" height="180" fill="url(#face)"/>\n'
    body += '  <rect x="0.5" y="0.5" width="359" height="179" fill="none" stroke="%s"/>\n' % SLIDER_EDGE
    for index, on in enumerate((True, False)):
        lit = on == on_lit
        x = 24 + index * 168
        body += '  <rect x="%d" y="22" width="144" height="136" rx="14" fill="%s" stroke="%s" stroke-width="%s"/>\n' % (
            x, RADIO_TILE_FACE_LIT if lit else RADIO_TILE_FACE, RADIO_TILE_LIT if lit else "#48525e", 5 if lit else 2)
        colour = WHITE if lit else RADIO_TILE_DIM
        symbol = radio_antenna(colour)
        if not on:
            symbol += radio_cross(RADIO_CROSS if lit else "#8f5a55")
        body += place(x + 22, 32, 100, symbol)
        # The lamp under each tile: lit on the chosen one.
        body += '  <rect x="%d" y="164" width="64" height="6" rx="3" fill="%s"/>\n' % (
            x + 40, RADIO_TILE_LIT if lit else "#3a434e")
    return svg(360, 180, body, defs)


def radio_outline(size, on):
    symbol = radio_antenna(OUTLINE_SYMBOL, 7)
    if not on:
        symbol += radio_cross(OUTLINE_CROSS, 8)
    return svg(size, size, place(0, 0, size, symbol))


def keyboard_dialog(state):
    # state: "keyboard" (plain), "dark" or "lit".
    body = '  <rect width="51" height="53" fill="%s"/>\n' % RADIO_DIALOG_FACE
    if state == "lit":
        symbol = keyboard("#34506d", KEY_LIGHT) + key_light_rays("#f7a511")
    elif state == "dark":
        symbol = keyboard("#6b7480", "#6b7480")
    else:
        symbol = keyboard("#34506d", "#34506d")
    return svg(51, 53, body + place(1.5, 2.5, 48, symbol))


def keyboard_panel(lit):
    symbol = keyboard(WHITE, KEY_LIGHT) + key_light_rays(KEY_LIGHT) if lit else keyboard("#aeb9c9", "#aeb9c9")
    return svg(48, 48, place(6, 6, 36, symbol))


RADIO_DRAWINGS = {
    "radio-legacy-on-75x91.svg": lambda: radio_legacy(True),
    "radio-legacy-off-75x91.svg": lambda: radio_legacy(False),
    "radio-wifi-on-48x48.svg": lambda: radio_dialog(48, 48, "wifi", True),
    "radio-wifi-off-48x48.svg": lambda: radio_dialog(48, 48, "wifi", False),
    "radio-bluetooth-on-48x48.svg": lambda: radio_dialog(48, 48, "bluetooth", True),
    "radio-bluetooth-off-48x48.svg": lambda: radio_dialog(48, 48, "bluetooth", False),
    "radio-wwan-on-48x48.svg": lambda: radio_dialog(48, 48, "wwan", True),
    "radio-wwan-off-48x48.svg": lambda: radio_dialog(48, 48, "wwan", False),
    "panel-wifi-on-48x48.svg": lambda: radio_panel("wifi", True),
    "panel-wifi-off-48x48.svg": lambda: radio_panel("wifi", False),
    "panel-bluetooth-on-48x48.svg": lambda: radio_panel("bluetooth", True),
    "panel-bluetooth-off-48x48.svg": lambda: radio_panel("bluetooth", False),
    "panel-wwan-on-48x48.svg": lambda: radio_panel("wwan", True),
    "panel-wwan-off-48x48.svg": lambda: radio_panel("wwan", False),
    "radio-tiles-on-360x180.svg": lambda: radio_tiles(True),
    "radio-tiles-off-360x180.svg": lambda: radio_tiles(False),
    "outline-radio-on-74x74.svg": lambda: radio_outline(74, True),
    "outline-radio-on-110x110.svg": lambda: radio_outline(110, True),
    "outline-radio-off-74x74.svg": lambda: radio_outline(74, False),
    "outline-radio-off-110x110.svg": lambda: radio_outline(110, False),
    "keyboard-plain-51x53.svg": lambda: keyboard_dialog("keyboard"),
    "keyboard-dark-51x53.svg": lambda: keyboard_dialog("dark"),
    "keyboard-lit-51x53.svg": lambda: keyboard_dialog("lit"),
    "panel-keyboard-lit-48x48.svg": lambda: keyboard_panel(True),
    "panel-keyboard-dark-48x48.svg": lambda: keyboard_panel(False),
}
DRAWINGS.update(RADIO_DRAWINGS)


def main(argv):
    folder = argv[0] if argv else os.path.dirname(os.path.abspath(__file__))
    for name, draw in DRAWINGS.items():
        with open(os.path.join(folder, name), "w", encoding="utf-8", newline="\n") as f:
            f.write(draw())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
