#include "autorun/autorun_file_reader.h"

#include "autorun/autorun_text.h"
#include "util/file_name_case.h"
#include "util/windows_names.h"

namespace velquor {

namespace {

constexpr std::wstring_view kBlanks = L" \t";

std::wstring_view TrimBlanksAndTabs(std::wstring_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::wstring_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The name between "[" and "]" (or the line's end), without blanks.
std::wstring_view SectionName(std::wstring_view head) {
    head.remove_prefix(1);
    return TrimBlanksAndTabs(head.substr(0, head.find(L']')));
}

}  // namespace

std::wstring DecodeAutorunBytes(std::span<const unsigned char> bytes,
                                const AnsiDecoder& decodeAnsi) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        std::wstring text;
        text.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text += static_cast<wchar_t>(bytes[i] | bytes[i + 1] << 8);
        }
        return text;
    }
    if (bytes.empty()) {
        return {};
    }
    return decodeAnsi(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::wstring FoldedKey(std::wstring_view key) {
    std::wstring folded(key);
    for (wchar_t& c : folded) {
        c = FileNameUpcase(c);
    }
    return folded;
}

const AutorunLine* AutorunSection::Find(std::wstring_view key) const {
    const auto hit = index.find(FoldedKey(key));
    return hit == index.end() ? nullptr : &lines[hit->second];
}

AutorunSection ReadAutorunSection(std::wstring_view text) {
    AutorunSection section;
    bool inSection = false;
    std::size_t number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of(L"\r\n");
        const std::wstring_view line = TrimBlanksAndTabs(text.substr(0, end));
        std::size_t next = end == std::wstring_view::npos ? text.size() : end + 1;
        if (end != std::wstring_view::npos && text[end] == L'\r' && next < text.size() &&
            text[next] == L'\n') {
            ++next;  // CR LF ends one line
        }
        text.remove_prefix(next);
        ++number;
        if (line.empty() || line.front() == L';') {
            continue;
        }
        if (line.front() == L'[') {
            const bool first = !section.found && FileNamesEqual(SectionName(line), L"autorun");
            if (first) {
                section.found = true;
            } else {
                section.otherSectionHeads.push_back({std::wstring(line), {}, number});
            }
            inSection = first;
            continue;
        }
        if (!inSection) {
            continue;
        }
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) {
            section.withoutEquals.push_back({std::wstring(line), {}, number});
            continue;
        }
        AutorunLine entry{std::wstring(TrimBlanksAndTabs(line.substr(0, equals))),
                          std::wstring(TrimBlanksAndTabs(line.substr(equals + 1))), number};
        const auto [at, isNew] =
            section.index.try_emplace(FoldedKey(entry.key), section.lines.size());
        (isNew ? section.lines : section.repeats).push_back(std::move(entry));
    }
    return section;
}

CommandParts SplitCommand(std::wstring_view commandLine) {
    std::wstring_view rest = TrimBlanksAndTabs(commandLine);
    if (rest.starts_with(L'"')) {
        rest.remove_prefix(1);
        const std::size_t close = rest.find(L'"');
        const std::wstring_view program = rest.substr(0, close);
        return {program,
                close == std::wstring_view::npos ? std::wstring_view{} : rest.substr(close + 1)};
    }
    const std::size_t blank = rest.find_first_of(kBlanks);
    return {rest.substr(0, blank),
            blank == std::wstring_view::npos ? std::wstring_view{} : rest.substr(blank)};
}

bool NamesLauncher(std::wstring_view program) {
    program.remove_prefix(std::min(program.size(), program.find_first_not_of(L"\\/")));
    constexpr std::wstring_view kLauncher = kLauncherFileName;
    constexpr std::wstring_view kExtension = L".Exe";
    return FileNamesEqual(program, kLauncher) ||
           FileNamesEqual(program, kLauncher.substr(0, kLauncher.size() - kExtension.size()));
}

std::optional<std::wstring> LauncherArgument(std::wstring_view commandLine) {
    const std::wstring_view line = TrimBlanksAndTabs(commandLine);
    if (!NamesLauncher(SplitCommand(line).program)) {
        return std::nullopt;
    }
    return std::wstring(ArgumentOf(line));
}

}  // namespace velquor
