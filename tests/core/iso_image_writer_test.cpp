#include "disc/iso_image_writer.h"

#include <gtest/gtest.h>

#include "support/disc_readers.h"

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
            EXPECT_EQ(total, (25 + 489) * 2048u);  // 25 sectors before the file, 489 for it
            seenAtCancel = written;
            return written < 100'000;  // inside the file, which comes in pieces of 1000
        });
    EXPECT_EQ(result, IsoWriteResult::kCancelled);
    EXPECT_EQ(seenAtCancel, 100'200u);  // 25 sectors and the first 49 pieces
    EXPECT_EQ(sink.received, seenAtCancel);
}

TEST(IsoImageWriterTest, DebianReadersSeeTheProjectInBothTrees) {
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
    if (!HaveReaders()) {
        GTEST_SKIP() << "isovfy, isoinfo, xorriso, osirrox, 7zz or blkid missing";
    }
    ExpectReadersSeeProject(image, project, work);
    const std::string info = RunReader("isoinfo -d -i " + image);
    for (const char* line : {"Volume id: VELQUOR_PRUFUNG\n", "Volume size is: 207\n"}) {
        EXPECT_NE(info.find(line), std::string::npos) << line << info;
    }
    EXPECT_EQ(RunReader("blkid -p -o value -s LABEL " + image), "Velquor Prüfung\n");
    // The L path tables: number, parent's number, sector in hexadecimal, name.
    const std::string tables =
        RunReader("isoinfo -p -i " + image) + "J" + RunReader("isoinfo -J -p -i " + image);
    for (const char* line :
         {"   1:    1 17 \n", "   5:    1 1b ____\n", "   7:    4 1d E2\n", "  15:   14 25 E10\n",
          "J", "   3:    1 28 Leerer Ordner\n", "  15:   14 34 E10\n"}) {
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
