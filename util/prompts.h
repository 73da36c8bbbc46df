// Everything that asks the user or hands something to the shell goes through this seam, so the
// flows can be driven by a script in tests.
#pragma once

#include <memory>
#include <string>

namespace velquor {

// The platform's message-box style numbers that the program uses.
enum class MessageStyle : unsigned {
    Critical = 16,          // OK, critical-stop icon
    CriticalYesNo = 20,     // Yes and No, critical-stop icon
    Information = 64,       // OK, information icon
    InformationYesNo = 68,  // Yes and No, information icon
};

// The platform's answer values.
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

inline constexpr wchar_t kMessageCaption[] = L"Velquor";

// The platform's handle of a window, which portable code only passes on.
using WindowHandle = void*;

// What the shell made of a target: opened, or why not (a German sentence for the user).
struct ShellResult {
    bool opened = true;
    std::wstring reason;
};

class Prompts {
  public:
    virtual ~Prompts() = default;

    // A modal message box with the caption "Velquor"; returns the answer.
    virtual int ShowMessage(const std::wstring& text, MessageStyle style) = 0;

    // The shell's folder browser; the picked folder as the shell gives it, or empty.
    virtual std::wstring BrowseForFolder(const std::wstring& prompt) = 0;

    // The file-open dialog starting in `initialFolder`; filter entries as "Name|*.ext|".
    // The full path of the picked file, or empty on cancel or error.
    virtual std::wstring ChooseDocument(const std::wstring& initialFolder,
                                        const std::wstring& filter) = 0;

    // The save dialog with `title`, proposing `suggestedPath`; filter entries as for
    // ChooseDocument, the first one's extension added to a name typed without one. It asks
    // before an existing file is replaced. The full path chosen, or empty on cancel or error.
    virtual std::wstring SaveFile(const std::wstring& title, const std::wstring& suggestedPath,
                                  const std::wstring& filter) = 0;

    // The shell's "Open" verb; show mode 0 stands for a normal window. It reports nothing to
    // the user itself: the caller says what could not be opened.
    virtual ShellResult ShellOpen(const std::wstring& target, int showMode) = 0;

    // The same prompts for another window of the program: what they show belongs to `window`
    // and blocks it, not the window these prompts belong to.
    virtual std::unique_ptr<Prompts> OwnedBy(WindowHandle window) = 0;
};

}  // namespace velquor
