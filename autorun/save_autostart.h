// The save behind "&OK": check the context rows, then write AutoRun.Inf into the project root.
#pragma once

#include <string>

#include "app/project_settings.h"

namespace velquor {

class Clock;
class Prompts;

inline constexpr wchar_t kWriteFailureTemplate[] =
    L"Die CD-Autostart-Einstellungen konnten nicht gespeichert werden. Beim Schreiben der "
    L"Datei\\n\\n%f%\\n\\nkam es zu folgendem Fehler:\\n\\n%g%";

enum class SaveOutcome {
    Stopped,  // incomplete rows or a failed write; the user has been told
    Saved,
};

// Reads the settings and changes none of them.
SaveOutcome SaveAutostart(const ProjectSettings& s, Prompts& prompts, Clock& clock);

}  // namespace velquor
