#include "app/main_window_shape_win.h"

#include <commctrl.h>

#include "app/view_layout.h"
#include "util/screen_geometry.h"
#include "util/window_services_win.h"

namespace velquor {
namespace {

// The option that lies on top of the pair, and so opens its group.
constexpr int kTopOption = 1;

}  // namespace

ControlClass ClassFor(const ControlRow& c) {
    // Every control but the option pair opens a new group, so arrow keys stay in that pair.
    constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;
    switch (c.kind) {
        case ControlKind::Frame:
            return {L"BUTTON", kChild | WS_VISIBLE | WS_GROUP | BS_GROUPBOX, 0};
        case ControlKind::PathBox:
            return {L"EDIT",
                    kChild | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY,
                    WS_EX_CLIENTEDGE};
        case ControlKind::LabelBox:
            return {L"EDIT", kChild | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL,
                    WS_EX_CLIENTEDGE};
        case ControlKind::TargetTypeOption:
            return {L"BUTTON",
                    kChild | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON |
                        (c.index == kTopOption ? WS_GROUP : 0u),
                    0};
        case ControlKind::LongNameBox:
            return {L"BUTTON", kChild | WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
        case ControlKind::Button:
            return {L"BUTTON", kChild | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON, 0};
        case ControlKind::ColumnHeading:
            return {L"STATIC", kChild | WS_VISIBLE | WS_GROUP | SS_LEFT, 0};
        case ControlKind::IconPreview:
            // Drawn by the window: the picture of a picked file need not be an icon.
            return {L"STATIC", kChild | WS_VISIBLE | WS_GROUP | SS_OWNERDRAW | SS_NOTIFY, 0};
        case ControlKind::Logo:
            return {L"STATIC",
                    kChild | WS_VISIBLE | WS_GROUP | SS_BITMAP | SS_REALSIZECONTROL | SS_NOTIFY, 0};
        case ControlKind::StatusBar:
            return {STATUSCLASSNAMEW,
                    kChild | WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0};
    }
    return {L"STATIC", kChild, 0};
}

void LayOptionsForWholeCircles(HWND window) {
    const HWND document = GetDlgItem(window, ControlId(ControlKind::TargetTypeOption, 0));
    const HWND folder = GetDlgItem(window, ControlId(ControlKind::TargetTypeOption, kTopOption));
    SetWindowPos(document, folder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

OpeningShape MainWindowOpeningShape(int dpi) {
    RECT outer{0, 0, TwipsToPixels(kClientWidth, dpi), TwipsToPixels(kExtendedClientHeight, dpi)};
    AdjustWindowRectEx(&outer, kMainWindowStyle, FALSE, 0);
    OffsetRect(&outer, -outer.left, -outer.top);
    OpeningShape shape{};
    shape.savedCommandFrameTop = FindControl(ControlKind::Frame, kCommandFrame)->rect.top;
    shape.savedWindowHeight = outer.bottom * TwipsPerPixel(dpi);
    // Made compact and centred at once: every move before the first paint delays it.
    const ViewLayout view =
        LayoutForView(true, shape.savedCommandFrameTop, shape.savedWindowHeight);
    shape.commandFrameTop = view.commandFrameTop;
    outer.bottom = TwipsToPixels(view.windowHeight, dpi);
    const Point origin = CentredOrigin(PrimaryWorkArea(), {outer.right, outer.bottom});
    OffsetRect(&outer, origin.x, origin.y);
    shape.outer = outer;
    return shape;
}

}  // namespace velquor
