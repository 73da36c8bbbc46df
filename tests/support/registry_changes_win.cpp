#include "support/registry_changes_win.h"

#include <gtest/gtest.h>

namespace velquor::testing {

namespace {

bool KeyExists(HKEY root, const std::wstring& subKey) {
    HKEY key = nullptr;
    const bool exists = RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (exists) {
        RegCloseKey(key);
    }
    return exists;
}

// The value's type and exact bytes; nothing when the key or the value is missing.
std::optional<std::pair<DWORD, std::vector<BYTE>>> RawValue(HKEY root, const std::wstring& subKey,
                                                            const std::wstring& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD type = REG_NONE;
    DWORD size = 0;
    std::optional<std::pair<DWORD, std::vector<BYTE>>> value;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<BYTE> bytes(size);
        EXPECT_EQ(RegQueryValueExW(key, name.c_str(), nullptr, &type, bytes.data(), &size),
                  ERROR_SUCCESS);
        bytes.resize(size);
        value.emplace(type, std::move(bytes));
    }
    RegCloseKey(key);
    return value;
}

}  // namespace

RegistryChanges::~RegistryChanges() {
    for (auto undo = undo_.rbegin(); undo != undo_.rend(); ++undo) {
        LONG status = ERROR_SUCCESS;
        if (!undo->name) {
            status = RegDeleteKeyW(undo->root, undo->subKey.c_str());
        } else if (undo->old) {
            status = RegSetKeyValueW(undo->root, undo->subKey.c_str(), undo->name->c_str(),
                                     undo->old->first, undo->old->second.data(),
                                     static_cast<DWORD>(undo->old->second.size()));
        } else if (RawValue(undo->root, undo->subKey, *undo->name)) {
            status = RegDeleteKeyValueW(undo->root, undo->subKey.c_str(), undo->name->c_str());
        }
        EXPECT_EQ(status, ERROR_SUCCESS) << "registry not restored at " << undo->subKey;
    }
}

void RegistryChanges::Set(HKEY root, const std::wstring& subKey, const std::wstring& name,
                          DWORD type, const void* data, DWORD size) {
    for (std::size_t end = subKey.find(L'\\');; end = subKey.find(L'\\', end + 1)) {
        const std::wstring path = subKey.substr(0, end);
        if (!KeyExists(root, path)) {
            HKEY key = nullptr;
            ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_READ, nullptr, &key,
                                      nullptr),
                      ERROR_SUCCESS);
            RegCloseKey(key);
            undo_.push_back({root, path, std::nullopt, std::nullopt});
        }
        if (end == std::wstring::npos) {
            break;
        }
    }
    undo_.push_back({root, subKey, name, RawValue(root, subKey, name)});
    EXPECT_EQ(RegSetKeyValueW(root, subKey.c_str(), name.c_str(), type, data, size), ERROR_SUCCESS);
}

void RegistryChanges::Remove(HKEY root, const std::wstring& subKey, const std::wstring& name) {
    if (auto old = RawValue(root, subKey, name)) {
        undo_.push_back({root, subKey, name, std::move(old)});
        EXPECT_EQ(RegDeleteKeyValueW(root, subKey.c_str(), name.c_str()), ERROR_SUCCESS);
    }
}

}  // namespace velquor::testing
