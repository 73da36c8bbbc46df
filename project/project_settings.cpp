#include "project/project_settings.h"

#include <algorithm>

#include "util/file_name_case.h"
#include "util/short_path.h"
#include "util/text_helpers.h"

namespace velquor {

ProjectSettings::ProjectSettings() {
    ResetAllSlots(*this);
}

void ResetSlot(ProjectSettings& s, int slot) {
    s.slots.at(slot) = kNotChosen;
    if (slot >= kFirstRowSlot && slot < kFirstRowSlot + kContextRowCount) {
        s.labels.at(slot - kFirstRowSlot) = kNoLabel;
    }
    if (slot == kIconSlot) {
        s.preview = IconPreview{};
    }
}

void ResetAllSlots(ProjectSettings& s) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        ResetSlot(s, slot);
    }
}

void ResetProject(ProjectSettings& s) {
    ResetAllSlots(s);
}

void SetDefaultIcon(ProjectSettings& s) {
    s.slots[kIconSlot] = kDefaultIcon;
    s.preview = {PreviewKind::DefaultDisc, 0};
}

void ApplyLibraryIcon(ProjectSettings& s, int entry) {
    if (entry == 0) {
        return;
    }
    s.slots[kIconSlot] = kLibraryIcon;
    s.preview = {PreviewKind::LibraryEntry, entry};
}

bool LabelIsSet(std::wstring_view label) {
    const std::wstring trimmed = TrimBlanks(label);
    return !trimmed.empty() && trimmed != kNoLabel;
}

bool SlotIsChosen(std::wstring_view slotText) {
    const std::wstring trimmed = TrimBlanks(slotText);
    return !trimmed.empty() && trimmed != kNotChosen;
}

std::optional<int> FirstIncompleteContextRow(const ProjectSettings& s) {
    for (int row = 0; row < kContextRowCount; ++row) {
        if (LabelIsSet(s.labels[row]) != SlotIsChosen(s.slots[kFirstRowSlot + row])) {
            return row;
        }
    }
    return std::nullopt;
}

bool IsInsideProject(const ProjectSettings& s, std::wstring_view path) {
    return StartsWithFileName(path, s.projectRoot);
}

std::wstring DefaultLabel(std::wstring_view path) {
    const std::wstring_view name = path.substr(path.find_last_of(L'\\') + 1);
    return std::wstring(name.substr(0, name.find(L'.')));
}

std::wstring RelativeSlotPath(const ProjectSettings& s, int slot) {
    std::wstring relative;
    if (s.useLongNames) {
        relative = s.slots.at(slot).substr(std::min(s.projectRoot.size(), s.slots[slot].size()));
    } else {
        const std::wstring shortPath = ShortPathOf(s.slots.at(slot));
        relative = shortPath.substr(std::min(s.projectRootShort.size(), shortPath.size()));
    }
    return relative.empty() ? L"\\" : relative;
}

bool RootDependentControlsEnabled(const ProjectSettings& s) {
    return !s.projectRoot.empty();
}

bool ReadyToSave(const ProjectSettings& s) {
    return SlotIsChosen(s.slots[kTargetSlot]) && !s.projectRoot.empty();
}

}  // namespace velquor
