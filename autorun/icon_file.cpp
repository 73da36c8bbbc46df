#include "autorun/icon_file.h"

namespace velquor {

namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;

std::uint32_t Word(std::span<const unsigned char> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8;
}

std::uint32_t DoubleWord(std::span<const unsigned char> b, std::size_t at) {
    return Word(b, at) | Word(b, at + 2) << 16;
}

IconFile Failure(IconFileError error) {
    return IconFile{error, {}};
}

}  // namespace

IconFile ParseIconFile(std::span<const unsigned char> bytes) {
    if (bytes.size() < kHeaderSize) {
        return Failure(IconFileError::kTooShort);
    }
    if (Word(bytes, 0) != 0 || Word(bytes, 2) != 1) {
        return Failure(IconFileError::kNotAnIcon);
    }
    const std::size_t count = Word(bytes, 4);
    if (count == 0) {
        return Failure(IconFileError::kNoImages);
    }
    // At most 65535 entries: the sum cannot overflow a size_t.
    const std::size_t directoryEnd = kHeaderSize + count * kEntrySize;
    if (bytes.size() < directoryEnd) {
        return Failure(IconFileError::kDirectoryTruncated);
    }
    IconFile file;
    file.entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kHeaderSize + i * kEntrySize;
        IconEntry e;
        e.width = bytes[at] == 0 ? 256 : bytes[at];
        e.height = bytes[at + 1] == 0 ? 256 : bytes[at + 1];
        e.colorCount = bytes[at + 2];
        e.bitCount = static_cast<int>(Word(bytes, at + 6));
        e.size = DoubleWord(bytes, at + 8);
        e.offset = DoubleWord(bytes, at + 12);
        if (e.size == 0) {
            return Failure(IconFileError::kEmptyImage);
        }
        if (e.offset < directoryEnd) {
            return Failure(IconFileError::kImageOverlapsDirectory);
        }
        // In 64 bits, so that an offset near 4 GiB cannot wrap around into the file.
        if (std::uint64_t{e.offset} + e.size > bytes.size()) {
            return Failure(IconFileError::kImageOutsideFile);
        }
        file.entries.push_back(e);
    }
    return file;
}

}  // namespace velquor
