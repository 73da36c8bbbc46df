// "&OK" through the real main window: the files a save leaves in the project root, each failure
// of the launcher and icon steps with its message, and the closing question.
#include <gtest/gtest.h>

#include <string>

#include "main_window_fixture.h"
#include "support/autorun_header.h"
#include "support/library_dialog_win.h"
#include "support/library_pictures_win.h"
#include "support/modal_dialog_driver_win.h"
#include "support/temp_folder_win.h"
#include "util/file_services.h"
#include "util/text_helpers.h"
#include "util/unique_handle_win.h"
#include "util/win32_error_win.h"

namespace velquor::testing {
namespace {

// Another process's handle on a file, as a virus scanner or a viewer may hold it.
UniqueFile HoldOpen(const std::wstring& path) {
    return UniqueFile(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

class MainWindowSaveTest : public MainWindowTest {
  protected:
    void SetUpProject() {
        ChooseRoot(root.Path().substr(0, root.Path().size() - 1));
        prompts.AnswerDocument(root / L"Start\\Index.htm");
        Click(kTargetPickButton);
    }
    // Picks a library entry through the real dialog.
    void ChooseLibraryEntry(int entry) {
        ModalDialogDriver driver([entry](HWND dialog) {
            SelectLibraryItem(dialog, entry - 1);
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        });
        Click(kLibraryButton);
        ASSERT_EQ(window.ShownPreview(), (IconPreview{PreviewKind::LibraryEntry, entry}));
        // The entry's own picture, not a neighbour's.
        const HWND preview = Get(ControlKind::IconPreview, 0);
        RECT box;
        GetClientRect(preview, &box);
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        EXPECT_EQ(PixelsOf(box.right, face,
                           [&](HDC dc) {
                               SendMessageW(preview, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                                            PRF_CLIENT);
                           }),
                  LibraryFilePixels(entry, box.right, face));
    }
    std::string AutorunBody() const {
        const std::string bytes = ReadBytes(root / L"AutoRun.Inf");
        const std::string header(kAutorunHeaderOf14May2004);
        EXPECT_EQ(bytes.substr(0, header.size()), header);
        return bytes.substr(std::min(header.size(), bytes.size()));
    }
    std::wstring OnlyMessage() const {
        EXPECT_EQ(prompts.Messages().size(), 1u);
        return prompts.Messages().empty() ? L"" : prompts.Messages().back().text;
    }

    TempFolder root;
};

TEST_F(MainWindowSaveTest, WritesTheAutorunFileTheLauncherAndTheLibraryIconThenAsks) {
    SetUpProject();
    prompts.AnswerDocument(root / L"Handbuch.pdf");
    Click(41);
    ChooseLibraryEntry(42);
    prompts.AnswerMessage(kAnswerNo);
    Click(kOkButton);

    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].text,
              L"Die CD-Autostart-Einstellungen wurden erfolgreich vorgenommen. Sie können jetzt "
              L"mit dem Testen bzw. dem Brennen Ihres CD-Projekts beginnen.\r\rMöchten Sie "
              L"Velquor jetzt beenden?");
    EXPECT_EQ(prompts.Messages()[0].style, 68);
    EXPECT_EQ(AutorunBody(),
              "[autorun]\r\n"
              "open = Orbeno.Exe \"Start\\Index.htm\"\r\n"
              "icon = AutoRun.Ico\r\n"
              "shell\\1 = &Handbuch\r\n"
              "shell\\1\\command = Orbeno.Exe \"Handbuch.pdf\"\r\n"
              "shell\\zq = &\xDC"
              "ber Orbeno ...\r\n"
              "shell\\zq\\command = Orbeno.Exe\r\n");
    const std::string launcher = ReadBytes(ProgramFolder() + L"Orbeno.Exe");
    ASSERT_GT(launcher.size(), 1000u);
    EXPECT_EQ(ReadBytes(root / L"Orbeno.Exe"), launcher);
    const std::string icon = ReadBytes(LibrarySourceFile(42));
    ASSERT_GT(icon.size(), 100u);
    EXPECT_EQ(ReadBytes(root / L"AutoRun.Ico"), icon);
    EXPECT_EQ(ListNames(root.Path()), L"AutoRun.Ico|AutoRun.Inf|Orbeno.Exe");
    // No keeps the window with every setting.
    EXPECT_NE(window.Handle(), nullptr);
    EXPECT_EQ(Slot(kIconSlot), kLibraryIcon);
    EXPECT_EQ(Label(1), L"Handbuch");
}

TEST_F(MainWindowSaveTest, YesToTheClosingQuestionUnloadsTheMainWindowOnly) {
    SetUpProject();
    HWND other = CreateWindowExW(0, L"STATIC", L"about", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    windows.Add(other);
    prompts.AnswerMessage(kAnswerYes);
    Click(kOkButton);
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_TRUE(IsWindow(other));
    EXPECT_EQ(lastWindowClosed, 0);
    windows.Remove(other);
    DestroyWindow(other);
    EXPECT_EQ(lastWindowClosed, 1);
}

TEST_F(MainWindowSaveTest, AMissingLauncherIsNamedAndStopsTheSaveBeforeTheIcon) {
    TempFolder emptyProgramFolder;
    MainWindow elsewhere(prompts, clock, windows, emptyProgramFolder.Path());
    ASSERT_TRUE(elsewhere.Create(GetModuleHandleW(nullptr)));
    prompts.AnswerFolder(root.Path());
    SendMessageW(elsewhere.Control(ControlKind::Button, kRootPickButton), BM_CLICK, 0, 0);
    prompts.AnswerDocument(root / L"Start\\Index.htm");
    SendMessageW(elsewhere.Control(ControlKind::Button, kTargetPickButton), BM_CLICK, 0, 0);
    {
        ModalDialogDriver driver([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); });
        SendMessageW(elsewhere.Control(ControlKind::Button, kLibraryButton), BM_CLICK, 0, 0);
    }
    prompts.AnswerMessage(kAnswerOk);
    SendMessageW(elsewhere.Control(ControlKind::Button, kOkButton), BM_CLICK, 0, 0);

    EXPECT_EQ(OnlyMessage(),
              L"Die für einen korrekten CD-Autostart notwendige Datei Orbeno.Exe ließ sich nicht "
              L"von\r\r    " +
                  emptyProgramFolder.Path() + L"Orbeno.Exe\r\rnach\r\r    " + root.Path() +
                  L"Orbeno.Exe\r\rkopieren. Es kam dabei zu folgendem Fehler:\r\r    " +
                  DescribeError(Win32Error(ERROR_FILE_NOT_FOUND)));
    EXPECT_EQ(prompts.Messages()[0].style, 16);
    EXPECT_EQ(ListNames(root.Path()), L"AutoRun.Inf");
    EXPECT_NE(elsewhere.Handle(), nullptr);
}

TEST_F(MainWindowSaveTest, AFileHeldOpenStopsItsStepKeepsWhatCameBeforeAndLeavesNoTemporaryFile) {
    SetUpProject();
    ChooseLibraryEntry(7);
    for (const wchar_t* heldFile : {L"Orbeno.Exe", L"AutoRun.Ico"}) {
        SCOPED_TRACE(std::wstring(heldFile));
        const std::wstring held = root / heldFile;
        WriteBytes(root / L"Orbeno.Exe", "old launcher");
        WriteBytes(root / L"AutoRun.Ico", "old icon");
        DeleteFileW((root / L"AutoRun.Inf").c_str());
        prompts.Clear();
        prompts.AnswerMessage(kAnswerOk);
        {
            const UniqueFile lock = HoldOpen(held);
            ASSERT_TRUE(lock);
            Click(kOkButton);
        }
        const std::wstring message = OnlyMessage();
        const bool launcherStep = std::wstring(heldFile) == L"Orbeno.Exe";
        const std::wstring prefix =
            launcherStep ? L"Die für einen korrekten CD-Autostart notwendige Datei Orbeno.Exe ließ "
                           L"sich nicht von\r\r    " +
                               ProgramFolder() + L"Orbeno.Exe\r\rnach\r\r    " + held +
                               L"\r\rkopieren. Es kam dabei zu folgendem Fehler:\r\r    "
                         : L"Das von Ihnen ausgewählte Icon konnte nicht auf dem Datenträger "
                           L"angelegt werden. Es kam dabei zu folgendem Fehler:\r\r    ";
        EXPECT_TRUE(message == prefix + DescribeError(Win32Error(ERROR_SHARING_VIOLATION)) ||
                    message == prefix + DescribeError(Win32Error(ERROR_ACCESS_DENIED)))
            << std::string(message.begin(), message.end());
        // AutoRun.Inf came first and stays; the held file is untouched; nothing else is there.
        EXPECT_NE(ReadBytes(root / L"AutoRun.Inf").find("icon = AutoRun.Ico"), std::string::npos);
        EXPECT_EQ(ReadBytes(held), launcherStep ? "old launcher" : "old icon");
        EXPECT_EQ(ReadBytes(root / L"AutoRun.Ico"), "old icon");
        EXPECT_EQ(ListNames(root.Path()), L"AutoRun.Ico|AutoRun.Inf|Orbeno.Exe");
    }
}

TEST_F(MainWindowSaveTest, TheDefaultIconAfterTheLibraryLeavesTheOldIconFileUnreferenced) {
    SetUpProject();
    ChooseLibraryEntry(511);
    prompts.AnswerMessage(kAnswerNo);
    Click(kOkButton);
    EXPECT_EQ(ReadBytes(root / L"AutoRun.Ico"), ReadBytes(LibrarySourceFile(511)));

    Click(kDefaultIconButton);
    prompts.AnswerMessage(kAnswerNo);
    Click(kOkButton);
    EXPECT_NE(ReadBytes(root / L"AutoRun.Inf").find("icon = Orbeno.Exe\r\n"), std::string::npos);
    EXPECT_EQ(ReadBytes(root / L"AutoRun.Ico"), ReadBytes(LibrarySourceFile(511)));
    EXPECT_EQ(ListNames(root.Path()), L"AutoRun.Ico|AutoRun.Inf|Orbeno.Exe");
}

}  // namespace
}  // namespace velquor::testing
