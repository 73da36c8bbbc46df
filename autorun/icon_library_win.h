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

// The entry's picture for a square of `size` pixels: the image of the file that fits best, the
// most colours first among those of the best size. Null for an unknown entry.
UniqueIcon LibraryIconPicture(int entry, int size);

}  // namespace velquor
