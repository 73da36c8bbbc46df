// Removes a folder with everything in it, read-only files too; without gtest, so that the
// benchmarks can clean up with it as well.
#pragma once

#include <windows.h>

#include <string>

namespace velquor::testing {

// `folder` ends in a backslash.
void RemoveTree(const std::wstring& folder);

}  // namespace velquor::testing
