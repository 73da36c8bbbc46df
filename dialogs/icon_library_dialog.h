// The icon library dialog's layout and texts: one list of every library entry with its number,
// "OK" and "Abbrechen". Sizes in twips, as the main window's.
#pragma once

#include <string>

#include "util/screen_geometry.h"

namespace velquor {

inline constexpr int kLibraryDialogClientWidth = 8205;
inline constexpr int kLibraryDialogClientHeight = 5835;
inline constexpr TwipsRect kLibraryFrameRect{90, 90, 8025, 5205};
inline constexpr TwipsRect kLibraryListRect{120, 240, 7755, 4815};  // within the frame
inline constexpr TwipsRect kLibraryOkRect{6900, 5370, 1215, 375};
inline constexpr TwipsRect kLibraryCancelRect{5610, 5370, 1215, 375};

inline constexpr wchar_t kLibraryFrameCaption[] = L"Bitte wählen Sie das gewünschte Icon aus ... ";
inline constexpr wchar_t kLibraryOkCaption[] = L"OK";
inline constexpr wchar_t kLibraryCancelCaption[] = L"Abbrechen";

// "Velquor - Icon-Auswahl (511 Stück)" for the full library: the title shows the live count.
std::wstring IconLibraryTitle(int count);

// The list is filled in runs of 32: after item 1, 33, 65, ... the dialog lets pending window
// messages through, so it paints and answers while it fills.
bool YieldsAfterItem(int item);

}  // namespace velquor
