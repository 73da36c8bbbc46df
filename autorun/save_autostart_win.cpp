#include "autorun/save_autostart.h"

#include "autorun/autorun_text.h"
#include "util/file_services.h"
#include "util/prompts.h"
#include "util/run_time_error.h"
#include "util/text_template.h"

namespace velquor {

SaveOutcome SaveAutostart(const ProjectSettings& s, Prompts& prompts, Clock& clock) {
    // The OK button is disabled without them, but a save that got here anyway must not write
    // an autorun file without a target into whatever folder happens to be current.
    if (!ReadyToSave(s)) {
        return SaveOutcome::NotReady;
    }
    if (FirstIncompleteContextRow(s)) {
        prompts.ShowMessage(kIncompleteRowsMessage, MessageStyle::Information);
        return SaveOutcome::Stopped;
    }
    const std::wstring text = ComposeAutorunText(s, clock);
    const std::wstring path = AutorunFilePath(s);
    try {
        WriteTextFile(path, text);
    } catch (const RunTimeError& error) {
        prompts.ShowMessage(FillMessageTemplate(kWriteFailureTemplate,
                                                {{L"%f%", path}, {L"%g%", DescribeError(error)}}),
                            MessageStyle::Critical);
        return SaveOutcome::Stopped;
    }
    return SaveOutcome::Saved;
}

}  // namespace velquor
