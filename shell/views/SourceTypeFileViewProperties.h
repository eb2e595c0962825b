#pragma once
// Beside a source list: what the engine knows of the current file, in a
// read-only grid whose stream switches write through to the entry.
#include "model/project/ProjectReplacedNotice.h"
#include "shell/BaseView.h"
#include "shell/frame/PageViewClasses.h"

class CPropertiesCtrl;
namespace KM { class CWindowMessageEvent; }

class CSourceTypeFileViewProperties : public CBaseView, public ISourcePeerView, private IProjectReplacedListener {
public:
    CSourceTypeFileViewProperties();
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY);
    void SetListView(wxWindow* list) override { m_pListView = list; }
    void OnInitialUpdate() override;
    CPropertiesCtrl* GetGrid() const { return m_grid; }

private:
    void RegisterCommands();
    void OnGridChanged(KM::CWindowMessageEvent& event);
    // The grid's entry belongs to the old project: it is let go before that
    // project is freed.
    void OnProjectReplacing(CProject* oldProject, CProject* newProject) override;

    CPropertiesCtrl* m_grid = nullptr;
    wxWindow* m_pListView = nullptr;
    CProjectReplacedNotice::CRegistration m_projectRegistration;
};
