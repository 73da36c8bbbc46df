#include "app/system_check_win.h"

#include <windows.h>

#include "util/registry_win.h"
#include "util/unique_handle_win.h"

namespace velquor {

namespace {

PolicyValue ReadPolicy(const wchar_t* name) {
    return {ReadRegistryDword(HKEY_LOCAL_MACHINE, kPoliciesExplorerKey, name),
            ReadRegistryDword(HKEY_CURRENT_USER, kPoliciesExplorerKey, name)};
}

// The choice for software discs: the key form of Windows 8 and later first, then the value form.
std::optional<std::wstring> ReadSoftwareDiscChoice(const wchar_t* handlersKey) {
    const std::wstring key = handlersKey;
    if (auto choice =
            ReadRegistryString(HKEY_CURRENT_USER, key + L"\\" + kSoftwareDiscEventValue, L"")) {
        return choice;
    }
    return ReadRegistryString(HKEY_CURRENT_USER, key, kSoftwareDiscEventValue);
}

}  // namespace

std::optional<ServiceState> ReadServiceState(const wchar_t* name) {
    // Connect and query rights only: the check never starts, stops or changes a service.
    const UniqueService manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager) {
        return std::nullopt;
    }
    const UniqueService service(
        OpenServiceW(manager.Get(), name, SERVICE_QUERY_STATUS | SERVICE_QUERY_CONFIG));
    SERVICE_STATUS status;
    if (!service || !QueryServiceStatus(service.Get(), &status)) {
        return std::nullopt;
    }
    DWORD size = 0;
    QueryServiceConfigW(service.Get(), nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
    if (size < sizeof *config || !QueryServiceConfigW(service.Get(), config, size, &size)) {
        return std::nullopt;
    }
    return ServiceState{
        status.dwCurrentState == SERVICE_STOPPED || status.dwCurrentState == SERVICE_STOP_PENDING,
        config->dwStartType == SERVICE_DISABLED};
}

AutorunRegistryValues ReadAutorunRegistryValues() {
    AutorunRegistryValues v;
    v.iniFileMapping = ReadRegistryString(HKEY_LOCAL_MACHINE, kIniFileMappingKey, L"");
    v.noDriveTypeAutoRun = ReadPolicy(kNoDriveTypeAutoRunValue);
    v.noDriveAutoRun = ReadPolicy(kNoDriveAutoRunValue);
    v.noAutorun = ReadPolicy(kNoAutorunValue);
    v.disableAutoplay =
        ReadRegistryDword(HKEY_CURRENT_USER, kAutoplayHandlersKey, kDisableAutoplayValue);
    v.cdromAutoRun = ReadRegistryDword(HKEY_LOCAL_MACHINE, kCdromServiceKey, kCdromAutoRunValue);
    v.userChosenHandler = ReadSoftwareDiscChoice(kUserChosenHandlersKey);
    v.defaultHandler = ReadSoftwareDiscChoice(kDefaultHandlersKey);
    v.shellHardwareDetection = ReadServiceState(kShellHardwareDetectionService);
    return v;
}

DriveKind DriveKindOfType(unsigned driveType) {
    switch (driveType) {
        case DRIVE_NO_ROOT_DIR:
            return DriveKind::NoRootFolder;
        case DRIVE_REMOVABLE:
            return DriveKind::Removable;
        case DRIVE_FIXED:
            return DriveKind::Fixed;
        case DRIVE_REMOTE:
            return DriveKind::Remote;
        case DRIVE_CDROM:
            return DriveKind::CdRom;
        case DRIVE_RAMDISK:
            return DriveKind::RamDisk;
        default:
            return DriveKind::Unknown;
    }
}

std::vector<DriveInfo> ReadDrives() {
    std::vector<DriveInfo> drives;
    const DWORD present = GetLogicalDrives();
    for (int n = 0; n < 26; ++n) {
        if ((present & (DWORD{1} << n)) == 0) {
            continue;
        }
        const wchar_t letter = static_cast<wchar_t>(L'A' + n);
        const wchar_t root[] = {letter, L':', L'\\', L'\0'};
        drives.push_back({letter, DriveKindOfType(GetDriveTypeW(root))});
    }
    return drives;
}

std::wstring CheckThisComputer() {
    return SystemCheckMessage(CheckAutorunSettings(ReadAutorunRegistryValues(), ReadDrives()));
}

}  // namespace velquor
