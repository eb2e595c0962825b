#pragma once
// The DVD page: the titles of a DVD folder, each with a check mark that says
// whether it is converted, and whether the checked titles are joined.
#include "shell/views/BaseFilesView.h"

class CInputDVD;
class wxComboBox;
class wxPanel;
class wxToggleButton;

class CSourceTypeDVDView : public CBaseFilesView {
public:
    static constexpr int kBrowse = 448;
    static constexpr int kReload = 450;
    static constexpr int kTakeDrive = 482;
    static constexpr int kJoinTitles = 523;

    CSourceTypeDVDView();
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY);
    CFiles* Entries() const override;
    void OnInitialUpdate() override;
    bool OnUpdateCommand(int id, wxUpdateUIEvent& ui) override;
    bool OnExecuteCommand(int id) override;
    wxComboBox* GetDriveCombo() const { return m_driveCombo; }
    wxToggleButton* GetJoinButton() const { return m_joinButton; }

protected:
    std::vector<std::string> RowIconNames(const CKMFile& entry) const override;

private:
    CInputDVD* Dvd() const;
    void ShowDvd();
    void RebuildRows();
    void OnChecked(wxListEvent& event, bool checked);

    wxPanel* m_toolbar = nullptr;
    wxComboBox* m_driveCombo = nullptr;
    wxToggleButton* m_joinButton = nullptr;
    bool m_refilling = false;
};
