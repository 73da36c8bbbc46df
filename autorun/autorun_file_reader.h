// Reading an AutoRun.Inf as Windows reads it from a disc: the bytes decoded, the first
// [autorun] section split into its key lines, a command split into program and argument. The
// read-back into the window, the disc readiness check and the autostart test all read through
// here, so that they agree on what a file says.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velquor {

// Larger files are not read back: no file Velquor writes comes near it.
inline constexpr std::uint64_t kLongestAutorunFile = 1024 * 1024;

// The system's ANSI code page, turned into text; the platform supplies it.
using AnsiDecoder = std::function<std::wstring(std::string_view bytes)>;

// UTF-16 LE when the bytes begin with FF FE (an odd last byte is dropped), otherwise the ANSI
// code page, as Windows decides. A UTF-8 byte-order mark is read as ANSI text too, so a file
// that begins with one has no [autorun] line, as on Windows.
std::wstring DecodeAutorunBytes(std::span<const unsigned char> bytes,
                                const AnsiDecoder& decodeAnsi);

struct AutorunLine {
    std::wstring key;    // as written, without the blanks around it
    std::wstring value;  // without the blanks around it
    std::size_t number;  // the line's number in the file, from 1
};

struct AutorunSection {
    bool found = false;                          // the file has an [autorun] line
    std::vector<AutorunLine> lines;              // the first line of each key, in the file's order
    std::vector<AutorunLine> repeats;            // later lines of a key that came before
    std::vector<AutorunLine> withoutEquals;      // the whole line in `key`, `value` empty
    std::vector<AutorunLine> otherSectionHeads;  // every other section's "[...]" line in `key`

    // The first line of the key, compared as Windows compares keys (case-insensitively).
    const AutorunLine* Find(std::wstring_view key) const;

    std::unordered_map<std::wstring, std::size_t> index;  // folded key -> position in `lines`
};

// The first section named [autorun] (in any case). Lines end in CR LF, LF or CR; a line whose
// first non-blank character is ";" is a comment, a ";" anywhere else is text. Blanks and tabs
// around the key and the value are ignored.
AutorunSection ReadAutorunSection(std::wstring_view text);

// The key in the form Find compares: upper case as for file names.
std::wstring FoldedKey(std::wstring_view key);

// A command line split as Windows splits it: the program is the first token, in quotes (up to
// the closing one, or the end) or up to the first blank or tab; the rest follows it.
struct CommandParts {
    std::wstring_view program;
    std::wstring_view rest;
};
CommandParts SplitCommand(std::wstring_view commandLine);

// Whether the program token names the project's launcher in the disc's root, as Windows finds
// it: leading backslashes name the root, ".exe" is added to a name without an extension.
bool NamesLauncher(std::wstring_view program);

// What the launcher is given: the rest of its command line with the blanks around it and one
// enclosing pair of quotes removed, as the launcher itself reads its argument. Nothing when the
// command does not run the launcher; an empty text when it runs it without an argument.
std::optional<std::wstring> LauncherArgument(std::wstring_view commandLine);

}  // namespace velquor
