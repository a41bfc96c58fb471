#!/usr/bin/env python3
# Draws every picture and icon in resources/ from scratch.
# Re-run from the repo root:  python3 resources/art/draw.py
# Needs only the Python standard library and ImageMagick 6 (/usr/bin/convert,
# used for JPEG encoding). Icons are written directly as 8-bit palettised ICOs.

import math
import os
import random
import struct
import subprocess
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.dirname(HERE)
CONVERT = "/usr/bin/convert"


# ---------------------------------------------------------------- raster core

class Canvas:
    """Premultiplied float RGBA, so 'over' compositing stays one line."""

    def __init__(self, w, h, bg=None):
        self.w, self.h = w, h
        n = w * h
        if bg is None:
            self.r = [0.0] * n
            self.g = [0.0] * n
            self.b = [0.0] * n
            self.a = [0.0] * n
        else:
            self.r = [bg[0]] * n
            self.g = [bg[1]] * n
            self.b = [bg[2]] * n
            self.a = [1.0] * n

    def paint(self, cov, color, opacity=1.0):
        """Composite colour (tuple or f(x, y) -> rgb/rgba) through coverage."""
        m, x0, y0, x1, y1 = cov
        w = self.w
        R, G, B, A = self.r, self.g, self.b, self.a
        fn = callable(color)
        if not fn:
            cr, cg, cb = color[:3]
            ca = color[3] if len(color) > 3 else 1.0
        for y in range(y0, y1):
            row = y * w
            for x in range(x0, x1):
                i = row + x
                c = m[i]
                if c <= 0.0:
                    continue
                if fn:
                    col = color(x + 0.5, y + 0.5)
                    cr, cg, cb = col[0], col[1], col[2]
                    ca = col[3] if len(col) > 3 else 1.0
                a = c * opacity * ca
                if a <= 0.0:
                    continue
                if a > 1.0:
                    a = 1.0
                k = 1.0 - a
                R[i] = cr * a + R[i] * k
                G[i] = cg * a + G[i] * k
                B[i] = cb * a + B[i] * k
                A[i] = a + A[i] * k

    def rgba8(self):
        """Un-premultiplied 8-bit RGBA bytes."""
        out = bytearray(self.w * self.h * 4)
        for i in range(self.w * self.h):
            a = self.a[i]
            if a > 0.0:
                r, g, b = self.r[i] / a, self.g[i] / a, self.b[i] / a
            else:
                r = g = b = 0.0
            out[i * 4] = q8(r)
            out[i * 4 + 1] = q8(g)
            out[i * 4 + 2] = q8(b)
            out[i * 4 + 3] = q8(a)
        return out


def q8(v):
    v = int(v * 255.0 + 0.5)
    return 0 if v < 0 else (255 if v > 255 else v)


def coverage(poly, w, h, ss=5):
    """Antialiased nonzero-winding coverage of a polygon.

    Vertical supersampling with exact horizontal span coverage: cheap in pure
    Python and smooth on every edge direction.
    """
    m = [0.0] * (w * h)
    edges = []
    n = len(poly)
    for i in range(n):
        xa, ya = poly[i]
        xb, yb = poly[(i + 1) % n]
        if ya == yb:
            continue
        d = 1
        if ya > yb:
            xa, ya, xb, yb = xb, yb, xa, ya
            d = -1
        edges.append((ya, yb, xa, (xb - xa) / (yb - ya), d))
    if not edges:
        return (m, 0, 0, 0, 0)
    ymin = max(0, int(math.floor(min(e[0] for e in edges))))
    ymax = min(h, int(math.ceil(max(e[1] for e in edges))))
    xs_all = [p[0] for p in poly]
    bx0 = max(0, int(math.floor(min(xs_all))))
    bx1 = min(w, int(math.ceil(max(xs_all))) + 1)
    edges.sort()
    wt = 1.0 / ss
    for py in range(ymin, ymax):
        row = py * w
        ylo, yhi = py, py + 1
        act = [e for e in edges if e[0] < yhi and e[1] > ylo]
        for j in range(ss):
            sy = py + (j + 0.5) * wt
            xs = [(e[2] + (sy - e[0]) * e[3], e[4]) for e in act
                  if e[0] <= sy < e[1]]
            if not xs:
                continue
            xs.sort()
            wnd = 0
            start = 0.0
            for x, d in xs:
                if wnd == 0:
                    start = x
                wnd += d
                if wnd == 0:
                    _span(m, row, w, start, x, wt)
    for y in range(ymin, ymax):
        row = y * w
        for x in range(bx0, bx1):
            if m[row + x] > 1.0:
                m[row + x] = 1.0
    return (m, bx0, ymin, bx1, ymax)


def _span(m, row, w, xa, xb, wt):
    if xa < 0.0:
        xa = 0.0
    if xb > w:
        xb = float(w)
    if xb <= xa:
        return
    ia, ib = int(xa), int(xb)
    if ia == ib:
        m[row + ia] += (xb - xa) * wt
        return
    m[row + ia] += (ia + 1 - xa) * wt
    for i in range(row + ia + 1, row + ib):
        m[i] += wt
    if ib < w:
        m[row + ib] += (xb - ib) * wt


def cov_op(a, b, op, w):
    """Combine two coverages: 'mul' (intersect), 'sub' (a minus b), 'max'."""
    ma, ax0, ay0, ax1, ay1 = a
    mb, bx0, by0, bx1, by1 = b
    if op == "mul":
        x0, y0, x1, y1 = max(ax0, bx0), max(ay0, by0), min(ax1, bx1), min(ay1, by1)
    elif op == "sub":
        x0, y0, x1, y1 = ax0, ay0, ax1, ay1
    else:
        x0, y0, x1, y1 = min(ax0, bx0), min(ay0, by0), max(ax1, bx1), max(ay1, by1)
    m = [0.0] * len(ma)
    for y in range(y0, max(y0, y1)):
        for x in range(x0, max(x0, x1)):
            i = y * w + x
            if op == "mul":
                m[i] = ma[i] * mb[i]
            elif op == "sub":
                v = ma[i] - mb[i]
                m[i] = v if v > 0.0 else 0.0
            else:
                m[i] = ma[i] if ma[i] > mb[i] else mb[i]
    return (m, x0, y0, max(x0, x1), max(y0, y1))


def full(w, h, m):
    return (m, 0, 0, w, h)


def blur(m, w, h, r, passes=3):
    """Repeated box blur approximates a gaussian; used for soft shading."""
    if r <= 0:
        return list(m)
    cur = list(m)
    for _ in range(passes):
        tmp = [0.0] * (w * h)
        for y in range(h):
            row = y * w
            acc = 0.0
            win = 2 * r + 1
            for x in range(-r, r + 1):
                acc += cur[row + min(max(x, 0), w - 1)]
            for x in range(w):
                tmp[row + x] = acc / win
                acc += cur[row + min(x + r + 1, w - 1)] - cur[row + max(x - r, 0)]
        out = [0.0] * (w * h)
        for x in range(w):
            acc = 0.0
            win = 2 * r + 1
            for y in range(-r, r + 1):
                acc += tmp[min(max(y, 0), h - 1) * w + x]
            for y in range(h):
                out[y * w + x] = acc / win
                acc += tmp[min(y + r + 1, h - 1) * w + x] - tmp[max(y - r, 0) * w + x]
        cur = out
    return cur


def shift(m, w, h, dx, dy):
    out = [0.0] * (w * h)
    for y in range(h):
        sy = y - dy
        if 0 <= sy < h:
            for x in range(w):
                sx = x - dx
                if 0 <= sx < w:
                    out[y * w + x] = m[sy * w + sx]
    return out


# ------------------------------------------------------------------ geometry

def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    return tuple(lerp(a, b, t) for a, b in zip(c1, c2))


def smooth(t):
    t = 0.0 if t < 0.0 else (1.0 if t > 1.0 else t)
    return t * t * (3.0 - 2.0 * t)


def hexc(s):
    s = s.lstrip("#")
    return tuple(int(s[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def gradient(stops, t):
    """stops: [(pos, rgb), ...] sorted by pos."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, smooth((t - p0) / (p1 - p0)))
    return stops[-1][1]


def ellipse(cx, cy, rx, ry, rot=0.0, n=96, wobble=None):
    pts = []
    cr, sr = math.cos(rot), math.sin(rot)
    for i in range(n):
        t = 2 * math.pi * i / n
        k = 1.0 + (wobble(t) if wobble else 0.0)
        x, y = rx * k * math.cos(t), ry * k * math.sin(t)
        pts.append((cx + x * cr - y * sr, cy + x * sr + y * cr))
    return pts


def bezier(p0, p1, p2, p3, n=40):
    pts = []
    for i in range(n + 1):
        t = i / n
        u = 1 - t
        pts.append((u * u * u * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t * t * t * p3[0],
                    u * u * u * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t * t * t * p3[1]))
    return pts


def stroke(pts, width, cap=True):
    """Polygon outlining a polyline; width may be a number or f(s) for s in [0,1]."""
    n = len(pts)
    wf = width if callable(width) else (lambda s: width)
    left, right = [], []
    for i in range(n):
        pa = pts[max(i - 1, 0)]
        pb = pts[min(i + 1, n - 1)]
        dx, dy = pb[0] - pa[0], pb[1] - pa[1]
        ln = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / ln, dx / ln
        hw = wf(i / (n - 1)) / 2.0
        left.append((pts[i][0] + nx * hw, pts[i][1] + ny * hw))
        right.append((pts[i][0] - nx * hw, pts[i][1] - ny * hw))
    poly = list(left)
    if cap:
        poly += _cap(pts[-1], pts[-2], wf(1.0) / 2.0)
    poly += right[::-1]
    if cap:
        poly += _cap(pts[0], pts[1], wf(0.0) / 2.0)
    return poly


def _cap(p, prev, r):
    if r < 0.05:
        return []
    ang = math.atan2(p[1] - prev[1], p[0] - prev[0])
    out = []
    for k in range(1, 8):
        a = ang + math.pi / 2 - math.pi * k / 8
        out.append((p[0] + r * math.cos(a), p[1] + r * math.sin(a)))
    return out


class Leaf:
    """A leaf laid along a curved midrib; points are addressed as (t, f):
    t runs base->tip, f runs -1..1 across the blade."""

    def __init__(self, base, tip, bend, width, a=0.55, b=1.1, asym=0.92):
        self.B, self.T = base, tip
        mx, my = (base[0] + tip[0]) / 2, (base[1] + tip[1]) / 2
        dx, dy = tip[0] - base[0], tip[1] - base[1]
        ln = math.hypot(dx, dy)
        self.C = (mx - dy / ln * bend, my + dx / ln * bend)
        self.width, self.a, self.b, self.asym = width, a, b, asym
        tm = a / (a + b)
        self.norm = tm ** a * (1 - tm) ** b

    def mid(self, t):
        u = 1 - t
        B, C, T = self.B, self.C, self.T
        return (u * u * B[0] + 2 * u * t * C[0] + t * t * T[0],
                u * u * B[1] + 2 * u * t * C[1] + t * t * T[1])

    def normal(self, t):
        u = 1 - t
        B, C, T = self.B, self.C, self.T
        dx = 2 * u * (C[0] - B[0]) + 2 * t * (T[0] - C[0])
        dy = 2 * u * (C[1] - B[1]) + 2 * t * (T[1] - C[1])
        ln = math.hypot(dx, dy) or 1.0
        return (-dy / ln, dx / ln)

    def half(self, t):
        t = min(max(t, 0.0), 1.0)
        return self.width * (t ** self.a) * ((1 - t) ** self.b) / self.norm

    def at(self, t, f):
        p = self.mid(t)
        nx, ny = self.normal(t)
        hw = self.half(t) * (1.0 if f >= 0 else self.asym)
        return (p[0] + nx * hw * f, p[1] + ny * hw * f)

    def outline(self, n=160, grow=0.0):
        ts = [0.5 - 0.5 * math.cos(math.pi * i / n) for i in range(n + 1)]
        side = lambda t, s: self._grown(t, s, grow)
        return [side(t, 1) for t in ts] + [side(t, -1) for t in reversed(ts)][1:-1]

    def _grown(self, t, s, grow):
        p = self.at(t, s)
        nx, ny = self.normal(t)
        return (p[0] + nx * grow * s, p[1] + ny * grow * s)

    def half_poly(self, side, n=120):
        ts = [0.5 - 0.5 * math.cos(math.pi * i / n) for i in range(n + 1)]
        return [self.at(t, side) for t in ts] + [self.mid(t) for t in reversed(ts)]

    def path(self, t0, t1, f0, f1, n=30, curve=0.8):
        """A vein from (t0, f0) to (t1, f1) bowing toward the tip."""
        pts = []
        for i in range(n + 1):
            s = i / n
            t = lerp(t0, t1, s ** curve)
            f = lerp(f0, f1, s)
            pts.append(self.at(t, f))
        return pts


# ------------------------------------------------------------------ file I/O

def write_png(path, w, h, rgba):
    raw = bytearray()
    stride = w * 4
    for y in range(h):
        raw.append(0)
        raw += rgba[y * stride:(y + 1) * stride]

    def chunk(tag, data):
        c = struct.pack(">I", len(data)) + tag + data
        return c + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    with open(path, "wb") as fh:
        fh.write(b"\x89PNG\r\n\x1a\n")
        fh.write(chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)))
        fh.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        fh.write(chunk(b"IEND", b""))


def write_jpeg(canvas, path, tmpdir, quality=90):
    png = os.path.join(tmpdir, os.path.basename(path) + ".png")
    write_png(png, canvas.w, canvas.h, canvas.rgba8())
    # 4:4:4 keeps the thin green/orange edges clean (and the idler's decoder
    # repeats subsampled colour where libjpeg would interpolate it); -strip
    # keeps output stable. Baseline, one scan: what that decoder reads.
    subprocess.run([CONVERT, png, "-alpha", "off", "-strip", "-sampling-factor", "1x1",
                    "-quality", str(quality), "JPEG:" + path], check=True)


def median_cut(counts, k):
    """Deterministic median-cut palette from {rgb: count}."""
    boxes = [sorted(counts.items())]
    while len(boxes) < k:
        best, bi, bch = -1, -1, 0
        for i, bx in enumerate(boxes):
            if len(bx) < 2:
                continue
            for ch in range(3):
                vals = [c[0][ch] for c in bx]
                spread = (max(vals) - min(vals)) * math.sqrt(sum(c[1] for c in bx))
                if spread > best:
                    best, bi, bch = spread, i, ch
        if bi < 0:
            break
        bx = sorted(boxes[bi], key=lambda c: (c[0][bch], c[0]))
        total = sum(c[1] for c in bx)
        acc, cut = 0, 1
        for j, c in enumerate(bx):
            acc += c[1]
            if acc * 2 >= total:
                cut = min(max(j + 1, 1), len(bx) - 1)
                break
        boxes[bi:bi + 1] = [bx[:cut], bx[cut:]]
    pal = []
    for bx in boxes:
        tot = sum(c[1] for c in bx)
        pal.append(tuple(int(round(sum(c[0][ch] * c[1] for c in bx) / tot)) for ch in range(3)))
    return pal


def icon_image(canvas, fringe=(0.80, 0.80, 0.80)):
    """8-bit palettised icon image (BITMAPINFOHEADER + palette + XOR + AND).

    A 256-colour icon only has a 1-bit mask, so half-covered edge pixels are
    kept and lightly blended toward a neutral grey; fainter ones become
    transparent.
    """
    w, h = canvas.w, canvas.h
    px = []
    for i in range(w * h):
        a = canvas.a[i]
        if a < 0.5:
            px.append(None)
            continue
        r, g, b = canvas.r[i] / a, canvas.g[i] / a, canvas.b[i] / a
        k = (1.0 - a) * 0.6
        px.append((q8(lerp(r, fringe[0], k)), q8(lerp(g, fringe[1], k)), q8(lerp(b, fringe[2], k))))
    counts = {}
    for p in px:
        if p is not None:
            counts[p] = counts.get(p, 0) + 1
    # index 0 stays black: transparent pixels need XOR colour 0 under the mask
    pal = [(0, 0, 0)] + (sorted(counts) if len(counts) <= 255 else median_cut(counts, 255))
    lookup = {}

    def index(c):
        j = lookup.get(c)
        if j is None:
            j = min(range(len(pal)), key=lambda k: (pal[k][0] - c[0]) ** 2 * 3
                    + (pal[k][1] - c[1]) ** 2 * 4 + (pal[k][2] - c[2]) ** 2 * 2)
            lookup[c] = j
        return j

    pal += [(0, 0, 0)] * (256 - len(pal))
    xor = bytearray()
    andm = bytearray()
    and_stride = ((w + 31) // 32) * 4
    xor_stride = ((w + 3) // 4) * 4
    for y in range(h - 1, -1, -1):
        row = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x in range(w):
            p = px[y * w + x]
            if p is None:
                bits[x >> 3] |= 0x80 >> (x & 7)
            else:
                row[x] = index(p)
        xor += row
        andm += bits
    hdr = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 8, 0, len(xor) + len(andm), 0, 0, 256, 0)
    palb = b"".join(struct.pack("<BBBB", c[2], c[1], c[0], 0) for c in pal)
    return hdr + palb + bytes(xor) + bytes(andm)


def write_ico(path, canvases):
    images = [(c.w, c.h, icon_image(c)) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    off = 6 + 16 * len(images)
    body = b""
    for w, h, data in images:
        # bColorCount 0 means 256 colours; wBitCount 8 = palettised
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 8, len(data), off + len(body))
        body += data
    with open(path, "wb") as fh:
        fh.write(out + body)


# --------------------------------------------------------------- the pictures

LEAF_LIGHT = hexc("#8fd14f")
LEAF_MID = hexc("#4ea52f")
LEAF_DARK = hexc("#2c6e1f")
VEIN = hexc("#e3f3a8")


def leaf_shader(leaf, inner, lit_side, light, mid, dark, w):
    """Shade from rim (dark) to centre (light), brighter on the lit half."""
    def sh(x, y):
        v = inner[int(y) * w + int(x)]
        c = mix(dark, mid, smooth(v * 1.6))
        c = mix(c, light, smooth((v - 0.35) * 1.6) * (0.9 if lit_side else 0.45))
        return c
    return sh


def draw_leaf(cv, leaf, scale, veins=7, shadow=True, stem=None, outline=None,
              colors=(LEAF_LIGHT, LEAF_MID, LEAF_DARK), vein_col=VEIN, vein_alpha=0.8,
              midrib_range=(0.0, 0.97)):
    w, h = cv.w, cv.h
    body = coverage(leaf.outline(), w, h)
    if shadow:
        sm = blur(shift(body[0], w, h, int(round(3 * scale)), int(round(4 * scale))), w, h,
                  max(1, int(round(3 * scale))))
        cv.paint(full(w, h, sm), (0.10, 0.18, 0.08), 0.22)
    if stem:
        pts, sw = stem
        cv.paint(coverage(stroke(pts, sw), w, h), colors[2])
        cv.paint(coverage(stroke(pts, lambda s: sw(s) * 0.45 if callable(sw) else sw * 0.45), w, h),
                 mix(colors[1], colors[0], 0.3), 0.8)
    if outline:
        cv.paint(coverage(leaf.outline(grow=outline[0]), w, h), outline[1])
    inner = blur(body[0], w, h, max(1, int(round(5 * scale))))
    light, mid, dark = colors
    for side in (1, -1):
        half = coverage(leaf.half_poly(side), w, h)
        half = cov_op(half, body, "mul", w)
        cv.paint(half, leaf_shader(leaf, inner, side < 0, light, mid, dark, w))
    # soft sheen on the lit (upper-left) half
    hl = coverage(ellipse(*leaf.at(0.42, -0.45), leaf.half(0.42) * 0.55 * 1.6,
                          leaf.half(0.42) * 0.55 * 0.6,
                          rot=math.atan2(leaf.T[1] - leaf.B[1], leaf.T[0] - leaf.B[0])), w, h)
    hl = full(w, h, blur(hl[0], w, h, max(1, int(round(4 * scale)))))
    hl = cov_op(hl, body, "mul", w)
    cv.paint(hl, (1.0, 1.0, 0.9), 0.28)
    # lateral veins, alternate a little so they do not look mirrored
    vw = 1.5 * scale
    for i in range(veins):
        t0 = 0.12 + 0.70 * i / max(veins - 1, 1)
        for side in (1, -1):
            ts = t0 + (0.035 if side < 0 else 0.0)
            if ts > 0.86:
                continue
            pts = leaf.path(ts, min(ts + 0.20, 0.97), 0.0, 0.80 * side, curve=0.7)
            groove = [(p[0] + 0.5 * scale, p[1] + 0.6 * scale) for p in pts]
            cv.paint(cov_op(coverage(stroke(groove, lambda s: vw * (1 - 0.75 * s)), w, h), body, "mul", w),
                     colors[2], 0.35)
            cv.paint(cov_op(coverage(stroke(pts, lambda s: vw * (1 - 0.75 * s)), w, h), body, "mul", w),
                     vein_col, vein_alpha)
    # midrib, thick at the base and fading out toward the tip
    a0, a1 = midrib_range
    mpts = [leaf.mid(lerp(a0, a1, i / 60)) for i in range(61)]
    mw = 3.4 * scale
    groove = [(p[0] + 0.6 * scale, p[1] + 0.8 * scale) for p in mpts]
    cv.paint(coverage(stroke(groove, lambda s: mw * (1 - 0.85 * s)), w, h), colors[2], 0.35)
    cv.paint(coverage(stroke(mpts, lambda s: mw * (1 - 0.85 * s)), w, h), vein_col, min(1.0, vein_alpha + 0.1))
    return body


def main_background():
    w, h = 200, 201
    cv = Canvas(w, h, bg=(1.0, 1.0, 1.0))
    leaf = Leaf(base=(52, 152), tip=(176, 26), bend=-14, width=50)
    stem_pts = bezier((54, 150), (44, 162), (32, 170), (20, 186), 30)
    draw_leaf(cv, leaf, 1.0, veins=7, stem=(stem_pts, lambda s: 5.0 - 2.0 * s))
    return cv


def sky_color(x, y):
    t = y / 215.0
    c = gradient([(0.00, hexc("#161a45")), (0.25, hexc("#29306a")),
                  (0.50, hexc("#5b4a8a")), (0.70, hexc("#b0608a")),
                  (0.85, hexc("#ec8a6a")), (1.00, hexc("#ffc27a"))], t)
    # warm glow around the low sun
    dx, dy = (x - 222) / 120.0, (y - 205) / 80.0
    g = math.exp(-(dx * dx + dy * dy) * 1.6)
    c = mix(c, hexc("#ffd59a"), g * 0.65)
    return c


def ridge(y0, amp, waves, x0=-4, x1=312, step=2, bottom=420):
    pts = []
    x = x0
    while x <= x1:
        y = y0 + sum(a * math.sin(x * f + p) for a, f, p in waves) * amp
        pts.append((x, y))
        x += step
    return pts + [(x1, bottom), (x0, bottom)]


def dedication():
    w, h = 308, 410
    cv = Canvas(w, h)
    sky = coverage([(0, 0), (w, 0), (w, h), (0, h)], w, h, ss=1)
    cv.paint(sky, sky_color)

    rnd = random.Random(7)
    # stars in the dark upper sky only
    for _ in range(70):
        x, y = rnd.uniform(2, 303), rnd.uniform(2, 120)
        fade = 1.0 - y / 120.0
        r = rnd.choice((0.5, 0.6, 0.7, 0.9))
        cv.paint(coverage(ellipse(x, y, r, r, n=12), w, h), (1.0, 0.97, 0.9), 0.35 + 0.55 * fade * rnd.random())
    # crescent moon with a faint halo
    halo = full(w, h, blur(coverage(ellipse(262, 46, 13, 13), w, h)[0], w, h, 6))
    cv.paint(halo, hexc("#fff2d0"), 0.35)
    moon = cov_op(coverage(ellipse(262, 46, 10.5, 10.5), w, h),
                  coverage(ellipse(267, 42, 9.5, 9.5), w, h), "sub", w)
    cv.paint(moon, hexc("#fff4d6"))

    # thin clouds lit from below by the sunset
    for cx, cy, rx, ry, op in ((70, 150, 70, 4.5, 0.55), (150, 164, 60, 3.5, 0.5),
                                (245, 138, 55, 3.5, 0.45), (30, 172, 40, 3.0, 0.4),
                                (200, 176, 50, 2.5, 0.45)):
        c = coverage(ellipse(cx, cy, rx, ry), w, h)
        c = full(w, h, blur(c[0], w, h, 2))
        top = lambda x, y, cy=cy: mix(hexc("#c26a8e"), hexc("#ffb38a"), smooth((y - cy + 4) / 8))
        cv.paint(c, top, op)

    # setting sun behind the far hills
    sun_glow = full(w, h, blur(coverage(ellipse(224, 203, 22, 22), w, h)[0], w, h, 7))
    cv.paint(sun_glow, hexc("#fff0c2"), 0.6)
    cv.paint(coverage(ellipse(224, 203, 15, 15), w, h),
             lambda x, y: mix(hexc("#fffbe8"), hexc("#ffd27a"), smooth((y - 190) / 26)))

    # three ranges of hills, paler with distance
    far = ridge(206, 1.0, ((5, 0.021, 0.3), (3, 0.057, 1.9), (1.5, 0.13, 0.2)))
    cv.paint(coverage(far, w, h), lambda x, y: mix(hexc("#a2628a"), hexc("#7a4d7e"), smooth((y - 195) / 30)))
    mid = ridge(222, 1.0, ((6, 0.016, 2.4), (3, 0.041, 0.7), (1.2, 0.11, 1.3)))
    cv.paint(coverage(mid, w, h), lambda x, y: mix(hexc("#5e3f6c"), hexc("#3f2d55"), smooth((y - 212) / 30)))

    # foreground hill that carries the tree
    def hill_y(x):
        return 236 + 0.0016 * (x - 112) ** 2 + 1.5 * math.sin(x * 0.09)
    hill = [(x, hill_y(x)) for x in range(-4, 314, 2)] + [(312, 420), (-4, 420)]
    hill_c = coverage(hill, w, h)
    cv.paint(hill_c, lambda x, y: mix(hexc("#2c3b33"), hexc("#141b1a"), smooth((y - 235) / 70)))
    # warm rim where the crest catches the light
    rim = cov_op(hill_c, full(w, h, shift(hill_c[0], w, h, 0, 2)), "sub", w)
    cv.paint(rim, hexc("#e79a6a"), 0.7)
    # grass blades along the crest
    for i in range(110):
        x = rnd.uniform(0, 308)
        base = hill_y(x) + 1.0
        hgt = rnd.uniform(3, 8) * (1.0 if abs(x - 115) > 30 else 1.3)
        lean = rnd.uniform(-2.5, 3.0)
        blade = bezier((x, base), (x, base - hgt * 0.5), (x + lean * 0.5, base - hgt * 0.8),
                       (x + lean, base - hgt), 8)
        cv.paint(coverage(stroke(blade, lambda s: 1.4 * (1 - s) + 0.15), w, h), hexc("#1c2823"))

    draw_juniper(cv, rnd)
    return cv


def draw_juniper(cv, rnd):
    w, h = cv.w, cv.h
    trunk_col = hexc("#2a1d1c")
    # a windswept trunk with two side limbs
    trunk = bezier((112, 240), (106, 205), (126, 178), (118, 128), 40)
    cv.paint(coverage(stroke(trunk, lambda s: 9.0 - 6.0 * s), w, h), trunk_col)
    limbs = [bezier((115, 200), (128, 196), (140, 186), (156, 178), 24),
             bezier((114, 186), (104, 182), (92, 176), (80, 166), 24),
             bezier((120, 158), (130, 150), (138, 146), (148, 136), 20),
             bezier((118, 146), (110, 140), (102, 134), (96, 124), 20)]
    for lb in limbs:
        cv.paint(coverage(stroke(lb, lambda s: 4.0 - 2.6 * s), w, h), trunk_col)
    # sunlit edge of the trunk
    lit = [(p[0] + 2.2, p[1]) for p in trunk]
    cv.paint(cov_op(coverage(stroke(lit, lambda s: 2.0 - 1.2 * s), w, h),
                    coverage(stroke(trunk, lambda s: 9.0 - 6.0 * s), w, h), "mul", w),
             hexc("#8a4f3a"), 0.8)

    # foliage pads: (cx, cy, rx, ry)
    pads = [(160, 176, 22, 10), (78, 164, 20, 9), (149, 134, 19, 10),
            (95, 122, 17, 10), (121, 110, 24, 14), (117, 88, 16, 12),
            (136, 148, 12, 7), (101, 140, 12, 7)]
    dark = hexc("#15302c")
    midc = hexc("#284a40")
    lightc = hexc("#486b55")
    rimc = hexc("#f0a870")
    for k, (cx, cy, rx, ry) in enumerate(pads):
        ph = [rnd.uniform(0, 6.3) for _ in range(3)]
        wob = lambda t, ph=ph: 0.10 * math.sin(7 * t + ph[0]) + 0.06 * math.sin(11 * t + ph[1]) \
            + 0.04 * math.sin(17 * t + ph[2])
        pad = coverage(ellipse(cx, cy, rx, ry, n=140, wobble=wob), w, h)
        cv.paint(pad, lambda x, y, cy=cy, ry=ry: mix(midc, dark, smooth((y - cy + ry * 0.3) / (ry * 1.2))))
        # clumpy texture: smaller tufts lighter on top
        for _ in range(int(rx * ry / 18)):
            a = rnd.uniform(0, 2 * math.pi)
            d = math.sqrt(rnd.random()) * 0.8
            tx, ty = cx + math.cos(a) * rx * d, cy + math.sin(a) * ry * d - ry * 0.15
            tr = rnd.uniform(2.2, 4.0)
            tuft = cov_op(coverage(ellipse(tx, ty - 1, tr * 1.3, tr * 0.8, n=24), w, h), pad, "mul", w)
            cv.paint(tuft, lambda x, y, ty=ty, tr=tr: mix(lightc, midc, smooth((y - ty + tr) / (tr * 1.6))), 0.55)
        # warm rim on the sun side (right) and top
        rim = cov_op(pad, full(w, h, shift(pad[0], w, h, -1, 1)), "sub", w)
        cv.paint(rim, lambda x, y, cx=cx, rx=rx: rimc + (smooth((x - cx + rx * 0.3) / rx),), 0.55)
        # a few juniper berries, dusty blue
        for _ in range(2 if rx > 15 else 1):
            a = rnd.uniform(0, 2 * math.pi)
            d = rnd.uniform(0.2, 0.7)
            bx, by = cx + math.cos(a) * rx * d, cy + math.sin(a) * ry * d
            cv.paint(coverage(ellipse(bx, by, 1.15, 1.15, n=16), w, h), hexc("#56699a"), 0.9)
            cv.paint(coverage(ellipse(bx - 0.35, by - 0.4, 0.45, 0.45, n=10), w, h), hexc("#c8d4f0"), 0.6)


def about_icon(size=64):
    s = size / 64.0
    cv = Canvas(size, size)
    leaf = Leaf(base=(20 * s, 57 * s), tip=(50 * s, 4 * s), bend=-3 * s, width=24 * s,
                a=0.6, b=1.0, asym=0.95)
    red = (hexc("#c23a2e"), hexc("#8a1818"), hexc("#4a0709"))
    stem = bezier((21 * s, 55 * s), (18 * s, 58 * s), (15 * s, 60 * s), (11 * s, 62.5 * s), 12)
    cv.paint(coverage(stroke(stem, 3.6 * s), size, size), hexc("#3a0606"))
    cv.paint(coverage(stroke(stem, 1.6 * s), size, size), hexc("#8a2a1a"))
    draw_leaf(cv, leaf, s * 0.75, veins=4, shadow=False, colors=red, vein_col=hexc("#ff9a7a"),
              vein_alpha=0.45, outline=(max(1.0, 1.6 * s), hexc("#3a0606")), midrib_range=(0.62, 0.96))
    # face, kept upright for readability
    ink = hexc("#2a0505")
    for ex in (24.5, 37.5):
        ey = 30
        cv.paint(coverage(ellipse(ex * s, ey * s, 6.0 * s, 7.4 * s), size, size), ink)
        cv.paint(coverage(ellipse(ex * s, ey * s, 4.9 * s, 6.3 * s), size, size),
                 lambda x, y: mix(hexc("#ffffff"), hexc("#e6dede"), smooth((y - 26 * s) / (10 * s))))
        cv.paint(coverage(ellipse((ex + 1.3) * s, (ey + 1.2) * s, 2.9 * s, 3.4 * s), size, size), ink)
        cv.paint(coverage(ellipse((ex + 0.3) * s, (ey - 0.4) * s, 1.15 * s, 1.15 * s), size, size),
                 (1, 1, 1))
    # cheeks
    for cx in (18.5, 43.5):
        c = coverage(ellipse(cx * s, 39 * s, 3.6 * s, 2.2 * s), size, size)
        cv.paint(full(size, size, blur(c[0], size, size, 1, 1)), hexc("#ff8a8a"), 0.55)
    # open smile
    smile = [(lerp(24, 38, i / 20) * s, (40 + 5.5 * math.sin(math.pi * i / 20)) * s) for i in range(21)]
    mouth = coverage(smile + [(38 * s, 40 * s)], size, size)
    cv.paint(mouth, hexc("#4a0a0c"))
    tongue = cov_op(coverage(ellipse(31 * s, 45.6 * s, 4.2 * s, 2.6 * s), size, size), mouth, "mul", size)
    cv.paint(tongue, hexc("#ff7f86"))
    cv.paint(coverage(stroke(smile, 1.7 * s) , size, size), ink)
    cv.paint(coverage(stroke([(24 * s, 40 * s), (38 * s, 40 * s)], 1.5 * s), size, size), ink)
    return cv


def eye_icon(size=64):
    s = size / 64.0
    cv = Canvas(size, size)
    ink = hexc("#16301a")
    green = (hexc("#8fd14f"), hexc("#4ea52f"), hexc("#245e1a"))
    # grass tuft and stem
    stem = bezier((30 * s, 63 * s), (25 * s, 54 * s), (36 * s, 47 * s), (33 * s, 36 * s), 30)
    cv.paint(coverage(stroke(stem, lambda t: (5.0 - 1.2 * t) * s), size, size), ink)
    cv.paint(coverage(stroke(stem, lambda t: (3.0 - 1.0 * t) * s), size, size), hexc("#4f9a2c"))
    hi = [(p[0] - 0.5 * s, p[1]) for p in stem]
    cv.paint(coverage(stroke(hi, lambda t: 0.9 * s), size, size), hexc("#9bd86a"), 0.8)
    # two stem leaves
    for base, tip, bend in (((29.5 * s, 53 * s), (9 * s, 41 * s), 4 * s),
                            ((31.5 * s, 47 * s), (55 * s, 40 * s), -4 * s)):
        lf = Leaf(base=base, tip=tip, bend=bend, width=6.2 * s, a=0.6, b=1.0, asym=1.0)
        draw_leaf(cv, lf, 0.4 * s, veins=0, shadow=False, colors=green, vein_col=hexc("#c9ee8e"),
                  vein_alpha=0.7, outline=(max(0.9, 1.2 * s), ink), midrib_range=(0.05, 0.85))
    # sepals cupping the eyeball
    for base, tip, bend in (((33 * s, 40 * s), (13 * s, 27 * s), 5 * s),
                            ((33 * s, 40 * s), (53 * s, 27 * s), -5 * s)):
        lf = Leaf(base=base, tip=tip, bend=bend, width=5.5 * s, a=0.7, b=0.9, asym=1.0)
        draw_leaf(cv, lf, 0.4 * s, veins=0, shadow=False, colors=green, vein_col=hexc("#c9ee8e"),
                  vein_alpha=0.0, outline=(max(0.9, 1.2 * s), ink), midrib_range=(0.1, 0.5))
    # eyeball
    ex, ey, er = 33 * s, 17.5 * s, 15.5 * s
    cv.paint(coverage(ellipse(ex, ey, er + 1.3 * s, er + 1.3 * s), size, size), hexc("#202830"))
    ball = coverage(ellipse(ex, ey, er, er), size, size)

    def white(x, y):
        d = math.hypot(x - (ex - 4 * s), y - (ey - 5 * s)) / (er * 1.5)
        return mix(hexc("#ffffff"), hexc("#b9c4d6"), smooth(d))
    cv.paint(ball, white)
    # a few bloodshot veins creeping in from the rim
    rnd = random.Random(3)
    for k in range(6):
        a = 0.4 + k * 1.05 + rnd.uniform(-0.2, 0.2)
        pts = []
        for i in range(9):
            rr = er * (0.97 - 0.045 * i)
            aa = a + 0.06 * math.sin(i * 1.7 + k)
            pts.append((ex + math.cos(aa) * rr, ey + math.sin(aa) * rr))
        cv.paint(cov_op(coverage(stroke(pts, lambda t: 0.9 * s * (1 - 0.7 * t)), size, size), ball, "mul", size),
                 hexc("#d9475a"), 0.65)
    ix, iy, ir = ex + 2.2 * s, ey + 1.6 * s, 8.0 * s
    cv.paint(coverage(ellipse(ix, iy, ir + 0.8 * s, ir + 0.8 * s), size, size), hexc("#123a4a"))

    def iris(x, y):
        d = math.hypot(x - ix, y - iy) / ir
        ang = math.atan2(y - iy, x - ix)
        c = mix(hexc("#7fd6c8"), hexc("#1f7a8c"), smooth(d * 1.1))
        c = mix(c, hexc("#0f4f66"), 0.25 * (0.5 + 0.5 * math.sin(ang * 14)) * smooth(d * 1.5))
        return c
    cv.paint(coverage(ellipse(ix, iy, ir, ir), size, size), iris)
    cv.paint(coverage(ellipse(ix, iy, 3.7 * s, 3.7 * s), size, size), hexc("#05080a"))
    cv.paint(coverage(ellipse(ix - 3.0 * s, iy - 3.0 * s, 2.0 * s, 2.0 * s), size, size), (1, 1, 1))
    cv.paint(coverage(ellipse(ix + 2.6 * s, iy + 2.8 * s, 0.9 * s, 0.9 * s), size, size), (1, 1, 1), 0.8)
    return cv


def idler_icon(size):
    s = size / 48.0
    cv = Canvas(size, size)
    ink = hexc("#1d4a16")
    leaf = Leaf(base=(12 * s, 38 * s), tip=(44.5 * s, 3.5 * s), bend=-4 * s, width=12.5 * s)
    stem = bezier((15 * s, 35 * s), (10 * s, 40 * s), (7 * s, 42 * s), (3 * s, 45.5 * s), 12)
    sw = max(1.3, 2.8 * s)
    cv.paint(coverage(stroke(stem, sw + 1.6 * s), size, size), ink)
    cv.paint(coverage(stroke(stem, sw * 0.5), size, size), hexc("#5fa83a"))
    veins = 5 if size >= 48 else (3 if size >= 32 else 0)
    draw_leaf(cv, leaf, s * 0.55 if size > 16 else 0.45, veins=veins, shadow=False,
              outline=(max(1.0, 1.3 * s), ink), vein_alpha=0.8 if size > 16 else 0.6,
              midrib_range=(0.0, 0.92))
    return cv


# Every size Windows asks for from 96 to 192 DPI: small icons of 16, 20, 24
# and 32 pixels, large ones of 32, 40, 48 and 64.
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64)


def icon_set(draw, own):
    """The icon's own image first (the one its window is described with), then the other sizes."""
    return [draw(own)] + [draw(n) for n in ICON_SIZES if n != own]


def main():
    with tempfile.TemporaryDirectory() as tmp:
        write_jpeg(main_background(), os.path.join(OUT, "main-background.jpg"), tmp)
        write_jpeg(dedication(), os.path.join(OUT, "dedication.jpg"), tmp)
    icons = (("idler", idler_icon, 48), ("about", about_icon, 64), ("dedication", eye_icon, 64))
    for name, draw, own in icons:
        images = icon_set(draw, own)
        write_ico(os.path.join(OUT, name + ".ico"), images)
        if "--png" in sys.argv:
            # previews for checking the icons by eye, every size side by side
            sheet = Canvas(sum(c.w + 4 for c in images), max(c.h for c in images), (1, 1, 1))
            x = 0
            for c in images:
                for y in range(c.h):
                    for cx in range(c.w):
                        i, j = y * c.w + cx, y * sheet.w + x + cx
                        a = c.a[i]
                        sheet.r[j] = c.r[i] + sheet.r[j] * (1 - a)
                        sheet.g[j] = c.g[i] + sheet.g[j] * (1 - a)
                        sheet.b[j] = c.b[i] + sheet.b[j] * (1 - a)
                x += c.w + 4
            write_png(os.path.join(tempfile.gettempdir(), name + "-icons.png"), sheet.w, sheet.h, sheet.rgba8())


if __name__ == "__main__":
    main()
