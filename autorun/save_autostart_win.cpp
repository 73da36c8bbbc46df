#include "autorun/save_autostart.h"

#include "autorun/autorun_text.h"
#include "autorun/icon_library_win.h"
#include "util/file_services.h"
#include "util/prompts.h"
#include "util/run_time_error.h"
#include "util/text_template.h"

namespace velquor {

SaveOutcome SaveAutostart(const ProjectSettings& s, const std::wstring& programFolder,
                          Prompts& prompts, Clock& clock) {
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
        prompts.ShowMessage(
            FillMessageTemplate(kWriteFailureTemplate,
                                {{L"%f%", path}, {L"%g%", DescribeError(error, path)}}),
            MessageStyle::Critical);
        return SaveOutcome::Stopped;
    }
    if (!DeployLauncher(s, programFolder, prompts) || !WriteLibraryIcon(s, prompts)) {
        return SaveOutcome::Stopped;
    }
    const int answer = prompts.ShowMessage(kClosingQuestion, MessageStyle::InformationYesNo);
    return answer == kAnswerYes ? SaveOutcome::SavedAndEnd : SaveOutcome::Saved;
}

bool DeployLauncher(const ProjectSettings& s, const std::wstring& programFolder, Prompts& prompts) {
    // No check beforehand whether the source exists or is the destination itself: the copy's
    // own outcome decides, and names the reason.
    const std::wstring source = programFolder + kLauncherFileName;
    const std::wstring destination = s.projectRoot + kLauncherFileName;
    try {
        CopyFileReplacing(source, destination);
    } catch (const RunTimeError& error) {
        prompts.ShowMessage(
            FillMessageTemplate(
                kLauncherCopyFailureTemplate,
                {{L"%v%", source}, {L"%n%", destination}, {L"%g%", DescribeError(error, source)}}),
            MessageStyle::Critical);
        return false;
    }
    return true;
}

bool WriteLibraryIcon(const ProjectSettings& s, Prompts& prompts) {
    if (s.slots[kIconSlot] != kLibraryIcon) {
        return true;
    }
    const std::wstring path = s.projectRoot + kLibraryIconFileName;
    try {
        const std::span<const unsigned char> bytes = LibraryIconBytes(s.preview.libraryEntry);
        if (bytes.empty()) {
            // Only a library that lost an entry since the choice could get here.
            throw RunTimeError(L"Das gewählte Icon ist nicht in der Bibliothek enthalten.", 0);
        }
        WriteBinaryFile(path, bytes);
    } catch (const RunTimeError& error) {
        prompts.ShowMessage(
            FillMessageTemplate(kIconWriteFailureTemplate, {{L"%g%", DescribeError(error, path)}}),
            MessageStyle::Critical);
        return false;
    }
    return true;
}

}  // namespace velquor
