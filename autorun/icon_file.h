// The directory of an .ico file: which images it holds and where their bytes lie.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velquor {

struct IconImageEntry {
    int width = 0;
    int height = 0;
    int colourCount = 0;
    int bitCount = 0;
    std::uint32_t size = 0;
    std::uint32_t offset = 0;
};

struct IconDirectory {
    std::vector<IconImageEntry> images;
};

// Nothing when the bytes are no icon file or an entry points outside them.
std::optional<IconDirectory> ParseIconDirectory(std::span<const unsigned char> file);

}  // namespace velquor
