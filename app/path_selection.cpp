#include "app/path_selection.h"

#include "util/prompts.h"
#include "util/short_path.h"
#include "util/text_helpers.h"
#include "util/text_template.h"

namespace velquor {

namespace {

// A picked folder with its closing backslash, or empty after a cancel or a folder whose path
// is longer than `longest`; the user has been told about the latter.
std::wstring BrowseForUsableFolder(Prompts& prompts, const wchar_t* prompt, std::size_t longest) {
    std::wstring folder = prompts.BrowseForFolder(prompt);
    if (folder.empty()) {
        return folder;
    }
    folder = AddBackslash(folder);
    if (folder.size() > longest) {
        prompts.ShowMessage(FormatText(kFolderPathTooLongTemplate, {std::to_wstring(longest)}),
                            MessageStyle::Critical);
        folder.clear();
    }
    return folder;
}

}  // namespace

bool ChooseProjectRoot(ProjectSettings& s, Prompts& prompts) {
    const std::wstring root = BrowseForUsableFolder(prompts, kRootPrompt, kLongestProjectRoot);
    if (root.empty()) {
        return false;
    }
    ResetProject(s);
    s.projectRoot = root;
    s.projectRootShort = ShortPathOf(s.projectRoot);
    s.slots[kRootSlot] = s.projectRoot;
    return true;
}

bool TakePickedPath(ProjectSettings& s, int slot, const std::wstring& path) {
    if (!IsInsideProject(s, path)) {
        return false;
    }
    s.slots.at(slot) = path;
    const int row = slot - kFirstRowSlot;
    if (row >= 0 && row < kContextRowCount && !LabelIsSet(s.labels[row])) {
        s.labels[row] = DefaultLabel(path);
    }
    return true;
}

bool ChooseSlotPath(ProjectSettings& s, int slot, Prompts& prompts) {
    if (s.projectRoot.empty()) {
        return false;  // without a root every path would count as inside
    }
    const std::wstring filter = slot == kIconSlot ? kIconFilter : L"";
    const bool folderMode = slot == kTargetSlot && s.targetType == TargetType::Folder;
    for (;;) {
        std::wstring path;
        if (folderMode) {
            path = BrowseForUsableFolder(prompts, kFolderTargetPrompt, kLongestFolderPath);
        } else {
            path = prompts.ChooseDocument(s.projectRoot, filter);
        }
        if (path.empty()) {
            return false;
        }
        if (TakePickedPath(s, slot, path)) {
            return true;
        }
        if (prompts.ShowMessage(kOutsideProjectMessage, MessageStyle::CriticalYesNo) !=
            kAnswerYes) {
            return false;
        }
    }
}

}  // namespace velquor
