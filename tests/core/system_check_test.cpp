#include "app/system_check.h"

#include <gtest/gtest.h>

#include <functional>

namespace velquor {
namespace {

using enum SystemCheckFindingKind;
using Values = AutorunRegistryValues;

const std::vector<DriveInfo> kCdDriveD = {{L'C', DriveKind::Fixed}, {L'D', DriveKind::CdRom}};

std::vector<SystemCheckFindingKind> Kinds(const Values& values,
                                          const std::vector<DriveInfo>& drives = kCdDriveD) {
    std::vector<SystemCheckFindingKind> kinds;
    for (const SystemCheckFinding& f : CheckAutorunSettings(values, drives)) {
        kinds.push_back(f.kind);
    }
    return kinds;
}

TEST(SystemCheckTest, NothingSetIsAllClear) {
    EXPECT_TRUE(CheckAutorunSettings({}, kCdDriveD).empty());
    EXPECT_EQ(SystemCheckMessage({}), L"Alle Einstellungen sind korrekt ...");
}

// Each value alone: the finding it gives, or none for a value that lets the disc start.
TEST(SystemCheckTest, EachSettingAlone) {
    struct Case {
        const char* name;
        std::function<void(Values&)> set;
        std::vector<SystemCheckFindingKind> kinds;
    };
    const Case cases[] = {
        {"@SYS:", [](Values& v) { v.iniFileMapping = L"@SYS:DoesNotExist"; }, {AutorunInfIgnored}},
        {"@sys:", [](Values& v) { v.iniFileMapping = L"@sys:"; }, {AutorunInfIgnored}},
        {"USR:", [](Values& v) { v.iniFileMapping = L"USR:Software\\Autorun"; }, {}},
        {"@SYS", [](Values& v) { v.iniFileMapping = L"@SYS"; }, {}},
        {" @SYS:", [](Values& v) { v.iniFileMapping = L" @SYS:x"; }, {}},
        {"0xB5", [](Values& v) { v.noDriveTypeAutoRun.user = 0xB5; }, {CdDriveTypeOff}},
        {"~0x20", [](Values& v) { v.noDriveTypeAutoRun.machine = ~0x20u; }, {}},
        {"NoDriveAutoRun D:", [](Values& v) { v.noDriveAutoRun.user = 0x8; }, {CdDriveLettersOff}},
        {"NoAutorun 1", [](Values& v) { v.noAutorun.machine = 1; }, {AutorunCommandsOff}},
        {"NoAutorun 2", [](Values& v) { v.noAutorun.user = 2; }, {}},  // runs without asking
        {"DisableAutoplay 1", [](Values& v) { v.disableAutoplay = 1; }, {AutoplayOff}},
        {"DisableAutoplay 0", [](Values& v) { v.disableAutoplay = 0; }, {}},
        {"service running", [](Values& v) { v.shellHardwareDetection = ServiceState{}; }, {}},
        {"service stopped",
         [](Values& v) {
             v.shellHardwareDetection = ServiceState{true, false};
         },
         {ShellHardwareDetectionOff}},
        {"cdrom 0", [](Values& v) { v.cdromAutoRun = 0; }, {CdromDriverSilent}},
        {"cdrom 1", [](Values& v) { v.cdromAutoRun = 1; }, {}},
        {"chosen no action",
         [](Values& v) { v.userChosenHandler = L"MSTakeNoAction"; },
         {SoftwareDiscNoAction}},
        {"default folder",
         [](Values& v) { v.defaultHandler = L"msopenfolder"; },
         {SoftwareDiscOpenFolder}},
        {"chosen folder, default no action",
         [](Values& v) {
             v.userChosenHandler = L"MSOpenFolder";
             v.defaultHandler = L"MSTakeNoAction";
         },
         {SoftwareDiscOpenFolder}},
        {"chosen run, default no action",
         [](Values& v) {
             v.userChosenHandler = L"MSAutoRun";
             v.defaultHandler = L"MSTakeNoAction";
         },
         {}},
        {"MSTakeNoActionX", [](Values& v) { v.defaultHandler = L"MSTakeNoActionX"; }, {}},
    };
    for (const Case& c : cases) {
        Values values;
        c.set(values);
        EXPECT_EQ(Kinds(values), c.kinds) << c.name;
    }
}

// For each policy value, a value in HKLM, also one without the bit, makes HKCU's irrelevant;
// the finding names the hive whose value counted.
TEST(SystemCheckTest, PolicyValuesOfTheMachineComeBeforeTheUsers) {
    struct Case {
        PolicyValue Values::*policy;
        std::uint32_t off;  // turns autostart off for drive D:
        std::uint32_t on;   // does not
    };
    for (const Case& c :
         {Case{&Values::noDriveTypeAutoRun, 0x20, 0x91}, Case{&Values::noDriveAutoRun, 0x8, 0x4},
          Case{&Values::noAutorun, 1, 0}}) {
        const auto check = [&c](std::optional<std::uint32_t> machine,
                                std::optional<std::uint32_t> user) {
            Values values;
            values.*c.policy = {machine, user};
            return CheckAutorunSettings(values, kCdDriveD);
        };
        EXPECT_TRUE(check(c.on, c.off).empty()) << c.off;
        const auto onlyUser = check(std::nullopt, c.off);
        ASSERT_EQ(onlyUser.size(), 1u);
        EXPECT_NE(onlyUser[0].text.find(L" HKEY_CURRENT_USER\\Software\\"), std::wstring::npos);
        const auto machine = check(c.off, c.on);
        ASSERT_EQ(machine.size(), 1u);
        EXPECT_NE(machine[0].text.find(L" HKEY_LOCAL_MACHINE\\Software\\"), std::wstring::npos);
    }
}

// NoDriveAutoRun counts only for the drives that are CD drives now.
TEST(SystemCheckTest, DriveBitsCountForCdDrivesOnly) {
    struct Case {
        std::uint32_t bits;
        std::vector<DriveInfo> drives;
        const wchar_t* named;  // the drives and their bits as the finding names them, or null
    };
    const std::vector<DriveInfo> threeCds = {
        {L'D', DriveKind::CdRom}, {L'E', DriveKind::CdRom}, {L'F', DriveKind::CdRom}};
    const Case cases[] = {
        {0x8, kCdDriveD, L"das CD-Laufwerk D: abgeschaltet"},
        {0x4, kCdDriveD, nullptr},                         // C: is a fixed disk
        {0x10, kCdDriveD, nullptr},                        // there is no E:
        {0x3FFFFFF, {{L'C', DriveKind::Fixed}}, nullptr},  // no CD drive at all
        {1u << 25, {{L'Z', DriveKind::CdRom}}, L"das Bit 0x2000000 löschen"},
        {0x28, threeCds, L"die CD-Laufwerke D: und F: abgeschaltet"},
        {0xFFFFFFFF, threeCds, L"die CD-Laufwerke D:, E: und F: abgeschaltet"},
        {0xFFFFFFFF, threeCds, L"die Bits 0x38 löschen"},
    };
    for (const Case& c : cases) {
        Values values;
        values.noDriveAutoRun.machine = c.bits;
        const std::vector<SystemCheckFinding> findings = CheckAutorunSettings(values, c.drives);
        if (!c.named) {
            EXPECT_TRUE(findings.empty()) << c.bits;
            continue;
        }
        ASSERT_EQ(findings.size(), 1u) << c.bits;
        EXPECT_NE(findings[0].text.find(c.named), std::wstring::npos) << findings[0].text;
    }
}

// Everything at once: every finding in the order of the list, each a paragraph of one line.
TEST(SystemCheckTest, SeveralFindingsInTheirOrderOneLineEach) {
    Values values;
    values.iniFileMapping = L"@SYS:DoesNotExist";
    values.noDriveTypeAutoRun = {0xFF, std::nullopt};
    values.noDriveAutoRun = {std::nullopt, 0x8};
    values.noAutorun = {1, 0};
    values.disableAutoplay = 1;
    values.cdromAutoRun = 0;
    values.defaultHandler = L"MSTakeNoAction";
    values.shellHardwareDetection = ServiceState{true, true};
    const std::vector<SystemCheckFinding> findings = CheckAutorunSettings(values, kCdDriveD);
    ASSERT_EQ(Kinds(values),
              (std::vector{AutorunInfIgnored, CdDriveTypeOff, CdDriveLettersOff, AutorunCommandsOff,
                           AutoplayOff, ShellHardwareDetectionOff, CdromDriverSilent,
                           SoftwareDiscNoAction}));
    std::wstring expected = L"Folgende Einstellungen dieses Computers verhindern den CD-Autostart:";
    for (const SystemCheckFinding& f : findings) {
        EXPECT_EQ(f.text.find_first_of(L"\r\n%"), std::wstring::npos) << f.text;
        expected += L"\r\r" + f.text;
    }
    EXPECT_EQ(SystemCheckMessage(findings), expected);
}

TEST(SystemCheckTest, FullMessageAsTheUserReadsIt) {
    Values values;
    values.iniFileMapping = L"@SYS:DoesNotExist";
    values.noDriveTypeAutoRun = {0x91, 0xFF};  // HKLM's counts: no finding
    values.noDriveAutoRun = {std::nullopt, 0xFFFFFFFF};
    values.defaultHandler = L"MSOpenFolder";
    values.shellHardwareDetection = ServiceState{false, true};
    const std::vector<DriveInfo> drives = {
        {L'C', DriveKind::Fixed}, {L'E', DriveKind::CdRom}, {L'F', DriveKind::CdRom}};
    EXPECT_EQ(
        SystemCheckMessage(CheckAutorunSettings(values, drives)),
        L"Folgende Einstellungen dieses Computers verhindern den CD-Autostart:\r\r"
        L"Windows ignoriert jede AutoRun.Inf: Die CD zeigt weder ihr Icon noch ihre "
        L"Menüeinträge, und beim Einlegen startet nichts. Abhilfe: den Registrierungsschlüssel "
        L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\"
        L"Autorun.inf löschen (mit Administratorrechten).\r\r"
        L"Autostart ist für die CD-Laufwerke E: und F: abgeschaltet: Eine CD in diesen "
        L"Laufwerken startet beim Einlegen nicht. Abhilfe: unter HKEY_CURRENT_USER\\Software\\"
        L"Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer im Wert NoDriveAutoRun die Bits "
        L"0x30 löschen.\r\r"
        L"Der Dienst „Shellhardwareerkennung“ ist deaktiviert: Windows meldet eingelegte CDs "
        L"nicht, es gibt weder automatische Wiedergabe noch Autostart. Abhilfe: unter Dienste "
        L"(services.msc) beim Dienst „Shellhardwareerkennung“ den Starttyp „Automatisch“ wählen "
        L"und den Dienst starten (mit Administratorrechten).\r\r"
        L"Für Software-CDs ist die automatische Wiedergabe auf das Öffnen des Ordners "
        L"eingestellt: Beim Einlegen öffnet Windows den Ordner der CD statt ihres Programms. "
        L"Abhilfe: unter Systemsteuerung > Hardware und Sound > Automatische Wiedergabe bei "
        L"„Software und Spiele“ das Ausführen des Programms oder „Jedes Mal nachfragen“ wählen.");
}

}  // namespace
}  // namespace velquor
