#include "dialogs/disc_image_dialog_win.h"

#include <commctrl.h>

#include <memory>
#include <vector>

#include "dialogs/dialog_controls_win.h"
#include "dialogs/disc_image_dialog.h"
#include "dialogs/empty_dialog_template_win.h"
#include "disc/disc_project_win.h"
#include "disc/iso_names.h"
#include "util/file_services.h"
#include "util/program_start_win.h"
#include "util/prompts.h"
#include "util/run_time_error.h"
#include "util/shell_launch.h"
#include "util/text_template.h"
#include "util/window_services_win.h"

namespace velquor {
namespace {

constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr int kProgressSteps = 1000;
constexpr int kInputIds[] = {kImagePathId, kImageBrowseId, kVolumeNameId, kMediumListId};

struct ImageDialog {
    ImageDialog(std::wstring projectRoot, Prompts& p)
        : root(std::move(projectRoot)), programPrompts(p) {}

    std::wstring root;
    Prompts& programPrompts;
    std::unique_ptr<Prompts> prompts;  // the dialog's own: their boxes block it
    std::wstring burner;               // Windows' image burner; empty where there is none
    bool projectRead = false;
    DiscListing listing;
    DiscAutorunFiles autorunFiles;
    std::vector<DiscFinding> findings;
    bool writing = false;
    bool cancelled = false;
    bool closeWhenDone = false;
    std::wstring image;          // the image written last
    std::wstring replaceAgreed;  // the save dialog has asked about replacing this file
};

ImageDialog& StateOf(HWND dialog) {
    return *reinterpret_cast<ImageDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

std::wstring ItemText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

DiscMedium ChosenMedium(HWND dialog) {
    const auto chosen =
        static_cast<int>(SendDlgItemMessageW(dialog, kMediumListId, CB_GETCURSEL, 0, 0));
    return MediumChoices()[chosen < 0 ? kDefaultMediumChoice : chosen].medium;
}

void ShowState(HWND dialog) {
    const ImageDialog& state = StateOf(dialog);
    for (const int id : kInputIds) {
        EnableWindow(GetDlgItem(dialog, id), !state.writing);
    }
    // Errors keep the image from being written: the button stays off while they are shown.
    EnableWindow(GetDlgItem(dialog, kImageCreateId),
                 !state.writing && state.projectRead && !HasDiscErrors(state.findings) &&
                     GetWindowTextLengthW(GetDlgItem(dialog, kImagePathId)) > 0);
    const bool finished = !state.writing && !state.image.empty();
    EnableWindow(GetDlgItem(dialog, kBurnImageId), finished);
    EnableWindow(GetDlgItem(dialog, kOpenImageFolderId), finished);
    SetDlgItemTextW(dialog, kImageCloseId, state.writing ? kCancelWritingCaption : kCloseCaption);
}

void ShowFindings(HWND dialog) {
    ImageDialog& state = StateOf(dialog);
    if (state.projectRead) {
        state.findings =
            CheckDiscReadiness(state.listing, ChosenMedium(dialog), state.autorunFiles);
        SetDlgItemTextW(dialog, kFindingsId, FindingsText(state.findings).c_str());
    }
    ShowState(dialog);
}

// The project as it is now; a folder that cannot be read leaves its reason where the findings go.
void ReadProject(HWND dialog) {
    ImageDialog& state = StateOf(dialog);
    try {
        state.listing = ReadDiscListing(state.root);
        state.autorunFiles = ReadDiscAutorunFiles(state.root, state.listing);
        state.projectRead = true;
    } catch (const RunTimeError& error) {
        state.projectRead = false;
        // The reason names a path: its backslashes stay as they are, not read as escapes.
        SetDlgItemTextW(
            dialog, kFindingsId,
            ReplaceAll(kProjectUnreadableTemplate, L"%1", DescribeError(error)).c_str());
    }
    ShowFindings(dialog);
}

bool OnInit(HWND dialog, ImageDialog& state) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    state.prompts = state.programPrompts.OwnedBy(dialog);
    SetWindowTextW(dialog, kDiscImageTitle);
    if (!CreateDialogControls(dialog, kDiscImageClientWidth, kDiscImageClientHeight,
                              DiscImageControls())) {
        return false;
    }
    SetDlgItemTextW(dialog, kImagePathId, DefaultImagePath(state.root).c_str());
    SendDlgItemMessageW(dialog, kVolumeNameId, EM_LIMITTEXT, kJolietVolumeIdLength, 0);
    SetDlgItemTextW(dialog, kVolumeNameId,
                    DefaultVolumeName(state.root).substr(0, kJolietVolumeIdLength).c_str());
    for (const MediumChoice& choice : MediumChoices()) {
        const std::wstring text(choice.text);
        SendDlgItemMessageW(dialog, kMediumListId, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendDlgItemMessageW(dialog, kMediumListId, CB_SETCURSEL, kDefaultMediumChoice, 0);
    SendDlgItemMessageW(dialog, kImageProgressId, PBM_SETRANGE32, 0, kProgressSteps);

    wchar_t system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring burner = std::wstring(system, length) + L"\\isoburn.exe";
    if (length > 0 && length < MAX_PATH &&
        GetFileAttributesW(burner.c_str()) != INVALID_FILE_ATTRIBUTES) {
        state.burner = burner;
    } else {
        ShowWindow(GetDlgItem(dialog, kBurnImageId), SW_HIDE);
    }
    ReadProject(dialog);
    return true;
}

// Lets pending messages through while the image is written, so that "Abbrechen" and the close
// box work; a quit of the program cancels the writing and goes back into the queue.
bool LetMessagesThrough(HWND dialog) {
    ImageDialog& state = StateOf(dialog);
    MSG msg;
    while (!state.cancelled && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            state.cancelled = state.closeWhenDone = true;
        } else if (!IsDialogMessageW(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return !state.cancelled;
}

void Write(HWND dialog, const std::wstring& image) {
    ImageDialog& state = StateOf(dialog);
    const HWND progress = GetDlgItem(dialog, kImageProgressId);
    const IsoImageOptions options{ItemText(dialog, kVolumeNameId), CurrentDiscTimestamp()};
    state.writing = true;
    state.cancelled = false;
    state.image.clear();
    ShowState(dialog);
    SetDlgItemTextW(dialog, kImageStatusId, kWritingStatus);
    std::wstring status;
    try {
        const IsoWriteResult result = WriteDiscImageFile(
            state.root, state.listing, options, image,
            [&](std::uint64_t written, std::uint64_t total) {
                const auto step = total == 0 ? kProgressSteps : written * kProgressSteps / total;
                SendMessageW(progress, PBM_SETPOS, static_cast<WPARAM>(step), 0);
                return LetMessagesThrough(dialog);
            });
        if (result == IsoWriteResult::kWritten) {
            state.image = image;
            status = kWrittenStatus + image;
        } else {
            status = kCancelledStatus;
        }
    } catch (const RunTimeError& error) {
        // The description names the file that failed: one of the project's, or the image.
        state.prompts->ShowMessage(
            FillMessageTemplate(kImageWriteFailureTemplate, {{L"%g%", DescribeError(error)}}),
            MessageStyle::Critical);
    } catch (const IsoFileChanged& changed) {
        state.prompts->ShowMessage(
            FillMessageTemplate(kFileChangedTemplate, {{L"%f%", state.root + changed.path()}}),
            MessageStyle::Critical);
    } catch (const IsoImageRefused& refused) {
        state.findings = refused.blockers();
        SetDlgItemTextW(dialog, kFindingsId, FindingsText(state.findings).c_str());
    }
    state.writing = false;
    if (state.image.empty()) {
        SendMessageW(progress, PBM_SETPOS, 0, 0);
    }
    SetDlgItemTextW(dialog, kImageStatusId, status.c_str());
    ShowState(dialog);
}

void Create(HWND dialog) {
    ImageDialog& state = StateOf(dialog);
    const std::wstring image = FullPathName(ItemText(dialog, kImagePathId));
    if (ImageLiesInsideProject(state.root, image)) {
        state.prompts->ShowMessage(
            FillMessageTemplate(kImageInsideProjectTemplate, {{L"%f%", image}}),
            MessageStyle::Critical);
        return;
    }
    // An image of an earlier run, or any other file of that name, goes only when the user says so.
    const DWORD existing = GetFileAttributesW(image.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && image != state.replaceAgreed &&
        state.prompts->ShowMessage(FillMessageTemplate(kReplaceImageTemplate, {{L"%f%", image}}),
                                   MessageStyle::InformationYesNo) != kAnswerYes) {
        return;
    }
    // The files as they are now, not as they were when the dialog opened.
    ReadProject(dialog);
    if (IsWindowEnabled(GetDlgItem(dialog, kImageCreateId))) {
        Write(dialog, image);
    }
    if (state.closeWhenDone) {
        EndDialog(dialog, 0);
    }
}

void Browse(HWND dialog) {
    ImageDialog& state = StateOf(dialog);
    const std::wstring chosen =
        state.prompts->SaveFile(kSaveImageTitle, ItemText(dialog, kImagePathId), kImageFilter);
    if (!chosen.empty()) {
        state.replaceAgreed = chosen;
        SetDlgItemTextW(dialog, kImagePathId, chosen.c_str());
    }
}

void Burn(HWND dialog) {
    ImageDialog& state = StateOf(dialog);
    if (state.burner.empty()) {
        return;
    }
    try {
        StartProgram(state.burner, L"isoburn.exe \"" + state.image + L"\"", L"");
    } catch (const RunTimeError& error) {
        state.prompts->ShowMessage(
            FillMessageTemplate(
                kProgramStartFailureTemplate,
                {{L"%f%", state.burner}, {L"%g%", DescribeError(error, state.burner)}}),
            MessageStyle::Critical);
    }
}

void OpenFolder(HWND dialog) {
    ImageDialog& state = StateOf(dialog);
    ShellOpen(*state.prompts, state.image.substr(0, state.image.find_last_of(L'\\') + 1),
              kShowNormal);
}

void Close(HWND dialog) {
    ImageDialog& state = StateOf(dialog);
    if (state.writing) {
        state.cancelled = true;  // the writer stops; the dialog stays
    } else {
        EndDialog(dialog, 0);
    }
}

void OnCommand(HWND dialog, int id, int code) {
    ImageDialog& state = StateOf(dialog);
    if (id == kMediumListId && code == CBN_SELCHANGE) {
        ShowFindings(dialog);
    } else if (id == kImagePathId && code == EN_CHANGE) {
        ShowState(dialog);
    } else if (code != BN_CLICKED || (state.writing && id != kImageCloseId)) {
        return;
    }
    using Action = void (*)(HWND);
    struct Row {
        int id;
        Action action;
    };
    static constexpr Row kRows[] = {
        {kImageCreateId, Create},         {kImageBrowseId, Browse}, {kBurnImageId, Burn},
        {kOpenImageFolderId, OpenFolder}, {kImageCloseId, Close},
    };
    for (const Row& row : kRows) {
        // IsDialogMessage sends Enter as OK even to a disabled default button.
        if (row.id == id && IsWindowEnabled(GetDlgItem(dialog, id))) {
            row.action(dialog);
        }
    }
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            if (!OnInit(dialog, *reinterpret_cast<ImageDialog*>(lParam))) {
                EndDialog(dialog, 0);
            }
            return TRUE;
        case WM_COMMAND:
            OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            if (StateOf(dialog).writing) {
                StateOf(dialog).cancelled = StateOf(dialog).closeWhenDone = true;
            } else {
                EndDialog(dialog, 0);
            }
            return TRUE;
    }
    return FALSE;
}

}  // namespace

void ShowDiscImageDialog(HWND owner, const std::wstring& projectRoot, Prompts& prompts) {
    const EmptyDialogTemplate tmpl(kDialogStyle, WS_EX_DLGMODALFRAME);
    ImageDialog state(projectRoot, prompts);
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &tmpl.header, owner, DialogProc,
                            reinterpret_cast<LPARAM>(&state));
}

}  // namespace velquor
