// "CD-Abbild erstellen ...", shown modally over the main window for the chosen project.
#pragma once

#include <windows.h>

#include <string>

namespace velquor {

class Prompts;

// `projectRoot` ends in a backslash. Messages go through `prompts`, owned by the dialog.
void ShowDiscImageDialog(HWND owner, const std::wstring& projectRoot, Prompts& prompts);

}  // namespace velquor
