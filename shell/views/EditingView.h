#pragma once
// The editing page: a bar of edit panes on the left, the current file's
// preview in the middle (with the output's turn and crop applied), and the
// active pane's settings on the right; the timeline pane sets the file's trim
// range at the play position.
#include "model/project/ProjectReplacedNotice.h"
#include "shell/BaseView.h"

class CKMFile;
class CCropEditCtrl;
class CPreviewPlayerCtrl;
class CPropertiesEditCtrl;
class CPropertiesImpl;
class wxButton;
class wxPanel;
class wxStaticText;
namespace KM { class CWindowMessageEvent; }

class CEditingView : public CBaseView, private IProjectReplacedListener {
public:
    static constexpr int kTimelinePane = 340;
    static constexpr int kCropPane = 341;
    static constexpr int kFiltersPane = 353;
    static constexpr int kEraserPane = 354;

    CEditingView();
    ~CEditingView() override;
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY);
    void OnInitialUpdate() override;
    bool OnUpdateCommand(int id, wxUpdateUIEvent& ui) override;
    bool OnExecuteCommand(int id) override;

    int GetPane() const { return m_pane; }
    CKMFile* GetEntry() const { return m_entry; }
    CPreviewPlayerCtrl* GetPreview() const;
    CCropEditCtrl* GetCropEditor() const { return m_preview; }
    CPropertiesEditCtrl* GetGrid() const { return m_grid; }
    // The trim range of the current file, as the timeline pane shows it.
    wxString RangeText() const;

private:
    void ShowPane(int pane);
    CPropertiesImpl* PaneTree(int pane) const;
    void SetRangeAtPosition(bool start);
    void ResetPane();
    void RefreshFilters();
    void LayoutChildren();
    void OnGridChanged(KM::CWindowMessageEvent& event);
    void OnProjectReplacing(CProject* oldProject, CProject* newProject) override;

    wxPanel* m_bar = nullptr;
    CCropEditCtrl* m_preview = nullptr;
    CPropertiesEditCtrl* m_grid = nullptr;
    wxPanel* m_timelineTools = nullptr;
    wxStaticText* m_rangeText = nullptr;
    CKMFile* m_entry = nullptr;
    int m_pane = kTimelinePane;
    CProjectReplacedNotice::CRegistration m_projectRegistration;
};
