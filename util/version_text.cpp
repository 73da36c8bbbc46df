#include "util/version_text.h"

namespace velquor {
namespace {

// The revision in hundreds, rounded to the nearest whole number; a half goes to the even one.
int HundredsRoundedHalfToEven(int revision) {
    const int whole = revision / 100;
    const int rest = revision % 100;
    if (rest > 50 || (rest == 50 && whole % 2 == 1)) {
        return whole + 1;
    }
    return whole;
}

}  // namespace

std::uint32_t OsVersionNumber(const OsVersionRecord& record) {
    if (record.platformId == kWindows9xPlatform) {
        return record.build;
    }
    return (record.major & 0xFFu) << 24 | (record.minor & 0xFFu) << 16 | (record.build & 0xFFFFu);
}

std::wstring OsVersionText(std::uint32_t versionNumber) {
    return std::to_wstring(versionNumber >> 24) + L"." +
           std::to_wstring(versionNumber >> 16 & 0xFFu) + L"." +
           std::to_wstring(versionNumber & 0xFFFFu);
}

std::wstring ProgramVersionText(std::uint16_t style, const ProgramVersion& version) {
    std::wstring core = std::to_wstring(version.major) + L"." + std::to_wstring(version.minor);
    if (!(style & kRevisionAsLetter)) {
        core += L"." + std::to_wstring(version.revision);
    } else if (version.revision >= 100) {
        core += static_cast<wchar_t>(96 + HundredsRoundedHalfToEven(version.revision));
    }
    switch (style & 0xFFu) {
        case kVersionInBrackets:
            return L" (V" + core + L")";
        case kVersionAlone:
            return core;
        default:
            return {};
    }
}

}  // namespace velquor
