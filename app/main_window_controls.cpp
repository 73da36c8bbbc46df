#include "app/main_window_controls.h"

#include <array>

namespace velquor {
namespace {

using enum ControlKind;

constexpr wchar_t kPick[] = L"&Auswahl ...";
constexpr wchar_t kNone[] = L"Kein";

// Tops of the three context rows inside step (3).
constexpr int kRowTop0 = 660;
constexpr int kRowTop1 = 1020;
constexpr int kRowTop2 = 1380;

constexpr std::array kControls{
    // Step (1)
    ControlRow{PathBox, 0, L"", kRootFrame, {180, 300, 5415, 315}, 0},
    ControlRow{Button, 4, kPick, kRootFrame, {5640, 300, 1035, 315}, 1},
    ControlRow{LongNameBox,
               0,
               L"&UNSICHTBAR Verwende lange Dateinamen",
               kRootFrame,
               {6900, 180, 1575, 555},
               2},
    // Step (2)
    ControlRow{PathBox, 1, L"", kTargetFrame, {180, 300, 5415, 315}, 3},
    ControlRow{TargetTypeOption, 0, L"&Datei", kTargetFrame, {5700, 360, 855, 255}, 4},
    ControlRow{TargetTypeOption, 1, L"&Ordner", kTargetFrame, {6480, 360, 795, 255}, 5},
    ControlRow{Button, 5, kPick, kTargetFrame, {7380, 300, 1035, 315}, 6},
    // Step (3)
    ControlRow{ColumnHeading, 0, L"Text im Kontextmenü", kContextFrame, {120, 300, 1875, 315}, 36},
    ControlRow{ColumnHeading,
               1,
               L"Dateipfad zum zu startenden Objekt",
               kContextFrame,
               {2040, 300, 4635, 315},
               37},
    ControlRow{LabelBox, 0, L"", kContextFrame, {120, kRowTop0, 1875, 315}, 7},
    ControlRow{PathBox, 2, L"", kContextFrame, {2040, kRowTop0, 4635, 315}, 8},
    ControlRow{Button, 30, kNone, kContextFrame, {6720, kRowTop0, 615, 315}, 9},
    ControlRow{Button, 40, kPick, kContextFrame, {7380, kRowTop0, 1035, 315}, 10},
    ControlRow{LabelBox, 1, L"", kContextFrame, {120, kRowTop1, 1875, 315}, 11},
    ControlRow{PathBox, 3, L"", kContextFrame, {2040, kRowTop1, 4635, 315}, 12},
    ControlRow{Button, 31, kNone, kContextFrame, {6720, kRowTop1, 615, 315}, 13},
    ControlRow{Button, 41, kPick, kContextFrame, {7380, kRowTop1, 1035, 315}, 14},
    ControlRow{LabelBox, 2, L"", kContextFrame, {120, kRowTop2, 1875, 315}, 15},
    ControlRow{PathBox, 4, L"", kContextFrame, {2040, kRowTop2, 4635, 315}, 16},
    ControlRow{Button, 32, kNone, kContextFrame, {6720, kRowTop2, 615, 315}, 17},
    ControlRow{Button, 42, kPick, kContextFrame, {7380, kRowTop2, 1035, 315}, 18},
    // Step (4)
    ControlRow{PathBox, 5, L"", kIconFrame, {180, 300, 4095, 315}, 19},
    ControlRow{IconPreview, 0, L"", kIconFrame, {4320, 300, 315, 315}, kNoTabStop},
    ControlRow{Button, 2, L"Bibliothek", kIconFrame, {4680, 300, 975, 315}, 20},
    ControlRow{Button, 13, L"Standard", kIconFrame, {5700, 300, 975, 315}, 21},
    ControlRow{Button, 8, kNone, kIconFrame, {6720, 300, 615, 315}, 22},
    ControlRow{Button, 7, kPick, kIconFrame, {7380, 300, 1035, 315}, 23},
    // Commands
    ControlRow{Logo, 0, L"", kCommandFrame, {120, 240, 2865, 780}, kNoTabStop},
    ControlRow{Button,
               0,
               L"&Prüfe Autostart-Optionen von Windows",
               kCommandFrame,
               {3180, 240, 3855, 375},
               24},
    ControlRow{Button, 3, L"&Kompakte Ansicht <<", kCommandFrame, {3180, 660, 2055, 375}, 25},
    ControlRow{Button, 20, L"&Info", kCommandFrame, {5340, 660, 795, 375}, 26},
    ControlRow{Button, 21, L"H&ilfe", kCommandFrame, {6240, 660, 795, 375}, 27},
    ControlRow{Button, 22, L"&Beenden", kCommandFrame, {7260, 240, 1155, 375}, 28},
    ControlRow{Button, 1, L"&OK", kCommandFrame, {7260, 660, 1155, 375}, 29},
    ControlRow{StatusBar, 0, L"", kNoFrame, {0, 6105, 8775, 255}, 30},
    // Frames
    ControlRow{Frame,
               0,
               L"(1) Position des CD-Hauptverzeichnisses auf der Festplatte ",
               kNoFrame,
               {120, 120, 8535, 795},
               31},
    ControlRow{Frame,
               1,
               L"(2) Dateipfad zum dem Objekt, welches automatisch von CD starten soll",
               kNoFrame,
               {120, 1020, 8535, 795},
               32},
    ControlRow{Frame,
               2,
               L"(3) Zusatzeinträge für das Kontextmenü der Autostart-CD",
               kNoFrame,
               {120, 1920, 8535, 1875},
               33},
    ControlRow{Frame,
               3,
               L"(4) Position der Datei mit dem Icon für dieses CD",
               kNoFrame,
               {120, 3900, 8535, 795},
               34},
    ControlRow{Frame, 5, L"Steuerung", kNoFrame, {120, 4800, 8535, 1155}, 35},
};

// Identifier bases per kind; every array index stays below 100.
int IdBase(ControlKind kind) {
    switch (kind) {
        case Frame:
            return 1000;
        case PathBox:
            return 1100;
        case LabelBox:
            return 1200;
        case TargetTypeOption:
            return 1300;
        case LongNameBox:
            return 1400;
        case Button:
            return 1500;
        case ColumnHeading:
            return 1600;
        case IconPreview:
            return 1700;
        case Logo:
            return 1800;
        case StatusBar:
            return 1900;
    }
    return 0;
}

}  // namespace

std::span<const ControlRow> MainWindowControls() {
    return kControls;
}

const ControlRow* FindControl(ControlKind kind, int index) {
    for (const ControlRow& c : kControls) {
        if (c.kind == kind && c.index == index) {
            return &c;
        }
    }
    return nullptr;
}

int ControlId(ControlKind kind, int index) {
    return IdBase(kind) + index;
}

int ControlIndex(ControlKind kind, int id) {
    const int index = id - IdBase(kind);
    return FindControl(kind, index) != nullptr ? index : -1;
}

bool InExtraStep(const ControlRow& c) {
    const int frame = c.kind == Frame ? c.index : c.frame;
    return frame == kContextFrame || frame == kIconFrame;
}

TwipsRect ClientRectTwips(const ControlRow& control, int commandFrameTop) {
    TwipsRect rect = control.rect;
    if (control.kind == Frame && control.index == kCommandFrame) {
        rect.top = commandFrameTop;
    }
    if (control.frame == kNoFrame) {
        return rect;
    }
    const TwipsRect frame = ClientRectTwips(*FindControl(Frame, control.frame), commandFrameTop);
    rect.left += frame.left;
    rect.top += frame.top;
    return rect;
}

}  // namespace velquor
