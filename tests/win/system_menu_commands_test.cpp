// The system menu's "Autostart testen" and "CD-Abbild erstellen ..." through the real main
// window: the commands in the menu, the saved commands really started, and the image dialog
// driven from inside its own modal loop.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/autostart_test_dialog.h"
#include "dialogs/disc_image_dialog.h"
#include "main_window_fixture.h"
#include "support/modal_dialog_driver_win.h"
#include "support/remove_tree_win.h"
#include "support/temp_folder_win.h"

namespace velquor::testing {
namespace {

std::wstring ItemText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

class SystemMenuTest : public MainWindowTest {
  protected:
    // A root with a name longer than a disc's name may be, in a folder of its own.
    void SetUp() override {
        MainWindowTest::SetUp();
        CreateDirectoryW(root.c_str(), nullptr);
        CreateDirectoryW((root + L"Daten").c_str(), nullptr);
        WriteBytes(root + L"Daten\\a.txt", "Inhalt");
    }
    void Choose(unsigned command, const std::function<void(HWND)>& act) {
        bool acted = false;
        ModalDialogDriver driver([&](HWND dialog) {
            if (!acted) {
                acted = true;
                act(dialog);
            }
        });
        SendMessageW(window.Handle(), WM_SYSCOMMAND, command, 0);
        EXPECT_TRUE(acted);
    }
    void Press(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }

    TempFolder parent;
    TempFolder elsewhere;
    std::wstring root = parent / L"Fruehjahrskatalog2026\\";  // ASCII: cmd.exe writes it back
    std::wstring rootFolder = root.substr(0, root.size() - 1);
};

TEST_F(SystemMenuTest, OffersBothCommandsAfterASeparatorGrayedUntilARootIsChosen) {
    const HMENU menu = GetSystemMenu(window.Handle(), FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 3);
    EXPECT_EQ(GetMenuState(menu, count - 3, MF_BYPOSITION) & MF_SEPARATOR, UINT{MF_SEPARATOR});
    const struct {
        unsigned command;
        const wchar_t* text;
    } kRows[] = {{0x0010, L"Autostart &testen"}, {0x0020, L"CD-&Abbild erstellen ..."}};
    for (int i = 0; i < 2; ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, count - 2 + i, text, 64, MF_BYPOSITION);
        EXPECT_EQ(std::wstring(text), kRows[i].text);
        EXPECT_EQ(GetMenuItemID(menu, count - 2 + i), kRows[i].command);
        EXPECT_TRUE(GetMenuState(menu, kRows[i].command, MF_BYCOMMAND) & MF_GRAYED);
    }
    ChooseRoot(rootFolder);
    EXPECT_FALSE(GetMenuState(menu, 0x0010, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(menu, 0x0020, MF_BYCOMMAND) & MF_GRAYED);
}

// The project's own launcher must run, not the one beside the test program (which would look
// for the target beside itself and fail), and in the project root.
TEST_F(SystemMenuTest, AutostartTestStartsTheSavedCommandsInTheProjectRoot) {
    SendMessageW(window.Handle(), WM_SYSCOMMAND, 0x0010, 0);  // without a root: nothing
    ChooseRoot(rootFolder);
    prompts.AnswerMessage(kAnswerOk);
    SendMessageW(window.Handle(), WM_SYSCOMMAND, 0x0010, 0);
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].text,
              L"Im Hauptverzeichnis liegt keine gespeicherte AutoRun.Inf:\r\r    " + root +
                  L"AutoRun.Inf\r\rSpeichern Sie den Autostart zuerst mit „OK“; danach lässt er "
                  L"sich hier testen.");

    WriteBytes(root + L"Daten\\x.cmd", "@echo off\r\necho ran>..\\geoeffnet.txt\r\n");
    prompts.AnswerDocument(root + L"Daten\\x.cmd").AnswerMessage(kAnswerNo);
    Click(kTargetPickButton);
    Click(kOkButton);
    // A command of another program, as a hand-written file may have it.
    WriteBytes(root + L"AutoRun.Inf",
               ReadBytes(root + L"AutoRun.Inf") +
                   "shell\\probe = &Ordner && Befehl\r\nshell\\probe\\command = probe.cmd /x\r\n");
    WriteBytes(root + L"probe.cmd", "@echo %CD% %*>arbeitsordner.txt\r\n");
    std::vector<std::wstring> labels;
    Choose(0x0010, [&](HWND dialog) {
        const HWND list = GetDlgItem(dialog, kAutostartListId);
        for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
            wchar_t text[64] = {};
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            labels.push_back(text);
        }
        Press(dialog, kAutostartStartId);  // the first entry is selected
        EXPECT_TRUE(AppearsWithin(root + L"geoeffnet.txt", 20000));
        SendMessageW(list, LB_SETCURSEL, 2, 0);
        Press(dialog, kAutostartStartId);
        EXPECT_TRUE(AppearsWithin(root + L"arbeitsordner.txt", 20000));
        Press(dialog, kAutostartCloseId);
    });
    EXPECT_EQ(labels, (std::vector<std::wstring>{L"Beim Einlegen (open)", L"Über Orbeno ...",
                                                 L"Ordner & Befehl"}));
    Sleep(200);  // the file is complete once the script has ended
    EXPECT_EQ(ReadBytes(root + L"arbeitsordner.txt"),
              std::string(rootFolder.begin(), rootFolder.end()) + " /x\r\n");
}

// A file as large as a DVD needs, without the bytes: sizes are all the check reads.
void WriteSparseFile(const std::wstring& path, LONGLONG size) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    SetFilePointerEx(file, LARGE_INTEGER{.QuadPart = size}, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
}

TEST_F(SystemMenuTest, ImageDialogProposesItsDefaultsAndFollowsTheMediumWithItsFindings) {
    WriteSparseFile(root + L"Daten\\gross.bin", 800LL * 1024 * 1024);
    ChooseRoot(rootFolder);
    Choose(0x0020, [&](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), L"Velquor - CD-Abbild erstellen");
        EXPECT_EQ(ItemText(dialog, kImagePathId), parent / L"Fruehjahrskatalog2026.iso");
        EXPECT_EQ(ItemText(dialog, kVolumeNameId), L"Fruehjahrskatalo");
        EXPECT_EQ(SendDlgItemMessageW(dialog, kVolumeNameId, EM_GETLIMITTEXT, 0, 0), 16);
        const HWND media = GetDlgItem(dialog, kMediumListId);
        EXPECT_EQ(SendMessageW(media, CB_GETCOUNT, 0, 0), 6);
        EXPECT_EQ(WindowText(media), L"CD 700 MB");
        // Too large for the CD: the error is shown and keeps the image from being written.
        EXPECT_EQ(ItemText(dialog, kFindingsId).rfind(L"Fehler: Das Abbild braucht ", 0), 0u);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kImageCreateId)));
        SendMessageW(media, CB_SETCURSEL, 2, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kMediumListId, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(media));
        EXPECT_EQ(ItemText(dialog, kFindingsId)
                      .rfind(L"Warnung: Im Projektordner liegt keine "
                             L"AutoRun.Inf",
                             0),
                  0u);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, kImageCreateId)));
        // Not before an image is there; Windows' burner is missing under Wine.
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kOpenImageFolderId)));
        EXPECT_FALSE(GetWindowLongW(GetDlgItem(dialog, kBurnImageId), GWL_STYLE) & WS_VISIBLE);
        Press(dialog, kImageCloseId);
    });
}

TEST_F(SystemMenuTest, ImageDialogWritesTheImageAndNothingElse) {
    ChooseRoot(rootFolder);
    const std::wstring image = elsewhere / L"katalog.iso";
    prompts.AnswerSaveFile(image).ExpectShellOpen();
    Choose(0x0020, [&](HWND dialog) {
        Press(dialog, kImageBrowseId);
        Press(dialog, kImageCreateId);
        EXPECT_EQ(ItemText(dialog, kImageStatusId), L"Das Abbild ist fertig: " + image);
        Press(dialog, kOpenImageFolderId);
        Press(dialog, kImageCloseId);
    });
    ASSERT_EQ(prompts.Calls().size(), 3u);  // the root's folder browser, the save dialog, the shell
    EXPECT_EQ(prompts.Calls()[1].text, parent / L"Fruehjahrskatalog2026.iso");
    EXPECT_EQ(prompts.Calls()[1].filter, L"CD-Abbilder (*.iso)|*.iso|");
    EXPECT_EQ(prompts.Calls()[2].text, elsewhere.Path());
    EXPECT_EQ(ListNames(elsewhere.Path()), L"katalog.iso");
    const std::string bytes = ReadBytes(image);
    ASSERT_GT(bytes.size(), 32774u);
    EXPECT_EQ(bytes.substr(32769, 5), "CD001");
}

TEST_F(SystemMenuTest, ImageDialogRefusesAPlaceInsideTheProjectAndACancelLeavesNothing) {
    ChooseRoot(rootFolder);
    const std::wstring inside = root + L"Daten\\katalog.iso";
    std::wstring statusAfterCancel;
    WriteBytes(elsewhere / L"alt.iso", "altes Abbild");
    prompts.AnswerMessage(kAnswerOk).AnswerMessage(kAnswerNo);
    Choose(0x0020, [&](HWND dialog) {
        SetDlgItemTextW(dialog, kImagePathId, inside.c_str());
        Press(dialog, kImageCreateId);
        SetDlgItemTextW(dialog, kImagePathId, (elsewhere / L"alt.iso").c_str());
        Press(dialog, kImageCreateId);  // not replaced
        SetDlgItemTextW(dialog, kImagePathId, (elsewhere / L"katalog.iso").c_str());
        // The cancel waits in the queue: the first look at it is the writer's first progress.
        PostMessageW(GetDlgItem(dialog, kImageCloseId), BM_CLICK, 0, 0);
        Press(dialog, kImageCreateId);
        statusAfterCancel = ItemText(dialog, kImageStatusId);
        Press(dialog, kImageCloseId);
    });
    ASSERT_EQ(prompts.Messages().size(), 2u);
    EXPECT_EQ(prompts.Messages()[1].text, L"Die Datei\r\r    " + (elsewhere / L"alt.iso") +
                                              L"\r\rgibt es schon. Möchten Sie sie durch das "
                                              L"neue Abbild ersetzen?");
    EXPECT_EQ(prompts.Messages()[1].style, 68);
    EXPECT_EQ(ReadBytes(elsewhere / L"alt.iso"), "altes Abbild");
    EXPECT_EQ(prompts.Messages()[0].text,
              L"Das Abbild kann nicht im Projektordner liegen, denn es käme selbst mit auf die "
              L"CD:\r\r    " +
                  inside +
                  L"\r\rBitte wählen Sie mit „...“ einen Ort außerhalb des "
                  L"Projektordners.");
    EXPECT_EQ(ListNames(root + L"Daten\\"), L"a.txt");
    EXPECT_EQ(statusAfterCancel, L"Abgebrochen: Es wurde kein Abbild geschrieben.");
    EXPECT_EQ(ListNames(elsewhere.Path()), L"alt.iso");
}

// The reason names the folder as it is: its backslashes are not read as escapes.
TEST_F(SystemMenuTest, ImageDialogNamesAProjectGoneSinceItWasChosen) {
    ChooseRoot(rootFolder);
    RemoveTree(root);
    Choose(0x0020, [&](HWND dialog) {
        const std::wstring reason = ItemText(dialog, kFindingsId);
        EXPECT_EQ(reason.rfind(L"Das Projekt ließ sich nicht lesen, es gibt keine Prüfung und kein "
                               L"Abbild: " +
                                   root + L": ",
                               0),
                  0u)
            << reason;
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kImageCreateId)));
        Press(dialog, kImageCloseId);
    });
}

}  // namespace
}  // namespace velquor::testing
