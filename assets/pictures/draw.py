#!/usr/bin/python3
"""Draws every built-in picture of the program from pictures.csv.

usage: draw.py TABLE OUTDIR RCFILE

Beside RCFILE it writes pictures_table.h, the list of pictures with their
formats and sizes, for the checks of the embedded pictures. Each row names a picture, its file format, its size, what it shows (kind and
subject) and the colour zone it sits on, so that opaque pictures blend with the
window background behind them. Pictures are drawn at four times their size and
scaled down for smooth edges. RCFILE lists them as RCDATA resources.
"""
import csv
import math
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFont

SS = 4  # supersampling factor

FONT_DIR = '/usr/share/fonts/truetype/dejavu'
FONT_BOLD = os.path.join(FONT_DIR, 'DejaVuSans-Bold.ttf')
FONT_REGULAR = os.path.join(FONT_DIR, 'DejaVuSans.ttf')

# Colours (RGB).
WINDOW = (0xE8, 0xF3, 0xF9)          # window and page colour
KEY = (255, 0, 0)                    # default transparency key colour
HEADER = (0x2A, 0x5B, 0x86)          # title band of the child windows
HEADER_DARK = (0x1F, 0x47, 0x6B)
MAIN = (0x1F, 0x3B, 0x57)            # main window body
MAIN_STRIP = (0x16, 0x2D, 0x44)      # main window title strip
ACCENT = (0x4A, 0x9B, 0xD8)
WHITE = (255, 255, 255)
GOLD = (0xF2, 0xC9, 0x4C)
GREEN = (0x3B, 0xB2, 0x5E)
ORANGE = (0xE8, 0x91, 0x2D)
RED = (0xD9, 0x4A, 0x3D)
GREY = (0x9A, 0xA7, 0xB3)
SLATE = (0x46, 0x58, 0x6C)
INK = (0x2A, 0x5B, 0x86)

ZONES = {'header': HEADER, 'main': MAIN, 'body': WINDOW}


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def font(size, bold=True):
    return ImageFont.truetype(FONT_BOLD if bold else FONT_REGULAR, size)


class Pen:
    """Draws on a supersampled canvas in picture pixel units."""

    def __init__(self, w, h, bg):
        self.w, self.h = w, h
        mode = 'RGBA' if len(bg) == 4 else 'RGB'
        self.img = Image.new(mode, (w * SS, h * SS), bg)
        self.d = ImageDraw.Draw(self.img)

    @staticmethod
    def p(v):
        return int(round(v * SS))

    def box(self, x0, y0, x1, y1):
        return [self.p(x0), self.p(y0), self.p(x1), self.p(y1)]

    def rect(self, x0, y0, x1, y1, fill=None, outline=None, width=1.0):
        self.d.rectangle(self.box(x0, y0, x1, y1), fill=fill, outline=outline, width=self.p(width) if outline else 0)

    def rrect(self, x0, y0, x1, y1, r, fill=None, outline=None, width=1.0):
        self.d.rounded_rectangle(self.box(x0, y0, x1, y1), radius=self.p(r), fill=fill, outline=outline,
                                 width=self.p(width) if outline else 0)

    def ellipse(self, x0, y0, x1, y1, fill=None, outline=None, width=1.0):
        self.d.ellipse(self.box(x0, y0, x1, y1), fill=fill, outline=outline, width=self.p(width) if outline else 0)

    def circle(self, cx, cy, r, **kw):
        self.ellipse(cx - r, cy - r, cx + r, cy + r, **kw)

    def line(self, pts, fill, width=1.0):
        self.d.line([(self.p(x), self.p(y)) for x, y in pts], fill=fill, width=max(1, self.p(width)), joint='curve')
        r = width / 2
        for x, y in (pts[0], pts[-1]):  # round caps
            self.circle(x, y, r * 0.98, fill=fill)

    def poly(self, pts, fill=None, outline=None):
        self.d.polygon([(self.p(x), self.p(y)) for x, y in pts], fill=fill, outline=outline)

    def arc(self, cx, cy, r, start, end, fill, width=1.0):
        self.d.arc(self.box(cx - r, cy - r, cx + r, cy + r), start, end, fill=fill, width=self.p(width))

    def pie(self, cx, cy, r, start, end, fill):
        self.d.pieslice(self.box(cx - r, cy - r, cx + r, cy + r), start, end, fill=fill)

    def text(self, cx, cy, s, size, fill, bold=True):
        f = font(self.p(size), bold)
        self.d.text((self.p(cx), self.p(cy)), s, font=f, fill=fill, anchor='mm')

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        a, b = self.p(y0), self.p(y1)
        for y in range(a, b):
            t = (y - a) / max(1, b - a - 1)
            self.d.line([(self.p(x0), y), (self.p(x1) - 1, y)], fill=mix(top, bottom, t))

    def result(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


def arrow_head(pen, x, y, angle, size, col):
    """Filled arrow head with its tip at (x, y), pointing along angle (degrees)."""
    a = math.radians(angle)
    back = (x - size * math.cos(a), y - size * math.sin(a))
    n = (-math.sin(a) * size * 0.62, math.cos(a) * size * 0.62)
    pen.poly([(x, y), (back[0] + n[0], back[1] + n[1]), (back[0] - n[0], back[1] - n[1])], fill=col)


def curved_arrow(pen, cx, cy, r, start, end, col, lw, clockwise=True):
    pen.arc(cx, cy, r, start, end, col, lw)
    ang = end if clockwise else start
    a = math.radians(ang)
    x, y = cx + r * math.cos(a), cy + r * math.sin(a)
    tangent = ang + 90 if clockwise else ang - 90
    t = math.radians(tangent)
    tip = (x + math.cos(t) * lw * 1.6, y + math.sin(t) * lw * 1.6)
    arrow_head(pen, tip[0], tip[1], tangent, lw * 3.0, col)


# ---------------------------------------------------------------- glyphs
# Each glyph draws inside the square (x, y, s) with colour c and line width lw.

def g_close(p, x, y, s, c, lw):
    m = s * 0.22
    p.line([(x + m, y + m), (x + s - m, y + s - m)], c, lw)
    p.line([(x + s - m, y + m), (x + m, y + s - m)], c, lw)


def g_cross(p, x, y, s, c, lw):
    g_close(p, x + s * 0.06, y + s * 0.06, s * 0.88, c, lw * 1.1)


def g_help(p, x, y, s, c, lw):
    p.text(x + s / 2, y + s * 0.54, '?', s * 0.95, c)


def g_plus(p, x, y, s, c, lw):
    m = s * 0.2
    p.line([(x + s / 2, y + m), (x + s / 2, y + s - m)], c, lw * 1.2)
    p.line([(x + m, y + s / 2), (x + s - m, y + s / 2)], c, lw * 1.2)


def g_check(p, x, y, s, c, lw):
    p.line([(x + s * 0.18, y + s * 0.52), (x + s * 0.42, y + s * 0.75), (x + s * 0.84, y + s * 0.27)], c, lw * 1.2)


def g_pencil(p, x, y, s, c, lw):
    a = (x + s * 0.78, y + s * 0.12)
    b = (x + s * 0.92, y + s * 0.26)
    cpt = (x + s * 0.34, y + s * 0.84)
    d = (x + s * 0.20, y + s * 0.70)
    p.poly([a, b, cpt, d], fill=c)
    p.poly([d, cpt, (x + s * 0.1, y + s * 0.94)], fill=c)
    p.line([(x + s * 0.66, y + s * 0.24), (x + s * 0.80, y + s * 0.38)], c, lw * 0.45)


def tray(p, x, y, s, c, lw):
    p.line([(x + s * 0.14, y + s * 0.6), (x + s * 0.14, y + s * 0.86), (x + s * 0.86, y + s * 0.86),
            (x + s * 0.86, y + s * 0.6)], c, lw)


def g_import(p, x, y, s, c, lw):
    tray(p, x, y, s, c, lw)
    p.line([(x + s / 2, y + s * 0.1), (x + s / 2, y + s * 0.5)], c, lw)
    arrow_head(p, x + s / 2, y + s * 0.7, 90, s * 0.3, c)


def g_export(p, x, y, s, c, lw):
    tray(p, x, y, s, c, lw)
    p.line([(x + s / 2, y + s * 0.7), (x + s / 2, y + s * 0.34)], c, lw)
    arrow_head(p, x + s / 2, y + s * 0.08, -90, s * 0.3, c)


def g_refresh(p, x, y, s, c, lw):
    curved_arrow(p, x + s / 2, y + s / 2, s * 0.34, -100, 180, c, lw * 0.9)


def g_restart(p, x, y, s, c, lw):
    g_refresh(p, x, y, s, c, lw)
    cx, cy, r = x + s / 2, y + s / 2, s * 0.13
    p.poly([(cx - r * 0.7, cy - r), (cx - r * 0.7, cy + r), (cx + r, cy)], fill=c)


def g_renew4(p, x, y, s, c, lw):
    curved_arrow(p, x + s / 2, y + s / 2, s * 0.36, -60, 230, c, lw * 0.8)
    p.text(x + s / 2, y + s * 0.52, '4', s * 0.42, c)


def g_reset(p, x, y, s, c, lw):
    curved_arrow(p, x + s / 2, y + s / 2, s * 0.38, -60, 230, c, lw * 0.8, clockwise=False)
    p.text(x + s / 2, y + s * 0.52, '0', s * 0.42, c)


def g_rotcw(p, x, y, s, c, lw):
    curved_arrow(p, x + s * 0.5, y + s * 0.62, s * 0.38, 170, 320, c, lw, clockwise=True)


def g_rotccw(p, x, y, s, c, lw):
    curved_arrow(p, x + s * 0.5, y + s * 0.62, s * 0.38, 220, 370, c, lw, clockwise=False)


def g_wps(p, x, y, s, c, lw):
    cx, cy, r = x + s / 2, y + s / 2, s * 0.32
    curved_arrow(p, cx, cy, r, 200, 340, c, lw * 0.9)
    curved_arrow(p, cx, cy, r, 20, 160, c, lw * 0.9)
    p.circle(cx, cy, s * 0.08, fill=c)


def g_plug(p, x, y, s, c, lw):
    # two halves of a plug coming together
    p.rrect(x + s * 0.08, y + s * 0.34, x + s * 0.4, y + s * 0.66, s * 0.06, fill=c)
    p.line([(x + s * 0.4, y + s * 0.42), (x + s * 0.5, y + s * 0.42)], c, lw * 0.6)
    p.line([(x + s * 0.4, y + s * 0.58), (x + s * 0.5, y + s * 0.58)], c, lw * 0.6)
    p.rrect(x + s * 0.58, y + s * 0.3, x + s * 0.84, y + s * 0.7, s * 0.06, fill=c)
    p.line([(x + s * 0.84, y + s * 0.5), (x + s * 0.96, y + s * 0.5)], c, lw)
    p.line([(x + s * 0.04, y + s * 0.5), (x + s * 0.08, y + s * 0.5)], c, lw)


def g_card(p, x, y, s, c, lw, bg=None):
    p.rrect(x + s * 0.08, y + s * 0.2, x + s * 0.92, y + s * 0.8, s * 0.08, outline=c, width=lw * 0.8)
    p.circle(x + s * 0.32, y + s * 0.42, s * 0.09, fill=c)
    p.pie(x + s * 0.32, y + s * 0.72, s * 0.17, 180, 360, c)
    p.line([(x + s * 0.54, y + s * 0.4), (x + s * 0.8, y + s * 0.4)], c, lw * 0.6)
    p.line([(x + s * 0.54, y + s * 0.56), (x + s * 0.74, y + s * 0.56)], c, lw * 0.6)


def badge_plus(p, x, y, s, c, face):
    cx, cy, r = x + s * 0.8, y + s * 0.8, s * 0.22
    p.circle(cx, cy, r, fill=c)
    w = s * 0.07
    p.line([(cx - r * 0.55, cy), (cx + r * 0.55, cy)], face, w)
    p.line([(cx, cy - r * 0.55), (cx, cy + r * 0.55)], face, w)


def g_addcard(p, x, y, s, c, lw, face=None):
    g_card(p, x - s * 0.04, y - s * 0.08, s * 0.92, c, lw)
    badge_plus(p, x, y, s, c, face)


def g_key(p, x, y, s, c, lw):
    p.circle(x + s * 0.3, y + s * 0.5, s * 0.17, outline=c, width=lw)
    p.line([(x + s * 0.46, y + s * 0.5), (x + s * 0.9, y + s * 0.5)], c, lw)
    p.line([(x + s * 0.76, y + s * 0.5), (x + s * 0.76, y + s * 0.68)], c, lw)
    p.line([(x + s * 0.88, y + s * 0.5), (x + s * 0.88, y + s * 0.64)], c, lw)


def g_addkey(p, x, y, s, c, lw, face=None):
    g_key(p, x - s * 0.02, y - s * 0.12, s * 0.9, c, lw)
    badge_plus(p, x, y, s, c, face)


def g_pulse(p, x, y, s, c, lw):
    p.circle(x + s / 2, y + s / 2, s * 0.42, outline=c, width=lw * 0.7)
    p.line([(x + s * 0.16, y + s * 0.54), (x + s * 0.36, y + s * 0.54), (x + s * 0.45, y + s * 0.3),
            (x + s * 0.56, y + s * 0.74), (x + s * 0.65, y + s * 0.46), (x + s * 0.84, y + s * 0.46)], c, lw * 0.8)


def g_wifi(p, x, y, s, c, lw, levels=3, dim=None):
    cx, cy = x + s / 2, y + s * 0.8
    p.circle(cx, cy, s * 0.08, fill=c)
    for i in range(3):
        r = s * (0.26 + 0.2 * i)
        col = c if i < levels or dim is None else dim
        p.arc(cx, cy, r, 225, 315, col, lw)


def g_survey(p, x, y, s, c, lw):
    g_wifi(p, x - s * 0.06, y - s * 0.06, s * 0.88, c, lw * 0.85)
    cx, cy = x + s * 0.72, y + s * 0.72
    p.circle(cx, cy, s * 0.13, outline=c, width=lw * 0.7)
    p.line([(cx + s * 0.1, cy + s * 0.1), (cx + s * 0.22, cy + s * 0.22)], c, lw * 0.9)


def g_gear(p, x, y, s, c, lw, face=None):
    cx, cy = x + s / 2, y + s / 2
    pts = []
    for i in range(16):
        a = math.radians(i * 22.5 + 11.25)
        r = s * (0.44 if i % 2 == 0 else 0.33)
        pts.append((cx + r * math.cos(a - 0.14), cy + r * math.sin(a - 0.14)))
        pts.append((cx + r * math.cos(a + 0.14), cy + r * math.sin(a + 0.14)))
    p.poly(pts, fill=c)
    p.circle(cx, cy, s * 0.12, fill=face)


def g_about(p, x, y, s, c, lw, face=None):
    p.circle(x + s / 2, y + s / 2, s * 0.42, fill=c)
    p.text(x + s / 2, y + s * 0.54, 'i', s * 0.62, face)


def g_direct(p, x, y, s, c, lw):
    p.rrect(x + s * 0.06, y + s * 0.22, x + s * 0.32, y + s * 0.78, s * 0.05, outline=c, width=lw * 0.7)
    p.rrect(x + s * 0.68, y + s * 0.22, x + s * 0.94, y + s * 0.78, s * 0.05, outline=c, width=lw * 0.7)
    p.line([(x + s * 0.4, y + s * 0.4), (x + s * 0.54, y + s * 0.4)], c, lw * 0.7)
    arrow_head(p, x + s * 0.62, y + s * 0.4, 0, s * 0.14, c)
    p.line([(x + s * 0.46, y + s * 0.6), (x + s * 0.6, y + s * 0.6)], c, lw * 0.7)
    arrow_head(p, x + s * 0.38, y + s * 0.6, 180, s * 0.14, c)


def g_display(p, x, y, s, c, lw):
    p.rrect(x + s * 0.06, y + s * 0.26, x + s * 0.78, y + s * 0.74, s * 0.05, outline=c, width=lw * 0.7)
    p.line([(x + s * 0.3, y + s * 0.86), (x + s * 0.54, y + s * 0.86)], c, lw * 0.7)
    p.line([(x + s * 0.42, y + s * 0.74), (x + s * 0.42, y + s * 0.86)], c, lw * 0.7)
    for i in range(2):
        p.arc(x + s * 0.78, y + s * 0.26, s * (0.12 + 0.12 * i), 270, 360, c, lw * 0.6)


def g_hotspot(p, x, y, s, c, lw, face=None):
    cx, cy = x + s / 2, y + s * 0.42
    p.circle(cx, cy, s * 0.3, fill=c)
    p.poly([(cx - s * 0.24, cy + s * 0.18), (cx + s * 0.24, cy + s * 0.18), (cx, y + s * 0.96)], fill=c)
    p.circle(cx, cy + s * 0.1, s * 0.045, fill=face)
    p.arc(cx, cy + s * 0.1, s * 0.13, 225, 315, face, lw * 0.5)
    p.arc(cx, cy + s * 0.1, s * 0.22, 225, 315, face, lw * 0.5)


def g_router(p, x, y, s, c, lw):
    p.rrect(x + s * 0.08, y + s * 0.52, x + s * 0.92, y + s * 0.8, s * 0.06, fill=c)
    p.line([(x + s * 0.26, y + s * 0.52), (x + s * 0.18, y + s * 0.14)], c, lw * 0.6)
    p.line([(x + s * 0.74, y + s * 0.52), (x + s * 0.82, y + s * 0.14)], c, lw * 0.6)
    for i in range(3):
        p.circle(x + s * (0.3 + 0.14 * i), y + s * 0.66, s * 0.035, fill=GREEN)


def g_throughput(p, x, y, s, c, lw):
    p.line([(x + s * 0.32, y + s * 0.88), (x + s * 0.32, y + s * 0.34)], c, lw)
    arrow_head(p, x + s * 0.32, y + s * 0.1, -90, s * 0.28, c)
    p.line([(x + s * 0.68, y + s * 0.12), (x + s * 0.68, y + s * 0.66)], c, lw)
    arrow_head(p, x + s * 0.68, y + s * 0.9, 90, s * 0.28, c)


def g_stats(p, x, y, s, c, lw):
    for i, h in enumerate((0.3, 0.55, 0.8)):
        x0 = x + s * (0.14 + 0.26 * i)
        p.rect(x0, y + s * (0.88 - h), x0 + s * 0.18, y + s * 0.88, fill=c)


def g_note(p, x, y, s, c, lw):
    p.ellipse(x + s * 0.14, y + s * 0.62, x + s * 0.42, y + s * 0.86, fill=c)
    p.ellipse(x + s * 0.56, y + s * 0.54, x + s * 0.84, y + s * 0.78, fill=c)
    p.line([(x + s * 0.4, y + s * 0.74), (x + s * 0.4, y + s * 0.16), (x + s * 0.82, y + s * 0.08),
            (x + s * 0.82, y + s * 0.66)], c, lw * 0.7)


def g_shield(p, x, y, s, c, lw, face=None):
    p.poly([(x + s * 0.5, y + s * 0.06), (x + s * 0.86, y + s * 0.2), (x + s * 0.8, y + s * 0.6),
            (x + s * 0.5, y + s * 0.94), (x + s * 0.2, y + s * 0.6), (x + s * 0.14, y + s * 0.2)], fill=c)
    g_check(p, x + s * 0.22, y + s * 0.2, s * 0.56, face, lw * 0.7)


def g_cert(p, x, y, s, c, lw, face=None):
    p.rrect(x + s * 0.08, y + s * 0.12, x + s * 0.92, y + s * 0.7, s * 0.05, outline=c, width=lw * 0.7)
    p.line([(x + s * 0.2, y + s * 0.3), (x + s * 0.8, y + s * 0.3)], c, lw * 0.5)
    p.line([(x + s * 0.2, y + s * 0.44), (x + s * 0.5, y + s * 0.44)], c, lw * 0.5)
    p.poly([(x + s * 0.6, y + s * 0.66), (x + s * 0.56, y + s * 0.96), (x + s * 0.66, y + s * 0.88),
            (x + s * 0.76, y + s * 0.96), (x + s * 0.72, y + s * 0.66)], fill=c)
    p.circle(x + s * 0.66, y + s * 0.6, s * 0.13, fill=c)


def g_install(p, x, y, s, c, lw, face=None):
    g_cert(p, x, y - s * 0.04, s * 0.92, c, lw * 0.9, face)
    badge_plus(p, x, y, s, c, face)


def g_flask(p, x, y, s, c, lw):
    p.line([(x + s * 0.38, y + s * 0.1), (x + s * 0.62, y + s * 0.1)], c, lw * 0.7)
    p.poly([(x + s * 0.42, y + s * 0.12), (x + s * 0.58, y + s * 0.12), (x + s * 0.58, y + s * 0.38),
            (x + s * 0.86, y + s * 0.88), (x + s * 0.14, y + s * 0.88), (x + s * 0.42, y + s * 0.38)], outline=c)
    p.line([(x + s * 0.42, y + s * 0.12), (x + s * 0.42, y + s * 0.38), (x + s * 0.14, y + s * 0.88),
            (x + s * 0.86, y + s * 0.88), (x + s * 0.58, y + s * 0.38), (x + s * 0.58, y + s * 0.12)], c, lw * 0.6)
    p.poly([(x + s * 0.27, y + s * 0.65), (x + s * 0.73, y + s * 0.65), (x + s * 0.84, y + s * 0.86),
            (x + s * 0.16, y + s * 0.86)], fill=c)


def g_next(p, x, y, s, c, lw):
    p.line([(x + s * 0.14, y + s / 2), (x + s * 0.6, y + s / 2)], c, lw * 1.1)
    arrow_head(p, x + s * 0.88, y + s / 2, 0, s * 0.38, c)


def g_back(p, x, y, s, c, lw):
    p.line([(x + s * 0.86, y + s / 2), (x + s * 0.4, y + s / 2)], c, lw * 1.1)
    arrow_head(p, x + s * 0.12, y + s / 2, 180, s * 0.38, c)


def g_up(p, x, y, s, c, lw):
    p.line([(x + s / 2, y + s * 0.86), (x + s / 2, y + s * 0.4)], c, lw * 1.1)
    arrow_head(p, x + s / 2, y + s * 0.12, -90, s * 0.38, c)


def g_down(p, x, y, s, c, lw):
    p.line([(x + s / 2, y + s * 0.14), (x + s / 2, y + s * 0.6)], c, lw * 1.1)
    arrow_head(p, x + s / 2, y + s * 0.88, 90, s * 0.38, c)


def g_sliders(p, x, y, s, c, lw):
    for i, k in enumerate((0.3, 0.7, 0.45)):
        yy = y + s * (0.22 + 0.28 * i)
        p.line([(x + s * 0.12, yy), (x + s * 0.88, yy)], c, lw * 0.5)
        p.circle(x + s * (0.12 + 0.76 * k), yy, s * 0.1, fill=c)


def g_table(p, x, y, s, c, lw):
    p.rect(x + s * 0.1, y + s * 0.16, x + s * 0.9, y + s * 0.84, outline=c, width=lw * 0.6)
    p.rect(x + s * 0.1, y + s * 0.16, x + s * 0.9, y + s * 0.34, fill=c)
    for k in (0.56,):
        p.line([(x + s * 0.12, y + s * k), (x + s * 0.88, y + s * k)], c, lw * 0.45)
    p.line([(x + s * 0.4, y + s * 0.34), (x + s * 0.4, y + s * 0.82)], c, lw * 0.45)


def g_list(p, x, y, s, c, lw):
    for i in range(3):
        yy = y + s * (0.26 + 0.24 * i)
        p.circle(x + s * 0.2, yy, s * 0.06, fill=c)
        p.line([(x + s * 0.36, yy), (x + s * 0.86, yy)], c, lw * 0.7)


def g_trash(p, x, y, s, c, lw):
    p.line([(x + s * 0.14, y + s * 0.24), (x + s * 0.86, y + s * 0.24)], c, lw * 0.8)
    p.line([(x + s * 0.4, y + s * 0.22), (x + s * 0.42, y + s * 0.1), (x + s * 0.58, y + s * 0.1),
            (x + s * 0.6, y + s * 0.22)], c, lw * 0.6)
    p.line([(x + s * 0.24, y + s * 0.3), (x + s * 0.3, y + s * 0.9), (x + s * 0.7, y + s * 0.9),
            (x + s * 0.76, y + s * 0.3)], c, lw * 0.7)
    for k in (0.42, 0.58):
        p.line([(x + s * k, y + s * 0.4), (x + s * k, y + s * 0.78)], c, lw * 0.45)


def g_folder(p, x, y, s, c, lw):
    p.poly([(x + s * 0.08, y + s * 0.22), (x + s * 0.38, y + s * 0.22), (x + s * 0.46, y + s * 0.32),
            (x + s * 0.92, y + s * 0.32), (x + s * 0.92, y + s * 0.82), (x + s * 0.08, y + s * 0.82)], fill=c)


def g_share(p, x, y, s, c, lw):
    a, b, d = (x + s * 0.26, y + s / 2), (x + s * 0.74, y + s * 0.22), (x + s * 0.74, y + s * 0.78)
    p.line([b, a, d], c, lw * 0.6)
    for q in (a, b, d):
        p.circle(q[0], q[1], s * 0.13, fill=c)


def g_play(p, x, y, s, c, lw):
    p.poly([(x + s * 0.3, y + s * 0.18), (x + s * 0.3, y + s * 0.82), (x + s * 0.82, y + s / 2)], fill=c)


def g_pause(p, x, y, s, c, lw):
    p.rect(x + s * 0.24, y + s * 0.2, x + s * 0.42, y + s * 0.8, fill=c)
    p.rect(x + s * 0.58, y + s * 0.2, x + s * 0.76, y + s * 0.8, fill=c)


def g_stop(p, x, y, s, c, lw):
    p.rrect(x + s * 0.24, y + s * 0.24, x + s * 0.76, y + s * 0.76, s * 0.05, fill=c)


GLYPHS = {name[2:]: fn for name, fn in globals().items() if name.startswith('g_')}
NEEDS_FACE = {'addcard', 'addkey', 'gear', 'about', 'hotspot', 'shield', 'cert', 'install'}


def glyph(pen, name, x, y, s, c, lw, face):
    fn = GLYPHS[name]
    if name in NEEDS_FACE:
        fn(pen, x, y, s, c, lw, face=face)
    else:
        fn(pen, x, y, s, c, lw)


# ---------------------------------------------------------------- buttons

FACES = {
    # zone: state -> (face top, face bottom, border, glyph)
    'header': {
        'normal': ((0x4F, 0x86, 0xB4), (0x36, 0x6B, 0x99), (0x78, 0xA9, 0xD2), WHITE),
        'down': ((0x18, 0x3C, 0x5E), (0x22, 0x4E, 0x77), (0x12, 0x30, 0x4C), GOLD),
        'disabled': ((0x3A, 0x67, 0x90), (0x35, 0x61, 0x8A), (0x45, 0x71, 0x99), (0x7E, 0x9F, 0xBE)),
    },
    'main': {
        'normal': ((0x3A, 0x69, 0x95), (0x2A, 0x53, 0x7A), (0x5A, 0x8C, 0xBA), WHITE),
        'down': ((0x12, 0x2A, 0x42), (0x1A, 0x36, 0x52), (0x0E, 0x22, 0x36), GOLD),
        'disabled': ((0x27, 0x45, 0x63), (0x25, 0x42, 0x5F), (0x2F, 0x4F, 0x6E), (0x5F, 0x77, 0x8E)),
    },
    'body': {
        'normal': ((0xFF, 0xFF, 0xFF), (0xD6, 0xE8, 0xF4), (0x8D, 0xB4, 0xD3), INK),
        'down': ((0xB4, 0xD2, 0xEA), (0xC8, 0xDF, 0xF0), (0x4E, 0x82, 0xAE), (0x15, 0x38, 0x58)),
        'disabled': ((0xF0, 0xF3, 0xF6), (0xE6, 0xEA, 0xEE), (0xC6, 0xD0, 0xD9), (0xA9, 0xB5, 0xC0)),
    },
}


def draw_button(w, h, state, subject, zone):
    bg = ZONES[zone]
    top, bottom, border, gc = FACES[zone][state]
    pen = Pen(w, h, bg)
    pen.vgradient(1, 1, w - 1, h - 1, top, bottom)
    # round the face corners by painting the zone colour outside a rounded border
    mask = Image.new('L', pen.img.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle(pen.box(0.5, 0.5, w - 0.5, h - 0.5), radius=pen.p(4), fill=255)
    face = pen.img.copy()
    pen.img.paste(Image.new('RGB', pen.img.size, bg), (0, 0))
    pen.img.paste(face, (0, 0), mask)
    pen.d = ImageDraw.Draw(pen.img)
    pen.rrect(0.5, 0.5, w - 0.5, h - 0.5, 4, outline=border, width=1)
    if state == 'normal':  # top highlight
        pen.line([(3, 1.6), (w - 3, 1.6)], mix(top, WHITE, 0.45), 0.6)
    s = min(w, h) * 0.66
    off = 0.6 if state == 'down' else 0.0
    x, y = (w - s) / 2 + off, (h - s) / 2 + off
    glyph(pen, subject, x, y, s, gc, max(1.6, s * 0.13), mix(top, bottom, 0.5))
    return pen.result()


def draw_sysbutton(w, h, state, subject, zone):
    bg = ZONES[zone]
    pen = Pen(w, h, bg)
    if state == 'down':
        col = RED if subject == 'close' else ACCENT
        pen.circle(w / 2, h / 2, w / 2 - 0.3, fill=col)
        gc = WHITE
    else:
        pen.circle(w / 2, h / 2, w / 2 - 0.6, outline=mix(bg, WHITE, 0.55), width=1)
        gc = WHITE
    s = w * 0.72
    if subject == 'close':
        g_close(pen, (w - s) / 2, (h - s) / 2, s, gc, 1.6)
    else:
        pen.text(w / 2, h / 2 + 0.5, '?', 10, gc)
    return pen.result()


def draw_roundbutton(w, h, state, subject):
    """Media control with real transparency (PNG)."""
    pen = Pen(w, h, (0, 0, 0, 0))
    rings = {'normal': ((0x3C, 0x8D, 0xD0), (0x25, 0x64, 0xA0)),
             'down': ((0x1D, 0x4E, 0x80), (0x2A, 0x6A, 0xA8)),
             'disabled': ((0xC4, 0xCE, 0xD8), (0xB0, 0xBC, 0xC8))}
    top, bottom = rings[state]
    pen.circle(w / 2, h / 2 + 0.6, w / 2 - 1, fill=(0, 0, 0, 60))  # soft shadow
    pen.circle(w / 2, h / 2, w / 2 - 1.2, fill=bottom)
    pen.circle(w / 2, h / 2 - 1, w / 2 - 3, fill=top)
    gc = WHITE if state != 'disabled' else (0xF4, 0xF6, 0xF8)
    s = w * 0.5
    off = 0.6 if state == 'down' else 0
    glyph(pen, subject, (w - s) / 2 + off, (h - s) / 2 + off, s, gc, 2, top)
    return pen.result()


# ---------------------------------------------------------------- backgrounds

def finish_shaped(img, r, key=KEY):
    """Cuts rounded corners with the exact key colour (no blending on the cut)."""
    w, h = img.size
    mask = Image.new('1', (w, h), 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, w - 1, h - 1], radius=r, fill=1)
    out = Image.new('RGB', (w, h), key)
    out.paste(img, (0, 0), mask)
    return out


def draw_background(w, h, title):
    pen = Pen(w, h, WINDOW)
    pen.vgradient(0, 0, w, 46, HEADER, HEADER)
    # a light accent under the title band, below where its buttons end
    pen.rect(0, 45, w, 46, fill=ACCENT)
    pen.rect(0, 46, w, 47, fill=mix(WINDOW, HEADER, 0.25))
    pen.rect(0, 0, w, 1, fill=mix(HEADER, WHITE, 0.2))
    # body: a faint bottom band and frame
    pen.rect(0, h - 6, w, h, fill=mix(WINDOW, HEADER, 0.12))
    pen.rect(0, 0, w, h, outline=HEADER_DARK, width=1)
    return pen.result()


def draw_mainbg(w, h, shaped):
    pen = Pen(w, h, MAIN)
    pen.rect(0, 0, w, 22, fill=MAIN_STRIP)
    pen.line([(0, 22.5), (w, 22.5)], mix(MAIN, ACCENT, 0.5), 0.6)
    # the program's mark in the title strip, left of the caption
    pen.circle(22, 11, 7.5, fill=ACCENT)
    g_wifi(pen, 16.5, 4.2, 11, WHITE, 1.3)
    # separators: under the button row and between icons and link details
    pen.line([(10, 57), (w - 10, 57)], mix(MAIN, ACCENT, 0.45), 0.7)
    pen.line([(56, 66), (56, 148)], mix(MAIN, ACCENT, 0.3), 0.6)
    pen.line([(232, 96), (232, 142)], mix(MAIN, ACCENT, 0.3), 0.6)
    # frame
    pen.rect(0, 0, w, h, outline=mix(MAIN, ACCENT, 0.6), width=1)
    img = pen.result()
    if shaped:
        img = finish_shaped(img, 9)
        d = ImageDraw.Draw(img)
        # redraw the frame along the rounded edge inside the cut
        d.rounded_rectangle([0, 0, w - 1, h - 1], radius=9, outline=mix(MAIN, ACCENT, 0.6))
    return img


def draw_boxbg(w, h, shaped):
    # solid body: the sand glass, bar and button pictures are drawn on this colour
    pen = Pen(w, h, WINDOW)
    pen.rect(0, 0, w, 4, fill=HEADER)
    pen.rect(0, 4, w, 5, fill=ACCENT)
    pen.rect(0, 0, w, h, outline=HEADER_DARK, width=1)
    img = pen.result()
    if shaped:
        img = finish_shaped(img, 8)
        ImageDraw.Draw(img).rounded_rectangle([0, 0, w - 1, h - 1], radius=8, outline=HEADER_DARK)
    return img


def draw_frame(w, h):
    pen = Pen(w, h, WINDOW)
    pen.rrect(1, 1, w - 1, h - 1, 6, fill=mix(WINDOW, WHITE, 0.6), outline=mix(WINDOW, HEADER, 0.45), width=1)
    pen.rrect(1, 1, w - 1, 22, 6, fill=mix(WINDOW, HEADER, 0.18))
    pen.rect(1, 16, w - 1, 22, fill=mix(WINDOW, HEADER, 0.18))
    pen.line([(1.5, 22.5), (w - 1.5, 22.5)], mix(WINDOW, HEADER, 0.45), 0.6)
    return pen.result()


def draw_partition(w, h):
    pen = Pen(w, h, MAIN)
    pen.line([(w / 2 - 0.5, 1), (w / 2 - 0.5, h - 1)], mix(MAIN, (0, 0, 0), 0.35), 0.8)
    pen.line([(w / 2 + 0.5, 1), (w / 2 + 0.5, h - 1)], mix(MAIN, WHITE, 0.35), 0.8)
    return pen.result()


# ---------------------------------------------------------------- status pictures

def draw_radio(w, h, subject):
    pen = Pen(w, h, MAIN)
    on = subject == 'on'
    c = GREEN if on else GREY
    cx = w / 2
    pen.poly([(cx, 8), (cx - 5, h - 2), (cx - 3, h - 2), (cx, 12), (cx + 3, h - 2), (cx + 5, h - 2)], fill=WHITE if on else GREY)
    pen.circle(cx, 8, 2.6, fill=c)
    for i in range(2):
        r = 5.5 + 4 * i
        pen.arc(cx, 8, r, 200, 250, c, 1.6)
        pen.arc(cx, 8, r, 290, 340, c, 1.6)
    if not on:
        pen.line([(4, h - 4), (w - 4, 4)], RED, 2.2)
    return pen.result()


def draw_padlock(w, h, subject):
    pen = Pen(w, h, MAIN)
    closed = subject == 'closed'
    body = GOLD if closed else GREY
    cx = w / 2
    if closed:
        pen.arc(cx, 9.5, 5.2, 180, 360, (0xD8, 0xDE, 0xE5), 2.2)
        pen.line([(cx - 5.2, 9.5), (cx - 5.2, 12)], (0xD8, 0xDE, 0xE5), 2.2)
        pen.line([(cx + 5.2, 9.5), (cx + 5.2, 12)], (0xD8, 0xDE, 0xE5), 2.2)
    else:
        pen.arc(cx + 6, 7.5, 5.2, 180, 360, (0x8A, 0x97, 0xA4), 2.2)
        pen.line([(cx + 11.2, 7.5), (cx + 11.2, 10)], (0x8A, 0x97, 0xA4), 2.2)
    pen.rrect(cx - 8, 11.5, cx + 8, h - 1.5, 2, fill=body)
    pen.circle(cx, 16.5, 1.7, fill=MAIN)
    pen.line([(cx, 17), (cx, 19.5)], MAIN, 1.4)
    return pen.result()


def draw_quality(w, h, subject):
    pen = Pen(w, h, MAIN)
    cols = [(0xE8, 0x5A, 0x3C), (0xEF, 0x9A, 0x2E), (0xE8, 0xC8, 0x35), (0x9C, 0xCC, 0x3F), GREEN]
    dim = (0x3E, 0x5B, 0x78)
    for i in range(5):
        x0 = 1 + i * 5.8
        top = h - 3 - (i + 1) * 4.2
        col = cols[i] if subject == 'on' else dim
        pen.rrect(x0, top, x0 + 4.4, h - 2, 1, fill=col)
    if subject == 'none':
        pen.line([(8, 6), (20, 18)], RED, 2.2)
        pen.line([(20, 6), (8, 18)], RED, 2.2)
    return pen.result()


def draw_bar(w, h, subject):
    pen = Pen(w, h, WINDOW)
    r = min(h / 2, 5)
    if subject == 'back':
        pen.rrect(0.5, 0.5, w - 0.5, h - 0.5, r, fill=(0xD3, 0xDF, 0xE8), outline=(0xA9, 0xBD, 0xCD), width=1)
        pen.rect(2, 1.5, w - 2, 2.2, fill=(0xC2, 0xD1, 0xDD))
        return pen.result()
    # fill: green to blue along the width, so any cut shows a finished end
    for x in range(pen.p(w)):
        t = x / pen.p(w)
        col = mix((0x3B, 0xB2, 0x5E), (0x2F, 0x86, 0xD0), t)
        pen.d.line([(x, 0), (x, pen.p(h))], fill=col)
    mask = Image.new('L', pen.img.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle(pen.box(0.5, 0.5, w - 0.5, h - 0.5), radius=pen.p(r), fill=255)
    out = Image.new('RGB', pen.img.size, (0xD3, 0xDF, 0xE8))
    out.paste(pen.img, (0, 0), mask)
    pen.img = out
    pen.d = ImageDraw.Draw(out)
    hl = Image.new('RGBA', out.size, (255, 255, 255, 0))
    ImageDraw.Draw(hl).rectangle(pen.box(1.5, 1, w - 1.5, h * 0.42), fill=(255, 255, 255, 70))
    pen.img = Image.alpha_composite(out.convert('RGBA'), hl).convert('RGB')
    return pen.result()


def draw_sandglass(w, h, frame):
    pen = Pen(w, h, WINDOW)
    t = (frame - 1) / 9.0
    glass = (0x7F, 0xA8, 0xC9)
    sand = (0xE0, 0xA8, 0x3A)
    cx, top, bot = w / 2, 7, h - 7
    mid = h / 2
    pen.rrect(cx - 14, top - 4, cx + 14, top, 1.5, fill=(0x6B, 0x4A, 0x2B))
    pen.rrect(cx - 14, bot, cx + 14, bot + 4, 1.5, fill=(0x6B, 0x4A, 0x2B))
    outline = [(cx - 11, top), (cx + 11, top), (cx + 2, mid), (cx + 11, bot), (cx - 11, bot), (cx - 2, mid)]
    pen.poly(outline, fill=mix(WINDOW, WHITE, 0.7))
    # upper sand sinks, lower heap grows
    up = 1.0 - t
    if up > 0.02:
        y0 = mid - (mid - top - 2) * up
        k = (y0 - top) / (mid - top)
        hw = 11 - 9 * k
        pen.poly([(cx - hw, y0), (cx + hw, y0), (cx + 2, mid), (cx - 2, mid)], fill=sand)
    if t > 0.02:
        hh = (bot - mid - 2) * t
        pen.poly([(cx - 10.5, bot - 0.5), (cx + 10.5, bot - 0.5), (cx + 10.5 - 6 * t, bot - hh * 0.7),
                  (cx, bot - hh), (cx - 10.5 + 6 * t, bot - hh * 0.7)], fill=sand)
    if 0.02 < t < 0.98:
        pen.line([(cx, mid), (cx, bot - (bot - mid - 2) * t)], sand, 1.0)
    pen.line(outline + [outline[0]], glass, 1.3)
    return pen.result()


# ---------------------------------------------------------------- icons (RGBA)

def draw_tray(size, subject):
    pen = Pen(size, size, (0, 0, 0, 0))
    s = size
    dim = (0xB8, 0xC2, 0xCC, 255)
    lw = s * 0.11
    levels = {'good': 3, 'normal': 2, 'weak': 1, 'lost': 0, 'noexist': 0, 'weperror': 3}[subject]
    col = {'good': GREEN, 'normal': (0x2F, 0x86, 0xD0), 'weak': ORANGE, 'lost': GREY, 'noexist': GREY,
           'weperror': (0x2F, 0x86, 0xD0)}[subject]
    # white halo keeps the fan readable on dark and light task bars
    if subject == 'noexist':
        pen.rrect(s * 0.12, s * 0.3, s * 0.8, s * 0.74, s * 0.06, fill=(0x5E, 0x6E, 0x7E), outline=WHITE, width=s * 0.04)
        pen.rect(s * 0.8, s * 0.4, s * 0.92, s * 0.64, fill=(0xC0, 0xC8, 0xD0))
        for i in range(3):
            pen.rect(s * (0.2 + i * 0.16), s * 0.44, s * (0.28 + i * 0.16), s * 0.6, fill=(0xC9, 0xA2, 0x4A))
    else:
        cx, cy = s / 2, s * 0.86
        for i in range(3):
            r = s * (0.24 + 0.21 * i)
            pen.arc(cx, cy, r, 222, 318, WHITE, lw + s * 0.08)
        pen.circle(cx, cy, s * 0.12, fill=WHITE)
        for i in range(3):
            r = s * (0.24 + 0.21 * i)
            pen.arc(cx, cy, r, 225, 315, col if i < levels else dim, lw)
        pen.circle(cx, cy, s * 0.085, fill=col if subject != 'lost' else dim)
    if subject in ('lost', 'noexist'):
        cx, cy, r = s * 0.74, s * 0.74, s * 0.24
        pen.circle(cx, cy, r, fill=RED, outline=WHITE, width=s * 0.05)
        m = r * 0.45
        pen.line([(cx - m, cy - m), (cx + m, cy + m)], WHITE, s * 0.07)
        pen.line([(cx + m, cy - m), (cx - m, cy + m)], WHITE, s * 0.07)
    if subject == 'weperror':
        cx, cy, r = s * 0.72, s * 0.72, s * 0.26
        pen.circle(cx, cy, r, fill=GOLD, outline=WHITE, width=s * 0.05)
        pen.text(cx, cy + s * 0.01, '!', s * 0.36, (0x8A, 0x1F, 0x14))
    return pen.result()


def draw_listicon(size, subject):
    pen = Pen(size, size, (0, 0, 0, 0))
    s = size
    letters = {'a': (0x8E, 0x5B, 0xC8), 'b': (0x5C, 0x7A, 0x96), 'g': (0x3B, 0xA5, 0x5C), 'n': (0x2F, 0x78, 0xC4)}
    if subject in letters:
        pen.rrect(0.5, 0.5, s - 0.5, s - 0.5, 3, fill=letters[subject])
        pen.text(s / 2, s / 2 - 0.6, subject, 12, WHITE)
    elif subject in ('active', 'activeoff'):
        col = GREEN if subject == 'active' else (0xB4, 0xBE, 0xC8)
        pen.circle(s / 2, s / 2, s / 2 - 0.5, fill=col)
        g_check(pen, 2.5, 2.5, s - 5, WHITE, 2.0)
    elif subject == 'adhoc':
        for x0, y0 in ((0.5, 2), (7.5, 7)):
            pen.rrect(x0 + 1, y0, x0 + 7, y0 + 5, 0.8, fill=SLATE)
            pen.rect(x0 + 2, y0 + 1, x0 + 6, y0 + 4, fill=(0x7F, 0xC4, 0xF0))
            pen.rect(x0, y0 + 5, x0 + 8, y0 + 6.5, fill=SLATE)
        pen.line([(6, 11.5), (9, 4.5)], ORANGE, 1.0)
    elif subject == 'infra':
        pen.rrect(1.5, 9, 14.5, 14, 1.2, fill=SLATE)
        pen.line([(4.5, 9), (3, 2.5)], SLATE, 1.3)
        pen.line([(11.5, 9), (13, 2.5)], SLATE, 1.3)
        for i in range(3):
            pen.circle(5 + i * 3, 11.5, 0.8, fill=GREEN)
    elif subject == 'key':
        g_key(pen, 0, 0, s, (0xC8, 0x93, 0x1E), 2.2)
    elif subject == 'lock':
        pen.arc(s / 2, 6.5, 3.6, 180, 360, (0x6B, 0x78, 0x86), 1.8)
        pen.line([(s / 2 - 3.6, 6.5), (s / 2 - 3.6, 8)], (0x6B, 0x78, 0x86), 1.8)
        pen.line([(s / 2 + 3.6, 6.5), (s / 2 + 3.6, 8)], (0x6B, 0x78, 0x86), 1.8)
        pen.rrect(2.5, 7.5, 13.5, 15, 1.5, fill=(0xC8, 0x93, 0x1E))
        pen.text(s / 2, 11.4, 'W', 5.5, WHITE)
    elif subject == 'wps':
        pen.circle(s / 2, s / 2, s / 2 - 0.5, fill=(0x2F, 0x78, 0xC4))
        g_wps(pen, 1.5, 1.5, s - 3, WHITE, 1.5)
    return pen.result()


def draw_msgicon(size):
    pen = Pen(size, size, (0, 0, 0, 0))
    pen.circle(size / 2, size / 2 + 0.6, size / 2 - 1, fill=(0, 0, 0, 50))
    pen.circle(size / 2, size / 2, size / 2 - 1.5, fill=(0x2F, 0x78, 0xC4))
    pen.circle(size / 2, size / 2 - 1.2, size / 2 - 3.5, fill=(0x3C, 0x8D, 0xD6))
    pen.circle(size / 2, 9.5, 2.2, fill=WHITE)
    pen.rrect(size / 2 - 2, 13.5, size / 2 + 2, 25, 1, fill=WHITE)
    return pen.result()


def draw_logo(w, h, subject):
    pen = Pen(w, h, (0, 0, 0, 0))
    r = h / 2 - 1
    cx, cy = h / 2, h / 2
    pen.circle(cx, cy, r, fill=(0x2F, 0x78, 0xC4))
    pen.circle(cx, cy, r - 2, outline=(0x8C, 0xC3, 0xEE), width=1)
    pen.text(cx, cy + 1, 'T', h * 0.5, WHITE)
    pen.arc(cx, cy + 7, r - 4, 205, 335, GOLD, 1.6)
    if subject == 'wordmark':
        pen.text(h + (w - h) / 2, cy - 3, 'Tarnwell', 13, (0x1F, 0x47, 0x6B))
        pen.text(h + (w - h) / 2, cy + 9, 'www', 8, (0x2F, 0x78, 0xC4), bold=False)
    return pen.result()


def draw_link(w, h, index):
    """Connection mark of one topology slot: a line from the slot (the right end) to the device
    it is linked with (the left end), 4 px inside the picture's edges. The ring's slots 0 to 3 and
    sub slot 2_0 lie above that device, slot 4 and sub slot 2_1 below it."""
    pen = Pen(w, h, (0, 0, 0, 0))
    pad = 4.5  # pixel centres 4 px in
    rising = index in ('4', '2_1')
    slot_end = (w - pad, h - pad) if rising else (w - pad, pad)
    device_end = (pad, pad) if rising else (pad, h - pad)
    pen.line([slot_end, device_end], WHITE, 5)
    pen.line([slot_end, device_end], GREEN, 3)
    for q in (slot_end, device_end):
        pen.circle(q[0], q[1], 3.6, fill=WHITE)
        pen.circle(q[0], q[1], 2.6, fill=GREEN)
    return pen.result()


def device_shape(pen, kind, s, body, screen):
    k = s / 48.0
    if kind in ('nb', 'legacy'):
        pen.rrect(9 * k, 10 * k, 39 * k, 31 * k, 2 * k, fill=body)
        pen.rect(11.5 * k, 12.5 * k, 36.5 * k, 28.5 * k, fill=screen)
        pen.poly([(5 * k, 33 * k), (43 * k, 33 * k), (45 * k, 37 * k), (3 * k, 37 * k)], fill=body)
    elif kind == 'pc':
        pen.rrect(4 * k, 8 * k, 34 * k, 30 * k, 2 * k, fill=body)
        pen.rect(6.5 * k, 10.5 * k, 31.5 * k, 27.5 * k, fill=screen)
        pen.rect(16 * k, 30 * k, 22 * k, 35 * k, fill=body)
        pen.rrect(11 * k, 35 * k, 27 * k, 38 * k, 1 * k, fill=body)
        pen.rrect(36 * k, 10 * k, 45 * k, 38 * k, 1.5 * k, fill=body)
        pen.rect(38 * k, 14 * k, 43 * k, 15.5 * k, fill=screen)
        pen.circle(40.5 * k, 33 * k, 1.5 * k, fill=GREEN)
    elif kind == 'camera':
        pen.rrect(5 * k, 14 * k, 43 * k, 37 * k, 4 * k, fill=body)
        pen.rrect(16 * k, 9 * k, 30 * k, 15 * k, 2 * k, fill=body)
        pen.circle(24 * k, 25.5 * k, 9 * k, fill=(0xDD, 0xE6, 0xEE))
        pen.circle(24 * k, 25.5 * k, 6.5 * k, fill=screen)
        pen.circle(22 * k, 23.5 * k, 2 * k, fill=WHITE)
        pen.rect(35 * k, 17.5 * k, 40 * k, 20 * k, fill=GOLD)
    elif kind == 'tv':
        pen.rrect(3 * k, 9 * k, 45 * k, 35 * k, 2.5 * k, fill=body)
        pen.rect(6 * k, 12 * k, 42 * k, 32 * k, fill=screen)
        pen.line([(18 * k, 39 * k), (30 * k, 39 * k)], body, 2.5 * k)
        pen.line([(24 * k, 35 * k), (24 * k, 39 * k)], body, 2.5 * k)
    elif kind == 'ap':
        pen.rrect(5 * k, 26 * k, 43 * k, 37 * k, 3 * k, fill=body)
        pen.line([(13 * k, 26 * k), (10 * k, 9 * k)], body, 2.5 * k)
        pen.line([(35 * k, 26 * k), (38 * k, 9 * k)], body, 2.5 * k)
        for i in range(4):
            pen.circle((14 + 6 * i) * k, 31.5 * k, 1.6 * k, fill=GREEN if i < 3 else GOLD)
        pen.arc(24 * k, 22 * k, 7 * k, 225, 315, screen, 2 * k)
        pen.arc(24 * k, 22 * k, 12 * k, 230, 310, screen, 2 * k)
    elif kind == 'smartphone':
        pen.rrect(14 * k, 4 * k, 34 * k, 44 * k, 4 * k, fill=body)
        pen.rect(16.5 * k, 9 * k, 31.5 * k, 37 * k, fill=screen)
        pen.circle(24 * k, 40.5 * k, 1.8 * k, fill=(0xDD, 0xE6, 0xEE))
    elif kind == 'printer':
        pen.rect(13 * k, 6 * k, 35 * k, 18 * k, fill=WHITE, outline=body, width=1.2 * k)
        pen.rrect(4 * k, 17 * k, 44 * k, 34 * k, 3 * k, fill=body)
        pen.rect(13 * k, 30 * k, 35 * k, 42 * k, fill=WHITE, outline=body, width=1.2 * k)
        for i in range(3):
            pen.line([(16 * k, (34 + 2.6 * i) * k), (32 * k, (34 + 2.6 * i) * k)], screen, 1 * k)
        pen.circle(38 * k, 22 * k, 1.6 * k, fill=GREEN)
    else:  # unknown
        pen.rrect(8 * k, 8 * k, 40 * k, 40 * k, 6 * k, fill=body)
        pen.text(24 * k, 25 * k, '?', 24 * k, screen)


def draw_device(size, kind, owner):
    pen = Pen(size, size, (0, 0, 0, 0))
    legacy = kind == 'legacy'
    body = (0x7D, 0x86, 0x90) if legacy else (0x3E, 0x50, 0x66)
    screen = (0xB6, 0xC4, 0xD0) if legacy else (0x5F, 0xB0, 0xEA)
    device_shape(pen, kind, size, body, screen)
    if legacy:
        pen.rrect(28, 30, 46, 42, 3, fill=(0x8A, 0x97, 0xA4), outline=WHITE, width=1)
        pen.text(37, 36.4, 'b/g', 7.5, WHITE)
    if owner:
        cx, cy, r = size * 0.79, size * 0.2, size * 0.18
        pen.circle(cx, cy, r, fill=GOLD, outline=WHITE, width=1.5)
        pts = [(cx - r * 0.6, cy + r * 0.4), (cx - r * 0.6, cy - r * 0.35), (cx - r * 0.3, cy),
               (cx, cy - r * 0.55), (cx + r * 0.3, cy), (cx + r * 0.6, cy - r * 0.35), (cx + r * 0.6, cy + r * 0.4)]
        pen.poly(pts, fill=(0x8A, 0x5A, 0x0E))
    return pen.result()


def draw_gobadge(size):
    pen = Pen(size, size, (0, 0, 0, 0))
    pen.rrect(0.5, 2, size - 0.5, size - 2, 3, fill=GOLD, outline=(0xB8, 0x8A, 0x1E), width=0.8)
    pen.text(size / 2, size / 2, 'GO', 7.2, (0x5A, 0x3A, 0x08))
    return pen.result()


def draw_owndevice(w, h, subject):
    pen = Pen(w, h, WINDOW)
    on = subject == 'on'
    ring = (0x2F, 0x86, 0xD0) if on else (0xB4, 0xBE, 0xC8)
    pen.circle(w / 2, h / 2, w / 2 - 1.5, fill=mix(WINDOW, WHITE, 0.7), outline=ring, width=2.5)
    body = (0x3E, 0x50, 0x66) if on else (0x9A, 0xA5, 0xB0)
    screen = (0x5F, 0xB0, 0xEA) if on else (0xD0, 0xD7, 0xDE)
    sub = Pen(48, 48, (0, 0, 0, 0))
    device_shape(sub, 'nb', 48, body, screen)
    icon = sub.result().resize((34, 34), Image.LANCZOS)
    img = pen.result()
    img.paste(icon, ((w - 34) // 2, (h - 34) // 2 + 1), icon)
    d = Pen(w, h, WINDOW)
    d.img = img.resize((w * SS, h * SS), Image.LANCZOS)
    d.d = ImageDraw.Draw(d.img)
    if on:
        d.circle(w * 0.8, h * 0.8, 7, fill=GREEN, outline=WHITE, width=1.5)
        g_check(d, w * 0.8 - 4.5, h * 0.8 - 4.5, 9, WHITE, 1.6)
    else:
        d.circle(w * 0.8, h * 0.8, 7, fill=(0x9A, 0xA5, 0xB0), outline=WHITE, width=1.5)
        d.line([(w * 0.8 - 3.2, h * 0.8), (w * 0.8 + 3.2, h * 0.8)], WHITE, 1.8)
    return d.result()


# ---------------------------------------------------------------- writers

def write_ico(path, images):
    """Icon file with 32-bit images and AND masks, largest image first."""
    images = sorted(images, key=lambda im: -im.size[0])
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for im in images:
        im = im.convert('RGBA')
        w, h = im.size
        header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        px = im.tobytes('raw', 'BGRA')
        rows = [px[y * w * 4:(y + 1) * w * 4] for y in range(h)]
        xor = b''.join(reversed(rows))
        mask_stride = ((w + 31) // 32) * 4
        mask = bytearray()
        alpha = im.getchannel('A').tobytes()
        for y in reversed(range(h)):
            row = bytearray(mask_stride)
            for x in range(w):
                if alpha[y * w + x] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        blob = header + xor + bytes(mask)
        entries.append(struct.pack('<BBBBHHII', w % 256, h % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(struct.pack('<HHH', 0, 1, len(images)))
        f.write(b''.join(entries))
        f.write(b''.join(blobs))


def render(row):
    name, fmt = row['name'], row['format']
    w, h = int(row['width']), int(row['height'])
    kind, subject, zone = row['kind'], row['subject'], row['zone']
    base, _, state = kind.partition(':')
    if base == 'button':
        return [draw_button(w, h, state, subject, zone)]
    if base == 'sysbtn':
        return [draw_sysbutton(w, h, state, subject, zone)]
    if base == 'roundbtn':
        return [draw_roundbutton(w, h, state, subject)]
    if base == 'background':
        return [draw_background(w, h, subject)]
    if base == 'mainbg':
        return [draw_mainbg(w, h, subject == 'shaped')]
    if base == 'boxbg':
        return [draw_boxbg(w, h, fmt == 'bmp')]
    if base == 'frame':
        return [draw_frame(w, h)]
    if base == 'partition':
        return [draw_partition(w, h)]
    if base == 'radio':
        return [draw_radio(w, h, subject)]
    if base == 'padlock':
        return [draw_padlock(w, h, subject)]
    if base == 'quality':
        return [draw_quality(w, h, subject)]
    if base == 'bar':
        return [draw_bar(w, h, subject)]
    if base == 'sandglass':
        return [draw_sandglass(w, h, int(subject))]
    if base == 'tray':
        return [draw_tray(32, subject), draw_tray(16, subject)]
    if base == 'listicon':
        return [draw_listicon(16, subject)]
    if base == 'msgicon':
        return [draw_msgicon(32)]
    if base == 'logo':
        return [draw_logo(w, h, subject)]
    if base == 'link':
        return [draw_link(w, h, subject)]
    if base == 'device':
        return [draw_device(48, subject, state == 'owner'), ]
    if base == 'gobadge':
        return [draw_gobadge(16)]
    if base == 'ownDevice':
        return [draw_owndevice(w, h, subject)]
    raise SystemExit('unknown picture kind %s for %s' % (kind, name))


def save(images, path, fmt):
    im = images[0]
    if fmt == 'ico':
        write_ico(path, images)
    elif fmt == 'png':
        im.save(path, 'PNG', optimize=True)
    elif fmt == 'jpg':
        im.convert('RGB').save(path, 'JPEG', quality=94, subsampling=0)
    elif fmt == 'bmp':
        im.convert('RGB').save(path, 'BMP')
    else:
        raise SystemExit('unknown format ' + fmt)


def main():
    if len(sys.argv) != 4:
        raise SystemExit(__doc__)
    table, outdir, rcfile = sys.argv[1:]
    os.makedirs(outdir, exist_ok=True)
    lines = ['// Generated by draw.py from pictures.csv; do not edit.']
    with open(table, newline='') as f:
        rows = list(csv.DictReader(f))
    for row in rows:
        images = render(row)
        w, h = int(row['width']), int(row['height'])
        if images[0].size != (w, h):
            raise SystemExit('%s drawn at %s, table says %dx%d' % (row['name'], images[0].size, w, h))
        path = os.path.join(outdir, row['name'] + '.' + row['format'])
        save(images, path, row['format'])
        lines.append('%s RCDATA "%s"' % (row['name'], path.replace('\\', '/')))
    table_lines = ['// Generated by draw.py from pictures.csv; do not edit.',
                   '// name, format, width, height of every built-in picture.']
    for row in rows:
        table_lines.append('{"%s", "%s", %d, %d},' % (row['name'], row['format'], int(row['width']),
                                                     int(row['height'])))
    write_atomic(os.path.join(os.path.dirname(rcfile), 'pictures_table.h'), table_lines)
    write_atomic(rcfile, lines)


def write_atomic(path, lines):
    tmp = path + '.tmp'
    with open(tmp, 'w') as f:
        f.write('\n'.join(lines) + '\n')
    os.replace(tmp, path)


if __name__ == '__main__':
    main()
