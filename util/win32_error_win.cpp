#include "util/win32_error_win.h"

namespace velquor {

RunTimeError Win32Error(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring description = length != 0 ? std::wstring(buffer, length) : std::wstring();
    LocalFree(buffer);
    while (!description.empty() && (description.back() == L'\n' || description.back() == L'\r' ||
                                    description.back() == L' ')) {
        description.pop_back();
    }
    if (description.empty()) {
        description = L"Unbekannter Fehler";
    }
    return RunTimeError(description, code);
}

void ThrowLastError() {
    throw Win32Error(GetLastError());
}

}  // namespace velquor
