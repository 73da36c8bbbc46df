#!/usr/bin/python3
"""Builds Velquor's icon library, resources/icons/001.ico .. 511.ico, from subjects.txt.

Regenerate (Debian: apt-get install librsvg2-bin python3-pil npm):

    tools/icon_library/make_icons.sh

which installs the pinned icon packages into build/icon-sources/ (not committed) and runs

    /usr/bin/python3 tools/icon_library/make_icons.py build/icon-sources/node_modules resources/icons

Every picture is rendered by rsvg-convert straight at the size it is stored in (32 and 16
pixels; a 16-pixel picture scaled down from 32 loses its thin lines). The colours are reduced
to 16 per image by k-means in Lab space over the opaque pixels, seeded by median cut, so the
same inputs always give the same bytes. Pixels below half opacity become transparent through
the AND mask and are stored as palette entry 0, black, so that the screen shows through.

subjects.txt gives one icon a line: number, source set, icon name, and the formats of the
file: "32+16" (32x32 and 16x16 at 16 colours), "32" (32x32 only), "32+mono" (32x32 at 16
colours and at 2 colours) or "32+32d+mono" (a plain and a dithered 32x32 at 16 colours, each
with a palette of its own, and one at 2 colours).
"""

import io
import json
import os
import struct
import subprocess
import sys

from PIL import Image

SETS = ("flat-color-icons", "fluent-emoji-flat", "noto")
FORMATS = ("32+16", "32", "32+mono", "32+32d+mono")


def read_subjects(path):
    subjects = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            number, source, name, formats = line.split()
            if source not in SETS or formats not in FORMATS:
                raise SystemExit(f"{path}: bad line: {line}")
            if int(number) != len(subjects) + 1:
                raise SystemExit(f"{path}: {number} out of order")
            subjects.append((int(number), source, name, formats))
    return subjects


def load_sets(modules):
    sets = {}
    for name in SETS:
        with open(os.path.join(modules, "@iconify-json", name, "icons.json"), encoding="utf-8") as f:
            sets[name] = json.load(f)
    return sets


def svg_of(sets, source, name):
    data = sets[source]
    icon = data["icons"].get(name)
    if icon is None:
        raise SystemExit(f"{source} has no icon {name}")
    left = icon.get("left", data.get("left", 0))
    top = icon.get("top", data.get("top", 0))
    width = icon.get("width", data.get("width", 16))
    height = icon.get("height", data.get("height", 16))
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
        f'viewBox="{left} {top} {width} {height}">{icon["body"]}</svg>'
    ).encode("utf-8")


def render(svg, size):
    png = subprocess.run(
        ["rsvg-convert", "--width", str(size), "--height", str(size), "--format", "png"],
        input=svg,
        capture_output=True,
        check=True,
    ).stdout
    image = Image.open(io.BytesIO(png)).convert("RGBA")
    if image.size != (size, size):
        image = image.resize((size, size), Image.LANCZOS)
    return list(image.getdata())


# --- colour space ----------------------------------------------------------------------------


def _linear(c):
    c /= 255.0
    return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4


def _f(t):
    return t ** (1.0 / 3.0) if t > 216.0 / 24389.0 else (24389.0 / 27.0 * t + 16.0) / 116.0


def to_lab(rgb):
    r, g, b = (_linear(float(c)) for c in rgb)
    x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047
    y = 0.2126 * r + 0.7152 * g + 0.0722 * b
    z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883
    fx, fy, fz = _f(x), _f(y), _f(z)
    return (116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz))


def _f_inv(t):
    return t**3 if t**3 > 216.0 / 24389.0 else (116.0 * t - 16.0) / (24389.0 / 27.0)


def _gamma(c):
    c = max(0.0, min(1.0, c))
    c = 12.92 * c if c <= 0.0031308 else 1.055 * c ** (1.0 / 2.4) - 0.055
    return int(round(c * 255.0))


def to_rgb(lab):
    fy = (lab[0] + 16.0) / 116.0
    fx = fy + lab[1] / 500.0
    fz = fy - lab[2] / 200.0
    x, y, z = _f_inv(fx) * 0.95047, _f_inv(fy), _f_inv(fz) * 1.08883
    r = 3.2406 * x - 1.5372 * y - 0.4986 * z
    g = -0.9689 * x + 1.8758 * y + 0.0415 * z
    b = 0.0557 * x - 0.2040 * y + 1.0570 * z
    return (_gamma(r), _gamma(g), _gamma(b))


def dist2(a, b):
    return (a[0] - b[0]) ** 2 + (a[1] - b[1]) ** 2 + (a[2] - b[2]) ** 2


# --- colour reduction ------------------------------------------------------------------------

OPAQUE = 128  # alpha from which a pixel is drawn


def opaque_colours(pixels):
    """The distinct colours of the drawn pixels, with their counts, in a fixed order."""
    counts = {}
    for r, g, b, a in pixels:
        if a >= OPAQUE:
            counts[(r, g, b)] = counts.get((r, g, b), 0) + 1
    return sorted(counts.items())


def median_cut(colours, n):
    """Splits the weighted Lab colours into at most n boxes; gives each box's weighted mean."""
    boxes = [colours]
    while len(boxes) < n:
        # The box whose colours lie farthest from their mean along one axis, weighted by how
        # many pixels have them: a large area of one flat colour does not need a second entry.
        best, best_error, best_axis = None, 1e-9, 0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            total = sum(w for _, w in box)
            for axis in range(3):
                mean = sum(c[axis] * w for c, w in box) / total
                error = sum(w * (c[axis] - mean) ** 2 for c, w in box)
                if error > best_error:
                    best, best_error, best_axis = i, error, axis
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda c: (c[0][best_axis], c[0]))
        total = sum(w for _, w in box)
        acc, cut = 0, 1
        for k, (_, w) in enumerate(box):
            acc += w
            if acc * 2 >= total:
                cut = min(max(k + 1, 1), len(box) - 1)
                break
        boxes[best:best] = [box[:cut], box[cut:]]
    return [_mean(box) for box in boxes]


def _mean(members):
    total = sum(w for _, w in members)
    return tuple(sum(c[axis] * w for c, w in members) / total for axis in range(3))


def kmeans(colours, centres, rounds=24):
    for _ in range(rounds):
        groups = [[] for _ in centres]
        for colour in colours:
            nearest = min(range(len(centres)), key=lambda i: dist2(colour[0], centres[i]))
            groups[nearest].append(colour)
        moved = [(_mean(g) if g else c) for g, c in zip(groups, centres)]
        if moved == centres:
            break
        centres = moved
    return centres


def make_palette(pixels, free_entries):
    """Black first (it also draws the transparent pixels), then up to free_entries colours."""
    colours = [(to_lab(rgb), w) for rgb, w in opaque_colours(pixels)]
    if not colours:
        return [(0, 0, 0)]
    if len(colours) <= free_entries:
        centres = [c for c, _ in colours]
    else:
        centres = kmeans(colours, median_cut(colours, free_entries))
    found = sorted({to_rgb(c) for c in centres} - {(0, 0, 0)}, key=lambda c: (to_lab(c), c))
    return [(0, 0, 0)] + found


def nearest_index(palette_lab, rgb, cache):
    index = cache.get(rgb)
    if index is None:
        lab = to_lab(rgb)
        index = min(range(len(palette_lab)), key=lambda i: (dist2(lab, palette_lab[i]), i))
        cache[rgb] = index
    return index


def map_plain(pixels, palette):
    palette_lab = [to_lab(c) for c in palette]
    cache = {}
    return [nearest_index(palette_lab, (r, g, b), cache) if a >= OPAQUE else 0 for r, g, b, a in pixels]


def map_dithered(pixels, palette, size):
    """Floyd-Steinberg in RGB over the drawn pixels only; error never leaks into the holes."""
    palette_lab = [to_lab(c) for c in palette]
    cache = {}
    work = [[float(p[0]), float(p[1]), float(p[2])] for p in pixels]
    drawn = [p[3] >= OPAQUE for p in pixels]
    indices = [0] * len(pixels)
    for y in range(size):
        for x in range(size):
            i = y * size + x
            if not drawn[i]:
                continue
            want = tuple(max(0, min(255, int(round(v)))) for v in work[i])
            index = nearest_index(palette_lab, want, cache)
            indices[i] = index
            error = [work[i][k] - palette[index][k] for k in range(3)]
            for dx, dy, share in ((1, 0, 7), (-1, 1, 3), (0, 1, 5), (1, 1, 1)):
                nx, ny = x + dx, y + dy
                if 0 <= nx < size and ny < size and drawn[ny * size + nx]:
                    for k in range(3):
                        work[ny * size + nx][k] += error[k] * share / 16.0
    return indices


def map_mono(pixels, size):
    """Black outline, and inside it black for the darker, white for the lighter pixels (Otsu)."""
    lum = [0.299 * r + 0.587 * g + 0.114 * b for r, g, b, _ in pixels]
    drawn = [p[3] >= OPAQUE for p in pixels]
    values = sorted(int(lum[i]) for i in range(len(pixels)) if drawn[i])
    threshold = otsu(values) if values else 128
    indices = [0] * len(pixels)
    for y in range(size):
        for x in range(size):
            i = y * size + x
            if not drawn[i]:
                continue
            edge = any(
                not (0 <= x + dx < size and 0 <= y + dy < size and drawn[(y + dy) * size + x + dx])
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))
            )
            indices[i] = 0 if edge or lum[i] < threshold else 1
    return indices


def otsu(values):
    histogram = [0] * 256
    for v in values:
        histogram[v] += 1
    total = len(values)
    sum_all = sum(i * h for i, h in enumerate(histogram))
    best, best_t, below, sum_below = -1.0, 128, 0, 0
    for t in range(256):
        below += histogram[t]
        sum_below += t * histogram[t]
        above = total - below
        if below == 0 or above == 0:
            continue
        m0, m1 = sum_below / below, (sum_all - sum_below) / above
        between = below * above * (m0 - m1) ** 2
        if between > best:
            best, best_t = between, t + 1
    return best_t


# --- icon file ---------------------------------------------------------------------------------


def row_bytes(width, bits):
    return (width * bits + 31) // 32 * 4


def pack_rows(values, size, bits):
    """Bottom-up rows of size values of the given bit width, each padded to 32 bits."""
    out = bytearray()
    stride = row_bytes(size, bits)
    for y in reversed(range(size)):
        row = bytearray(stride)
        for x in range(size):
            v = values[y * size + x]
            bit = x * bits
            row[bit // 8] |= v << (8 - bits - bit % 8)
        out += row
    return bytes(out)


def bmp_image(pixels, size, palette, indices, bits):
    colours = 1 << bits
    palette = list(palette) + [(0, 0, 0)] * (colours - len(palette))
    xor = pack_rows(indices, size, bits)
    mask = pack_rows([0 if a >= OPAQUE else 1 for _, _, _, a in pixels], size, 1)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0, len(xor) + len(mask), 0, 0, 0, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + table + xor + mask


def icon_file(images):
    """images: (size, bits, data) in directory order."""
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, bits, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, (1 << bits) % 256, 0, 1, bits, len(data), offset)
        offset += len(data)
    for _, _, data in images:
        out += data
    return bytes(out)


def sixteen_colours(pixels, size, dithered=False):
    palette = make_palette(pixels, 15)
    indices = map_dithered(pixels, palette, size) if dithered else map_plain(pixels, palette)
    return (size, 4, bmp_image(pixels, size, palette, indices, 4))


def build(svg, formats):
    big = render(svg, 32)
    images = [sixteen_colours(big, 32)]
    if formats == "32+16":
        images.append(sixteen_colours(render(svg, 16), 16))
    if formats == "32+32d+mono":
        images.append(sixteen_colours(big, 32, dithered=True))
    if formats.endswith("mono"):
        images.append((32, 1, bmp_image(big, 32, [(0, 0, 0), (255, 255, 255)], map_mono(big, 32), 1)))
    return icon_file(images)


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    modules, out_dir = sys.argv[1], sys.argv[2]
    here = os.path.dirname(os.path.abspath(__file__))
    subjects = read_subjects(os.path.join(here, "subjects.txt"))
    sets = load_sets(modules)
    os.makedirs(out_dir, exist_ok=True)
    for number, source, name, formats in subjects:
        data = build(svg_of(sets, source, name), formats)
        with open(os.path.join(out_dir, f"{number:03d}.ico"), "wb") as f:
            f.write(data)
    print(f"{len(subjects)} icons in {out_dir}")


if __name__ == "__main__":
    main()
