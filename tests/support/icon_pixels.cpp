#include "support/icon_pixels.h"

namespace velquor {

namespace {

std::uint32_t Word(std::span<const unsigned char> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8;
}

std::uint32_t DoubleWord(std::span<const unsigned char> b, std::size_t at) {
    return Word(b, at) | Word(b, at + 2) << 16;
}

std::size_t Stride(int width, int bits) {
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32 * 4;
}

// The value of pixel x in a row of `bits`-wide values, leftmost pixel in the high bits.
unsigned Packed(const unsigned char* row, int x, int bits) {
    const std::size_t bit = static_cast<std::size_t>(x) * static_cast<std::size_t>(bits);
    const unsigned shift = 8 - static_cast<unsigned>(bits) - bit % 8;
    return (row[bit / 8] >> shift) & ((1u << bits) - 1);
}

}  // namespace

std::optional<IconPixels> DecodeIconImage(std::span<const unsigned char> image) {
    if (image.size() < 40) {
        return std::nullopt;
    }
    const std::uint32_t headerSize = DoubleWord(image, 0);
    const auto width = static_cast<std::int32_t>(DoubleWord(image, 4));
    const auto doubleHeight = static_cast<std::int32_t>(DoubleWord(image, 8));
    const int bits = static_cast<int>(Word(image, 14));
    const std::uint32_t compression = DoubleWord(image, 16);
    const std::uint32_t coloursUsed = DoubleWord(image, 32);
    if (headerSize < 40 || headerSize > image.size() || width <= 0 || width > 256 ||
        doubleHeight <= 0 || doubleHeight > 512 || doubleHeight % 2 != 0 || Word(image, 12) != 1 ||
        compression != 0) {
        return std::nullopt;
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
        return std::nullopt;
    }
    const int height = doubleHeight / 2;
    const std::size_t colours = bits > 8 ? 0 : coloursUsed != 0 ? coloursUsed : 1u << bits;
    if (colours > (1u << (bits > 8 ? 0 : bits))) {
        return std::nullopt;
    }
    const std::size_t paletteAt = headerSize;
    const std::size_t colourAt = paletteAt + colours * 4;
    const std::size_t maskAt = colourAt + Stride(width, bits) * static_cast<std::size_t>(height);
    const std::size_t end = maskAt + Stride(width, 1) * static_cast<std::size_t>(height);
    if (end > image.size()) {
        return std::nullopt;
    }

    IconPixels out{width, height, std::vector<Rgba>(static_cast<std::size_t>(width * height))};
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom-up.
        const std::size_t stored = static_cast<std::size_t>(height - 1 - y);
        const unsigned char* row = image.data() + colourAt + stored * Stride(width, bits);
        const unsigned char* mask = image.data() + maskAt + stored * Stride(width, 1);
        for (int x = 0; x < width; ++x) {
            Rgba& p = out.pixels[static_cast<std::size_t>(y * width + x)];
            if (bits <= 8) {
                const unsigned index = Packed(row, x, bits);
                if (index >= colours) {
                    return std::nullopt;
                }
                const unsigned char* entry = image.data() + paletteAt + index * 4;
                p = Rgba{entry[2], entry[1], entry[0], 255};
            } else {
                const unsigned char* px = row + static_cast<std::size_t>(x) * (bits / 8);
                p = Rgba{px[2], px[1], px[0], static_cast<std::uint8_t>(bits == 32 ? px[3] : 255)};
                anyAlpha = anyAlpha || (bits == 32 && px[3] != 0);
            }
            if (Packed(mask, x, 1) == 1) {
                p.a = 0;
            }
        }
    }
    // Old 32-bit icons leave the alpha bytes at 0 and rely on the mask alone.
    if (bits == 32 && !anyAlpha) {
        for (int y = 0; y < height; ++y) {
            const std::size_t stored = static_cast<std::size_t>(height - 1 - y);
            const unsigned char* mask = image.data() + maskAt + stored * Stride(width, 1);
            for (int x = 0; x < width; ++x) {
                out.pixels[static_cast<std::size_t>(y * width + x)].a =
                    Packed(mask, x, 1) == 1 ? 0 : 255;
            }
        }
    }
    return out;
}

}  // namespace velquor
