// Registry values set or removed for the length of a test. Every change is undone when the
// object goes, also after a failed assertion: a value that was there gets back its type and
// bytes, one that was not is removed, and keys created on the way are removed, innermost first.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace velquor::testing {

class RegistryChanges {
  public:
    RegistryChanges() = default;
    RegistryChanges(const RegistryChanges&) = delete;
    RegistryChanges& operator=(const RegistryChanges&) = delete;
    ~RegistryChanges();

    // An empty name is the key's default value.
    void Set(HKEY root, const std::wstring& subKey, const std::wstring& name, DWORD type,
             const void* data, DWORD size);
    void SetDword(HKEY root, const std::wstring& subKey, const std::wstring& name, DWORD value) {
        Set(root, subKey, name, REG_DWORD, &value, sizeof value);
    }
    // With the terminating nul.
    void SetString(HKEY root, const std::wstring& subKey, const std::wstring& name,
                   const std::wstring& text, DWORD type = REG_SZ) {
        Set(root, subKey, name, type, text.c_str(),
            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    void Remove(HKEY root, const std::wstring& subKey, const std::wstring& name);

  private:
    struct Undo {
        HKEY root;
        std::wstring subKey;
        std::optional<std::wstring> name;  // nothing: the key was created, remove it
        std::optional<std::pair<DWORD, std::vector<BYTE>>> old;  // the value before, if any
    };
    std::vector<Undo> undo_;
};

}  // namespace velquor::testing
