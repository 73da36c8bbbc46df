// velquor-abbild.exe as a script runs it: under Wine, started from Linux, where Debian's ISO
// readers check what it wrote. VELQUOR_IMAGE_TOOL holds the command that starts it (the
// windows tree's ctest sets it); without it the tests skip.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/mount.h>

#include <cstring>

#include "support/disc_readers.h"
#include "support/udf_tag_reader.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;
using namespace testing;

std::string WindowsPath(const fs::path& path) {
    std::string text = "Z:" + path.string();
    std::replace(text.begin(), text.end(), '/', '\\');
    return "'" + text + "'";
}

// The output and, in its last line, "exit N". The readers check the project's times in UTC:
// running in Berlin's summer time proves the offset the image records.
std::string RunTool(const std::string& arguments) {
    return RunReader("(TZ=Europe/Berlin " + std::string(std::getenv("VELQUOR_IMAGE_TOOL")) + " " +
                     arguments + " 2>&1; echo exit $?)");
}

class ImageToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::getenv("VELQUOR_IMAGE_TOOL") == nullptr) {
            GTEST_SKIP() << "VELQUOR_IMAGE_TOOL unset: the windows tree's ctest runs these";
        }
        fs::remove_all(work_);
        fs::create_directories(work_);
    }
    const fs::path work_ = fs::temp_directory_path() / "velquor-image-tool-test";
};

TEST_F(ImageToolTest, WritesAnImageTheDebianReadersRead) {
    if (!HaveReaders()) {
        GTEST_SKIP() << "a Debian reader missing (tools/install-deps.sh installs them)";
    }
    const fs::path project = work_ / "projekt";
    MakeProject(project);
    const std::string run = RunTool(WindowsPath(project) + " " + WindowsPath(work_ / "p.iso"));
    ASSERT_TRUE(run.ends_with("exit 0\n")) << run;
    ExpectReadersSeeProject((work_ / "p.iso").string(), project, work_);
    EXPECT_EQ(ReadUdfTags((work_ / "p.iso").string()).problems, std::vector<std::string>{});
    EXPECT_EQ(RunReader("blkid -p -o value -s LABEL " + (work_ / "p.iso").string()), "projekt\n");
}

TEST_F(ImageToolTest, ExitCodeSaysWhatHappened) {
    fs::create_directories(work_ / "gut" / "Daten");
    fs::create_directories(work_ / "schlecht" / std::string(255, 'n'));
    const struct {
        std::string arguments;
        int exitCode;
        const char* says;
        bool writesImage;
    } kCases[] = {
        {"/?", 0, "velquor-abbild <Projektordner> <Abbild.iso>", false},
        {WindowsPath(work_ / "gut") + " " + WindowsPath(work_ / "a.iso") + " /medium:cd650", 0,
         "Warnung: Im Projektordner liegt keine AutoRun.Inf", true},
        {WindowsPath(work_ / "schlecht") + " " + WindowsPath(work_ / "a.iso"), 1, "Fehler: nnnnn",
         false},
        {WindowsPath(work_ / "gut") + " " + WindowsPath(work_ / "gut/Daten/a.iso"), 2,
         "läge im Projektordner", false},
        {WindowsPath(work_ / "fehlt") + " " + WindowsPath(work_ / "a.iso"), 2,
         "wurde nicht gefunden", false},
        {WindowsPath(work_ / "gut") + " " + WindowsPath(work_ / "a.iso") + " /medium:hd-dvd", 2,
         "Unbekanntes Medium „hd-dvd“", false},
    };
    for (const auto& c : kCases) {
        fs::remove(work_ / "a.iso");
        fs::remove(work_ / "gut/Daten/a.iso");
        const std::string run = RunTool(c.arguments);
        EXPECT_TRUE(run.ends_with("exit " + std::to_string(c.exitCode) + "\n")) << run;
        EXPECT_NE(run.find(c.says), std::string::npos) << c.arguments << "\n" << run;
        EXPECT_EQ(fs::exists(work_ / "a.iso"), c.writesImage) << c.arguments;
        EXPECT_FALSE(fs::exists(work_ / "gut/Daten/a.iso"));
    }
}

// The file system fills up half-way through the image: nothing may stay behind on it.
TEST_F(ImageToolTest, FullFileSystemLeavesNeitherImageNorTemporaryFile) {
    const fs::path small = work_ / "klein";
    fs::create_directories(small);
    if (mount("tmpfs", small.c_str(), "tmpfs", 0, "size=256k") != 0) {
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root): " << std::strerror(errno);
    }
    const fs::path project = work_ / "projekt";
    MakeProject(project);
    const std::string run = RunTool(WindowsPath(project) + " " + WindowsPath(small / "p.iso"));
    const bool empty = fs::is_empty(small);
    umount(small.c_str());
    EXPECT_TRUE(run.ends_with("exit 2\n")) << run;
    EXPECT_NE(run.find("Das Abbild wurde nicht geschrieben"), std::string::npos) << run;
    EXPECT_TRUE(empty);
}

// `make test-large`: a file of 4,500,000,000 bytes into a DVD's image, sparse in the project,
// with marks at its start, around 2 GiB, 4 GiB and the UDF extents' limit and at its end, so
// that any offset cut to 31 or 32 bits or any extent out of step shows. ISO 9660 cannot hold it:
// it is in the UDF tree only, and the ISO tree stays sound without it.
TEST_F(ImageToolTest, DISABLED_FileOf4500000000Bytes) {
    const fs::path project = work_ / "gross";
    fs::create_directories(project);
    const fs::path big = project / "gross.bin";
    constexpr std::uint64_t kSize = 4'500'000'000;
    fs::resize_file((std::ofstream(big), big), kSize);
    {
        std::fstream marks(big, std::ios::in | std::ios::out | std::ios::binary);
        for (const std::uint64_t at :
             {std::uint64_t{0}, (std::uint64_t{2} << 30) - 3, std::uint64_t{0x3FFFF800} - 2,
              std::uint64_t{0x7FFFF000} - 2, (std::uint64_t{4} << 30) - 3, kSize - 5}) {
            marks.seekp(static_cast<std::streamoff>(at)) << "mark";
        }
    }
    const std::string run =
        RunTool(WindowsPath(project) + " " + WindowsPath(work_ / "g.iso") + " /medium:dvd");
    ASSERT_TRUE(run.ends_with("exit 0\n")) << run;
    EXPECT_NE(run.find("Warnung: gross.bin"), std::string::npos) << run;
    const std::string image = (work_ / "g.iso").string();
    EXPECT_NE(RunReader("isovfy " + image).find("No errors found"), std::string::npos);
    EXPECT_EQ(RunReader("isoinfo -J -f -i " + image), "");
    EXPECT_EQ(ReadUdfTags(image).problems, std::vector<std::string>{});
    EXPECT_NE(RunReader("7zz l -tudf " + image).find(" 4500000000 "), std::string::npos);
    const std::string copy = (work_ / "x.bin").string();
    RunReader("(7zz e -tudf -so " + image + " gross.bin >" + copy + ")");
    EXPECT_EQ(RunReader("cmp " + big.string() + " " + copy), "");
    fs::remove_all(work_);
}

}  // namespace
}  // namespace velquor
#endif
