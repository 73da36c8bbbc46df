// Real files for the Win32 tests: a fresh folder that is removed with everything in it.
#pragma once

#include <windows.h>

#include <string>

#include "support/remove_tree_win.h"

namespace velquor::testing {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Ends in a backslash.
    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + name; }

  private:
    std::wstring path_;
};

std::string ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
// The names in a folder, "." and ".." left out.
std::wstring ListNames(const std::wstring& folder);
// Whether something appears at `path` within that time: what another process writes.
bool AppearsWithin(const std::wstring& path, DWORD milliseconds);

}  // namespace velquor::testing
