#pragma once
// A source page's list: one row per source entry (the entry is the row's
// data, owned by the project), the selected row made the document's current
// file, and the page's properties and preview views told to refresh.
#include "model/project/ProjectReplacedNotice.h"
#include "shell/BaseView.h"
#include "shell/frame/SourcePageViews.h"
#include <map>
#include <set>
#include <string>
#include <vector>

class CKMFile;
class CFiles;
class wxListCtrl;
class wxListEvent;

class CBaseListView : public CBaseView {
public:
    static constexpr int kListId = 320;
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY);
    wxListCtrl* GetList() const { return m_list; }

protected:
    wxListCtrl* m_list = nullptr;

private:
    void OnSizeChanged(wxSizeEvent& event);
};

class CBaseFilesView : public CBaseListView, public ISourceListView, private IProjectReplacedListener {
public:
    ~CBaseFilesView() override;
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY);
    void SetPeerViews(wxWindow* properties, wxWindow* preview) override;
    void OnInitialUpdate() override;

    // The entries the list shows; null when there is no project.
    virtual CFiles* Entries() const = 0;
    CKMFile* EntryAt(long row) const;
    int LastSelectedRow() const { return m_nLastSelected; }
    bool HasRowText(const std::wstring& text) const;

protected:
    // Rows for the entries from the current row count on.
    void AppendRows();
    void DeleteAllRows();
    void DeleteRow(long row);
    // After a change of rows: the focused row becomes the current file.
    void SyncAfterChange();
    void SelectRow(long row);
    // Makes entry the document's current file; rows follow when its file
    // was split into titles.
    void MakeCurrent(CKMFile* entry);
    void ApplyPendingRowChanges();
    // Rows for the titles a split appended to the project's file list; only
    // the file list shows that list.
    virtual void AppendSplitRows() {}
    std::vector<long> SelectedRows() const;
    void RefreshPeers();
    void LetGoOfCurrentFile();
    void AutoSizeColumn();

    // A row for entry at row (its display name and icon), the entry as its data.
    void InsertRow(long row, CKMFile* entry);
    // Opens the entries of the rows from first on that were never opened, so
    // a file that cannot be read says so at once, and shows each row's state.
    void CheckRowsFrom(long first);
    // The row's text: the entry's name, and why it cannot be read when it cannot.
    void ShowRowState(long row);
    // The theme icon names of an entry's row (by its path's type).
    virtual std::vector<std::string> RowIconNames(const CKMFile& entry) const;
    // The small image of the first theme icon of names, added once; -1 when
    // the theme has none.
    int IconIndex(const std::vector<std::string>& names);
    void SetLastSelectedRow(long row) { m_nLastSelected = row; }

    bool m_bSuspend = false;

private:
    // The rows' entries belong to the old project: the rows go before that
    // project is freed (the page fills them again from the new one).
    void OnProjectReplacing(CProject* oldProject, CProject* newProject) override;
    void OnItemFocused(wxListEvent& event);
    void OnLeftClick(wxMouseEvent& event);
    void OnActivated(wxListEvent& event);

    bool m_bClosing = false;
    std::multiset<std::wstring> m_rowTexts;
    std::map<std::vector<std::string>, int> m_iconCache;
    long m_nLastSelected = -1;
    wxWindow* m_pProperties = nullptr;
    wxWindow* m_pPreview = nullptr;
    CProjectReplacedNotice::CRegistration m_projectRegistration;
};
