#pragma once
// Beside a source list: what the engine knows of the current file, in a
// read-only grid whose stream switches write through to the entry.
#include "shell/BaseView.h"
#include "shell/frame/SourcePageViews.h"

class CPropertiesCtrl;
namespace KM { class CWindowMessageEvent; }

class CSourceTypeFileViewProperties : public CBaseView, public ISourcePeerView {
public:
    CSourceTypeFileViewProperties();
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY);
    void SetListView(wxWindow* list) override { m_pListView = list; }
    void OnInitialUpdate() override;
    CPropertiesCtrl* GetGrid() const { return m_grid; }

private:
    void RegisterCommands();
    void OnGridChanged(KM::CWindowMessageEvent& event);

    CPropertiesCtrl* m_grid = nullptr;
    wxWindow* m_pListView = nullptr;
};
