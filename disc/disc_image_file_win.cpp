// Writing the image file, and what the image dialog and the console program propose for it:
// its path, the disc's name and the date of its volume descriptors.
#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>

#include "disc/disc_file_system_win.h"
#include "disc/disc_project_win.h"
#include "disc/project_file_source_win.h"
#include "util/file_name_case.h"
#include "util/file_replace_win.h"
#include "util/file_services.h"
#include "util/text_helpers.h"
#include "util/win32_error_win.h"

namespace velquor {

namespace {

constexpr std::size_t kImageBufferSize = 1 << 20;

// Gathers the image into large writes: the writer hands over pieces of 64 KiB and less.
class ImageFileSink : public IsoByteSink {
  public:
    explicit ImageFileSink(HANDLE file) : file_(file) { buffer_.reserve(kImageBufferSize); }

    void Write(std::span<const unsigned char> bytes) override {
        if (buffer_.size() + bytes.size() > kImageBufferSize) {
            Flush();
        }
        if (bytes.size() >= kImageBufferSize) {
            Put(bytes);
        } else {
            buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
        }
    }

    void Flush() {
        Put(buffer_);
        buffer_.clear();
    }

  private:
    void Put(std::span<const unsigned char> bytes) {
        while (!bytes.empty()) {
            DWORD written = 0;
            const auto piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 30));
            if (!WriteFile(file_, bytes.data(), piece, &written, nullptr)) {
                ThrowLastError();
            }
            if (written == 0) {
                throw Win32Error(ERROR_WRITE_FAULT);
            }
            bytes = bytes.subspan(written);
        }
    }

    HANDLE file_;
    std::vector<unsigned char> buffer_;
};

struct ImageCancelled {};

std::wstring ParentFolder(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\', path.size() - 2);
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

// The full path with its folder in the long form where it exists, so that an 8.3 spelling
// compares equal to the long one.
std::wstring ComparablePath(const std::wstring& path) {
    const std::wstring full = FullPathName(path);
    const std::size_t slash = full.find_last_of(L'\\');
    if (slash == std::wstring::npos) {
        return full;
    }
    const std::wstring folder = full.substr(0, slash + 1);
    std::wstring longFolder(32768, L'\0');
    const DWORD length =
        GetLongPathNameW(folder.c_str(), longFolder.data(), static_cast<DWORD>(longFolder.size()));
    if (length == 0 || length >= longFolder.size()) {
        return full;
    }
    longFolder.resize(length);
    return AddBackslash(longFolder) + full.substr(slash + 1);
}

bool IsShareOrDriveRoot(const std::wstring& root) {
    return ParentFolder(root).empty() || ParentFolder(root) == L"\\\\" ||
           (root.starts_with(L"\\\\") && ParentFolder(ParentFolder(root)) == L"\\\\");
}

}  // namespace

IsoWriteResult WriteDiscImageFile(const std::wstring& projectRoot, const DiscListing& listing,
                                  const IsoImageOptions& options, const std::wstring& imagePath,
                                  const IsoWriteProgress& progress) {
    ProjectFileSource source(projectRoot);
    try {
        ReplaceFileWith(imagePath, [&](HANDLE file) {
            ImageFileSink sink(file);
            if (WriteIsoImage(listing, options, source, sink, progress) ==
                IsoWriteResult::kCancelled) {
                throw ImageCancelled{};
            }
            sink.Flush();
        });
    } catch (const ImageCancelled&) {
        return IsoWriteResult::kCancelled;
    } catch (const ProjectFileError&) {
        throw;
    } catch (const RunTimeError& error) {
        throw RunTimeError(imagePath + L": " + WithInsertsFilled(error.Description(), imagePath),
                           error.Number());
    }
    return IsoWriteResult::kWritten;
}

bool ImageLiesInsideProject(const std::wstring& projectRoot, const std::wstring& imagePath) {
    const std::wstring root = AddBackslash(ComparablePath(AddBackslash(projectRoot)));
    return StartsWithFileName(ComparablePath(imagePath), root);
}

std::wstring DefaultVolumeName(const std::wstring& projectRoot) {
    const std::wstring root = AddBackslash(FullPathName(projectRoot));
    if (!IsShareOrDriveRoot(root)) {
        const std::wstring parent = ParentFolder(root);
        return root.substr(parent.size(), root.size() - parent.size() - 1);
    }
    wchar_t label[MAX_PATH + 1] = {};
    if (GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr,
                              0) &&
        label[0] != L'\0') {
        return label;
    }
    if (root.starts_with(L"\\\\")) {  // \\server\share\: the share's name
        const std::wstring parent = ParentFolder(root);
        return root.substr(parent.size(), root.size() - parent.size() - 1);
    }
    return L"Laufwerk " + root.substr(0, 1);
}

DiscTimestamp CurrentDiscTimestamp() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return ToDiscTimestamp(now, nullptr);
}

std::wstring DefaultImagePath(const std::wstring& projectRoot) {
    const std::wstring root = AddBackslash(FullPathName(projectRoot));
    const std::wstring name = DefaultVolumeName(root) + L".iso";
    if (!IsShareOrDriveRoot(root)) {
        return ParentFolder(root) + name;
    }
    wchar_t* documents = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &documents))) {
        folder = documents;
    }
    CoTaskMemFree(documents);
    return folder.empty() ? root + name : AddBackslash(folder) + name;
}

}  // namespace velquor
