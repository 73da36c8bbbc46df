// Launcher arguments made to escape the disc's folder or name a device, the same for the same
// seed on every platform (the Mersenne Twister's output is fixed; no distribution is used).
// And an oracle written apart from the launcher's rules: where a path ends up below its folder.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace velquor::testing {

inline std::vector<std::wstring> HostilePaths(std::uint32_t seed, std::size_t count,
                                              const std::wstring& lastPart = L"") {
    static const wchar_t* const kParts[] = {
        L"..",        L"..",           L".",       L"...",     L".. ", L" ..",     L". .",
        L"..\u00A0",  L"\uFF0E\uFF0E", L"Daten",   L"Daten",   L"a",   L"b.txt",   L"a.",
        L"a ",        L"x.cmd",        L"Ärzte",   L"Ω",       L"CON", L"nul.txt", L"com1",
        L"COM\u00B9", L"lpt0.a.b",     L"conout$", L"Aux  .x", L"C:",  L"a:b",     L"*",
        L"?",         L"<>",           L"|",       L"\"",      L"\t",  L"%TEMP%",  L"~1",
        L"",          L"\\\\?\\",      L"\\\\.\\", L"\\??\\",  L"\\"};
    static const wchar_t* const kSeparators[] = {L"\\", L"/", L"\\\\", L"/\\"};
    std::mt19937 random(seed);
    const auto pick = [&random](const auto& list) { return list[random() % std::size(list)]; };
    std::vector<std::wstring> paths;
    for (std::size_t n = 0; n < count; ++n) {
        std::wstring path = random() % 8 == 0 ? pick(kSeparators) : L"";
        for (std::size_t part = 0, parts = 1 + random() % 7; part < parts; ++part) {
            path += pick(kParts);
            path += part + 1 < parts || random() % 4 == 0 ? pick(kSeparators) : L"";
        }
        paths.push_back(path + lastPart);
    }
    return paths;
}

// The depth below the folder at which the path ends, or nothing when it reaches above the
// folder, a drive, a device or a name Windows changes. Errs on the strict side: every part made
// of dots and blanks only counts as a step up.
inline std::optional<int> DepthInside(const std::wstring& path) {
    if (path == L"\\") {
        return 0;
    }
    if (path.empty() || path[0] == L'\\' || path[0] == L'/' ||
        path.find_first_of(L":*?\"<>|") != std::wstring::npos) {
        return std::nullopt;
    }
    int depth = 0;
    std::wstring part;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && path[i] < 0x20) {
            return std::nullopt;
        }
        if (i < path.size() && path[i] != L'\\' && path[i] != L'/') {
            part += path[i];
            continue;
        }
        std::wstring stem = part.substr(0, part.find(L'.'));
        while (!stem.empty() && stem.back() == L' ') {
            stem.pop_back();
        }
        for (wchar_t& c : stem) {
            c = c >= L'a' && c <= L'z' ? c - L'a' + L'A' : c;
        }
        const bool numbered =
            stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) &&
            std::wstring(L"0123456789\u00B9\u00B2\u00B3").find(stem[3]) != std::wstring::npos;
        if (numbered || stem == L"CON" || stem == L"PRN" || stem == L"AUX" || stem == L"NUL" ||
            stem == L"CONIN$" || stem == L"CONOUT$") {
            return std::nullopt;
        }
        if (part.find_first_not_of(L". ") == std::wstring::npos && part != L"." && !part.empty()) {
            if (--depth < 0) {
                return std::nullopt;
            }
        } else if (!part.empty() && part != L".") {
            ++depth;
        }
        part.clear();
    }
    return depth;
}

}  // namespace velquor::testing
