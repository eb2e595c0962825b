#pragma once
// The output page: the kind of output (video, audio, image), a profile of
// that kind, and every setting of the active output in the settings grid.
#include "model/project/ProjectReplacedNotice.h"
#include "shell/BaseView.h"
#include "shell/KMSplitterExWnd.h"
#include <memory>

class CProfilesMng;
class CProject;
class CPropertiesEditCtrl;
class wxChoice;
class CProfileComboBox;
class CProfileListControl;
class wxPanel;
namespace KM { class CWindowMessageEvent; }

class COutputView : public CBaseView, public IResizeHandler, private IProjectReplacedListener {
public:
    static constexpr int kProfileList = 359;  // the profile list's window id

    COutputView();
    ~COutputView() override;
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY);

    void OnInitialUpdate() override;
    void OnResize() override;

    int GetKind() const { return m_nKind; }
    CPropertiesEditCtrl* GetGrid() const { return m_grid; }
    CProfileListControl* GetProfileList() const { return m_profileList; }
    CProfileComboBox* GetProfileCombo() const { return m_profileChoice; }
    wxChoice* GetKindChoice() const { return m_kindChoice; }
    CProfilesMng& GetProfiles() { return *m_profiles; }

private:
    void RegisterCommands();
    // The output kind a command of the kind choice shows (video, image, audio).
    void ShowOutputKind(int kind);
    CProject* Project() const;
    void ApplyKind(int kind);
    void ShowKind(int kind);
    void FillProfileList();
    void ChooseProfile();
    void SaveProfile();
    void DetachProfile();
    void DeleteProfile();
    void RebuildKeepingSelection();
    void OnKindChosen();
    void OnGridChanged(KM::CWindowMessageEvent& event);
    void OnGridCommit(KM::CWindowMessageEvent& event);
    void OnProfileValueChanged(KM::CWindowMessageEvent& event);

    void OnProjectReplacing(CProject* oldProject, CProject* newProject) override;

    CPropertiesEditCtrl* m_grid = nullptr;
    wxPanel* m_toolbar = nullptr;
    wxChoice* m_kindChoice = nullptr;
    CProfileComboBox* m_profileChoice = nullptr;
    CKMSplitterExWnd* m_splitter = nullptr;
    CProfileListControl* m_profileList = nullptr;
    std::unique_ptr<CProfilesMng> m_profiles;
    int m_nKind = 0;
    bool m_filling = false;
    CProjectReplacedNotice::CRegistration m_projectRegistration;
    CProjectReplacedNotice::CRegistration m_profilesRegistration;
};
