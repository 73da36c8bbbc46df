#include "app/autostart_test_win.h"

#include "autorun/autorun_text.h"
#include "dialogs/autostart_test_dialog_win.h"
#include "util/file_services.h"
#include "util/program_start_win.h"
#include "util/prompts.h"
#include "util/run_time_error.h"
#include "util/text_template.h"

namespace velquor {
std::optional<std::vector<AutostartEntry>> ReadAutostartEntries(const std::wstring& projectRoot) {
    const std::wstring file = projectRoot + kAutorunFileName;
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    const auto bytes = ReadSmallFile(file, kLongestAutorunFile);
    if (!bytes) {
        return std::vector<AutostartEntry>();
    }
    return AutostartEntries(ReadAutorunSection(DecodeAutorunBytes(*bytes, DecodeAnsi)));
}

void StartAutostartCommand(const std::wstring& projectRoot, const std::wstring& commandLine) {
    const AutostartCommand command = ResolveAutostartCommand(commandLine, projectRoot);
    StartProgram(command.program, command.commandLine, projectRoot);
}

void TestAutostart(HWND owner, const std::wstring& projectRoot, Prompts& prompts) {
    const std::wstring file = projectRoot + kAutorunFileName;
    const std::optional<std::vector<AutostartEntry>> entries = ReadAutostartEntries(projectRoot);
    if (!entries || entries->empty()) {
        prompts.ShowMessage(
            FillMessageTemplate(entries ? kNothingToStartTemplate : kNoSavedAutorunTemplate,
                                {{L"%f%", file}}),
            MessageStyle::Information);
        return;
    }
    std::vector<std::wstring> labels;
    for (const AutostartEntry& entry : *entries) {
        labels.push_back(entry.label);
    }
    ShowAutostartTestDialog(owner, labels, [&](HWND dialog, int chosen) {
        const std::wstring& line = (*entries)[chosen].commandLine;
        try {
            StartAutostartCommand(projectRoot, line);
        } catch (const RunTimeError& error) {
            const std::wstring program = ResolveAutostartCommand(line, projectRoot).program;
            prompts.OwnedBy(dialog)->ShowMessage(
                FillMessageTemplate(kProgramStartFailureTemplate,
                                    {{L"%f%", program}, {L"%g%", DescribeError(error, program)}}),
                MessageStyle::Critical);
        }
    });
}

}  // namespace velquor
