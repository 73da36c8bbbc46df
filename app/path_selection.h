// Picking paths: the project root through the folder browser, a folder target through the same
// browser, documents and icon files through the file-open dialog. Every pick must lie inside
// the project root.
#pragma once

#include <string>
#include <string_view>

#include "project/project_settings.h"

namespace velquor {

class Prompts;

inline constexpr wchar_t kRootPrompt[] =
    L"Wo liegt das Hauptverzeichnis Ihres CD-Projekts auf der Festplatte?";
inline constexpr wchar_t kFolderTargetPrompt[] =
    L"Bitte wählen Sie den beim CD-Autostart zu öffnenden Ordner aus:";
// %1 the longest path allowed.
inline constexpr wchar_t kFolderPathTooLongTemplate[] =
    L"Der Pfad des gewählten Ordners ist zu lang für ein CD-Projekt: Er darf höchstens %1 "
    L"Zeichen haben. Bitte wählen Sie einen Ordner mit einem kürzeren Pfad.";
inline constexpr wchar_t kIconFilter[] = L"Icons (*.ico)|*.ico|";
inline constexpr wchar_t kOutsideProjectMessage[] =
    L"Das von Ihnen angegebene Objekt liegt außerhalb des Pfades, welchen Sie als "
    L"Hauptverzeichnis der zu brennenden CD-Daten angegeben haben. Für eine korrekte Einbindung "
    L"muss sich dieses Objekt (Datei oder Ordner) aber innerhalb Ihres CD-Projekts befinden "
    L"('Externe' Dateien müssen also zuvor in die CD-Struktur kopiert werden).\r\r"
    L"Möchten Sie die Eingabe jetzt wiederholen?";

// Asks for the root; a pick resets the whole project (also when the same folder comes again),
// a cancel changes nothing, and so does a folder whose path is too long, after a message.
// Returns whether a root was taken.
bool ChooseProjectRoot(ProjectSettings& s, Prompts& prompts);

// Puts a picked path into slot 1..5 when it lies inside the project, and for a context row
// whose label is empty the file's name as its label. Returns whether the slot took it.
bool TakePickedPath(ProjectSettings& s, int slot, const std::wstring& path);

// Slots 1..5. Repeats the pick while the user wants to after an outside pick; a cancel or a
// refusal changes nothing. Returns whether the slot took a new path.
bool ChooseSlotPath(ProjectSettings& s, int slot, Prompts& prompts);

}  // namespace velquor
