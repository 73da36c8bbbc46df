// The built-in icon library: entries numbered from 1, each a complete .ico file carried by the
// program as RCDATA of the same number. The icon library dialog shows the entries' pictures,
// the save writes an entry's bytes out as AutoRun.Ico; both read them here.
#pragma once

#include <windows.h>

#include <span>

#include "util/unique_handle_win.h"

namespace velquor {

// The number of entries: RCDATA 1, 2, ... up to the first number that is missing. Counted
// once per process, at most 32767 (the dialog's count is a 16-bit value).
int LibraryIconCount();

// The complete .ico file of entry `entry`; empty for a number outside 1..LibraryIconCount().
// The bytes belong to the program image and stay valid for the whole run.
std::span<const unsigned char> LibraryIconBytes(int entry);

// The bytes of the entry's image that suits a square of `size` pixels best: the exact size
// first, the most colours among those. Empty for an unknown entry.
std::span<const unsigned char> LibraryIconImage(int entry, int size);

// That image as an icon of `size` pixels. Null for an unknown entry.
UniqueIcon LibraryIconPicture(int entry, int size);

}  // namespace velquor
