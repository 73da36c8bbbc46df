// The yardsticks for the start-up bench: one window titled as Velquor's, shown, and a message
// loop; nothing else. Built twice more with the Common Controls 6 manifest of velquor.exe: with
// ONE_BUTTON, the same window with one labelled button, the least a dialog window has; with
// COMPACT_VIEW, the main window's compact view as bare windows: the same size and place and the
// same controls of the same classes, styles, texts and places, made from the same table, but no
// fonts, pictures, model, clock or COM. What velquor.exe takes beyond that is its own doing.
#include <windows.h>

#ifdef COMPACT_VIEW
#include <commctrl.h>

#include <string>

#include "app/main_window_shape_win.h"
#include "util/screen_geometry.h"
#include "util/window_services_win.h"

namespace {

using namespace velquor;

HWND MakeCompactView(const wchar_t* className, HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    const int dpi = ScreenDpi();
    const OpeningShape shape = MainWindowOpeningShape(dpi);
    const RECT& outer = shape.outer;
    HWND window = CreateWindowExW(0, className, kMainWindowTitle, kMainWindowStyle, outer.left,
                                  outer.top, outer.right - outer.left, outer.bottom - outer.top,
                                  nullptr, nullptr, instance, nullptr);
    RECT client;
    GetClientRect(window, &client);
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlRow& c : MainWindowControls()) {
        if (InExtraStep(c)) {
            continue;
        }
        const ControlClass cls = ClassFor(c);
        const TwipsRect r = ClientRectTwips(c, shape.commandFrameTop);
        PixelRect place{TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi),
                        TwipsToPixels(r.width, dpi), TwipsToPixels(r.height, dpi)};
        if (c.kind == ControlKind::StatusBar) {  // along the bottom edge, as in velquor.exe
            place = {0, client.bottom - place.height, client.right, place.height};
        }
        HWND control = CreateWindowExW(
            cls.exStyle, cls.className, std::wstring(c.caption).c_str(), cls.style, place.left,
            place.top, place.width, place.height, window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(c.kind, c.index))), instance,
            nullptr);
        SendMessageW(control, WM_SETFONT, font, FALSE);
    }
    LayOptionsForWholeCircles(window);
    return window;
}

}  // namespace
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_DESTROY) {
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    };
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"MinimalWindow";
    RegisterClassExW(&wc);
#ifdef COMPACT_VIEW
    HWND window = MakeCompactView(wc.lpszClassName, instance);
#else
    HWND window =
        CreateWindowExW(0, wc.lpszClassName, L"Velquor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 590, 250, nullptr, nullptr, instance, nullptr);
#endif
#ifdef ONE_BUTTON
    HWND button = CreateWindowExW(0, L"BUTTON", L"&Beenden", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                  10, 10, 90, 25, window, nullptr, instance, nullptr);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
#endif
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
