#pragma once
// The eraser pane (view key 6): the rectangle the eraser blurs away, its
// kind, strength and cell size, in the picture editor and a settings column.
#include "shell/panes/PaneEditors.h"
#include "shell/panes/PlayerPane.h"

class CKMToolbar;
class CPropertiesFrameCtrl;

class CEraserPane : public CPlayerPane {
public:
    CEraserPane(CKestrelMediaDoc* doc, wxWindow* view, CKMSplitterExWnd* splitter);

    void Layout(int left, int top, int right, int bottom) override;
    void Apply(uintptr_t wParam, intptr_t lParam) override;
    void ResetToDefaults(int flag) override;
    void BindCurrentFile() override;
    CPreviewPlayerCtrl* Preview() const override;

    CEraserEditorWnd* Editor() const { return m_editor; }
    CPropertiesFrameCtrl* Settings() const { return m_settings; }

protected:
    void RegisterCommands(CCommandTable& commands) override;
    std::vector<wxWindow*> Windows() const override;
    void Unbind() override;

private:
    CEraserEditorWnd* m_editor = nullptr;        // child of the view
    CPropertiesFrameCtrl* m_settings = nullptr;  // child of the view
    CKMToolbar* m_toolbar = nullptr;             // child of the view
};
