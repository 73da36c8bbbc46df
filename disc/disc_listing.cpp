#include "disc/disc_listing.h"

namespace velquor {

std::wstring JoinDiscPath(std::wstring_view parent, std::wstring_view name) {
    std::wstring path(parent);
    if (!path.empty()) {
        path += L'\\';
    }
    path += name;
    return path;
}

std::u16string ToUtf16(std::wstring_view name) {
    std::u16string units;
    units.reserve(name.size());
    for (wchar_t c : name) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code > 0xFFFF) {
            const std::uint32_t above = code - 0x10000;
            units += static_cast<char16_t>(0xD800 + (above >> 10));
            units += static_cast<char16_t>(0xDC00 + (above & 0x3FF));
        } else {
            units += static_cast<char16_t>(code);
        }
    }
    return units;
}

}  // namespace velquor
