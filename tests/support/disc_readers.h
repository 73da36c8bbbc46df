// The test project every disc image test writes, and Debian's independent ISO and UDF readers
// run on an image of it: shared by the in-process writer test and the test of velquor-abbild.exe.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <regex>

#include "support/host_disc.h"

#ifdef _WIN32  // under Wine the Debian readers are missing, and the tests skip
#define popen _popen
#define pclose _pclose
#endif

namespace velquor::testing {

namespace fs = std::filesystem;

// Names longer than Joliet's 64 characters (65, 100, 127 in Greek, 200 in Latin-1), which UDF
// holds whole, with the names systems without UDF see.
inline const std::pair<std::wstring, std::string> kLongNames[] = {
    {std::wstring(61, L'a') + L".txt", std::string(58, 'a') + "~1.txt"},
    {std::wstring(96, L'b') + L".txt", std::string(58, 'b') + "~1.txt"},
    {std::wstring(123, L'λ') + L".txt",
     [] {
         std::string name;
         for (int i = 0; i < 58; ++i) {
             name += "λ";
         }
         return name + "~1.txt";
     }()},
    {std::wstring(193, L'c') + L"äöü.txt", std::string(58, 'c') + "~1.txt"}};

// The project: names in three scripts, names of 64 to 200 characters, folders eleven levels deep,
// empty files and folders, names with the same 8.3 form, a file over several chunks, and a
// folder whose Joliet records and UDF file identifiers take more than a sector.
inline const std::map<std::wstring, std::string> kProjectFiles = [] {
    std::map<std::wstring, std::string> files = {
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
    for (const auto& [name, joliet] : kLongNames) {
        files[L"Daten/" + name] = "lang";
    }
    for (int i = 10; i < 32; ++i) {
        files[L"Tief/E2/E3/E4/E5/E6/E7/E8/E9/E10/Protokoll " + std::to_wstring(i) +
              L" der Sitzung im Saal des Rathauses.txt"] = "Sitzung " + std::to_string(i);
    }
    return files;
}();

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
    return std::system(
               "command -v isovfy isoinfo xorriso osirrox 7zz blkid udfinfo udfdump "
               ">/dev/null && /usr/bin/python3 -c 'import pycdlib'") == 0;
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
    if (!fs::exists(root)) {
        return tree;  // the reader extracted nothing
    }
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

// The same without the times, for a reader that keeps none.
inline std::map<std::string, std::string> WithoutTimes(std::map<std::string, std::string> tree) {
    for (auto& [path, value] : tree) {
        value.erase(std::min(value.rfind('@'), value.size()));
    }
    return tree;
}

// What every reader must see in any image of `project`: no error, all three trees with every
// path, and every file and folder extracted byte for byte, with its time where the reader sets
// it (into `work`).
inline void ExpectReadersSeeProject(const std::string& image, const fs::path& project,
                                    const fs::path& work) {
    const std::map<std::string, std::string> expected = ReadTree(project);
    int files = 0;
    for (const auto& [path, value] : expected) {
        files += value != "/";
    }
    const int folders = static_cast<int>(expected.size()) - files + 1;
    std::map<std::string, std::string> joliet = expected;
    for (const auto& [name, jolietName] : kLongNames) {
        const std::string full = "Daten/" + HostPath(name).string();
        if (joliet.contains(full)) {
            joliet["Daten/" + jolietName] = joliet[full];
            joliet.erase(full);
        }
    }
    EXPECT_NE(RunReader("isovfy " + image).find("No errors found"), std::string::npos);
    EXPECT_NE(RunReader("isoinfo -d -i " + image).find("Joliet with UCS level 3 found\n"),
              std::string::npos);
    EXPECT_NE(RunReader("7zz t -tudf " + image).find("\nEverything is Ok\n"), std::string::npos);
    const std::string udfinfo = RunReader("(udfinfo " + image + " 2>/dev/null)");
    EXPECT_EQ(RunReader("(udfinfo " + image + " >/dev/null)"), "");  // nothing on stderr
    EXPECT_FALSE(std::regex_search(udfinfo, std::regex("warn", std::regex::icase))) << udfinfo;
    for (const std::string& line : std::initializer_list<std::string>{
             "numfiles=" + std::to_string(files) + "\n",
             "numdirs=" + std::to_string(folders) + "\n", "udfrev=1.02\n"}) {
        EXPECT_NE(udfinfo.find(line), std::string::npos) << line << udfinfo;
    }
    // Listings of every path: xorriso's of the Joliet tree, 7-Zip's of both trees. udfdump's of
    // the UDF tree names the files only and mangles names beyond ASCII: those are counted.
    const struct {
        std::string listing;
        const char* before;
        const char* after;
        bool filesOnly;
        const std::map<std::string, std::string>& tree;
    } kListings[] = {
        {RunReader("xorriso -read_fs norock -indev " + image + " -find / -exec lsdl --"), " '/",
         "'\n", false, joliet},
        {RunReader("7zz l -tiso " + image), "  ", "\n", false, joliet},
        {RunReader("7zz l -tudf " + image), "  ", "\n", false, expected},
        {RunReader("udfdump -t -b 2048 " + image), "\n:Rootdir/", "\n", true, expected},
    };
    for (const auto& [listing, before, after, filesOnly, tree] : kListings) {
        std::vector<std::string> missing;
        for (const auto& [path, value] : tree) {
            const bool ascii = std::all_of(path.begin(), path.end(),
                                           [](char c) { return static_cast<signed char>(c) >= 0; });
            if ((!filesOnly || (value != "/" && ascii)) &&
                listing.find(before + path + after) == std::string::npos) {
                missing.push_back(path);
            }
        }
        EXPECT_EQ(missing, std::vector<std::string>{}) << listing;
    }
    const std::string& udfdump = kListings[3].listing;
    const std::regex fileLine("\n:Rootdir/");
    EXPECT_EQ(std::distance(std::sregex_iterator(udfdump.begin(), udfdump.end(), fileLine), {}),
              files)
        << udfdump;
    // Extracted: by osirrox and 7-Zip with the times, by pycdlib without.
    const std::string pycdlib =
        "/usr/bin/python3 -c 'import os, posixpath, sys, pycdlib\n"
        "iso = pycdlib.PyCdlib()\n"
        "iso.open(sys.argv[1])\n"
        "for top, folders, files in iso.walk(udf_path=\"/\"):\n"
        "    os.makedirs(sys.argv[2] + top)\n"
        "    for name in files: iso.get_file_from_iso(sys.argv[2] + posixpath.join(top, name),"
        " udf_path=posixpath.join(top, name))\n"
        "print(\"read\")' " +
        image + " ";
    const struct {
        const char* folder;
        std::string command;
        std::string says;
        const std::map<std::string, std::string>& tree;
    } kExtractions[] = {
        {"osirrox", "osirrox -read_fs norock -indev " + image + " -extract / ", "", joliet},
        {"7zz-iso", "7zz x -tiso " + image + " -o", "", joliet},
        {"7zz-udf", "7zz x -tudf " + image + " -o", "", expected},
        {"pycdlib", pycdlib, "read\n", expected},
    };
    for (const auto& [folder, command, says, tree] : kExtractions) {
        const std::string said = RunReader(command + (work / folder).string());
        const std::map<std::string, std::string> extracted = ReadTree(work / folder);
        if (says.empty()) {
            EXPECT_EQ(extracted, tree) << folder;
        } else {
            EXPECT_EQ(said, says) << folder;
            EXPECT_EQ(WithoutTimes(extracted), WithoutTimes(tree)) << folder;
        }
    }
}

}  // namespace velquor::testing
