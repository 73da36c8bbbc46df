#include "autorun/autorun_read_back.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "autorun/autorun_text.h"
#include "util/file_name_case.h"
#include "util/text_helpers.h"
#include "util/text_template.h"
#include "util/windows_names.h"

namespace velquor {

namespace {

// "%1" the line's key; "%2" a path, program or text of the line.
constexpr wchar_t kPathEmptyText[] = L"%1: Die Zeile nennt kein Ziel.";
constexpr wchar_t kPathLeavesProjectText[] = L"%1: Der Pfad %2 führt aus dem Projektordner hinaus.";
constexpr wchar_t kPathNotANameText[] =
    L"%1: Der Pfad %2 enthält einen Namen, den Windows für Dateien und Ordner nicht zulässt.";
constexpr wchar_t kPathTooLongText[] =
    L"%1: Der Pfad %2 ist mit dem Projektordner länger als %3 Zeichen.";
constexpr wchar_t kTargetMissingText[] = L"%1: Das Ziel %2 fehlt im Projektordner.";
constexpr wchar_t kNotAFolderText[] = L"%1: Das Ziel %2 ist kein Ordner.";
constexpr wchar_t kNotAFileText[] = L"%1: Das Ziel %2 ist ein Ordner, keine Datei.";
constexpr wchar_t kOtherProgramText[] =
    L"%1: Die Zeile startet „%2“, Velquor übernimmt nur Orbeno.Exe mit einem Ziel im "
    L"Projektordner.";
constexpr wchar_t kOtherIconText[] =
    L"%1: Velquor übernimmt als Icon nur Orbeno.Exe, AutoRun.Ico oder einen Pfad in "
    L"Anführungszeichen, nicht %2. Eine eigene Icon-Datei wählen Sie mit „Auswahl ...“.";
constexpr wchar_t kNotALibraryIconText[] =
    L"%1: AutoRun.Ico ist kein Icon der Bibliothek. Als eigene Icon-Datei wählen Sie es mit "
    L"„Auswahl ...“.";
constexpr wchar_t kUnknownVerbText[] = L"%1: Velquor kennt nur die Einträge 0, 1 und 2.";
constexpr wchar_t kCommandWithoutLabelText[] = L"%1: Zum Befehl fehlt der Menütext.";
constexpr wchar_t kLabelWithoutCommandText[] = L"%1: Zum Menütext fehlt der Befehl.";
constexpr wchar_t kLabelEmptyText[] = L"%1: Der Menütext ist leer oder „(kein)“.";
constexpr wchar_t kLabelControlText[] = L"%1: Der Menütext enthält ein Steuerzeichen.";
constexpr wchar_t kOtherKeyText[] = L"%1: Velquor übernimmt diese Angabe nicht.";
constexpr wchar_t kRepeatedText[] =
    L"%1: Die Zeile steht ein weiteres Mal in der Datei, Windows liest nur die erste.";
constexpr wchar_t kWithoutEqualsText[] = L"„%1“: Die Zeile hat kein Gleichheitszeichen.";
constexpr wchar_t kOtherSectionText[] =
    L"%1: Velquor übernimmt nur den ersten Abschnitt [autorun].";

constexpr std::wstring_view kShellPrefix = L"shell\\";
constexpr std::wstring_view kCommandSuffix = L"\\command";
constexpr std::wstring_view kOwnVerb = L"zq";

bool IsControl(wchar_t c) {
    return c < 0x20 || c == 0x7F;
}

bool IsForbiddenInName(wchar_t c) {
    return IsControl(c) || std::wstring_view(L":/*?\"<>|").find(c) != std::wstring_view::npos;
}

bool IsPickableName(std::wstring_view name) {
    return !name.empty() && name != L"." && name.back() != L'.' && name.back() != L' ' &&
           std::none_of(name.begin(), name.end(), IsForbiddenInName) && !IsDeviceName(name);
}

// Collects the lines that are not taken, to give them in the file's order.
class NotTaken {
  public:
    void Add(std::size_t line, std::wstring_view tmpl, std::wstring_view key,
             std::wstring_view value = {}, std::wstring_view more = {}) {
        lines_.emplace_back(
            line, FillInOnePass(tmpl, {ShownInMessage(key), ShownInMessage(value), more}));
    }
    std::vector<std::wstring> InFileOrder() {
        std::stable_sort(lines_.begin(), lines_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<std::wstring> texts;
        texts.reserve(lines_.size());
        for (auto& [line, text] : lines_) {
            texts.push_back(std::move(text));
        }
        return texts;
    }

  private:
    std::vector<std::pair<std::size_t, std::wstring>> lines_;
};

class ReadBack {
  public:
    ReadBack(const std::wstring& root, const ProjectLookup& lookup)
        : root_(root), lookup_(lookup) {}

    // The object the line names relative to the root, in its long form and of the kind asked
    // for; nothing after saying why not.
    std::optional<std::wstring> TakePath(const AutorunLine& line, std::wstring_view relative,
                                         bool folder, NotTaken& notTaken) const {
        if (!Acceptable(line, relative, folder, notTaken)) {
            return std::nullopt;
        }
        if (relative == L"\\") {
            return root_;
        }
        std::wstring wanted = root_ + std::wstring(relative);
        if (folder) {
            wanted.pop_back();
        }
        const std::optional<FoundObject> found = lookup_.find(wanted);
        if (!found) {
            notTaken.Add(line.number, kTargetMissingText, line.key, relative);
            return std::nullopt;
        }
        if (found->isFolder != folder) {
            notTaken.Add(line.number, folder ? kNotAFolderText : kNotAFileText, line.key, relative);
            return std::nullopt;
        }
        // The file's own spelling stays, so that a save writes the same line again; an 8.3
        // alias gives way to the long name a pick would give.
        std::wstring path = FileNamesEqual(found->path, wanted) ? wanted : found->path;
        if (folder) {
            path += L'\\';
        }
        const std::wstring_view tail =
            StartsWithFileName(path, root_) ? std::wstring_view(path).substr(root_.size()) : L"";
        if (tail.empty() || tail == L"\\") {
            // Somewhere else, or the root itself, which the line did not name.
            notTaken.Add(line.number, kPathLeavesProjectText, line.key, relative);
            return std::nullopt;
        }
        if (!Acceptable(line, tail, folder, notTaken)) {
            return std::nullopt;
        }
        return path;
    }

  private:
    // The rules of a pick for the kind of slot: a document never ends in a backslash and is
    // never the root.
    bool Acceptable(const AutorunLine& line, std::wstring_view relative, bool folder,
                    NotTaken& notTaken) const {
        const std::size_t longest = folder ? kLongestFolderPath : kLongestDocumentPath;
        switch (CheckPickedPath(root_, relative, longest)) {
            case PickedPathFault::kNone:
                if (!folder && relative.ends_with(L'\\')) {
                    notTaken.Add(line.number, kNotAFileText, line.key, relative);
                    return false;
                }
                return true;
            case PickedPathFault::kEmpty:
                notTaken.Add(line.number, kPathEmptyText, line.key);
                break;
            case PickedPathFault::kLeavesProject:
                notTaken.Add(line.number, kPathLeavesProjectText, line.key, relative);
                break;
            case PickedPathFault::kNotAName:
                notTaken.Add(line.number, kPathNotANameText, line.key, relative);
                break;
            case PickedPathFault::kTooLong:
                notTaken.Add(line.number, kPathTooLongText, line.key, relative,
                             std::to_wstring(longest));
                break;
        }
        return false;
    }

    const std::wstring& root_;
    const ProjectLookup& lookup_;
};

bool IsIconIndexZero(std::wstring_view rest) {
    return rest.empty() || TrimBlanks(rest.substr(1)) == L"0";
}

void TakeIcon(const AutorunLine& line, const std::wstring& root, const ProjectLookup& lookup,
              const ReadBack& readBack, AutorunReadBack& result, NotTaken& notTaken) {
    const std::wstring_view value = line.value;
    if (value.starts_with(L'"')) {
        const CommandParts parts = SplitCommand(value);
        if (value.size() > 1 && value.back() == L'"' && parts.rest.empty()) {
            if (auto path = readBack.TakePath(line, parts.program, false, notTaken)) {
                result.icon = IconReadBack::kFile;
                result.iconFile = std::move(*path);
            }
            return;
        }
    } else {
        const std::size_t comma = value.find(L',');
        const std::wstring file = TrimBlanks(value.substr(0, comma));
        const std::wstring_view index =
            comma == std::wstring_view::npos ? std::wstring_view{} : value.substr(comma);
        if (IsIconIndexZero(index) && FileNamesEqual(file, kLauncherFileName)) {
            result.icon = IconReadBack::kDefault;
            return;
        }
        if (IsIconIndexZero(index) && FileNamesEqual(file, kLibraryIconFileName)) {
            const std::wstring path = root + kLibraryIconFileName;
            if (!lookup.find(path)) {
                notTaken.Add(line.number, kTargetMissingText, line.key, kLibraryIconFileName);
            } else if (const std::optional<int> entry = lookup.libraryEntry(path)) {
                result.icon = IconReadBack::kLibrary;
                result.libraryEntry = *entry;
            } else {
                notTaken.Add(line.number, kNotALibraryIconText, line.key);
            }
            return;
        }
    }
    notTaken.Add(line.number, kOtherIconText, line.key, value);
}

// "shell\<verb>" and "shell\<verb>\command" of the rows 0..2, collected before they are judged
// together.
struct RowLines {
    const AutorunLine* label = nullptr;
    const AutorunLine* command = nullptr;
};

std::optional<std::wstring> TakeLabel(const AutorunLine& line, NotTaken& notTaken) {
    std::wstring_view label = line.value;
    if (label.starts_with(L'&')) {
        label.remove_prefix(1);  // the access mark the save puts before every text
    }
    if (std::any_of(label.begin(), label.end(), IsControl)) {
        notTaken.Add(line.number, kLabelControlText, line.key);
        return std::nullopt;
    }
    if (!LabelIsSet(label)) {
        notTaken.Add(line.number, kLabelEmptyText, line.key);
        return std::nullopt;
    }
    return TrimBlanks(label);
}

void TakeRow(int row, const RowLines& lines, const ReadBack& readBack, AutorunReadBack& result,
             NotTaken& notTaken) {
    if (!lines.label && !lines.command) {
        return;
    }
    if (!lines.command) {
        notTaken.Add(lines.label->number, kLabelWithoutCommandText, lines.label->key);
        return;
    }
    if (!lines.label) {
        notTaken.Add(lines.command->number, kCommandWithoutLabelText, lines.command->key);
        return;
    }
    std::optional<std::wstring> label = TakeLabel(*lines.label, notTaken);
    const std::optional<std::wstring> argument = LauncherArgument(lines.command->value);
    std::optional<std::wstring> path;
    if (!argument) {
        notTaken.Add(lines.command->number, kOtherProgramText, lines.command->key,
                     SplitCommand(lines.command->value).program);
    } else {
        path = readBack.TakePath(*lines.command, *argument, false, notTaken);
    }
    if (label && path) {
        result.rows[row] = ContextRowReadBack{std::move(*label), std::move(*path)};
    }
}

void TakeTarget(const AutorunLine& line, const ReadBack& readBack, AutorunReadBack& result,
                NotTaken& notTaken) {
    const std::optional<std::wstring> argument = LauncherArgument(line.value);
    if (!argument) {
        notTaken.Add(line.number, kOtherProgramText, line.key, SplitCommand(line.value).program);
        return;
    }
    const bool folder = argument->ends_with(L'\\');
    if (auto path = readBack.TakePath(line, *argument, folder, notTaken)) {
        result.target = std::move(*path);
        result.targetType = folder ? TargetType::Folder : TargetType::Document;
    }
}

}  // namespace

PickedPathFault CheckPickedPath(std::wstring_view projectRoot, std::wstring_view relativePath,
                                std::size_t longest) {
    if (relativePath.empty()) {
        return PickedPathFault::kEmpty;
    }
    if (projectRoot.size() + relativePath.size() > longest) {
        return PickedPathFault::kTooLong;
    }
    if (relativePath == L"\\") {
        return PickedPathFault::kNone;  // the root itself
    }
    if (relativePath.front() == L'\\' || relativePath.front() == L'/' ||
        (relativePath.size() > 1 && relativePath[1] == L':')) {
        return PickedPathFault::kLeavesProject;  // rooted, UNC, \\?\ or a drive
    }
    std::wstring_view rest = relativePath;
    if (rest.ends_with(L'\\')) {
        rest.remove_suffix(1);  // a folder's closing backslash
    }
    PickedPathFault fault = PickedPathFault::kNone;
    for (;;) {
        const std::size_t separator = rest.find(L'\\');
        const std::wstring_view name = rest.substr(0, separator);
        if (name == L"..") {
            return PickedPathFault::kLeavesProject;
        }
        if (!IsPickableName(name)) {
            fault = PickedPathFault::kNotAName;  // a ".." further on still counts first
        }
        if (separator == std::wstring_view::npos) {
            return fault;
        }
        rest.remove_prefix(separator + 1);
    }
}

bool AutorunReadBack::TakesAnything() const {
    return target || icon != IconReadBack::kNone ||
           std::any_of(rows.begin(), rows.end(), [](const auto& row) { return row.has_value(); });
}

AutorunReadBack ReadBackAutorun(const AutorunSection& section, const std::wstring& projectRoot,
                                const ProjectLookup& lookup) {
    AutorunReadBack result;
    NotTaken notTaken;
    const ReadBack readBack(projectRoot, lookup);
    std::array<RowLines, kContextRowCount> rows;
    std::unordered_set<std::wstring> unknownVerbs;  // folded, each said once
    for (const AutorunLine& line : section.lines) {
        const std::wstring_view key = line.key;
        if (FileNamesEqual(key, L"open")) {
            TakeTarget(line, readBack, result, notTaken);
            continue;
        }
        if (FileNamesEqual(key, L"icon")) {
            TakeIcon(line, projectRoot, lookup, readBack, result, notTaken);
            continue;
        }
        if (!StartsWithFileName(key, kShellPrefix) || key.size() == kShellPrefix.size()) {
            notTaken.Add(line.number, kOtherKeyText, key);
            continue;
        }
        const std::wstring_view subKey = key.substr(kShellPrefix.size());
        const std::wstring_view verb = subKey.substr(0, subKey.find(L'\\'));
        const std::wstring_view after = subKey.substr(verb.size());
        const bool isCommand = FileNamesEqual(after, kCommandSuffix);
        if (!after.empty() && !isCommand) {
            notTaken.Add(line.number, kOtherKeyText, key);
        } else if (FileNamesEqual(verb, kOwnVerb)) {
            // Velquor's own entry, written anew at every save.
        } else if (verb.size() == 1 && verb[0] >= L'0' && verb[0] < L'0' + kContextRowCount) {
            (isCommand ? rows[verb[0] - L'0'].command : rows[verb[0] - L'0'].label) = &line;
        } else if (unknownVerbs.insert(FoldedKey(verb)).second) {
            notTaken.Add(line.number, kUnknownVerbText,
                         key.substr(0, kShellPrefix.size() + verb.size()));
        }
    }
    for (int row = 0; row < kContextRowCount; ++row) {
        TakeRow(row, rows[row], readBack, result, notTaken);
    }
    for (const AutorunLine& line : section.repeats) {
        notTaken.Add(line.number, kRepeatedText, line.key);
    }
    for (const AutorunLine& line : section.withoutEquals) {
        notTaken.Add(line.number, kWithoutEqualsText, line.key);
    }
    for (const AutorunLine& line : section.otherSectionHeads) {
        notTaken.Add(line.number, kOtherSectionText, line.key);
    }
    result.notTaken = notTaken.InFileOrder();
    return result;
}

std::wstring ShownInMessage(std::wstring_view text, std::size_t longest) {
    std::wstring shown(text.substr(0, longest));
    for (wchar_t& c : shown) {
        // Line and paragraph separators would break the list's lines as well.
        if (IsControl(c) || (c >= 0x80 && c <= 0x9F) || c == 0x2028 || c == 0x2029) {
            c = L'\uFFFD';
        }
    }
    if (text.size() > longest) {
        shown += L'…';
    }
    return shown;
}

}  // namespace velquor
