#!/usr/bin/env python3
"""Writes the picture test fixtures: PNG, BMP and ICO files built byte by byte, JPEG files
through Pillow, and for each lossless file NAME.rgba with the expected pixels (u32 width,
u32 height, then R G B A per pixel, rows top-down). Every lossless file is read back with
Pillow and compared with the expected pixels, so a mistake in this writer fails the build
instead of agreeing with the same mistake in the decoder."""
import io
import os
import struct
import sys
import zlib

from PIL import Image

OUT = sys.argv[1]
W, H = 13, 11  # odd sizes: partial bytes, row padding and partial interlace blocks


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def write_expected(name, width, height, rgba):
    data = struct.pack("<II", width, height) + bytes(c for px in rgba for c in px)
    write(name + ".rgba", data)


def check_with_pillow(name, width, height, rgba, grey16=False):
    im = Image.open(os.path.join(OUT, name))
    im.load()
    assert im.size == (width, height), (name, im.size)
    if grey16:  # Pillow keeps 16-bit grey as integers; compare the high byte
        got = [(v >> 8,) * 3 for v in im.getdata()]
        want = [px[:3] for px in rgba]
    else:
        got = list(im.convert("RGBA").getdata())
        want = rgba
    for i, (g, w) in enumerate(zip(got, want)):
        if len(w) == 4 and w[3] == 0:  # colour under full transparency does not matter
            g, w = g[3:], w[3:]
        if tuple(g) != tuple(w):
            raise SystemExit(f"{name}: pixel {i % width},{i // width}: Pillow reads {g}, expected {w}")


# ---------------------------------------------------------------- PNG

def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]


def pack_row(samples, depth):
    if depth == 16:
        return b"".join(struct.pack(">H", s) for s in samples)
    if depth == 8:
        return bytes(samples)
    out, acc, nbits = bytearray(), 0, 0
    for s in samples:
        acc = (acc << depth) | s
        nbits += depth
        if nbits == 8:
            out.append(acc)
            acc, nbits = 0, 0
    if nbits:
        out.append(acc << (8 - nbits))
    return bytes(out)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filter_row(kind, row, prev, bpp):
    out = bytearray([kind])
    for i, x in enumerate(row):
        a = row[i - bpp] if i >= bpp else 0
        b = prev[i]
        c = prev[i - bpp] if i >= bpp else 0
        pred = [0, a, b, (a + b) // 2, paeth(a, b, c)][kind]
        out.append((x - pred) & 0xFF)
    return bytes(out)


CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}


def sample(x, y, c, depth):
    if depth == 16:
        return (x * 4099 + y * 3331 + c * 9001 + x * y * 77) & 0xFFFF
    return (x * 7 + y * 13 + c * 5 + x * y) % (1 << depth)


def to8(v, depth):
    if depth == 16:
        return v >> 8
    if depth == 8:
        return v
    return v * 255 // ((1 << depth) - 1)


def make_palette(count):
    return [((i * 37) % 256, (i * 91 + 10) % 256, (i * 53 + 200) % 256) for i in range(count)]


def png(name, ctype, depth, interlace=False, filt=None, trns=False, width=W, height=H,
        split_idat=False, extra_chunks=False, pillow=True, key_high_bits=False):
    ch = CHANNELS[ctype]
    pal_count = min(1 << depth, 200) if ctype == 3 else 0
    palette = make_palette(pal_count)
    pal_alpha = [(i * 71) % 256 for i in range(pal_count // 2)] if trns else []

    def raw(x, y):
        if ctype == 3:
            return [sample(x, y, 0, depth) % pal_count]
        return [sample(x, y, c, depth) for c in range(ch)]

    key = raw(1, 1) if trns and ctype in (0, 2) else None

    def rgba(x, y):
        s = raw(x, y)
        if ctype == 3:
            r, g, b = palette[s[0]]
            return (r, g, b, pal_alpha[s[0]] if s[0] < len(pal_alpha) else 255)
        if ctype == 0:
            v = to8(s[0], depth)
            return (v, v, v, 0 if s == key else 255)
        if ctype == 2:
            return tuple(to8(v, depth) for v in s) + (0 if s == key else 255,)
        if ctype == 4:
            v = to8(s[0], depth)
            return (v, v, v, to8(s[1], depth))
        return tuple(to8(v, depth) for v in s)

    bpp = max(1, ch * depth // 8)
    passes = ADAM7 if interlace else [(0, 0, 1, 1)]
    data, row_index = bytearray(), 0
    for x0, y0, dx, dy in passes:
        xs = list(range(x0, width, dx))
        ys = list(range(y0, height, dy))
        if not xs or not ys:
            continue
        prev = bytes(len(pack_row([0] * (len(xs) * ch), depth)))
        for y in ys:
            row = pack_row([s for x in xs for s in raw(x, y)], depth)
            kind = filt if filt is not None else row_index % 5
            data += filter_row(kind, row, prev, bpp)
            prev = row
            row_index += 1

    out = b"\x89PNG\r\n\x1a\n"
    out += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, ctype, 0, 0, 1 if interlace else 0))
    if extra_chunks:
        out += chunk(b"gAMA", struct.pack(">I", 45455)) + chunk(b"tEXt", b"Comment\0fixture")
    if ctype == 3:
        out += chunk(b"PLTE", bytes(c for p in palette for c in p))
        if trns:
            out += chunk(b"tRNS", bytes(pal_alpha))
    elif key is not None:
        # Bits above the image's depth may be set in the stored key; they do not count.
        high = (0xFFFF ^ ((1 << depth) - 1)) if key_high_bits else 0
        out += chunk(b"tRNS", b"".join(struct.pack(">H", v | high) for v in key))
    z = zlib.compress(bytes(data), 9)
    if split_idat:
        for i in range(0, len(z), 7):
            out += chunk(b"IDAT", z[i:i + 7])
    else:
        out += chunk(b"IDAT", z)
    if extra_chunks:
        out += chunk(b"tEXt", b"After\0data")
    out += chunk(b"IEND", b"")
    write(name + ".png", out)
    pixels = [rgba(x, y) for y in range(height) for x in range(width)]
    write_expected(name + ".png", width, height, pixels)
    if pillow:
        check_with_pillow(name + ".png", width, height, pixels, grey16=(ctype == 0 and depth == 16))
    return out


def all_png():
    names = {0: "g", 2: "rgb", 3: "p", 4: "ga", 6: "rgba"}
    depths = {0: [1, 2, 4, 8, 16], 2: [8, 16], 3: [1, 2, 4, 8], 4: [8, 16], 6: [8, 16]}
    for ctype, ds in depths.items():
        for d in ds:
            for inter in (False, True):
                png(f"png_{names[ctype]}{d}{'_i' if inter else ''}", ctype, d, interlace=inter)
    for f in range(5):
        png(f"png_rgb8_f{f}", 2, 8, filt=f)
        png(f"png_rgba16_f{f}", 6, 16, filt=f)
        png(f"png_g1_f{f}", 0, 1, filt=f)
        png(f"png_p4_i_f{f}", 3, 4, filt=f, interlace=True)
    # The transparent key is compared with raw samples; Pillow compares it with 8-bit values,
    # so it is no judge for keys of other depths.
    for name, ctype, d in (("g2", 0, 2), ("g16", 0, 16), ("rgb16", 2, 16)):
        png(f"png_{name}_t", ctype, d, trns=True, pillow=False)
    for name, ctype, d in (("g8", 0, 8), ("rgb8", 2, 8),
                           ("p4", 3, 4), ("p8", 3, 8)):
        png(f"png_{name}_t", ctype, d, trns=True)
    png("png_p8_i_t", 3, 8, trns=True, interlace=True)
    png("png_g2_tk", 0, 2, trns=True, pillow=False, key_high_bits=True)
    png("png_rgb8_tk", 2, 8, trns=True, pillow=False, key_high_bits=True)
    png("png_rgba8_1x1_i", 6, 8, interlace=True, width=1, height=1)
    png("png_rgba8_3x2_i", 6, 8, interlace=True, width=3, height=2)
    png("png_g1_33x1", 0, 1, width=33, height=1)
    png("png_rgb8_split", 2, 8, split_idat=True, extra_chunks=True)


# ---------------------------------------------------------------- BMP

def colour(x, y):
    return ((x * 19 + y * 3) % 256, (x * 5 + y * 23) % 256, (x * y * 7 + 40) % 256)


def bmp_rows(width, height, bits, index_of, rgb_of, top_down):
    order = range(height) if top_down else range(height - 1, -1, -1)
    out = bytearray()
    for y in order:
        if bits <= 8:
            row = pack_row([index_of(x, y) for x in range(width)], bits)
        elif bits == 16:
            row = b"".join(struct.pack("<H", rgb_of(x, y)) for x in range(width))
        elif bits == 24:
            row = b"".join(bytes((b, g, r)) for r, g, b in (rgb_of(x, y) for x in range(width)))
        else:
            row = b"".join(struct.pack("<I", rgb_of(x, y)) for x in range(width))
        out += row + bytes((-len(row)) % 4)
    return bytes(out)


def info_header(width, height, bits, compression=0, colours=0, size=40, masks=None, image_size=0):
    h = struct.pack("<IiiHHIIiiII", size, width, height, 1, bits, compression, image_size, 2835, 2835, colours, 0)
    if size > 40:
        m = list(masks or []) + [0] * (4 - len(masks or []))
        h += struct.pack("<IIII", *m)
        h += bytes(size - len(h))
    return h


def bmp_file(info, palette_bytes, pixels):
    offset = 14 + len(info) + len(palette_bytes)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + palette_bytes + pixels


def bmp_indexed(name, bits, top_down=False, colours=0, core=False):
    count = colours or (1 << bits)
    palette = make_palette(count)
    idx = lambda x, y: (x * 3 + y * 5 + x * y) % count
    pixels = bmp_rows(W, H, bits, idx, None, top_down)
    if core:
        info = struct.pack("<IHHHH", 12, W, H, 1, bits)
        pal = bytes(c for r, g, b in palette for c in (b, g, r))
    else:
        info = info_header(W, -H if top_down else H, bits, colours=colours)
        pal = bytes(c for r, g, b in palette for c in (b, g, r, 0))
    write(name + ".bmp", bmp_file(info, pal, pixels))
    expected = [palette[idx(x, y)] + (255,) for y in range(H) for x in range(W)]
    write_expected(name + ".bmp", W, H, expected)
    check_with_pillow(name + ".bmp", W, H, expected)


def bmp_rgb(name, bits, top_down=False, alpha=None, v5=False, bitfields565=False, pillow=True):
    def value(x, y):
        r, g, b = colour(x, y)
        if bits == 16:
            if bitfields565:
                return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)
            return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3)
        if bits == 32:
            a = alpha(x, y) if alpha else 0
            return (a << 24) | (r << 16) | (g << 8) | b
        return (r, g, b)

    def expect(x, y):
        r, g, b = colour(x, y)
        if bits == 16:
            if bitfields565:
                return ((r >> 3) * 255 // 31, (g >> 2) * 255 // 63, (b >> 3) * 255 // 31, 255)
            return tuple((c >> 3) * 255 // 31 for c in (r, g, b)) + (255,)
        return (r, g, b, alpha(x, y) if alpha else 255)

    pixels = bmp_rows(W, H, bits, None, value, top_down)
    height = -H if top_down else H
    extra = b""
    if v5:
        info = info_header(W, height, 32, compression=3, size=124,
                           masks=[0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000])
    elif bitfields565:
        info = info_header(W, height, 16, compression=3)
        extra = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
    else:
        info = info_header(W, height, bits)
    write(name + ".bmp", bmp_file(info, extra, pixels))
    expected = [expect(x, y) for y in range(H) for x in range(W)]
    write_expected(name + ".bmp", W, H, expected)
    if pillow:
        check_with_pillow(name + ".bmp", W, H, expected)


def rle_encode(rows, four):
    """rows bottom-up, lists of indices; encoded runs, literal runs, end of line, end of bitmap."""
    out = bytearray()
    for row in rows:
        i = 0
        while i < len(row):
            run = 1
            while i + run < len(row) and row[i + run] == row[i] and run < 255:
                run += 1
            if run >= 2 or len(row) - i < 3:
                out += bytes((run, row[i] * 17 if four else row[i]))
                i += run
                continue
            lit = 3
            while i + lit < len(row) and lit < 255 and row[i + lit] != row[i + lit - 1]:
                lit += 1
            chunk_ = row[i:i + lit]
            data = pack_row(chunk_, 4) if four else bytes(chunk_)
            out += bytes((0, lit)) + data + bytes(len(data) % 2)
            i += lit
        out += b"\x00\x00"
    out += b"\x00\x01"
    return bytes(out)


def bmp_rle(name, bits, pillow=True):
    count = 1 << bits
    palette = make_palette(count)
    idx = lambda x, y: (x // 4 + y) % count if y % 2 else (x * 3 + y) % count
    rows = [[idx(x, y) for x in range(W)] for y in range(H - 1, -1, -1)]
    pixels = rle_encode(rows, bits == 4)
    info = info_header(W, H, bits, compression=1 if bits == 8 else 2, image_size=len(pixels))
    pal = bytes(c for r, g, b in palette for c in (b, g, r, 0))
    write(name + ".bmp", bmp_file(info, pal, pixels))
    expected = [palette[idx(x, y)] + (255,) for y in range(H) for x in range(W)]
    write_expected(name + ".bmp", W, H, expected)
    if pillow:
        check_with_pillow(name + ".bmp", W, H, expected)


def all_bmp():
    bmp_indexed("bmp_1", 1)
    bmp_indexed("bmp_4", 4)
    bmp_indexed("bmp_8", 8)
    bmp_indexed("bmp_8_topdown", 8, top_down=True)
    bmp_indexed("bmp_8_20colours", 8, colours=20)
    bmp_indexed("bmp_8_core", 8, core=True)
    bmp_rgb("bmp_16", 16)
    bmp_rgb("bmp_16_565", 16, bitfields565=True)
    bmp_rgb("bmp_24", 24)
    bmp_rgb("bmp_24_topdown", 24, top_down=True)
    bmp_rgb("bmp_32", 32)  # alpha bytes all zero: opaque
    # Alpha in a plain 32-bit bitmap; Pillow ignores that byte, so no read-back.
    bmp_rgb("bmp_32_alpha", 32, alpha=lambda x, y: (x * 20) % 256, pillow=False)
    bmp_rgb("bmp_32_v5", 32, alpha=lambda x, y: (y * 25) % 256, v5=True)
    bmp_rle("bmp_rle8", 8)
    bmp_rle("bmp_rle4", 4, pillow=False)  # Pillow drops the last pixel of an odd literal run


# ---------------------------------------------------------------- ICO

def icon_dib(size, bits, transparent, alpha=None):
    """A DIB for an icon entry: colours from colour(), AND mask from transparent(x, y)."""
    count = 1 << bits if bits <= 8 else 0
    palette = make_palette(count)
    idx = lambda x, y: (x + 2 * y) % count
    def value(x, y):
        r, g, b = colour(x, y)
        if bits == 32:
            return ((alpha(x, y) if alpha else 0) << 24) | (r << 16) | (g << 8) | b
        return (r, g, b)
    xor = bmp_rows(size, size, bits, idx, value, False)
    mask = bmp_rows(size, size, 1, lambda x, y: 1 if transparent(x, y) else 0, None, False)
    info = info_header(size, size * 2, bits, image_size=len(xor) + len(mask))
    pal = bytes(c for r, g, b in palette for c in (b, g, r, 0))
    def expect(x, y):
        rgb = palette[idx(x, y)] if bits <= 8 else colour(x, y)
        if alpha:
            return (*rgb, alpha(x, y))
        return (0, 0, 0, 0) if transparent(x, y) else (*rgb, 255)
    pixels = [expect(x, y) for y in range(size) for x in range(size)]
    return info + pal + xor + mask, pixels


def ico_file(entries):
    """entries: (payload, width, height, bits)"""
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for payload, w, h, bits in entries:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, bits, len(payload), offset)
        offset += len(payload)
    return out + b"".join(e[0] for e in entries)


def ico_single(name, size, bits, transparent, alpha=None, pillow=True):
    payload, pixels = icon_dib(size, bits, transparent, alpha)
    write(name + ".ico", ico_file([(payload, size, size, bits)]))
    write_expected(name + ".ico", size, size, pixels)
    if pillow:
        check_with_pillow(name + ".ico", size, size, pixels)


def all_ico():
    ring = lambda x, y: (x - 7.5) ** 2 + (y - 7.5) ** 2 > 49
    ico_single("ico_1", 16, 1, ring)
    ico_single("ico_4", 16, 4, ring)
    ico_single("ico_8", 16, 8, ring)
    ico_single("ico_24", 16, 24, ring)
    ico_single("ico_32", 16, 32, lambda x, y: False, alpha=lambda x, y: (x * 16 + y) % 256)
    # 32 bits with every alpha zero: the AND mask decides (Pillow trusts the zero alpha).
    ico_single("ico_32_noalpha", 16, 32, ring, pillow=False)
    # A PNG entry.
    png_bytes = png("ico_png_payload", 6, 8, width=20, height=20)
    write("ico_png.ico", ico_file([(png_bytes, 20, 20, 32)]))
    with open(os.path.join(OUT, "ico_png_payload.png.rgba"), "rb") as f:
        write("ico_png.ico.rgba", f.read())
    # Several entries: the largest and then deepest (32x32 at 32 bits) wins.
    small, _ = icon_dib(16, 4, ring)
    big8, _ = icon_dib(32, 8, lambda x, y: x < 4)
    big32, pixels = icon_dib(32, 32, lambda x, y: False, alpha=lambda x, y: 255 if y < 16 else 100)
    mid, _ = icon_dib(24, 32, ring)
    write("ico_multi.ico", ico_file([(small, 16, 16, 4), (big8, 32, 32, 8), (big32, 32, 32, 32), (mid, 24, 24, 32)]))
    write_expected("ico_multi.ico", 32, 32, pixels)


# ---------------------------------------------------------------- JPEG

def all_jpeg():
    quads = [(220, 30, 30), (30, 200, 40), (40, 50, 210), (250, 250, 250)]
    im = Image.new("RGB", (32, 32))
    for i, c in enumerate(quads):
        im.paste(c, ((i % 2) * 16, (i // 2) * 16, (i % 2) * 16 + 16, (i // 2) * 16 + 16))
    for name, kwargs in (("jpeg_rgb", {}), ("jpeg_progressive", {"progressive": True})):
        buf = io.BytesIO()
        im.save(buf, "JPEG", quality=95, **kwargs)
        write(name + ".jpg", buf.getvalue())
    buf = io.BytesIO()
    im.convert("L").save(buf, "JPEG", quality=95)
    write("jpeg_grey.jpg", buf.getvalue())
    buf = io.BytesIO()
    im.convert("CMYK").save(buf, "JPEG", quality=95)
    write("jpeg_cmyk.jpg", buf.getvalue())


os.makedirs(OUT, exist_ok=True)
all_png()
all_bmp()
all_ico()
all_jpeg()
write("stamp", b"")
