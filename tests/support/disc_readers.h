// The test project every disc image test writes, and Debian's independent ISO readers run on
// an image of it: shared by the in-process writer test and the test of velquor-abbild.exe.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "support/host_disc.h"

#ifdef _WIN32  // under Wine the Debian readers are missing, and the tests skip
#define popen _popen
#define pclose _pclose
#endif

namespace velquor::testing {

namespace fs = std::filesystem;

// The project: names in three scripts, a name of 64 characters, folders eleven levels deep,
// empty files and folders, two names with the same 8.3 form, a file over several chunks.
inline const std::map<std::wstring, std::string> kProjectFiles = {
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

inline void MakeProject(const fs::path& root) {
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

inline bool HaveReaders() {
    return std::system("command -v isovfy isoinfo xorriso osirrox 7zz blkid >/dev/null") == 0;
}

inline std::string RunReader(const std::string& command) {
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
inline std::map<std::string, std::string> ReadTree(const fs::path& root) {
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

// What every reader must see in any image of `project`: no error, both trees with every path,
// and every file and folder extracted byte for byte with its time (into `work`).
inline void ExpectReadersSeeProject(const std::string& image, const fs::path& project,
                                    const fs::path& work) {
    const std::map<std::string, std::string> expected = ReadTree(project);
    EXPECT_NE(RunReader("isovfy " + image).find("No errors found"), std::string::npos);
    EXPECT_NE(RunReader("isoinfo -d -i " + image).find("Joliet with UCS level 3 found\n"),
              std::string::npos);
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

}  // namespace velquor::testing
