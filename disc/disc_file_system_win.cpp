#include "disc/disc_file_system_win.h"

#include <cmath>

#include "util/file_services.h"
#include "util/win32_error_win.h"

namespace velquor {

RunTimeError ErrorAt(const std::wstring& path, DWORD code) {
    const RunTimeError system = Win32Error(code);
    return RunTimeError(path + L": " + WithInsertsFilled(system.Description(), path), code);
}

DiscTimestamp ToDiscTimestamp(const FILETIME& utc, const TIME_ZONE_INFORMATION* zone) {
    SYSTEMTIME utcTime;
    SYSTEMTIME local;
    FILETIME localFileTime;
    if (!FileTimeToSystemTime(&utc, &utcTime)) {
        return {};
    }
    if (!SystemTimeToTzSpecificLocalTime(zone, &utcTime, &local) ||
        !SystemTimeToFileTime(&local, &localFileTime)) {
        local = utcTime;
        localFileTime = utc;
    }
    const auto ticks = [](const FILETIME& t) {
        return static_cast<long long>(ULARGE_INTEGER{{t.dwLowDateTime, t.dwHighDateTime}}.QuadPart);
    };
    constexpr double kTicksPerQuarterHour = 15 * 60 * 10'000'000.0;
    const long long quarters =
        std::llround(static_cast<double>(ticks(localFileTime) - ticks(utc)) / kTicksPerQuarterHour);
    return {local.wYear,
            local.wMonth,
            local.wDay,
            local.wHour,
            local.wMinute,
            local.wSecond,
            static_cast<int>(quarters * 15)};
}

}  // namespace velquor
