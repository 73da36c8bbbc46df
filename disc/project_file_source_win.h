// The project's files as the image writer reads them, each opened when its turn comes.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "disc/iso_image_writer.h"
#include "util/run_time_error.h"

namespace velquor {

// A failure to read one of the project's files; it already names that file.
class ProjectFileError : public RunTimeError {
  public:
    ProjectFileError(const std::wstring& path, DWORD code);
};

class ProjectFileSource : public FileContentSource {
  public:
    explicit ProjectFileSource(const std::wstring& root);

    std::unique_ptr<FileContentReader> Open(const std::wstring& projectPath) override;

  private:
    std::wstring displayRoot_;
    std::wstring root_;
};

}  // namespace velquor
