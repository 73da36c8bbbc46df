// What Orbeno.Exe accepts on its command line: one path relative to its own folder, the root of
// the disc. Nothing here allocates or throws; the launcher is built without exceptions and
// without the allocating standard containers.
#pragma once

#include <cstddef>
#include <string_view>

#include "util/windows_names.h"

namespace velquor::launcher {

// The disc reader takes commands and names as the launcher does, so the two rules live in
// util/ and are the launcher's as well.
using velquor::ArgumentOf;
using velquor::IsDeviceName;

// `\` alone names the launcher's folder itself.
bool NamesTheFolderItself(std::wstring_view relativePath);

enum class PathCheck {
    Accepted,
    Empty,             // nothing to open
    DevicePath,        // \\?\, \\.\ or \??\ in front
    Rooted,            // begins with \ or / (other than `\` alone)
    Colon,             // a drive, a stream or anything else Windows reads a colon as
    InvalidCharacter,  // * ? " < > | or a control character
    DeviceName,        // CON, NUL, COM1, ... as a part of the path, with or without extension
    DotsOnlyName,      // a part made of dots and blanks only, other than . and ..
    ClimbsOut,         // .. leads above the folder
    // Found by the launcher once the path is put together with its folder:
    TooLong,        // does not fit Windows' longest path
    OutsideFolder,  // the full path does not lie in the folder after all
};

// The rules for the relative path before it is put together with the folder. `..` is allowed
// while it stays inside: `a\..\b.txt` names `b.txt`. Both \ and / separate parts, as for Windows.
PathCheck CheckRelativePath(std::wstring_view relativePath);

// The full path (as GetFullPathNameW gives it) lies in the folder (which ends in a backslash)
// or is the folder itself, compared as Windows compares file names. "C:\CD2\x" does not lie in
// "C:\CD\".
bool LiesInFolder(std::wstring_view folder, std::wstring_view fullPath);

// The German reason shown when a path is refused; empty for Accepted.
std::wstring_view RefusalReason(PathCheck check);

// Text in a buffer of fixed size for the launcher's messages: what does not fit is cut off, the
// text always ends in a NUL, and nothing is ever written past the buffer.
template <std::size_t Capacity>
class FixedText {
    static_assert(Capacity > 1);

  public:
    FixedText& Append(std::wstring_view text) {
        for (const wchar_t c : text) {
            if (length_ + 1 >= Capacity) {
                cut_ = true;
                break;
            }
            text_[length_++] = c;
        }
        text_[length_] = L'\0';
        return *this;
    }

    FixedText& AppendNumber(unsigned long value) {
        wchar_t digits[24];
        std::size_t count = 0;
        do {
            digits[count++] = static_cast<wchar_t>(L'0' + value % 10);
            value /= 10;
        } while (value != 0);
        wchar_t ordered[24];
        for (std::size_t i = 0; i < count; ++i) {
            ordered[i] = digits[count - 1 - i];
        }
        return Append(std::wstring_view(ordered, count));
    }

    const wchar_t* CStr() const { return text_; }
    std::wstring_view View() const { return std::wstring_view(text_, length_); }
    bool Cut() const { return cut_; }

  private:
    wchar_t text_[Capacity] = {};
    std::size_t length_ = 0;
    bool cut_ = false;
};

}  // namespace velquor::launcher
