// Step (4)'s "&Auswahl ...": the picked file goes through the platform's picture loader into the
// preview, or is refused with a message that clears the icon choice.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "autorun/check_icon_file.h"
#include "autorun/icon_library_win.h"
#include "dialogs/icon_library_dialog_win.h"
#include "main_window_fixture.h"
#include "support/malformed_icons.h"
#include "support/modal_dialog_driver_win.h"
#include "support/temp_folder_win.h"

namespace velquor::testing {
namespace {

constexpr wchar_t kInvalidIconMessage[] =
    L"Die angegebene Icon-Datei ist anscheinend nicht gültig.\rSie konnte nicht geladen "
    L"werden.\r\rBitte wählen Sie daher ein neues Icon.";

std::string LibraryFile(int entry) {
    const std::span<const unsigned char> bytes = LibraryIconBytes(entry);
    return std::string(bytes.begin(), bytes.end());
}

// A 2 x 2 bitmap of 24 bits per pixel: a picture the loader takes, though not an icon.
std::string SmallBitmap() {
    std::string pixels(16, '\x80');  // two rows of 6 bytes, each padded to 8
    std::string header("BM", 2);
    auto put = [&header](unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            header += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    put(14 + 40 + 16, 4), put(0, 4), put(14 + 40, 4);
    put(40, 4), put(2, 4), put(2, 4), put(1, 2), put(24, 2), put(0, 4), put(16, 4);
    put(2835, 4), put(2835, 4), put(0, 4), put(0, 4);
    return header + pixels;
}

class MainWindowIconFileTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ChooseRoot(root.Path());
    }
    // `refused`: the check is expected to say so, which is answered with OK.
    void PickIconFile(const std::wstring& path, bool refused = false) {
        prompts.AnswerDocument(path);
        if (refused) {
            prompts.AnswerMessage(kAnswerOk);
        }
        Click(kIconPickButton);
    }

    TempFolder root;
};

TEST_F(MainWindowIconFileTest, APictureTheLoaderTakesIsShownAnythingElseClearsTheChoice) {
    const std::string goodIcon = LibraryFile(1);
    const std::size_t directorySize = 6 + 16 * static_cast<unsigned char>(goodIcon[4]);
    struct Case {
        const char* name;
        std::string bytes;
        bool shown;
    } cases[] = {
        {"icon", goodIcon, true},
        {"bitmap named .ico", SmallBitmap(), true},
        {"text", "Dies ist kein Bild.\r\n", false},
        {"empty", "", false},
        {"icon cut after its directory", goodIcon.substr(0, 30), false},
        {"icon cut in its first image", goodIcon.substr(0, 200), false},
        {"icon whose directory points past its end",
         goodIcon.substr(0, 22) + std::string(goodIcon.size() - 22, '\xEE'), false},
        {"icon with its images overwritten",
         goodIcon.substr(0, directorySize) + std::string(goodIcon.size() - directorySize, '\xEE'),
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Click(kDefaultIconButton);
        prompts.Clear();
        const std::wstring file = root / L"Bild.ico";
        WriteBytes(file, c.bytes);
        PickIconFile(file, !c.shown);
        if (c.shown) {
            EXPECT_TRUE(prompts.Messages().empty());
            EXPECT_EQ(Slot(kIconSlot), file);
            EXPECT_EQ(window.ShownPreview().kind, PreviewKind::IconFile);
            EXPECT_TRUE(window.PreviewHasPicture());
        } else {
            ASSERT_EQ(prompts.Messages().size(), 1u);
            EXPECT_EQ(prompts.Messages()[0].text, kInvalidIconMessage);
            EXPECT_EQ(prompts.Messages()[0].style, 16);
            EXPECT_EQ(Slot(kIconSlot), kNotChosen);
            EXPECT_EQ(window.ShownPreview().kind, PreviewKind::Placeholder);
        }
        RedrawWindow(Get(ControlKind::IconPreview, 0), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW);  // drawing the picture must not fail
    }
}

// Damaged icons from the generator through the platform's picture loader: each is shown or
// refused with the message, and drawing it afterwards does not fail.
TEST_F(MainWindowIconFileTest, GeneratedDamagedIconsAreShownOrRefused) {
    int shown = 0;
    for (const std::string& bytes : MalformedIcons(LibraryFile(42), 20261208, 200)) {
        Click(kDefaultIconButton);
        prompts.Clear();
        const std::wstring file = root / L"Bild.ico";
        WriteBytes(file, bytes);
        PickIconFile(file, true);  // the answer stays unused when the file is shown
        const bool taken = prompts.Messages().empty();
        shown += taken;
        EXPECT_EQ(Slot(kIconSlot), taken ? file : kNotChosen);
        EXPECT_EQ(window.ShownPreview().kind,
                  taken ? PreviewKind::IconFile : PreviewKind::Placeholder);
        EXPECT_EQ(prompts.Messages().empty() ? kInvalidIconMessage : prompts.Messages()[0].text,
                  kInvalidIconMessage);
        RedrawWindow(Get(ControlKind::IconPreview, 0), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW);
    }
    prompts.Clear();
    std::printf("200 damaged icons through the picture loader, %d shown\n", shown);
}

TEST_F(MainWindowIconFileTest, ACancelledPickLoadsTheEarlierFileAgain) {
    const std::wstring file = root / L"Disc.ico";
    WriteBytes(file, LibraryFile(2));
    PickIconFile(file);
    ASSERT_EQ(Slot(kIconSlot), file);

    // The file went bad meanwhile: the check after the cancel finds out.
    WriteBytes(file, "kaputt");
    PickIconFile(L"", true);
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].text, kInvalidIconMessage);
    EXPECT_EQ(Slot(kIconSlot), kNotChosen);
}

TEST_F(MainWindowIconFileTest, ACancelledPickKeepsALibraryChoiceAsItIs) {
    {
        ModalDialogDriver driver([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); });
        Click(kLibraryButton);
    }
    ASSERT_EQ(window.ShownPreview(), (IconPreview{PreviewKind::LibraryEntry, 1}));
    PickIconFile(L"");
    EXPECT_TRUE(prompts.Messages().empty());
    EXPECT_EQ(Slot(kIconSlot), kLibraryIcon);
    EXPECT_EQ(window.ShownPreview(), (IconPreview{PreviewKind::LibraryEntry, 1}));
}

}  // namespace
}  // namespace velquor::testing
