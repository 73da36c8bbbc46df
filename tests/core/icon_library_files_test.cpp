// The icon library as it ships: resources/icons/001.ico .. 511.ico, checked as files and as
// pictures. Runs natively and under Wine (which reaches the source folder through drive Z:).
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "autorun/icon_file.h"
#include "support/icon_pixels.h"

namespace velquor {
namespace {

constexpr int kLibrarySize = 511;

std::filesystem::path IconFolder() {
    return std::filesystem::path(VELQUOR_SOURCE_DIR) / "resources" / "icons";
}

std::string NumberedName(int n) {
    char name[16];
    std::snprintf(name, sizeof name, "%03d.ico", n);
    return name;
}

std::vector<unsigned char> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::span<const unsigned char> ImageBytes(const std::vector<unsigned char>& file,
                                          const IconEntry& e) {
    return std::span<const unsigned char>(file).subspan(e.offset, e.size);
}

struct LibraryIcon {
    int number = 0;
    std::vector<unsigned char> bytes;
    IconFile directory;
};

// Read once for all tests of this file; a missing or unreadable file stays empty and fails
// the tests that look at it.
const std::vector<LibraryIcon>& Library() {
    static const std::vector<LibraryIcon> icons = [] {
        std::vector<LibraryIcon> all;
        for (int n = 1; n <= kLibrarySize; ++n) {
            LibraryIcon icon{n, ReadAll(IconFolder() / NumberedName(n)), {}};
            icon.directory = ParseIconFile(icon.bytes);
            all.push_back(std::move(icon));
        }
        return all;
    }();
    return icons;
}

TEST(IconLibraryFilesTest, HoldsExactlyTheNumberedFilesAndTheirNotice) {
    std::set<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(IconFolder())) {
        names.insert(item.path().filename().string());
    }
    std::set<std::string> expected{"NOTICE"};
    for (int n = 1; n <= kLibrarySize; ++n) {
        expected.insert(NumberedName(n));
    }
    EXPECT_EQ(names, expected);
}

// What a file holds, in directory order, e.g. "32x32x4 16x16x4".
std::string Formats(const IconFile& f) {
    std::string text;
    for (const IconEntry& e : f.entries) {
        if (!text.empty()) {
            text += ' ';
        }
        text.append(std::to_string(e.width))
            .append("x")
            .append(std::to_string(e.height))
            .append("x")
            .append(std::to_string(e.bitCount));
    }
    return text;
}

TEST(IconLibraryFilesTest, EveryFileParsesAndItsImagesAreWhatTheDirectorySays) {
    for (const LibraryIcon& icon : Library()) {
        SCOPED_TRACE(NumberedName(icon.number));
        ASSERT_TRUE(icon.directory.ok()) << static_cast<int>(icon.directory.error);
        for (const IconEntry& e : icon.directory.entries) {
            SCOPED_TRACE(Formats(icon.directory));
            EXPECT_EQ(e.colorCount, 1 << e.bitCount);
            const auto image = DecodeIconImage(ImageBytes(icon.bytes, e));
            ASSERT_TRUE(image.has_value());
            EXPECT_EQ(image->width, e.width);
            EXPECT_EQ(image->height, e.height);
            // A picture, neither empty nor a filled square.
            int drawn = 0;
            for (const Rgba& p : image->pixels) {
                drawn += p.a != 0 ? 1 : 0;
            }
            EXPECT_GE(drawn, e.width * e.height / 20);
            EXPECT_LT(drawn, e.width * e.height);
        }
    }
}

TEST(IconLibraryFilesTest, HasTheAgreedMixOfImageFormats) {
    std::map<std::string, int> mix;
    for (const LibraryIcon& icon : Library()) {
        ++mix[Formats(icon.directory)];
    }
    const std::map<std::string, int> expected{
        {"32x32x4 16x16x4", 485},
        {"32x32x4", 14},
        {"32x32x4 32x32x1", 6},
        {"32x32x4 32x32x4 32x32x1", 6},
    };
    EXPECT_EQ(mix, expected);
}

// A picture's shape: where it is drawn, and where neighbouring pixels differ clearly (an edge
// between two colours or at the outline). A recoloured or slightly touched-up copy keeps
// nearly all of it, whatever its colours.
struct Shape {
    static constexpr int kSide = 32;
    static constexpr int kWords = kSide * kSide / 64;
    std::array<std::uint64_t, kWords> drawn{};
    std::array<std::uint64_t, kWords> rightEdge{};
    std::array<std::uint64_t, kWords> lowerEdge{};
};

bool Differs(const Rgba& p, const Rgba& q) {
    if ((p.a == 0) != (q.a == 0)) {
        return true;
    }
    if (p.a == 0) {
        return false;
    }
    const int d = std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
    return d > 24;
}

void SetBit(std::array<std::uint64_t, Shape::kWords>& bits, int i) {
    bits[static_cast<std::size_t>(i / 64)] |= std::uint64_t{1} << (i % 64);
}

Shape ShapeOf(const IconPixels& image) {
    Shape s;
    for (int y = 0; y < Shape::kSide; ++y) {
        for (int x = 0; x < Shape::kSide; ++x) {
            const int i = y * Shape::kSide + x;
            if (image.at(x, y).a != 0) {
                SetBit(s.drawn, i);
            }
            if (x + 1 < Shape::kSide && Differs(image.at(x, y), image.at(x + 1, y))) {
                SetBit(s.rightEdge, i);
            }
            if (y + 1 < Shape::kSide && Differs(image.at(x, y), image.at(x, y + 1))) {
                SetBit(s.lowerEdge, i);
            }
        }
    }
    return s;
}

// The number of pixels whose drawn bit or edge bits differ.
int Distance(const Shape& a, const Shape& b) {
    int d = 0;
    for (int w = 0; w < Shape::kWords; ++w) {
        d += std::popcount(a.drawn[w] ^ b.drawn[w]) +
             std::popcount(a.rightEdge[w] ^ b.rightEdge[w]) +
             std::popcount(a.lowerEdge[w] ^ b.lowerEdge[w]);
    }
    return d;
}

// Far below the nearest pair of the library (see the report printed by the test), far above
// what a recoloured copy or a copy with a small mark added scores.
constexpr int kMinimumDistance = 60;

TEST(IconLibraryFilesTest, NoTwoIconsShowTheSamePicture) {
    std::vector<Shape> shapes;
    for (const LibraryIcon& icon : Library()) {
        SCOPED_TRACE(NumberedName(icon.number));
        ASSERT_TRUE(icon.directory.ok());
        const IconEntry& first = icon.directory.entries.front();
        ASSERT_EQ(Formats(IconFile{IconFileError::kNone, {first}}), "32x32x4");
        const auto image = DecodeIconImage(ImageBytes(icon.bytes, first));
        ASSERT_TRUE(image.has_value());
        shapes.push_back(ShapeOf(*image));
    }
    int nearest = Shape::kSide * Shape::kSide * 3;
    std::string nearestPair;
    std::vector<std::string> tooClose;
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        for (std::size_t j = i + 1; j < shapes.size(); ++j) {
            const int d = Distance(shapes[i], shapes[j]);
            const std::string pair = NumberedName(static_cast<int>(i) + 1) + " and " +
                                     NumberedName(static_cast<int>(j) + 1);
            if (d < nearest) {
                nearest = d;
                nearestPair = pair;
            }
            if (d < kMinimumDistance) {
                tooClose.push_back(pair + ": " + std::to_string(d));
            }
        }
    }
    std::printf("nearest pair of icons: %s, distance %d (at least %d required)\n",
                nearestPair.c_str(), nearest, kMinimumDistance);
    EXPECT_EQ(tooClose, std::vector<std::string>{});
}

}  // namespace
}  // namespace velquor
