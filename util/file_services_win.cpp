#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "util/file_replace_win.h"
#include "util/file_services.h"
#include "util/text_helpers.h"
#include "util/unique_handle_win.h"
#include "util/win32_error_win.h"
#include "util/write_in_chunks.h"

namespace velquor {

namespace {

constexpr DWORD kNotPlain =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The text in the code page, or nothing when the code page cannot hold every character exactly
// or the conversion fails.
std::optional<std::string> ExactlyInCodePage(const std::wstring& content, UINT codePage) {
    // Four bytes per UTF-16 unit hold the text in every code page Windows can have as its ANSI
    // code page (UTF-8 needs three, GB18030 four), so one conversion suffices. Where they do
    // not, the conversion fails and the caller writes UTF-16, which is still correct.
    constexpr std::size_t kBytesPerUnit = 4;
    const auto limit = static_cast<std::size_t>(std::numeric_limits<int>::max());
    if (content.size() > limit / kBytesPerUnit) {
        return std::nullopt;
    }
    const int wideLength = static_cast<int>(content.size());
    std::string bytes(content.size() * kBytesPerUnit, '\0');
    // No flags and no question for the default character: UTF-8 and several other code pages
    // reject both. Best-fit and default characters show up on the way back instead.
    const int size = WideCharToMultiByte(codePage, 0, content.data(), wideLength, bytes.data(),
                                         static_cast<int>(bytes.size()), nullptr, nullptr);
    if (size <= 0) {
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(size));
    std::wstring back(content.size(), L'\0');
    const int backLength =
        MultiByteToWideChar(codePage, 0, bytes.data(), size, back.data(), wideLength);
    if (backLength != wideLength || back != content) {
        return std::nullopt;
    }
    return bytes;
}

std::string Utf16LeWithBom(const std::wstring& content) {
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

void WriteAll(HANDLE file, std::string_view bytes) {
    constexpr std::size_t kMaxChunk = 1 << 20;
    const bool complete =
        WriteInChunks(bytes, kMaxChunk, [file](const char* data, std::size_t size) {
            DWORD written = 0;
            if (!WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr)) {
                ThrowLastError();
            }
            return static_cast<std::size_t>(written);
        });
    // A write that reports success without taking a byte would never finish.
    if (!complete) {
        throw Win32Error(ERROR_WRITE_FAULT);
    }
}

}  // namespace

std::wstring TemporaryFileName(unsigned number) {
    constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring name = L"~vq0000.tmp";
    for (std::size_t i = 6; i >= 3; --i) {
        name[i] = kDigits[number % 16];
        number /= 16;
    }
    return name;
}

std::string EncodeTextFile(const std::wstring& content, unsigned codePage) {
    if (content.empty()) {
        return {};
    }
    if (std::optional<std::string> ansi = ExactlyInCodePage(content, codePage)) {
        return *std::move(ansi);
    }
    return Utf16LeWithBom(content);
}

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

std::wstring FullPathName(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return path;
    }
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) {
        return path;
    }
    full.resize(length);
    return full;
}

std::wstring ExtendedPath(const std::wstring& path) {
    const std::wstring full = FullPathName(path);
    if (full.starts_with(L"\\\\?\\")) {
        return full;
    }
    if (full.starts_with(L"\\\\")) {
        return L"\\\\?\\UNC\\" + full.substr(2);
    }
    return L"\\\\?\\" + full;
}

std::wstring WithoutExtendedPrefix(const std::wstring& path) {
    if (path.starts_with(L"\\\\?\\UNC\\")) {
        return L"\\\\" + path.substr(8);
    }
    return path.starts_with(L"\\\\?\\") ? path.substr(4) : path;
}

std::optional<std::vector<unsigned char>> ReadSmallFile(const std::wstring& path,
                                                        std::uint64_t limit) {
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.Get(), &size) ||
        static_cast<std::uint64_t>(size.QuadPart) > std::min<std::uint64_t>(limit, MAXDWORD)) {
        return std::nullopt;
    }
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
         got != bytes.size())) {
        return std::nullopt;
    }
    return bytes;
}

std::wstring DecodeAnsi(std::string_view bytes) {
    const int size =
        static_cast<int>(std::min<std::size_t>(bytes.size(), std::numeric_limits<int>::max()));
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), size);
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
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

namespace {

bool IsTaken(DWORD error) {
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

void Discard(const std::wstring& temporary) {
    SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(temporary.c_str());
}

// Creates the new content under the first free temporary name beside `path` and returns that
// name. `makeTemporary` returns false, having created nothing, when the name is taken: such a
// file belongs to someone else and is left alone. Once it has created the file, any failure of
// its own throws, and the file is removed.
std::wstring MakeTemporaryBeside(const std::wstring& path,
                                 const std::function<bool(const std::wstring&)>& makeTemporary) {
    const std::wstring folder = FolderOf(path);
    for (unsigned number = 0; number <= kLastTemporaryNumber; ++number) {
        const std::wstring temporary = folder + TemporaryFileName(number);
        try {
            if (makeTemporary(temporary)) {
                return temporary;
            }
        } catch (...) {
            Discard(temporary);
            throw;
        }
    }
    throw Win32Error(ERROR_FILE_EXISTS);
}

// The old file at `path` gives way to a new one in a single rename: `makeTemporary` creates the
// new content under a temporary name beside it. On any failure the old file stays as it was,
// attributes included, and no temporary file is left behind: it would end up on the disc.
void ReplaceFile(const std::wstring& path,
                 const std::function<bool(const std::wstring&)>& makeTemporary) {
    // A read-only, hidden or system file must be replaceable.
    const DWORD oldAttributes = GetFileAttributesW(path.c_str());
    if (oldAttributes != INVALID_FILE_ATTRIBUTES &&
        !SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL)) {
        ThrowLastError();
    }
    const auto restoreAttributes = [&] {
        if (oldAttributes != INVALID_FILE_ATTRIBUTES) {
            SetFileAttributesW(path.c_str(), oldAttributes);
        }
    };
    std::wstring temporary;
    try {
        temporary = MakeTemporaryBeside(path, makeTemporary);
    } catch (...) {
        restoreAttributes();
        throw;
    }
    if (!MoveFileExW(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const RunTimeError error = Win32Error(GetLastError());
        Discard(temporary);
        restoreAttributes();
        throw error;
    }
}

}  // namespace

void ReplaceFileWith(const std::wstring& path, const std::function<void(HANDLE file)>& write) {
    ReplaceFile(path, [&](const std::wstring& temporary) {
        UniqueFile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            const DWORD error = GetLastError();
            if (IsTaken(error)) {
                return false;
            }
            throw Win32Error(error);
        }
        write(file.Get());
        if (!FlushFileBuffers(file.Get()) || !file.Close()) {
            ThrowLastError();
        }
        return true;
    });
}

void WriteTextFile(const std::wstring& path, const std::wstring& content) {
    const std::string bytes = EncodeTextFile(content, GetACP());
    ReplaceFileWith(path, [&](HANDLE file) { WriteAll(file, bytes); });
}

void WriteBinaryFile(const std::wstring& path, std::span<const unsigned char> bytes) {
    const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    ReplaceFileWith(path, [&](HANDLE file) { WriteAll(file, view); });
}

void CopyFileReplacing(const std::wstring& source, const std::wstring& destination) {
    ReplaceFile(destination, [&](const std::wstring& temporary) {
        if (!CopyFileW(source.c_str(), temporary.c_str(), TRUE)) {
            const DWORD error = GetLastError();
            if (IsTaken(error)) {
                return false;
            }
            throw Win32Error(error);
        }
        // The copy takes the source's attributes; a read-only launcher would block the next save.
        if (!SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL)) {
            ThrowLastError();
        }
        return true;
    });
}

}  // namespace velquor
