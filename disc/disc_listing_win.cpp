// Reading the project folder: the listing of every file and folder, and the autostart files
// the readiness check looks into.
#include <windows.h>

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <iterator>
#include <mutex>
#include <system_error>
#include <thread>

#include "autorun/autorun_file_reader.h"
#include "autorun/autorun_text.h"
#include "disc/autorun_references.h"
#include "disc/disc_file_system_win.h"
#include "disc/disc_project_win.h"
#include "util/file_name_case.h"
#include "util/file_services.h"
#include "util/text_helpers.h"
#include "util/unique_handle_win.h"

namespace velquor {

namespace {

// AutoRun.Inf and the icon it names are read whole; anything larger is not what Velquor wrote.
constexpr std::uint64_t kMaxAutostartFileSize = 16 << 20;

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

}  // namespace velquor
