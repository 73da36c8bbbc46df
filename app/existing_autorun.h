// Coming back to a project: after a root is picked, an AutoRun.Inf that already lies in it is
// offered for taking over, and what can be taken goes into the window as if the user had
// picked each item. Nothing is written; the next save replaces the file as always.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "autorun/autorun_read_back.h"
#include "autorun/check_icon_file.h"
#include "project/project_settings.h"

namespace velquor {

class Prompts;

inline constexpr wchar_t kTakeOverQuestion[] =
    L"Im Projektordner liegt bereits eine AutoRun.Inf.\\n\\nSollen ihre Einstellungen "
    L"übernommen werden (Ziel, Einträge im Kontextmenü und Icon)?";
// "%r%" the lines not taken, one a line.
inline constexpr wchar_t kPartlyTakenTemplate[] =
    L"Nicht alles aus der AutoRun.Inf im Projektordner wurde übernommen:\\n\\n%r%\\n\\nBeim "
    L"Speichern mit „OK“ wird die AutoRun.Inf ersetzt; diese Zeilen fehlen dann.";
inline constexpr wchar_t kNothingTakenTemplate[] =
    L"Velquor kann aus der AutoRun.Inf im Projektordner nichts übernehmen:\\n\\n%r%\\n\\nBeim "
    L"Speichern mit „OK“ wird sie ersetzt.";
inline constexpr std::size_t kLongestReasonList = 20;
inline constexpr wchar_t kMoreReasonsText[] = L"… und %1 weitere";

// Why nothing of a file could be read; "%1" the system's reason.
inline constexpr wchar_t kAutorunEmptyText[] = L"Die Datei ist leer.";
inline constexpr wchar_t kAutorunTooLargeText[] = L"Die Datei ist größer als 1 MB.";
inline constexpr wchar_t kAutorunUnreadableText[] = L"Die Datei lässt sich nicht lesen: %1";
inline constexpr wchar_t kNoAutorunSectionText[] = L"Die Datei hat keinen Abschnitt [autorun].";
inline constexpr wchar_t kNothingInSectionText[] =
    L"Der Abschnitt [autorun] nennt weder ein Ziel noch einen Eintrag im Kontextmenü noch ein "
    L"Icon.";
inline constexpr wchar_t kIconNotLoadedText[] =
    L"icon: Die Icon-Datei %1 lässt sich nicht als Bild laden.";

struct ExistingAutorun {
    bool exists = false;               // a file of that name, in any case, lies in the root
    std::optional<std::wstring> text;  // decoded; nothing when it could not be read
    std::wstring failure;              // then why, one sentence
};

// What the offer needs of the platform.
struct ExistingAutorunAccess {
    std::function<ExistingAutorun(const std::wstring& projectRoot)> read;
    ProjectLookup lookup;
    PictureLoader loadIcon;  // into the preview, as a picked icon file is loaded
};

// Runs after a root was taken and the reset project is shown.
void OfferExistingAutorun(ProjectSettings& s, Prompts& prompts,
                          const ExistingAutorunAccess& access);

// Puts what was read back into the settings through the operations a pick uses. Returns the
// lines not taken, the icon file among them when the loader refuses it.
std::vector<std::wstring> TakeReadBack(ProjectSettings& s, const AutorunReadBack& readBack,
                                       const PictureLoader& loadIcon);

// At most kLongestReasonList lines, then "… und n weitere"; one a line.
std::wstring ReasonList(const std::vector<std::wstring>& reasons);

}  // namespace velquor
