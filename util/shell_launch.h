// Handing documents, web addresses and mail to the programs the shell associates with them.
// What the shell cannot open is reported, so a failure never looks like success.
#pragma once

#include <string>

namespace velquor {

class Prompts;

// The shell's show modes that the program uses.
inline constexpr int kShowNormal = 0;  // stands for the platform's normal window (1)
inline constexpr int kShowMaximised = 3;

inline constexpr wchar_t kShellOpenFailureTemplate[] =
    L"Windows konnte das folgende Ziel nicht öffnen:\\n\\n%z%\\n\\nEs kam dabei zu folgendem "
    L"Fehler:\\n\\n%g%";

// Opens the target with the shell's "Open" verb. When the shell cannot, the user is told which
// target and why (critical style), and the result is false.
bool ShellOpen(Prompts& prompts, const std::wstring& target, int showMode);

// The maker's web site, maximised.
bool OpenMakerSite(Prompts& prompts);

}  // namespace velquor
