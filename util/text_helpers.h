// Small text and path helpers shared by every part of the program.
#pragma once

#include <string>
#include <string_view>

namespace velquor {

// Folder paths end in exactly the backslash they need: one is appended unless the text already
// ends in one; an empty text gives "\".
std::wstring AddBackslash(std::wstring_view text);

// The text before its first NUL: platform calls fill fixed buffers.
std::wstring CutAtNul(std::wstring_view text);

std::wstring IfText(std::wstring_view ifSet, bool flag, std::wstring_view ifClear);

// Opener, text and the matching closer: ( ) [ ] { } < >; any other opener closes itself.
std::wstring Enclose(std::wstring_view text, std::wstring_view opener);

// Between double quotes; the text is not examined or escaped.
std::wstring Quote(std::wstring_view text);

// Leading and trailing blanks (spaces only) removed.
std::wstring TrimBlanks(std::wstring_view text);

}  // namespace velquor
