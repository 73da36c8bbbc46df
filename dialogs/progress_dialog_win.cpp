#include "dialogs/progress_dialog_win.h"

#include <commctrl.h>

#include <string>

#include "dialogs/progress_steps.h"
#include "util/program_windows_win.h"
#include "util/window_base_win.h"
#include "util/window_services_win.h"

namespace velquor {
namespace {

// A caption without a system menu: no close box, the sequence always runs to its end.
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME;
constexpr UINT_PTR kHoldTimer = 1;

class ProgressDialog : public WindowBase {
  public:
    bool Create(HWND owner, const std::wstring& title);
    void ShowBarValue(float value) const { SendMessageW(bar_, PBM_SETPOS, BarPosition(value), 0); }
    // Starts the one-shot hold timer; false for a hold time without a wait.
    bool StartHold(std::int32_t holdTimeMs);
    bool Holding() const { return holding_; }
    void Close() { Destroy(); }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    HWND bar_ = nullptr;
    bool holding_ = false;
};

bool ProgressDialog::Create(HWND owner, const std::wstring& title) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.hInstance = instance;
    wc.lpszClassName = kProgressDialogClass;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (!RegisterClassOnce(wc)) {
        return false;
    }
    const int dpi = ScreenDpi();
    RECT outer{0, 0, TwipsToPixels(kProgressDialogClientWidth, dpi),
               TwipsToPixels(kProgressDialogClientHeight, dpi)};
    AdjustWindowRectEx(&outer, kDialogStyle, FALSE, kDialogExStyle);
    // Made in its place, centred on the owner's monitor, where the user is looking.
    const Point origin =
        CentredOrigin(WorkAreaOf(owner), {outer.right - outer.left, outer.bottom - outer.top});
    OffsetRect(&outer, origin.x - outer.left, origin.y - outer.top);
    if (!CreateFor(kProgressDialogClass, title.c_str(), kDialogStyle, kDialogExStyle, outer,
                   instance, owner)) {
        return false;
    }
    bar_ = CreateChildInTwips(Handle(), PROGRESS_CLASSW, nullptr, 0, 0, kProgressBarRect, 0, dpi);
    SendMessageW(bar_, PBM_SETRANGE32, 0, 100);
    CreateChildInTwips(Handle(), L"STATIC", kProgressText, SS_CENTER, 0, kProgressTextRect, 0, dpi);
    return bar_ != nullptr;
}

bool ProgressDialog::StartHold(std::int32_t holdTimeMs) {
    if (holdTimeMs <= 0) {
        return false;
    }
    holding_ = SetTimer(Handle(), kHoldTimer, static_cast<UINT>(holdTimeMs), nullptr) != 0;
    return holding_;
}

LRESULT ProgressDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kHoldTimer) {
                // One tick per step: the timer turns itself off.
                KillTimer(Handle(), kHoldTimer);
                holding_ = false;
            }
            return 0;
        case WM_CLOSE:
            return 0;  // Alt+F4 does not cut the sequence short
        case WM_DESTROY:
            holding_ = false;
            // The waiting loop may sleep in GetMessage: wake it so it sees the dialog is gone.
            PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
            return 0;
    }
    return Default(message, wParam, lParam);
}

// Handles the next message of the thread, waiting for one. False when it was WM_QUIT, which is
// posted again so the program's own loop ends too.
bool HandleNextMessage(const ProgramWindows& windows) {
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (got > 0 && !windows.RouteDialogMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

// Handles what is already waiting, without waiting for more.
bool HandlePendingMessages(const ProgramWindows& windows) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (!HandleNextMessage(windows)) {
            return false;
        }
    }
    return true;
}

}  // namespace

ProgressEnd RunProgressDialog(HWND owner, std::wstring_view stepList, std::wstring_view title,
                              const ProgramWindows& windows) {
    ProgressDialog dialog;
    if (!dialog.Create(owner, ProgressDialogTitle(title))) {
        return ProgressEnd::Completed;  // nothing to show; the caller goes on as after the end
    }
    ShowWindow(dialog.Handle(), SW_SHOWNA);
    UpdateWindow(dialog.Handle());
    for (const ProgressStep& step : ParseStepList(stepList)) {
        if (!dialog.Handle()) {
            return ProgressEnd::OwnerClosed;
        }
        dialog.ShowBarValue(step.barValue);
        if (!dialog.StartHold(step.holdTimeMs)) {
            if (!HandlePendingMessages(windows)) {
                return ProgressEnd::Quit;
            }
            continue;
        }
        while (dialog.Holding()) {
            if (!HandleNextMessage(windows)) {
                return ProgressEnd::Quit;
            }
        }
    }
    if (!dialog.Handle()) {
        return ProgressEnd::OwnerClosed;
    }
    dialog.Close();
    return ProgressEnd::Completed;
}

}  // namespace velquor
