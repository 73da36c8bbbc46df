// "Autostart testen" on this computer: the saved AutoRun.Inf read as Windows reads it from the
// disc, and its commands started with the project root as the disc's root.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/autostart_test.h"

namespace velquor {

class Prompts;

// The commands of the root's AutoRun.Inf (ANSI, or UTF-16 LE with a byte-order mark); nothing
// when the root holds no such file.
std::optional<std::vector<AutostartEntry>> ReadAutostartEntries(const std::wstring& projectRoot);

// Starts the command line in the project root as working folder, its program resolved against
// the root and named in full, so that the system never picks a program of the same name from
// elsewhere (Velquor's own Orbeno.Exe, beside it). Throws RunTimeError.
void StartAutostartCommand(const std::wstring& projectRoot, const std::wstring& commandLine);

// The whole command: the list of the file's commands over `owner`, each started on request;
// what fails is reported through `prompts`.
void TestAutostart(HWND owner, const std::wstring& projectRoot, Prompts& prompts);

}  // namespace velquor
