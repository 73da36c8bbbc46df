// The save behind "&OK": check the context rows, then write AutoRun.Inf into the project root.
#pragma once

#include <string>

#include "project/project_settings.h"

namespace velquor {

class Clock;
class Prompts;

inline constexpr wchar_t kIncompleteRowsMessage[] =
    L"Ihre Angaben unter Schritt (3) sind nicht eindeutig: Ein vollständiger Eintrag besteht aus "
    L"einem kurzen Text für das Kontextmenü sowie dem zugehörigen Pfad auf das betreffende "
    L"Dokument. Möchten Sie einen Eintrag dagegen löschen, so benutzen Sie bitte den betr. "
    L"Taster in der gleichen Zeile.";

inline constexpr wchar_t kWriteFailureTemplate[] =
    L"Die CD-Autostart-Einstellungen konnten nicht gespeichert werden. Beim Schreiben der "
    L"Datei\\n\\n%f%\\n\\nkam es zu folgendem Fehler:\\n\\n%g%";

enum class SaveOutcome {
    NotReady,  // no root or no target: nothing is written and nothing is said
    Stopped,   // incomplete rows or a failed write; the user has been told
    Saved,
};

// Reads the settings and changes none of them.
SaveOutcome SaveAutostart(const ProjectSettings& s, Prompts& prompts, Clock& clock);

}  // namespace velquor
