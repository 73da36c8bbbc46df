// Damaged copies of a good .ico file, the same for the same seed on every platform (the
// Mersenne Twister's output is fixed by the standard; no distribution is used).
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace velquor::testing {

inline std::vector<std::string> MalformedIcons(const std::string& good, std::uint32_t seed,
                                               std::size_t count) {
    std::mt19937 random(seed);
    const auto below = [&random](std::size_t n) { return n == 0 ? 0 : random() % n; };
    const auto putDoubleWord = [](std::string& b, std::size_t at, std::uint32_t v) {
        for (std::size_t i = 0; i < 4 && at + i < b.size(); ++i) {
            b[at + i] = static_cast<char>(v >> (8 * i));
        }
    };
    using namespace std::string_literals;
    // PNG, bitmap, GIF, JPEG, a cursor.
    const std::string foreignHeaders[] = {"\x89PNG\r\n\x1a\n", "BM", "GIF89a", "\xFF\xD8\xFF\xE0",
                                          "\0\0\2\0\1\0"s};
    static const std::uint32_t kHugeValues[] = {0xFFFFFFFF, 0x7FFFFFFF, 0x80000000,
                                                0xFFFFFF00, 0x00100000, 0};
    std::vector<std::string> files;
    for (std::size_t n = 0; n < count; ++n) {
        std::string b = good;
        // One damage, sometimes two on top of each other.
        for (std::size_t damage = 0; damage < 1 + (below(4) == 0); ++damage) {
            switch (below(6)) {
                case 0:  // cut anywhere, often inside the header or directory
                    b.resize(below(2) ? below(b.size() + 1)
                                      : below(std::min<std::size_t>(b.size(), 60)));
                    break;
                case 1:  // flipped bits
                    for (std::size_t i = 1 + below(8); i > 0 && !b.empty(); --i) {
                        b[below(b.size())] ^= static_cast<char>(1u << below(8));
                    }
                    break;
                case 2:  // another format's header
                {
                    const std::string& header = foreignHeaders[below(std::size(foreignHeaders))];
                    b.replace(0, std::min(b.size(), header.size()), header);
                    break;
                }
                case 3:  // a huge count, size or offset in the directory
                    if (b.size() >= 6 && below(3) == 0) {
                        b[4] = b[5] = below(2) ? '\xFF' : '\0';
                    } else {
                        putDoubleWord(b, 6 + 16 * below(2) + (below(2) ? 8 : 12),
                                      kHugeValues[below(std::size(kHugeValues))]);
                    }
                    break;
                case 4:  // empty, or noise
                    b = below(3) == 0 ? std::string() : std::string(below(300), '\0');
                    for (char& c : b) {
                        c = static_cast<char>(random());
                    }
                    break;
                default:  // a good header on noise
                    b.replace(std::min<std::size_t>(b.size(), 6 + below(40)), std::string::npos,
                              below(200), static_cast<char>(random()));
                    break;
            }
        }
        files.push_back(std::move(b));
    }
    return files;
}

}  // namespace velquor::testing
