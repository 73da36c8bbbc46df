#include "disc/iso_image_writer.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "support/host_disc.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;
using testing::HostPath;

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

#ifdef _WIN32  // under Wine the Debian readers are missing, and the test skips after writing
#define popen _popen
#define pclose _pclose
#endif

// The project: names in three scripts, a name of 64 characters, folders eleven levels deep,
// empty files and folders, two names with the same 8.3 form, a file over several chunks.
const std::map<std::wstring, std::string> kProjectFiles = {
    {L"Übersicht für Käufer.txt", "Grüße\r\n"},
    {L"Ελληνικά/Αρχείο.txt", "alpha beta"},
    {L"中文目录/说明文件.txt", "zhong wen"},
    {std::wstring(60, L'n') + L".txt", "64"},
    {L"Tief/E2/E3/E4/E5/E6/E7/E8/E9/E10/unten.txt", "deep"},
    {L"leer.dat", ""},
    {L"Leerer Ordner/", ""},
    {L"Bericht Januar.txt", "Januar"},
    {L"Bericht Februar.txt", "Februar"},
    {L"Daten/gross.bin", "random"},
};

void MakeProject(const fs::path& root) {
    using namespace std::chrono;
    const auto modified = file_clock::from_sys(sys_days{2004y / 5 / 14} + 9h + 30min + 15s);
    std::mt19937 random(7);
    for (const auto& [path, content] : kProjectFiles) {
        const fs::path full = root / HostPath(path);
        if (path.ends_with(L'/')) {
            fs::create_directories(full);
            continue;
        }
        fs::create_directories(full.parent_path());
        std::string bytes = content;
        if (content == "random") {
            bytes.resize(300'000);
            std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<char>(random()); });
        }
        std::ofstream(full, std::ios::binary) << bytes;
        fs::last_write_time(full, modified);
    }
}

bool HaveReaders() {
    return std::system("command -v isovfy isoinfo xorriso osirrox 7zz blkid >/dev/null") == 0;
}

std::string RunReader(const std::string& command) {
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, n);
    }
    pclose(pipe);
    return output;
}

// Every file and folder below root by its relative path: "/" for a folder, else the content
// and the modification time in seconds.
std::map<std::string, std::string> ReadTree(const fs::path& root) {
    std::map<std::string, std::string> tree;
    for (const auto& item : fs::recursive_directory_iterator(root)) {
        std::string& value = tree[fs::relative(item.path(), root).string()];
        if (item.is_directory()) {
            value = "/";
            continue;
        }
        std::ifstream in(item.path(), std::ios::binary);
        value.assign(std::istreambuf_iterator<char>(in), {});
        const auto time = std::chrono::file_clock::to_sys(item.last_write_time());
        value +=
            "@" + std::to_string(
                      std::chrono::floor<std::chrono::seconds>(time).time_since_epoch().count());
    }
    return tree;
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
    const std::map<std::string, std::string> expected = ReadTree(project);

    EXPECT_NE(RunReader("isovfy " + image).find("No errors found"), std::string::npos);
    const std::string info = RunReader("isoinfo -d -i " + image);
    for (const char* line : {"Volume id: VELQUOR_PRUFUNG\n", "Volume size is: 207\n",
                             "Joliet with UCS level 3 found\n"}) {
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
    const std::string joliet =
        RunReader("xorriso -read_fs norock -indev " + image + " -find / -exec lsdl --");
    const std::string sevenZip = RunReader("7zz l " + image);
    for (const auto& [path, value] : expected) {
        EXPECT_NE(joliet.find(" '/" + path + "'\n"), std::string::npos) << path << joliet;
        EXPECT_NE(sevenZip.find("  " + path + "\n"), std::string::npos) << path << sevenZip;
    }
    const fs::path byOsirrox = work / "osirrox";
    const fs::path by7zz = work / "7zz";
    RunReader("osirrox -read_fs norock -indev " + image + " -extract / " + byOsirrox.string());
    RunReader("7zz x -o" + by7zz.string() + " " + image);
    EXPECT_EQ(ReadTree(byOsirrox), expected);
    EXPECT_EQ(ReadTree(by7zz), expected);
}

}  // namespace
}  // namespace velquor
