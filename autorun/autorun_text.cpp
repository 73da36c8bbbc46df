#include "autorun/autorun_text.h"

#include "util/clock.h"
#include "util/maker.h"
#include "util/text_helpers.h"
#include "util/text_template.h"

namespace velquor {

namespace {

constexpr wchar_t kCrLf[] = L"\r\n";

std::wstring HeaderLine(std::wstring_view text) {
    return std::wstring(text) + L"\\n\\l";
}

std::wstring LauncherWith(const std::wstring& relativePath) {
    return std::wstring(kLauncherFileName) + L" " + Quote(relativePath);
}

// The value of the icon line, or empty when no icon is chosen.
std::wstring IconValue(const ProjectSettings& s) {
    const std::wstring& choice = s.slots[kIconSlot];
    if (choice == kNotChosen) {
        return {};
    }
    if (choice == kDefaultIcon) {
        return kLauncherFileName;
    }
    if (choice == kLibraryIcon) {
        return kLibraryIconFileName;
    }
    return Quote(RelativeSlotPath(s, kIconSlot));
}

}  // namespace

std::wstring AutorunHeaderTemplate() {
    const std::wstring separator = L";" + std::wstring(70, L'*');
    // Backslashes in these texts would be taken for escapes; the maker's texts have none.
    return HeaderLine(separator) + HeaderLine(L";* AUTORUN.INF (Erstellt: %t%)") +
           HeaderLine(separator) +
           HeaderLine(L";* Diese Datei steuert den Autostart von CDs anhand des Morvane-Tools") +
           HeaderLine(
               L";* Orbeno. Detaillierte Informationen hierzu finden Sie in der Online-Hilfe") +
           HeaderLine(L";* des zugeh. Programms Velquor bzw. im Internet unter") +
           HeaderLine(std::wstring(L";* ") + kMakerSite) + HeaderLine(separator) +
           HeaderLine(L";*  Copyright (C) Morvane Software, alle Rechte vorbehalten, 1995 - %y%") +
           HeaderLine(std::wstring(L";*  ") + kAuthorName) +
           HeaderLine(std::wstring(L";*  Kontakt via E-Mail: ") + kSupportMail) +
           HeaderLine(separator) + HeaderLine(L"");
}

std::wstring ComposeAutorunText(const ProjectSettings& s, Clock& clock) {
    std::wstring text =
        ReplaceAll(ExpandEscapes(AutorunHeaderTemplate()), L"%t%", clock.DateTimeText());
    text += L"[autorun]";
    text += kCrLf;
    text = ReplaceAll(text, L"%y%", clock.YearText());

    auto line = [&text](const std::wstring& content) {
        text += content;
        text += kCrLf;
    };
    line(L"open = " + LauncherWith(RelativeSlotPath(s, kTargetSlot)));
    if (const std::wstring icon = IconValue(s); !icon.empty()) {
        line(L"icon = " + icon);
    }
    for (int row = 0; row < kContextRowCount; ++row) {
        if (!LabelIsSet(s.labels[row])) {
            continue;
        }
        const std::wstring verb = L"shell\\" + std::to_wstring(row);
        line(verb + L" = &" + TrimBlanks(s.labels[row]));
        line(verb + L"\\command = " + LauncherWith(RelativeSlotPath(s, kFirstRowSlot + row)));
    }
    line(L"shell\\zq = &Über Orbeno ...");
    line(std::wstring(L"shell\\zq\\command = ") + kLauncherFileName);
    return text;
}

std::wstring AutorunFilePath(const ProjectSettings& s) {
    return s.projectRoot + kAutorunFileName;
}

}  // namespace velquor
