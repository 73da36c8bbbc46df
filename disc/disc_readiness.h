// The check before a project goes onto a disc: what keeps its image from being written
// (errors) and what will not work as intended on the burnt disc (warnings). Each finding names
// the path it concerns and says in one line what it means for the disc and what to do.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "disc/disc_listing.h"
#include "disc/udf_records.h"

namespace velquor {

inline constexpr std::size_t kJolietMaxPathBytes = 240;
inline constexpr std::uint64_t kMaxIsoFileSize = 0xFFFFFFFF;  // 4 GiB - 1
inline constexpr std::size_t kMaxIsoFolders = 65535;          // the root counts
inline constexpr int kMaxIsoLevel = 8;                        // the root is level 1
// Windows opens a path from a drive ("X:\" and the path) of at most 259 characters.
inline constexpr std::size_t kMaxWindowsPathUnits = 259 - 3;

// The disc the image is meant for, by the sectors of 2048 bytes it takes.
enum class DiscMedium { kCd650, kCd700, kDvd, kDvdDoubleLayer, kBluRay, kAnySize };

std::optional<std::uint64_t> DiscMediumSectors(DiscMedium medium);

enum class DiscFindingSeverity { kError, kWarning };

// The word a finding's line begins with: the same in the image dialog and in velquor-abbild, so
// that a user who knows one knows the other.
constexpr std::wstring_view FindingPrefix(DiscFindingSeverity severity) {
    return severity == DiscFindingSeverity::kError ? L"Fehler: " : L"Warnung: ";
}

enum class DiscFindingKind {
    // errors
    kNameTooLong,
    kPathTooLong,
    kCharacterNotAllowed,
    kCharacterOutsideUcs2,
    kFileTooLarge,
    kTooManyFolders,
    kImageTooLarge,
    // warnings
    kJolietNameChanged,
    kJolietPathTooLong,
    kFileOnlyInUdf,
    kNoAutorunInf,
    kAutorunTargetMissing,
    kLauncherMissing,
    kIconNotIco,
    kHiddenOrSystem,
    kFolderTooDeep,
};

struct DiscFinding {
    DiscFindingKind kind;
    DiscFindingSeverity severity;
    std::wstring path;  // project-relative; empty where the finding concerns the whole project
    std::wstring text;  // one line

    friend bool operator==(const DiscFinding&, const DiscFinding&) = default;
};

// The project's autostart files as the caller read them.
struct DiscAutorunFiles {
    // The text of the root's AutoRun.Inf, decoded; nothing when it could not be read.
    std::optional<std::wstring> autorunText;
    // The whole file that the icon line names (ReadAutorunReferences says which); nothing when
    // it was not read. Icon files are small.
    std::optional<std::vector<unsigned char>> iconFile;
};

// The errors that keep any image of the listing from being written, whatever the medium.
std::vector<DiscFinding> FindImageBlockers(const DiscListing& listing);

// Errors first, in the order of the listing; then warnings, those about the autostart files
// before those in the order of the listing.
std::vector<DiscFinding> CheckDiscReadiness(const DiscListing& listing, DiscMedium medium,
                                            const DiscAutorunFiles& autorunFiles = {});

bool HasDiscErrors(const std::vector<DiscFinding>& findings);

}  // namespace velquor
