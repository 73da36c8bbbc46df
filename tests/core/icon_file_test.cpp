#include "autorun/icon_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace velquor {
namespace {

using Bytes = std::vector<unsigned char>;

void PutWord(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<unsigned char>(v);
    b[at + 1] = static_cast<unsigned char>(v >> 8);
}

void PutDoubleWord(Bytes& b, std::size_t at, std::uint32_t v) {
    PutWord(b, at, v & 0xFFFF);
    PutWord(b, at + 2, v >> 16);
}

// A file of two images: 32x32 at 16 colours (744 bytes) and 16x16 at 2 colours (200 bytes),
// stored one after the other behind the directory. The image bytes are not looked at.
constexpr std::size_t kFirstImage = 6 + 2 * 16;
Bytes TwoImageFile() {
    Bytes b(kFirstImage + 744 + 200, 0xAA);
    PutWord(b, 0, 0);
    PutWord(b, 2, 1);
    PutWord(b, 4, 2);
    const unsigned char first[] = {32, 32, 16, 0};
    const unsigned char second[] = {16, 16, 2, 0};
    for (std::size_t i = 0; i < 4; ++i) {
        b[6 + i] = first[i];
        b[22 + i] = second[i];
    }
    PutWord(b, 10, 1);
    PutWord(b, 12, 4);
    PutDoubleWord(b, 14, 744);
    PutDoubleWord(b, 18, kFirstImage);
    PutWord(b, 26, 1);
    PutWord(b, 28, 1);
    PutDoubleWord(b, 30, 200);
    PutDoubleWord(b, 34, kFirstImage + 744);
    return b;
}

TEST(IconFileTest, ReadsEveryEntryOfTheDirectory) {
    const IconFile f = ParseIconFile(TwoImageFile());
    ASSERT_TRUE(f.ok());
    ASSERT_EQ(f.entries.size(), 2u);
    const IconEntry& a = f.entries[0];
    const IconEntry& b = f.entries[1];
    EXPECT_EQ((std::vector<std::uint32_t>{32, 32, 16, 4, 744, kFirstImage}),
              (std::vector<std::uint32_t>{std::uint32_t(a.width), std::uint32_t(a.height),
                                          std::uint32_t(a.colorCount), std::uint32_t(a.bitCount),
                                          a.size, a.offset}));
    EXPECT_EQ((std::vector<std::uint32_t>{16, 16, 2, 1, 200, kFirstImage + 744}),
              (std::vector<std::uint32_t>{std::uint32_t(b.width), std::uint32_t(b.height),
                                          std::uint32_t(b.colorCount), std::uint32_t(b.bitCount),
                                          b.size, b.offset}));
}

TEST(IconFileTest, AStoredSizeOfZeroMeans256Pixels) {
    Bytes b = TwoImageFile();
    b[6] = 0;
    b[7] = 0;
    const IconFile f = ParseIconFile(b);
    ASSERT_TRUE(f.ok());
    EXPECT_EQ(f.entries[0].width, 256);
    EXPECT_EQ(f.entries[0].height, 256);
}

TEST(IconFileTest, RefusesDamagedFilesWithTheReason) {
    struct Case {
        const char* name;
        void (*damage)(Bytes&);
        IconFileError expected;
    };
    const Case cases[] = {
        {"intact", [](Bytes&) {}, IconFileError::kNone},
        {"empty file", [](Bytes& b) { b.clear(); }, IconFileError::kTooShort},
        {"header cut short", [](Bytes& b) { b.resize(5); }, IconFileError::kTooShort},
        {"reserved word set", [](Bytes& b) { PutWord(b, 0, 1); }, IconFileError::kNotAnIcon},
        {"cursor", [](Bytes& b) { PutWord(b, 2, 2); }, IconFileError::kNotAnIcon},
        {"bitmap", [](Bytes& b) { PutWord(b, 0, 0x4D42); }, IconFileError::kNotAnIcon},
        {"no images", [](Bytes& b) { PutWord(b, 4, 0); }, IconFileError::kNoImages},
        {"only the header", [](Bytes& b) { b.resize(6); }, IconFileError::kDirectoryTruncated},
        {"second entry cut short", [](Bytes& b) { b.resize(37); },
         IconFileError::kDirectoryTruncated},
        {"more entries counted than stored", [](Bytes& b) { PutWord(b, 4, 0xFFFF); },
         IconFileError::kDirectoryTruncated},
        {"last image cut short", [](Bytes& b) { b.pop_back(); }, IconFileError::kImageOutsideFile},
        {"image longer than the file", [](Bytes& b) { PutDoubleWord(b, 30, 201); },
         IconFileError::kImageOutsideFile},
        {"offset past the end", [](Bytes& b) { PutDoubleWord(b, 34, 0x00100000); },
         IconFileError::kImageOutsideFile},
        {"offset and size wrap around 4 GiB",
         [](Bytes& b) {
             PutDoubleWord(b, 34, 0xFFFFFF00);
             PutDoubleWord(b, 30, 0x140);
         },
         IconFileError::kImageOutsideFile},
        {"size near 4 GiB", [](Bytes& b) { PutDoubleWord(b, 14, 0xFFFFFFFF); },
         IconFileError::kImageOutsideFile},
        {"image of no bytes", [](Bytes& b) { PutDoubleWord(b, 30, 0); },
         IconFileError::kEmptyImage},
        {"image inside the directory", [](Bytes& b) { PutDoubleWord(b, 18, 22); },
         IconFileError::kImageOverlapsDirectory},
        {"image at offset 0", [](Bytes& b) { PutDoubleWord(b, 34, 0); },
         IconFileError::kImageOverlapsDirectory},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes b = TwoImageFile();
        c.damage(b);
        const IconFile f = ParseIconFile(b);
        EXPECT_EQ(f.error, c.expected);
        EXPECT_EQ(f.entries.empty(), c.expected != IconFileError::kNone);
    }
}

}  // namespace
}  // namespace velquor
