// "CD-Abbild erstellen ...": the image file, the disc's name, the medium, the findings of the
// readiness check, "&Erstellen" with its progress, and what to do with a finished image.
// Sizes in twips.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/dialog_controls.h"
#include "disc/disc_readiness.h"

namespace velquor {

inline constexpr wchar_t kDiscImageTitle[] = L"Velquor - CD-Abbild erstellen";
inline constexpr int kDiscImageClientWidth = 8400;
inline constexpr int kDiscImageClientHeight = 5715;

// "&Erstellen" has the dialog manager's OK number, the close button its Cancel number: Enter
// writes, Escape cancels the writing or closes.
inline constexpr int kImageCreateId = 1;
inline constexpr int kImageCloseId = 2;
inline constexpr int kImagePathId = 100;
inline constexpr int kImageBrowseId = 101;
inline constexpr int kVolumeNameId = 102;
inline constexpr int kMediumListId = 103;
inline constexpr int kFindingsId = 104;
inline constexpr int kImageProgressId = 105;
inline constexpr int kImageStatusId = 106;
inline constexpr int kBurnImageId = 107;
inline constexpr int kOpenImageFolderId = 108;

inline constexpr wchar_t kCloseCaption[] = L"Schließen";
inline constexpr wchar_t kCancelWritingCaption[] = L"Abbrechen";
inline constexpr wchar_t kSaveImageTitle[] = L"CD-Abbild speichern unter";
inline constexpr wchar_t kImageFilter[] = L"CD-Abbilder (*.iso)|*.iso|";
inline constexpr wchar_t kNoFindingsText[] =
    L"Die Prüfung fand nichts zu beanstanden: Das Abbild kann erstellt werden.";
inline constexpr wchar_t kWritingStatus[] = L"Das Abbild wird geschrieben ...";
inline constexpr wchar_t kWrittenStatus[] = L"Das Abbild ist fertig: ";
inline constexpr wchar_t kCancelledStatus[] = L"Abgebrochen: Es wurde kein Abbild geschrieben.";

inline constexpr wchar_t kProjectUnreadableTemplate[] =
    L"Das Projekt ließ sich nicht lesen, es gibt keine Prüfung und kein Abbild: %1";
inline constexpr wchar_t kImageInsideProjectTemplate[] =
    L"Das Abbild kann nicht im Projektordner liegen, denn es käme selbst mit auf die "
    L"CD:\\n\\n%f%\\n\\nBitte wählen Sie mit „...“ einen Ort außerhalb des Projektordners.";
inline constexpr wchar_t kReplaceImageTemplate[] =
    L"Die Datei\\n\\n%f%\\n\\ngibt es schon. Möchten Sie sie durch das neue Abbild ersetzen?";
inline constexpr wchar_t kImageWriteFailureTemplate[] =
    L"Das CD-Abbild konnte nicht geschrieben werden. Es kam dabei zu folgendem "
    L"Fehler:\\n\\n%g%";
inline constexpr wchar_t kFileChangedTemplate[] =
    L"Die folgende Datei des Projekts hat sich während des Schreibens geändert; es wurde kein "
    L"Abbild geschrieben:\\n\\n%f%\\n\\nBitte erstellen Sie das Abbild erneut.";

std::span<const DialogControl> DiscImageControls();

// The media of the list, in its order, and their texts.
struct MediumChoice {
    DiscMedium medium;
    std::wstring_view text;
};
std::span<const MediumChoice> MediumChoices();
inline constexpr int kDefaultMediumChoice = 1;  // CD 700 MB, today's usual blank

// One finding a line, errors as "Fehler: ...", warnings as "Warnung: ..."; kNoFindingsText
// without any. Lines end in CR LF, as a multi-line edit box shows them.
std::wstring FindingsText(const std::vector<DiscFinding>& findings);

}  // namespace velquor
