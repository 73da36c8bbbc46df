#include <gtest/gtest.h>

#include <string>

#include "support/temp_folder_win.h"
#include "util/file_services.h"
#include "util/run_time_error.h"
#include "util/text_template.h"
#include "util/win32_error_win.h"
#include "util/win32_prompts_win.h"

namespace velquor {
namespace {

using namespace std::string_literals;
using testing::ListNames;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// Volume and file index: the same for a file rewritten in place, new for a file that replaced
// it.
struct FileIdentity {
    bool known = false;
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;

    bool operator==(const FileIdentity&) const = default;
};

FileIdentity IdentityOf(const std::wstring& path) {
    FileIdentity identity;
    HANDLE file =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return identity;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(file, &info)) {
        identity = {true, info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    }
    CloseHandle(file);
    return identity;
}

TEST(DescribeErrorTest, UsesTheSystemDescriptionAndTheCode) {
    const RunTimeError error = Win32Error(ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(error.Number(), 3u);
    EXPECT_FALSE(error.Description().empty());
    EXPECT_NE(error.Description().back(), L'\n');
    EXPECT_EQ(DescribeError(error), error.Description() + L" (Code 3)");
    EXPECT_EQ(DescribeError(RunTimeError(L"D", 61)), L"D (Code 61)");
}

// The text of error 193 has "%1" where the program's name belongs; the name stands there as it is.
TEST(DescribeErrorTest, NamesTheObjectWhereTheSystemTextHasAnInsert) {
    const std::wstring text = Win32Error(ERROR_BAD_EXE_FORMAT).Description();
    ASSERT_NE(text.find(L"%1"), std::wstring::npos) << text;
    for (const std::wstring name : {L"C:\\CD\\Kaputt.exe", L"C:\\CD\\100%2.exe"}) {
        const std::wstring expected = ReplaceAll(text, L"%1", name) + L" (Code 193)";
        EXPECT_EQ(DescribeError(Win32Error(ERROR_BAD_EXE_FORMAT), name), expected);
        EXPECT_EQ(ShellFailureReason(name, 0, ERROR_BAD_EXE_FORMAT), expected);
    }
}

TEST(WriteTextFileTest, ReplacesReadOnlyHiddenAndSystemFilesWithANewFileOfTheNewContent) {
    TempFolder dir;
    struct Case {
        const wchar_t* name;
        DWORD attributes;
    };
    // Dot files are what this platform reports as hidden.
    const Case cases[] = {{L"plain.inf", FILE_ATTRIBUTE_NORMAL},
                          {L"readonly.inf", FILE_ATTRIBUTE_READONLY},
                          {L".hidden.inf", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY},
                          {L"system.inf", FILE_ATTRIBUTE_SYSTEM}};
    for (const Case& c : cases) {
        const std::wstring path = dir / c.name;
        WriteBytes(path, std::string(5000, 'x'));
        SetFileAttributesW(path.c_str(), c.attributes);
        const FileIdentity before = IdentityOf(path);
        ASSERT_TRUE(before.known);

        WriteTextFile(path, L"neu\r\nÄÖÜ äöü ß\r\n");
        EXPECT_EQ(ReadBytes(path), "neu\r\n\xC4\xD6\xDC \xE4\xF6\xFC \xDF\r\n");
        const DWORD after = GetFileAttributesW(path.c_str());
        EXPECT_EQ(after & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM), 0u);
        // A file written in place would keep its identity; a half-written one could then be
        // all that is left of the old file.
        EXPECT_NE(IdentityOf(path), before) << "written in place";
    }
    EXPECT_EQ(ListNames(dir.Path()), L".hidden.inf|plain.inf|readonly.inf|system.inf");
}

TEST(WriteTextFileTest, CreatesNewAndEmptyFiles) {
    TempFolder dir;
    WriteTextFile(dir / L"a.txt", L"eins");
    EXPECT_EQ(ReadBytes(dir / L"a.txt"), "eins");
    WriteTextFile(dir / L"a.txt", L"");
    EXPECT_EQ(ReadBytes(dir / L"a.txt"), "");
    EXPECT_EQ(ListNames(dir.Path()), L"a.txt");
}

TEST(WriteTextFileTest, MissingFolderFailsWithThePathErrorAndCreatesNothing) {
    TempFolder dir;
    try {
        WriteTextFile(dir / L"fehlt\\AutoRun.Inf", L"x");
        FAIL() << "no error";
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.Number(), static_cast<unsigned long>(ERROR_PATH_NOT_FOUND));
    }
    EXPECT_EQ(ListNames(dir.Path()), L"");
}

TEST(WriteTextFileTest, FailureKeepsTheOldContentAndLeavesNoTemporaryFile) {
    TempFolder dir;
    const std::wstring path = dir / L"AutoRun.Inf";
    WriteBytes(path, "alter Inhalt");
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    // Held open without sharing, so it cannot be replaced.
    HANDLE lock = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_THROW(WriteTextFile(path, L"neuer Inhalt"), RunTimeError);
    CloseHandle(lock);
    EXPECT_EQ(ReadBytes(path), "alter Inhalt");
    EXPECT_EQ(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY,
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(ListNames(dir.Path()), L"AutoRun.Inf");
}

// The temporary name is no longer than the final names, so a root that leaves room for
// "AutoRun.Inf" under the path limit leaves room for it too. Names in use are someone else's:
// skipped, never overwritten or removed.
TEST(WriteTextFileTest, TemporaryNamesInUseAreSkippedAndLeftAlone) {
    EXPECT_EQ(TemporaryFileName(0), L"~vq0000.tmp");
    EXPECT_EQ(TemporaryFileName(0xBEEF), L"~vqBEEF.tmp");
    EXPECT_EQ(TemporaryFileName(0x1002A), L"~vq002A.tmp");
    TempFolder dir;
    WriteBytes(dir / L"~vq0000.tmp", "fremd 0");
    WriteBytes(dir / L"~vq0001.tmp", "fremd 1");
    WriteTextFile(dir / L"AutoRun.Inf", L"neu");
    CopyFileReplacing(dir / L"AutoRun.Inf", dir / L"Orbeno.Exe");
    EXPECT_EQ(ReadBytes(dir / L"Orbeno.Exe"), "neu");
    EXPECT_EQ(ReadBytes(dir / L"~vq0000.tmp"), "fremd 0");
    EXPECT_EQ(ReadBytes(dir / L"~vq0001.tmp"), "fremd 1");
    EXPECT_EQ(ListNames(dir.Path()), L"AutoRun.Inf|Orbeno.Exe|~vq0000.tmp|~vq0001.tmp");
}

TEST(WriteTextFileTest, TextTheCodePageCannotHoldIsWrittenAsUtf16WithBom) {
    TempFolder dir;
    const std::wstring path = dir / L"AutoRun.Inf";
    // Greek and a character outside the basic plane; the a-umlaut alone would fit.
    WriteTextFile(path, L"Ω ä\U0001F4BF\r\n");
    EXPECT_EQ(ReadBytes(path), "\xFF\xFE\xA9\x03 \0\xE4\0\x3D\xD8\xBF\xDC\r\0\n\0"s);
}

TEST(EncodeTextFileTest, UsesTheCodePageOnlyWhenItHoldsEveryCharacterExactly) {
    struct Case {
        const char* name;
        std::wstring text;
        unsigned codePage;
        std::string bytes;
    };
    const std::string bom = "\xFF\xFE";
    const Case cases[] = {
        {"empty", L"", 1252, ""},
        {"Western", L"Über\r\n", 1252, "\xDC"s + "ber\r\n"},
        {"best fit only", L"\u0100", 1252, bom + "\x00\x01"s},  // A with macron
        {"no byte at all", L"a漢", 1252, bom + "a\0\x22\x6F"s},
        {"two bytes a character", L"漢字", 932, "\x8A\xBF\x8E\x9A"},
        {"UTF-8", L"Ü 漢 \U0001F4BF", 65001, "\xC3\x9C \xE6\xBC\xA2 \xF0\x9F\x92\xBF"},
        {"UTF-8 and a lone surrogate", L"a\xD800", 65001, bom + "a\0\x00\xD8"s},
        {"unknown code page", L"ab", 12345, bom + "a\0b\0"s},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeTextFile(c.text, c.codePage), c.bytes) << c.name;
    }
}

TEST(FileExistsTest, SeesPlainFilesOnly) {
    TempFolder dir;
    WriteBytes(dir / L"plain.txt", "x");
    WriteBytes(dir / L"readonly.txt", "x");
    SetFileAttributesW((dir / L"readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteBytes(dir / L".hidden", "x");
    CreateDirectoryW((dir / L"ordner").c_str(), nullptr);
    CreateDirectoryW((dir / L"nur-ordner").c_str(), nullptr);
    WriteBytes(dir / L"nur-ordner\\.versteckt", "x");

    struct Case {
        std::wstring path;
        bool exists;
    };
    const Case cases[] = {
        {L"", false},
        {dir / L"plain.txt", true},
        {dir / L"readonly.txt", true},
        {dir / L".hidden", false},
        {dir / L"ordner", false},
        {dir / L"ordner\\", false},
        {dir / L"fehlt.txt", false},
        {dir / L"fehlt\\plain.txt", false},
        {dir / L"*.txt", true},
        {dir / L"p?ain.*", true},
        {dir / L"nur-ordner\\*", false},  // only a hidden file matches
        {dir / L"*.xyz", false},
        {L"\\\\?\\<>|::", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileExists(c.path), c.exists) << std::string(c.path.begin(), c.path.end());
    }
}

TEST(ShortPathOfTest, GivesTheShortFormOfExistingPathsOnly) {
    TempFolder dir;
    const std::wstring longName = dir / L"Ein langer Ordnername mit Leerzeichen";
    ASSERT_TRUE(CreateDirectoryW(longName.c_str(), nullptr));
    const std::wstring shortForm = ShortPathOf(longName);
    ASSERT_FALSE(shortForm.empty());
    EXPECT_NE(shortForm, longName);
    EXPECT_EQ(shortForm.find(L' '), std::wstring::npos);
    EXPECT_NE(GetFileAttributesW(shortForm.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ShortPathOf(dir / L"gibt es nicht"), L"");
    EXPECT_EQ(ShortPathOf(L""), L"");
}

TEST(ProgramFolderTest, IsTheFolderOfThisTestProgram) {
    const std::wstring folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), L'\\');
    EXPECT_TRUE(FileExists(folder + L"velquor_win_tests.exe"));
}

}  // namespace
}  // namespace velquor
