#include "app/autostart_test_win.h"

#include "autorun/autorun_text.h"
#include "dialogs/autostart_test_dialog_win.h"
#include "util/program_start_win.h"
#include "util/prompts.h"
#include "util/run_time_error.h"
#include "util/text_template.h"

namespace velquor {
namespace {

constexpr wchar_t kAutorunSection[] = L"autorun";

// The whole value, however long: the reader cuts at the buffer's end and says so by its count.
std::wstring ProfileText(const std::wstring& file, const wchar_t* key) {
    std::wstring buffer(1024, L'\0');
    for (;;) {
        const DWORD count =
            GetPrivateProfileStringW(kAutorunSection, key, L"", buffer.data(),
                                     static_cast<DWORD>(buffer.size()), file.c_str());
        // A value fills at most size - 1, the key list (two closing NULs) size - 2.
        if (count + 2 < buffer.size()) {
            buffer.resize(count);
            return buffer;
        }
        buffer.resize(buffer.size() * 4);
    }
}

std::vector<std::wstring> SectionKeys(const std::wstring& file) {
    const std::wstring list = ProfileText(file, nullptr);
    std::vector<std::wstring> keys;
    for (std::size_t at = 0; at < list.size();) {
        const std::size_t end = list.find(L'\0', at);
        keys.push_back(list.substr(at, end - at));
        if (end == std::wstring::npos) {
            break;
        }
        at = end + 1;
    }
    return keys;
}

}  // namespace

std::optional<std::vector<AutostartEntry>> ReadAutostartEntries(const std::wstring& projectRoot) {
    const std::wstring file = projectRoot + kAutorunFileName;
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    return AutostartEntries(SectionKeys(file), [&file](const std::wstring& key) {
        return ProfileText(file, key.c_str());
    });
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
                                    {{L"%f%", program}, {L"%g%", DescribeError(error)}}),
                MessageStyle::Critical);
        }
    });
}

}  // namespace velquor
