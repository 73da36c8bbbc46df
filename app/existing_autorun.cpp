#include "app/existing_autorun.h"

#include "app/path_selection.h"
#include "util/prompts.h"
#include "util/text_template.h"

namespace velquor {

namespace {

// The list goes in after the escapes, in one pass: its paths keep their backslashes.
std::wstring WithReasons(std::wstring_view tmpl, const std::vector<std::wstring>& reasons) {
    return ReplaceAll(ExpandEscapes(tmpl), L"%r%", ReasonList(reasons));
}

}  // namespace

std::wstring ReasonList(const std::vector<std::wstring>& reasons) {
    std::wstring list;
    for (std::size_t i = 0; i < reasons.size() && i < kLongestReasonList; ++i) {
        list += (i == 0 ? L"" : L"\r") + reasons[i];
    }
    if (reasons.size() > kLongestReasonList) {
        list += L"\r" + FillInOnePass(kMoreReasonsText,
                                      {std::to_wstring(reasons.size() - kLongestReasonList)});
    }
    return list;
}

std::vector<std::wstring> TakeReadBack(ProjectSettings& s, const AutorunReadBack& readBack,
                                       const PictureLoader& loadIcon) {
    std::vector<std::wstring> notTaken = readBack.notTaken;
    if (readBack.target) {
        s.targetType = readBack.targetType;
        TakePickedPath(s, kTargetSlot, *readBack.target);
    }
    for (int row = 0; row < kContextRowCount; ++row) {
        if (const auto& taken = readBack.rows[row]) {
            s.labels[row] = taken->label;  // set first, so the pick keeps it
            TakePickedPath(s, kFirstRowSlot + row, taken->path);
        }
    }
    switch (readBack.icon) {
        case IconReadBack::kNone:
            break;
        case IconReadBack::kDefault:
            SetDefaultIcon(s);
            break;
        case IconReadBack::kLibrary:
            ApplyLibraryIcon(s, readBack.libraryEntry);
            break;
        case IconReadBack::kFile:
            if (TakePickedPath(s, kIconSlot, readBack.iconFile) &&
                !LoadIconFilePreview(s, loadIcon)) {
                const std::wstring relative = readBack.iconFile.substr(s.projectRoot.size());
                notTaken.push_back(FillInOnePass(kIconNotLoadedText, {ShownInMessage(relative)}));
            }
            break;
    }
    return notTaken;
}

void OfferExistingAutorun(ProjectSettings& s, Prompts& prompts,
                          const ExistingAutorunAccess& access) {
    const ExistingAutorun file = access.read(s.projectRoot);
    if (!file.exists) {
        return;
    }
    AutorunReadBack readBack;
    if (!file.text) {
        readBack.notTaken = {file.failure};
    } else if (const AutorunSection section = ReadAutorunSection(*file.text); !section.found) {
        readBack.notTaken = {file.text->empty() ? kAutorunEmptyText : kNoAutorunSectionText};
    } else {
        readBack = ReadBackAutorun(section, s.projectRoot, access.lookup);
    }
    if (!readBack.TakesAnything()) {
        if (readBack.notTaken.empty()) {
            readBack.notTaken = {kNothingInSectionText};
        }
        prompts.ShowMessage(WithReasons(kNothingTakenTemplate, readBack.notTaken),
                            MessageStyle::Information);
        return;
    }
    if (prompts.ShowMessage(FormatText(kTakeOverQuestion), MessageStyle::InformationYesNo) !=
        kAnswerYes) {
        return;
    }
    const std::vector<std::wstring> notTaken = TakeReadBack(s, readBack, access.loadIcon);
    if (!notTaken.empty()) {
        prompts.ShowMessage(WithReasons(kPartlyTakenTemplate, notTaken), MessageStyle::Information);
    }
}

}  // namespace velquor
