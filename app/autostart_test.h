// "Autostart testen": the commands of a saved AutoRun.Inf, started as Windows starts them from
// the inserted disc. What the lines say and which program they name is decided here; reading
// the file and starting the program is the Win32 side's.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "autorun/autorun_file_reader.h"

namespace velquor {

inline constexpr wchar_t kInsertionEntryLabel[] = L"Beim Einlegen (open)";

inline constexpr wchar_t kNoSavedAutorunTemplate[] =
    L"Im Hauptverzeichnis liegt keine gespeicherte AutoRun.Inf:\\n\\n%f%\\n\\nSpeichern Sie den "
    L"Autostart zuerst mit „OK“; danach lässt er sich hier testen.";
inline constexpr wchar_t kNothingToStartTemplate[] =
    L"Die AutoRun.Inf im Hauptverzeichnis nennt keinen Befehl, den Windows beim Einlegen oder "
    L"im Kontextmenü der CD starten würde:\\n\\n%f%";

// One command of the file: the open line or a context-menu entry.
struct AutostartEntry {
    std::wstring label;        // kInsertionEntryLabel, or the menu text without its "&" marks
    std::wstring commandLine;  // the value as the file holds it

    friend bool operator==(const AutostartEntry&, const AutostartEntry&) = default;
};

// The entries of the [autorun] section: the open line first, then each "shell\<verb>" that
// has a "shell\<verb>\command", in the file's order. Commands of blanks alone are left out.
std::vector<AutostartEntry> AutostartEntries(const AutorunSection& section);

// What a command line runs, as Windows reads it from a disc: the program is the first token
// (in quotes, or up to the first blank or tab), a relative one taken from the disc's root,
// here the project root, ".exe" added when its name has no extension. The command line stays
// the whole line.
struct AutostartCommand {
    std::wstring program;  // a full path; empty when the line names none
    std::wstring commandLine;

    friend bool operator==(const AutostartCommand&, const AutostartCommand&) = default;
};

// `projectRoot` ends in a backslash.
AutostartCommand ResolveAutostartCommand(std::wstring_view commandLine,
                                         std::wstring_view projectRoot);

}  // namespace velquor
