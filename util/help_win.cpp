#include "util/help.h"

#include "util/file_services.h"
#include "util/prompts.h"
#include "util/shell_launch.h"

namespace velquor {

std::wstring FindHelpFile(const std::wstring& programFolder) {
    // Outermost slowest: subfolder, base name, then the extension with or without its "l".
    for (const wchar_t* folder : {L"", L"hilfe\\"}) {
        for (const wchar_t* base : {L"index", L"hilfe"}) {
            for (const wchar_t* extension : {L".htm", L".html"}) {
                std::wstring path = programFolder + folder + base + extension;
                if (FileExists(path)) {
                    return path;
                }
            }
        }
    }
    return {};
}

void ShowHelp(const std::wstring& helpPath, bool announce, const std::wstring& programFolder,
              Prompts& prompts) {
    const std::wstring page =
        !helpPath.empty() && FileExists(helpPath) ? helpPath : FindHelpFile(programFolder);
    if (page.empty()) {
        prompts.ShowMessage(kHelpMissingMessage, MessageStyle::Information);
        return;
    }
    if (ShellOpen(prompts, page, kShowNormal) && announce) {
        prompts.ShowMessage(kHelpSentMessage, MessageStyle::Information);
    }
}

}  // namespace velquor
