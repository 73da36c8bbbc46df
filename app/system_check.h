// The check behind "&Prüfe Autostart-Optionen von Windows": which settings of this computer keep
// a CD's AutoRun.Inf from working. A pure function from the registry values as read and the
// drive types to the findings, and the message that reports them; the reading itself is in
// system_check_win. Nothing here or there ever changes a setting.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velquor {

inline constexpr wchar_t kSystemCheckAllClear[] = L"Alle Einstellungen sind korrekt ...";
inline constexpr wchar_t kSystemCheckIntro[] =
    L"Folgende Einstellungen dieses Computers verhindern den CD-Autostart:";

// The keys and values the check reads. The policy values lie under the same path in both hives.
inline constexpr wchar_t kIniFileMappingKey[] =
    L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\Autorun.inf";
inline constexpr wchar_t kPoliciesExplorerKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline constexpr wchar_t kNoDriveTypeAutoRunValue[] = L"NoDriveTypeAutoRun";
inline constexpr wchar_t kNoDriveAutoRunValue[] = L"NoDriveAutoRun";
inline constexpr wchar_t kNoAutorunValue[] = L"NoAutorun";
inline constexpr wchar_t kAutoplayHandlersKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers";
inline constexpr wchar_t kDisableAutoplayValue[] = L"DisableAutoplay";
inline constexpr wchar_t kUserChosenHandlersKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers\\"
    L"UserChosenExecuteHandlers";
inline constexpr wchar_t kDefaultHandlersKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers\\"
    L"EventHandlersDefaultSelection";
// Windows 8 and later keep the choice as the default value of a key of this name under the two
// keys; older versions as a value of this name in them.
inline constexpr wchar_t kSoftwareDiscEventValue[] = L"AutorunINFLegacyArrival";
inline constexpr wchar_t kCdromServiceKey[] = L"SYSTEM\\CurrentControlSet\\Services\\cdrom";
inline constexpr wchar_t kCdromAutoRunValue[] = L"AutoRun";
// The service that tells Explorer of inserted discs; without it nothing happens on insertion.
inline constexpr wchar_t kShellHardwareDetectionService[] = L"ShellHWDetection";

inline constexpr wchar_t kIgnoreIniFilePrefix[] = L"@SYS:";
inline constexpr std::uint32_t kCdDriveTypeBit = 0x20;
inline constexpr wchar_t kTakeNoActionHandler[] = L"MSTakeNoAction";
inline constexpr wchar_t kOpenFolderHandler[] = L"MSOpenFolder";

// The hive named in a finding: the one whose policy value counted.
inline constexpr wchar_t kMachineHiveName[] = L"HKEY_LOCAL_MACHINE";
inline constexpr wchar_t kUserHiveName[] = L"HKEY_CURRENT_USER";

// One line each. "%1" .. "%3" are replaced as each finding says; the texts have no escapes.
inline constexpr wchar_t kAutorunInfIgnoredFinding[] =
    L"Windows ignoriert jede AutoRun.Inf: Die CD zeigt weder ihr Icon noch ihre Menüeinträge, "
    L"und beim Einlegen startet nichts. Abhilfe: den Registrierungsschlüssel "
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\"
    L"Autorun.inf löschen (mit Administratorrechten).";
// %1 the hive.
inline constexpr wchar_t kCdDriveTypeFinding[] =
    L"Autostart ist für alle CD-Laufwerke abgeschaltet: Beim Einlegen einer CD startet nichts. "
    L"Abhilfe: die Gruppenrichtlinie „Automatische Wiedergabe deaktivieren“ auf „Nicht "
    L"konfiguriert“ setzen oder unter %1\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\"
    L"Explorer im Wert NoDriveTypeAutoRun das Bit 0x20 löschen.";
// %1 the drive, %2 the hive, %3 the drive's bit in hexadecimal.
inline constexpr wchar_t kCdDriveLetterFinding[] =
    L"Autostart ist für das CD-Laufwerk %1 abgeschaltet: Eine CD in diesem Laufwerk startet beim "
    L"Einlegen nicht. Abhilfe: unter %2\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\"
    L"Explorer im Wert NoDriveAutoRun das Bit 0x%3 löschen.";
// %1 the drives ("D:, E: und F:"), %2 the hive, %3 their bits in hexadecimal.
inline constexpr wchar_t kCdDriveLettersFinding[] =
    L"Autostart ist für die CD-Laufwerke %1 abgeschaltet: Eine CD in diesen Laufwerken startet "
    L"beim Einlegen nicht. Abhilfe: unter %2\\Software\\Microsoft\\Windows\\CurrentVersion\\"
    L"Policies\\Explorer im Wert NoDriveAutoRun die Bits 0x%3 löschen.";
// %1 the hive.
inline constexpr wchar_t kNoAutorunFinding[] =
    L"Autostart-Befehle sind abgeschaltet: Windows führt beim Einlegen keinen Befehl der "
    L"AutoRun.Inf aus. Abhilfe: die Gruppenrichtlinie „Standardverhalten von AutoAusführen "
    L"festlegen“ auf „Nicht konfiguriert“ setzen oder unter %1\\Software\\Microsoft\\Windows\\"
    L"CurrentVersion\\Policies\\Explorer den Wert NoAutorun löschen.";
inline constexpr wchar_t kAutoplayDisabledFinding[] =
    L"Die automatische Wiedergabe ist für diesen Benutzer ausgeschaltet: Beim Einlegen einer CD "
    L"startet nichts. Abhilfe: unter Einstellungen > Bluetooth und Geräte > Automatische "
    L"Wiedergabe (Windows 10: Einstellungen > Geräte > Automatische Wiedergabe) „Automatische "
    L"Wiedergabe für alle Medien und Geräte verwenden“ einschalten.";
// %1 the state: kServiceStopped, kServiceDisabled or kServiceStoppedAndDisabled.
inline constexpr wchar_t kShellHardwareDetectionFinding[] =
    L"Der Dienst „Shellhardwareerkennung“ ist %1: Windows meldet eingelegte CDs nicht, es gibt "
    L"weder automatische Wiedergabe noch Autostart. Abhilfe: unter Dienste (services.msc) beim "
    L"Dienst „Shellhardwareerkennung“ den Starttyp „Automatisch“ wählen und den Dienst starten "
    L"(mit Administratorrechten).";
inline constexpr wchar_t kServiceStopped[] = L"beendet";
inline constexpr wchar_t kServiceDisabled[] = L"deaktiviert";
inline constexpr wchar_t kServiceStoppedAndDisabled[] = L"beendet und deaktiviert";
inline constexpr wchar_t kCdromDriverSilentFinding[] =
    L"Auf älteren Windows-Versionen meldet der CD-Treiber eingelegte CDs nicht: Dort startet beim "
    L"Einlegen einer CD nichts. Abhilfe: unter HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\"
    L"Services\\cdrom den Wert AutoRun auf 1 setzen und Windows neu starten.";
inline constexpr wchar_t kTakeNoActionFinding[] =
    L"Für Software-CDs ist die automatische Wiedergabe auf „Keine Aktion durchführen“ "
    L"eingestellt: Beim Einlegen startet nichts. Abhilfe: unter Systemsteuerung > Hardware und "
    L"Sound > Automatische Wiedergabe bei „Software und Spiele“ das Ausführen des Programms oder "
    L"„Jedes Mal nachfragen“ wählen.";
inline constexpr wchar_t kOpenFolderFinding[] =
    L"Für Software-CDs ist die automatische Wiedergabe auf das Öffnen des Ordners eingestellt: "
    L"Beim Einlegen öffnet Windows den Ordner der CD statt ihres Programms. Abhilfe: unter "
    L"Systemsteuerung > Hardware und Sound > Automatische Wiedergabe bei „Software und Spiele“ "
    L"das Ausführen des Programms oder „Jedes Mal nachfragen“ wählen.";

// A policy value that Windows takes from HKEY_LOCAL_MACHINE when it is there and only otherwise
// from HKEY_CURRENT_USER.
struct PolicyValue {
    std::optional<std::uint32_t> machine;
    std::optional<std::uint32_t> user;

    friend bool operator==(const PolicyValue&, const PolicyValue&) = default;
};

// A service as the service manager reports it.
struct ServiceState {
    bool stopped = false;   // not running now (stopped or stopping)
    bool disabled = false;  // its start type is "Deaktiviert": it will not start either

    friend bool operator==(const ServiceState&, const ServiceState&) = default;
};

// The values as read; a missing key or value, or one of another registry type than the one
// named here, is not set (nullopt).
struct AutorunRegistryValues {
    // HKLM kIniFileMappingKey, default value (REG_SZ).
    std::optional<std::wstring> iniFileMapping;
    // kPoliciesExplorerKey in both hives (REG_DWORD each).
    PolicyValue noDriveTypeAutoRun;
    PolicyValue noDriveAutoRun;
    PolicyValue noAutorun;
    // HKCU kAutoplayHandlersKey, DisableAutoplay (REG_DWORD).
    std::optional<std::uint32_t> disableAutoplay;
    // HKLM kCdromServiceKey, AutoRun (REG_DWORD).
    std::optional<std::uint32_t> cdromAutoRun;
    // HKCU AutorunINFLegacyArrival under kUserChosenHandlersKey and kDefaultHandlersKey: the
    // key's default value, else the value of that name (REG_SZ each).
    std::optional<std::wstring> userChosenHandler;
    std::optional<std::wstring> defaultHandler;
    // kShellHardwareDetectionService; nothing when there is no such service (as under Wine) or
    // it cannot be queried.
    std::optional<ServiceState> shellHardwareDetection;

    friend bool operator==(const AutorunRegistryValues&, const AutorunRegistryValues&) = default;
};

// The platform's drive types.
enum class DriveKind { Unknown, NoRootFolder, Removable, Fixed, Remote, CdRom, RamDisk };

struct DriveInfo {
    wchar_t letter;  // 'A' .. 'Z'
    DriveKind kind;

    friend bool operator==(const DriveInfo&, const DriveInfo&) = default;
};

// In the order in which they are checked and reported.
enum class SystemCheckFindingKind {
    AutorunInfIgnored,          // IniFileMapping maps Autorun.inf to "@SYS:..."
    CdDriveTypeOff,             // NoDriveTypeAutoRun has the CD drive bit 0x20
    CdDriveLettersOff,          // NoDriveAutoRun has the bit of a CD drive
    AutorunCommandsOff,         // NoAutorun is 1
    AutoplayOff,                // DisableAutoplay is 1
    ShellHardwareDetectionOff,  // ShellHWDetection is stopped or disabled
    CdromDriverSilent,          // the cdrom service's AutoRun is 0
    SoftwareDiscNoAction,       // the software-disc choice is MSTakeNoAction
    SoftwareDiscOpenFolder,     // the software-disc choice is MSOpenFolder
};

struct SystemCheckFinding {
    SystemCheckFindingKind kind;
    std::wstring text;  // one line: what is set, what it means for the disc, how to change it

    friend bool operator==(const SystemCheckFinding&, const SystemCheckFinding&) = default;
};

// The findings for the values as read and the drives as they are, in the order of
// SystemCheckFindingKind; none when nothing keeps a disc's AutoRun.Inf from working.
std::vector<SystemCheckFinding> CheckAutorunSettings(const AutorunRegistryValues& values,
                                                     const std::vector<DriveInfo>& drives);

// kSystemCheckAllClear without findings; otherwise kSystemCheckIntro and each finding's line,
// each a paragraph of its own (separated by "\r\r", as the program's other messages are).
std::wstring SystemCheckMessage(const std::vector<SystemCheckFinding>& findings);

}  // namespace velquor
