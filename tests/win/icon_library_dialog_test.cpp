// The icon library dialog, opened with "Bibliothek" from the real main window and driven from
// inside its own modal loop.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "autorun/icon_library_win.h"
#include "dialogs/icon_library_dialog_win.h"
#include "dialogs/library_image_list_win.h"
#include "main_window_fixture.h"
#include "support/library_dialog_win.h"
#include "support/library_pictures_win.h"
#include "support/modal_dialog_driver_win.h"
#include "util/window_services_win.h"

namespace velquor::testing {
namespace {

int ItemCount(HWND dialog) {
    return static_cast<int>(SendMessageW(LibraryListOf(dialog), LVM_GETITEMCOUNT, 0, 0));
}

int SelectedIndex(HWND dialog) {
    return static_cast<int>(SendMessageW(LibraryListOf(dialog), LVM_GETNEXTITEM,
                                         static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::wstring ItemText(HWND dialog, int index) {
    wchar_t text[16] = {};
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = 16;
    SendMessageW(LibraryListOf(dialog), LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

// The picture the list shows for item `index`, on a magenta ground.
std::vector<DWORD> ItemPixels(HWND dialog, int index) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    SendMessageW(LibraryListOf(dialog), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    const auto images = reinterpret_cast<HIMAGELIST>(
        SendMessageW(LibraryListOf(dialog), LVM_GETIMAGELIST, LVSIL_NORMAL, 0));
    return PixelsOf(kLibraryImageSize, RGB(255, 0, 255), [&](HDC dc) {
        ImageList_Draw(images, item.iImage, dc, 0, 0, ILD_TRANSPARENT);
    });
}

// Keys and clicks go through the dialog's own queue, as the user's would.
void PressKey(HWND dialog, UINT key) {
    PostMessageW(LibraryListOf(dialog), WM_KEYDOWN, key, 1);
    PostMessageW(LibraryListOf(dialog), WM_KEYUP, key, 0xC0000001);
}

void DoubleClickItem(HWND dialog, int index) {
    RECT item{LVIR_ICON, 0, 0, 0};
    SendMessageW(LibraryListOf(dialog), LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageW(LibraryListOf(dialog), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(LibraryListOf(dialog), WM_LBUTTONUP, 0, at);
    PostMessageW(LibraryListOf(dialog), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(LibraryListOf(dialog), WM_LBUTTONUP, 0, at);
}

void ClickButton(HWND dialog, int id) {
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

class IconLibraryDialogTest : public MainWindowTest {
  protected:
    // Opens the dialog with "Bibliothek" and runs `act` once it waits for input.
    void OpenLibrary(const std::function<void(HWND)>& act) {
        bool acted = false;
        ModalDialogDriver driver([&](HWND dialog) {
            if (!acted) {
                acted = true;
                seenTitle = WindowText(dialog);
                seenCount = ItemCount(dialog);
                seenSelection = SelectedIndex(dialog);
                act(dialog);
            }
        });
        Click(kLibraryButton);
        EXPECT_TRUE(acted);
    }

    std::wstring seenTitle;
    int seenCount = -1;
    int seenSelection = -2;
};

TEST_F(IconLibraryDialogTest, ShowsEveryEntryNumberedWithTheFirstSelected) {
    std::wstring first;
    std::wstring last;
    std::vector<DWORD> firstPicture;
    OpenLibrary([&](HWND dialog) {
        first = ItemText(dialog, 0);
        firstPicture = ItemPixels(dialog, 0);
        last = ItemText(dialog, ItemCount(dialog) - 1);
        ClickButton(dialog, kLibraryCancelId);
    });
    EXPECT_EQ(LibraryIconCount(), 511);
    EXPECT_EQ(seenTitle, L"Velquor - Icon-Auswahl (511 Stück)");
    EXPECT_EQ(seenCount, 511);
    EXPECT_EQ(seenSelection, 0);
    EXPECT_EQ(first, L"1");
    EXPECT_EQ(last, L"511");
    EXPECT_EQ(firstPicture, LibraryFilePixels(1, kLibraryImageSize, RGB(255, 0, 255)));
}

TEST_F(IconLibraryDialogTest, LaysOutItsControlsInTwipsAtTheScreensResolution) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    auto pixels = [dpi](TwipsRect r) {
        return RECT{TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi),
                    TwipsToPixels(r.left, dpi) + TwipsToPixels(r.width, dpi),
                    TwipsToPixels(r.top, dpi) + TwipsToPixels(r.height, dpi)};
    };
    auto placeOf = [](HWND dialog, int id) {
        RECT r;
        GetWindowRect(GetDlgItem(dialog, id), &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    RECT client{};
    RECT frame{}, list{}, ok{}, cancel{};
    std::wstring frameCaption;
    OpenLibrary([&](HWND dialog) {
        GetClientRect(dialog, &client);
        frame = placeOf(dialog, kLibraryFrameId);
        list = placeOf(dialog, kLibraryListId);
        ok = placeOf(dialog, kLibraryOkId);
        cancel = placeOf(dialog, kLibraryCancelId);
        frameCaption = WindowText(GetDlgItem(dialog, kLibraryFrameId));
        ClickButton(dialog, kLibraryCancelId);
    });
    auto same = [](RECT a, RECT b) { return EqualRect(&a, &b) != FALSE; };
    EXPECT_EQ(client.right, TwipsToPixels(8205, dpi));
    EXPECT_EQ(client.bottom, TwipsToPixels(5835, dpi));
    EXPECT_TRUE(same(frame, pixels({90, 90, 8025, 5205})));
    EXPECT_TRUE(same(list, pixels({90 + 120, 90 + 240, 7755, 4815})));
    EXPECT_TRUE(same(ok, pixels({6900, 5370, 1215, 375})));
    EXPECT_TRUE(same(cancel, pixels({5610, 5370, 1215, 375})));
    EXPECT_EQ(frameCaption, L"Bitte wählen Sie das gewünschte Icon aus ... ");
}

// From "Bibliothek" on the owner's monitor; given another work area, such as one of a monitor left
// of the primary one, there.
TEST_F(IconLibraryDialogTest, OpensCentredOnTheWorkAreaItIsGiven) {
    for (const bool fromButton : {true, false}) {
        const PixelRect area =
            fromButton ? WorkAreaOf(window.Handle()) : PixelRect{-1280, 0, 1280, 984};
        RECT frame{};
        ModalDialogDriver driver([](HWND) { ADD_FAILURE() << "still open"; },
                                 [](HWND dialog) { PostMessageW(dialog, WM_CLOSE, 0, 0); },
                                 [&](HWND dialog) { GetWindowRect(dialog, &frame); });
        fromButton ? Click(kLibraryButton) : (void)ShowIconLibraryDialog(window.Handle(), area);
        EXPECT_EQ(frame.left, area.left + (area.width - (frame.right - frame.left)) / 2);
        EXPECT_EQ(frame.top, area.top + (area.height - (frame.bottom - frame.top)) / 2);
    }
}

TEST_F(IconLibraryDialogTest, EachWayOutPassesTheNumberOrChangesNothing) {
    struct Case {
        const char* name;
        std::function<void(HWND)> act;
        int expectedEntry;  // 0: the icon choice stays as it was
    } cases[] = {
        {"OK on the first", [](HWND d) { ClickButton(d, kLibraryOkId); }, 1},
        {"OK on the last",
         [](HWND d) {
             SelectLibraryItem(d, 510);
             ClickButton(d, kLibraryOkId);
         },
         511},
        {"Enter", [](HWND d) { SelectLibraryItem(d, 41), PressKey(d, VK_RETURN); }, 42},
        {"double click",
         [](HWND d) {
             SelectLibraryItem(d, -1);
             DoubleClickItem(d, 2);
         },
         3},
        {"Abbrechen",
         [](HWND d) {
             SelectLibraryItem(d, 7);
             ClickButton(d, kLibraryCancelId);
         },
         0},
        {"Escape", [](HWND d) { PressKey(d, VK_ESCAPE); }, 0},
        {"close box", [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, 0},
        {"OK without a selection",
         [](HWND d) {
             SelectLibraryItem(d, -1);
             ClickButton(d, kLibraryOkId);
         },
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Click(kDefaultIconButton);
        OpenLibrary(c.act);
        if (c.expectedEntry == 0) {
            EXPECT_EQ(Slot(kIconSlot), kDefaultIcon);
            EXPECT_EQ(window.ShownPreview().kind, PreviewKind::DefaultDisc);
        } else {
            EXPECT_EQ(Slot(kIconSlot), kLibraryIcon);
            EXPECT_EQ(window.ShownPreview(),
                      (IconPreview{PreviewKind::LibraryEntry, c.expectedEntry}));
            EXPECT_TRUE(window.PreviewHasPicture());
        }
        EXPECT_FALSE(IsWindow(GetWindow(window.Handle(), GW_ENABLEDPOPUP)));
        EXPECT_TRUE(IsWindowEnabled(window.Handle()));
    }
}

TEST_F(IconLibraryDialogTest, ClosingWhileTheListFillsStopsTheFillAndChangesNothing) {
    for (UINT close : {UINT{WM_CLOSE}, UINT{WM_COMMAND}}) {
        Click(kDefaultIconButton);
        int itemsWhenClosed = -1;
        ModalDialogDriver driver(
            [](HWND dialog) { ADD_FAILURE() << "still open: " << ItemCount(dialog); },
            [close](HWND dialog) {
                // Queued behind the fill: it arrives at the fill's first pause, after item 1.
                PostMessageW(dialog, close, close == WM_COMMAND ? kLibraryCancelId : 0, 0);
            },
            [&](HWND dialog) { itemsWhenClosed = ItemCount(dialog); });
        Click(kLibraryButton);
        EXPECT_EQ(itemsWhenClosed, 1) << close;
        EXPECT_EQ(Slot(kIconSlot), kDefaultIcon);
    }
}

TEST_F(IconLibraryDialogTest, AQuitDuringTheFillEndsTheDialogAndReachesTheMainLoop) {
    ModalDialogDriver driver([](HWND) { ADD_FAILURE() << "still open"; },
                             [](HWND) { PostQuitMessage(7); });
    Click(kLibraryButton);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(Slot(kIconSlot), kNotChosen);
}

}  // namespace
}  // namespace velquor::testing
