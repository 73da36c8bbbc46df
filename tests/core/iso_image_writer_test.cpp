#include "disc/iso_image_writer.h"

#include <gtest/gtest.h>

#include "disc/udf_records.h"
#include "support/disc_readers.h"
#include "support/udf_tag_reader.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;
using namespace testing;

// A file of `size` bytes that the cancel test's source serves in small pieces.
struct PatternReader : FileContentReader {
    std::size_t Read(std::span<unsigned char> buffer) override {
        const std::size_t n = std::min<std::size_t>(buffer.size(), 1000);
        std::fill_n(buffer.begin(), n, 'x');
        return n;
    }
};
struct PatternSource : FileContentSource {
    std::unique_ptr<FileContentReader> Open(const std::wstring&) override {
        return std::make_unique<PatternReader>();
    }
};
struct CountingSink : IsoByteSink {
    void Write(std::span<const unsigned char> bytes) override { received += bytes.size(); }
    std::uint64_t received = 0;
};

TEST(IsoImageWriterTest, StopsBetweenChunksWhenCancelled) {
    DiscListing listing;
    listing.root.children.push_back({L"gross.bin", false, 1'000'000, false, false, {}, {}});
    PatternSource source;
    CountingSink sink;
    std::uint64_t seenAtCancel = 0;
    const IsoWriteResult result = WriteIsoImage(
        listing, {L"x", {}}, source, sink, [&](std::uint64_t written, std::uint64_t total) {
            // 262 sectors before the file (its File Entry at 261), 489 for it, the last anchor.
            EXPECT_EQ(total, (262 + 489 + 1) * 2048u);
            seenAtCancel = written;
            return written < 600'000;  // inside the file, which comes in pieces of 1000
        });
    EXPECT_EQ(result, IsoWriteResult::kCancelled);
    EXPECT_EQ(seenAtCancel, 600'576u);  // 262 sectors and the first 64 pieces
    EXPECT_EQ(sink.received, seenAtCancel);
}

// A content over 1 GiB takes several extents, each within the limit, one after the other.
TEST(IsoImageWriterTest, UdfExtentsOfLargeFilesFollowEachOther) {
    for (const std::uint64_t length : {1ull, 0x3FFFF800ull, 0x3FFFF801ull, 5ull << 30}) {
        const UdfBytes entry = EncodeUdfFileEntry({false, false, length, 300, 16, 1, {}}, 7);
        std::vector<std::string> problems;
        std::uint64_t covered = 0;
        for (const auto& [block, bytes] : UdfExtents(entry.data(), problems)) {
            EXPECT_EQ(block, 300 + covered / 2048) << length;
            covered += bytes;
        }
        EXPECT_EQ(covered, length);
        EXPECT_EQ(problems, std::vector<std::string>{}) << length;
    }
}

TEST(IsoImageWriterTest, DebianReadersSeeTheProjectInAllTrees) {
    const fs::path work = fs::temp_directory_path() / "velquor-iso-test";
    fs::remove_all(work);
    const fs::path project = work / "projekt";
    MakeProject(project);
    const std::string image = (work / "projekt.iso").string();
    {
        testing::HostFileSource source(project);
        testing::HostFileSink sink(image);
        const IsoImageOptions options{L"Velquor Prüfung", {2026, 12, 8, 14, 30, 5, 60}};
        ASSERT_EQ(WriteIsoImage(testing::ListHostFolder(project), options, source, sink),
                  IsoWriteResult::kWritten);
    }
    // 2 anchors, 6 descriptors in either sequence, the integrity and the file set descriptor,
    // the File Entries of 35 files and 15 folders, and 64 identifiers: 49 entries, 15 parents.
    const UdfTagReport udf = ReadUdfTags(image);
    EXPECT_EQ(udf.problems, std::vector<std::string>{});
    EXPECT_EQ(std::tuple(udf.files, udf.folders, udf.descriptors), std::tuple(35, 15, 130));
    if (!HaveReaders()) {
        GTEST_SKIP() << "a Debian reader missing (tools/install-deps.sh installs them)";
    }
    ExpectReadersSeeProject(image, project, work);
    // 506 sectors: the partition from 257 holds the file set (2 blocks), 50 File Entries, 16
    // blocks of identifiers (E10's take two) and 180 of contents; then the last anchor.
    const std::string info = RunReader("isoinfo -d -i " + image);
    for (const char* line : {"Volume id: VELQUOR_PRUFUNG\n", "Volume size is: 506\n"}) {
        EXPECT_NE(info.find(line), std::string::npos) << line << info;
    }
    EXPECT_EQ(RunReader("blkid -p -o value -s LABEL " + image), "Velquor Prüfung\n");
    // The L path tables after the UDF recognition (19 to 21), one sector each; each tree's
    // directories after the four: number, parent's number, sector in hexadecimal, name.
    const std::string tables =
        RunReader("isoinfo -p -i " + image) + "J" + RunReader("isoinfo -J -p -i " + image);
    for (const char* line :
         {"Path table starts at block 22,", "   1:    1 1a \n", "   5:    1 1e ____\n",
          "   7:    4 20 E2\n", "  15:   14 28 E10\n", "J", "Path table starts at block 24,",
          "   3:    1 2b Leerer Ordner\n", "  15:   14 37 E10\n"}) {
        EXPECT_NE(tables.find(line), std::string::npos) << line << tables;
    }
    const std::string primary = RunReader("isoinfo -f -i " + image);
    for (const char* path : {"/BERICHT_.TXT;1\n", "/BERICH_1.TXT;1\n", "/________/______.TXT;1\n",
                             "/TIEF/E2/E3/E4/E5/E6/E7/E8/E9/E10/UNTEN.TXT;1\n"}) {
        EXPECT_NE(primary.find(path), std::string::npos) << path << primary;
    }
}

}  // namespace
}  // namespace velquor
