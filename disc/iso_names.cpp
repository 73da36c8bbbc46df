#include "disc/iso_names.h"

#include <set>

#include <algorithm>

#include "disc/disc_listing.h"

namespace velquor {

namespace {

// U+00C0 .. U+00FF without their accents; "_" where there is no plain letter.
constexpr char kLatin1Letters[] =
    "AAAAAAACEEEEIIIIDNOOOOO_OUUUUYTSAAAAAAACEEEEIIIIDNOOOOO_OUUUUYTY";

char16_t Level1Character(wchar_t c) {
    if ((c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_') {
        return static_cast<char16_t>(c);
    }
    if (c >= L'a' && c <= L'z') {
        return static_cast<char16_t>(c - L'a' + L'A');
    }
    if (c >= 0xC0 && c <= 0xFF) {
        return static_cast<char16_t>(kLatin1Letters[c - 0xC0]);
    }
    return u'_';
}

std::u16string Level1Text(std::wstring_view text, std::size_t maxLength) {
    std::u16string mapped;
    for (wchar_t c : text) {
        if (mapped.size() == maxLength) {
            break;
        }
        mapped += Level1Character(c);
    }
    return mapped;
}

struct IdentifierParts {
    std::u16string_view name;
    std::u16string_view extension;
};

IdentifierParts Split(std::u16string_view id, bool isFolder) {
    if (isFolder) {
        return {id, {}};
    }
    id = id.substr(0, id.rfind(u';'));  // a level-1 version; Joliet names have none
    const std::size_t dot = id.rfind(u'.');
    if (dot == std::u16string_view::npos) {
        return {id, {}};
    }
    return {id.substr(0, dot), id.substr(dot + 1)};
}

// Compares as if the shorter one were padded with blanks.
int ComparePadded(std::u16string_view a, std::u16string_view b) {
    const std::size_t length = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < length; ++i) {
        const char16_t ca = i < a.size() ? a[i] : u' ';
        const char16_t cb = i < b.size() ? b[i] : u' ';
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    return 0;
}

}  // namespace

Level1Name Level1Candidate(std::wstring_view name, bool isFolder) {
    if (isFolder) {
        return {Level1Text(name, kLevel1NameLength), {}};
    }
    const std::size_t dot = name.rfind(L'.');
    if (dot == std::wstring_view::npos) {
        return {Level1Text(name, kLevel1NameLength), {}};
    }
    Level1Name result{Level1Text(name.substr(0, dot), kLevel1NameLength),
                      Level1Text(name.substr(dot + 1), kLevel1ExtensionLength)};
    if (result.name.empty() && result.extension.empty()) {
        result.name = u"_";
    }
    return result;
}

Level1Name Level1Variant(const Level1Name& candidate, int n) {
    const std::string digits = std::to_string(n);
    std::u16string suffix = u"_";
    suffix.append(digits.begin(), digits.end());
    const std::size_t kept = std::min(candidate.name.size(), kLevel1NameLength - suffix.size());
    return {candidate.name.substr(0, kept) + suffix, candidate.extension};
}

std::u16string Level1Identifier(const Level1Name& name, bool isFolder) {
    if (isFolder) {
        return name.name;
    }
    return name.name + u"." + name.extension + u";1";
}

std::u16string PrimaryVolumeIdentifier(std::wstring_view volumeName) {
    return Level1Text(volumeName, kPrimaryVolumeIdLength);
}

std::u16string JolietVolumeIdentifier(std::wstring_view volumeName) {
    std::u16string id = ToUtf16(volumeName).substr(0, kJolietVolumeIdLength);
    std::replace_if(
        id.begin(), id.end(), [](char16_t c) { return !JolietAllows(c); }, u'_');
    return id;
}

std::vector<std::u16string> JolietNames(const std::vector<std::u16string>& names) {
    constexpr std::size_t kLongestExtension = 16;
    std::vector<std::u16string> joliet(names.size());
    std::set<std::u16string> taken;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].size() <= kJolietMaxNameUnits && names[i].find(u';') == names[i].npos) {
            joliet[i] = names[i];
            taken.insert(names[i]);
        }
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!joliet[i].empty() || names[i].empty()) {
            continue;
        }
        std::u16string name = names[i];
        std::replace(name.begin(), name.end(), u';', u'_');
        const std::size_t dot = name.rfind(u'.');
        const std::u16string extension =
            dot != name.npos && dot > 0 && name.size() - dot <= kLongestExtension ? name.substr(dot)
                                                                                  : u"";
        const std::u16string stem = name.substr(0, name.size() - extension.size());
        for (int n = 1; name.size() > kJolietMaxNameUnits || taken.contains(name); ++n) {
            const std::string digits = std::to_string(n);
            std::u16string suffix(1, u'~');  // appended: GCC 12 warns wrongly on "~" + digits
            suffix.append(digits.begin(), digits.end());
            name = stem.substr(0, kJolietMaxNameUnits - suffix.size() - extension.size()) + suffix +
                   extension;
        }
        joliet[i] = name;
        taken.insert(name);
    }
    return joliet;
}

bool JolietAllows(char16_t unit) {
    constexpr std::u16string_view kForbidden = u"*/:;?\\";
    return unit >= 0x20 && kForbidden.find(unit) == std::u16string_view::npos &&
           !(unit >= 0xD800 && unit <= 0xDFFF);
}

bool IsoIdentifierLess(std::u16string_view a, bool aIsFolder, std::u16string_view b,
                       bool bIsFolder) {
    const IdentifierParts pa = Split(a, aIsFolder);
    const IdentifierParts pb = Split(b, bIsFolder);
    if (const int byName = ComparePadded(pa.name, pb.name); byName != 0) {
        return byName < 0;
    }
    return ComparePadded(pa.extension, pb.extension) < 0;
}

}  // namespace velquor
