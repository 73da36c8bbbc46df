#include "util/registry_win.h"

#include <algorithm>
#include <vector>

#include "util/text_helpers.h"
#include "util/unique_handle_win.h"

namespace velquor {

namespace {

// Read-only: KEY_QUERY_VALUE is the only right asked for.
UniqueRegistryKey OpenForQuery(HKEY root, const std::wstring& subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return UniqueRegistryKey();
    }
    return UniqueRegistryKey(key);
}

const wchar_t* ValueName(const std::wstring& name) {
    return name.empty() ? nullptr : name.c_str();
}

}  // namespace

std::optional<std::uint32_t> ReadRegistryDword(HKEY root, const std::wstring& subKey,
                                               const std::wstring& name) {
    const UniqueRegistryKey key = OpenForQuery(root, subKey);
    if (!key) {
        return std::nullopt;
    }
    DWORD type = REG_NONE;
    DWORD data = 0;
    DWORD size = sizeof data;
    if (RegQueryValueExW(key.Get(), ValueName(name), nullptr, &type, reinterpret_cast<BYTE*>(&data),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof data) {
        return std::nullopt;
    }
    return data;
}

std::optional<std::wstring> ReadRegistryString(HKEY root, const std::wstring& subKey,
                                               const std::wstring& name) {
    const UniqueRegistryKey key = OpenForQuery(root, subKey);
    if (!key) {
        return std::nullopt;
    }
    // The size is asked for first; should the value grow between the two calls, the read is
    // repeated with the new size.
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG status = RegQueryValueExW(key.Get(), ValueName(name), nullptr, &type, nullptr, &size);
    std::vector<BYTE> bytes;
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        if (type != REG_SZ && type != REG_EXPAND_SZ) {
            return std::nullopt;
        }
        bytes.assign(size + sizeof(wchar_t), 0);
        size = static_cast<DWORD>(bytes.size());
        status = RegQueryValueExW(key.Get(), ValueName(name), nullptr, &type, bytes.data(), &size);
        if (status == ERROR_SUCCESS) {
            if (type != REG_SZ && type != REG_EXPAND_SZ) {
                return std::nullopt;
            }
            // The stored text need not end in a nul (the buffer has one more), and it ends at
            // the first one, as Windows reads it; an odd last byte is no character.
            std::wstring text(size / sizeof(wchar_t), L'\0');
            std::copy_n(bytes.data(), text.size() * sizeof(wchar_t),
                        reinterpret_cast<BYTE*>(text.data()));
            return CutAtNul(text);
        }
    }
    return std::nullopt;
}

}  // namespace velquor
