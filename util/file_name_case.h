// Comparing file names as Windows does: case-insensitive over the whole Unicode range, one
// UTF-16 unit at a time, with the platform's own upper-case table.
#pragma once

#include <string_view>

namespace velquor {

// The upper-case form Windows uses for file names; characters outside the basic plane and
// characters without one come back unchanged.
wchar_t FileNameUpcase(wchar_t c);

bool FileNamesEqual(std::wstring_view a, std::wstring_view b);

// True when the first prefix.size() characters of `path` equal `prefix` as file names.
bool StartsWithFileName(std::wstring_view path, std::wstring_view prefix);

}  // namespace velquor
