// The controls of the main window, declared once: kind, index, caption, rectangle in twips
// relative to the containing frame, and tab order. The Win32 side creates them in a loop.
#pragma once

#include <span>
#include <string_view>

#include "util/screen_geometry.h"

namespace velquor {

enum class ControlKind {
    Frame,             // a captioned group box: the four step frames and the command frame
    PathBox,           // read-only, one per path slot
    LabelBox,          // the menu text of a context row
    TargetTypeOption,  // 0 a document, 1 a folder
    LongNameBox,       // the long-name flag: always hidden and checked
    Button,            // numbered; the number chooses the button's action
    ColumnHeading,     // the two headings of step (3)
    IconPreview,       // the picture of the chosen disc icon
    Logo,              // the maker's logo, a link to the web site
    StatusBar,         // time and date
};

inline constexpr int kNoFrame = -1;  // the control sits directly in the window
inline constexpr int kNoTabStop = -1;

struct ControlRow {
    ControlKind kind;
    int index;  // the array index; 0 for controls that are not in an array
    std::wstring_view caption;
    int frame;  // index of the containing frame, or kNoFrame
    TwipsRect rect;
    int tabIndex;
};

// Frame numbers of the steps and of the commands.
inline constexpr int kRootFrame = 0;
inline constexpr int kTargetFrame = 1;
inline constexpr int kContextFrame = 2;
inline constexpr int kIconFrame = 3;
inline constexpr int kCommandFrame = 5;

// Button indices with an action of their own.
inline constexpr int kSystemCheckButton = 0;
inline constexpr int kOkButton = 1;
inline constexpr int kLibraryButton = 2;
inline constexpr int kToggleViewButton = 3;
inline constexpr int kRootPickButton = 4;
inline constexpr int kTargetPickButton = 5;
inline constexpr int kIconPickButton = 7;
inline constexpr int kNoIconButton = 8;
inline constexpr int kDefaultIconButton = 13;
inline constexpr int kAboutButton = 20;
inline constexpr int kHelpButton = 21;
inline constexpr int kQuitButton = 22;
inline constexpr int kFirstRowResetButton = 30;  // rows 0..2: 30, 31, 32
inline constexpr int kFirstRowPickButton = 40;   // rows 0..2: 40, 41, 42

// The window's client area in the extended view; the compact view is lower.
inline constexpr int kClientWidth = 8775;
inline constexpr int kExtendedClientHeight = 6360;

inline constexpr wchar_t kMainWindowTitle[] = L"Velquor";

// The commands the window adds to its system menu, after a separator. Their numbers stay
// below the system's own (0xF000) and leave the low four bits to the system.
inline constexpr unsigned kTestAutostartCommand = 0x0010;
inline constexpr unsigned kMakeDiscImageCommand = 0x0020;
inline constexpr wchar_t kTestAutostartMenuText[] = L"Autostart &testen";
inline constexpr wchar_t kMakeDiscImageMenuText[] = L"CD-&Abbild erstellen ...";
inline constexpr wchar_t kIconPreviewTip[] =
    L"Dies ist das zurzeit festgelegte Icon. Die Anzeige kann von der tatsächlichen Größe "
    L"abweichen.";

// In creation order: the focusable controls in tab order, the frames last so that they lie
// below their contents.
std::span<const ControlRow> MainWindowControls();

// The control of that kind and index, or nullptr.
const ControlRow* FindControl(ControlKind kind, int index);

// The control's identifier in the window. Identifiers stay clear of the dialog manager's
// IDOK and IDCANCEL, so that Enter and Escape reach no button.
int ControlId(ControlKind kind, int index);

// The index of the control of that kind with the identifier, or -1 when the table has none.
int ControlIndex(ControlKind kind, int id);

// Steps (3) and (4): their controls are made when the extended view first shows.
bool InExtraStep(const ControlRow& c);

// The control's rectangle in the window's client area, with the command frame at the given top.
TwipsRect ClientRectTwips(const ControlRow& control, int commandFrameTop);

}  // namespace velquor
