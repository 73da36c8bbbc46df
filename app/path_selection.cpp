#include "app/path_selection.h"

#include "util/prompts.h"
#include "util/short_path.h"
#include "util/text_helpers.h"

namespace velquor {

namespace {

// A picked folder, or empty after a cancel or a folder whose path is too long; the user has
// been told about the latter.
std::wstring BrowseForUsableFolder(Prompts& prompts, const wchar_t* prompt) {
    std::wstring folder = prompts.BrowseForFolder(prompt);
    if (folder.size() > kLongestFolderPath) {
        prompts.ShowMessage(kFolderPathTooLongMessage, MessageStyle::Critical);
        folder.clear();
    }
    return folder;
}

}  // namespace

bool ChooseProjectRoot(ProjectSettings& s, Prompts& prompts) {
    const std::wstring folder = BrowseForUsableFolder(prompts, kRootPrompt);
    if (folder.empty()) {
        return false;
    }
    ResetProject(s);
    s.projectRoot = AddBackslash(folder);
    s.projectRootShort = ShortPathOf(s.projectRoot);
    s.slots[kRootSlot] = s.projectRoot;
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
            path = BrowseForUsableFolder(prompts, kFolderTargetPrompt);
            if (!path.empty()) {
                path = AddBackslash(path);
            }
        } else {
            path = prompts.ChooseDocument(s.projectRoot, filter);
        }
        if (path.empty()) {
            return false;
        }
        if (IsInsideProject(s, path)) {
            s.slots.at(slot) = path;
            const int row = slot - kFirstRowSlot;
            if (row >= 0 && row < kContextRowCount && !LabelIsSet(s.labels[row])) {
                s.labels[row] = DefaultLabel(path);
            }
            return true;
        }
        if (prompts.ShowMessage(kOutsideProjectMessage, MessageStyle::CriticalYesNo) !=
            kAnswerYes) {
            return false;
        }
    }
}

}  // namespace velquor
