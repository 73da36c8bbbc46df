#include "app/autostart_test.h"

#include "util/file_name_case.h"

namespace velquor {
namespace {

constexpr std::wstring_view kShellPrefix = L"shell\\";
constexpr std::wstring_view kBlanks = L" \t";

// A menu text as the menu shows it: "&&" is one "&", a single "&" only marks the access key.
std::wstring WithoutAccessMarks(std::wstring_view label) {
    std::wstring shown;
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] == L'&' && i + 1 < label.size()) {
            ++i;
        }
        shown += label[i];
    }
    return shown;
}

bool IsBlank(std::wstring_view text) {
    return text.find_first_not_of(kBlanks) == std::wstring_view::npos;
}

bool IsAbsolute(std::wstring_view path) {
    const bool drive = path.size() >= 2 && path[1] == L':';
    return drive || path.starts_with(L"\\\\");
}

}  // namespace

std::vector<AutostartEntry> AutostartEntries(const AutorunSection& section) {
    const auto valueOf = [&section](std::wstring_view key) {
        const AutorunLine* line = section.Find(key);
        return line ? line->value : std::wstring();
    };
    std::vector<AutostartEntry> entries;
    if (std::wstring open = valueOf(L"open"); !IsBlank(open)) {
        entries.push_back({kInsertionEntryLabel, std::move(open)});
    }
    for (const AutorunLine& line : section.lines) {
        const std::wstring_view key = line.key;
        const std::wstring_view verb = key.substr(std::min(key.size(), kShellPrefix.size()));
        if (!StartsWithFileName(key, kShellPrefix) || verb.empty() ||
            verb.find(L'\\') != std::wstring_view::npos) {
            continue;
        }
        if (std::wstring command = valueOf(line.key + L"\\command"); !IsBlank(command)) {
            entries.push_back({WithoutAccessMarks(line.value), std::move(command)});
        }
    }
    return entries;
}

AutostartCommand ResolveAutostartCommand(std::wstring_view commandLine,
                                         std::wstring_view projectRoot) {
    std::wstring_view token = SplitCommand(commandLine).program;
    if (token.empty()) {
        return {L"", std::wstring(commandLine)};
    }
    std::wstring program;
    if (IsAbsolute(token)) {
        program = token;
    } else {
        // A leading backslash names the disc's root, which is the project root here.
        token.remove_prefix(std::min(token.size(), token.find_first_not_of(L"\\/")));
        program = std::wstring(projectRoot) + std::wstring(token);
    }
    const std::size_t name = program.find_last_of(L"\\/") + 1;
    if (program.find(L'.', name) == std::wstring::npos) {
        program += L".exe";
    }
    return {std::move(program), std::wstring(commandLine)};
}

}  // namespace velquor
