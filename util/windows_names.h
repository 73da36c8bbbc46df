// How Windows reads a program's command line and a name in a path, without allocating or
// throwing: the launcher on the disc is built that way, and Velquor reads the disc's
// AutoRun.Inf by the same rules.
#pragma once

#include <string_view>

namespace velquor {

// The argument of a raw command line (GetCommandLineW), not split by the usual argument rules,
// which would turn `"\"` into a quote. The program name is skipped as Windows skips it: up to
// the closing quote when it begins with one, otherwise up to the first blank or tab. Blanks and
// tabs around the rest are trimmed, and one matching pair of enclosing quotes is removed; quotes
// anywhere else stay. An empty result, also from `""`, means there is no argument.
std::wstring_view ArgumentOf(std::wstring_view commandLine);

// A device name as Windows reads it in any part of a path: case does not matter, an extension
// and trailing dots or blanks do not change it ("nul.txt", "Con ", "LPT1.").
bool IsDeviceName(std::wstring_view part);

}  // namespace velquor
