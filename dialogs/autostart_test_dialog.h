// The list of "Autostart testen": the commands of the saved AutoRun.Inf, "&Starten" and
// "Schließen". Sizes in twips.
#pragma once

#include <span>

#include "dialogs/dialog_controls.h"

namespace velquor {

inline constexpr wchar_t kAutostartTestTitle[] = L"Velquor - Autostart testen";
inline constexpr int kAutostartTestClientWidth = 5400;
inline constexpr int kAutostartTestClientHeight = 3255;

// "Schließen" has the dialog manager's Cancel number, "&Starten" its OK number: Escape closes,
// Enter starts.
inline constexpr int kAutostartListId = 100;
inline constexpr int kAutostartStartId = 1;
inline constexpr int kAutostartCloseId = 2;

std::span<const DialogControl> AutostartTestControls();

}  // namespace velquor
