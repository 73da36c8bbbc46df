// The list of "Autostart testen", shown modally over the main window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace velquor {

// Lists `labels`, the first one selected; "&Starten", Enter or a double click calls `start`
// with the dialog and the chosen index and leaves the list open for the next one.
void ShowAutostartTestDialog(HWND owner, const std::vector<std::wstring>& labels,
                             const std::function<void(HWND dialog, int index)>& start);

}  // namespace velquor
