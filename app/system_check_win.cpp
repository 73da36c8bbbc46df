#include "app/system_check_win.h"

#include <windows.h>

#include "util/registry_win.h"

namespace velquor {

namespace {

PolicyValue ReadPolicy(const wchar_t* name) {
    return {ReadRegistryDword(HKEY_LOCAL_MACHINE, kPoliciesExplorerKey, name),
            ReadRegistryDword(HKEY_CURRENT_USER, kPoliciesExplorerKey, name)};
}

}  // namespace

AutorunRegistryValues ReadAutorunRegistryValues() {
    AutorunRegistryValues v;
    v.iniFileMapping = ReadRegistryString(HKEY_LOCAL_MACHINE, kIniFileMappingKey, L"");
    v.noDriveTypeAutoRun = ReadPolicy(kNoDriveTypeAutoRunValue);
    v.noDriveAutoRun = ReadPolicy(kNoDriveAutoRunValue);
    v.noAutorun = ReadPolicy(kNoAutorunValue);
    v.disableAutoplay =
        ReadRegistryDword(HKEY_CURRENT_USER, kAutoplayHandlersKey, kDisableAutoplayValue);
    v.cdromAutoRun = ReadRegistryDword(HKEY_LOCAL_MACHINE, kCdromServiceKey, kCdromAutoRunValue);
    v.userChosenHandler =
        ReadRegistryString(HKEY_CURRENT_USER, kUserChosenHandlersKey, kSoftwareDiscEventValue);
    v.defaultHandler =
        ReadRegistryString(HKEY_CURRENT_USER, kDefaultHandlersKey, kSoftwareDiscEventValue);
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
