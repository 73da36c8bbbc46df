// Starting another program by its full path, never by a search: the system would otherwise
// look in this program's own folder first.
#pragma once

#include <string>

namespace velquor {

inline constexpr wchar_t kProgramStartFailureTemplate[] =
    L"Das Programm\\n\\n%f%\\n\\nließ sich nicht starten. Es kam dabei zu folgendem "
    L"Fehler:\\n\\n%g%";

// Starts `program` with exactly `commandLine` (which names the program first, as a program
// expects) in `workingFolder` (empty: this program's), and lets it run. Throws RunTimeError.
void StartProgram(const std::wstring& program, std::wstring commandLine,
                  const std::wstring& workingFolder);

}  // namespace velquor
