#include "autorun/save_autostart.h"

#include <gtest/gtest.h>

#include "support/autorun_header.h"
#include "support/fixed_clock.h"
#include "support/projects.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder_win.h"
#include "util/win32_error_win.h"

namespace velquor {
namespace {

using testing::FixedClock;
using testing::kAutorunHeaderOf14May2004;
using testing::ListNames;
using testing::ProjectAt;
using testing::ReadBytes;
using testing::ScriptedPrompts;
using testing::TempFolder;
using testing::WriteBytes;

ProjectSettings ProjectIn(const std::wstring& root) {
    ProjectSettings s;
    s.projectRoot = root;
    s.slots[kRootSlot] = root;
    s.slots[kTargetSlot] = root + L"Start\\Index.htm";
    s.labels[2] = L"Lies mich";
    s.slots[4] = root + L"liesmich.txt";
    SetDefaultIcon(s);
    return s;
}

// Makes a folder the process's current folder and restores the previous one at the end.
class CurrentFolderSwitch {
  public:
    explicit CurrentFolderSwitch(const std::wstring& folder) {
        previous_.resize(GetCurrentDirectoryW(0, nullptr));
        previous_.resize(
            GetCurrentDirectoryW(static_cast<DWORD>(previous_.size()), previous_.data()));
        EXPECT_TRUE(SetCurrentDirectoryW(folder.c_str()));
    }
    ~CurrentFolderSwitch() { SetCurrentDirectoryW(previous_.c_str()); }
    CurrentFolderSwitch(const CurrentFolderSwitch&) = delete;
    CurrentFolderSwitch& operator=(const CurrentFolderSwitch&) = delete;

  private:
    std::wstring previous_;
};

TEST(SaveAutostartTest, WritesTheFileInTheAnsiCodePage) {
    TempFolder root;
    WriteBytes(root / L"AutoRun.Inf", std::string(9000, 'x'));
    SetFileAttributesW((root / L"AutoRun.Inf").c_str(), FILE_ATTRIBUTE_READONLY);
    const ProjectSettings s = ProjectIn(root.Path());
    TempFolder program;
    WriteBytes(program / L"Orbeno.Exe", "MZ launcher");
    // A launcher that came read-only from an installation medium must not pass that on.
    SetFileAttributesW((program / L"Orbeno.Exe").c_str(), FILE_ATTRIBUTE_READONLY);
    ScriptedPrompts prompts;
    prompts.AnswerMessage(kAnswerNo);
    FixedClock clock(L"14.05.2004 09:30:15", L"2004");

    EXPECT_EQ(SaveAutostart(s, program.Path(), prompts, clock), SaveOutcome::Saved);
    ASSERT_EQ(prompts.Calls().size(), 1u);
    EXPECT_EQ(prompts.Calls()[0].text, kClosingQuestion);

    // One byte per character in code page 1252, no byte-order mark, no terminator.
    EXPECT_EQ(ReadBytes(root / L"AutoRun.Inf"),
              std::string(kAutorunHeaderOf14May2004) +
                  "[autorun]\r\n"
                  "open = Orbeno.Exe \"Start\\Index.htm\"\r\n"
                  "icon = Orbeno.Exe\r\n"
                  "shell\\2 = &Lies mich\r\n"
                  "shell\\2\\command = Orbeno.Exe \"liesmich.txt\"\r\n"
                  "shell\\zq = &\xDC"
                  "ber Orbeno ...\r\n"
                  "shell\\zq\\command = Orbeno.Exe\r\n");
    EXPECT_EQ(GetFileAttributesW((root / L"AutoRun.Inf").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(ReadBytes(root / L"Orbeno.Exe"), "MZ launcher");
    EXPECT_EQ(GetFileAttributesW((root / L"Orbeno.Exe").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(ListNames(root.Path()), L"AutoRun.Inf|Orbeno.Exe");
    SetFileAttributesW((program / L"Orbeno.Exe").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(SaveAutostartTest, WithoutRootOrTargetNothingIsWrittenAndNothingSaid) {
    struct Case {
        const char* name;
        ProjectSettings (*settingsFor)(const std::wstring& root);
    };
    // An empty root would put the file into the current folder, a missing target would give
    // it the open line `Orbeno.Exe "(Bitte wählen ...)"`.
    const Case cases[] = {
        {"fresh project", [](const std::wstring&) { return ProjectSettings(); }},
        {"root without target", [](const std::wstring& root) { return ProjectAt(root); }},
        {"target without root",
         [](const std::wstring&) {
             ProjectSettings s;
             s.slots[kTargetSlot] = L"Start\\Index.htm";
             return s;
         }},
    };
    for (const Case& c : cases) {
        TempFolder current;
        TempFolder root;
        const CurrentFolderSwitch inCurrent(current.Path());
        ScriptedPrompts prompts;
        FixedClock clock(L"x", L"2004");
        EXPECT_EQ(SaveAutostart(c.settingsFor(root.Path()), root.Path(), prompts, clock),
                  SaveOutcome::NotReady)
            << c.name;
        EXPECT_TRUE(prompts.Calls().empty()) << c.name;
        EXPECT_EQ(ListNames(current.Path()), L"") << c.name;
        EXPECT_EQ(ListNames(root.Path()), L"") << c.name;
    }
}

TEST(SaveAutostartTest, IncompleteRowsStopBeforeAnythingIsWritten) {
    TempFolder root;
    ProjectSettings s = ProjectIn(root.Path());
    s.labels[0] = L"Handbuch";  // no path for row 0
    ScriptedPrompts prompts;
    prompts.AnswerMessage(kAnswerOk);
    FixedClock clock(L"x", L"2004");

    EXPECT_EQ(SaveAutostart(s, root.Path(), prompts, clock), SaveOutcome::Stopped);
    ASSERT_EQ(prompts.Calls().size(), 1u);
    EXPECT_EQ(prompts.Calls()[0].text, kIncompleteRowsMessage);
    EXPECT_EQ(clock.dateTimeReads, 0);
    EXPECT_EQ(ListNames(root.Path()), L"");
}

TEST(SaveAutostartTest, RemovedRootShowsTheWriteFailureWithPathAndError) {
    std::wstring gone;
    {
        TempFolder root;
        gone = root.Path();
    }
    const ProjectSettings s = ProjectIn(gone);
    ScriptedPrompts prompts;
    prompts.AnswerMessage(kAnswerOk);
    FixedClock clock(L"x", L"2004");

    EXPECT_EQ(SaveAutostart(s, gone, prompts, clock), SaveOutcome::Stopped);
    ASSERT_EQ(prompts.Calls().size(), 1u);
    EXPECT_EQ(prompts.Calls()[0].style, 16);
    const std::wstring error = DescribeError(Win32Error(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(prompts.Calls()[0].text,
              L"Die CD-Autostart-Einstellungen konnten nicht gespeichert werden. Beim Schreiben "
              L"der Datei\r\r    " +
                  gone + L"AutoRun.Inf\r\rkam es zu folgendem Fehler:\r\r    " + error);
    EXPECT_NE(error.find(L" (Code 3)"), std::wstring::npos);
    EXPECT_EQ(GetFileAttributesW(gone.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace velquor
