#include "short_path.h"

namespace velquor {

// Host file systems have no 8.3 names.
std::wstring ShortPathOf(const std::wstring&) {
    return {};
}

}  // namespace velquor
