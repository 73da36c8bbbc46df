// Renders the main window compact and extended, the icon library dialog, the system check's
// progress dialog, the about box and the disc image dialog into BMP files for the
// documentation:
//   velquor_screenshots.exe OUTPUT_FOLDER
#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "dialogs/about_box_win.h"
#include "dialogs/disc_image_dialog.h"
#include "dialogs/disc_image_dialog_win.h"
#include "dialogs/icon_library_dialog_win.h"
#include "dialogs/progress_dialog_win.h"
#include "dialogs/progress_steps.h"
#include "util/file_services.h"
#include "util/program_windows_win.h"
#include "util/prompts.h"
#include "util/system_clock.h"

namespace {

using namespace velquor;

// Answers the pickers with a fixed example project.
class ExamplePrompts : public Prompts {
  public:
    int ShowMessage(const std::wstring&, MessageStyle) override { return kAnswerNo; }
    std::wstring BrowseForFolder(const std::wstring&) override { return L"C:\\CD-Projekt"; }
    std::wstring ChooseDocument(const std::wstring&, const std::wstring&) override {
        return documents_.empty() ? L"" : Next();
    }
    std::wstring SaveFile(const std::wstring&, const std::wstring&, const std::wstring&) override {
        return {};
    }
    ShellResult ShellOpen(const std::wstring&, int) override { return {}; }
    std::unique_ptr<Prompts> OwnedBy(WindowHandle) override {
        return std::make_unique<ExamplePrompts>();
    }

    std::vector<std::wstring> documents_{L"C:\\CD-Projekt\\Start\\Index.htm",
                                         L"C:\\CD-Projekt\\Handbuch.pdf"};

  private:
    std::wstring Next() {
        std::wstring next = documents_.front();
        documents_.erase(documents_.begin());
        return next;
    }
};

void Pump() {
    MSG msg;
    for (int round = 0; round < 20; ++round) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(25);
    }
}

bool SaveWindowBitmap(HWND window, const std::wstring& path) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    const DWORD stride = ((width * 3 + 3) / 4) * 4;
    const DWORD imageSize = stride * height;
    BITMAPFILEHEADER file{
        0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageSize),
        0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), imageSize);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return out.good();
}

std::wstring outputFolder;

// For a hook on the window procedures: the dialog whose modal loop first waits for input, the
// first time only (`seen` remembers it); nullptr for every other call.
HWND FirstIdleDialog(int code, LPARAM lParam, bool& seen) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (seen || code != HC_ACTION || call->message != WM_ENTERIDLE ||
        call->wParam != MSGF_DIALOGBOX) {
        return nullptr;
    }
    seen = true;
    return reinterpret_cast<HWND>(call->lParam);
}

bool dialogSaved = false;

// Once the library dialog waits for input: select an icon, photograph the dialog, take it.
LRESULT CALLBACK PhotographLibrary(int code, WPARAM wParam, LPARAM lParam) {
    if (const HWND dialog = FirstIdleDialog(code, lParam, dialogSaved)) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        HWND list = GetDlgItem(dialog, kLibraryListId);
        SendMessageW(list, LVM_SETITEMSTATE, 5, reinterpret_cast<LPARAM>(&state));
        SetFocus(list);
        dialogSaved = SaveWindowBitmap(dialog, outputFolder + L"icon-library.bmp");
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool progressSaved = false;

// Half-way through the system check's sequence, while the bar holds 68.
void CALLBACK PhotographProgress(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const HWND dialog = FindWindowW(kProgressDialogClass, nullptr);
    progressSaved = dialog && SaveWindowBitmap(dialog, outputFolder + L"system-check.bmp");
}

bool imageSaved = false;

// Once the image dialog waits for input, with its findings of an example project.
LRESULT CALLBACK PhotographImageDialog(int code, WPARAM wParam, LPARAM lParam) {
    if (const HWND dialog = FirstIdleDialog(code, lParam, imageSaved)) {
        imageSaved = SaveWindowBitmap(dialog, outputFolder + L"disc-image.bmp");
        PostMessageW(dialog, WM_COMMAND, kImageCloseId, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A small project on disk, saved without a launcher: the findings show a warning.
std::wstring MakeExampleProject() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::filesystem::path root = std::filesystem::path(temp) / L"Frühjahrskatalog";
    std::filesystem::create_directories(root / L"Start");
    std::ofstream(root / L"Start" / L"Index.htm", std::ios::binary)
        << "<!DOCTYPE html><title>Katalog</title>";
    std::ofstream(root / L"AutoRun.Inf", std::ios::binary)
        << "[autorun]\r\nopen = Orbeno.Exe \"Start\\Index.htm\"\r\n";
    return root.wstring() + L"\\";
}

void Click(const MainWindow& window, int button) {
    SendMessageW(window.Control(ControlKind::Button, button), BM_CLICK, 0, 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring folder = argc > 1 ? std::wstring(argv[1]) + L"\\" : L"";
    outputFolder = folder;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    ExamplePrompts prompts;
    SystemClock clock;
    ProgramWindows windows([] {});
    MainWindow window(prompts, clock, windows, ProgramFolder());
    if (!window.Create(GetModuleHandleW(nullptr))) {
        return 1;
    }
    ShowWindow(window.Handle(), SW_SHOW);
    Pump();
    bool ok = SaveWindowBitmap(window.Handle(), folder + L"main-compact.bmp");

    Click(window, kRootPickButton);
    Click(window, kTargetPickButton);
    Click(window, kFirstRowPickButton + 0);
    Click(window, kToggleViewButton);
    HHOOK hook =
        SetWindowsHookExW(WH_CALLWNDPROC, PhotographLibrary, nullptr, GetCurrentThreadId());
    Click(window, kLibraryButton);
    UnhookWindowsHookEx(hook);
    ok = dialogSaved && ok;
    Pump();
    ok = SaveWindowBitmap(window.Handle(), folder + L"main-extended.bmp") && ok;

    SetTimer(nullptr, 0, 1200, PhotographProgress);
    RunProgressDialog(window.Handle(), kSystemCheckSteps, kSystemCheckTitle, windows);
    ok = progressSaved && ok;

    const HWND about = ShowAboutBox(window.Handle(), prompts, clock, windows);
    Pump();
    ok = about && SaveWindowBitmap(about, folder + L"about-box.bmp") && ok;

    const std::wstring project = MakeExampleProject();
    const HHOOK imageHook =
        SetWindowsHookExW(WH_CALLWNDPROC, PhotographImageDialog, nullptr, GetCurrentThreadId());
    ShowDiscImageDialog(window.Handle(), project, prompts);
    UnhookWindowsHookEx(imageHook);
    std::filesystem::remove_all(project);
    ok = imageSaved && ok;
    return ok ? 0 : 1;
}
