// The command line of velquor-abbild.exe and the texts it prints: portable, so that the
// program's wmain only reads, writes and prints.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "disc/disc_readiness.h"

namespace velquor {

enum class ImageToolExit { kWritten = 0, kRefused = 1, kFailed = 2 };

struct ImageToolArguments {
    bool showUsage = false;
    std::wstring projectFolder;
    std::wstring imagePath;
    std::optional<std::wstring> volumeName;  // nothing: the root folder's name
    DiscMedium medium = DiscMedium::kAnySize;
};

extern const wchar_t kImageToolUsage[];

// The arguments after the program's name; nothing, with `error` set, when they make no sense.
std::optional<ImageToolArguments> ParseImageToolArguments(const std::vector<std::wstring>& args,
                                                          std::wstring& error);

// One line per finding: "Fehler: <path>: <text>" or "Warnung: ...".
std::wstring FindingLines(const std::vector<DiscFinding>& findings);

}  // namespace velquor
