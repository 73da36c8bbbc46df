#include "app/status_bar_win.h"

#include <commctrl.h>

#include <iterator>

#include "util/screen_geometry.h"

namespace velquor {
namespace {

constexpr int kTimePanelTwips = 1200;
constexpr int kDatePanelTwips = 1500;
constexpr int kTimePanel = 1;
constexpr int kDatePanel = 2;

void SetPanelText(HWND statusBar, int panel, const wchar_t* text) {
    SendMessageW(statusBar, SB_SETTEXTW, panel, reinterpret_cast<LPARAM>(text));
}

}  // namespace

void SetStatusPanels(HWND statusBar, int width, int dotsPerInch) {
    const int date = TwipsToPixels(kDatePanelTwips, dotsPerInch);
    const int time = TwipsToPixels(kTimePanelTwips, dotsPerInch);
    int rightEdges[] = {width - date - time, width - date, -1};
    SendMessageW(statusBar, SB_SETPARTS, std::size(rightEdges),
                 reinterpret_cast<LPARAM>(rightEdges));
}

void ShowClockInStatus(HWND statusBar) {
    wchar_t text[80];
    if (GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, text,
                        static_cast<int>(std::size(text)))) {
        SetPanelText(statusBar, kTimePanel, text);
    }
    if (GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text,
                        static_cast<int>(std::size(text)), nullptr)) {
        SetPanelText(statusBar, kDatePanel, text);
    }
}

}  // namespace velquor
