// The pictures of the icon library as one image list of 32 x 32 images, image i - 1 for entry i.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace velquor {

inline constexpr int kLibraryImageSize = 32;

// Built on first use from the library's files and kept for the whole run: the pictures never
// change. Windows that show it must share it (LVS_SHAREIMAGELISTS), never destroy it. Null when
// it could not be built.
HIMAGELIST LibraryImageList();

}  // namespace velquor
