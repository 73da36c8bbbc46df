#include "text_helpers.h"

namespace velquor {

std::wstring AddBackslash(std::wstring_view text) {
    std::wstring result(text);
    if (result.empty() || result.back() != L'\\') {
        result += L'\\';
    }
    return result;
}

std::wstring CutAtNul(std::wstring_view text) {
    return std::wstring(text.substr(0, text.find(L'\0')));
}

std::wstring IfText(std::wstring_view ifSet, bool flag, std::wstring_view ifClear) {
    return std::wstring(flag ? ifSet : ifClear);
}

std::wstring Enclose(std::wstring_view text, std::wstring_view opener) {
    std::wstring closer(opener);
    if (opener == L"(") {
        closer = L")";
    } else if (opener == L"[") {
        closer = L"]";
    } else if (opener == L"{") {
        closer = L"}";
    } else if (opener == L"<") {
        closer = L">";
    }
    return std::wstring(opener) + std::wstring(text) + closer;
}

std::wstring Quote(std::wstring_view text) {
    return Enclose(text, L"\"");
}

std::wstring TrimBlanks(std::wstring_view text) {
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(L' ');
    return std::wstring(text.substr(first, last - first + 1));
}

}  // namespace velquor
