#!/usr/bin/python3
"""Builds Velquor's own icons, resources/program.ico, disc.ico and placeholder.ico: each a
32x32 and a 16x16 picture of 32 bits (alpha), rendered straight at each size.

    /usr/bin/python3 tools/icon_library/make_program_icons.py build/icon-sources/node_modules resources

(make_icons.sh installs the icon sets and runs this too.) The program icon is a disc with a
start button; the default disc icon is a disc of another set than the library's discs; the
placeholder, shown while no icon is chosen, is an empty dashed frame drawn here.
"""

import struct
import sys

from make_icons import OPAQUE, icon_file, load_sets, pack_rows, render


def inner(sets, source, name):
    data = sets[source]
    icon = data["icons"][name]
    size = icon.get("width", data.get("width", 16))
    return size, icon["body"]


def svg(parts):
    """parts: (size of the source view box, body, x, y, scale) on a 32-unit canvas."""
    groups = "".join(
        f'<g transform="translate({x} {y}) scale({scale * 32 / size})">{body}</g>'
        for size, body, x, y, scale in parts
    )
    return (
        '<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
        f'viewBox="0 0 32 32">{groups}</svg>'
    ).encode("utf-8")


PLACEHOLDER = (
    b'<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 32 32">'
    b'<rect x="3.5" y="3.5" width="25" height="25" rx="3" fill="#ffffff" fill-opacity="0.35" '
    b'stroke="#9aa0a8" stroke-width="1.6" stroke-dasharray="3.2 2.2"/></svg>'
)


def true_colour_image(pixels, size):
    xor = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            r, g, b, a = pixels[y * size + x]
            xor += bytes((b, g, r, a))
    mask = pack_rows([0 if a >= OPAQUE else 1 for _, _, _, a in pixels], size, 1)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return (size, 32, header + bytes(xor) + mask)


def build(picture):
    return icon_file([true_colour_image(render(picture, s), s) for s in (32, 16)])


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    modules, out_dir = sys.argv[1], sys.argv[2]
    sets = load_sets(modules)
    disc = inner(sets, "fluent-emoji-flat", "optical-disk")
    play = inner(sets, "fluent-emoji-flat", "play-button")
    pictures = {
        "program.ico": svg([disc + (0, 0, 1.0), play + (15, 15, 0.55)]),
        "disc.ico": svg([inner(sets, "noto", "optical-disk") + (0, 0, 1.0)]),
        "placeholder.ico": PLACEHOLDER,
    }
    for name, picture in pictures.items():
        with open(f"{out_dir}/{name}", "wb") as f:
            f.write(build(picture))


if __name__ == "__main__":
    main()
