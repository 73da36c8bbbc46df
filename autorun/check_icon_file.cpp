#include "autorun/check_icon_file.h"

#include "util/prompts.h"
#include "util/text_template.h"

namespace velquor {

bool IconSlotNamesFile(std::wstring_view slotText) {
    return slotText.find(L":\\") != std::wstring_view::npos;
}

void CheckIconFile(ProjectSettings& s, Prompts& prompts, const PictureLoader& loadPicture) {
    if (!IconSlotNamesFile(s.slots[kIconSlot])) {
        return;
    }
    if (loadPicture(s.slots[kIconSlot])) {
        s.preview = {PreviewKind::IconFile, 0};
        return;
    }
    prompts.ShowMessage(FormatText(kInvalidIconFileTemplate), MessageStyle::Critical);
    ResetSlot(s, kIconSlot);
}

}  // namespace velquor
