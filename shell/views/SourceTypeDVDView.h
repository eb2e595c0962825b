#pragma once
// The DVD page: the titles of a DVD folder, each with a check mark that says
// whether it is converted, and whether the checked titles are joined.
#include "shell/views/BaseFilesView.h"
#include <functional>

class CInputDVD;
class CKestrelMediaDoc;
class wxComboBox;
class wxPanel;
class wxToggleButton;

class CSourceTypeDVDView : public CBaseFilesView {
public:
    CSourceTypeDVDView();
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY);
    CFiles* Entries() const override;
    void OnInitialUpdate() override;
    wxComboBox* GetDriveCombo() const { return m_driveCombo; }
    wxToggleButton* GetJoinButton() const { return m_joinButton; }

protected:
    std::vector<std::string> RowIconNames(const CKMFile& entry) const override;

private:
    void RegisterCommands();
    // The command runs only with a document and its DVD source.
    CCommandTable::Action OnDvd(std::function<void(CKestrelMediaDoc&, CInputDVD&)> action);
    CInputDVD* Dvd() const;
    void ShowDvd();
    void CheckRows(bool check);
    void RebuildRows();
    void OnChecked(wxListEvent& event, bool checked);

    wxPanel* m_toolbar = nullptr;
    wxComboBox* m_driveCombo = nullptr;
    wxToggleButton* m_joinButton = nullptr;
    bool m_refilling = false;
};
