// "&OK" through the real main window when the project root fails it: the exact message, and
// afterwards each of the three files either missing, whole and old, or whole and new; never a
// temporary file. The small volume is a tmpfs of 64 KiB that tests/win/small_volume.sh mounts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "main_window_fixture.h"
#include "support/autorun_header.h"
#include "support/library_pictures_win.h"
#include "support/modal_dialog_driver_win.h"
#include "support/temp_folder_win.h"
#include "util/unique_handle_win.h"
#include "util/win32_error_win.h"

namespace velquor::testing {
namespace {

enum class Content { Missing, Old, New };
enum class Step { None, AutorunFile, Launcher };

struct Fault {
    const char* name;
    std::function<UniqueFile(const std::wstring& root)> apply;  // before "&OK"; may hold a file
    Step failingStep;
    DWORD error;
    Content autorunFile, launcher, icon;
};

UniqueFile HoldOpen(const std::wstring& path) {
    return UniqueFile(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Fills the volume of `folder` up to `leaveFree` bytes with a file beside it.
UniqueFile FillVolumeOf(const std::wstring& folder, ULONGLONG leaveFree) {
    ULARGE_INTEGER free{};
    GetDiskFreeSpaceExW(folder.c_str(), &free, nullptr, nullptr);
    WriteBytes(folder + L"..\\filler", std::string(free.QuadPart - leaveFree, 'f'));
    return {};
}

// The small volume as a Windows path ending in a backslash, or empty when none is mounted.
std::wstring SmallVolume() {
    const char* unixPath = std::getenv("VELQUOR_SMALL_VOLUME");
    std::wstring path =
        unixPath ? L"Z:" + std::wstring(unixPath, unixPath + strlen(unixPath)) : L"";
    std::replace(path.begin(), path.end(), L'/', L'\\');
    ULARGE_INTEGER total{};
    const bool small = !path.empty() &&
                       GetDiskFreeSpaceExW((path + L"\\").c_str(), nullptr, &total, nullptr) &&
                       total.QuadPart <= 64 * 1024;
    return small ? path + L"\\" : L"";
}

class SaveFaultsTest : public MainWindowTest {
  protected:
    // Picks `root` (ending in a backslash) with a target and the first library icon over the old
    // files, applies the fault, saves and checks what is left.
    void SaveWithFault(const std::wstring& root, const Fault& fault) {
        SCOPED_TRACE(fault.name);
        ASSERT_TRUE(CreateDirectoryW(root.c_str(), nullptr));
        const std::string old[] = {"alte Autostart-Datei", "alter Starter", "altes Icon"};
        const std::wstring names[] = {L"AutoRun.Inf", L"Orbeno.Exe", L"AutoRun.Ico"};
        for (int i = 0; i < 3; ++i) {
            WriteBytes(root + names[i], old[i]);
        }
        // Nothing to take from the old file: one note.
        prompts.AnswerFolder(root.substr(0, root.size() - 1)).AnswerMessage(kAnswerOk);
        Click(kRootPickButton);
        prompts.AnswerDocument(root + L"Start\\Index.htm");
        Click(kTargetPickButton);
        {
            ModalDialogDriver driver(
                [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); });
            Click(kLibraryButton);
        }
        ASSERT_EQ(Slot(kTargetSlot), root + L"Start\\Index.htm");
        prompts.Clear();
        prompts.AnswerMessage(fault.failingStep == Step::None ? kAnswerNo : kAnswerOk);
        {
            const UniqueFile held = fault.apply(root);
            Click(kOkButton);
        }

        const std::wstring error = DescribeError(Win32Error(fault.error));
        const std::wstring expectedMessage[] = {
            L"Die CD-Autostart-Einstellungen wurden erfolgreich vorgenommen. Sie können jetzt mit "
            L"dem Testen bzw. dem Brennen Ihres CD-Projekts beginnen.\r\rMöchten Sie Velquor "
            L"jetzt beenden?",
            L"Die CD-Autostart-Einstellungen konnten nicht gespeichert werden. Beim Schreiben der "
            L"Datei\r\r    " +
                root + L"AutoRun.Inf\r\rkam es zu folgendem Fehler:\r\r    " + error,
            L"Die für einen korrekten CD-Autostart notwendige Datei Orbeno.Exe ließ sich nicht "
            L"von\r\r    " +
                ProgramFolder() + L"Orbeno.Exe\r\rnach\r\r    " + root +
                L"Orbeno.Exe\r\rkopieren. Es kam dabei zu folgendem Fehler:\r\r    " + error};
        ASSERT_EQ(prompts.Messages().size(), 1u);
        EXPECT_EQ(prompts.Messages()[0].text, expectedMessage[static_cast<int>(fault.failingStep)]);

        const std::string fresh[] = {
            std::string(kAutorunHeaderOf14May2004) +
                "[autorun]\r\nopen = Orbeno.Exe \"Start\\Index.htm\"\r\nicon = AutoRun.Ico\r\n"
                "shell\\zq = &\xDC"
                "ber Orbeno ...\r\nshell\\zq\\command = Orbeno.Exe\r\n",
            ReadBytes(ProgramFolder() + L"Orbeno.Exe"), ReadBytes(LibrarySourceFile(1))};
        const Content expected[] = {fault.autorunFile, fault.launcher, fault.icon};
        std::wstring expectedNames;
        for (int i : {2, 0, 1}) {  // in the order of the listing
            const std::string want = expected[i] == Content::Missing ? "<missing>"
                                     : expected[i] == Content::Old   ? old[i]
                                                                     : fresh[i];
            EXPECT_EQ(ReadBytes(root + names[i]), want) << names[i];
            if (expected[i] != Content::Missing) {
                expectedNames += (expectedNames.empty() ? L"" : L"|") + names[i];
            }
        }
        EXPECT_EQ(ListNames(root), expectedNames);  // no temporary file
    }
};

TEST_F(SaveFaultsTest, EachFaultGivesItsMessageAndLeavesEveryFileOldOrNewAndWhole) {
    TempFolder base;
    // 248 characters with the backslash: the longest root the picker takes.
    const std::wstring longest = base.Path() + std::wstring(247 - base.Path().size(), L'x') + L"\\";
    ASSERT_EQ(longest.size(), 248u);
    using enum Content;
    const Fault faults[] = {
        {"root removed after it was chosen",
         [](const std::wstring& root) {
             RemoveTree(root);
             return UniqueFile();
         },
         Step::AutorunFile, ERROR_PATH_NOT_FOUND, Missing, Missing, Missing},
        // A folder's read-only attribute does not keep files out of it, on Windows as in Wine.
        {"root read-only",
         [](const std::wstring& root) {
             EXPECT_TRUE(SetFileAttributesW(root.c_str(), FILE_ATTRIBUTE_READONLY));
             return UniqueFile();
         },
         Step::None, 0, New, New, New},
        {"AutoRun.Inf held open without sharing",
         [](const std::wstring& root) { return HoldOpen(root + L"AutoRun.Inf"); },
         Step::AutorunFile, ERROR_ACCESS_DENIED, Old, Old, Old},
        {"Orbeno.Exe read-only and held open",
         [](const std::wstring& root) {
             SetFileAttributesW((root + L"Orbeno.Exe").c_str(), FILE_ATTRIBUTE_READONLY);
             return HoldOpen(root + L"Orbeno.Exe");
         },
         Step::Launcher, ERROR_ACCESS_DENIED, New, Old, Old},
        {"root at the path limit", [](const std::wstring&) { return UniqueFile(); }, Step::None, 0,
         New, New, New},
    };
    for (std::size_t i = 0; i < std::size(faults); ++i) {
        SaveWithFault(i == 4 ? longest : base / (L"CD-" + std::to_wstring(i) + L"\\"), faults[i]);
    }
    // The launcher kept its read-only attribute through the failed replace.
    EXPECT_NE(GetFileAttributesW((base / L"CD-3\\Orbeno.Exe").c_str()) & FILE_ATTRIBUTE_READONLY,
              0u);
}

TEST_F(SaveFaultsTest, AFullFileSystemStopsTheSaveAndKeepsTheOldFiles) {
    const std::wstring volume = SmallVolume();
    if (volume.empty()) {
        GTEST_SKIP() << "no 64 KiB tmpfs at VELQUOR_SMALL_VOLUME: mounting one needs root (see "
                        "tests/win/small_volume.sh); the partial write itself is covered by "
                        "WriteInChunksTest";
    }
    using enum Content;
    const Fault faults[] = {
        {"full before AutoRun.Inf", [](const std::wstring& root) { return FillVolumeOf(root, 0); },
         Step::AutorunFile, ERROR_DISK_FULL, Old, Old, Old},
        // Room for the new AutoRun.Inf beside the old one, not for the launcher.
        {"full during the launcher's copy",
         [](const std::wstring& root) { return FillVolumeOf(root, 8192); }, Step::Launcher,
         ERROR_DISK_FULL, New, Old, Old},
    };
    for (const Fault& fault : faults) {
        SaveWithFault(volume + L"CD\\", fault);
        RemoveTree(volume + L"CD\\");
        DeleteFileW((volume + L"filler").c_str());
    }
}

}  // namespace
}  // namespace velquor::testing
