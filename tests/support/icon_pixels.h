// Decodes one image of an .ico file, stored in the classic BMP format (header, palette, colour
// bits, AND mask), into RGBA pixels, so that tests can compare what the icons show.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velquor {

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    bool operator==(const Rgba&) const = default;
};

struct IconPixels {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;  // top row first; alpha 0 where the AND mask lets the screen through

    const Rgba& at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// Uncompressed images of 1, 4, 8, 24 or 32 bits per pixel; nothing for PNG images or damaged
// data. A 32-bit image with any alpha uses its alpha channel, every other one its mask.
std::optional<IconPixels> DecodeIconImage(std::span<const unsigned char> image);

}  // namespace velquor
