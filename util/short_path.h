// The short (8.3) form of a path. Each platform build supplies its own definition.
#pragma once

#include <string>

namespace velquor {

// The short form of an existing path as the system gives it; empty when it gives none (the
// path does not exist, or the platform has no short names).
std::wstring ShortPathOf(const std::wstring& path);

}  // namespace velquor
