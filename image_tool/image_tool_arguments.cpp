#include "image_tool/image_tool_arguments.h"

#include "util/file_name_case.h"

namespace velquor {

const wchar_t kImageToolUsage[] =
    L"Prüft ein CD-Projekt wie Velquor vor dem Brennen und schreibt es als Abbild (UDF mit ISO "
    L"9660 und Joliet).\n"
    L"\n"
    L"velquor-abbild <Projektordner> <Abbild.iso> [/name:<Datenträgername>] "
    L"[/medium:cd650|cd700|dvd|dvd-dl|bd]\n"
    L"\n"
    L"  /name    der Name des Datenträgers; ohne Angabe der Name des Projektordners\n"
    L"  /medium  der Rohling, auf den das Abbild passen muss; ohne Angabe jede Größe\n"
    L"\n"
    L"Das Abbild darf nicht im Projektordner liegen. Ein älteres Abbild gleichen Namens wird\n"
    L"erst ersetzt, wenn das neue vollständig geschrieben ist.\n"
    L"\n"
    L"Rückgabewert: 0 Abbild geschrieben, 1 vom Projekt-Check abgelehnt (die Fehler werden\n"
    L"genannt), 2 nicht geschrieben (der Grund wird genannt).\n";

namespace {

// The value of "/name:..." when `arg` is that option, compared as Windows compares names.
std::optional<std::wstring> OptionValue(const std::wstring& arg, std::wstring_view option) {
    if (arg.size() > option.size() && StartsWithFileName(arg, option)) {
        return arg.substr(option.size());
    }
    return std::nullopt;
}

std::optional<DiscMedium> MediumNamed(const std::wstring& name) {
    constexpr std::pair<std::wstring_view, DiscMedium> kMedia[] = {
        {L"cd650", DiscMedium::kCd650},
        {L"cd700", DiscMedium::kCd700},
        {L"dvd", DiscMedium::kDvd},
        {L"dvd-dl", DiscMedium::kDvdDoubleLayer},
        {L"bd", DiscMedium::kBluRay}};
    for (const auto& [text, medium] : kMedia) {
        if (FileNamesEqual(name, text)) {
            return medium;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<ImageToolArguments> ParseImageToolArguments(const std::vector<std::wstring>& args,
                                                          std::wstring& error) {
    ImageToolArguments parsed;
    std::vector<std::wstring> paths;
    for (const std::wstring& arg : args) {
        if (arg == L"/?" || arg == L"-?") {
            parsed.showUsage = true;
            return parsed;
        }
        if (const auto name = OptionValue(arg, L"/name:")) {
            parsed.volumeName = *name;
        } else if (const auto medium = OptionValue(arg, L"/medium:")) {
            const std::optional<DiscMedium> known = MediumNamed(*medium);
            if (!known) {
                error =
                    L"Unbekanntes Medium „" + *medium + L"“: cd650, cd700, dvd, dvd-dl oder bd.";
                return std::nullopt;
            }
            parsed.medium = *known;
        } else if (arg.starts_with(L'/')) {
            error = L"Unbekannte Angabe „" + arg + L"“.";
            return std::nullopt;
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.size() != 2 || paths[0].empty() || paths[1].empty()) {
        error = L"Bitte den Projektordner und die Abbild-Datei angeben.";
        return std::nullopt;
    }
    parsed.projectFolder = paths[0];
    parsed.imagePath = paths[1];
    return parsed;
}

std::wstring FindingLines(const std::vector<DiscFinding>& findings) {
    std::wstring lines;
    for (const DiscFinding& finding : findings) {
        lines += FindingPrefix(finding.severity);
        if (!finding.path.empty()) {
            lines += finding.path + L": ";
        }
        lines += finding.text + L"\n";
    }
    return lines;
}

}  // namespace velquor
