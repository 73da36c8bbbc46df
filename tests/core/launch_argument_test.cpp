// The launcher's command line and path rules: what it opens, and everything it must refuse
// because it could leave the disc's folder or name a device.
#include "launcher/launch_argument.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/hostile_paths.h"

namespace velquor::launcher {
namespace {

TEST(LaunchArgumentTest, ArgumentOfTheRawCommandLine) {
    struct Case {
        const wchar_t* commandLine;
        const wchar_t* argument;
    };
    const Case cases[] = {
        {L"Orbeno.Exe \"Daten\\Preise.xls\"", L"Daten\\Preise.xls"},
        {L"\"D:\\Mein Projekt\\Orbeno.Exe\" \"Daten\\Preise.xls\"", L"Daten\\Preise.xls"},
        {L"\"D:\\Mein Projekt\\Orbeno.Exe\"", L""},
        {L"\"D:\\Mein Projekt\\Orbeno.Exe\"\"liesmich.txt\"", L"liesmich.txt"},
        {L"Orbeno.Exe", L""},
        {L"", L""},
        {L"Orbeno.Exe\t\"a.txt\"\t ", L"a.txt"},
        {L"Orbeno.Exe \"\"", L""},
        {L"Orbeno.Exe \"\\\"", L"\\"},  // the usual argument rules would read a lone quote
        {L"Orbeno.Exe \"Daten\\\"", L"Daten\\"},
        {L"Orbeno.Exe \" Leer \"", L" Leer "},  // inside the quotes nothing is trimmed
        {L"Orbeno.Exe \"a\"b\"", L"a\"b"},
        {L"Orbeno.Exe \"a.txt", L"\"a.txt"},
        {L"Orbeno.Exe \"", L"\""},
        {L"\"Orbeno.Exe a.txt", L""},  // the program name never ends
        {L"Orbeno.Exe \"a.txt\" \"b.txt\"", L"a.txt\" \"b.txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(std::wstring(ArgumentOf(c.commandLine)), c.argument) << c.commandLine;
    }
}

TEST(LaunchArgumentTest, RefusedPaths) {
    struct Case {
        const wchar_t* path;
        PathCheck check;
    };
    const Case cases[] = {
        {L"", PathCheck::Empty},
        {L"\\\\?\\C:\\Windows\\notepad.exe", PathCheck::DevicePath},
        {L"//?/C:/x.txt", PathCheck::DevicePath},
        {L"\\??\\C:\\x.txt", PathCheck::DevicePath},
        {L"\\Windows\\notepad.exe", PathCheck::Rooted},
        {L"\\\\server\\share\\x.txt", PathCheck::Rooted},
        {L"\\\\", PathCheck::Rooted},
        {L"C:\\Windows\\notepad.exe", PathCheck::Colon},
        {L"Daten\\a.txt:stream", PathCheck::Colon},
        {L"Daten\\*.txt", PathCheck::InvalidCharacter},
        {L"a\"b", PathCheck::InvalidCharacter},
        {L"a\tb", PathCheck::InvalidCharacter},
        {L"Daten\\nul.txt", PathCheck::DeviceName},
        {L"Daten\\Com1", PathCheck::DeviceName},
        {L"lpt9.tar.gz", PathCheck::DeviceName},
        {L"a/CONOUT$.txt", PathCheck::DeviceName},
        {L"PRN.", PathCheck::DeviceName},
        {L"nul  .txt", PathCheck::DeviceName},
        {L"Daten\\NUL \\x", PathCheck::DeviceName},
        {L"COM\u00B9", PathCheck::DeviceName},
        {L"...", PathCheck::DotsOnlyName},
        {L"Daten\\.. \\x", PathCheck::DotsOnlyName},
        {L" \\x.txt", PathCheck::DotsOnlyName},
        {L"..\\outside.cmd", PathCheck::ClimbsOut},
        {L"../outside.cmd", PathCheck::ClimbsOut},
        {L"Daten\\..\\..\\x.txt", PathCheck::ClimbsOut},
        {L"Daten\\.\\..\\.\\..\\x.txt", PathCheck::ClimbsOut},
        {L"Daten\\\\..\\..\\x.txt", PathCheck::ClimbsOut},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckRelativePath(c.path), c.check) << c.path;
        EXPECT_FALSE(RefusalReason(c.check).empty()) << c.path;
    }
}

TEST(LaunchArgumentTest, AcceptedPaths) {
    const wchar_t* const accepted[] = {
        L"\\",
        L"Daten\\Preise.xls",
        L"Daten\\",
        L"Daten/Preise.xls",
        L"Mein Ordner\\Lies mich.txt",
        L"a\\..\\b.txt",  // `..` that stays inside the folder
        L"Daten\\..\\",
        L"Daten\\Preise.xls.",  // Windows drops the trailing dot
        L".profile",
        L"Konsole\\console.txt",
        L"nullwert.txt",
        L"COM10",
        L"com1x.txt",
        L"auxiliary\\x",
        L"Prospekt für Ärzte.pdf",
    };
    for (const wchar_t* path : accepted) {
        EXPECT_EQ(CheckRelativePath(path), PathCheck::Accepted) << path;
    }
    EXPECT_TRUE(NamesTheFolderItself(L"\\"));
    EXPECT_FALSE(NamesTheFolderItself(L"/"));
    EXPECT_TRUE(RefusalReason(PathCheck::Accepted).empty());
}

TEST(LaunchArgumentTest, LiesInFolder) {
    struct Case {
        const wchar_t* folder;
        const wchar_t* fullPath;
        bool inside;
    };
    const Case cases[] = {
        {L"D:\\CD\\", L"D:\\CD\\Daten\\Preise.xls", true},
        {L"D:\\CD\\", L"d:\\cd\\daten\\preise.xls", true},
        {L"D:\\Ärzte\\", L"D:\\äRZTE\\x.txt", true},  // beyond ASCII, as Windows compares
        {L"D:\\CD\\", L"D:\\CD", true},
        {L"D:\\CD\\", L"D:\\CD2\\x.txt", false},
        {L"D:\\CD\\", L"D:\\", false},
        {L"D:\\CD\\", L"C:\\CD\\x.txt", false},
        {L"D:\\", L"D:\\x.txt", true},
        {L"D:\\", L"D:\\", true},
        {L"D:\\", L"D:", false},  // the current folder of drive D, not its root
        {L"\\\\server\\share\\", L"\\\\server\\share2\\x.txt", false},
        {L"D:\\CD", L"D:\\CD\\x.txt", false},  // a folder without its backslash is no folder
        {L"", L"D:\\x.txt", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LiesInFolder(c.folder, c.fullPath), c.inside) << c.folder << " " << c.fullPath;
    }
}

// Generated command lines: whatever the rules accept ends inside the folder, by an oracle of its
// own that errs on the strict side.
TEST(LaunchArgumentTest, NoGeneratedArgumentLeadingOutOfTheFolderIsAccepted) {
    int accepted = 0;
    for (const std::wstring& path : testing::HostilePaths(20261208, 12000)) {
        const std::wstring commandLine = L"Orbeno.Exe \"" + path + L"\"";
        const std::wstring_view argument = ArgumentOf(commandLine);
        if (!argument.empty() && CheckRelativePath(argument) == PathCheck::Accepted) {
            ++accepted;
            EXPECT_TRUE(testing::DepthInside(std::wstring(argument))) << commandLine;
        }
    }
    std::printf("12000 generated arguments, %d accepted\n", accepted);
    EXPECT_GT(accepted, 500);  // enough for the oracle to mean something
}

TEST(LaunchArgumentTest, FixedTextCutsWhatDoesNotFitAndStaysTerminated) {
    FixedText<6> text;
    text.Append(L"ab").AppendNumber(0);
    EXPECT_EQ(std::wstring(text.View()), L"ab0");
    EXPECT_FALSE(text.Cut());
    text.Append(L"cdef");
    EXPECT_EQ(std::wstring(text.View()), L"ab0cd");
    EXPECT_EQ(std::wstring(text.CStr()), L"ab0cd");
    EXPECT_TRUE(text.Cut());
    text.Append(L"g");
    EXPECT_EQ(std::wstring(text.CStr()), L"ab0cd");

    FixedText<32> number;
    number.AppendNumber(4294967295ul).Append(L" ").AppendNumber(1223);
    EXPECT_EQ(std::wstring(number.View()), L"4294967295 1223");
}

}  // namespace
}  // namespace velquor::launcher
