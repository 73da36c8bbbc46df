// What the disc side's Win32 readers and writers share: errors that name their path, and the
// local time a disc records.
#pragma once

#include <windows.h>

#include <string>

#include "disc/disc_listing.h"
#include "util/file_services.h"
#include "util/run_time_error.h"

namespace velquor {

// A system error prefixed with `path`, its inserts filled with it.
RunTimeError ErrorAt(const std::wstring& path, DWORD code);

// The listing's time: the calendar reading in local time as it was on that day (daylight
// saving included) and its distance from UTC, in steps of 15 minutes. `zone` null: the
// current time zone.
DiscTimestamp ToDiscTimestamp(const FILETIME& utc, const TIME_ZONE_INFORMATION* zone);

}  // namespace velquor
