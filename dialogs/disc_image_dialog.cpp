#include "dialogs/disc_image_dialog.h"

namespace velquor {

std::span<const DialogControl> DiscImageControls() {
    using enum DialogControlKind;
    constexpr int kButtonTop = 5220;
    constexpr int kButtonHeight = 375;
    static constexpr DialogControl kControls[] = {
        {-1, Label, L"Abbild-&Datei:", {120, 165, 1740, 240}},
        {kImagePathId, Edit, L"", {1920, 120, 5820, 315}},
        {kImageBrowseId, Button, L"...", {7800, 120, 480, 315}},
        {-1, Label, L"&Name der CD:", {120, 570, 1740, 240}},
        {kVolumeNameId, Edit, L"", {1920, 525, 2400, 315}},
        {-1, Label, L"&Medium:", {120, 975, 1740, 240}},
        {kMediumListId, DropDownList, L"", {1920, 930, 2400, 1500}},
        {-1, Label, L"&Prüfung des Projekts:", {120, 1410, 8160, 240}},
        {kFindingsId, FindingsText, L"", {120, 1665, 8160, 2700}},
        {kImageProgressId, ProgressBar, L"", {120, 4470, 8160, 255}},
        {kImageStatusId, Label, L"", {120, 4830, 8160, 240}},
        {kImageCreateId, DefaultButton, L"&Erstellen", {120, kButtonTop, 1335, kButtonHeight}},
        {kBurnImageId, Button, L"Mit Windows &brennen", {1575, kButtonTop, 2055, kButtonHeight}},
        {kOpenImageFolderId, Button, L"&Ordner öffnen", {3750, kButtonTop, 1560, kButtonHeight}},
        {kImageCloseId, Button, kCloseCaption, {7065, kButtonTop, 1215, kButtonHeight}},
    };
    return kControls;
}

std::span<const MediumChoice> MediumChoices() {
    static constexpr MediumChoice kChoices[] = {
        {DiscMedium::kCd650, L"CD 650 MB"},
        {DiscMedium::kCd700, L"CD 700 MB"},
        {DiscMedium::kDvd, L"DVD"},
        {DiscMedium::kDvdDoubleLayer, L"DVD mit zwei Schichten"},
        {DiscMedium::kBluRay, L"Blu-ray 25 GB"},
        {DiscMedium::kAnySize, L"beliebig"},
    };
    return kChoices;
}

std::wstring FindingsText(const std::vector<DiscFinding>& findings) {
    if (findings.empty()) {
        return kNoFindingsText;
    }
    std::wstring text;
    for (const DiscFinding& f : findings) {
        text += FindingPrefix(f.severity);
        text += f.text + L"\r\n";
    }
    return text;
}

}  // namespace velquor
