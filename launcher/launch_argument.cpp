#include "launcher/launch_argument.h"

#include "util/file_name_case.h"
#include "util/windows_names.h"

// wstring_view::substr would bring the exception machinery of the standard library into the
// launcher, for an out-of-range position that cannot happen here; views are cut by hand.

namespace velquor::launcher {

namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool IsInvalidInName(wchar_t c) {
    return c < 0x20 || c == L'*' || c == L'?' || c == L'"' || c == L'<' || c == L'>' || c == L'|';
}

// \\?\ and \\.\ (also written with /) reach the devices and raw paths; \??\ is the same in the
// object manager's spelling.
bool BeginsWithDevicePath(std::wstring_view path) {
    if (path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
        (path[2] == L'?' || path[2] == L'.') && IsSeparator(path[3])) {
        return true;
    }
    return path.size() >= 4 && IsSeparator(path[0]) && path[1] == L'?' && path[2] == L'?' &&
           IsSeparator(path[3]);
}

bool IsDotsAndBlanksOnly(std::wstring_view part) {
    for (const wchar_t c : part) {
        if (c != L'.' && c != L' ') {
            return false;
        }
    }
    return true;
}

}  // namespace

bool NamesTheFolderItself(std::wstring_view relativePath) {
    return relativePath == L"\\";
}

PathCheck CheckRelativePath(std::wstring_view relativePath) {
    if (relativePath.empty()) {
        return PathCheck::Empty;
    }
    if (NamesTheFolderItself(relativePath)) {
        return PathCheck::Accepted;
    }
    if (BeginsWithDevicePath(relativePath)) {
        return PathCheck::DevicePath;
    }
    if (IsSeparator(relativePath.front())) {
        return PathCheck::Rooted;
    }
    for (const wchar_t c : relativePath) {
        if (c == L':') {
            return PathCheck::Colon;
        }
    }
    for (const wchar_t c : relativePath) {
        if (IsInvalidInName(c)) {
            return PathCheck::InvalidCharacter;
        }
    }

    // Depth below the folder; `..` may go back up, but never above it.
    int depth = 0;
    const wchar_t* cursor = relativePath.data();
    const wchar_t* const end = cursor + relativePath.size();
    while (cursor != end) {
        const wchar_t* partEnd = cursor;
        while (partEnd != end && !IsSeparator(*partEnd)) {
            ++partEnd;
        }
        const std::wstring_view part(cursor, static_cast<std::size_t>(partEnd - cursor));
        cursor = partEnd == end ? end : partEnd + 1;

        if (part.empty() || part == L".") {
            continue;
        }
        if (part == L"..") {
            if (--depth < 0) {
                return PathCheck::ClimbsOut;
            }
            continue;
        }
        // Windows drops trailing dots and blanks, so such a part could turn into "." or "..".
        if (IsDotsAndBlanksOnly(part)) {
            return PathCheck::DotsOnlyName;
        }
        if (IsDeviceName(part)) {
            return PathCheck::DeviceName;
        }
        ++depth;
    }
    return PathCheck::Accepted;
}

bool LiesInFolder(std::wstring_view folder, std::wstring_view fullPath) {
    if (folder.empty() || folder.back() != L'\\') {
        return false;
    }
    if (StartsWithFileName(fullPath, folder)) {
        return true;
    }
    // The folder itself, written without its backslash; "D:" alone would mean the current
    // folder of drive D, not its root.
    std::wstring_view withoutBackslash = folder;
    withoutBackslash.remove_suffix(1);
    return !withoutBackslash.empty() && withoutBackslash.back() != L':' &&
           FileNamesEqual(fullPath, withoutBackslash);
}

std::wstring_view RefusalReason(PathCheck check) {
    switch (check) {
        case PathCheck::Accepted:
            return {};
        case PathCheck::Empty:
            return L"Der Pfad ist leer.";
        case PathCheck::DevicePath:
            return L"Gerätepfade wie \\\\?\\ und \\\\.\\ sind nicht erlaubt.";
        case PathCheck::Rooted:
            return L"Ein Pfad darf nicht mit \\ oder / beginnen.";
        case PathCheck::Colon:
            return L"Ein Pfad darf keinen Doppelpunkt enthalten, also weder Laufwerk noch "
                   L"Datenstrom.";
        case PathCheck::InvalidCharacter:
            return L"Der Pfad enthält ein Zeichen, das in Dateinamen nicht erlaubt ist.";
        case PathCheck::DeviceName:
            return L"Der Pfad enthält einen Gerätenamen wie CON, NUL, COM1 oder LPT1.";
        case PathCheck::DotsOnlyName:
            return L"Ein Teil des Pfads besteht nur aus Punkten oder Leerzeichen.";
        case PathCheck::ClimbsOut:
            return L"Der Pfad führt mit „..“ aus dem Ordner der CD hinaus.";
        case PathCheck::TooLong:
            return L"Der Pfad ist zu lang.";
        case PathCheck::OutsideFolder:
            return L"Der Pfad liegt nicht im Ordner der CD.";
    }
    return L"Der Pfad ist nicht erlaubt.";
}

}  // namespace velquor::launcher
