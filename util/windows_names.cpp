#include "util/windows_names.h"

// Views are cut by hand: substr's range check would bring exceptions into the launcher.

namespace velquor {

namespace {

bool IsBlankOrTab(wchar_t c) {
    return c == L' ' || c == L'\t';
}

wchar_t AsciiUpper(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool EqualsAsciiNoCase(std::wstring_view text, std::wstring_view upper) {
    if (text.size() != upper.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (AsciiUpper(text[i]) != upper[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::wstring_view ArgumentOf(std::wstring_view commandLine) {
    const wchar_t* cursor = commandLine.data();
    const wchar_t* const end = cursor + commandLine.size();
    if (cursor != end && *cursor == L'"') {
        ++cursor;
        while (cursor != end && *cursor != L'"') {
            ++cursor;
        }
        if (cursor != end) {
            ++cursor;  // the closing quote
        }
    } else {
        while (cursor != end && !IsBlankOrTab(*cursor)) {
            ++cursor;
        }
    }
    std::wstring_view rest(cursor, static_cast<std::size_t>(end - cursor));
    while (!rest.empty() && IsBlankOrTab(rest.front())) {
        rest.remove_prefix(1);
    }
    while (!rest.empty() && IsBlankOrTab(rest.back())) {
        rest.remove_suffix(1);
    }
    if (rest.size() >= 2 && rest.front() == L'"' && rest.back() == L'"') {
        rest.remove_prefix(1);
        rest.remove_suffix(1);
    }
    return rest;
}

bool IsDeviceName(std::wstring_view part) {
    // Windows reads only the name before the first dot, without the blanks that end it.
    std::wstring_view name = part;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == L'.') {
            name.remove_suffix(name.size() - i);
            break;
        }
    }
    while (!name.empty() && name.back() == L' ') {
        name.remove_suffix(1);
    }
    for (const std::wstring_view device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
        if (EqualsAsciiNoCase(name, device)) {
            return true;
        }
    }
    if (name.size() != 4) {
        return false;
    }
    // The superscript digits count as well; COM0 and LPT0 are reserved by the documentation.
    const wchar_t digit = name[3];
    const bool isDigit = (digit >= L'0' && digit <= L'9') || digit == L'\u00B9' ||
                         digit == L'\u00B2' || digit == L'\u00B3';
    const std::wstring_view stem(name.data(), 3);
    return isDigit && (EqualsAsciiNoCase(stem, L"COM") || EqualsAsciiNoCase(stem, L"LPT"));
}

}  // namespace velquor
