#pragma once
// The output page's profile list and profile combo: owner-drawn rows with the
// group headings in the title font and the profiles indented below them.
#include "controls/profile/ProfileRows.h"
#include <wx/odcombo.h>
#include <wx/vlbox.h>
#include <wx/weakref.h>

class CProfileListHeader;
class CProfilesMng;
struct CSharedDrawObjects;

// A one-column list: its column heading (string 515) stands above the rows as
// a header control it owns beside it in the same parent; Place lays out both.
// Group headings not selected are drawn as task-pane group captions.
class CProfileListControl : public wxVListBox {
public:
    static constexpr int kRowHeight = 14;
    static constexpr unsigned kColumnTitle = 515;

    CProfileListControl(wxWindow* parent, wxWindowID id, const CSharedDrawObjects* draw);
    ~CProfileListControl() override;
    // The header over the top of r, the rows in the rest.
    void Place(const wxRect& r);
    bool Show(bool show = true) override;
    CProfileListHeader* Header() const { return m_header.get(); }
    void SetProfileSource(CProfilesMng* profiles) { m_profiles = profiles; }
    // Refills from the profile source; current: the active output's "profile_name".
    void Fill(const std::wstring& current);
    // The selected row, 0 when none.
    int GetSelectedIndex() const;
    const std::vector<ProfileRow>& Rows() const { return m_rows; }
    // The group heading under the pointer, -1 when none: its caption is hot.
    int HotRow() const { return m_hotRow; }

protected:
    void OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const override;
    wxCoord OnMeasureItem(size_t n) const override;
    void OnDrawBackground(wxDC& dc, const wxRect& rect, size_t n) const override;

private:
    void OnKeyDown(wxKeyEvent& event);
    void OnSize(wxSizeEvent& event);
    void SetHotRow(int row);

    wxWeakRef<CProfileListHeader> m_header;  // gone first when the parent destroys its children
    CProfilesMng* m_profiles = nullptr;
    const CSharedDrawObjects* m_draw;
    std::vector<ProfileRow> m_rows;
    int m_hotRow = -1;
};

class CProfileComboBox : public wxOwnerDrawnComboBox {
public:
    CProfileComboBox(wxWindow* parent, wxWindowID id, const CSharedDrawObjects* draw, int width);
    // Items and their records, one per row.
    void SetRows(const std::vector<ProfileRow>& rows, int selected);
    const std::vector<ProfileRow>& Rows() const { return m_rows; }

protected:
    void OnDrawItem(wxDC& dc, const wxRect& rect, int item, int flags) const override;
    wxCoord OnMeasureItem(size_t item) const override;
    void OnDrawBackground(wxDC& dc, const wxRect& rect, int item, int flags) const override;

private:
    const CSharedDrawObjects* m_draw;
    std::vector<ProfileRow> m_rows;
};

// Draws one row of either chooser.
void DrawProfileRow(wxDC& dc, const wxRect& rect, const ProfileRow& row, bool highlighted,
                    const CSharedDrawObjects* draw);
