// Reading single registry values, and nothing else: keys are opened for querying values only,
// so the program can never change a setting through these functions.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace velquor {

// The REG_DWORD value `name` (empty: the key's default value) of `root`\`subKey`. Nothing when
// the key or value is missing, cannot be read, or has another type: a value of the wrong type
// counts as not set, as for the program's checks it is not the setting they look for.
std::optional<std::uint32_t> ReadRegistryDword(HKEY root, const std::wstring& subKey,
                                               const std::wstring& name);

// The REG_SZ or REG_EXPAND_SZ value `name` (empty: the key's default value), without its
// terminating nul and with environment variables left unexpanded. Nothing on any error or for
// another type, as above.
std::optional<std::wstring> ReadRegistryString(HKEY root, const std::wstring& subKey,
                                               const std::wstring& name);

}  // namespace velquor
