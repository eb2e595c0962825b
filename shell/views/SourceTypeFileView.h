#pragma once
// The file list page: single files added by the open dialog, by dropping them
// on the list or by pasting them, removed, cut, copied and selected.
#include "shell/views/BaseFilesView.h"
#include <string>
#include <vector>

class CSourceTypeFileView : public CBaseFilesView {
public:
    CSourceTypeFileView();
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY);

    CFiles* Entries() const override;
    // Adds paths to the project's file list (a dropped or pasted list).
    void AddFiles(const std::vector<std::wstring>& paths);

    // The clipboard's file list, empty when it holds none.
    static std::vector<std::wstring> ClipboardFiles();
    static bool PutFilesOnClipboard(const std::vector<std::wstring>& paths);

protected:
    void AppendSplitRows() override { AppendRows(); }

private:
    void RegisterCommands();
    void AddFromDialog();
    void RemoveAll();
    void RemoveSelected();
    void SelectAllRows();
    std::vector<std::wstring> SelectedTexts() const;
    void RemoveRows(const std::vector<long>& rows);
    void Paste();
    void OnKeyDown(wxKeyEvent& event);
};
