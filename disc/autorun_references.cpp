#include "disc/autorun_references.h"

#include "autorun/autorun_text.h"
#include "util/file_name_case.h"

namespace velquor {

namespace {

std::wstring_view Trim(std::wstring_view text) {
    constexpr std::wstring_view kBlanks = L" \t";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::wstring_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The text up to the closing quote when it starts with one, else up to `stop`.
std::wstring_view Token(std::wstring_view text, wchar_t stop, std::wstring_view& rest) {
    std::size_t end;
    if (!text.empty() && text.front() == L'"') {
        end = text.find(L'"', 1);
        const std::wstring_view inside =
            text.substr(1, end == std::wstring_view::npos ? end : end - 1);
        rest = end == std::wstring_view::npos ? std::wstring_view{} : text.substr(end + 1);
        return inside;
    }
    end = text.find(stop);
    rest = end == std::wstring_view::npos ? std::wstring_view{} : text.substr(end + 1);
    return Trim(text.substr(0, end));
}

bool IsCommandKey(std::wstring_view key) {
    constexpr std::wstring_view kShell = L"shell\\";
    constexpr std::wstring_view kCommand = L"\\command";
    return FileNamesEqual(key, L"open") ||
           (key.size() > kShell.size() + kCommand.size() &&
            FileNamesEqual(key.substr(0, kShell.size()), kShell) &&
            FileNamesEqual(key.substr(key.size() - kCommand.size()), kCommand));
}

std::optional<std::wstring> CommandTarget(std::wstring_view value) {
    std::wstring_view argument;
    const std::wstring_view program = Token(value, L' ', argument);
    if (!FileNamesEqual(program, kLauncherFileName)) {
        return std::wstring(program);
    }
    argument = Trim(argument);
    if (argument.empty()) {
        return std::nullopt;
    }
    std::wstring_view after;
    return std::wstring(Token(argument, L' ', after));
}

}  // namespace

AutorunReferences ReadAutorunReferences(std::wstring_view autorunText) {
    AutorunReferences references;
    bool inAutorunSection = false;
    while (!autorunText.empty()) {
        const std::size_t end = autorunText.find_first_of(L"\r\n");
        const std::wstring_view line = Trim(autorunText.substr(0, end));
        autorunText =
            end == std::wstring_view::npos ? std::wstring_view{} : autorunText.substr(end + 1);
        if (line.empty() || line.front() == L';') {
            continue;
        }
        if (line.front() == L'[') {
            inAutorunSection = FileNamesEqual(line, L"[autorun]");
            continue;
        }
        const std::size_t equals = line.find(L'=');
        if (!inAutorunSection || equals == std::wstring_view::npos) {
            continue;
        }
        const std::wstring key(Trim(line.substr(0, equals)));
        const std::wstring_view value = Trim(line.substr(equals + 1));
        if (IsCommandKey(key)) {
            if (std::optional<std::wstring> target = CommandTarget(value)) {
                references.targets.push_back({key, std::move(*target)});
            }
        } else if (FileNamesEqual(key, L"icon") && !value.empty()) {
            std::wstring_view index;
            std::wstring path(Token(value, L',', index));
            references.targets.push_back({key, path});
            references.iconPath = std::move(path);
        }
    }
    return references;
}

const DiscEntry* FindDiscEntry(const DiscListing& listing, std::wstring_view path) {
    const DiscEntry* entry = &listing.root;
    while (!path.empty()) {
        const std::size_t separator = path.find(L'\\');
        const std::wstring_view part = path.substr(0, separator);
        path =
            separator == std::wstring_view::npos ? std::wstring_view{} : path.substr(separator + 1);
        if (part.empty()) {
            continue;
        }
        const DiscEntry* found = nullptr;
        for (const DiscEntry& child : entry->children) {
            if (FileNamesEqual(child.name, part)) {
                found = &child;
                break;
            }
        }
        if (found == nullptr) {
            return nullptr;
        }
        entry = found;
    }
    return entry;
}

}  // namespace velquor
