#include "text_template.h"

namespace velquor {

namespace {

wchar_t EscapedCharacter(wchar_t letter) {
    switch (letter) {
        case L't':
        case L'T':
            return L'\t';
        case L'n':
        case L'N':
            return L'\r';
        case L'l':
        case L'L':
            return L'\n';
        case L'h':
        case L'H':
            return L'"';
        default:
            return letter;
    }
}

}  // namespace

std::wstring ExpandEscapes(std::wstring_view tmpl) {
    std::wstring result;
    result.reserve(tmpl.size());
    bool pending = false;
    for (wchar_t c : tmpl) {
        if (pending) {
            result += EscapedCharacter(c);
            pending = false;
        } else if (c == L'\\') {
            pending = true;
        } else {
            result += c;
        }
    }
    return result;
}

std::wstring ReplaceAll(std::wstring_view text, std::wstring_view what, std::wstring_view with) {
    if (what.empty()) {
        return std::wstring(text);
    }
    std::wstring result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t hit = text.find(what); hit != std::wstring_view::npos;
         hit = text.find(what, from)) {
        result.append(text.substr(from, hit - from));
        result.append(with);
        from = hit + what.size();
    }
    result.append(text.substr(from));
    return result;
}

std::wstring FormatText(std::wstring_view tmpl, const std::vector<std::wstring>& args) {
    std::wstring text(tmpl);
    for (std::size_t n = 1; n <= 10; ++n) {
        const std::wstring& value = n <= args.size() ? args[n - 1] : std::wstring();
        text = ReplaceAll(text, L"%" + std::to_wstring(n), value);
    }
    return ExpandEscapes(text);
}

std::wstring FillMessageTemplate(std::wstring_view tmpl, std::initializer_list<NamedValue> values) {
    // One pass over the expanded template: a value is never searched again, so a folder
    // named "%g%" stays a folder name.
    const std::wstring text = ExpandEscapes(tmpl);
    const std::wstring_view view(text);
    std::wstring result;
    result.reserve(text.size());
    std::size_t at = 0;
    while (at < view.size()) {
        const NamedValue* hit = nullptr;
        for (const NamedValue& v : values) {
            if (!v.placeholder.empty() && view.substr(at).starts_with(v.placeholder)) {
                hit = &v;
                break;
            }
        }
        if (hit) {
            result += L"    ";
            result += hit->value;
            at += hit->placeholder.size();
        } else {
            result += view[at++];
        }
    }
    return result;
}

std::wstring FillInOnePass(std::wstring_view tmpl,
                           std::initializer_list<std::wstring_view> values) {
    const std::wstring text = ExpandEscapes(tmpl);
    std::wstring result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const wchar_t next = at + 1 < text.size() ? text[at + 1] : L'\0';
        if (text[at] == L'%' && next >= L'1' && next <= L'9') {
            const std::size_t n = static_cast<std::size_t>(next - L'1');
            if (n < values.size()) {
                result += values.begin()[n];
            }
            ++at;
        } else {
            result += text[at];
        }
    }
    return result;
}

}  // namespace velquor
