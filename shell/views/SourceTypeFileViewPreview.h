#pragma once
// Beside a source list: the current file in the preview control, played there.
#include "model/project/ProjectReplacedNotice.h"
#include "shell/PlayerBaseView.h"
#include "shell/frame/PageViewClasses.h"

class CPreviewPlayerCtrl;

class CSourceTypeFileViewPreview : public CPlayerBaseView, public ISourcePeerView, private IProjectReplacedListener {
public:
    CSourceTypeFileViewPreview();
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY);
    void SetListView(wxWindow* list) override { m_pListView = list; }
    void OnInitialUpdate() override;
    void RedrawPlayer() override;
    void PlayerCommand(int command) override;
    CPreviewPlayerCtrl* GetPlayerCtrl() const { return m_ctrl; }

private:
    // The shown entry belongs to the old project: the control lets go of it
    // before that project is freed (a paint in between would read it).
    void OnProjectReplacing(CProject* oldProject, CProject* newProject) override;

    CPreviewPlayerCtrl* m_ctrl = nullptr;
    wxWindow* m_pListView = nullptr;
    CProjectReplacedNotice::CRegistration m_projectRegistration;
};
