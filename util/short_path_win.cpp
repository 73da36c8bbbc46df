#include <windows.h>

#include "util/short_path.h"

namespace velquor {

std::wstring ShortPathOf(const std::wstring& path) {
    // The first call gives the size needed, so a short form longer than any fixed buffer
    // still comes back whole.
    std::wstring buffer(MAX_PATH, L'\0');
    DWORD length =
        GetShortPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length >= buffer.size()) {
        buffer.assign(length, L'\0');
        length = GetShortPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length >= buffer.size()) {
            return {};
        }
    }
    buffer.resize(length);
    return buffer;
}

}  // namespace velquor
