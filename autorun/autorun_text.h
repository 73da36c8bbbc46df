// The text of AutoRun.Inf, built from the project settings.
#pragma once

#include <string>

#include "project/project_settings.h"

namespace velquor {

class Clock;

inline constexpr wchar_t kAutorunFileName[] = L"AutoRun.Inf";
inline constexpr wchar_t kLauncherFileName[] = L"Orbeno.Exe";
inline constexpr wchar_t kLibraryIconFileName[] = L"AutoRun.Ico";

// The header block as one template: "\n\l" ends every line, "%t%" stands for the creation
// time and "%y%" for the year.
std::wstring AutorunHeaderTemplate();

// The whole file: header, "[autorun]", open line, icon line, context rows, the fixed entry;
// every line ends in CR LF. Date-time and year are two separate readings of the clock.
std::wstring ComposeAutorunText(const ProjectSettings& s, Clock& clock);

// The project root followed directly by the file name.
std::wstring AutorunFilePath(const ProjectSettings& s);

}  // namespace velquor
