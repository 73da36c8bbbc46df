// Drives a modal dialog of the thread from inside its own loop: hooks see the dialog made, see
// it wait for input (its loop sends WM_ENTERIDLE to the owner) and see it go.
#pragma once

#include <windows.h>

#include <functional>

namespace velquor::testing {

class ModalDialogDriver {
  public:
    using Action = std::function<void(HWND dialog)>;

    // `onIdle` runs each time the dialog waits for input; it should end the dialog eventually.
    explicit ModalDialogDriver(Action onIdle, Action onInitialised = {}, Action onDestroy = {});
    ~ModalDialogDriver();
    ModalDialogDriver(const ModalDialogDriver&) = delete;
    ModalDialogDriver& operator=(const ModalDialogDriver&) = delete;

    int IdleVisits() const { return idleVisits_; }

  private:
    static LRESULT CALLBACK BeforeMessage(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam);

    Action onIdle_;
    Action onInitialised_;
    Action onDestroy_;
    int idleVisits_ = 0;
    HHOOK before_ = nullptr;
    HHOOK after_ = nullptr;
};

}  // namespace velquor::testing
