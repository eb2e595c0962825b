#pragma once
// The conversion page: the progress panel above the log. It runs the
// conversion commands, hears the document first of all listeners, and hides
// the program to the notification area during a long run.
#include "controls/convert/SystemTray.h"
#include "shell/BaseView.h"
#include "shell/MessageMngHandler.h"

class CConvertProgressCtrl;
class COutputRichEditCtrl;
struct SLink;

class CConvertView : public CBaseView, public IMessageMngHandler {
public:
    CConvertView();
    ~CConvertView() override;
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY);


    void OnMessage(const std::wstring& text, DWORD code) override;
    void SetProgressRange(int range) override;
    void SetProgressPos(int pos) override;
    void ClearMessages() override;
    void SetFilesDone(int count) override;
    void OnAborted() override;
    void OnFinished() override;
    void OnCurrentFileChanged() override {}

    COutputRichEditCtrl* GetLog() const { return m_log; }
    CConvertProgressCtrl* GetProgress() const { return m_progress; }
    CSystemTray& GetTray() { return m_tray; }
    bool IsFinished() const { return m_bFinished; }

    // The tray's commands: restore, and stop and exit.
    void OnTrayCommand(int command);
    void OnLinkClicked(const SLink& link);
    void HideToTray();

private:
    void RegisterCommands();
    void StopAndExitFromTray();
    CommandUi CommandState(int id) const;
    void OnSizeChanged(wxSizeEvent& event);
    void RefreshTray();
    void StartOrStop();
    void StopAndReset();
    void ShowProgram();

    COutputRichEditCtrl* m_log = nullptr;
    CConvertProgressCtrl* m_progress = nullptr;
    CSystemTray m_tray;
    bool m_bFinished = false;
    DWORD m_nLastCode = 0;
};
