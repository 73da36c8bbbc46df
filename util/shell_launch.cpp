#include "util/shell_launch.h"

#include "util/maker.h"
#include "util/prompts.h"
#include "util/text_template.h"

namespace velquor {

bool ShellOpen(Prompts& prompts, const std::wstring& target, int showMode) {
    const ShellResult result = prompts.ShellOpen(target, showMode);
    if (!result.opened) {
        // The reason goes in as it stands: the system's texts may hold backslashes.
        const std::wstring reason = result.reason.empty() ? L"unbekannt" : result.reason;
        prompts.ShowMessage(
            FillMessageTemplate(kShellOpenFailureTemplate, {{L"%z%", target}, {L"%g%", reason}}),
            MessageStyle::Critical);
    }
    return result.opened;
}

bool OpenMakerSite(Prompts& prompts) {
    return ShellOpen(prompts, kMakerSite, kShowMaximised);
}

}  // namespace velquor
