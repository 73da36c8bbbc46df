#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "app/system_check_win.h"
#include "support/registry_changes_win.h"
#include "util/registry_win.h"
#include "util/unique_handle_win.h"

namespace velquor {
namespace {

using testing::RegistryChanges;

const HKEY hklm = HKEY_LOCAL_MACHINE;
const HKEY hkcu = HKEY_CURRENT_USER;
// A key of the tests' own; RegistryChanges creates it and removes it again.
const std::wstring kScratchKey = L"Software\\Morvane\\VelquorRegistryTest";

TEST(RegistryReadTest, DwordAndStringValuesOfTheirTypeOnly) {
    RegistryChanges changes;
    const DWORD four = 4;
    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    changes.SetDword(hkcu, kScratchKey, L"Zahl", 0x12345678);
    changes.SetDword(hkcu, kScratchKey, L"", 7);
    changes.Set(hkcu, kScratchKey, L"Binär", REG_BINARY, &four, sizeof four);
    changes.SetString(hkcu, kScratchKey, L"Text", L"Ä Ö ß @SYS:x");
    changes.SetString(hkcu, kScratchKey, L"Erweitert", L"%SystemRoot%\\x", REG_EXPAND_SZ);
    changes.Set(hkcu, kScratchKey, L"Offen", REG_SZ, unterminated, sizeof unterminated);
    changes.Set(hkcu, kScratchKey, L"Mehrere", REG_MULTI_SZ, L"a\0b\0", 10);

    const auto dword = [](const std::wstring& name) {
        return ReadRegistryDword(hkcu, kScratchKey, name);
    };
    const auto string = [](const std::wstring& name) {
        return ReadRegistryString(hkcu, kScratchKey, name);
    };
    EXPECT_EQ(dword(L"Zahl"), 0x12345678u);
    EXPECT_EQ(dword(L""), 7u);  // the default value
    EXPECT_EQ(string(L"Text"), L"Ä Ö ß @SYS:x");
    EXPECT_EQ(string(L"Erweitert"), L"%SystemRoot%\\x");
    EXPECT_EQ(string(L"Offen"), L"abc");
    // Another type, a missing value or key: not set.
    for (const wchar_t* name : {L"Text", L"Binär", L"Fehlt"}) {
        EXPECT_EQ(dword(name), std::nullopt) << name;
    }
    for (const wchar_t* name : {L"Zahl", L"", L"Binär", L"Mehrere", L"Fehlt"}) {
        EXPECT_EQ(string(name), std::nullopt) << name;
    }
    EXPECT_EQ(ReadRegistryDword(hkcu, kScratchKey + L"\\Fehlt", L"Zahl"), std::nullopt);
    EXPECT_EQ(ReadRegistryString(hkcu, kScratchKey + L"\\Fehlt", L""), std::nullopt);
}

// Each test starts with none of the values the check reads, and leaves the registry as it was.
class SystemCheckReaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        changes_.Remove(hklm, kIniFileMappingKey, L"");
        for (const wchar_t* name :
             {kNoDriveTypeAutoRunValue, kNoDriveAutoRunValue, kNoAutorunValue}) {
            changes_.Remove(hklm, kPoliciesExplorerKey, name);
            changes_.Remove(hkcu, kPoliciesExplorerKey, name);
        }
        changes_.Remove(hkcu, kAutoplayHandlersKey, kDisableAutoplayValue);
        changes_.Remove(hklm, kCdromServiceKey, kCdromAutoRunValue);
        for (const std::wstring key : {kUserChosenHandlersKey, kDefaultHandlersKey}) {
            changes_.Remove(hkcu, key, kSoftwareDiscEventValue);
            changes_.Remove(hkcu, key + L"\\" + kSoftwareDiscEventValue, L"");
        }
    }

    RegistryChanges changes_;
};

TEST_F(SystemCheckReaderTest, NothingSetReadsAsNothingAndIsAllClear) {
    EXPECT_EQ(ReadAutorunRegistryValues(), AutorunRegistryValues{});
    EXPECT_EQ(CheckThisComputer(), L"Alle Einstellungen sind korrekt ...");
}

// Every value different, so that none is taken from another's place.
TEST_F(SystemCheckReaderTest, ReadsEveryValueFromItsKey) {
    changes_.SetString(hklm, kIniFileMappingKey, L"", L"@SYS:DoesNotExist");
    changes_.SetString(hklm, kIniFileMappingKey, L"Autorun", L"nicht der Standardwert");
    changes_.SetDword(hklm, kPoliciesExplorerKey, kNoDriveTypeAutoRunValue, 0x91);
    changes_.SetDword(hkcu, kPoliciesExplorerKey, kNoDriveTypeAutoRunValue, 0xB5);
    changes_.SetDword(hklm, kPoliciesExplorerKey, kNoDriveAutoRunValue, 0x8);
    changes_.SetDword(hkcu, kPoliciesExplorerKey, kNoDriveAutoRunValue, 0x3FFFFFF);
    changes_.SetDword(hklm, kPoliciesExplorerKey, kNoAutorunValue, 2);
    changes_.SetDword(hkcu, kPoliciesExplorerKey, kNoAutorunValue, 1);
    changes_.SetDword(hkcu, kAutoplayHandlersKey, kDisableAutoplayValue, 3);
    changes_.SetDword(hklm, kCdromServiceKey, kCdromAutoRunValue, 0);
    // Windows 8 and later keep the choice in a key's default value, which comes first.
    const std::wstring event = std::wstring(L"\\") + kSoftwareDiscEventValue;
    changes_.SetString(hkcu, kUserChosenHandlersKey + event, L"", L"MSTakeNoAction");
    changes_.SetString(hkcu, kUserChosenHandlersKey, kSoftwareDiscEventValue, L"MSAutoRun");
    changes_.SetString(hkcu, kDefaultHandlersKey + event, L"", L"MSOpenFolder");

    AutorunRegistryValues expected;
    expected.iniFileMapping = L"@SYS:DoesNotExist";
    expected.noDriveTypeAutoRun = {0x91, 0xB5};
    expected.noDriveAutoRun = {0x8, 0x3FFFFFF};
    expected.noAutorun = {2, 1};
    expected.disableAutoplay = 3;
    expected.cdromAutoRun = 0;
    expected.userChosenHandler = L"MSTakeNoAction";
    expected.defaultHandler = L"MSOpenFolder";
    EXPECT_EQ(ReadAutorunRegistryValues(), expected);
}

// A value of the wrong type is not set, so HKCU's policy value counts when HKLM's has the wrong
// type; an unexpanded REG_EXPAND_SZ is a string.
TEST_F(SystemCheckReaderTest, ValuesOfTheWrongTypeAreNotSet) {
    const DWORD one = 1;
    changes_.SetDword(hklm, kIniFileMappingKey, L"", 1);
    changes_.SetString(hklm, kPoliciesExplorerKey, kNoDriveTypeAutoRunValue, L"255");
    changes_.SetDword(hkcu, kPoliciesExplorerKey, kNoDriveTypeAutoRunValue, 0x20);
    changes_.SetString(hklm, kPoliciesExplorerKey, kNoAutorunValue, L"1");
    changes_.Set(hkcu, kAutoplayHandlersKey, kDisableAutoplayValue, REG_BINARY, &one, sizeof one);
    changes_.SetString(hklm, kCdromServiceKey, kCdromAutoRunValue, L"0");
    changes_.SetDword(hkcu, kUserChosenHandlersKey, kSoftwareDiscEventValue, 1);
    changes_.SetString(hkcu, kDefaultHandlersKey, kSoftwareDiscEventValue, L"MSOpenFolder",
                       REG_EXPAND_SZ);

    AutorunRegistryValues expected;
    expected.noDriveTypeAutoRun.user = 0x20;
    expected.defaultHandler = L"MSOpenFolder";
    EXPECT_EQ(ReadAutorunRegistryValues(), expected);
    const std::wstring message = CheckThisComputer();
    EXPECT_TRUE(message.starts_with(kSystemCheckIntro)) << message;
    EXPECT_NE(message.find(L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                           L"Policies\\Explorer im Wert NoDriveTypeAutoRun das Bit 0x20"),
              std::wstring::npos);
    EXPECT_TRUE(message.ends_with(L"„Jedes Mal nachfragen“ wählen.")) << message;
}

// Wine has no ShellHWDetection: the reader is shown on a service that Wine starts and on one
// that the test makes, disabled and then on demand.
TEST(ServiceStateTest, ReadsWhetherAServiceRunsAndWhetherItIsDisabled) {
    EXPECT_EQ(ReadServiceState(kShellHardwareDetectionService), std::nullopt);
    EXPECT_EQ(ReadServiceState(L"PlugPlay"), (ServiceState{false, false}));
    const UniqueService manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CREATE_SERVICE));
    ASSERT_TRUE(manager);
    const wchar_t kName[] = L"VelquorTestDienst";
    const UniqueService made(
        CreateServiceW(manager.Get(), kName, nullptr, DELETE | SERVICE_CHANGE_CONFIG,
                       SERVICE_WIN32_OWN_PROCESS, SERVICE_DISABLED, SERVICE_ERROR_IGNORE,
                       L"C:\\windows\\notepad.exe", nullptr, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(made);
    const std::optional<ServiceState> disabled = ReadServiceState(kName);
    ChangeServiceConfigW(made.Get(), SERVICE_NO_CHANGE, SERVICE_DEMAND_START, SERVICE_NO_CHANGE,
                         nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    const std::optional<ServiceState> onDemand = ReadServiceState(kName);
    DeleteService(made.Get());
    EXPECT_EQ(disabled, (ServiceState{true, true}));
    EXPECT_EQ(onDemand, (ServiceState{true, false}));
}

// The prefix has C: (its drive_c) and Z: (the host's root), both fixed disks, and no CD drive.
TEST(SystemCheckDrivesTest, ReadsThePrefixDrives) {
    const std::vector<DriveInfo> drives = ReadDrives();
    const auto has = [&drives](DriveInfo d) {
        return std::find(drives.begin(), drives.end(), d) != drives.end();
    };
    EXPECT_TRUE(has({L'C', DriveKind::Fixed}));
    EXPECT_TRUE(has({L'Z', DriveKind::Fixed}));
    const DWORD present = GetLogicalDrives();
    EXPECT_EQ(drives.size(), static_cast<std::size_t>(__builtin_popcount(present)));
    EXPECT_EQ(DriveKindOfType(DRIVE_CDROM), DriveKind::CdRom);
    EXPECT_EQ(DriveKindOfType(DRIVE_REMOVABLE), DriveKind::Removable);
    EXPECT_EQ(DriveKindOfType(DRIVE_NO_ROOT_DIR), DriveKind::NoRootFolder);
}

}  // namespace
}  // namespace velquor
