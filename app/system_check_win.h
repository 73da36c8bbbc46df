// The system check on this computer: its registry values and drives, read and never changed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/system_check.h"

namespace velquor {

// Every value the check needs, read from the registry as it is now.
AutorunRegistryValues ReadAutorunRegistryValues();

// The state of the service `name`; nothing when it does not exist or cannot be queried.
std::optional<ServiceState> ReadServiceState(const wchar_t* name);

// The drive kind of a type number as GetDriveTypeW gives it (DRIVE_UNKNOWN .. DRIVE_RAMDISK).
DriveKind DriveKindOfType(unsigned driveType);

// The drives that exist now, A: to Z:, each with its kind.
std::vector<DriveInfo> ReadDrives();

// The message for this computer: SystemCheckMessage of the findings for the values and drives
// as they are now. Shown with style 64 (information).
std::wstring CheckThisComputer();

}  // namespace velquor
