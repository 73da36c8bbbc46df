// Thousands of random clicks with random answers: every stored path stays inside the project
// and the window always shows exactly the model.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "app/system_check_win.h"
#include "autorun/icon_library_win.h"
#include "dialogs/about_box_win.h"
#include "main_window_fixture.h"
#include "support/library_dialog_win.h"
#include "support/modal_dialog_driver_win.h"
#include "util/file_name_case.h"

namespace velquor::testing {
namespace {

// Answers every prompt at random from a small world of folders and documents.
class RandomPrompts : public Prompts {
  public:
    explicit RandomPrompts(unsigned seed) : random_(seed) {}

    int ShowMessage(const std::wstring& text, MessageStyle) override {
        systemCheckReports += text == CheckThisComputer();
        return Pick(2) == 0 ? kAnswerYes : kAnswerNo;
    }
    std::wstring BrowseForFolder(const std::wstring&) override {
        static const wchar_t* const kFolders[] = {
            L"",          L"C:\\Projekt",   L"c:\\projekt\\Daten", L"C:\\Projekt2", L"D:\\",
            L"D:\\Musik", L"C:\\Projekt\\", L"E:\\Fremd",          L"C:\\Andere"};
        return kFolders[Pick(std::size(kFolders))];
    }
    std::wstring ChooseDocument(const std::wstring&, const std::wstring&) override {
        static const wchar_t* const kDocuments[] = {L"",
                                                    L"C:\\Projekt\\Index.htm",
                                                    L"C:\\PROJEKT\\Daten\\Preise.2004.xls",
                                                    L"C:\\Projekt2\\a.txt",
                                                    L"D:\\Musik\\Lied.mp3",
                                                    L"D:\\.profile",
                                                    L"E:\\Fremd\\disc.ico",
                                                    L"c:\\projekt\\disc.ico"};
        return kDocuments[Pick(std::size(kDocuments))];
    }
    std::wstring SaveFile(const std::wstring&, const std::wstring&, const std::wstring&) override {
        return {};
    }
    ShellResult ShellOpen(const std::wstring&, int) override { return {}; }
    std::unique_ptr<Prompts> OwnedBy(WindowHandle) override {
        return std::make_unique<RandomPrompts>(static_cast<unsigned>(random_()));
    }

    std::size_t Pick(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }

    int systemCheckReports = 0;

  private:
    std::mt19937 random_;
};

void ExpectWindowShowsAConsistentProject(const MainWindow& window) {
    const ProjectSettings& s = window.Settings();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::wstring shown = WindowText(window.Control(ControlKind::PathBox, slot));
        ASSERT_EQ(shown, s.slots[slot]) << slot;
        if (slot > kRootSlot && shown.find(L":\\") != std::wstring::npos) {
            ASSERT_FALSE(s.projectRoot.empty()) << shown;
            ASSERT_TRUE(StartsWithFileName(shown, s.projectRoot))
                << shown << " in " << s.projectRoot;
        }
    }
    for (int row = 0; row < kContextRowCount; ++row) {
        ASSERT_EQ(WindowText(window.Control(ControlKind::LabelBox, row)), s.labels[row]);
    }
    const bool hasRoot = !s.projectRoot.empty();
    ASSERT_EQ(IsWindowEnabled(window.Control(ControlKind::Button, kOkButton)) != FALSE,
              hasRoot && SlotIsChosen(s.slots[kTargetSlot]));
    ASSERT_EQ(IsWindowEnabled(window.Control(ControlKind::Button, kTargetPickButton)) != FALSE,
              hasRoot);
}

TEST(MainWindowMonkeyTest, RandomClicksKeepEveryPathInsideTheProject) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // OK is left out: it writes into real folders. Quitting would end the run. The system
    // check plays a short step list instead of its 2.9 s.
    const int buttons[] = {0, 2, 3, 4, 5, 7, 8, 13, 20, 21, 30, 31, 32, 40, 41, 42};
    const wchar_t* const labels[] = {L"", L"  ", L"(kein)", L"Handbuch", L" Lies mich "};
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        RandomPrompts prompts(seed);
        FixedClock clock(L"x", L"2004");
        ProgramWindows windows([] {});
        MainWindow window(prompts, clock, windows, ProgramFolder(), L"0,5,100,5");
        ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr)));
        // The library dialog leaves with a random entry, "Abbrechen" or the close box.
        int libraryDialogs = 0;
        int aboutBoxes = 0;
        const ModalDialogDriver libraryDialog([&prompts, &libraryDialogs](HWND dialog) {
            ++libraryDialogs;
            const int entry = static_cast<int>(prompts.Pick(LibraryIconCount() + 2));
            if (entry == 0) {
                PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            } else if (entry > LibraryIconCount()) {
                PostMessageW(dialog, WM_CLOSE, 0, 0);
            } else {
                SelectLibraryItem(dialog, entry - 1);
                PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            }
        });
        for (int step = 0; step < 1200; ++step) {
            const std::size_t what = prompts.Pick(20);
            if (what < 16) {
                const int button = buttons[prompts.Pick(std::size(buttons))];
                if ((button == kToggleViewButton || button == kLibraryButton ||
                     button == kSystemCheckButton) &&
                    prompts.Pick(8) != 0) {
                    continue;  // the view change and the dialogs are slow under Wine
                }
                SendMessageW(window.Control(ControlKind::Button, button), BM_CLICK, 0, 0);
                aboutBoxes += button == kAboutButton && OpenAboutBox();
            } else if (what < 18) {
                SendMessageW(window.Control(ControlKind::TargetTypeOption,
                                            static_cast<int>(prompts.Pick(2))),
                             BM_CLICK, 0, 0);
            } else {
                SetWindowTextW(
                    window.Control(ControlKind::LabelBox, static_cast<int>(prompts.Pick(3))),
                    labels[prompts.Pick(std::size(labels))]);
            }
            ExpectWindowShowsAConsistentProject(window);
            if (::testing::Test::HasFatalFailure()) {
                FAIL() << "after step " << step;
            }
        }
        std::printf("seed %u: %d library dialogs, %d about boxes, %d system checks\n", seed,
                    libraryDialogs, aboutBoxes, prompts.systemCheckReports);
        EXPECT_GT(libraryDialogs, 0);
        EXPECT_GT(aboutBoxes, 0);
        EXPECT_GT(prompts.systemCheckReports, 0);
        // "&Info" may have left the about box open; it counts in this run's windows.
        if (const HWND about = OpenAboutBox()) {
            DestroyWindow(about);
        }
    }
}

}  // namespace
}  // namespace velquor::testing
