// The yardsticks for the start-up bench: one window titled as Velquor's, shown, and a message
// loop; nothing else. Built a second time with ONE_BUTTON: the same window with the Common
// Controls 6 manifest of velquor.exe and one labelled button, the least a dialog window has.
#include <windows.h>

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
    HWND window =
        CreateWindowExW(0, wc.lpszClassName, L"Velquor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 590, 250, nullptr, nullptr, instance, nullptr);
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
