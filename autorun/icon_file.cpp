#include "autorun/icon_file.h"

namespace velquor {
namespace {

unsigned Word(std::span<const unsigned char> b, std::size_t at) {
    return b[at] | (b[at + 1] << 8);
}

std::uint32_t DoubleWord(std::span<const unsigned char> b, std::size_t at) {
    return Word(b, at) | (static_cast<std::uint32_t>(Word(b, at + 2)) << 16);
}

}  // namespace

std::optional<IconDirectory> ParseIconDirectory(std::span<const unsigned char> file) {
    constexpr std::size_t kHeader = 6;
    constexpr std::size_t kEntry = 16;
    if (file.size() < kHeader || Word(file, 0) != 0 || Word(file, 2) != 1) {
        return std::nullopt;
    }
    const std::size_t count = Word(file, 4);
    if (count == 0 || file.size() < kHeader + count * kEntry) {
        return std::nullopt;
    }
    IconDirectory directory;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kHeader + i * kEntry;
        IconImageEntry e;
        e.width = file[at] == 0 ? 256 : file[at];
        e.height = file[at + 1] == 0 ? 256 : file[at + 1];
        e.colourCount = file[at + 2];
        e.bitCount = static_cast<int>(Word(file, at + 6));
        e.size = DoubleWord(file, at + 8);
        e.offset = DoubleWord(file, at + 12);
        if (e.size == 0 || e.offset > file.size() || e.size > file.size() - e.offset) {
            return std::nullopt;
        }
        directory.images.push_back(e);
    }
    return directory;
}

}  // namespace velquor
