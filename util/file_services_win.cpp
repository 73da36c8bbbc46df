#include <windows.h>

#include <algorithm>
#include <string>

#include "util/file_services.h"
#include "util/text_helpers.h"
#include "util/unique_handle_win.h"
#include "util/win32_error_win.h"

namespace velquor {

namespace {

constexpr DWORD kNotPlain =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The bytes of a text file: the ANSI code page when it holds every character unchanged,
// otherwise UTF-16 LE with a byte-order mark, so no path or label turns into "?".
std::string EncodeTextFile(const std::wstring& content) {
    if (content.empty()) {
        return {};
    }
    const int wideLength = static_cast<int>(content.size());
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, content.data(), wideLength,
                                         nullptr, 0, nullptr, &usedDefault);
    if (size > 0 && !usedDefault) {
        std::string bytes(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, content.data(), wideLength, bytes.data(),
                            size, nullptr, nullptr);
        return bytes;
    }
    std::string bytes("\xFF\xFE", 2);
    for (wchar_t c : content) {
        const auto unit = static_cast<unsigned>(c);
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>((unit >> 8) & 0xFF);
    }
    return bytes;
}

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

// A name no other writer uses: the process, the tick count and a counter.
std::wstring TemporaryNameBeside(const std::wstring& path) {
    static unsigned counter = 0;
    return FolderOf(path) + L"~vq" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(++counter) + L".tmp";
}

void WriteAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) {
            ThrowLastError();
        }
        done += written;
    }
}

}  // namespace

bool FileExists(const std::wstring& path) {
    if (path.empty()) {
        return false;
    }
    WIN32_FIND_DATAW found;
    UniqueFind search(FindFirstFileW(path.c_str(), &found));
    if (!search) {
        return false;
    }
    do {
        if ((found.dwFileAttributes & kNotPlain) == 0) {
            return true;
        }
    } while (FindNextFileW(search.Get(), &found));
    return false;
}

std::wstring ProgramFolder() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            ThrowLastError();
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    return AddBackslash(FolderOf(buffer));
}

void WriteTextFile(const std::wstring& path, const std::wstring& content) {
    const std::string bytes = EncodeTextFile(content);

    // A read-only, hidden or system file must be replaceable.
    const DWORD oldAttributes = GetFileAttributesW(path.c_str());
    if (oldAttributes != INVALID_FILE_ATTRIBUTES &&
        !SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL)) {
        ThrowLastError();
    }
    // A failed write leaves the old file as it was, attributes included.
    auto restoreOldFile = [&] {
        if (oldAttributes != INVALID_FILE_ATTRIBUTES) {
            SetFileAttributesW(path.c_str(), oldAttributes);
        }
    };

    const std::wstring temporary = TemporaryNameBeside(path);
    UniqueFile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const RunTimeError error = Win32Error(GetLastError());
        restoreOldFile();
        throw error;
    }
    try {
        WriteAll(file.Get(), bytes);
        if (!FlushFileBuffers(file.Get()) || !file.Close()) {
            ThrowLastError();
        }
        if (!MoveFileExW(temporary.c_str(), path.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            ThrowLastError();
        }
    } catch (...) {
        file.Close();
        DeleteFileW(temporary.c_str());
        restoreOldFile();
        throw;
    }
}

}  // namespace velquor
