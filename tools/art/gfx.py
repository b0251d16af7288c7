"""Small raster helpers shared by the Zedov art generators.

Everything is drawn with numpy on float RGBA arrays (straight alpha, 0..1),
usually at SS times the final size and then box-filtered down, which gives
clean anti-aliased edges without depending on any one renderer.
"""
import numpy as np
from PIL import Image, ImageDraw, ImageFont
from scipy import ndimage

SS = 4  # supersampling factor used by most shapes

FONT_DIR = "/usr/share/fonts/truetype/dejavu"
CYAN = (0, 255, 255)


def font(name, size):
    return ImageFont.truetype(f"{FONT_DIR}/{name}", size)


def hexc(s):
    s = s.lstrip("#")
    return np.array([int(s[i:i + 2], 16) / 255.0 for i in (0, 2, 4)], dtype=np.float64)


def lighter(c, t):
    return c + (1.0 - c) * t


def darker(c, t):
    return c * (1.0 - t)


def empty(w, h):
    return np.zeros((h, w, 4), dtype=np.float64)


def layer(colour, alpha):
    """Build an RGBA layer from a colour (3-vector or HxWx3) and an alpha map."""
    alpha = np.clip(np.asarray(alpha, dtype=np.float64), 0.0, 1.0)
    h, w = alpha.shape
    out = np.empty((h, w, 4))
    out[..., :3] = colour
    out[..., 3] = alpha
    return out


def over(dst, src):
    sa = src[..., 3:4]
    da = dst[..., 3:4]
    oa = sa + da * (1.0 - sa)
    num = src[..., :3] * sa + dst[..., :3] * da * (1.0 - sa)
    oc = np.where(oa > 1e-9, num / np.maximum(oa, 1e-9), 0.0)
    return np.concatenate([oc, oa], axis=-1)


def stack(*layers):
    out = layers[0]
    for l in layers[1:]:
        out = over(out, l)
    return out


def downsample(img, f=SS):
    """Box-filter an RGBA image by an integer factor (premultiplied)."""
    if f == 1:
        return img
    h, w = img.shape[0] // f, img.shape[1] // f
    pm = img[..., :3] * img[..., 3:4]
    pm = pm.reshape(h, f, w, f, 3).mean(axis=(1, 3))
    a = img[..., 3].reshape(h, f, w, f).mean(axis=(1, 3))
    c = np.where(a[..., None] > 1e-9, pm / np.maximum(a[..., None], 1e-9), 0.0)
    return np.concatenate([c, a[..., None]], axis=-1)


def sdf(mask, scale=1.0):
    """Signed distance (negative inside) of a boolean mask, in units of `scale` pixels."""
    mask = np.asarray(mask, dtype=bool)
    outside = ndimage.distance_transform_edt(~mask)
    inside = ndimage.distance_transform_edt(mask)
    return (outside - inside) / scale


def poly_mask(w, h, pts, ss=SS):
    """Boolean mask (w*ss x h*ss) of a polygon given in final-pixel coordinates."""
    im = Image.new("L", (w * ss, h * ss), 0)
    ImageDraw.Draw(im).polygon([(x * ss, y * ss) for x, y in pts], fill=255)
    return np.asarray(im) > 127


def round_mask(mask, r, ss=SS):
    """Round the convex corners of a mask by radius r (final pixels)."""
    d = sdf(mask, ss)
    shrunk = d < -r
    return sdf(shrunk, ss) < r


def text_mask(text, fnt, w, h, x, y, ss=1, anchor="la"):
    im = Image.new("L", (w * ss, h * ss), 0)
    ImageDraw.Draw(im).text((x * ss, y * ss), text, font=fnt, fill=255, anchor=anchor)
    return np.asarray(im, dtype=np.float64) / 255.0


def coords(w, h, ss=1):
    """Pixel-centre coordinates in final-pixel units for a w x h image sampled ss times."""
    ys, xs = np.mgrid[0:h * ss, 0:w * ss].astype(np.float64)
    return (xs + 0.5) / ss, (ys + 0.5) / ss


def clamp01(a):
    return np.clip(a, 0.0, 1.0)


def smooth(edge0, edge1, x):
    t = clamp01((x - edge0) / (edge1 - edge0))
    return t * t * (3 - 2 * t)


def to_rgba8(img):
    a = clamp01(img[..., 3])
    c = clamp01(img[..., :3])
    out = np.zeros(img.shape, dtype=np.uint8)
    out[..., :3] = np.round(c * 255).astype(np.uint8)
    out[..., 3] = np.round(a * 255).astype(np.uint8)
    out[out[..., 3] == 0] = 0
    return out


def save_rgba(img, path):
    Image.fromarray(to_rgba8(img), "RGBA").save(path, optimize=True)


def keyed(img, threshold=0.5):
    """Flatten RGBA to RGB for a colour-keyed sheet: transparent becomes pure cyan.

    Opaque pixels that would happen to be pure cyan are nudged off it so they
    are never keyed out by accident."""
    rgba = to_rgba8(img)
    rgb = rgba[..., :3].copy()
    opaque = rgba[..., 3] >= int(threshold * 255)
    is_cyan = (rgb[..., 0] == 0) & (rgb[..., 1] == 255) & (rgb[..., 2] == 255)
    rgb[opaque & is_cyan] = (0, 254, 255)
    rgb[~opaque] = CYAN
    return rgb


def save_keyed(img, path, threshold=0.5):
    Image.fromarray(keyed(img, threshold), "RGB").save(path, optimize=True)


def save_rgb(rgb_float, path):
    rgb = np.round(clamp01(rgb_float) * 255).astype(np.uint8)
    Image.fromarray(rgb, "RGB").save(path, optimize=True)
