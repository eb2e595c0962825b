#pragma once
// The update check's link to the window program: tasks go to the UI thread with
// CallAfter on the application object, notices are message boxes with texts
// from the resource library, and a finished manual check calls the frame's
// reload hook (it posts WM_USER+1 to the active view).
#include "shell/update/UpdateChecker.h"
#include <functional>

class CWxUpdateUi final : public IUiPoster, public IUpdateMessages {
public:
    using ReloadHook = std::function<void()>;
    explicit CWxUpdateUi(ReloadHook onManualDone = {}) : m_onManualDone(std::move(onManualDone)) {}

    void Post(std::function<void()> task) override;
    void ShowMessage(uint32_t stringId, bool error) override;
    void OnCheckFinished(bool manual) override;

private:
    ReloadHook m_onManualDone;
};
