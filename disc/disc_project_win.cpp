#include "disc/disc_project_win.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <iterator>
#include <mutex>
#include <system_error>
#include <thread>

#include "autorun/autorun_file_reader.h"
#include "autorun/autorun_text.h"
#include "disc/autorun_references.h"
#include "util/file_name_case.h"
#include "util/file_replace_win.h"
#include "util/file_services.h"
#include "util/text_helpers.h"
#include "util/unique_handle_win.h"
#include "util/win32_error_win.h"

namespace velquor {

namespace {

// AutoRun.Inf and the icon it names are read whole; anything larger is not what Velquor wrote.
constexpr std::uint64_t kMaxAutostartFileSize = 16 << 20;
constexpr std::size_t kImageBufferSize = 1 << 20;

RunTimeError ErrorAt(const std::wstring& path, DWORD code) {
    const RunTimeError system = Win32Error(code);
    return RunTimeError(path + L": " + WithInsertsFilled(system.Description(), path), code);
}

// A failure to read one of the project's files; it already names that file.
class ProjectFileError : public RunTimeError {
  public:
    ProjectFileError(const std::wstring& path, DWORD code) : RunTimeError(ErrorAt(path, code)) {}
};

// The form that lifts the classic limit of 260 characters: the project's own folders may
// nest deeper than that, which the readiness check then reports.
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

// The listing's time: the calendar reading in local time as it was on that day (daylight
// saving included) and its distance from UTC, in steps of 15 minutes.
DiscTimestamp ToDiscTimestamp(const FILETIME& utc, const TIME_ZONE_INFORMATION* zone) {
    SYSTEMTIME utcTime;
    SYSTEMTIME local;
    FILETIME localFileTime;
    if (!FileTimeToSystemTime(&utc, &utcTime)) {
        return {};
    }
    if (!SystemTimeToTzSpecificLocalTime(zone, &utcTime, &local) ||
        !SystemTimeToFileTime(&local, &localFileTime)) {
        local = utcTime;
        localFileTime = utc;
    }
    const auto ticks = [](const FILETIME& t) {
        return static_cast<long long>(ULARGE_INTEGER{{t.dwLowDateTime, t.dwHighDateTime}}.QuadPart);
    };
    constexpr double kTicksPerQuarterHour = 15 * 60 * 10'000'000.0;
    const long long quarters =
        std::llround(static_cast<double>(ticks(localFileTime) - ticks(utc)) / kTicksPerQuarterHour);
    return {local.wYear,
            local.wMonth,
            local.wDay,
            local.wHour,
            local.wMinute,
            local.wSecond,
            static_cast<int>(quarters * 15)};
}

// Symbolic links and junctions stand for something elsewhere; other reparse points (cloud
// placeholders, deduplicated or compressed files) are the project's own files and folders.
// A directory entry keeps its reparse tag where the extended attributes' size would be.
bool IsLink(const FILE_ID_BOTH_DIR_INFO& found) {
    return (found.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
           IsReparseTagNameSurrogate(found.EaSize);
}

// Reads each folder through one handle, in batches of entries that carry each entry's file
// number too: Wine shows a Unix symbolic link as the folder it leads to, and one that leads
// back up would be read forever. Comparing file numbers with the folders above costs nothing
// more; asking for a folder's volume as well would cost a round trip to Wine's mount manager
// for every folder. Links on Windows are not followed in the first place.
// A folder's time goes mostly into waiting for the file system (under Wine, for its server),
// so a few threads read folders side by side; each folder's entries are complete and sorted
// before its subfolders are handed out, so no thread touches what another is filling.
class FolderWalker {
  public:
    explicit FolderWalker(const std::wstring& root)
        : displayRoot_(AddBackslash(root)), root_(AddBackslash(ExtendedPath(root))) {
        zoneKnown_ = GetTimeZoneInformation(&zone_) != TIME_ZONE_ID_INVALID;
    }

    // Throws the first failure any thread met; the others stop at their next folder.
    void Fill(DiscEntry& root) {
        pending_.push_back({&root, {}, {}});
        std::vector<std::thread> helpers;
        for (int i = 1; i < kThreads; ++i) {
            try {
                helpers.emplace_back([this] { Work(); });
            } catch (const std::system_error&) {
                break;  // fewer threads read the same folders, only more slowly
            }
        }
        Work();
        for (std::thread& helper : helpers) {
            helper.join();
        }
        if (failure_) {
            std::rethrow_exception(failure_);
        }
    }

    DiscTimestamp RootModified() const {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(root_.c_str(), GetFileExInfoStandard, &data)) {
            return {};
        }
        return ToDiscTimestamp(data.ftLastWriteTime, zoneKnown_ ? &zone_ : nullptr);
    }

  private:
    static constexpr int kThreads = 4;

    struct Folder {
        DiscEntry* entry;
        std::wstring relative;
        std::vector<std::int64_t> ancestors;  // file numbers of the root and the folders below
    };

    void Work() {
        std::vector<std::uint64_t> buffer(8192);  // 64 KiB, aligned
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return !pending_.empty() || busy_ == 0 || failure_; });
            if (failure_ || pending_.empty()) {
                changed_.notify_all();
                return;
            }
            Folder folder = std::move(pending_.back());
            pending_.pop_back();
            ++busy_;
            lock.unlock();
            std::vector<Folder> subfolders;
            std::exception_ptr failure;
            try {
                subfolders = Read(folder, buffer);
            } catch (...) {
                failure = std::current_exception();
            }
            lock.lock();
            --busy_;
            if (failure && !failure_) {
                failure_ = failure;
            }
            std::move(subfolders.begin(), subfolders.end(), std::back_inserter(pending_));
            changed_.notify_all();
        }
    }

    std::vector<Folder> Read(Folder& folder, std::vector<std::uint64_t>& buffer) const {
        const std::wstring path = folder.relative.empty() ? root_ : root_ + folder.relative + L'\\';
        const UniqueFile handle(CreateFileW(path.c_str(), FILE_LIST_DIRECTORY,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                            nullptr));
        if (!handle) {
            throw ErrorAt(displayRoot_ + folder.relative, GetLastError());
        }
        if (folder.ancestors.empty()) {
            BY_HANDLE_FILE_INFORMATION info;
            if (GetFileInformationByHandle(handle.Get(), &info)) {
                folder.ancestors.push_back(std::int64_t{info.nFileIndexHigh} << 32 |
                                           info.nFileIndexLow);
            }
        }
        std::vector<std::pair<DiscEntry, std::int64_t>> found;  // with its file number
        for (auto batch = FileIdBothDirectoryRestartInfo;; batch = FileIdBothDirectoryInfo) {
            if (!GetFileInformationByHandleEx(handle.Get(), batch, buffer.data(),
                                              static_cast<DWORD>(buffer.size() * 8))) {
                const DWORD error = GetLastError();
                // No entry at all: the root of an empty drive, which has no "." or "..".
                if (error == ERROR_NO_MORE_FILES || error == ERROR_FILE_NOT_FOUND) {
                    break;
                }
                throw ErrorAt(displayRoot_ + folder.relative, error);
            }
            const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.data());
            for (std::size_t at = 0;;) {
                const auto& entry = *reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes + at);
                Add(entry, found);
                if (entry.NextEntryOffset == 0) {
                    break;
                }
                at += entry.NextEntryOffset;
            }
        }
        // Explorer's order, so that findings come in an order the user recognises.
        std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
            return std::lexicographical_compare(
                a.first.name.begin(), a.first.name.end(), b.first.name.begin(), b.first.name.end(),
                [](wchar_t x, wchar_t y) { return FileNameUpcase(x) < FileNameUpcase(y); });
        });
        DiscEntry& entry = *folder.entry;
        entry.children.reserve(found.size());  // the children stay where they are from here on
        std::vector<Folder> subfolders;
        for (auto& [child, number] : found) {
            DiscEntry& added = entry.children.emplace_back(std::move(child));
            const auto& above = folder.ancestors;
            // A file, a link, or a folder that leads back up, which stays empty as a link does.
            if (number < 0 || std::find(above.begin(), above.end(), number) != above.end()) {
                continue;
            }
            Folder& subfolder = subfolders.emplace_back(
                Folder{&added, JoinDiscPath(folder.relative, added.name), above});
            subfolder.ancestors.push_back(number);
        }
        return subfolders;
    }

    // Adds the entry with its file number when it is a folder to read, else with -1.
    void Add(const FILE_ID_BOTH_DIR_INFO& found,
             std::vector<std::pair<DiscEntry, std::int64_t>>& entries) const {
        const std::wstring_view name(found.FileName, found.FileNameLength / sizeof(wchar_t));
        if (name == L"." || name == L"..") {
            return;
        }
        auto& [entry, number] = entries.emplace_back(DiscEntry{}, -1);
        entry.name = name;
        entry.isFolder = (found.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.hidden = (found.FileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
        entry.system = (found.FileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
        const FILETIME modified{static_cast<DWORD>(found.LastWriteTime.LowPart),
                                static_cast<DWORD>(found.LastWriteTime.HighPart)};
        entry.modified = ToDiscTimestamp(modified, zoneKnown_ ? &zone_ : nullptr);
        if (IsLink(found)) {
            return;  // an empty folder or file: its content lies elsewhere
        }
        if (entry.isFolder) {
            number = found.FileId.QuadPart;
        } else {
            entry.size = static_cast<std::uint64_t>(found.EndOfFile.QuadPart);
        }
    }

    std::wstring displayRoot_;
    std::wstring root_;  // extended form, ending in a backslash
    TIME_ZONE_INFORMATION zone_{};
    bool zoneKnown_ = false;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Folder> pending_;
    int busy_ = 0;  // threads reading a folder, which may hand out more
    std::exception_ptr failure_;
};

UniqueFile OpenForReading(const std::wstring& path) {
    return UniqueFile(CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

class ProjectFileReader : public FileContentReader {
  public:
    ProjectFileReader(UniqueFile file, std::wstring path)
        : file_(std::move(file)), path_(std::move(path)) {}

    std::size_t Read(std::span<unsigned char> buffer) override {
        DWORD got = 0;
        if (!ReadFile(file_.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got,
                      nullptr)) {
            throw ProjectFileError(path_, GetLastError());
        }
        return got;
    }

  private:
    UniqueFile file_;
    std::wstring path_;
};

class ProjectFileSource : public FileContentSource {
  public:
    explicit ProjectFileSource(const std::wstring& root)
        : displayRoot_(AddBackslash(root)), root_(AddBackslash(ExtendedPath(root))) {}

    std::unique_ptr<FileContentReader> Open(const std::wstring& projectPath) override {
        UniqueFile file = OpenForReading(root_ + projectPath);
        if (!file) {
            throw ProjectFileError(displayRoot_ + projectPath, GetLastError());
        }
        return std::make_unique<ProjectFileReader>(std::move(file), displayRoot_ + projectPath);
    }

  private:
    std::wstring displayRoot_;
    std::wstring root_;
};

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

DiscListing ReadDiscListing(const std::wstring& projectRoot) {
    FolderWalker walker(projectRoot);
    DiscListing listing;
    listing.root.modified = walker.RootModified();
    walker.Fill(listing.root);
    return listing;
}

DiscAutorunFiles ReadDiscAutorunFiles(const std::wstring& projectRoot, const DiscListing& listing) {
    DiscAutorunFiles files;
    const DiscEntry* autorunInf = FindDiscEntry(listing, kAutorunFileName);
    if (autorunInf == nullptr || autorunInf->isFolder) {
        return files;
    }
    const std::wstring root = AddBackslash(ExtendedPath(projectRoot));
    if (const auto bytes = ReadSmallFile(root + autorunInf->name, kMaxAutostartFileSize)) {
        files.autorunText = DecodeAutorunBytes(*bytes, DecodeAnsi);
    }
    if (!files.autorunText) {
        return files;
    }
    const std::optional<std::wstring> iconPath = ReadAutorunReferences(*files.autorunText).iconPath;
    const DiscEntry* icon = iconPath ? FindDiscEntry(listing, *iconPath) : nullptr;
    if (icon != nullptr && !icon->isFolder) {
        files.iconFile = ReadSmallFile(root + *iconPath, kMaxAutostartFileSize);
    }
    return files;
}

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
