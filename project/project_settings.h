// The one CD project a run edits: six path slots, three context rows, the target type and the
// icon choice, with the texts that stand for "nothing chosen". The main window shows exactly
// these values; it keeps no second copy.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace velquor {

inline constexpr std::wstring_view kNotChosen = L"(Bitte wählen ...)";
inline constexpr std::wstring_view kNoLabel = L"(kein)";
inline constexpr std::wstring_view kDefaultIcon = L"(Standardeinstellung)";
inline constexpr std::wstring_view kLibraryIcon = L"(Bibliothek)";

// Path slots.
inline constexpr int kRootSlot = 0;
inline constexpr int kTargetSlot = 1;
inline constexpr int kFirstRowSlot = 2;  // context row r uses slot r + 2
inline constexpr int kIconSlot = 5;
inline constexpr int kSlotCount = 6;
inline constexpr int kContextRowCount = 3;

// The classic Windows path functions take 259 characters (MAX_PATH less the end mark). A folder
// target is opened by its path; the root, with its closing backslash, must leave room for the
// 11 characters of "AutoRun.Inf", "AutoRun.Ico" and the temporary files written beside them.
// A document is picked through a dialog that takes Windows' longest path.
inline constexpr std::size_t kLongestFolderPath = 259;
inline constexpr std::size_t kLongestProjectRoot = 259 - 11;
inline constexpr std::size_t kLongestDocumentPath = 32767;

enum class TargetType { Document, Folder };

// What the icon preview shows; the window draws it.
enum class PreviewKind {
    Placeholder,   // no icon chosen
    DefaultDisc,   // the launcher's own icon
    LibraryEntry,  // entry `libraryEntry` of the built-in library
    IconFile,      // the file named in the icon slot
};

struct IconPreview {
    PreviewKind kind = PreviewKind::Placeholder;
    int libraryEntry = 0;  // 1-based; set while kind is LibraryEntry

    bool operator==(const IconPreview&) const = default;
};

struct ProjectSettings {
    std::array<std::wstring, kSlotCount> slots;
    std::array<std::wstring, kContextRowCount> labels;
    TargetType targetType = TargetType::Document;
    bool useLongNames = true;       // the long-name flag; nothing in the window changes it
    std::wstring projectRoot;       // long form, ends in a backslash; empty until chosen
    std::wstring projectRootShort;  // 8.3 form as the system gives it, may be empty
    IconPreview preview;

    ProjectSettings();
};

// The slot text back to "(Bitte wählen ...)"; a context row also loses its label, the icon
// slot its preview.
void ResetSlot(ProjectSettings& s, int slot);
void ResetAllSlots(ProjectSettings& s);
// All slots and labels reset; root, root short form, target type and long-name flag stay.
void ResetProject(ProjectSettings& s);
void SetDefaultIcon(ProjectSettings& s);
// Entry numbers start at 1; 0 (a cancelled library dialog) changes nothing.
void ApplyLibraryIcon(ProjectSettings& s, int entry);

// A label is empty when, trimmed of blanks, it is "(kein)" (exact case) or nothing.
bool LabelIsSet(std::wstring_view label);
// A path slot is chosen when, trimmed, it is neither "(Bitte wählen ...)" nor empty.
bool SlotIsChosen(std::wstring_view slotText);

// Every context row must be complete (label and path) or empty; gives the first row that is
// neither, or nothing when all rows are fine.
std::optional<int> FirstIncompleteContextRow(const ProjectSettings& s);

// The project root begins the path, compared as Windows compares file names.
bool IsInsideProject(const ProjectSettings& s, std::wstring_view path);

// The file name up to its first dot: "Preise.2004.xls" gives "Preise", ".profile" nothing.
std::wstring DefaultLabel(std::wstring_view path);

// The slot's path relative to the project root, as written into the autorun file; "\" for the
// root itself. Cut by length only: the slot is known to begin with the root.
std::wstring RelativeSlotPath(const ProjectSettings& s, int slot);

// Steps (2) to (4)'s pick buttons and the target type need a root.
bool RootDependentControlsEnabled(const ProjectSettings& s);
// A save needs a root and a target; the OK button is enabled exactly then.
bool ReadyToSave(const ProjectSettings& s);

}  // namespace velquor
