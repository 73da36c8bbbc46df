// The two versions the about box names: this program's, from its version resource, and the
// running Windows'.
#pragma once

#include "util/version_text.h"

namespace velquor {

// The file version of the running program's version resource; all zero without one.
ProgramVersion VersionOfThisProgram();

// The platform's version record. The manifest's supportedOS entries make it the true version.
OsVersionRecord RunningWindowsVersion();

}  // namespace velquor
