#include "autorun/save_autostart.h"

#include "autorun/autorun_text.h"
#include "util/file_services.h"
#include "util/prompts.h"
#include "util/run_time_error.h"
#include "util/text_template.h"

namespace velquor {

SaveOutcome SaveAutostart(const ProjectSettings& s, Prompts& prompts, Clock& clock) {
    if (!ValidateContextRows(s, prompts)) {
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
