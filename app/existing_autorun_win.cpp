#include "app/existing_autorun_win.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "autorun/autorun_text.h"
#include "autorun/icon_library_win.h"
#include "util/file_services.h"
#include "util/text_template.h"
#include "util/win32_error_win.h"

namespace velquor {

namespace {

ExistingAutorun ReadExistingAutorun(const std::wstring& projectRoot) {
    ExistingAutorun file;
    const std::wstring path = projectRoot + kAutorunFileName;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return file;
    }
    file.exists = true;
    if (data.nFileSizeHigh != 0 || data.nFileSizeLow > kLongestAutorunFile) {
        file.failure = kAutorunTooLargeText;
        return file;
    }
    const auto bytes = ReadSmallFile(path, kLongestAutorunFile);
    if (!bytes) {
        const DWORD error = GetLastError();
        file.failure =
            FillInOnePass(kAutorunUnreadableText, {DescribeError(Win32Error(error), path)});
        return file;
    }
    file.text = DecodeAutorunBytes(*bytes, DecodeAnsi);
    return file;
}

// The prefix only past the classic limit: Wine's GetLongPathNameW leaves an 8.3 alias behind
// \\?\ as it is.
std::wstring WithinLimit(const std::wstring& path) {
    return path.size() < MAX_PATH ? path : ExtendedPath(path);
}

std::optional<FoundObject> FindObject(const std::wstring& path) {
    const std::wstring extended = WithinLimit(path);
    const DWORD attributes = GetFileAttributesW(extended.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    std::wstring longPath(extended.size() + MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetLongPathNameW(extended.c_str(), longPath.data(),
                                              static_cast<DWORD>(longPath.size()));
        if (length == 0) {
            return std::nullopt;
        }
        if (length < longPath.size()) {
            longPath.resize(length);
            break;
        }
        longPath.resize(length);
    }
    return FoundObject{WithoutExtendedPrefix(longPath),
                       (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
}

std::optional<int> LibraryEntryOf(const std::wstring& path) {
    const auto bytes = ReadSmallFile(WithinLimit(path), kLongestAutorunFile);
    if (!bytes) {
        return std::nullopt;
    }
    for (int entry = 1; entry <= LibraryIconCount(); ++entry) {
        const std::span<const unsigned char> library = LibraryIconBytes(entry);
        if (std::ranges::equal(library, *bytes)) {
            return entry;
        }
    }
    return std::nullopt;
}

}  // namespace

ExistingAutorunAccess ExistingAutorunOnDisk(PictureLoader loadIcon) {
    return {ReadExistingAutorun, {FindObject, LibraryEntryOf}, std::move(loadIcon)};
}

}  // namespace velquor
