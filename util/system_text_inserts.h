// The system's error texts are fetched with their inserts left as they are ("Bad EXE format for
// %1."): the system cannot know which object a failure was about, the caller does. Header only,
// allocating nothing and throwing nothing, so that the launcher fills its texts the same way.
#pragma once

#include <cstddef>
#include <string_view>

namespace velquor {

// The length of the insert at `at` ("%1" to "%99", with a format such as "!s!" after it), or 0
// when no insert starts there.
constexpr std::size_t InsertLengthAt(std::wstring_view text, std::size_t at) {
    const auto digit = [&](std::size_t i) {
        return i < text.size() && text[i] >= L'0' && text[i] <= L'9';
    };
    if (at >= text.size() || text[at] != L'%' || !digit(at + 1) || text[at + 1] == L'0') {
        return 0;
    }
    std::size_t end = digit(at + 2) ? at + 3 : at + 2;
    if (end < text.size() && text[end] == L'!') {
        if (const std::size_t close = text.find(L'!', end + 1); close != text.npos) {
            end = close + 1;
        }
    }
    return end - at;
}

// Hands `text` to `append` piece by piece with every insert replaced by `objectName`, in one pass:
// a name that holds "%2" itself stays as it is. "%%" is a percent sign and starts no insert.
template <typename Append>
void AppendWithInsertsFilled(std::wstring_view text, std::wstring_view objectName, Append append) {
    // Pieces are cut by hand: substr's range check would bring exceptions into the launcher.
    const auto piece = [&](std::size_t from, std::size_t to) {
        return std::wstring_view(text.data() + from, to - from);
    };
    std::size_t copied = 0;
    std::size_t at = 0;
    while ((at = text.find(L'%', at)) != text.npos) {
        if (at + 1 < text.size() && text[at + 1] == L'%') {
            at += 2;
        } else if (const std::size_t length = InsertLengthAt(text, at); length != 0) {
            append(piece(copied, at));
            append(objectName);
            at += length;
            copied = at;
        } else {
            ++at;
        }
    }
    append(piece(copied, text.size()));
}

}  // namespace velquor
