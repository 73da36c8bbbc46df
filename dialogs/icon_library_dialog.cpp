#include "dialogs/icon_library_dialog.h"

#include "util/maker.h"

namespace velquor {

std::wstring IconLibraryTitle(int count) {
    return std::wstring(kProductName) + L" - Icon-Auswahl (" + std::to_wstring(count) + L" Stück)";
}

bool YieldsAfterItem(int item) {
    return item % 32 == 1;
}

}  // namespace velquor
