// The library's image list is copied straight from the icon files' bitmaps; each picture must
// come out as the system draws the same entry's icon, colours and transparency alike.
#include "dialogs/library_image_list_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "autorun/icon_library_win.h"
#include "support/library_pictures_win.h"

namespace velquor {
namespace {

// On a magenta ground, which no library picture uses.
constexpr COLORREF kGround = RGB(255, 0, 255);

TEST(LibraryImageListTest, EveryKindOfFileGivesThePictureTheSystemDrawsForIt) {
    HIMAGELIST list = LibraryImageList();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(ImageList_GetImageCount(list), LibraryIconCount());
    // One of each mix of images: 32 and 16, 32 alone, 32 beside a monochrome one, two 32 beside
    // a monochrome one.
    for (int entry : {1, 250, 485, 486, 499, 500, 505, 506, 511}) {
        SCOPED_TRACE(entry);
        const std::vector<DWORD> fromList = testing::PixelsOf(
            kLibraryImageSize, kGround,
            [&](HDC dc) { ImageList_Draw(list, entry - 1, dc, 0, 0, ILD_TRANSPARENT); });
        const UniqueIcon icon = LibraryIconPicture(entry, kLibraryImageSize);
        ASSERT_TRUE(icon);
        const std::vector<DWORD> fromIcon =
            testing::PixelsOf(kLibraryImageSize, kGround, [&](HDC dc) {
                DrawIconEx(dc, 0, 0, icon.Get(), kLibraryImageSize, kLibraryImageSize, 0, nullptr,
                           DI_NORMAL);
            });
        EXPECT_EQ(fromList, fromIcon);
        EXPECT_NE(std::count(fromList.begin(), fromList.end(), 0xFF00FFu), 0);  // transparent
        EXPECT_NE(std::count(fromList.begin(), fromList.end(), 0xFF00FFu), 32 * 32);
    }
}

}  // namespace
}  // namespace velquor
