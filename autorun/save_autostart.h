// The save behind "&OK": check the context rows, write AutoRun.Inf into the project root, copy
// the launcher beside it, write a library icon as AutoRun.Ico, then offer to end the program.
// The first failure is reported and ends the save; what earlier steps wrote stays.
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

inline constexpr wchar_t kLauncherCopyFailureTemplate[] =
    L"Die für einen korrekten CD-Autostart notwendige Datei Orbeno.Exe ließ sich nicht "
    L"von\\n\\n%v%\\n\\nnach\\n\\n%n%\\n\\nkopieren. Es kam dabei zu folgendem "
    L"Fehler:\\n\\n%g%";

inline constexpr wchar_t kIconWriteFailureTemplate[] =
    L"Das von Ihnen ausgewählte Icon konnte nicht auf dem Datenträger angelegt werden. Es kam "
    L"dabei zu folgendem Fehler:\\n\\n%g%";

// Shown as it stands: two carriage returns and no escapes.
inline constexpr wchar_t kClosingQuestion[] =
    L"Die CD-Autostart-Einstellungen wurden erfolgreich vorgenommen. Sie können jetzt mit dem "
    L"Testen bzw. dem Brennen Ihres CD-Projekts beginnen.\r\rMöchten Sie Velquor jetzt "
    L"beenden?";

enum class SaveOutcome {
    NotReady,     // no root or no target: nothing is written and nothing is said
    Stopped,      // incomplete rows or a failed step; the user has been told
    Saved,        // everything written, and the user wants to go on
    SavedAndEnd,  // everything written, and the user wants to end the program
};

// Reads the settings and changes none of them. The launcher is copied from `programFolder`
// (ending in a backslash), the folder of the running program.
SaveOutcome SaveAutostart(const ProjectSettings& s, const std::wstring& programFolder,
                          Prompts& prompts, Clock& clock);

// The save's steps after AutoRun.Inf; each reports its own failure and returns false then.
// Copies Orbeno.Exe from the program folder into the project root, replacing the old one.
bool DeployLauncher(const ProjectSettings& s, const std::wstring& programFolder, Prompts& prompts);
// Writes the chosen library entry's .ico file as AutoRun.Ico; nothing to do for another choice.
bool WriteLibraryIcon(const ProjectSettings& s, Prompts& prompts);

}  // namespace velquor
