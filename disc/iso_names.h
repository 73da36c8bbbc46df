// The names a disc image gives its files: short ISO 9660 level-1 names for the primary tree
// (8.3, capitals, digits and "_"), the full names in UCS-2 for the Joliet tree, the volume
// names, and the order in which directory records and path tables list them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velquor {

inline constexpr std::size_t kLevel1NameLength = 8;
inline constexpr std::size_t kLevel1ExtensionLength = 3;
inline constexpr std::size_t kPrimaryVolumeIdLength = 32;
inline constexpr std::size_t kJolietVolumeIdLength = 16;

// A level-1 name before it is made unique in its folder; a folder has no extension.
struct Level1Name {
    std::u16string name;
    std::u16string extension;

    friend bool operator==(const Level1Name&, const Level1Name&) = default;
};

// "Über uns.html" -> "UBER_UNS" "HTM"; accented Latin letters lose their accent, anything
// else that is no d-character becomes "_".
Level1Name Level1Candidate(std::wstring_view name, bool isFolder);

// The candidate with the n-th suffix in its last characters: "LANGERNA" 1 -> "LANGER_1".
Level1Name Level1Variant(const Level1Name& candidate, int n);

// What the directory record holds: "NAME.EXT;1" for a file, "NAME" for a folder.
std::u16string Level1Identifier(const Level1Name& name, bool isFolder);

// The volume names: capitals and "_" in up to 32 characters for the primary descriptor, the
// name itself in up to 16 UCS-2 units for Joliet (characters Joliet cannot hold become "_").
std::u16string PrimaryVolumeIdentifier(std::wstring_view volumeName);
std::u16string JolietVolumeIdentifier(std::wstring_view volumeName);

inline constexpr std::size_t kJolietMaxNameUnits = 64;

// The Joliet names of a folder's entries, in their order: the name itself where Joliet can hold
// it; a ";" (which Windows allows and Joliet does not) becomes "_", and a name over 64 units
// becomes its first units, "~" and a number and its extension, 64 units at most. Such names
// are unique in the folder. UDF carries every name whole.
std::vector<std::u16string> JolietNames(const std::vector<std::u16string>& names);

// Whether Joliet can hold the character: not *, /, :, ;, ?, \, a control character or half
// of a surrogate pair.
bool JolietAllows(char16_t unit);

// The order of directory records and path tables: by the name, then by the extension (after the
// last "." of a file's name, before a level-1 version), each padded with blanks; folders are all
// name. Works on both trees' identifiers, unit by unit.
bool IsoIdentifierLess(std::u16string_view a, bool aIsFolder, std::u16string_view b,
                       bool bIsFolder);

}  // namespace velquor
