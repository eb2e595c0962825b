#pragma once
// The folder page: a small folder browser over the project's folder source.
// Its rows are the browsed folder's subfolders ("[..]" first below the top)
// and media files, each with a check mark that says whether it is converted.
#include "shell/views/BaseFilesView.h"
#include <functional>
#include <string>

class wxComboBox;
class wxCheckBox;
class wxPanel;
class CInputFolder;
class CKestrelMediaDoc;

class CSourceTypeFolderViewFiles : public CBaseFilesView {
public:
    CSourceTypeFolderViewFiles();
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY);
    CFiles* Entries() const override;
    void OnInitialUpdate() override;
    // Opens a subfolder by its row text ("[..]" goes up).
    void SetFolder(const std::wstring& name);
    // The folder's masks: "*.*" and then the supported formats in order.
    static std::vector<std::wstring> MaskChoices();

    wxComboBox* GetPathCombo() const { return m_pathCombo; }
    wxComboBox* GetMaskCombo() const { return m_maskCombo; }
    void TakeFolder(const std::wstring& path);

private:
    void RegisterCommands();
    // The command runs only with a document and its folder source.
    CCommandTable::Action OnFolder(std::function<void(CKestrelMediaDoc&, CInputFolder&)> action);
    CInputFolder* Folder() const;
    void RebuildRows();
    void OnChecked(wxListEvent& event, bool checked);
    void CheckAll(bool check);
    void RemoveAllRows();
    void Layout2();
    void OnRowActivated(wxListEvent& event);

    wxPanel* m_toolbar = nullptr;
    wxComboBox* m_pathCombo = nullptr;
    wxComboBox* m_maskCombo = nullptr;
    wxCheckBox* m_recursive = nullptr;
    std::wstring m_leftFolder;
    bool m_refilling = false;
};
