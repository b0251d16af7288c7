#!/usr/bin/python3
"""Composes mock 640 x 480 screens from the shipped sheets, the way the game
draws them, so the art can be judged as a whole.

    /usr/bin/python3 tools/art/mock_screen.py [out-dir]     (default /tmp/zedov-art)

Writes mock_menu.png, mock_game.png, mock_holds.png, mock_pause.png and zoomed views of the
small sheets.  Nothing here is shipped; it only reads Media/.
"""
import os
import sys

from PIL import Image

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
CYAN = (0, 255, 255)


def load(rel, keyed=False):
    im = Image.open(os.path.join(ROOT, rel))
    if keyed:
        im = im.convert("RGB")
        px = im.load()
        out = Image.new("RGBA", im.size)
        po = out.load()
        for y in range(im.size[1]):
            for x in range(im.size[0]):
                c = px[x, y]
                po[x, y] = (0, 0, 0, 0) if c == CYAN else c + (255,)
        return out
    return im.convert("RGBA")


FONT = None
BUTTON = None


def blit(dst, src, x, y, box=None):
    if box is not None:
        src = src.crop(box)
    # alpha_composite cannot take negative offsets; clip by hand
    sx, sy = 0, 0
    if x < 0:
        sx, x = -x, 0
    if y < 0:
        sy, y = -y, 0
    if sx or sy:
        src = src.crop((sx, sy, src.size[0], src.size[1]))
    w = min(src.size[0], dst.size[0] - x)
    h = min(src.size[1], dst.size[1] - y)
    if w <= 0 or h <= 0:
        return
    dst.alpha_composite(src.crop((0, 0, w, h)), (x, y))


def text(dst, s, x, y):
    for i, ch in enumerate(s):
        n = ord(ch) - 32
        if 0 <= n < 95:
            blit(dst, FONT, x + 11 * i, y, (15 * n, 0, 15 * n + 15, 21))


def panel(dst, x, y, w, h, hi=False):
    """Interior (x, y, w, h) with the 21 px border outside it, tiled like the game."""
    r = 21 if hi else 0

    def cell(i, cx, cy, cw=21, ch=21):
        blit(dst, BUTTON, cx, cy, (21 * i, r, 21 * i + cw, r + ch))

    cell(0, x - 21, y - 21)
    cell(1, x - 21, y + h)
    cell(2, x + w, y - 21)
    cell(3, x + w, y + h)
    for xx in range(x, x + w, 21):
        cw = min(21, x + w - xx)
        cell(6, xx, y - 21, cw)
        cell(4, xx, y + h, cw)
        for yy in range(y, y + h, 21):
            cell(8, xx, yy, cw, min(21, y + h - yy))
    for yy in range(y, y + h, 21):
        ch = min(21, y + h - yy)
        cell(7, x - 21, yy, 21, ch)
        cell(5, x + w, yy, 21, ch)


def button(dst, label, x, y, w, hi=False):
    panel(dst, x, y, w, 10, hi)
    text(dst, label, x + (w - 11 * len(label)) // 2, y - 5)


def hold_strip(dst, hold, x, y, length):
    """A hold strip the way the game lays it: start cell, whole body cells, a cut
    body piece, then the end cell; y is the top of the note's arrow."""
    blit(dst, hold, x, y, (0, 0, 50, 35))
    cells = length // 35
    for k in range(1, cells + 1):
        blit(dst, hold, x, y + 35 * k, (50, 0, 100, 35))
    rest = length - 35 * cells
    if rest > 0:
        blit(dst, hold, x, y + 35 * (cells + 1), (50, 0, 100, rest))
    blit(dst, hold, x, y + 35 + length, (100, 0, 150, 35))


def main():
    global FONT, BUTTON
    out = sys.argv[1] if len(sys.argv) > 1 else "/tmp/zedov-art"
    os.makedirs(out, exist_ok=True)
    FONT = load("Media/Kelvane/Font.png")
    BUTTON = load("Media/Kelvane/Button.png")
    bg = load("Media/Game/background.png", keyed=True)
    border = load("Media/Kelvane/Border.png", keyed=True)
    bars = load("Media/Kelvane/TopBottomBorder.png", keyed=True)
    arrows = load("Media/Game/arrows.png")
    hold = load("Media/Game/hold.png")
    ratings = load("Media/Game/ratings.png")
    cursor = load("Media/Kelvane/Cursor.png")
    small = load("Media/Kelvane/Arrows.png", keyed=True)
    title = load("Media/Game/title.png")

    # menu
    s = Image.new("RGBA", (640, 480), (0, 0, 0, 255))
    blit(s, bg, 0, 0)
    blit(s, title, 170, 30)
    labels = ["Play", "Options", "Import step chart", "Credits", "Quit"]
    for i, lab in enumerate(labels):
        button(s, lab, 220, 210 + 45 * i, 200, hi=(i == 0))
    text(s, "Zedov 1.0  The quick brown fox jumps over the lazy dog!", 20, 440)
    blit(s, border, 0, 0)
    blit(s, cursor, 300 - 48, 225 - 48, (96 * 3, 0, 96 * 4, 96))
    s.save(os.path.join(out, "mock_menu.png"))

    # song list with a long bar and scroll arrows
    s = Image.new("RGBA", (640, 480), (0, 0, 0, 255))
    blit(s, bg, 0, 0)
    for i, lab in enumerate(["First Steps", "Another Song", "Back"]):
        button(s, lab, 20, 60 + 40 * i, 600, hi=(i == 1))
    panel(s, 40, 220, 560, 15)
    text(s, "Difficulty: Medium  {}[]()@#$%^&*_+=|\\/<>?~`'\"", 40, 217)
    for i in range(4):
        blit(s, small, 560 + 18 * i, 60 - 3, (16 * i, 0, 16 * i + 16, 16))
    text(s, "abcdefghijklmnopqrstuvwxyz 0123456789", 40, 300)
    text(s, "ABCDEFGHIJKLMNOPQRSTUVWXYZ .,:;!-", 40, 330)
    blit(s, border, 0, 0)
    s.save(os.path.join(out, "mock_list.png"))

    # gameplay
    s = Image.new("RGBA", (640, 480), (0, 0, 0, 255))
    blit(s, bg, 0, 0)
    lane_x = [180, 250, 320, 390]
    for lane, x in enumerate(lane_x):
        row = {0: 1, 1: 0, 2: 1, 3: 2}[lane]
        blit(s, arrows, x, 50, (70 * lane, 70 * row, 70 * lane + 70, 70 * row + 70))
    # a hold in the up lane: start at the note middle, body repeats, end cell
    x, top, length = lane_x[2], 160, 180
    y = top + 35
    blit(s, hold, x + 10, y, (0, 0, 50, 35))
    yy = y + 35
    while yy < y + length:
        hgt = min(35, y + length - yy)
        blit(s, hold, x + 10, yy, (50, 0, 100, hgt))
        yy += hgt
    blit(s, hold, x + 10, y + length, (100, 0, 150, 35))
    blit(s, arrows, x, top, (140, 210, 210, 280))
    for lane, yy in ((0, 130), (1, 230), (3, 300), (0, 370), (1, 370), (3, 440)):
        blit(s, arrows, lane_x[lane], yy, (70 * lane, 210, 70 * lane + 70, 280))
    blit(s, ratings, 257, 200, (0, 100, 125, 150))
    text(s, "Score 123456   Combo 42", 20, 440)
    s.save(os.path.join(out, "mock_game.png"))

    # a hold under each lane's arrow, as the game draws them (DrawHold)
    h = Image.new("RGBA", (640, 480), (0, 0, 0, 255))
    blit(h, bg, 0, 0)
    for lane, x in enumerate(lane_x):
        blit(h, arrows, x, 50, (70 * lane, 70, 70 * lane + 70, 140))
    for lane, (top, length) in enumerate(((120, 140), (170, 210), (100, 300), (220, 95))):
        x = lane_x[lane]
        hold_strip(h, hold, x + 10, top, length)
        blit(h, arrows, x, top, (70 * lane, 210, 70 * lane + 70, 280))
    text(h, "Holds in every lane", 20, 440)
    h.save(os.path.join(out, "mock_holds.png"))

    # paused: bars over the game picture
    p = s.copy()
    blit(p, bars, 0, -70)
    blit(p, bars, 0, 419)
    text(p, "2026-12-07", 620 - 11 * 10, 18)
    text(p, "23:59:59", 620 - 11 * 8, 38)
    text(p, "www.example.org/zedov", 20, 442)
    p.save(os.path.join(out, "mock_pause.png"))

    # zoomed sheets on a mid grey so transparency shows
    for rel, keyed, z in (("Media/Kelvane/Font.png", False, 2), ("Media/Kelvane/Button.png", False, 4),
                          ("Media/Kelvane/Arrows.png", True, 6), ("Media/Game/hold.png", False, 4),
                          ("Media/Game/ratings.png", False, 3), ("Media/Game/arrows.png", False, 2),
                          ("Media/Kelvane/Cursor.png", False, 1)):
        im = load(rel, keyed)
        g = Image.new("RGBA", im.size, (70, 74, 84, 255))
        g.alpha_composite(im)
        g = g.resize((im.size[0] * z, im.size[1] * z), Image.NEAREST)
        g.save(os.path.join(out, "zoom_" + os.path.basename(rel)))


if __name__ == "__main__":
    main()
