#!/usr/bin/env python3
"""Writes resources/about-mouse.cur, the cursor over the about box's logo strip: a computer
mouse on its cord, 32 x 32, monochrome. The cord's free end is the hot spot, so the cursor
points with it. Run by hand; the .cur file is committed.

    tools/make_about_cursor.py [OUTPUT]
"""
import pathlib
import struct
import sys

# '#' black, '.' white, ' ' transparent. Every black line has a white edge where it meets the
# background, so the cursor shows on dark and light backgrounds alike.
ART = [
    ".#..                            ",
    ".##.                            ",
    "..#..                           ",
    " .##..                          ",
    " ..##.........                  ",
    "  ..##########...               ",
    "   ...........##..              ",
    "             ...##.             ",
    "               ..#.             ",
    "                .##.            ",
    "                ..#.            ",
    "                 .#.            ",
    "              ...#...           ",
    "              #######           ",
    "             #...#...#          ",
    "            #....#....#         ",
    "           #.....#.....#        ",
    "           #.....#.....#        ",
    "          #......#......#       ",
    "          #......#......#       ",
    "          ###############       ",
    "          #.............#       ",
    "          #.............#       ",
    "          #.............#       ",
    "          #.............#       ",
    "          #.............#       ",
    "          #.............#       ",
    "           #...........#        ",
    "           #...........#        ",
    "            #.........#         ",
    "             ##.....##          ",
    "               #####            ",
]
HOT_SPOT = (1, 0)  # the cord's free end
SIZE = 32


def mask_rows(art, bit_set):
    """The rows bottom-up, 1 bit per pixel, 4 bytes per row, as a device-independent bitmap."""
    data = bytearray()
    for line in reversed(art):
        value = 0
        for x, ch in enumerate(line):
            if bit_set(ch):
                value |= 1 << (SIZE - 1 - x)
        data += value.to_bytes(SIZE // 8, "big")
    return bytes(data)


def cursor_bytes(art, hot_spot):
    assert len(art) == SIZE and all(len(line) == SIZE for line in art)
    assert art[hot_spot[1]][hot_spot[0]] == "#", "the hot spot lies on the cord"
    # Transparent: AND 1, XOR 0. Black: AND 0, XOR 0. White: AND 0, XOR 1 (palette entry 1).
    xor_mask = mask_rows(art, lambda ch: ch == ".")
    and_mask = mask_rows(art, lambda ch: ch == " ")
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0,
                         len(xor_mask) + len(and_mask), 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = header + palette + xor_mask + and_mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, hot_spot[0], hot_spot[1], len(image),
                        6 + 16)
    return directory + entry + image


def main():
    default = pathlib.Path(__file__).resolve().parent.parent / "resources" / "about-mouse.cur"
    output = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else default
    output.write_bytes(cursor_bytes(ART, HOT_SPOT))
    print(output)


if __name__ == "__main__":
    main()
