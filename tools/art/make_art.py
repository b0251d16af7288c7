#!/usr/bin/python3
"""Draws every picture the game ships (Media/Kelvane/*.png, Media/Game/*.png).

Run from anywhere:  /usr/bin/python3 tools/art/make_art.py [output-root]
The output is fully determined by this script (fixed random seed, fonts from
Debian's fonts-dejavu-core), so running it again gives identical files.
"""
import os
import sys

import numpy as np
from PIL import Image, ImageDraw

sys.dont_write_bytecode = True  # keep tools/art free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gfx import (SS, clamp01, coords, darker, downsample, empty, font, hexc, layer,  # noqa: E402
                 lighter, over, poly_mask, round_mask, save_keyed, save_rgb, save_rgba,
                 sdf, smooth, stack, text_mask)

# --- palette -----------------------------------------------------------------
INK = hexc("#070b18")        # outlines and shadows
NAVY = hexc("#0b1330")
PANEL = hexc("#16244d")      # button interiors
PANEL_HI = hexc("#22397a")
RIM = hexc("#6fc3ff")        # light blue rim of panels and frames
RIM_HI = hexc("#ffe48a")     # warm gold for highlighted things
WHITE = hexc("#ffffff")
LANES = [hexc("#ff5fa8"),    # left: pink
         hexc("#4fb0ff"),    # down: blue
         hexc("#62e08c"),    # up: green
         hexc("#ffb54a")]    # right: orange
# arrows coloured by their place in the beat: quarter, eighth, twelfth,
# sixteenth, twenty-fourth, thirty-second, sixty-fourth, other
BEATS = [hexc("#ff4040"), hexc("#3f7fff"), hexc("#b050ff"), hexc("#ffe040"),
         hexc("#ff80d0"), hexc("#ff9a30"), hexc("#40e8ff"), hexc("#a0a0a8")]


# --- font ----------------------------------------------------------------------
def make_font():
    """95 glyphs, 15 x 21 cells; ink kept within the left 12 px (11 px advance).

    Glyphs are rendered at their final size so FreeType's hinting keeps stems
    and bars on whole pixels; the outline and shadow are grown from that."""
    cw, ch, n = 15, 21, 95
    f = font("DejaVuSans-Bold.ttf", 14)
    baseline = 15
    sheet = empty(cw * n, ch)
    ys = np.arange(ch, dtype=np.float64)[:, None] * np.ones((1, cw))
    t = clamp01((ys - 4.0) / 12.0)[..., None]
    face = WHITE * (1 - t) + hexc("#d6e6ff") * t
    for i in range(n):
        c = chr(32 + i)
        if c == " ":
            continue
        im = Image.new("L", (40, ch), 0)
        ImageDraw.Draw(im).text((20, baseline), c, font=f, fill=255, anchor="ls")
        g = np.asarray(im, dtype=np.float64) / 255.0
        cols = np.where(g.max(axis=0) > 0.02)[0]
        g = g[:, cols[0]:cols[-1] + 1]
        # squeeze glyphs wider than 10 px so the outline still fits the advance
        if g.shape[1] > 10:
            g = np.asarray(Image.fromarray((g * 255).astype(np.uint8)).resize((10, ch), Image.BOX),
                           dtype=np.float64) / 255.0
        gw = g.shape[1]
        cov = np.zeros((ch, cw))
        left = int(round(5.5 - gw / 2.0))
        cov[:, left:left + gw] = g
        # outline: the coverage grown by one pixel (diagonals a little weaker)
        pad = np.pad(cov, 1)
        grow = np.zeros_like(cov)
        for dy in (-1, 0, 1):
            for dx in (-1, 0, 1):
                w = 0.75 if dx and dy else 1.0
                grow = np.maximum(grow, w * pad[1 + dy:1 + dy + ch, 1 + dx:1 + dx + cw])
        outline = clamp01(grow * 1.6)
        shadow = np.zeros_like(outline)
        shadow[1:, 1:] = outline[:-1, :-1]
        glyph = stack(
            layer(INK, 0.55 * shadow),
            layer(INK, 0.95 * outline),
            layer(face, cov),
        )
        glyph[:, 12:, 3] = 0.0
        sheet[:, i * cw:(i + 1) * cw] = glyph
    return sheet


# --- panels (buttons) --------------------------------------------------------------
def panel_profile(d, hi):
    """Colour of a panel at distance d (px) outside its interior rectangle."""
    fill = PANEL_HI if hi else PANEL
    rim = RIM_HI if hi else RIM
    edge = 12.0
    out = empty(d.shape[1], d.shape[0])
    if hi:
        glow = clamp01(1.0 - (d - edge) / 8.0) ** 1.6 * (d > edge - 1)
        out = over(out, layer(RIM_HI, 0.55 * glow))
    else:
        shade = clamp01(1.0 - (d - edge) / 5.0) * (d > edge - 1)
        out = over(out, layer(INK, 0.45 * shade))
    body_a = 0.9 * (d < edge)
    bevel = smooth(3.0, 9.0, d)[..., None]
    body_col = fill * (1 - bevel) + lighter(fill, 0.22) * bevel
    out = over(out, layer(body_col, body_a))
    rim_a = ((d >= edge - 3.0) & (d < edge - 0.8)).astype(float)
    out = over(out, layer(rim, rim_a))
    inner_line = ((d >= edge - 4.2) & (d < edge - 3.0)).astype(float)
    out = over(out, layer(darker(rim, 0.55), 0.8 * inner_line))
    out = over(out, layer(INK, 1.0 * ((d >= edge - 0.8) & (d < edge)).astype(float)))
    return out


def make_button():
    n = 21
    xs, ys = coords(n, n, SS)
    dists = [
        np.hypot(np.maximum(n - xs, 0), np.maximum(n - ys, 0)),  # 0 top-left
        np.hypot(np.maximum(n - xs, 0), np.maximum(ys, 0)),      # 1 bottom-left
        np.hypot(np.maximum(xs, 0), np.maximum(n - ys, 0)),      # 2 top-right
        np.hypot(xs, ys),                                        # 3 bottom-right
        ys,                                                      # 4 bottom edge
        xs,                                                      # 5 right edge
        n - ys,                                                  # 6 top edge
        n - xs,                                                  # 7 left edge
        np.zeros_like(xs),                                       # 8 fill
    ]
    sheet = empty(9 * n, 2 * n)
    for row, hi in enumerate((False, True)):
        for i, d in enumerate(dists):
            sheet[row * n:(row + 1) * n, i * n:(i + 1) * n] = downsample(panel_profile(d, hi))
    return sheet


# --- small scroll arrows --------------------------------------------------------------
def tri_up(w, h, pad):
    return [(w / 2, pad), (w - pad, h - pad - 2), (pad, h - pad - 2)]


def oriented(img_up, direction):
    """Rotate an up-pointing image: direction in {'up','down','left','right'}."""
    k = {"up": 0, "left": 1, "down": 2, "right": 3}[direction]
    return np.rot90(img_up, k).copy()


def make_small_arrows():
    n = 16
    m = round_mask(poly_mask(n, n, [(8, 2.5), (14, 12.5), (2, 12.5)]), 1.0)
    d = sdf(m, SS)
    xs, ys = coords(n, n, SS)
    t = clamp01((ys - 3) / 10)[..., None]
    col = WHITE * (1 - t) + hexc("#a9d8ff") * t
    up = downsample(stack(layer(INK, 1.0 * (d < 1.4)), layer(col, 1.0 * (d < 0))))
    sheet = empty(4 * n, n)
    for i, dname in enumerate(("down", "left", "up", "right")):
        sheet[:, i * n:(i + 1) * n] = oriented(up, dname)
    return sheet


# --- window frame ----------------------------------------------------------------
def make_border():
    w, h = 640, 480
    xs, ys = coords(w, h, 1)
    # distance inward from the window edge, with rounded inner corners
    r = 14.0
    inset = 7.0
    cx = np.clip(xs, inset + r, w - inset - r)
    cy = np.clip(ys, inset + r, h - inset - r)
    corner = np.hypot(xs - cx, ys - cy)
    in_corner = ((xs < inset + r) | (xs > w - inset - r)) & ((ys < inset + r) | (ys > h - inset - r))
    edge_d = np.minimum(np.minimum(xs, w - xs), np.minimum(ys, h - ys))
    # depth: 0 at the window edge, grows inwards; frame covers depth < inset (+ corners)
    depth = np.where(in_corner, inset + r - corner, edge_d)
    img = empty(w, h)
    img = over(img, layer(NAVY, 1.0 * (depth < inset)))
    img = over(img, layer(RIM, 1.0 * ((depth >= 2.5) & (depth < 4.5))))
    img = over(img, layer(lighter(NAVY, 0.15), 1.0 * ((depth >= 1.0) & (depth < 2.5))))
    img = over(img, layer(INK, 1.0 * ((depth >= inset - 1.5) & (depth < inset))))
    img = over(img, layer(INK, 1.0 * (depth < 1.0)))
    # small diamonds at the four corners, in the lane colours
    for (x, y), c in zip(((9, 9), (w - 9, 9), (9, h - 9), (w - 9, h - 9)), LANES):
        dd = np.abs(xs - x) + np.abs(ys - y)
        img = over(img, layer(INK, 1.0 * (dd < 9)))
        img = over(img, layer(c, 1.0 * (dd < 6.5)))
        img = over(img, layer(lighter(c, 0.6), 1.0 * (dd < 2.5)))
    return img


# --- pause bars ----------------------------------------------------------------
def bar(w, h, facing_down):
    """A 61-row bar; its lit edge faces the middle of the window."""
    xs, ys = coords(w, h, 1)
    e = (h - ys) if facing_down else ys          # distance from the lit edge
    t = clamp01(e / h)[..., None]
    col = lighter(NAVY, 0.12) * (1 - t) + darker(NAVY, 0.35) * t
    # faint diagonal stripes, fading out towards the right where the text goes
    stripe = (np.floor((xs + ys) / 6.0) % 2 == 0) * clamp01(1.0 - xs / 260.0)
    col = col + 0.035 * stripe[..., None]
    img = layer(col, np.ones((h, w)))
    img = over(img, layer(RIM, 1.0 * ((e >= 2) & (e < 4))))
    img = over(img, layer(lighter(RIM, 0.5), 0.6 * ((e >= 3) & (e < 3.5))))
    img = over(img, layer(INK, 1.0 * (e < 2)))
    img = over(img, layer(darker(RIM, 0.5), 0.8 * ((e >= 4) & (e < 5))))
    # four lane-coloured pips near the left end of the lit edge
    for i, c in enumerate(LANES):
        px = 24 + 18 * i
        py = (h - 3) if facing_down else 3.0
        dd = np.abs(xs - px) + np.abs(ys - py)
        img = over(img, layer(INK, 1.0 * (dd < 6.5)))
        img = over(img, layer(c, 1.0 * (dd < 4.5)))
    return img


def make_top_bottom():
    w, h = 640, 131
    img = empty(w, h)
    img[0:61] = bar(w, 61, facing_down=False)     # bottom bar: rows 0-60, lit edge on top
    img[70:131] = bar(w, 61, facing_down=True)    # top bar: rows 70-130, lit edge at its bottom
    return img


# --- mouse pointer -------------------------------------------------------------------
def make_cursor():
    n, frames = 96, 16
    hx, hy = 48.0, 48.0
    pts = [(0, 0), (0, 31), (8, 24.5), (13.5, 36), (19, 33.5), (13.5, 22.5), (23.5, 22.5)]
    shape = poly_mask(n, n, [(hx + x, hy + y) for x, y in pts])
    d = sdf(shape, SS)
    xs, ys = coords(n, n, SS)
    sheet = empty(n * frames, n)
    for i in range(frames):
        ph = 2 * np.pi * i / frames
        ring_r = 9.0 + 3.0 * np.sin(ph)
        ring_a = 0.30 + 0.12 * np.cos(ph)
        rd = np.abs(np.hypot(xs - hx, ys - hy) - ring_r)
        c = LANES[(i // 4) % 4]
        t = clamp01((ys - hy) / 28.0)[..., None]
        body = WHITE * (1 - t) + lighter(c, 0.55) * t
        img = stack(
            layer(c, ring_a * clamp01(1.2 - rd / 1.4)),
            layer(INK, 0.35 * (sdf(np.roll(np.roll(shape, 2 * SS, 0), 2 * SS, 1), SS) < 1.0)),
            layer(INK, 1.0 * (d < 1.3)),
            layer(body, 1.0 * (d < 0)),
            layer(c, 0.9 * ((d > -2.6) & (d < -1.2) & (ys > hy + 4))),
        )
        sheet[:, i * n:(i + 1) * n] = downsample(img)
    return sheet


# --- backdrop ---------------------------------------------------------------------
def make_background():
    w, h = 640, 480
    xs, ys = coords(w, h, 1)
    rng = np.random.default_rng(20261207)
    top, bottom = hexc("#060a18"), hexc("#111b3c")
    t = (ys / h)[..., None]
    col = top * (1 - t) + bottom * t
    # a few very soft glows
    for (gx, gy, gr, gc, ga) in ((120, 140, 260, "#3a1f6b", 0.35), (540, 90, 220, "#0f3d6b", 0.35),
                                 (470, 420, 300, "#1c2f73", 0.30), (60, 460, 200, "#402060", 0.22)):
        g = np.exp(-((xs - gx) ** 2 + (ys - gy) ** 2) / (2 * (gr / 2.2) ** 2))[..., None]
        col = col + (hexc(gc) - col) * g * ga
    # a faint floor grid in perspective across the lower part of the screen
    horizon = 250.0
    below = ys > horizon
    z = np.where(below, 1.0 / np.maximum(ys - horizon, 1e-3), 0.0)
    row_line = smooth(0.47, 0.5, np.abs((z * 260.0) % 1.0 - 0.5))
    u = (xs - w / 2) * z
    col_line = smooth(0.44, 0.5, np.abs((u * 6.0) % 1.0 - 0.5))
    fade = clamp01((ys - horizon) / 230.0) ** 1.3 * below
    grid = np.maximum(row_line, col_line) * fade
    col = col + (hexc("#3b5cb8") - col) * (0.22 * grid)[..., None]
    # a thin horizon glow
    hg = np.exp(-((ys - horizon) / 5.0) ** 2) * clamp01(1.0 - np.abs(xs - w / 2) / 330.0)
    col = col + (hexc("#4f7fe0") - col) * (0.14 * hg)[..., None]
    # small, dim stars above the horizon
    stars = np.zeros((h, w))
    for _ in range(90):
        sx, sy = rng.uniform(0, w), rng.uniform(0, horizon - 20)
        sb = rng.uniform(0.15, 0.55)
        stars = np.maximum(stars, sb * np.exp(-((xs - sx) ** 2 + (ys - sy) ** 2) / 0.8))
    col = col + (hexc("#cfe0ff") - col) * stars[..., None]
    # vignette and a touch of grain to avoid banding
    v = ((xs - w / 2) / (w * 0.75)) ** 2 + ((ys - h / 2) / (h * 0.75)) ** 2
    col = col * (1.0 - 0.45 * clamp01(v))[..., None]
    col = col + rng.normal(0, 0.006, col.shape)
    return clamp01(col)


# --- title -------------------------------------------------------------------------
def make_title():
    w, h = 300, 150
    f = font("DejaVuSans-Bold.ttf", 74 * SS)
    m = text_mask("Zedov", f, w, h, w / 2, 80, ss=SS, anchor="ms") > 0.5
    d = sdf(m, SS)
    xs, ys = coords(w, h, SS)
    t = clamp01((ys - 28) / 54.0)[..., None]
    fill = WHITE * (1 - t) + hexc("#7cc6ff") * t
    band = (np.abs(ys - 58) < 1.2)  # a thin light line through the letters
    img = stack(
        layer(hexc("#3f7dff"), 0.55 * clamp01(1.0 - (d - 3.0) / 9.0) ** 2 * (d > 2)),
        layer(INK, 1.0 * (d < 3.5)),
        layer(RIM, 1.0 * (d < 1.2)),
        layer(fill, 1.0 * (d < 0)),
        layer(hexc("#5aa8ff"), 0.55 * (band & (d < -0.8))),
    )
    # four little arrows in the lane colours under the name
    n = 22
    up = poly_mask(n, n, [(11, 2), (20, 12), (14.5, 12), (14.5, 20), (7.5, 20), (7.5, 12), (2, 12)])
    up = round_mask(up, 1.2)
    ud = sdf(up, SS)
    for i, (dname, c) in enumerate(zip(("left", "down", "up", "right"), LANES)):
        dd = np.rot90(ud, {"up": 0, "left": 1, "down": 2, "right": 3}[dname])
        cell = stack(layer(INK, 1.0 * (dd < 1.6)), layer(c, 1.0 * (dd < 0)),
                     layer(lighter(c, 0.6), 0.8 * (dd < -3.2)))
        x0 = (w // 2 - 2 * 30 + 4 + 30 * i) * SS
        y0 = 104 * SS
        region = img[y0:y0 + n * SS, x0:x0 + n * SS]
        img[y0:y0 + n * SS, x0:x0 + n * SS] = over(region, cell)
    return downsample(img)


# --- gameplay arrows ------------------------------------------------------------------
def arrow_up_sdf(n=70):
    pts = [(35, 9), (61, 35), (46.5, 35), (46.5, 61), (23.5, 61), (23.5, 35), (9, 35)]
    return sdf(round_mask(poly_mask(n, n, pts), 3.0), SS)


def arrow_cell(d, c, state):
    n = 70
    xs, ys = coords(n, n, SS)
    if state == "note":
        t = clamp01((ys - 9) / 52.0)[..., None]
        body = lighter(c, 0.30) * (1 - t) + darker(c, 0.22) * t
        return stack(
            layer(INK, 0.45 * clamp01(1.0 - (d - 2.5) / 3.0) * (d > 2.5)),
            layer(INK, 1.0 * (d < 2.6)),
            layer(body, 1.0 * (d < 0)),
            layer(lighter(c, 0.65), 0.9 * ((d > -3.6) & (d < -1.6))),
            layer(WHITE, 0.35 * ((d < -6.5) & (ys < 30))),
        )
    if state == "idle":
        return stack(
            layer(INK, 0.7 * (d < 2.0)),
            layer(hexc("#0e1733"), 0.55 * (d < 0)),
            layer(hexc("#9fb0d4"), 0.9 * ((d > -3.5) & (d < 0))),
            layer(INK, 0.6 * ((d > -4.5) & (d <= -3.5))),
        )
    if state == "held":
        return stack(
            layer(c, 0.55 * clamp01(1.0 - d / 6.5) ** 1.5 * (d > 0)),
            layer(INK, 0.8 * (d < 1.2)),
            layer(c, 0.6 * (d < 0)),
            layer(lighter(c, 0.45), 1.0 * ((d > -4.0) & (d < 0))),
        )
    # pressed: a bright flash
    return stack(
        layer(lighter(c, 0.55), 0.9 * clamp01(1.0 - d / 8.0) ** 1.4 * (d > -1)),
        layer(lighter(c, 0.8), 0.95 * (d < 0)),
        layer(WHITE, 1.0 * ((d > -4.5) & (d < 0.5))),
        layer(WHITE, 0.6 * (d < -8.0)),
    )


def make_arrows():
    n = 70
    up = arrow_up_sdf(n)
    sheet = empty(4 * n, 4 * n)
    for lane, dname in enumerate(("left", "down", "up", "right")):
        k = {"up": 0, "left": 1, "down": 2, "right": 3}[dname]
        d = np.rot90(up, k)
        for row, state in enumerate(("pressed", "idle", "held", "note")):
            # the gradient and gloss are drawn for an up arrow, then the whole cell turns
            cell_up = arrow_cell(up, LANES[lane], state)
            cell = downsample(np.rot90(cell_up, k))
            assert d.shape == up.shape
            sheet[row * n:(row + 1) * n, lane * n:(lane + 1) * n] = cell
    return sheet


def make_beat_arrows():
    """Scrolling notes coloured by their place in the beat: columns are the
    lanes' shapes, rows the eight places, quarter first."""
    n = 70
    up = arrow_up_sdf(n)
    sheet = empty(4 * n, len(BEATS) * n)
    for lane, k in enumerate((1, 2, 0, 3)):  # left, down, up, right as turns of the up arrow
        for row, colour in enumerate(BEATS):
            cell = np.rot90(arrow_cell(up, colour, "note"), k)
            sheet[row * n:(row + 1) * n, lane * n:(lane + 1) * n] = downsample(cell)
    return sheet


def make_mine():
    """A mine, 70 x 70: a dark round shell with eight spikes and a red glowing
    core, of no lane's colour and no arrow's shape."""
    n = 70
    xs, ys = coords(n, n, SS)
    r = np.hypot(xs - 35, ys - 35)
    a = np.arctan2(ys - 35, xs - 35)
    spikes = 20.0 + 11.0 * np.clip(np.cos(8 * a), 0, 1) ** 8  # radius of the shell with its spikes
    d = r - spikes  # <0 inside
    core = clamp01(1.0 - r / 14.0)[..., None]
    fill = hexc("#5a6278") * (1 - core) + hexc("#ff3a1a") * core
    return downsample(stack(
        layer(hexc("#ff5a2a"), 0.6 * clamp01(1.0 - d / 6.0) * (d > 1.5)),
        layer(INK, 1.0 * (d < 2.0)),
        layer(fill, 1.0 * (d < 0)),
        layer(hexc("#ff6a2a"), 1.0 * ((r > 12.5) & (r < 15.0))),
        layer(hexc("#ffd070"), 0.95 * (r < 6.0)),
        layer(WHITE, 0.35 * ((r < 17) & (ys < 29) & (xs < 31) & (d < -3))),
    ))


# --- judgement words -----------------------------------------------------------------
def make_ratings():
    w, h = 125, 50
    words = [("BOO", "#ffc2d6", "#d2345e"), ("GOOD", "#d9ffc4", "#39c46a"), ("PERFECT", "#fff7b8", "#ffaa1a"),
             ("MINE", "#f0d8ff", "#9b3cff")]
    f = font("DejaVuSansCondensed-Bold.ttf", 30 * SS)
    sheet = empty(w, len(words) * h)
    for i, (word, ctop, cbot) in enumerate(words):
        big = text_mask(word, f, 3 * w, h, 1.5 * w, 36, ss=SS, anchor="ms")
        cols = np.where(big.max(axis=0) > 0.02)[0]
        big = big[:, cols[0]:cols[-1] + 1]
        maxw = (w - 10) * SS
        if big.shape[1] > maxw:
            big = np.asarray(Image.fromarray((big * 255).astype(np.uint8)).resize((maxw, big.shape[0]), Image.LANCZOS),
                             dtype=np.float64) / 255.0
        m = np.zeros((h * SS, w * SS))
        x0 = (w * SS - big.shape[1]) // 2
        m[:, x0:x0 + big.shape[1]] = big
        m = m > 0.5
        d = sdf(m, SS)
        xs, ys = coords(w, h, SS)
        t = clamp01((ys - 14) / 22.0)[..., None]
        fill = hexc(ctop) * (1 - t) + hexc(cbot) * t
        img = stack(
            layer(hexc(cbot), 0.45 * clamp01(1.0 - (d - 2.5) / 5.0) * (d > 2.5)),
            layer(INK, 1.0 * (d < 2.6)),
            layer(fill, 1.0 * (d < 0)),
            layer(WHITE, 0.45 * ((d < -1.2) & (ys < 22))),
        )
        sheet[i * h:(i + 1) * h] = downsample(img)
    return sheet


# --- hold and roll strips ------------------------------------------------------------
def strip_sheet(core, silver, rim, glow, stripes):
    """A strip's start cap, body (tiles every 35 px) and end cap, 50 x 35 each.
    Ribs across the body, or with stripes slanting ones, repeat every 35 px."""
    cw, ch = 50, 35
    xs, ys = coords(cw, ch, SS)
    half = 13.0
    dx = np.abs(xs - cw / 2)

    def strip(d_edge):
        # d_edge: distance inward from the strip outline (px), >0 inside
        # across the strip: silver at the sides, white down the middle
        shade = smooth(0.0, half, d_edge)[..., None]
        col = silver * (1 - shade) + core * shade
        # soft ribs, period 35 px so body cells stack without a seam
        rib = 0.5 + 0.5 * np.cos(2 * np.pi * (ys + (xs if stripes else 0)) / ch)
        col = col + (darker(silver, 0.12) - col) * ((0.6 if stripes else 0.22) * rib * (d_edge > 3.0))[..., None]
        outside = np.maximum(-d_edge, 0.0)
        return stack(
            layer(glow, 0.42 * np.exp(-outside / 2.2) * (d_edge <= 0)),
            layer(rim, 0.95 * ((d_edge > -0.3) & (d_edge < 1.3))),
            layer(col, 0.88 * (d_edge >= 1.3)),
            layer(core, 0.6 * ((d_edge > 2.2) & (d_edge < 3.4))),
        )

    body_d = half - dx
    capr = half
    # start: rounded top whose centre sits at row 17
    cy = 17.0
    start_d = np.where(ys < cy, capr - np.hypot(xs - cw / 2, ys - cy), body_d)
    end_d = np.where(ys > cy, capr - np.hypot(xs - cw / 2, ys - cy), body_d)
    sheet = empty(3 * cw, ch)
    for i, d in enumerate((start_d, body_d, end_d)):
        sheet[:, i * cw:(i + 1) * cw] = downsample(strip(d))
    return sheet


def make_hold():
    """Hold strip: silvery white with a soft pale glow, so it reads under
    every lane's arrow without taking any lane's colour."""
    return strip_sheet(hexc("#ffffff"), hexc("#c4ccda"), hexc("#4a5366"), hexc("#e6eeff"), False)


def make_roll():
    """Roll strip: the hold's shape in warm gold with slanting stripes, so a
    roll never reads as a hold."""
    return strip_sheet(hexc("#fff4c8"), hexc("#e0a830"), hexc("#6a4a10"), hexc("#ffe6a0"), True)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
    kel = os.path.join(root, "Media", "Kelvane")
    game = os.path.join(root, "Media", "Game")
    os.makedirs(kel, exist_ok=True)
    os.makedirs(game, exist_ok=True)
    jobs = [
        (make_font, lambda im: save_rgba(im, f"{kel}/Font.png")),
        (make_button, lambda im: save_rgba(im, f"{kel}/Button.png")),
        (make_small_arrows, lambda im: save_keyed(im, f"{kel}/Arrows.png")),
        (make_border, lambda im: save_keyed(im, f"{kel}/Border.png")),
        (make_top_bottom, lambda im: save_keyed(im, f"{kel}/TopBottomBorder.png")),
        (make_cursor, lambda im: save_rgba(im, f"{kel}/Cursor.png")),
        (make_background, lambda im: save_rgb(im, f"{game}/background.png")),
        (make_title, lambda im: save_rgba(im, f"{game}/title.png")),
        (make_arrows, lambda im: save_rgba(im, f"{game}/arrows.png")),
        (make_ratings, lambda im: save_rgba(im, f"{game}/ratings.png")),
        (make_hold, lambda im: save_rgba(im, f"{game}/hold.png")),
        (make_roll, lambda im: save_rgba(im, f"{game}/roll.png")),
        (make_mine, lambda im: save_rgba(im, f"{game}/mine.png")),
        (make_beat_arrows, lambda im: save_rgba(im, f"{game}/beat_arrows.png")),
    ]
    only = set(sys.argv[2:])
    for make, save in jobs:
        if only and make.__name__ not in only:
            continue
        save(make())
        print("made", make.__name__)


if __name__ == "__main__":
    main()
