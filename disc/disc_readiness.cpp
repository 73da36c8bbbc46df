#include "disc/disc_readiness.h"

#include <algorithm>

#include "autorun/autorun_text.h"
#include "autorun/icon_file.h"
#include "disc/autorun_references.h"
#include "disc/iso_layout.h"
#include "disc/iso_names.h"
#include "disc/udf_records.h"
#include "util/file_name_case.h"
#include "util/text_template.h"

namespace velquor {

namespace {

// One line each: what it is, what it means for the disc, what to do. "%1" the path or count.
constexpr wchar_t kNameTooLongText[] =
    L"Der Name von %1 hat %2 Zeichen, auf einer CD sind höchstens %3 möglich: Das Abbild kann so "
    L"nicht geschrieben werden. Abhilfe: den Namen kürzen.";
constexpr wchar_t kPathTooLongText[] =
    L"Der Pfad %1 hat mit dem Laufwerk %2 Zeichen, Windows öffnet höchstens 259: Das Abbild kann "
    L"so nicht geschrieben werden. Abhilfe: Ordner- oder Dateinamen kürzen oder weniger tief "
    L"verschachteln.";
constexpr wchar_t kCharacterNotAllowedText[] =
    L"Der Name von %1 enthält das Zeichen %2, das Windows in Namen nicht zulässt: Das Abbild "
    L"kann so nicht geschrieben werden. Abhilfe: das Zeichen aus dem Namen entfernen.";
constexpr wchar_t kCharacterOutsideUcs2Text[] =
    L"Der Name von %1 enthält ein Zeichen (etwa ein Emoji), das eine CD nicht speichern kann: "
    L"Das Abbild kann so nicht geschrieben werden. Abhilfe: das Zeichen aus dem Namen entfernen.";
constexpr wchar_t kFileTooLargeText[] =
    L"Die Datei %1 ist größer als 234 GB, mehr fasst ein Eintrag auf der CD nicht: Das Abbild "
    L"kann so nicht geschrieben werden. Abhilfe: die Datei teilen.";
constexpr wchar_t kJolietNameChangedText[] =
    L"%1 heißt auf Systemen ohne UDF %2: Windows zeigt den vollen Namen, ältere Systeme diesen. "
    L"Abhilfe, wenn nötig: den Namen kürzen (höchstens 64 Zeichen, ohne „;“).";
constexpr wchar_t kJolietPathTooLongText[] =
    L"Der Pfad %1 ist ohne UDF %2 Byte lang, mehr als 240: Windows liest ihn, ältere Systeme "
    L"womöglich nicht. Abhilfe, wenn nötig: Namen kürzen oder weniger tief verschachteln.";
constexpr wchar_t kFileOnlyInUdfText[] =
    L"Die Datei %1 ist 4 GB groß oder größer: Sie ist auf Systemen ohne UDF nicht zu sehen, "
    L"Windows liest sie. Abhilfe, wenn nötig: die Datei teilen.";
constexpr wchar_t kTooManyFoldersText[] =
    L"Das Projekt hat mit dem Projektordner %1 Ordner, auf einer CD sind höchstens 65535 möglich: "
    L"Das Abbild kann so nicht geschrieben werden. Abhilfe: Ordner zusammenlegen.";
constexpr wchar_t kImageTooLargeText[] =
    L"Das Abbild braucht %1 Sektoren zu 2048 Byte, %2 fasst %3: Es passt nicht auf das Medium. "
    L"Abhilfe: Dateien weglassen oder ein größeres Medium wählen.";
constexpr wchar_t kNoAutorunInfText[] =
    L"Im Projektordner liegt keine AutoRun.Inf: Die CD startet beim Einlegen nichts und zeigt "
    L"kein eigenes Icon. Abhilfe: den Autostart mit Velquor einrichten und speichern.";
constexpr wchar_t kAutorunTargetMissingText[] =
    L"Die AutoRun.Inf nennt in der Zeile „%2“ das Ziel %1, das im Projekt fehlt: Dieser "
    L"Eintrag tut auf der CD nichts. Abhilfe: das Ziel neu wählen und den Autostart speichern.";
constexpr wchar_t kLauncherMissingText[] =
    L"Orbeno.Exe fehlt im Projektordner: Die Autostart-Befehle der CD laufen ins Leere. "
    L"Abhilfe: den Autostart mit Velquor neu speichern, das kopiert Orbeno.Exe mit.";
constexpr wchar_t kIconNotIcoText[] =
    L"Die Icon-Datei %1 ist keine echte Icon-Datei (.ico): Windows zeigt für die CD nicht dieses "
    L"Icon. Abhilfe: eine echte .ico-Datei oder ein Icon der Bibliothek wählen.";
constexpr wchar_t kHiddenOrSystemText[] =
    L"%1 ist %2: Manche Brennprogramme lassen solche Dateien weg, dann fehlen sie auf der CD. "
    L"Abhilfe: das Attribut entfernen oder nach dem Brennen prüfen, ob sie da sind.";
constexpr wchar_t kFolderTooDeepText[] =
    L"Der Ordner %1 liegt tiefer als acht Ebenen: Ältere Systeme lesen ihn auf der CD "
    L"womöglich nicht, Windows liest ihn. Abhilfe: die Ordner weniger tief verschachteln.";

std::wstring Fill(std::wstring_view tmpl, std::wstring_view one, std::wstring_view two = {},
                  std::wstring_view three = {}) {
    return FillInOnePass(tmpl, {one, two, three});
}

std::wstring CharacterName(char16_t unit) {
    if (unit < 0x20) {
        constexpr wchar_t kHex[] = L"0123456789ABCDEF";
        return std::wstring(L"U+00") + kHex[unit >> 4] + kHex[unit & 0xF];
    }
    return std::wstring(L"„") + static_cast<wchar_t>(unit) + L"“";
}

bool OutsideUcs2(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

struct Collector {
    std::vector<DiscFinding> errors;
    std::vector<DiscFinding> warnings;
    std::size_t folders = 1;  // the root

    void Error(DiscFindingKind kind, std::wstring path, std::wstring text) {
        errors.push_back({kind, DiscFindingSeverity::kError, std::move(path), std::move(text)});
    }
    void Warning(DiscFindingKind kind, std::wstring path, std::wstring text) {
        warnings.push_back({kind, DiscFindingSeverity::kWarning, std::move(path), std::move(text)});
    }
};

// Windows' own limits are errors; what only the ISO 9660 and Joliet trees cannot hold is a
// warning, since the UDF tree holds it whole.
void CheckName(Collector& found, const std::wstring& path, const std::u16string& name,
               const std::u16string& jolietName, bool blockersOnly) {
    const bool wide = std::any_of(name.begin(), name.end(), [](char16_t c) { return c > 0xFF; });
    const std::size_t longest = (kUdfLongestNameBytes - 1) / (wide ? 2 : 1);
    if (name.size() > longest) {
        found.Error(
            DiscFindingKind::kNameTooLong, path,
            Fill(kNameTooLongText, path, std::to_wstring(name.size()), std::to_wstring(longest)));
    }
    const auto forbidden = std::find_if(name.begin(), name.end(), [](char16_t c) {
        return c < 0x20 || std::u16string_view(u"\"*/:<>?\\|").find(c) != std::u16string_view::npos;
    });
    if (forbidden != name.end()) {
        found.Error(DiscFindingKind::kCharacterNotAllowed, path,
                    Fill(kCharacterNotAllowedText, path, CharacterName(*forbidden)));
    }
    const bool outside = std::any_of(name.begin(), name.end(), OutsideUcs2);
    if (outside) {
        found.Error(DiscFindingKind::kCharacterOutsideUcs2, path,
                    Fill(kCharacterOutsideUcs2Text, path));
    }
    if (!blockersOnly && !outside && forbidden == name.end() && name.size() <= longest &&
        jolietName != name) {
        found.Warning(
            DiscFindingKind::kJolietNameChanged, path,
            Fill(kJolietNameChangedText, path, std::wstring(jolietName.begin(), jolietName.end())));
    }
}

// Depth first in the listing's order. jolietBytes: the parent's path as Joliet counts it,
// UCS-2 bytes of every part and of the separators between them.
void CheckEntries(Collector& found, const DiscEntry& folder, const std::wstring& folderPath,
                  std::size_t jolietBytes, int level, bool blockersOnly) {
    std::vector<std::u16string> names;
    for (const DiscEntry& entry : folder.children) {
        names.push_back(ToUtf16(entry.name));
    }
    const std::vector<std::u16string> jolietNames = JolietNames(names);
    for (std::size_t i = 0; i < folder.children.size(); ++i) {
        const DiscEntry& entry = folder.children[i];
        const std::wstring path = JoinDiscPath(folderPath, entry.name);
        const std::size_t bytes =
            jolietBytes + (folderPath.empty() ? 0 : 2) + 2 * jolietNames[i].size();
        CheckName(found, path, names[i], jolietNames[i], blockersOnly);
        if (const std::size_t units = ToUtf16(path).size(); units > kMaxWindowsPathUnits) {
            found.Error(DiscFindingKind::kPathTooLong, path,
                        Fill(kPathTooLongText, path, std::to_wstring(units + 3)));
        } else if (!blockersOnly && bytes > kJolietMaxPathBytes &&
                   jolietBytes <= kJolietMaxPathBytes) {  // only the first in its branch
            found.Warning(DiscFindingKind::kJolietPathTooLong, path,
                          Fill(kJolietPathTooLongText, path, std::to_wstring(bytes)));
        }
        if (!entry.isFolder && entry.size > kMaxUdfFileSize) {
            found.Error(DiscFindingKind::kFileTooLarge, path, Fill(kFileTooLargeText, path));
        } else if (!blockersOnly && !entry.isFolder && entry.size > kMaxIsoFileSize) {
            found.Warning(DiscFindingKind::kFileOnlyInUdf, path, Fill(kFileOnlyInUdfText, path));
        }
        if (!blockersOnly && (entry.hidden || entry.system)) {
            const wchar_t* what = entry.hidden && entry.system ? L"versteckt und eine Systemdatei"
                                  : entry.hidden               ? L"versteckt"
                                                               : L"eine Systemdatei";
            found.Warning(DiscFindingKind::kHiddenOrSystem, path,
                          Fill(kHiddenOrSystemText, path, what));
        }
        if (entry.isFolder) {
            ++found.folders;
            // Only the first folder too deep in its branch: the ones below it go with it.
            const int entryLevel = level + 1;
            if (!blockersOnly && entryLevel == kMaxIsoLevel + 1) {
                found.Warning(DiscFindingKind::kFolderTooDeep, path,
                              Fill(kFolderTooDeepText, path));
            }
            CheckEntries(found, entry, path, bytes, entryLevel, blockersOnly);
        }
    }
}

Collector CheckListing(const DiscListing& listing, bool blockersOnly) {
    Collector found;
    CheckEntries(found, listing.root, {}, 0, 1, blockersOnly);
    if (found.folders > kMaxIsoFolders) {
        found.Error(DiscFindingKind::kTooManyFolders, {},
                    Fill(kTooManyFoldersText, std::to_wstring(found.folders)));
    }
    return found;
}

bool RunsAsIcon(std::wstring_view path) {
    // An icon taken from a program or library is not an .ico file.
    constexpr std::wstring_view kExe = L".exe";
    constexpr std::wstring_view kDll = L".dll";
    return path.size() >= 4 && (FileNamesEqual(path.substr(path.size() - 4), kExe) ||
                                FileNamesEqual(path.substr(path.size() - 4), kDll));
}

void CheckAutostart(Collector& found, const DiscListing& listing, const DiscAutorunFiles& files) {
    const DiscEntry* autorunInf = FindDiscEntry(listing, kAutorunFileName);
    if (autorunInf == nullptr || autorunInf->isFolder) {
        found.Warning(DiscFindingKind::kNoAutorunInf, {}, kNoAutorunInfText);
        return;
    }
    const DiscEntry* launcher = FindDiscEntry(listing, kLauncherFileName);
    if (launcher == nullptr || launcher->isFolder) {
        found.Warning(DiscFindingKind::kLauncherMissing, kLauncherFileName, kLauncherMissingText);
    }
    if (!files.autorunText) {
        return;
    }
    const AutorunReferences references = ReadAutorunReferences(*files.autorunText);
    for (const AutorunTarget& target : references.targets) {
        if (FindDiscEntry(listing, target.path) == nullptr) {
            found.Warning(DiscFindingKind::kAutorunTargetMissing, target.path,
                          Fill(kAutorunTargetMissingText, target.path, target.key));
        }
    }
    if (references.iconPath && files.iconFile && !RunsAsIcon(*references.iconPath) &&
        FindDiscEntry(listing, *references.iconPath) != nullptr &&
        !ParseIconFile(*files.iconFile).ok()) {
        found.Warning(DiscFindingKind::kIconNotIco, *references.iconPath,
                      Fill(kIconNotIcoText, *references.iconPath));
    }
}

std::wstring MediumName(DiscMedium medium) {
    switch (medium) {
        case DiscMedium::kCd650:
            return L"eine CD mit 650 MB";
        case DiscMedium::kCd700:
            return L"eine CD mit 700 MB";
        case DiscMedium::kDvdDoubleLayer:
            return L"eine DVD mit zwei Schichten";
        case DiscMedium::kBluRay:
            return L"eine Blu-ray";
        default:
            return L"eine DVD";
    }
}

}  // namespace

std::optional<std::uint64_t> DiscMediumSectors(DiscMedium medium) {
    switch (medium) {
        case DiscMedium::kCd650:
            return 333000;
        case DiscMedium::kCd700:
            return 360000;
        case DiscMedium::kDvd:
            return 2295104;
        case DiscMedium::kDvdDoubleLayer:  // the smaller of the two formats
            return 4171712;
        case DiscMedium::kBluRay:  // 25 GB, unformatted, no spare area
            return 12219392;
        case DiscMedium::kAnySize:
            break;
    }
    return std::nullopt;
}

std::vector<DiscFinding> FindImageBlockers(const DiscListing& listing) {
    return CheckListing(listing, true).errors;
}

std::vector<DiscFinding> CheckDiscReadiness(const DiscListing& listing, DiscMedium medium,
                                            const DiscAutorunFiles& autorunFiles) {
    Collector found = CheckListing(listing, false);
    const std::optional<std::uint64_t> capacity = DiscMediumSectors(medium);
    if (capacity) {
        const std::uint64_t sectors = LayOutIsoImage(listing).totalSectors;
        if (sectors > *capacity) {
            found.Error(DiscFindingKind::kImageTooLarge, {},
                        Fill(kImageTooLargeText, std::to_wstring(sectors), MediumName(medium),
                             std::to_wstring(*capacity)));
        }
    }
    Collector autostart;
    CheckAutostart(autostart, listing, autorunFiles);
    std::vector<DiscFinding> findings = std::move(found.errors);
    findings.insert(findings.end(), autostart.warnings.begin(), autostart.warnings.end());
    findings.insert(findings.end(), found.warnings.begin(), found.warnings.end());
    return findings;
}

bool HasDiscErrors(const std::vector<DiscFinding>& findings) {
    return std::any_of(findings.begin(), findings.end(), [](const DiscFinding& f) {
        return f.severity == DiscFindingSeverity::kError;
    });
}

}  // namespace velquor
