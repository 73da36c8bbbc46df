// File services of the Windows build.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "util/short_path.h"

namespace velquor {

// True when a plain file matches the path, which may hold wildcards. Folders, hidden and
// system files do not count; every error counts as false.
bool FileExists(const std::wstring& path);

// The path made absolute against the current folder, "." and ".." resolved, as
// GetFullPathNameW gives it; the path itself when that fails.
std::wstring FullPathName(const std::wstring& path);

// The form that lifts the classic limit of 260 characters (\\?\, or \\?\UNC\ for a share),
// made from the full path; and the path again without that prefix.
std::wstring ExtendedPath(const std::wstring& path);
std::wstring WithoutExtendedPrefix(const std::wstring& path);

// The whole file, or nothing when it cannot be opened or read whole or holds more than `limit`
// bytes. Others may go on reading, writing and deleting it meanwhile.
std::optional<std::vector<unsigned char>> ReadSmallFile(const std::wstring& path,
                                                        std::uint64_t limit);

// Bytes in the system's ANSI code page as text, as Windows reads a file without a byte-order
// mark.
std::wstring DecodeAnsi(std::string_view bytes);

// The folder of the running program, ending in a backslash.
std::wstring ProgramFolder();

// The name of the temporary file through which the writers below replace a file: "~vq", the
// low 16 bits of `number` as four hexadecimal digits, ".tmp". At 11 characters it is no longer
// than "AutoRun.Inf", so a folder whose final files fit the classic path limit fits it too.
// The writers try 0, 1, 2, ... and take the first name that is free.
std::wstring TemporaryFileName(unsigned number);
inline constexpr unsigned kLastTemporaryNumber = 0xFFFF;

// The bytes WriteTextFile writes for `content` on a system whose ANSI code page is `codePage`:
// that code page when it holds every character exactly, otherwise (and when the code page is
// unknown) UTF-16 LE with a byte-order mark.
std::string EncodeTextFile(const std::wstring& content, unsigned codePage);

// Replaces the file at `path` with `content`, CR LF line ends as the content holds them.
// The bytes are the ANSI code page when that represents every character, otherwise UTF-16 LE
// with a byte-order mark. The new content goes to a temporary file beside the target first and
// replaces it with one rename: on any failure the old file is left as it was and the
// temporary file is removed. Throws RunTimeError.
void WriteTextFile(const std::wstring& path, const std::wstring& content);

// Replaces the file at `path` with exactly these bytes, in one step as WriteTextFile does.
void WriteBinaryFile(const std::wstring& path, std::span<const unsigned char> bytes);

// Replaces `destination` with a copy of `source`, in one step as WriteTextFile does: a copy
// that fails half-way leaves the old destination whole. The new file is never read-only.
void CopyFileReplacing(const std::wstring& source, const std::wstring& destination);

}  // namespace velquor
