// What an AutoRun.Inf names: the object opened on insertion, the context-menu entries'
// objects and the icon file, as project-relative paths. The readiness check looks each one up
// in the listing; the caller reads the icon file it names to have it checked.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "disc/disc_listing.h"

namespace velquor {

struct AutorunTarget {
    std::wstring key;   // the line's key as written: "open", "shell\0\command", "icon"
    std::wstring path;  // project-relative; "\" is the root, "Daten\" a folder
};

struct AutorunReferences {
    std::vector<AutorunTarget> targets;  // in the order of the lines, the icon's among them
    std::optional<std::wstring> iconPath;
};

// Reads the [autorun] section of the file's text (any line ends, ";" comments, keys in any
// case). A command that runs the launcher names its quoted argument; one that runs another
// program names that program; the launcher alone names nothing. An icon value loses its
// quotes and its ",index".
AutorunReferences ReadAutorunReferences(std::wstring_view autorunText);

// The entry at a project-relative path, compared as Windows compares file names; the root for
// "\" or an empty path, nothing when a part is missing.
const DiscEntry* FindDiscEntry(const DiscListing& listing, std::wstring_view path);

}  // namespace velquor
