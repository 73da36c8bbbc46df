#include "disc/project_file_source_win.h"

#include "disc/disc_file_system_win.h"
#include "util/text_helpers.h"
#include "util/unique_handle_win.h"

namespace velquor {

namespace {

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

}  // namespace

ProjectFileError::ProjectFileError(const std::wstring& path, DWORD code)
    : RunTimeError(ErrorAt(path, code)) {}

ProjectFileSource::ProjectFileSource(const std::wstring& root)
    : displayRoot_(AddBackslash(root)), root_(AddBackslash(ExtendedPath(root))) {}

std::unique_ptr<FileContentReader> ProjectFileSource::Open(const std::wstring& projectPath) {
    UniqueFile file = OpenForReading(root_ + projectPath);
    if (!file) {
        throw ProjectFileError(displayRoot_ + projectPath, GetLastError());
    }
    return std::make_unique<ProjectFileReader>(std::move(file), displayRoot_ + projectPath);
}

}  // namespace velquor
