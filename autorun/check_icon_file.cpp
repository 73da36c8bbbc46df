#include "autorun/check_icon_file.h"

#include "util/prompts.h"
#include "util/text_template.h"

namespace velquor {

bool IconSlotNamesFile(std::wstring_view slotText) {
    return slotText.find(L":\\") != std::wstring_view::npos;
}

bool LoadIconFilePreview(ProjectSettings& s, const PictureLoader& loadPicture) {
    if (!IconSlotNamesFile(s.slots[kIconSlot])) {
        return false;
    }
    if (loadPicture(s.slots[kIconSlot])) {
        s.preview = {PreviewKind::IconFile, 0};
        return true;
    }
    ResetSlot(s, kIconSlot);
    return false;
}

void CheckIconFile(ProjectSettings& s, Prompts& prompts, const PictureLoader& loadPicture) {
    if (IconSlotNamesFile(s.slots[kIconSlot]) && !LoadIconFilePreview(s, loadPicture)) {
        prompts.ShowMessage(FormatText(kInvalidIconFileTemplate), MessageStyle::Critical);
    }
}

}  // namespace velquor
