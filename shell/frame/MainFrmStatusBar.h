#pragma once
// The main frame's bottom layer: the status bar with the website link (310),
// the "reopen the last project" check box (316) and the red error caption
// (321), and the listener part of the frame that turns error lines into the
// caption's text. Also holds the six splitters of the source pages.
#include "shell/MessageMngHandler.h"
#include <array>
#include <string>
#include <wx/frame.h>

class CErrorCaptionWnd;
class CKMSplitterWnd;
class wxCheckBox;
class wxHyperlinkCtrl;
class wxStatusBar;
namespace KM { class CWindowMessageEvent; }

class CMainFrmStatusBar : public wxFrame, public IMessageMngHandler {
public:
    static constexpr int kCaptionId = 321;
    static constexpr const char* kWebAddress = "https://kestrelmedia.example.org/";
    static constexpr const char* kWebDomain = "kestrelmedia.example.org";

    CMainFrmStatusBar(const wxString& title, const wxSize& size);

    // IMessageMngHandler: only error lines reach the caption.
    void OnMessage(const std::wstring& text, DWORD code) override;
    void SetProgressRange(int) override {}
    void SetProgressPos(int) override {}
    void ClearMessages() override;
    void SetFilesDone(int) override {}
    void OnAborted() override {}
    void OnFinished() override {}
    void OnCurrentFileChanged() override;

    const std::wstring& GetStatusText() const { return m_strStatusText; }
    CErrorCaptionWnd* GetCaption() const { return m_caption; }
    wxCheckBox* GetLoadRecentCheckBox() const { return m_loadRecent; }
    wxHyperlinkCtrl* GetLink() const { return m_link; }
    // Opens the website (command 310).
    void OpenWebsite();

protected:
    void BuildStatusBar();
    // Shows text on the caption, shortened to its room, whole in the tooltip.
    void SetCaptionText(const std::wstring& text);
    void OnStatusTextMessage(KM::CWindowMessageEvent& event);
    void PlaceStatusBarItems();

    std::wstring m_strStatusText;
    // File outer, file inner, folder outer, folder inner, DVD outer, DVD inner.
    std::array<CKMSplitterWnd*, 6> m_splitters{};

private:
    wxStatusBar* m_statusBar = nullptr;
    wxHyperlinkCtrl* m_link = nullptr;
    wxCheckBox* m_loadRecent = nullptr;
    CErrorCaptionWnd* m_caption = nullptr;
};
