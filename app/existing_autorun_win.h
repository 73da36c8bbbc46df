// The disk's side of taking over an existing AutoRun.Inf: the file read and decoded, the
// objects it names looked up in their long form, AutoRun.Ico compared with the library.
#pragma once

#include "app/existing_autorun.h"

namespace velquor {

ExistingAutorunAccess ExistingAutorunOnDisk(PictureLoader loadIcon);

}  // namespace velquor
