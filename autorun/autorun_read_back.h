// A project's existing AutoRun.Inf read back into settings: what of it a user could have picked
// in the window, and for each other line one sentence that says why it is not taken. Paths are
// taken only in the form a pick gives, inside the project and existing, so that a file from
// anyone's disc can put nothing else into the window.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "autorun/autorun_file_reader.h"
#include "project/project_settings.h"

namespace velquor {

// Why a project-relative path is not one a pick could give; nothing when it is.
enum class PickedPathFault { kNone, kEmpty, kLeavesProject, kNotAName, kTooLong };

// `relativePath` as the file names it, a folder with its closing backslash and the root as "\".
// `longest` is the slot's limit for the whole path with the root.
PickedPathFault CheckPickedPath(std::wstring_view projectRoot, std::wstring_view relativePath,
                                std::size_t longest);

struct FoundObject {
    std::wstring path;  // full, in its long form, without a closing backslash
    bool isFolder = false;
};

// What the read-back asks of the disk.
struct ProjectLookup {
    // The object at the full path (given without a closing backslash), its 8.3 parts given in
    // their long form; nothing when it does not exist.
    std::function<std::optional<FoundObject>(const std::wstring& path)> find;
    // The number of the library entry whose bytes the file holds exactly; nothing when it holds
    // none of them or cannot be read.
    std::function<std::optional<int>(const std::wstring& path)> libraryEntry;
};

enum class IconReadBack { kNone, kDefault, kLibrary, kFile };

struct ContextRowReadBack {
    std::wstring label;
    std::wstring path;  // full
};

struct AutorunReadBack {
    std::optional<std::wstring> target;  // full; a folder ends in a backslash
    TargetType targetType = TargetType::Document;
    IconReadBack icon = IconReadBack::kNone;
    int libraryEntry = 0;   // for kLibrary
    std::wstring iconFile;  // full, for kFile
    std::array<std::optional<ContextRowReadBack>, kContextRowCount> rows;
    // One line for each line of the file that is not taken, "<key>: <why>", in the file's order.
    std::vector<std::wstring> notTaken;

    bool TakesAnything() const;
};

// `projectRoot` ends in a backslash.
AutorunReadBack ReadBackAutorun(const AutorunSection& section, const std::wstring& projectRoot,
                                const ProjectLookup& lookup);

// A key, value or path as a line of a message shows it: control characters, which would end
// or break the message, as U+FFFD, and cut after `longest` characters with "…".
std::wstring ShownInMessage(std::wstring_view text, std::size_t longest = 80);

}  // namespace velquor
