#pragma once
// The crop pane (view key 2): the crop margins, turn and flips of the visual
// output, edited on the picture and in a settings column together. Escape
// in the picture editor clears the four margins.
#include "shell/panes/PlayerPane.h"

class CCropEditCtrl;
class CKMToolbar;
class CPropertiesFrameCtrl;

class CCropPane : public CPlayerPane {
public:
    CCropPane(CKestrelMediaDoc* doc, wxWindow* view, CKMSplitterExWnd* splitter);

    void Layout(int left, int top, int right, int bottom) override;
    void Apply(uintptr_t wParam, intptr_t lParam) override;
    void ResetToDefaults(int flag) override;
    bool PreTranslateMessage(const wxKeyEvent& key) override;
    void BindCurrentFile() override;
    CPreviewPlayerCtrl* Preview() const override;

    CCropEditCtrl* Editor() const { return m_editor; }
    CPropertiesFrameCtrl* Settings() const { return m_settings; }
    // Whether the picture shows the whole frame with the crop frame (1) or the result (0).
    int EditFlag() const { return m_editFlag; }

protected:
    void RegisterCommands(CCommandTable& commands) override;
    std::vector<wxWindow*> Windows() const override;
    void Unbind() override;

private:
    void ShowEditFrame();

    CCropEditCtrl* m_editor = nullptr;           // child of the view
    CPropertiesFrameCtrl* m_settings = nullptr;  // child of the view
    CKMToolbar* m_toolbar = nullptr;             // child of the view
    int m_editFlag = 1;
};
