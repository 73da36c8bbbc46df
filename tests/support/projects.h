// Project settings for tests: a chosen root and nothing else.
#pragma once

#include <string>

#include "project/project_settings.h"

namespace velquor::testing {

inline ProjectSettings ProjectAt(const std::wstring& root) {
    ProjectSettings s;
    s.projectRoot = root;
    s.slots[kRootSlot] = root;
    return s;
}

}  // namespace velquor::testing
