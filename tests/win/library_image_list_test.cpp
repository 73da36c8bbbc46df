// The library's image list is copied straight from the icon files' bitmaps; each picture must
// come out as the system draws the same entry's icon, colours and transparency alike.
#include "dialogs/library_image_list_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "autorun/icon_library_win.h"

namespace velquor {
namespace {

// The 32 x 32 pixels a drawing leaves on a magenta ground, which no library picture uses.
template <typename Draw>
std::vector<DWORD> PixelsOf(Draw draw) {
    constexpr int kSize = kLibraryImageSize;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSize, -kSize, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP canvas = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, canvas);
    HBRUSH ground = CreateSolidBrush(RGB(255, 0, 255));
    const RECT all{0, 0, kSize, kSize};
    FillRect(dc, &all, ground);
    draw(dc);
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    std::vector<DWORD> result(pixels, pixels + kSize * kSize);
    for (DWORD& p : result) {
        p &= 0xFFFFFF;  // the alpha byte is no colour
    }
    SelectObject(dc, old);
    DeleteObject(ground);
    DeleteDC(dc);
    DeleteObject(canvas);
    return result;
}

TEST(LibraryImageListTest, EveryKindOfFileGivesThePictureTheSystemDrawsForIt) {
    HIMAGELIST list = LibraryImageList();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(ImageList_GetImageCount(list), LibraryIconCount());
    // One of each mix of images: 32 and 16, 32 alone, 32 beside a monochrome one, two 32 beside
    // a monochrome one.
    for (int entry : {1, 250, 485, 486, 499, 500, 505, 506, 511}) {
        SCOPED_TRACE(entry);
        const std::vector<DWORD> fromList =
            PixelsOf([&](HDC dc) { ImageList_Draw(list, entry - 1, dc, 0, 0, ILD_TRANSPARENT); });
        const UniqueIcon icon = LibraryIconPicture(entry, kLibraryImageSize);
        ASSERT_TRUE(icon);
        const std::vector<DWORD> fromIcon = PixelsOf([&](HDC dc) {
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
