// The program's help: HTML pages beside the program, opened in the default browser.
#pragma once

#include <string>

namespace velquor {

class Prompts;

inline constexpr wchar_t kHelpSentMessage[] =
    L"HTML-Hilfetext wurde an den Standard-Browser geschickt ...";
inline constexpr wchar_t kHelpMissingMessage[] =
    L"Die Online-Hilfe konnte leider nicht gefunden werden ...";

// The first of index.htm, index.html, hilfe.htm, hilfe.html, then the same four in the subfolder
// hilfe\, that exists as a plain file in `programFolder` (ending in a backslash); empty if none.
std::wstring FindHelpFile(const std::wstring& programFolder);

// Opens `helpPath` if it names a plain file, otherwise the first help page of the program
// folder. Only when the browser really got it, and `announce` is set, is that confirmed.
void ShowHelp(const std::wstring& helpPath, bool announce, const std::wstring& programFolder,
              Prompts& prompts);

}  // namespace velquor
