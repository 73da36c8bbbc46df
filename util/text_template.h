// Message templates: one-line texts with backslash escapes and placeholders.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace velquor {

// "\n" carriage return, "\l" line feed, "\t" tab, "\h" double quote (letters in either case),
// "\\" one backslash; a backslash before anything else is dropped, and so is a final one.
std::wstring ExpandEscapes(std::wstring_view tmpl);

// Replaces "%1" .. "%10" in that order, each pass over the result of the previous one, by the
// arguments (missing ones count as empty), then expands the escapes of the whole result.
std::wstring FormatText(std::wstring_view tmpl, const std::vector<std::wstring>& args = {});

// Every occurrence, left to right, case-sensitive; inserted text is not searched again.
std::wstring ReplaceAll(std::wstring_view text, std::wstring_view what, std::wstring_view with);

struct NamedValue {
    std::wstring_view placeholder;  // for example L"%f%"
    std::wstring_view value;
};

// The order for templates with named placeholders: escapes first, then every placeholder is
// replaced by four blanks and its value in one pass over the template, so values keep every
// backslash, stand indented on a line of their own, and are never expanded again.
std::wstring FillMessageTemplate(std::wstring_view tmpl, std::initializer_list<NamedValue> values);

// For one-line findings and reasons: escapes first, then "%1" .. "%9" replaced by the values in
// one pass over the template (missing ones count as empty), so a path keeps its backslashes and
// a value that holds "%2" is never filled in again.
std::wstring FillInOnePass(std::wstring_view tmpl, std::initializer_list<std::wstring_view> values);

}  // namespace velquor
