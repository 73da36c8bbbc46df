#include "dialogs/icon_library_dialog.h"

#include <gtest/gtest.h>

#include <vector>

namespace velquor {
namespace {

TEST(IconLibraryDialogTextTest, TheTitleCountsTheLibraryAndTheFillPausesEvery32Items) {
    EXPECT_EQ(IconLibraryTitle(511), L"Velquor - Icon-Auswahl (511 Stück)");
    EXPECT_EQ(IconLibraryTitle(7), L"Velquor - Icon-Auswahl (7 Stück)");
    std::vector<int> pauses;
    for (int item = 1; item <= 511; ++item) {
        if (YieldsAfterItem(item)) {
            pauses.push_back(item);
        }
    }
    ASSERT_EQ(pauses.size(), 16u);
    EXPECT_EQ(pauses.front(), 1);
    EXPECT_EQ(pauses[1], 33);
    EXPECT_EQ(pauses.back(), 481);
}

}  // namespace
}  // namespace velquor
