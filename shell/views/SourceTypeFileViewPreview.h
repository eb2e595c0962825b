#pragma once
// Beside a source list: the current file in the preview control, played there.
#include "shell/PlayerBaseView.h"
#include "shell/frame/SourcePageViews.h"

class CPreviewPlayerCtrl;

class CSourceTypeFileViewPreview : public CPlayerBaseView, public ISourcePeerView {
public:
    CSourceTypeFileViewPreview();
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY);
    void SetListView(wxWindow* list) override { m_pListView = list; }
    void OnInitialUpdate() override;
    void RedrawPlayer() override;
    void PlayerCommand(int command) override;
    CPreviewPlayerCtrl* GetPlayerCtrl() const { return m_ctrl; }

private:
    CPreviewPlayerCtrl* m_ctrl = nullptr;
    wxWindow* m_pListView = nullptr;
};
