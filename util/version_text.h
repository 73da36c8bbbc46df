// The version texts of the about box and its web and mail addresses: the program's own version
// in several forms, and the running Windows' version packed into one number.
#pragma once

#include <cstdint>
#include <string>

namespace velquor {

// The program's file version; its third field appears in no version text.
struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int build = 0;
    int revision = 0;
};

// The fields of the platform's OS version record that the packed number is made of.
struct OsVersionRecord {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::uint32_t platformId = 0;
};

// Windows 95, 98 and Me: their build field holds major and minor in its upper 16 bits.
inline constexpr std::uint32_t kWindows9xPlatform = 1;

// Major in bits 24-31, minor in bits 16-23, build in bits 0-15.
std::uint32_t OsVersionNumber(const OsVersionRecord& record);

// "major.minor.build" of a packed number, e.g. 5.1.2600.
std::wstring OsVersionText(std::uint32_t versionNumber);

// Style bit 8 (256) gives the revision as a letter instead of ".revision" (none below 100);
// the low byte picks the form: 0 " (V1.7.2)", 1 "1.7.2", anything else empty text.
inline constexpr std::uint16_t kVersionInBrackets = 0;
inline constexpr std::uint16_t kVersionAlone = 1;
inline constexpr std::uint16_t kRevisionAsLetter = 256;
std::wstring ProgramVersionText(std::uint16_t style, const ProgramVersion& version);

}  // namespace velquor
