// What the library's pictures look like on screen, and the files in the source tree they come
// from, for tests that check a window shows the right entry.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace velquor::testing {

// The library's files in the source tree, which the program must carry byte for byte.
inline std::wstring LibrarySourceFile(int entry) {
    std::wstring number = std::to_wstring(entry);
    number.insert(0, 3 - number.size(), L'0');
    // Under Wine the host's file system is drive Z:; a Windows build has a path with a drive.
    const std::string source = VELQUOR_SOURCE_DIR "/resources/icons/";
    std::wstring folder = source.starts_with('/') ? L"Z:" : L"";
    for (const char c : source) {
        folder += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    }
    return folder + number + L".ico";
}

// The colours a drawing leaves on a square of `size` pixels filled with `ground`.
template <typename Draw>
std::vector<DWORD> PixelsOf(int size, COLORREF ground, Draw draw) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP canvas = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, canvas);
    HBRUSH brush = CreateSolidBrush(ground);
    const RECT all{0, 0, size, size};
    FillRect(dc, &all, brush);
    draw(dc);
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    std::vector<DWORD> result(pixels, pixels + size * size);
    for (DWORD& p : result) {
        p &= 0xFFFFFF;  // the alpha byte is no colour
    }
    SelectObject(dc, old);
    DeleteObject(brush);
    DeleteDC(dc);
    DeleteObject(canvas);
    return result;
}

// Entry `entry` as the system draws its file in a square of `size` pixels: the file read from
// the source tree, not the copy the program carries.
inline std::vector<DWORD> LibraryFilePixels(int entry, int size, COLORREF ground) {
    const auto icon = static_cast<HICON>(LoadImageW(nullptr, LibrarySourceFile(entry).c_str(),
                                                    IMAGE_ICON, size, size, LR_LOADFROMFILE));
    std::vector<DWORD> pixels = PixelsOf(size, ground, [&](HDC dc) {
        DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    });
    DestroyIcon(icon);
    return pixels;
}

}  // namespace velquor::testing
