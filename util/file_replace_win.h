// The one-step replace behind the file services, for writers that stream their content.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace velquor {

// Replaces the file at `path` with what `write` writes into `file`, a new file opened under the
// first free temporary name beside it (TemporaryFileName), which then takes the old one's place
// in one rename. Whatever `write` throws, and any other failure, removes the temporary file and
// leaves the old file as it was; the exception goes on to the caller.
void ReplaceFileWith(const std::wstring& path, const std::function<void(HANDLE file)>& write);

}  // namespace velquor
