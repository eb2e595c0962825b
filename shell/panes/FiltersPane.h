#pragma once
// The filters pane (view key 5): the colour and image filters of the visual
// output in a settings column, their effect shown on the current file. Every
// grid change rebuilds the engine's frame-filter object for the preview.
#include "shell/panes/PlayerPane.h"

class CPropertiesFrameCtrl;

class CFiltersPane : public CPlayerPane {
public:
    CFiltersPane(CKestrelMediaDoc* doc, wxWindow* view, CKMSplitterExWnd* splitter);

    void Layout(int left, int top, int right, int bottom) override;
    void Apply(uintptr_t wParam, intptr_t lParam) override;
    void ResetToDefaults(int flag) override;
    void BindCurrentFile() override;
    CPreviewPlayerCtrl* Preview() const override { return m_preview; }

    CPropertiesFrameCtrl* Settings() const { return m_settings; }

protected:
    std::vector<wxWindow*> Windows() const override;
    void Unbind() override;

private:
    CPreviewPlayerCtrl* m_preview = nullptr;     // child of the view
    CPropertiesFrameCtrl* m_settings = nullptr;  // child of the view
};
