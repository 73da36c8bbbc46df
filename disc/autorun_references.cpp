#include "disc/autorun_references.h"

#include "autorun/autorun_file_reader.h"
#include "util/file_name_case.h"

namespace velquor {

namespace {

bool IsCommandKey(std::wstring_view key) {
    constexpr std::wstring_view kShell = L"shell\\";
    constexpr std::wstring_view kCommand = L"\\command";
    return FileNamesEqual(key, L"open") ||
           (key.size() > kShell.size() + kCommand.size() && StartsWithFileName(key, kShell) &&
            FileNamesEqual(key.substr(key.size() - kCommand.size()), kCommand));
}

// The icon's file: the quoted text, or the text before ",index".
std::wstring IconFile(std::wstring_view value) {
    if (value.starts_with(L'"')) {
        return std::wstring(SplitCommand(value).program);
    }
    const std::wstring_view file = value.substr(0, value.find(L','));
    return std::wstring(file.substr(0, file.find_last_not_of(L" \t") + 1));
}

}  // namespace

AutorunReferences ReadAutorunReferences(std::wstring_view autorunText) {
    AutorunReferences references;
    for (const AutorunLine& line : ReadAutorunSection(autorunText).lines) {
        if (IsCommandKey(line.key)) {
            std::optional<std::wstring> target = LauncherArgument(line.value);
            if (!target) {
                target = std::wstring(SplitCommand(line.value).program);
            }
            if (!target->empty()) {
                references.targets.push_back({line.key, std::move(*target)});
            }
        } else if (FileNamesEqual(line.key, L"icon") && !line.value.empty()) {
            std::wstring path = IconFile(line.value);
            references.targets.push_back({line.key, path});
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
