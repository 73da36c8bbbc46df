// Coming back to a project through the real main window: a saved AutoRun.Inf taken over when
// the root is picked again, saved once more byte for byte; refused, and a foreign file.
#include <gtest/gtest.h>

#include <string>

#include "autorun/icon_library_win.h"
#include "main_window_fixture.h"
#include "support/library_dialog_win.h"
#include "support/modal_dialog_driver_win.h"
#include "support/temp_folder_win.h"
#include "util/short_path.h"

namespace velquor::testing {
namespace {

std::string LibraryFile(int entry) {
    const auto bytes = LibraryIconBytes(entry);
    return std::string(bytes.begin(), bytes.end());
}

class MainWindowReopenTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        for (const wchar_t* folder : {L"Start", L"Doku", L"Daten Archiv", L"Bilder"}) {
            CreateDirectoryW((root / folder).c_str(), nullptr);
        }
        for (const wchar_t* file : {L"Start\\Index.htm", L"Doku\\Handbuch.pdf", L"liesmich.txt"}) {
            WriteBytes(root / file, "x");
        }
        WriteBytes(root / L"Bilder\\Disc.ico", LibraryFile(3));
    }
    // The root once more, with the answer to the message that follows, if any.
    void PickRoot(int answer = 0) {
        prompts.AnswerFolder(root.Path().substr(0, root.Path().size() - 1));
        if (answer != 0) {
            prompts.AnswerMessage(answer);
        }
        Click(kRootPickButton);
    }
    void Pick(int button, const std::wstring& file) {
        prompts.AnswerDocument(root / file);
        Click(button);
    }
    // The settings the window shows, one text.
    std::wstring Shown() const {
        std::wstring shown;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            shown += Slot(slot) + L"|";
        }
        for (int row = 0; row < kContextRowCount; ++row) {
            shown += Label(row) + L"|";
        }
        const bool folder =
            SendMessageW(Get(ControlKind::TargetTypeOption, 1), BM_GETCHECK, 0, 0) == BST_CHECKED;
        return shown + (folder ? L"Ordner|" : L"Datei|") +
               std::to_wstring(static_cast<int>(window.ShownPreview().kind)) + L"." +
               std::to_wstring(window.ShownPreview().libraryEntry) +
               (window.PreviewHasPicture() ? L"" : L" ohne Bild") +
               (Enabled(kOkButton) ? L"|OK" : L"");
    }
    std::string SaveAndRead() {
        prompts.AnswerMessage(kAnswerNo);  // keep the window
        Click(kOkButton);
        return ReadBytes(root / L"AutoRun.Inf");
    }

    TempFolder root;
};

// Each project is set up by hand and saved; picking its root again and answering Yes shows
// what was saved, and saving again writes the same bytes. The clock is fixed.
TEST_F(MainWindowReopenTest, TakesASavedFileBackAndSavesTheSameBytes) {
    const struct {
        const char* name;
        std::function<void()> setUp;
    } kProjects[] = {
        {"document, rows 0 and 2, library icon",
         [this] {
             Pick(kTargetPickButton, L"Start\\Index.htm");
             TypeLabel(0, L"Handbuch");
             Pick(kFirstRowPickButton + 0, L"Doku\\Handbuch.pdf");
             TypeLabel(2, L"Lies mich && Preise; alt");
             Pick(kFirstRowPickButton + 2, L"liesmich.txt");
             ModalDialogDriver driver([](HWND dialog) {
                 SelectLibraryItem(dialog, 41);
                 PostMessageW(dialog, WM_COMMAND, IDOK, 0);
             });
             Click(kLibraryButton);
         }},
        {"folder target, a Greek text (UTF-16), own icon file",
         [this] {
             ClickOption(1);
             prompts.AnswerFolder(root / L"Daten Archiv");
             Click(kTargetPickButton);
             TypeLabel(1, L"Ελληνικά");
             Pick(kFirstRowPickButton + 1, L"Doku\\Handbuch.pdf");
             Pick(kIconPickButton, L"Bilder\\Disc.ico");
         }},
        {"the root as target, the default icon",
         [this] {
             ClickOption(1);
             prompts.AnswerFolder(root.Path());
             Click(kTargetPickButton);
             Click(kDefaultIconButton);
         }},
    };
    for (const auto& project : kProjects) {
        SCOPED_TRACE(project.name);
        DeleteFileW((root / L"AutoRun.Inf").c_str());
        PickRoot();
        project.setUp();
        const std::wstring picked = Shown();
        const std::string saved = SaveAndRead();

        prompts.Clear();
        PickRoot(kAnswerYes);
        ASSERT_EQ(prompts.Messages().size(), 1u);
        EXPECT_EQ(prompts.Messages()[0].text,
                  L"Im Projektordner liegt bereits eine AutoRun.Inf.\r\rSollen ihre Einstellungen "
                  L"übernommen werden (Ziel, Einträge im Kontextmenü und Icon)?");
        EXPECT_EQ(prompts.Messages()[0].style, 68);
        EXPECT_EQ(Shown(), picked);
        EXPECT_EQ(SaveAndRead(), saved);
    }
}

// "Nein" leaves the fresh project of a new root; a file of someone else's gives one note and
// nothing else, read like any other although read-only and named in small letters.
TEST_F(MainWindowReopenTest, NoKeepsTheFreshProjectAndAForeignFileGivesOneNote) {
    PickRoot();
    const std::wstring fresh = Shown();
    Pick(kTargetPickButton, L"Start\\Index.htm");
    SaveAndRead();
    prompts.Clear();
    PickRoot(kAnswerNo);
    EXPECT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(Shown(), fresh);

    DeleteFileW((root / L"AutoRun.Inf").c_str());
    WriteBytes(root / L"autorun.inf", "[autorun]\r\nopen=setup.exe\r\nicon=AutoRun.Ico\r\n");
    SetFileAttributesW((root / L"autorun.inf").c_str(), FILE_ATTRIBUTE_READONLY);
    std::string almostLibrary = LibraryFile(5);
    almostLibrary[almostLibrary.size() / 2] ^= 1;
    WriteBytes(root / L"AutoRun.Ico", almostLibrary);
    prompts.Clear();
    PickRoot(kAnswerOk);
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].text,
              L"Velquor kann aus der AutoRun.Inf im Projektordner nichts übernehmen:\r\r"
              L"open: Die Zeile startet „setup.exe“, Velquor übernimmt nur Orbeno.Exe mit einem "
              L"Ziel im Projektordner.\r"
              L"icon: AutoRun.Ico ist kein Icon der Bibliothek. Als eigene Icon-Datei wählen Sie "
              L"es mit „Auswahl ...“.\r\rBeim Speichern mit „OK“ wird sie ersetzt.");
    EXPECT_EQ(prompts.Messages()[0].style, 64);
    EXPECT_EQ(Shown(), fresh);
}

// An 8.3 alias comes back in its long form, as a pick gives it; what is not taken is listed
// after the question.
TEST_F(MainWindowReopenTest, TakesTheLongFormAndListsWhatItLeaves) {
    const std::wstring shortForm = ShortPathOf(root / L"Daten Archiv");
    const std::wstring alias = shortForm.substr(shortForm.find_last_of(L'\\') + 1);
    ASSERT_NE(alias, L"Daten Archiv");
    WriteBytes(root / L"Daten Archiv\\Preise.pdf", "x");
    const std::wstring file =
        L"[autorun]\r\nopen = Orbeno.Exe \"" + alias + L"\\Preise.pdf\"\r\nshell\\5 = &Extra\r\n";
    WriteBytes(root / L"AutoRun.Inf", std::string(file.begin(), file.end()));
    prompts.AnswerFolder(root.Path().substr(0, root.Path().size() - 1))
        .AnswerMessage(kAnswerYes)
        .AnswerMessage(kAnswerOk);
    Click(kRootPickButton);
    EXPECT_EQ(Slot(kTargetSlot), root / L"Daten Archiv\\Preise.pdf");
    EXPECT_TRUE(Enabled(kOkButton));
    ASSERT_EQ(prompts.Messages().size(), 2u);
    EXPECT_EQ(prompts.Messages()[1].text,
              L"Nicht alles aus der AutoRun.Inf im Projektordner wurde übernommen:\r\r"
              L"shell\\5: Velquor kennt nur die Einträge 0, 1 und 2.\r\rBeim Speichern mit „OK“ "
              L"wird die AutoRun.Inf ersetzt; diese Zeilen fehlen dann.");
    EXPECT_EQ(prompts.Messages()[1].style, 64);
}

}  // namespace
}  // namespace velquor::testing
