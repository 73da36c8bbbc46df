// The check of an icon file picked in step (4): it is shown when the platform's picture loader
// takes it, otherwise the user is told and the icon choice is cleared, so that a file that
// cannot be shown is never named as the disc icon.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "project/project_settings.h"

namespace velquor {

class Prompts;

inline constexpr wchar_t kInvalidIconFileTemplate[] =
    L"Die angegebene Icon-Datei ist anscheinend nicht gültig.\\nSie konnte nicht geladen "
    L"werden.\\n\\nBitte wählen Sie daher ein neues Icon.";

// Loads the picture at the path into the preview; false when the loader refuses it.
using PictureLoader = std::function<bool(const std::wstring& path)>;

// Whether the icon slot names a file: a path with a drive letter holds ":\", the texts for
// "nothing chosen", the default and the library icon do not.
bool IconSlotNamesFile(std::wstring_view slotText);

// Loads the file in the icon slot into the preview; a file the loader refuses clears the icon
// choice. Returns whether it was loaded; a slot that names no file changes nothing.
bool LoadIconFilePreview(ProjectSettings& s, const PictureLoader& loadPicture);

// Runs after every pick in step (4), also a cancelled one: the file in the icon slot, a new one
// or the one chosen earlier, is loaded again.
void CheckIconFile(ProjectSettings& s, Prompts& prompts, const PictureLoader& loadPicture);

}  // namespace velquor
